// Writing a quiz source back as quiz.toml text, in the layout authors write
// it, so that reading the text again gives the same quiz.
#pragma once

#include <string>

#include "tools/quiz_source.h"

// The quiz as UTF-8 TOML. Empty optional texts are left out; the picture and
// media paths are written as they stand in the record.
std::string FormatQuizToml(const QuizSource& quiz);

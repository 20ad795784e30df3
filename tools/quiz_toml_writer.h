// Writing a quiz source back as quiz.toml text, in the layout authors write
// it, so that reading the text again gives the same quiz.
#pragma once

#include <string>

#include "tools/quiz_source.h"

// UTF-8 text in double quotes, escaped so that it reads back the same both as a
// TOML basic string and as a JSON string.
std::string QuoteUtf8(const std::string& utf8);

// The quiz as UTF-8 TOML. Empty optional texts are left out; the picture and
// media paths are written as they stand in the record.
std::string FormatQuizToml(const QuizSource& quiz);

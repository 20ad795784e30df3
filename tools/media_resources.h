// The sound and video files of an audio or video quiz as resources of the
// player: each question's file, nibble-swapped, as "IMG" 400 + n.
#pragma once

#include <string>
#include <vector>

#include "tools/output_files.h"
#include "tools/quiz_source.h"

// For every question with a media file (a path relative to the quiz.toml at
// toml_path): adds its scrambled copy "media<id>.img" in folder dir to *files
// and the line naming it to the resource *script, and a warning to *warnings
// when the player would save it under another format's extension. False, with
// the reason in *error, when a file cannot be read.
bool AddMediaResources(const QuizSource& quiz, const std::string& toml_path, const std::string& dir,
                       std::vector<OutputFile>* files, std::string* script,
                       std::vector<std::string>* warnings, std::string* error);

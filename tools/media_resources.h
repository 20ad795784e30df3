// The pictures, sound and video files of a quiz as files named by a resource
// script, stored as the quiz's file plan (tools/quiz_files.h) says.
#pragma once

#include <string>
#include <vector>

#include "tools/output_files.h"
#include "tools/quiz_source.h"

// For every file the quiz names (a path relative to the quiz.toml at
// toml_path): adds its stored copy in folder dir to *files ("picture<id>.png"
// for a plain PNG, "picture<id>.img" or "media<id>.img" for nibble-swapped
// bytes) and the line naming it to the resource *script, and a warning to
// *warnings when the player would save a media file under another format's
// extension. False, with the reason in *error and nothing added, when a file
// cannot be read or a picture cannot be shown.
bool AddFileResources(const QuizSource& quiz, const std::string& toml_path, const std::string& dir,
                      std::vector<OutputFile>* files, std::string* script,
                      std::vector<std::string>* warnings, std::string* error);

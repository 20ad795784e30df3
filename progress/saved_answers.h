// The saved-answers file: one CR LF line per answer field, named after the
// program file, in the current directory. Reading, naming and building its
// bytes; the Win32 side (progress/save_progress.h) only moves those bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_data.h"

// Copies the next line's text (at most kAnswerFieldLength bytes, no NUL added) to
// `out`, which has room for kAnswerFieldLength bytes, and returns its length.
// A line ends at LF; a CR before it, and anything past the 85th byte, is not
// part of the text. A lone LF ends a line too, so a file edited on a system
// with LF line ends restores every field. At the end of the file every call
// gives an empty text.
size_t ReadSavedLine(std::string_view file, size_t* position, char* out);

// The file's name: the part of `modulePath` after its last backslash, with
// its last three characters replaced by "txt" (C:\jeux\Quiz.exe gives
// Quiz.txt). No directory: the file lives in the current directory.
std::string SavedAnswersFileName(std::string_view modulePath);

// Every line of the file as it stands, without its line end (LF, or CR LF).
// Used to give a field that was never built the line the file already held.
std::vector<std::string> SplitSavedLines(std::string_view file);

// One answer field as the save sees it: `built` is false for a field that
// was never created (a quiz whose rows stopped early, or a text list with two
// answers per question, which has one field per question).
struct SavedField {
  bool built;
  std::string_view text;
};

// The bytes to write: one line per field in answer-number order, each ended
// by CR LF. A field that was never built keeps the line `previous` holds at
// its place (empty when the file had no such line), so a save never wipes an
// answer it could not see.
std::string BuildSavedAnswers(const std::vector<SavedField>& fields,
                              const std::vector<std::string>& previous);

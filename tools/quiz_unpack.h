// Taking a quiz executable apart: its stored blocks decoded back into a quiz
// source, and its pictures and media files descrambled, each named with the
// extension of what it holds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/output_files.h"
#include "tools/quiz_source.h"

struct UnpackedQuiz {
  QuizSource source;              // picture and media paths name entries of files
  std::vector<OutputFile> files;  // paths relative to the quiz.toml
};

// Reads the executable's bytes. Fails, with a reason naming the resource or
// the value, when the file is not a PE image, carries no quiz, a block does
// not decode, or the quiz holds a value that quiz.toml cannot express (a kind
// over 9, a display mode out of range, more than 96 questions, a text list
// with two answers).
bool UnpackQuiz(std::string_view exe, UnpackedQuiz* quiz, std::string* error);

// UnpackQuiz, then the files of the quiz's folder, paths relative to it: the
// quiz.toml first, then the pictures and media files. What check refuses but
// the stored quiz holds (a typographic apostrophe in an answer) is written as
// accepted, so that the folder builds again. Fails as UnpackQuiz does, and,
// with every fault listed in *error (worded for a quiz.toml named
// source_name), when the quiz cannot be written as quiz.toml (an overlong
// answer, a bar in a text).
bool UnpackQuizFolder(std::string_view exe, std::string_view source_name, UnpackedQuiz* quiz,
                      std::vector<OutputFile>* files, std::string* error);

// The extension ("png", "jpg", "gif", "bmp") of a picture file, or "" when the
// bytes are none of these.
std::string PictureExtension(std::string_view bytes);

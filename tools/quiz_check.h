// What an author should hear about a quiz that reads without errors: files
// that are missing or that the player cannot open (errors), and answers,
// codes and pictures that will frustrate players, question fields the display
// and kind never show (they are not stored) and needed ones that are missing
// (warnings).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/quiz_source.h"

struct QuizFinding {
  bool error;
  std::string text;  // "FILE: question N, field 'F': ..." like the reader's errors
};

// Reads the file at a path as written in the quiz (relative to the quiz.toml).
using QuizFileReader = std::function<bool(const std::string& path, std::string* bytes)>;

std::vector<QuizFinding> CheckQuiz(const QuizSource& quiz, std::string_view file_name,
                                   const QuizFileReader& read_file);

// Width and height of a PNG, JPEG, GIF or BMP file from its header; false for
// anything else or a header cut short.
bool ReadPictureSize(std::string_view bytes, uint32_t* width, uint32_t* height);

// Why the player cannot show a picture file, as the tail of a sentence about
// it ("is not a PNG, JPEG, GIF or BMP picture"), or "" when it can.
std::string PictureFault(std::string_view bytes);

// Reads the file named by a path of the quiz (relative to the quiz.toml at toml_path).
bool ReadQuizFile(const std::string& toml_path, const std::string& path, std::string* bytes);

// Reads the quiz.toml at path and checks it with the files beside it: the
// reader's errors, then CheckQuiz's findings. False when there is any error.
bool CheckQuizFolder(const std::string& path, QuizSource* quiz, std::vector<QuizFinding>* findings);

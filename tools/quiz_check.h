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

#include "tools/findings.h"
#include "tools/quiz_source.h"

// Reads the file at a path as written in the quiz (relative to the quiz.toml);
// on failure says why in *why (kNoSuchFileReason when it does not exist).
using QuizFileReader =
    std::function<bool(const std::string& path, std::string* bytes, std::string* why)>;

// What a reader says of a file that does not exist.
constexpr char kNoSuchFileReason[] = "no such file";

// The findings in question order, those of the quiz as a whole last, less
// the codes the quiz accepts. A missing file's finding has no suggestion.
std::vector<Finding> CheckQuiz(const QuizSource& quiz, const QuizFileReader& read_file);

// Width and height of a PNG, JPEG, GIF or BMP file from its header; false for
// anything else or a header cut short.
bool ReadPictureSize(std::string_view bytes, uint32_t* width, uint32_t* height);

// Reads the file named by a path of the quiz (relative to the quiz.toml at toml_path).
bool ReadQuizFile(const std::string& toml_path, const std::string& path, std::string* bytes,
                  std::string* why);

// Reads the quiz.toml at path (or in the folder path) and checks it with the
// files beside it: the reader's errors, then CheckQuiz's findings, a missing
// file's with the closest name in its folder. False when there is any error.
bool CheckQuizFolder(const std::string& path, QuizSource* quiz, std::vector<Finding>* findings);

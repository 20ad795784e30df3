// The quiz author's source: a quiz.toml file read into a validated record whose
// texts are already code page 1252 and within the limits the player holds.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/findings.h"

// The source file of a quiz folder.
constexpr char kQuizTomlName[] = "quiz.toml";

struct QuestionSource {
  std::string text;
  std::string answer1;
  std::string answer2;  // empty with one answer per question
  std::string extra;
  std::string extra2;
  // Paths as written in the toml (UTF-8, relative to it); empty when absent.
  std::string picture;
  std::string answerPicture;
  std::string media;
};

struct QuizSource {
  std::string title;
  std::string author;
  std::string subtitle;
  std::string answerCaption1;
  std::string answerCaption2;
  int displayMode = 0;  // 0 text list, 1 pictures, 2 audio, 3 video
  int kind = 0;
  int answersPerQuestion = 1;
  uint8_t red = 90;
  uint8_t green = 95;
  uint8_t blue = 150;
  std::string link;
  std::string footer;
  std::vector<std::string> codes;  // exactly one per question once read
  bool scramble = false;
  std::vector<QuestionSource> questions;
  // The codes of the findings the author has accepted (accept = [...]).
  std::vector<std::string> accepted;
  // Where each key was written: (question from 1, or 0 for the quiz; key, or
  // "key[n]" for an array's element, or "" for the question's table) -> line.
  std::map<std::pair<int, std::string>, uint32_t> lines;
};

// The line of a question's field in the quiz.toml, else of the question's
// table, else 0.
uint32_t SourceLine(const QuizSource& quiz, int question, const std::string& field);

// Whether the author has accepted findings of this code.
bool IsAccepted(const QuizSource& quiz, FindingCode code);

// The quiz.toml a path names: the path itself, or a folder's quiz.toml.
std::string QuizTomlPath(const std::string& path);

// Parses and checks the text of a quiz.toml. On failure returns false with
// its faults in *errors, in the order of the file, each with its line, the
// question number (from 1) and the field where they apply.
bool ParseQuizSource(std::string_view toml, std::string_view file_name, QuizSource* quiz,
                     std::vector<Finding>* errors);

// Reads the file at path and parses it as above.
bool ReadQuizSource(const std::string& path, QuizSource* quiz, std::vector<Finding>* errors);

// The quiz author's source: a quiz.toml file read into a validated record whose
// texts are already code page 1252 and within the limits the player holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
};

// Parses and checks the text of a quiz.toml. On failure returns false with one
// line per fault in *errors, each naming file_name and, where it applies, the
// line, the question number (from 1) and the field.
bool ParseQuizSource(std::string_view toml, std::string_view file_name, QuizSource* quiz,
                     std::vector<std::string>* errors);

// Reads the file at path and parses it as above.
bool ReadQuizSource(const std::string& path, QuizSource* quiz, std::vector<std::string>* errors);

// Which resource each picture and media file of a quiz becomes, and in which
// form: the one plan that both 'build' (resources written into a copy of the
// player) and 'rc' (a resource script for the toolchain) follow, so that the
// two executables carry the same bytes.
#pragma once

#include <string>
#include <vector>

#include "tools/quiz_check.h"
#include "tools/quiz_source.h"

// Resource ids by question n (from 1): the picture, sound or video file, and
// the picture shown once the question is solved.
constexpr int kPictureIdBase = 400;
constexpr int kAnswerPictureIdBase = 10400;

struct QuizFile {
  int question;       // from 1
  const char* field;  // the quiz.toml key: "picture", "answer_picture" or "media"
  std::string path;   // as written in quiz.toml, relative to it
  int id;
  bool picture;
};

struct StoredQuizFile {
  QuizFile file;
  // True: a PNG, which the player decodes itself from a plain RT_RCDATA
  // resource. False: the nibble-swapped bytes of an "IMG" resource.
  bool plain;
  std::string bytes;  // as stored in the resource
};

// Every file the quiz names where its display and kind show it, in question
// order: picture, answer picture, media.
std::vector<QuizFile> ListQuizFiles(const QuizSource& quiz);

// Reads a file and adds what is wrong with it to *findings: an error for a
// file that cannot be read or a picture the player cannot show, a warning for
// a picture far over its box or a media file the player would save under
// another format's name. False after an error.
bool ReadCheckedQuizFile(const QuizFile& file, const QuizFileReader& read_file, std::string* bytes,
                         std::vector<Finding>* findings);

// Reads a file and gives its stored form, adding its findings as above. False
// after an error.
bool StoreQuizFile(const QuizFile& file, const QuizFileReader& read_file, StoredQuizFile* stored,
                   std::vector<Finding>* findings);

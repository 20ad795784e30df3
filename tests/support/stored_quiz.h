// Quizzes as a player stores them, written field by field: any byte may stand
// where the packer would refuse it (a box count of 255, a display byte of 0,
// kind 200), so that tests can start the player on damaged quizzes too.
#pragma once

#include <string>
#include <vector>

#include "quiz/block_encoder.h"
#include "quiz/quiz_loader.h"

struct StoredQuestion {
  std::string answer1;  // plain, as typed
  std::string answer2;  // written only with a box count of 2
  std::string text;
  std::string extra;  // written for the kinds that store extra texts
};

struct StoredQuizSpec {
  int displayByte = 1;  // display mode + 1
  int boxes = 1;
  int kind = 0;
  std::string title = "Titre du quiz";
  std::string captions[2];
  std::vector<StoredQuestion> questions;
  std::vector<std::string> codes;  // one line each
};

// The decoded text of block 104.
inline std::string StoredQuizText(const StoredQuizSpec& spec) {
  std::string text = std::string(1, '\0') + char(spec.displayByte) + char(spec.questions.size()) +
                     char(spec.boxes) + spec.title + "|Auteur|Sous-titre|" + spec.captions[0] +
                     "|" + spec.captions[1] + "|";
  for (const StoredQuestion& question : spec.questions) {
    text += question.answer1 + "|";
    if (spec.boxes == 2) text += question.answer2 + "|";
    text += question.text + "|";
  }
  text += char(spec.kind);
  for (const StoredQuestion& question : spec.questions) {
    for (int field = 0; field < ExtraFieldCount(spec.kind); ++field) text += question.extra + "|";
  }
  return text + "\x5A\x5F\x96";
}

// The three blocks as stored; they must outlive the QuizBlocks view.
struct EncodedQuiz {
  std::vector<unsigned char> block[kQuizBlockCount];
  QuizBlocks view() const {
    QuizBlocks blocks = {};
    for (int i = 0; i < kQuizBlockCount; ++i) {
      blocks.data[i] = block[i].data();
      blocks.size[i] = block[i].size();
    }
    return blocks;
  }
};

// Encodes the three decoded texts; false (with the encoder's reason) when one
// cannot be stored.
inline bool EncodeQuizTexts(const std::string (&texts)[kQuizBlockCount], EncodedQuiz* encoded,
                            std::string* error) {
  for (int i = 0; i < kQuizBlockCount; ++i) {
    int key = 0;
    if (!EncodeQuizBlock(texts[i], false, &key, &encoded->block[i], error)) return false;
  }
  return true;
}

inline bool EncodeStoredQuiz(const StoredQuizSpec& spec, EncodedQuiz* encoded, std::string* error) {
  std::string codes;
  for (const std::string& line : spec.codes) codes += line + "\r\n";
  // The encoder takes no empty text: a quiz without codes stores one empty line.
  if (codes.empty()) codes = "\r\n";
  const std::string texts[kQuizBlockCount] = {
      std::string("\x01\x02", 2) + "http://quiz.test|Coin du test|", StoredQuizText(spec), codes};
  return EncodeQuizTexts(texts, encoded, error);
}

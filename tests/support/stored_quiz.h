// Quizzes as a player stores them, written field by field: any byte may stand
// where the packer would refuse it (a box count of 255, a display byte of 0,
// kind 200), so that tests can start the player on damaged quizzes too.
#pragma once

#include <string>
#include <vector>

#include "quiz/block_encoder.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_text.h"

struct StoredQuestion {
  std::string answer1;  // plain, as typed
  std::string answer2;  // written only with a box count of 2
  std::string text;
  std::string extra;  // written for the kinds that store extra texts
};

struct StoredQuizRecipe {
  int displayByte = 1;  // display mode + 1
  int boxes = 1;
  int kind = 0;
  std::string title = "Titre du quiz";
  std::string captions[2];
  std::vector<StoredQuestion> questions;
  std::vector<std::string> codes;  // one line each
};

// The decoded texts, written by the quiz text writer.
inline QuizTexts StoredQuizTexts(const StoredQuizRecipe& recipe) {
  DecodedQuiz quiz;
  quiz.link = "http://quiz.test";
  quiz.footer = "Coin du test";
  quiz.displayMode = recipe.displayByte - 1;
  quiz.questionCount = static_cast<int>(recipe.questions.size());
  quiz.answersPerQuestion = recipe.boxes;
  quiz.title = recipe.title;
  quiz.author = "Auteur";
  quiz.subtitle = "Sous-titre";
  quiz.answerCaption1 = recipe.captions[0];
  quiz.answerCaption2 = recipe.captions[1];
  for (const StoredQuestion& question : recipe.questions) {
    quiz.questions.push_back(
        {question.answer1, question.answer2, question.text, question.extra, question.extra});
  }
  quiz.kind = recipe.kind;
  quiz.red = 0x5A;
  quiz.green = 0x5F;
  quiz.blue = 0x96;
  quiz.codes = recipe.codes;
  return WriteQuizTexts(quiz);
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

inline bool EncodeStoredQuiz(const StoredQuizRecipe& recipe, EncodedQuiz* encoded,
                             std::string* error) {
  const QuizTexts written = StoredQuizTexts(recipe);
  // The encoder takes no empty text: a quiz without codes stores one empty line.
  const std::string texts[kQuizBlockCount] = {written.builtin, written.quiz,
                                              written.codes.empty() ? "\r\n" : written.codes};
  return EncodeQuizTexts(texts, encoded, error);
}

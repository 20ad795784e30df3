// Starting the real player in-process from test quizzes.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/player.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/stored_quiz.h"
#include "tests/support/win_files.h"
#include "tests/support/win_ui.h"

// A quiz as its three decoded texts.
using TestQuiz = QuizTexts;

struct TestQuestion {
  std::string answer1;
  std::string answer2;  // only written with two answers per question
  std::string text;
};

// Quiz text with the given display mode, answers per question, kind 0 and the
// default colours; codes "C1".."Cn".
inline TestQuiz MakeTestQuiz(int displayMode, int answersPerQuestion,
                             const std::vector<TestQuestion>& questions) {
  StoredQuizRecipe recipe;
  recipe.displayByte = displayMode + 1;
  recipe.boxes = answersPerQuestion;
  recipe.captions[0] = "L1";
  recipe.captions[1] = "L2";
  for (const TestQuestion& question : questions) {
    recipe.questions.push_back({question.answer1, question.answer2, question.text, ""});
    recipe.codes.push_back("C" + std::to_string(recipe.codes.size() + 1));
  }
  return StoredQuizTexts(recipe);
}

inline std::vector<TestQuestion> NumberedQuestions(int count) {
  std::vector<TestQuestion> questions;
  for (int i = 1; i <= count; ++i) {
    questions.push_back({"reponse" + std::to_string(i), "autre" + std::to_string(i),
                         "Question " + std::to_string(i)});
  }
  return questions;
}

inline EncodedQuiz EncodeTestQuiz(const TestQuiz& quiz) {
  EncodedQuiz encoded;
  const std::string texts[kQuizBlockCount] = {quiz.builtin, quiz.quiz, quiz.codes};
  std::string error;
  EXPECT_TRUE(EncodeQuizTexts(texts, &encoded, &error)) << error;
  return encoded;
}

// A started player, torn down at the end of the scope.
class RunningPlayer {
 public:
  explicit RunningPlayer(const TestQuiz& quiz) : encoded_(EncodeTestQuiz(quiz)) {
    started_ = StartPlayer(GetModuleHandleA(nullptr), encoded_.view(), &windows_);
    PumpMessages();
  }
  ~RunningPlayer() {
    if (started_) EndPlayer(&windows_);
    PumpMessages();
  }
  bool started() const { return started_; }
  HWND frame() const { return windows_.frame; }
  HWND header() const { return windows_.header; }
  HWND panel() const { return windows_.panel; }

  // Resizes the frame so that its client area is width x height.
  void SetClientSize(int width, int height) {
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, GetWindowLongA(frame(), GWL_STYLE), FALSE,
                       GetWindowLongA(frame(), GWL_EXSTYLE));
    SetWindowPos(frame(), nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
  }

 private:
  EncodedQuiz encoded_;
  PlayerWindows windows_ = {};
  bool started_ = false;
};

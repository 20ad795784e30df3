// Starting the real player in-process from test quizzes, and the Wine-side
// chores around it: a private working directory, a message pump, message
// boxes answered by the test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/player.h"
#include "tests/support/message_boxes.h"
#include "tests/support/stored_quiz.h"
#include "tests/support/win_files.h"

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
  StoredQuizSpec spec;
  spec.displayByte = displayMode + 1;
  spec.boxes = answersPerQuestion;
  spec.captions[0] = "L1";
  spec.captions[1] = "L2";
  for (const TestQuestion& question : questions) {
    spec.questions.push_back({question.answer1, question.answer2, question.text, ""});
    spec.codes.push_back("C" + std::to_string(spec.codes.size() + 1));
  }
  return StoredQuizTexts(spec);
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

// Handles every message waiting, until the queue is quiet.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

inline std::string WindowText(HWND window) {
  char text[300] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// A control's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The saved-answers file of this test program.
inline std::string SavedAnswersName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of('\\') + 1);
  return name.substr(0, name.size() - 3) + "txt";
}

// Every test runs in a fresh working directory of its own, where the player
// saves its answers.
class InScratchDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetCurrentDirectoryA(MAX_PATH, previous_);
    directory_ = std::string(temp) + "tevra-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(directory_.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(directory_.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_);
    WIN32_FIND_DATAA found;
    std::string pattern = directory_ + "\\*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string path = directory_ + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          if (found.cFileName[0] != '.') RemoveDirectoryA(path.c_str());
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(directory_.c_str());
  }

 private:
  char previous_[MAX_PATH] = {};
  std::string directory_;
};

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

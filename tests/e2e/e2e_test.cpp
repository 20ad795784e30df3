// A built quiz, played from another process as a person would: answers typed
// and confirmed, feedback, score and code read back, "Sauver", closing, the
// saved file checked byte for byte, a restart that brings everything back,
// and Print Screen swallowed only while the quiz runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "progress/saved_answers.h"
#include "quiz/quiz_data.h"
#include "tests/e2e/quiz_process.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/win_files.h"

namespace {

// The quiz executable: the one built beside this test, or the one named by
// TEVRA_E2E_QUIZ (the same quiz made by tevra-pack build); a Unix path made a
// Wine one.
std::string QuizExe() {
  const char* chosen = std::getenv("TEVRA_E2E_QUIZ");
  return WindowsPath(chosen && *chosen ? chosen : TEVRA_E2E_QUIZ);
}

std::string SavedFileName() {
  return SavedAnswersFileName(QuizExe());
}

struct Row {
  int field;
  const char* typed;
  const char* verdict;
};

// Each field with what it holds and the word beside it.
void ExpectRows(const QuizProcess& quiz, const Row* rows, int count) {
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(quiz.Text(quiz.panel(), rows[i].field), rows[i].typed);
    EXPECT_TRUE(quiz.WaitForText(quiz.panel(), rows[i].field + kFeedbackOffset, rows[i].verdict))
        << rows[i].field << " reads " << quiz.Text(quiz.panel(), rows[i].field + kFeedbackOffset);
  }
}

TEST(PlayedQuiz, AnswersAreJudgedSavedAndRestored) {
  ScratchDirectory directory;
  const Row rows[] = {{kAnswerFieldBaseId + 1, "paris", kWordBravo},
                      {kAnswerFieldBaseId + 2, "Londres", kWordFaux},
                      {kAnswerFieldBaseId + 3, "berlin", kWordBravo}};
  const std::string saved = "paris\r\nLondres\r\nberlin\r\n";
  {
    QuizProcess quiz(QuizExe(), directory.path());
    ASSERT_TRUE(quiz.running());
    ASSERT_NE(quiz.panel(), nullptr);
    ASSERT_NE(quiz.header(), nullptr);
    EXPECT_EQ(quiz.Text(quiz.header(), kScoreLabelId), " 0 / 3");
    EXPECT_EQ(quiz.Text(quiz.frame(), kCornerLabelId), "Quiz des tests");

    quiz.Answer(kAnswerFieldBaseId + 1, "paris");
    EXPECT_TRUE(quiz.WaitForText(quiz.panel(), kFeedbackLabelBaseId + 1, kWordBravo));
    EXPECT_TRUE(quiz.WaitForText(quiz.header(), kScoreLabelId, " 1 / 3"));
    EXPECT_EQ(quiz.Text(quiz.header(), kCodeFieldId), "UN");
    quiz.Answer(kAnswerFieldBaseId + 2, "Londres");
    EXPECT_TRUE(quiz.WaitForText(quiz.panel(), kFeedbackLabelBaseId + 2, kWordFaux));
    EXPECT_EQ(quiz.Text(quiz.header(), kScoreLabelId), " 1 / 3");
    quiz.TypeWithKeyboard(kAnswerFieldBaseId + 3, "berlin");
    EXPECT_TRUE(quiz.WaitForText(quiz.panel(), kFeedbackLabelBaseId + 3, kWordBravo))
        << "field reads " << quiz.Text(quiz.panel(), kAnswerFieldBaseId + 3);
    EXPECT_TRUE(quiz.WaitForText(quiz.header(), kScoreLabelId, " 2 / 3"));
    EXPECT_EQ(quiz.Text(quiz.header(), kCodeFieldId), "DEUX");

    quiz.ClickSave();
    EXPECT_EQ(ReadFileBytes(directory.File(SavedFileName())), saved);
    EXPECT_EQ(quiz.Close(), 0);
  }
  EXPECT_EQ(ReadFileBytes(directory.File(SavedFileName())), saved);

  QuizProcess again(QuizExe(), directory.path());
  ASSERT_TRUE(again.running());
  ExpectRows(again, rows, 3);
  EXPECT_EQ(again.Text(again.header(), kScoreLabelId), " 2 / 3");
  EXPECT_EQ(again.Text(again.header(), kCodeFieldId), "DEUX");
  EXPECT_EQ(again.Close(), 0);
  EXPECT_EQ(ReadFileBytes(directory.File(SavedFileName())), saved);
}

TEST(PlayedQuiz, ClosingSavesAndLfFilesAreRestored) {
  ScratchDirectory directory;
  // Edited by hand elsewhere: LF line ends, a line longer than a field.
  WriteFileBytes(directory.File(SavedFileName()), "Paris\n" + std::string(100, 'x') + "\nrome\n");
  QuizProcess quiz(QuizExe(), directory.path());
  ASSERT_TRUE(quiz.running());
  // The long line fills its field with its first 85 bytes.
  const std::string cut(kAnswerFieldLength, 'x');
  const Row rows[] = {{kAnswerFieldBaseId + 1, "Paris", kWordBravo},
                      {kAnswerFieldBaseId + 2, cut.c_str(), kWordFaux},
                      {kAnswerFieldBaseId + 3, "rome", kWordFaux}};
  ExpectRows(quiz, rows, 3);
  EXPECT_EQ(quiz.Close(), 0);
  EXPECT_EQ(ReadFileBytes(directory.File(SavedFileName())), "Paris\r\n" + cut + "\r\nrome\r\n");
}

// A window of the driver's own, to see which keys reach other programs.
class KeyWatcher {
 public:
  KeyWatcher() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Record;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TevraKeyWatcher";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "TevraKeyWatcher", "watcher", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    snapshots_ = 0;
  }
  ~KeyWatcher() { DestroyWindow(window_); }

  // Presses Print Screen on the keyboard, with Alt held or not, and returns
  // how many key messages for it reached this window.
  int PressPrintScreen(bool withAlt) {
    SetForegroundWindow(window_);
    SetFocus(window_);
    PumpFor(200);
    snapshots_ = 0;
    std::vector<INPUT> keys;
    if (withAlt) keys.push_back(KeyInput(VK_MENU, false));
    keys.push_back(KeyInput(VK_SNAPSHOT, false));
    keys.push_back(KeyInput(VK_SNAPSHOT, true));
    if (withAlt) keys.push_back(KeyInput(VK_MENU, true));
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    PumpFor(500);
    return snapshots_;
  }

 private:
  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP) &&
        wParam == VK_SNAPSHOT) {
      ++snapshots_;
    }
    // Alt alone would enter menu mode, a modal loop waiting for more keys.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  static inline int snapshots_ = 0;
  HWND window_;
};

TEST(PlayedQuiz, PrintScreenIsSwallowedOnlyWhileTheQuizRuns) {
  ScratchDirectory directory;
  KeyWatcher watcher;
  for (bool withAlt : {false, true}) {
    SCOPED_TRACE(withAlt ? "Alt+Print Screen" : "Print Screen");
    ASSERT_GT(watcher.PressPrintScreen(withAlt), 0) << "Print Screen never reaches a window here";
    {
      QuizProcess quiz(QuizExe(), directory.path());
      ASSERT_TRUE(quiz.running());
      PumpFor(300);
      EXPECT_EQ(watcher.PressPrintScreen(withAlt), 0);
      EXPECT_EQ(quiz.Close(), 0);
    }
    EXPECT_GT(watcher.PressPrintScreen(withAlt), 0);
  }
}

}  // namespace

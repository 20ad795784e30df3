// The real player started in-process by its own start-up path from a quiz
// stored in memory, in a scratch working directory, and the helpers the panel
// tests share: positions in the panel, texts, keys, and message boxes that
// close themselves.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/player.h"
#include "app/player_state.h"
#include "tests/support/message_boxes.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/stored_quiz.h"
#include "tests/support/win_files.h"
#include "tests/support/win_ui.h"

struct TestQuestion {
  const char* answer1;  // plain: folded when the quiz is built
  const char* answer2;
  const char* text;
  const char* extra;
};

class PanelTest : public InScratchDirectory {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A quiz of these questions in `displayMode`; codes "CODE1", "CODE2"...
  // `recipe` may be changed further before Start.
  void MakeQuiz(int displayMode, int answersPerQuestion, const std::vector<TestQuestion>& questions,
                int questionKind = 0);
  // The saved-answers file the panel reads at start.
  void WriteSavedAnswers(const std::string& bytes) { WriteFileBytes(SavedAnswersName(), bytes); }
  // Starts the player on `recipe` (StartPlayer: frame 930 x 600) and pumps.
  // Sound and video quizzes start their media host first, unless told not to.
  void Start(bool withMediaHost = true);

  HWND Control(int id) { return GetDlgItem(panel, id); }
  std::string Text(HWND window) { return WindowText(window); }
  std::string Text(int id) { return Text(Control(id)); }
  std::string HeaderText(int id) { return Text(GetDlgItem(quiz->headerWindow, id)); }
  // The control's window rectangle in panel client coordinates.
  RECT Place(HWND control) { return RectInParent(control); }
  RECT Place(int id) { return Place(Control(id)); }
  // Every child of the panel with this id (the text list repeats 2000 and 3000).
  std::vector<HWND> ControlsWithId(int id);

  // Types into a field and releases Enter in it.
  void Answer(int fieldId, const char* text);
  void SendKeyUp(int fieldId, WPARAM key);
  void Pump() { PumpMessages(panel); }

  int ScrollPos(int bar) { return GetScrollPos(panel, bar); }

  StoredQuizRecipe recipe;
  PlayerWindows windows = {};
  HWND frame = nullptr;
  HWND panel = nullptr;
  // Every message box is closed as soon as it shows, so that a box shown while
  // the panel is built or an answer judged never blocks.
  MessageBoxAnswerer boxes;
  // Captions of the message boxes shown since the test began.
  std::vector<std::string>& messageBoxes = boxes.captions;
};

void ExpectPlace(const RECT& place, int x, int y, int width, int height, const char* what);

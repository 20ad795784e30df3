// The player's one record, reached by every window procedure through `quiz`:
// the loaded quiz (pure data) and what the Win32 shell owns around it.
#pragma once

#include <windows.h>

#include "answers/feedback_colour.h"
#include "quiz/quiz_data.h"

constexpr int kTempDirSize = 512;
// Behind the question label (the text list's question line); paleYellowBrush paints it.
constexpr COLORREF kPaleYellow = RGB(255, 255, 192);

struct PlayerQuiz {
  QuizData data;
  HFONT textFont;  // created by the panel when it builds its rows
  HFONT scoreFont;
  HFONT titleFont;
  HBRUSH panelBrush;
  HBRUSH feedbackBrushes[kToneCount];  // by tone; none for kToneNone
  HBRUSH paleYellowBrush;
  HWND panelWindow;
  HWND headerWindow;
  char tempDir[kTempDirSize];
};

extern PlayerQuiz* quiz;

// A player record with the quiz's defaults and the shared fonts and brushes
// made. Its panel brush is made by PaintPanelBrush once the quiz's colour is
// known.
PlayerQuiz* CreatePlayerQuiz();

// (Re)makes `panelBrush` in the loaded quiz's panel colour.
void PaintPanelBrush(PlayerQuiz* player);

// Deletes every font and brush of the record, its questions, then the record.
void DestroyPlayerQuiz(PlayerQuiz* player);

// The in-memory record of the one quiz a player carries: header texts,
// settings, questions and reward codes as loaded, plus the little play and
// layout state the panel keeps. Pure data: fonts, brushes, window handles and
// the temporary directory belong to the Win32 shell (app/player_state.h).
#pragma once

#include <cstdint>

constexpr int kTextSize = 260;  // 259 bytes of code page 1252 text and a NUL
constexpr int kLinkTextSize = 25;
constexpr int kFooterTextSize = 43;
constexpr int kMaxQuestions = 96;
// An answer field takes this many characters: a restored line is cut there,
// and a longer accepted answer could never be typed.
constexpr int kAnswerFieldLength = 85;
constexpr int kMaxGridRows = kMaxQuestions / 3;

struct Question {
  char answer1[kTextSize];  // folded (FoldAnswer), never shown
  char answer2[kTextSize];  // folded; empty with one answer per question
  char questionText[kTextSize];
  char extraText[kTextSize];
  int32_t solved;
  Question* prev;
  Question* next;
};

struct QuizData {
  int32_t contentWidth;
  int32_t contentHeight;
  int32_t displayMode;  // 0 text list, 1 pictures, 2 audio, 3 video
  char title[kTextSize];
  char author[kTextSize];
  char subtitle[kTextSize];
  char answerCaption1[kTextSize];
  char answerCaption2[kTextSize];
  int32_t questionCount;
  int32_t answersPerQuestion;
  char codes[kMaxQuestions][kTextSize];  // codes[k - 1] is shown at score k
  int32_t questionKind;
  int32_t allSolved;
  int32_t rowHeights[kMaxGridRows];
  // Indexed by question number from 1; entry 0 is unused so that question 96
  // stays inside the table.
  int32_t hideStates[kMaxQuestions + 1];
  // Declared red, blue, green; the quiz text gives them red, green, blue.
  uint32_t panelRed;
  uint32_t panelBlue;
  uint32_t panelGreen;
  char linkText[kLinkTextSize];
  char footerText[kFooterTextSize];
  Question* firstQuestion;
  Question* lastQuestion;
};

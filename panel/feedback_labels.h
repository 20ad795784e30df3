// The panel's answer fields and feedback labels by answer number, noted as the
// rows are built. Under Wine, finding a control by its id searches every
// control of the panel through the window server, so a recount of a
// 96-question quiz by ids took tens of milliseconds; the table takes none.
#pragma once

#include <windows.h>

#include "quiz/quiz_data.h"

constexpr int kMaxAnswers = 2 * kMaxQuestions;

// Starts the table of a panel whose rows are about to be built.
void ForgetAnswerControls(HWND panel);
void NoteAnswerControls(HWND panel, int answer, HWND field, HWND label);

// The answer field and feedback label of answer number `answer` (from 1): from
// the table, or searched by id for a control the table does not hold.
HWND AnswerFieldWindow(HWND panel, int answer);
HWND FeedbackLabelWindow(HWND panel, int answer);

// Which feedback labels read "BRAVO", by answer number.
struct BravoLabels {
  bool reads[kMaxAnswers + 1];
};
BravoLabels FindBravoLabels(HWND panel, int answers);

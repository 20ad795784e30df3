// Judging one answer field of the question panel: its feedback word, the
// reaction of the quiz's kind to a solved question, and the score.
#pragma once

#include <windows.h>

#include "app/player_state.h"

// Judges answer field `fieldId` of `panel` and, when its word changes, writes
// the word into its feedback label, reacts to a solved question and recounts
// the score. An unchanged word changes nothing, so checking again (a second
// Enter, the focus leaving while a message box is up) is harmless.
void CheckAnswer(PlayerQuiz& player, HWND panel, int fieldId);

// CheckAnswer without the recount: whether the word changed. The rows judge
// every restored answer this way and recount once when all are built, which
// shows the same score at the first paint without a header update per answer.
bool JudgeAnswerField(PlayerQuiz& player, HWND panel, int fieldId);

// The end-of-quiz reveal of question kinds 4 and 8: once every feedback label
// reads "BRAVO", every question's reveal label is shown.
void RunFinalCheck(PlayerQuiz& player, HWND panel);

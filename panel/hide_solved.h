// Hiding solved questions while the header's "Cacher" box is ticked, and
// closing the gap of a grid row whose three questions are all hidden.
#pragma once

#include <windows.h>

#include "app/player_state.h"

// Applies the state of the "Cacher" box of `player.headerWindow` to
// `player.panelWindow`: hides the pictures and reveal labels of solved
// questions and moves their answers up, or undoes all of it when the box is
// clear.
void ApplyHideSolved(PlayerQuiz& player);

enum class ShiftVisibility { kHide, kShow, kNone };

// Moves question n's answer controls and number label by `dy`. Its picture and
// reveal label are hidden, shown, or (kNone) moved along.
void ShiftQuestion(const PlayerQuiz& player, HWND panel, int n, int dy, ShiftVisibility visibility);

// The score and the reward code in the header bar.
#pragma once

#include <windows.h>

#include "app/player_state.h"

// Recounts the questions whose every feedback label reads "BRAVO", writes the
// score " %d / %d" and the code of that score into the header bar, then
// applies the "Cacher" box.
void UpdateScore(PlayerQuiz& player, HWND panel);

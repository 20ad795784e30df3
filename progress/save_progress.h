// Saving the player's typed answers to the saved-answers file, on closing,
// on "Sauver" and on F2.
#pragma once

#include "app/player_state.h"

// Why a save happens: it decides what a failure tells the player.
enum class SaveMoment {
  kOnRequest,  // "Sauver" or F2: the player can try again
  kOnClosing,  // the window is closing anyway
};

// Writes the text of every answer field of `player.panelWindow` to the
// saved-answers file in the current directory. The new file is written beside
// the old one and replaces it only once every line is written, so a failed
// save leaves the previous one intact. On failure a message box (caption
// "Tevra") tells the player; returns whether the file was saved.
bool SaveProgress(const PlayerQuiz& player, SaveMoment moment);

// The player's life: start-up in a fixed order, the message loop, teardown in
// a fixed order.
#pragma once

#include <windows.h>

#include <string>

// The three stored quiz blocks, as bytes.
struct QuizBlocks {
  std::string builtin;  // the 70-byte block carried in the program's data
  std::string quiz;     // resource "PATCH" 104
  std::string codes;    // resource "PATCH" 105
};

// The windows of a started player.
struct PlayerWindows {
  HWND frame;
  HWND header;
  HWND panel;
};

// The blocks this program carries. Resources are copied: they are read-only
// and a block may need descrambling in place.
QuizBlocks ReadEmbeddedBlocks(HINSTANCE instance);

// Builds everything up to the message loop: hook, player record, quiz, frame,
// header bar, panel. False (after telling the player) when the window class
// cannot be registered; nothing is left to tear down then.
bool StartPlayer(HINSTANCE instance, const QuizBlocks& blocks, PlayerWindows* windows);

// Runs the message loop until the quit message; returns its code.
int RunMessageLoop(HWND panel);

// Tears down what StartPlayer built, in the reverse order.
void EndPlayer(PlayerWindows* windows);

// The whole run: start, loop, end; the program's exit code.
int RunPlayer(HINSTANCE instance);

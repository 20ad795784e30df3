// The player's life: start-up in a fixed order, the message loop, teardown in
// a fixed order.
#pragma once

#include <windows.h>

#include <cstddef>

#include "quiz/quiz_loader.h"

// The windows of a started player.
struct PlayerWindows {
  HWND frame;
  HWND header;
  HWND panel;
};

// The blocks this program carries: the built-in block given, then the
// resources "PATCH" 104 and 105 (a missing one is empty). The loader decodes
// copies, so the read-only resource memory is handed over as it is.
QuizBlocks ReadEmbeddedBlocks(HINSTANCE instance, const unsigned char* builtin, size_t builtinSize);

// Builds everything up to the message loop: hook, player record, quiz, media
// host, frame, header bar, panel. False (after telling the player) when the
// window class cannot be registered; nothing is left to tear down then.
bool StartPlayer(HINSTANCE instance, const QuizBlocks& blocks, PlayerWindows* windows);

// StartPlayer's two halves, on either side of the media host's start: the
// hook, the record and the loaded quiz; then the windows, shown. The tests
// start a sound quiz without its host through them.
bool LoadPlayer(HINSTANCE instance, const QuizBlocks& blocks);
void OpenPlayerWindows(HINSTANCE instance, PlayerWindows* windows);

// Runs the message loop until the quit message; returns its code.
int RunMessageLoop(HWND panel);

// Tears down what StartPlayer built, in the reverse order.
void EndPlayer(PlayerWindows* windows);

// The whole run with the program's own blocks: start, loop, end; the
// program's exit code.
int RunPlayer(HINSTANCE instance, const unsigned char* builtin, size_t builtinSize);

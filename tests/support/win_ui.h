// Windows and messages in the Windows tests: pumping the queue, reading texts
// and places back, making key presses.
#pragma once

#include <windows.h>

#include <string>

// Handles every message waiting, until the queue is quiet; a quit message is
// dropped. With a `dialog`, its keys go through the dialog manager first, as
// in the player's own loop.
void PumpMessages(HWND dialog = nullptr);

// Pumps this thread's messages for `milliseconds`.
void PumpFor(DWORD milliseconds);

// The window's text, read with WM_GETTEXT: an edit control of another process
// answers that, not GetWindowText.
std::string WindowText(HWND window);

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// One key going down or up, for SendInput.
INPUT KeyInput(WORD key, bool up);

// The low-level keyboard hook that swallows Print Screen for as long as the
// player runs, in every program of the desktop.
#pragma once

#include <windows.h>

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event);

// Installs the hook for all threads of the desktop; the handle is kept until
// RemoveKeyboardHook.
void InstallKeyboardHook(HINSTANCE instance);
void RemoveKeyboardHook();

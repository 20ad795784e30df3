// The frame window of class "Tevra": it holds the header bar, the question
// panel and the corner label, keeps them laid out, forwards the mouse wheel to
// the panel and saves the answers when it closes.
#pragma once

#include <windows.h>

#include "app/control_ids.h"

constexpr char kMainWindowClass[] = "Tevra";
constexpr int kMainWindowWidth = 930;
constexpr int kMainWindowHeight = 600;

bool RegisterMainWindowClass(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the frame with the quiz title as caption, 930 x 600, centred on the
// desktop.
HWND CreateMainWindow(HINSTANCE instance, const char* title);

// Posts the panel one scroll request per wheel notch (`wheelParam` is the
// first parameter of WM_MOUSEWHEEL); other distances are ignored.
void ForwardWheel(HWND panel, WPARAM wheelParam);

// The frame's own brush, behind the corner label.
void CreateFrameBrush();
void DeleteFrameBrush();

// The question panel: a modeless child dialog (template 1001) that shows every
// question of the quiz on one surface and scrolls it both ways.
#pragma once

#include <windows.h>

INT_PTR CALLBACK QuestionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// Scrolling moves the controls themselves: a control's client position is
// always its content position minus the scroll positions. Moves every control
// by (dx, dy), whether or not the panel is drawn at the time.
void ScrollContent(HWND panel, int dx, int dy);

// Sets both scroll bars from the content size of the quiz and the panel's
// client size.
void UpdateScrollRanges(HWND panel);

// The same, then moves the content by however much the ranges moved the
// positions, so that nothing is left displaced.
void UpdateScrollRangesKeepingContent(HWND panel);

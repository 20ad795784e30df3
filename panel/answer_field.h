// The answer entry field: a standard single-line edit control with the quiz's
// behaviour added by subclassing.
#pragma once

#include <windows.h>

// Replaces the field's window procedure with AnswerFieldProc; the standard
// one is kept in the field's user data and gets every message not consumed.
void SubclassAnswerField(HWND field);

// Judges the field when it loses the focus or Enter is released, selects its
// text and brings it into view when it gains the focus, fills every unsolved
// field on F1, saves on F2, and swallows the Enter and Tab characters that
// would make the control beep.
LRESULT CALLBACK AnswerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);

// Scrolls the panel (the field's parent) so that the field, and in the picture
// grid the pictures of its row, can be seen.
void ScrollFieldIntoView(HWND field);

// F1: the field's text goes into every field whose question box is not yet
// right, each judged as the focus passes through it; the focus comes back.
void FillUnsolvedFields(HWND field);

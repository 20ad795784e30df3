// Building every control of every question when the panel is created, with
// the answers of the saved-answers file restored and judged.
#pragma once

#include <windows.h>

// Run on the panel's WM_INITDIALOG, before the panel's handle is stored in the
// player record: everything here goes through `panel`. Returns TRUE.
BOOL BuildQuestionRows(HWND panel);

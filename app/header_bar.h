// The header bar across the top of the frame: score, reward code, title,
// subtitle, author, link, "Sauver" and, in a picture quiz, "Cacher".
#pragma once

#include <windows.h>

#include "app/control_ids.h"

INT_PTR CALLBACK HeaderBarProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam);

// The header bar across the top of the frame: score, reward code, title,
// subtitle, author, link, "Sauver" and, in a picture quiz, "Cacher".
#pragma once

#include <windows.h>

// Control ids of the header bar.
constexpr int kLinkId = 24;
constexpr int kByLabelId = 25;
constexpr int kAuthorId = 26;
constexpr int kSaveButtonId = 27;
constexpr int kSubtitleId = 28;
constexpr int kTitleId = 29;
constexpr int kCodeFieldId = 30;
constexpr int kCodeLabelId = 31;
constexpr int kScoreLabelId = 32;
constexpr int kHideSolvedBoxId = 33;
constexpr int kScoreRuleId = 120;
constexpr int kScoreBlockRuleId = 121;
constexpr int kLinkBlockRuleId = 122;

INT_PTR CALLBACK HeaderBarProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam);

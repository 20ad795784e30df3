// The control identifiers by which the windows find each other's controls,
// and the panel's own scroll requests: the glue between the frame, the
// header bar and the question panel. Pure: the player, its tests and the
// end-to-end driver all read them here.
#pragma once

// The frame.
constexpr int kCornerLabelId = 8000;

// The header bar.
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

// The question panel (n: question number from 1).
constexpr int kNumberLabelId = 2000;  // every text-list row; 2000 + n in the grids
constexpr int kQuestionLabelId = 3000;
constexpr int kAnswerFieldBaseId = 4000;  // + answer number
constexpr int kFeedbackOffset = 1000;     // feedback label id = answer field id + 1000
constexpr int kFeedbackLabelBaseId = kAnswerFieldBaseId + kFeedbackOffset;
constexpr int kPlayButtonBaseId = 6000;
constexpr int kStopButtonBaseId = 7000;
constexpr int kRevealLabelBaseId = 8000;
constexpr int kPictureBaseId = 9900;
constexpr int kCaptionLabelId = 156;

// The scroll requests of one wheel notch, posted to the panel as WM_VSCROLL
// codes by the panel itself and by the frame.
constexpr int kWheelDownRequest = 500;
constexpr int kWheelUpRequest = 501;

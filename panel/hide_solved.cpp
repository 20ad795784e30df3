#include "panel/hide_solved.h"

#include <algorithm>

#include "app/header_bar.h"
#include "panel/panel_layout.h"
#include "panel/question_panel.h"
#include "quiz/quiz_model.h"

namespace {

constexpr int kRevealLabelHeight = 65;
constexpr int kCaptionStep = 20;  // the second caption sits 20 pixels under the first

enum HideState { kShown = 0, kHidden = 1, kRowCollapsed = 2 };

// Moves a control by dy, keeping its size and z-order.
void MoveWindowBy(HWND panel, HWND control, int dy) {
  RECT rect;
  GetWindowRect(control, &rect);
  POINT topLeft = {rect.left, rect.top + dy};
  ScreenToClient(panel, &topLeft);
  SetWindowPos(control, nullptr, topLeft.x, topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Ids that have no control in this quiz are skipped.
void MoveControl(HWND panel, int id, int dy) {
  HWND control = GetDlgItem(panel, id);
  if (control != nullptr) MoveWindowBy(panel, control, dy);
}

int ClientTop(HWND panel, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  POINT topLeft = {rect.left, rect.top};
  ScreenToClient(panel, &topLeft);
  return topLeft.y;
}

// The caption labels of a two-answer grid row (all with the same id) follow
// the row's first question, whose boxes they name (left to us: otherwise the
// captions of later rows would stay behind when a row above closes). They are
// found level with its number label and with its second box.
void MoveRowCaptions(HWND panel, int n, int dy) {
  HWND number = GetDlgItem(panel, kNumberLabelId + n);
  if (number == nullptr) return;
  const int top = ClientTop(panel, number);
  for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) != kCaptionLabelId) continue;
    const int captionTop = ClientTop(panel, child);
    if (captionTop == top || captionTop == top + kCaptionStep) MoveWindowBy(panel, child, dy);
  }
}

// Height a collapsed row gives back: its pictures, and the reveal labels
// hidden with them.
int CollapsedRowHeight(const QuizData& data, int row) {
  return data.rowHeights[row] + (HasRevealLabel(data.questionKind) ? kRevealLabelHeight : 0);
}

void ShiftFollowingQuestions(const PlayerQuiz& player, HWND panel, int n, int questions, int dy) {
  for (int m = n + 1; m <= questions; ++m)
    ShiftQuestion(player, panel, m, dy, ShiftVisibility::kNone);
}

// Both passes return whether anything moved or changed visibility.
bool HideSolvedQuestions(PlayerQuiz& player, HWND panel, int questions) {
  QuizData& data = player.data;
  bool changed = false;
  int hiddenInRow = 0;
  for (int n = 1; n <= questions; ++n) {
    const int row = (n - 1) / kGridColumns;
    if (data.hideStates[n] == kHidden) ++hiddenInRow;
    const Question* question = QuestionAt(data, n - 1);
    if (question != nullptr && question->solved && data.hideStates[n] == kShown) {
      ShiftQuestion(player, panel, n, -data.rowHeights[row], ShiftVisibility::kHide);
      ++hiddenInRow;
      data.hideStates[n] = kHidden;
      changed = true;
    }
    if (n % kGridColumns != 0) continue;
    if (hiddenInRow == kGridColumns) {
      const int gap = CollapsedRowHeight(data, row);
      ShiftFollowingQuestions(player, panel, n, questions, -gap);
      data.contentHeight -= gap;
      data.hideStates[n] = kRowCollapsed;
      changed = true;
    }
    hiddenInRow = 0;
  }
  return changed;
}

bool ShowHiddenQuestions(PlayerQuiz& player, HWND panel, int questions) {
  QuizData& data = player.data;
  bool changed = false;
  for (int n = 1; n <= questions; ++n) {
    const int row = (n - 1) / kGridColumns;
    if (data.hideStates[n] != kShown) {
      ShiftQuestion(player, panel, n, data.rowHeights[row], ShiftVisibility::kShow);
      changed = true;
    }
    if (data.hideStates[n] == kRowCollapsed) {
      const int gap = CollapsedRowHeight(data, row);
      data.contentHeight += gap;
      ShiftFollowingQuestions(player, panel, n, questions, gap);
    }
    data.hideStates[n] = kShown;
  }
  return changed;
}

}  // namespace

void ShiftQuestion(const PlayerQuiz& player, HWND panel, int n, int dy,
                   ShiftVisibility visibility) {
  const QuizData& data = player.data;
  if (visibility == ShiftVisibility::kNone) {
    MoveControl(panel, kPictureBaseId + n, dy);
    MoveControl(panel, kRevealLabelBaseId + n, dy);
  } else {
    const int command = visibility == ShiftVisibility::kHide ? SW_HIDE : SW_SHOW;
    ShowWindow(GetDlgItem(panel, kPictureBaseId + n), command);
    ShowWindow(GetDlgItem(panel, kRevealLabelBaseId + n), command);
  }
  for (int box = 1; box <= FieldsPerQuestion(data); ++box) {
    const int field = AnswerFieldId(data, n - 1, box);
    MoveControl(panel, field, dy);
    MoveControl(panel, field + kFeedbackOffset, dy);
  }
  if (AnswerBoxes(data) == 2 && (n - 1) % kGridColumns == 0) MoveRowCaptions(panel, n, dy);
  MoveControl(panel, kNumberLabelId + n, dy);
}

void ApplyHideSolved(PlayerQuiz& player) {
  HWND panel = player.panelWindow;
  // hideStates and rowHeights hold 96 questions.
  const int questions = std::clamp(player.data.questionCount, 0, kMaxQuestions);
  const bool changed = IsDlgButtonChecked(player.headerWindow, kHideSolvedBoxId) == BST_CHECKED
                           ? HideSolvedQuestions(player, panel, questions)
                           : ShowHiddenQuestions(player, panel, questions);
  // The ranges follow the content, which only a change can have resized;
  // redrawing the bars after every verdict made typing sluggish.
  if (changed) UpdateScrollRangesKeepingContent(panel);
}

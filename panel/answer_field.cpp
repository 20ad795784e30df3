#include "panel/answer_field.h"

#include "answers/answer_check.h"
#include "app/player_state.h"
#include "panel/feedback_labels.h"
#include "panel/panel_layout.h"
#include "panel/question_panel.h"
#include "progress/save_progress.h"

namespace {

constexpr int kSelectAllEnd = 260;
// The point of a field taken for its position, right of its left edge.
constexpr int kFieldPointOffset = 18;

WNDPROC StandardEditProc(HWND field) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_USERDATA));
}

void Judge(HWND field) {
  CheckAnswer(*quiz, GetParent(field), GetDlgCtrlID(field));
}

// The picture height of the field's own grid row (0 outside the picture grid,
// whose rows alone have pictures above their fields).
int FieldRowPictureHeight(HWND field) {
  const QuizData& data = quiz->data;
  if (data.displayMode != kPictureGrid) return 0;
  const int row = LocateAnswerField(data, GetDlgCtrlID(field)).questionIndex / kGridColumns;
  return row >= 0 && row < kMaxGridRows ? data.rowHeights[row] : 0;
}

// Keys act when released, or when pressed with Alt held (and then repeat).
// Up, Down, Page Up and Page Down keep their plain edit behaviour: the panel
// has its own bars and wheel for paging.
LRESULT OnKey(HWND field, UINT message, WPARAM key, LPARAM lParam) {
  switch (key) {
    case VK_RETURN:
      Judge(field);
      return 1;
    case VK_F1:
      FillUnsolvedFields(field);
      break;
    case VK_F2:
      SaveProgress(*quiz, SaveMoment::kOnRequest);
      break;
    default:
      break;
  }
  return CallWindowProcA(StandardEditProc(field), field, message, key, lParam);
}

}  // namespace

void SubclassAnswerField(HWND field) {
  const LONG_PTR standard = GetWindowLongPtrA(field, GWLP_WNDPROC);
  SetWindowLongPtrA(field, GWLP_USERDATA, standard);
  SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerFieldProc));
}

LRESULT CALLBACK AnswerFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      SendMessageA(field, EM_SETSEL, 0, kSelectAllEnd);
      ScrollFieldIntoView(field);
      break;
    case WM_KILLFOCUS:
      Judge(field);
      break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
      return OnKey(field, message, wParam, lParam);
    case WM_CHAR:
      if (wParam == '\r' || wParam == '\t' || wParam == 0) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcA(StandardEditProc(field), field, message, wParam, lParam);
}

void ScrollFieldIntoView(HWND field) {
  HWND panel = GetParent(field);
  // The dialog manager focuses the first field while the panel is built, when
  // it still has its template's size rather than the one it is shown at: the
  // field is judged out of view and the panel scrolled away from its start.
  if (!IsWindowVisible(panel)) return;
  RECT panelRect;
  GetWindowRect(panel, &panelRect);
  const int oldH = GetScrollPos(panel, SB_HORZ);
  const int oldV = GetScrollPos(panel, SB_VERT);
  RECT fieldRect;
  GetWindowRect(field, &fieldRect);
  POINT point = {fieldRect.left + oldH + kFieldPointOffset, fieldRect.top + oldV};
  ScreenToClient(panel, &point);
  if (FieldPointVisible(point.x, point.y, oldH, oldV, panelRect.right - panelRect.left,
                        panelRect.bottom - panelRect.top)) {
    return;
  }
  const ScrollPoint target = FieldScrollTarget(point.x, point.y, FieldRowPictureHeight(field));
  SetScrollPos(panel, SB_VERT, target.v, TRUE);
  SetScrollPos(panel, SB_HORZ, target.h, TRUE);
  ScrollContent(panel, oldH - GetScrollPos(panel, SB_HORZ), oldV - GetScrollPos(panel, SB_VERT));
}

void FillUnsolvedFields(HWND field) {
  char text[kTextSize];
  GetWindowTextA(field, text, sizeof(text));
  HWND panel = GetParent(field);
  const QuizData& data = quiz->data;
  // Read once: the fields that are right now stay as they are, while the
  // focus passing through the others judges them one after another.
  const int answers = AnswerFieldCount(data);
  const BravoLabels bravo = FindBravoLabels(panel, answers);
  for (int i = 1; i <= answers; ++i) {
    if (bravo.reads[i]) continue;
    HWND other = AnswerFieldWindow(panel, i);
    SetWindowTextA(other, text);
    SetFocus(other);
  }
  SetFocus(field);
}

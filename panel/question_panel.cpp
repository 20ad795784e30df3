#include "panel/question_panel.h"

#include "answers/feedback_colour.h"
#include "app/player_state.h"
#include "media/media_playback.h"
#include "panel/panel_layout.h"
#include "panel/question_pictures.h"
#include "panel/question_rows.h"

namespace {

constexpr int kWordBufferSize = 255;
constexpr int kNumberLabelIdLast = 2240;  // number labels run to 2240 + the answer count
constexpr uint32_t kDarkComponent = 69;   // above this, panel text is black

struct ScrollBar {
  ScrollAxis axis;
  int bar;
};
constexpr ScrollBar kHorizontalBar = {kHorizontal, SB_HORZ};
constexpr ScrollBar kVerticalBar = {kVertical, SB_VERT};

// Whether the platform's scroll can act on the panel: it scrolls nothing,
// controls included, in a window that is not drawn (not shown yet, or inside a
// minimised frame).
bool IsDrawn(HWND panel) {
  return IsWindowVisible(panel) && !IsIconic(GetAncestor(panel, GA_ROOT));
}

void MoveChildrenBy(HWND panel, int dx, int dy) {
  for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 1);
    SetWindowPos(child, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
}

void Scroll(HWND panel, const ScrollBar& bar, int request) {
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(panel, bar.bar, &info);
  const ScrollState state = {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos,
                             info.nTrackPos};
  SetScrollPos(panel, bar.bar, ScrollTarget(bar.axis, state, request), TRUE);
  const int moved = info.nPos - GetScrollPos(panel, bar.bar);
  ScrollContent(panel, bar.axis == kHorizontal ? moved : 0, bar.axis == kVertical ? moved : 0);
}

void SetScrollRange(HWND panel, int bar, int contentSize, int clientSize) {
  const ScrollRange range = ComputeScrollRange(contentSize, clientSize);
  if (range.fits) SetScrollPos(panel, bar, 0, FALSE);
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = range.maximum;
  info.nPage = static_cast<UINT>(range.page);
  SetScrollInfo(panel, bar, &info, TRUE);
}

// The wheel is handled here, and the message reported as handled: left
// unhandled, the dialog manager would pass it on to the main window, whose
// forwarding would post the same notch back and scroll it twice.
void PostWheelRequest(HWND panel, WPARAM wParam) {
  const int request = WheelRequest(static_cast<short>(HIWORD(wParam)));
  if (request != 0) PostMessageA(panel, WM_VSCROLL, request, 0);
}

bool IsPanelTextLabel(const QuizData& data, int id) {
  const int answers = StoredAnswerCount(data);
  return (id >= kNumberLabelId && id <= kNumberLabelIdLast + answers) || id == kCaptionLabelId ||
         (id > kRevealLabelBaseId && id <= kRevealLabelBaseId + answers);
}

bool IsFeedbackLabel(const QuizData& data, int id) {
  return id > kFeedbackLabelBaseId && id <= kFeedbackLabelBaseId + StoredAnswerCount(data);
}

// The letters get the label's own colour behind them (left to us: otherwise
// each word would sit in a white box on its coloured label).
INT_PTR PaintLabel(HDC dc, HBRUSH brush, COLORREF colour) {
  SetBkColor(dc, colour);
  return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR ColourFeedbackLabel(HDC dc, HWND label) {
  char word[kWordBufferSize];
  GetWindowTextA(label, word, sizeof(word));
  const FeedbackTone tone = FeedbackToneOf(word);
  if (tone == kToneNone) return FALSE;
  const FeedbackColour& colour = kToneColours[tone];
  return PaintLabel(dc, quiz->feedbackBrushes[tone], RGB(colour.red, colour.green, colour.blue));
}

INT_PTR ColourLabel(HDC dc, HWND label) {
  const QuizData& data = quiz->data;
  const int id = GetDlgCtrlID(label);
  if (IsPanelTextLabel(data, id)) {
    SetBkMode(dc, TRANSPARENT);
    const bool light = data.panelRed > kDarkComponent || data.panelGreen > kDarkComponent;
    SetTextColor(dc, light ? RGB(0, 0, 0) : RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(quiz->panelBrush);
  }
  if (IsFeedbackLabel(data, id)) return ColourFeedbackLabel(dc, label);
  if (id == kQuestionLabelId) return PaintLabel(dc, quiz->paleYellowBrush, kPaleYellow);
  return FALSE;
}

// WM_DESTROY and WM_CLOSE may both arrive: everything goes once.
void ReleasePanel(HWND panel) {
  ReleaseMediaPlayers();
  if (quiz != nullptr) ReleaseQuestionPictures(quiz->data, panel);
}

}  // namespace

void ScrollContent(HWND panel, int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  if (IsDrawn(panel)) {
    ScrollWindow(panel, dx, dy, nullptr, nullptr);
  } else {
    MoveChildrenBy(panel, dx, dy);
  }
}

void UpdateScrollRanges(HWND panel) {
  RECT client;
  GetClientRect(panel, &client);
  SetScrollRange(panel, SB_HORZ, quiz->data.contentWidth, client.right);
  SetScrollRange(panel, SB_VERT, quiz->data.contentHeight, client.bottom);
}

void UpdateScrollRangesKeepingContent(HWND panel) {
  const int oldH = GetScrollPos(panel, SB_HORZ);
  const int oldV = GetScrollPos(panel, SB_VERT);
  UpdateScrollRanges(panel);
  ScrollContent(panel, oldH - GetScrollPos(panel, SB_HORZ), oldV - GetScrollPos(panel, SB_VERT));
}

INT_PTR CALLBACK QuestionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return BuildQuestionRows(panel);
    case WM_SIZE:
      UpdateScrollRangesKeepingContent(panel);
      return FALSE;
    case WM_VSCROLL:
      Scroll(panel, kVerticalBar, LOWORD(wParam));
      return FALSE;
    case WM_HSCROLL:
      Scroll(panel, kHorizontalBar, LOWORD(wParam));
      return FALSE;
    case WM_MOUSEWHEEL:
      PostWheelRequest(panel, wParam);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(quiz->panelBrush);
    case WM_CTLCOLORSTATIC:
      return ColourLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
      HandleMediaCommand(panel, wParam);
      return FALSE;
    case WM_DESTROY:
    case WM_CLOSE:
      ReleasePanel(panel);
      return FALSE;
    default:
      return FALSE;
  }
}

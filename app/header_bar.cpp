#include "app/header_bar.h"

#include <shellapi.h>

#include "app/player_state.h"
#include "panel/hide_solved.h"
#include "progress/save_progress.h"
#include "quiz/quiz_kinds.h"
#include "resources/player_resources.h"

namespace {

constexpr COLORREF kHeaderColour = RGB(128, 128, 255);
constexpr COLORREF kLinkColour = RGB(50, 50, 255);
constexpr int kFirstColouredId = 20;
constexpr int kLastColouredId = 33;
constexpr int kScoreTextSize = 32;

HBRUSH headerBrush = nullptr;
HFONT linkFont = nullptr;

enum class TextFrom { kFixed, kLink, kAuthor, kSubtitle, kTitle, kScore };
enum class FontOf { kNone, kGui, kLink, kTitle, kScore };

struct HeaderControl {
  int id;
  const char* windowClass;
  TextFrom textFrom;
  const char* text;
  DWORD style;
  int x, y, width, height;
  FontOf font;
};

// In creation order, which is also the header's Z order.
const HeaderControl kHeaderControls[] = {
    {kLinkId, "Static", TextFrom::kLink, "", SS_NOTIFY, 736, 5, 115, 18, FontOf::kLink},
    {kByLabelId, "Static", TextFrom::kFixed, "Par :", 0, 736, 25, 27, 18, FontOf::kGui},
    {kAuthorId, "Static", TextFrom::kAuthor, "", 0, 763, 25, 85, 18, FontOf::kGui},
    {kHideSolvedBoxId, "button", TextFrom::kFixed, "Cacher", BS_AUTOCHECKBOX, 666, 5, 65, 18,
     FontOf::kGui},
    {kSaveButtonId, "button", TextFrom::kFixed, "Sauver", BS_PUSHBUTTON, 666, 25, 55, 18,
     FontOf::kGui},
    {kSubtitleId, "Static", TextFrom::kSubtitle, "", 0, 110, 19, 490, 27, FontOf::kGui},
    {kTitleId, "Static", TextFrom::kTitle, "", 0, 110, 3, 190, 18, FontOf::kTitle},
    {kCodeLabelId, "Static", TextFrom::kFixed, " Code :", 0, 7, 29, 36, 15, FontOf::kGui},
    {kScoreLabelId, "Static", TextFrom::kScore, "", SS_CENTER, 10, 1, 80, 20, FontOf::kScore},
    {kCodeFieldId, "edit", TextFrom::kFixed, "", ES_READONLY, 44, 29, 53, 16, FontOf::kGui},
    {kScoreRuleId, "Static", TextFrom::kFixed, "", WS_BORDER, 0, 26, 100, 1, FontOf::kNone},
    {kScoreBlockRuleId, "Static", TextFrom::kFixed, "", WS_BORDER, 100, 0, 1, 50, FontOf::kNone},
    {kLinkBlockRuleId, "Static", TextFrom::kFixed, "", WS_BORDER, 730, 0, 1, 50, FontOf::kNone},
};

// Where WM_SIZE puts the right-hand controls; a flagged x or width has the
// header's client width added to it.
struct HeaderPlace {
  int id;
  int x, y, width, height;
  bool xFromWidth, widthFromWidth, repaint;
};

const HeaderPlace kHeaderPlaces[] = {
    {kTitleId, 110, 3, -350, 18, false, true, false},
    {kLinkId, -134, 0, 115, 18, true, false, false},
    {kByLabelId, -134, 25, 26, 18, true, false, false},
    {kAuthorId, -107, 25, 105, 18, true, false, true},
    {kSaveButtonId, -204, 25, 55, 18, true, false, true},
    {kSubtitleId, 110, 19, -324, 28, false, true, true},
    {kLinkBlockRuleId, -145, 0, 1, 50, true, false, true},
    {kHideSolvedBoxId, -204, 0, 85, 18, true, false, true},
};

bool ShowsPictures() {
  return quiz && DisplayTraitsOf(quiz->data.displayMode).pictures;
}

const char* ControlText(const HeaderControl& control, char* score) {
  if (!quiz) return control.text;
  const QuizData& data = quiz->data;
  switch (control.textFrom) {
    case TextFrom::kFixed:
      return control.text;
    case TextFrom::kLink:
      return data.linkText;
    case TextFrom::kAuthor:
      return data.author;
    case TextFrom::kSubtitle:
      return data.subtitle;
    case TextFrom::kTitle:
      return data.title;
    case TextFrom::kScore:
      wsprintfA(score, " 0 / %d", data.questionCount);
      return score;
  }
  return control.text;
}

// The link font's character height is three quarters of the label's height.
HFONT MakeLinkFont(HWND link) {
  RECT client;
  GetClientRect(link, &client);
  LOGFONTA description = {};
  description.lfHeight = -(3 * client.bottom / 4);
  description.lfWeight = FW_NORMAL;
  description.lfUnderline = TRUE;
  return CreateFontIndirectA(&description);
}

void SetControlFont(HWND control, FontOf font) {
  switch (font) {
    case FontOf::kNone:
      return;
    case FontOf::kGui:
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                   TRUE);
      return;
    case FontOf::kLink:
      linkFont = MakeLinkFont(control);
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), FALSE);
      // Every static text of the program shows the hand from now on.
      if (HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_HAND))) {
        SetClassLongPtrA(control, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
      }
      return;
    case FontOf::kTitle:
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(quiz ? quiz->titleFont : nullptr),
                   FALSE);
      return;
    case FontOf::kScore:
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(quiz ? quiz->scoreFont : nullptr),
                   FALSE);
      return;
  }
}

void CreateHeaderControls(HWND header) {
  for (const HeaderControl& control : kHeaderControls) {
    if (control.id == kHideSolvedBoxId && !ShowsPictures()) continue;
    char score[kScoreTextSize];
    HWND window = CreateWindowExA(0, control.windowClass, ControlText(control, score),
                                  WS_CHILD | WS_VISIBLE | control.style, control.x, control.y,
                                  control.width, control.height, header,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                  GetModuleHandleA(nullptr), nullptr);
    SetControlFont(window, control.font);
  }
  headerBrush = CreateSolidBrush(kHeaderColour);
}

void LayOutHeader(HWND header, int width) {
  for (const HeaderPlace& place : kHeaderPlaces) {
    if (place.id == kHideSolvedBoxId && !ShowsPictures()) continue;
    HWND control = GetDlgItem(header, place.id);
    SetWindowPos(control, HWND_TOP, place.x + (place.xFromWidth ? width : 0), place.y,
                 place.width + (place.widthFromWidth ? width : 0), place.height,
                 SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    if (place.repaint) InvalidateRect(control, nullptr, FALSE);
  }
}

void RunHeaderCommand(WPARAM command) {
  switch (command) {
    case kLinkId:
      if (quiz)
        ShellExecuteA(nullptr, "open", quiz->data.linkText, nullptr, nullptr, SW_SHOWNORMAL);
      return;
    case kSaveButtonId:
      if (quiz) SaveProgress(*quiz, SaveMoment::kOnRequest);
      return;
    case kHideSolvedBoxId:
      if (quiz) ApplyHideSolved(*quiz);
      return;
  }
}

INT_PTR ColourHeaderStatic(HDC context, HWND control) {
  int id = GetDlgCtrlID(control);
  if (id < kFirstColouredId || id > kLastColouredId) return 0;
  SetBkMode(context, TRANSPARENT);
  if (id == kLinkId) SetTextColor(context, kLinkColour);
  return reinterpret_cast<INT_PTR>(headerBrush);
}

void ReleaseHeaderObjects() {
  if (headerBrush) DeleteObject(headerBrush);
  if (linkFont) DeleteObject(linkFont);
  headerBrush = nullptr;
  linkFont = nullptr;
}

}  // namespace

INT_PTR CALLBACK HeaderBarProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      CreateHeaderControls(header);
      return TRUE;
    case WM_SIZE:
      LayOutHeader(header, LOWORD(lParam));
      return 0;
    // Only the plain click (notification code 0) counts: the whole first
    // parameter is the control id.
    case WM_COMMAND:
      RunHeaderCommand(wParam);
      return 0;
    // No background mode is asked for: the brush alone paints the dialog.
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(headerBrush);
    case WM_CTLCOLORSTATIC:
      return ColourHeaderStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      ReleaseHeaderObjects();
      return 0;
  }
  return 0;
}

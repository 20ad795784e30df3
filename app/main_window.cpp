#include "app/main_window.h"

#include "app/player_state.h"
#include "progress/save_progress.h"

namespace {

constexpr COLORREF kFrameColour = RGB(212, 208, 200);
constexpr int kWheelNotchAway = 120;
constexpr int kWheelNotchTowards = 65416;  // -120 read as unsigned 16 bits

HBRUSH frameBrush = nullptr;

// Where WM_SIZE puts each child: a flagged coordinate or size has the client
// width (or height) added to it.
struct ChildPlace {
  enum Child { kPanel, kHeader, kCornerLabel } child;
  int x, y, width, height;
  bool xFromWidth, yFromHeight, widthFromWidth, heightFromHeight;
  bool bringToTop;
};

const ChildPlace kChildPlaces[] = {
    {ChildPlace::kPanel, 5, 50, -11, -68, false, false, true, true, false},
    {ChildPlace::kHeader, 5, 2, -11, 49, false, false, true, false, false},
    {ChildPlace::kCornerLabel, -145, -16, 150, 15, true, true, false, false, true},
};

HWND ChildWindow(HWND frame, ChildPlace::Child child) {
  switch (child) {
    case ChildPlace::kPanel:
      return quiz ? quiz->panelWindow : nullptr;
    case ChildPlace::kHeader:
      return quiz ? quiz->headerWindow : nullptr;
    case ChildPlace::kCornerLabel:
      return GetDlgItem(frame, kCornerLabelId);
  }
  return nullptr;
}

void LayOutChildren(HWND frame, int width, int height) {
  for (const ChildPlace& place : kChildPlaces) {
    HWND child = ChildWindow(frame, place.child);
    if (!child) continue;
    UINT flags = SWP_NOACTIVATE | SWP_NOOWNERZORDER | (place.bringToTop ? 0 : SWP_NOZORDER);
    SetWindowPos(child, HWND_TOP, place.x + (place.xFromWidth ? width : 0),
                 place.y + (place.yFromHeight ? height : 0),
                 place.width + (place.widthFromWidth ? width : 0),
                 place.height + (place.heightFromHeight ? height : 0), flags);
  }
}

void CreateCornerLabel(HWND frame) {
  RECT client;
  GetClientRect(frame, &client);
  HWND label =
      CreateWindowExA(0, "Static", quiz ? quiz->data.footerText : "", WS_CHILD | WS_VISIBLE, 720,
                      client.bottom - 16, 140, 15, frame, reinterpret_cast<HMENU>(kCornerLabelId),
                      GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  SendMessageA(frame, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
}

LRESULT ColourCornerLabel(HDC context, HWND control) {
  if (GetDlgCtrlID(control) != kCornerLabelId) return 0;
  // The label's text is drawn over the frame brush, not in a box of its own.
  SetBkMode(context, TRANSPARENT);
  return reinterpret_cast<LRESULT>(frameBrush);
}

void EndPlay() {
  if (quiz && quiz->panelWindow) DestroyWindow(quiz->panelWindow);
  if (quiz) quiz->panelWindow = nullptr;
  PostQuitMessage(0);
}

void SaveBeforeLeaving() {
  if (quiz) SaveProgress(*quiz, SaveMoment::kOnClosing);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  windowClass.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&windowClass) != 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateCornerLabel(window);
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) LayOutChildren(window, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_CLOSE:
      SaveBeforeLeaving();
      EndPlay();
      return 0;
    case WM_DESTROY:
      EndPlay();
      return 0;
    // Ending the Windows session destroys the window without WM_CLOSE: save
    // there as well, or what was typed since the last save is lost.
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) SaveBeforeLeaving();
      return 0;
    case WM_CTLCOLORSTATIC:
      return ColourCornerLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEWHEEL:
      if (quiz) ForwardWheel(quiz->panelWindow, wParam);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMainWindow(HINSTANCE instance, const char* title) {
  HWND frame =
      CreateWindowExA(0, kMainWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance, nullptr);
  RECT desktop, own;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(frame, &own);
  int width = own.right - own.left;
  int height = own.bottom - own.top;
  SetWindowPos(frame, nullptr, desktop.left + (desktop.right - desktop.left - width) / 2,
               desktop.top + (desktop.bottom - desktop.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  return frame;
}

void ForwardWheel(HWND panel, WPARAM wheelParam) {
  switch (HIWORD(wheelParam)) {
    case kWheelNotchAway:
      PostMessageA(panel, WM_VSCROLL, kWheelUpRequest, 0);
      break;
    case kWheelNotchTowards:
      PostMessageA(panel, WM_VSCROLL, kWheelDownRequest, 0);
      break;
  }
}

void CreateFrameBrush() {
  frameBrush = CreateSolidBrush(kFrameColour);
}

void DeleteFrameBrush() {
  if (frameBrush) DeleteObject(frameBrush);
  frameBrush = nullptr;
}

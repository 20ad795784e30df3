#include "tests/e2e/quiz_process.h"

#include <vector>

#include "app/control_ids.h"

namespace {

constexpr DWORD kStartLimitMs = 30000;
constexpr DWORD kExitLimitMs = 20000;
constexpr DWORD kTextLimitMs = 10000;
constexpr DWORD kPollMs = 50;

struct FrameSearch {
  DWORD process;
  HWND frame;
};

BOOL CALLBACK MatchFrame(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<FrameSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  // The frame is shown only once the header bar and every row of the panel are
  // built: an invisible frame is still starting up.
  if (owner != search->process || std::string(className) != "Tevra" || !IsWindowVisible(window))
    return TRUE;
  search->frame = window;
  return FALSE;
}

// The frame's child dialog that holds control `id`.
HWND ChildHolding(HWND frame, int id) {
  for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgItem(child, id)) return child;
  }
  return nullptr;
}

void PressEnterIn(HWND field) {
  PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(field, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
}

}  // namespace

QuizProcess::QuizProcess(const std::string& exe, const std::string& directory) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &info_)) {
    return;
  }
  FrameSearch search = {info_.dwProcessId, nullptr};
  for (DWORD waited = 0; waited < kStartLimitMs && !search.frame; waited += kPollMs) {
    if (WaitForSingleObject(info_.hProcess, kPollMs) == WAIT_OBJECT_0) return;
    EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&search));
  }
  WaitForInputIdle(info_.hProcess, kStartLimitMs);
  frame_ = search.frame;
  if (!frame_) return;
  header_ = ChildHolding(frame_, kScoreLabelId);
  panel_ = ChildHolding(frame_, kAnswerFieldBaseId + 1);
}

QuizProcess::~QuizProcess() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, kExitLimitMs);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

std::string QuizProcess::Text(HWND parent, int id) const {
  return WindowText(GetDlgItem(parent, id));
}

void QuizProcess::Answer(int fieldId, const std::string& text) {
  HWND field = GetDlgItem(panel_, fieldId);
  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  PressEnterIn(field);
}

void QuizProcess::TypeWithKeyboard(int fieldId, const std::string& text) {
  HWND field = GetDlgItem(panel_, fieldId);
  SetForegroundWindow(frame_);
  RECT rect;
  GetWindowRect(field, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  PumpFor(300);
  std::vector<INPUT> keys;
  for (char c : text) {
    WORD key = static_cast<WORD>(VkKeyScanA(c) & 0xFF);
    keys.push_back(KeyInput(key, false));
    keys.push_back(KeyInput(key, true));
  }
  keys.push_back(KeyInput(VK_RETURN, false));
  keys.push_back(KeyInput(VK_RETURN, true));
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

void QuizProcess::ClickSave() {
  SendMessageA(GetDlgItem(header_, kSaveButtonId), BM_CLICK, 0, 0);
}

bool QuizProcess::WaitForText(HWND parent, int id, const std::string& text) const {
  for (DWORD waited = 0; waited < kTextLimitMs; waited += kPollMs) {
    if (Text(parent, id) == text) return true;
    PumpFor(kPollMs);
  }
  return false;
}

std::string QuizProcess::WaitForChange(HWND parent, int id, const std::string& text) const {
  for (DWORD waited = 0; waited < kTextLimitMs; waited += kPollMs) {
    const std::string now = Text(parent, id);
    if (now != text) return now;
    PumpFor(kPollMs);
  }
  return text;
}

int QuizProcess::Close() {
  PostMessageA(frame_, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info_.hProcess, kExitLimitMs) != WAIT_OBJECT_0) {
    TerminateProcess(info_.hProcess, 1);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<int>(code);
}

std::string WindowsPath(std::string unixPath) {
  for (char& c : unixPath) {
    if (c == '/') c = '\\';
  }
  return "Z:" + unixPath;
}

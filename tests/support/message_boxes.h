// Message boxes shown by the code under test, answered at once so that they
// never block a test, and recorded.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Answers the next message boxes of this thread with OK, recording their
// captions and texts, for as long as it lives.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    instance_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    instance_ = nullptr;
  }
  void Clear() {
    captions.clear();
    texts.clear();
    owners.clear();
  }
  std::vector<std::string> captions;
  std::vector<std::string> texts;
  std::vector<HWND> owners;

 private:
  static constexpr int kMessageBoxTextId = 0xFFFF;
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && instance_) {
      HWND box = reinterpret_cast<HWND>(wParam);
      char className[32] = {};
      GetClassNameA(box, className, sizeof className);
      if (std::string(className) == "#32770") {
        char caption[256] = {};
        GetWindowTextA(box, caption, sizeof caption);
        instance_->captions.push_back(caption);
        char text[1024] = {};
        GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
        instance_->texts.push_back(text);
        instance_->owners.push_back(GetWindow(box, GW_OWNER));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline MessageBoxAnswerer* instance_ = nullptr;
  HHOOK hook_;
};

#include "app/keyboard_hook.h"

namespace {

HHOOK keyboardHook = nullptr;

bool IsKeyMessage(WPARAM message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP;
}

}  // namespace

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM event) {
  if (code == HC_ACTION && IsKeyMessage(message) &&
      reinterpret_cast<const KBDLLHOOKSTRUCT*>(event)->vkCode == VK_SNAPSHOT) {
    return 1;
  }
  return CallNextHookEx(keyboardHook, code, message, event);
}

void InstallKeyboardHook(HINSTANCE instance) {
  keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHookProc, instance, 0);
}

void RemoveKeyboardHook() {
  if (keyboardHook) UnhookWindowsHookEx(keyboardHook);
  keyboardHook = nullptr;
}

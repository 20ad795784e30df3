// Proves the whole path: a MinGW program under Wine creates real windows, sends
// them real messages and reads code page 1252 text back.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr int kEditId = 101;

LRESULT CALLBACK SmokeWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

HWND CreateSmokeWindow() {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = SmokeWindowProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "TevraSmoke";
  RegisterClassExA(&window_class);
  return CreateWindowExA(0, "TevraSmoke", "smoke", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(UiSmoke, EditControlKeepsCodePage1252Text) {
  HWND window = CreateSmokeWindow();
  ASSERT_NE(window, nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, window,
                              reinterpret_cast<HMENU>(kEditId), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(GetDlgItem(window, kEditId), edit);

  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\xC9t\xE9"));
  char text[16] = {};
  const LRESULT length =
      SendMessageA(edit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(length, 3);
  EXPECT_EQ(static_cast<unsigned char>(text[2]), 0xE9);
  EXPECT_STREQ(text, "Été");

  DestroyWindow(window);
}

TEST(UiSmoke, WindowDataKeepsAFullPointer) {
  HWND window = CreateSmokeWindow();
  ASSERT_NE(window, nullptr);
  static int anchor;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&anchor));
  EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA)), &anchor);
  DestroyWindow(window);
}

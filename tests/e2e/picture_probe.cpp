// Loaded into a quiz's user-interface thread by the driver's WH_CALLWNDPROC
// hook: a bitmap handle means something only in the process that made it, so
// the size of the bitmap a picture control shows is read here and sent back.
#include "tests/e2e/picture_probe.h"

#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == RegisterWindowMessageA(kProbeMessageName)) {
    const auto bitmap =
        reinterpret_cast<HBITMAP>(SendMessageA(call->hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info = {};
    SIZE size = {0, 0};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) size = {info.bmWidth, info.bmHeight};
    COPYDATASTRUCT reply = {kProbeReplyTag, sizeof size, &size};
    SendMessageA(reinterpret_cast<HWND>(call->wParam), WM_COPYDATA,
                 reinterpret_cast<WPARAM>(call->hwnd), reinterpret_cast<LPARAM>(&reply));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

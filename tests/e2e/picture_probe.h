// What the driver and the probe DLL loaded into a quiz agree on: the message
// that asks a picture control for its bitmap size, and the tag of the reply.
#pragma once

#include <windows.h>

// Sent to a picture control with the driver's window as wParam; the reply is a
// WM_COPYDATA of one SIZE (0 x 0 when the control shows no bitmap).
constexpr char kProbeMessageName[] = "TevraProbePictureBitmap";
constexpr ULONG_PTR kProbeReplyTag = 0x7E5A;

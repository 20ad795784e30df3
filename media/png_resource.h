// The Win32 side of the PNG decoder: PNG pictures stored plain as RT_RCDATA
// resources of the player's module, decoded into DIB sections.
#pragma once

#include <windows.h>

#include "media/png_decoder.h"

// Finds resource id of type RT_RCDATA in module and validates it as a PNG.
// Fails with PngErrBusy on a descriptor that holds an image, PngErrNoResource
// when there is no such resource, PngErrResource when it is empty.
bool PngLoadResource(PngImage* png, HMODULE module, int id);

// A top-down DIB section of a decoded image, or null (PngErrState before
// PngDecode, PngErrBitmap when GDI fails, or an invalid filter type).
HBITMAP PngCreateBitmap(PngImage* png);

// The PNG picture of resource id, fitted to the box, or null. A missing
// resource is silent; a picture that fails to decode or to become a bitmap
// is reported in a message box.
HBITMAP LoadPngResource(HMODULE module, int id, int boxWidth, int boxHeight);

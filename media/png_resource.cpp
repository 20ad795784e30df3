#include "media/png_resource.h"

#include <cstddef>

#include "media/picture_resource.h"

namespace {

// The decoder's bitmap description is handed to GDI as a BITMAPINFO.
static_assert(sizeof(BITMAPINFOHEADER) == kBitmapInfoHeaderSize);
static_assert(offsetof(PngBitmapInfo, biClrImportant) ==
              offsetof(BITMAPINFOHEADER, biClrImportant));
static_assert(offsetof(PngBitmapInfo, colours) == sizeof(BITMAPINFOHEADER));
static_assert(sizeof(PngRgbQuad) == sizeof(RGBQUAD));

bool Fail(PngImage* png, uint32_t error) {
  png->error = error;
  return false;
}

void ShowPngFailure(const char* text) {
  MessageBoxA(nullptr, text, "Information", MB_OK | MB_ICONERROR);
}

}  // namespace

bool PngLoadResource(PngImage* png, HMODULE module, int id) {
  // A busy descriptor is refused before any resource is looked at.
  if (png->state != kPngStateEmpty || png->source != kPngSourceNone) return Fail(png, PngErrBusy);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
  if (found == nullptr) return Fail(png, PngErrNoResource);
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return Fail(png, PngErrResource);
  return PngLoadResource(png, static_cast<const uint8_t*>(bytes), size);
}

HBITMAP PngCreateBitmap(PngImage* png) {
  PngBitmapInfo info;
  if (!PngBuildBitmapInfo(png, &info)) return nullptr;
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&info),
                                     DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (section == nullptr || bits == nullptr) {
    if (section != nullptr) DeleteObject(section);
    Fail(png, PngErrBitmap);
    return nullptr;
  }
  const size_t bitsSize = size_t{PngDibRowBytes(info)} * png->height;
  if (!PngReconstructRows(png, static_cast<uint8_t*>(bits), bitsSize)) {
    DeleteObject(section);
    return nullptr;
  }
  return section;
}

HBITMAP LoadPngResource(HMODULE module, int id, int boxWidth, int boxHeight) {
  PngImage png;
  PngInit(&png);
  // No such resource is the usual case of a question without a picture.
  if (!PngLoadResource(&png, module, id)) return nullptr;
  const char* failure = nullptr;
  HBITMAP section = nullptr;
  if (!PngDecode(&png)) {
    failure = kPngDecodeFailedText;
  } else if ((section = PngCreateBitmap(&png)) == nullptr) {
    failure = kPngBitmapFailedText;
  }
  PngCleanup(&png);
  if (failure != nullptr) {
    ShowPngFailure(failure);
    return nullptr;
  }
  return FitBitmapToBox(section, boxWidth, boxHeight);
}

#include "media/picture_resource.h"

#include <objbase.h>
#include <olectl.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "media/nibble_swap.h"
#include "media/picture_fit.h"
#include "media/png_resource.h"

namespace {

// The copy of a decoded picture failed: the player says so, naming the call.
void ShowCopyFailure(DWORD error) {
  char text[96];
  std::snprintf(text, sizeof text, "%s plante avec l'erreur : %d\n", "CopyImage",
                static_cast<int>(error));
  MessageBoxA(nullptr, text, "Information", MB_OK | MB_ICONINFORMATION);
}

// An independent copy of the picture's bitmap, which dies with the picture.
HBITMAP CopyPictureBitmap(IPicture* picture) {
  // The loader also reads icons and metafiles, whose handles are no bitmaps:
  // such a resource is no picture for a question, not a failed copy.
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture->get_Handle(&handle))) {
    return nullptr;
  }
  HANDLE copy =
      CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0);
  if (copy == nullptr) ShowCopyFailure(GetLastError());
  return static_cast<HBITMAP>(copy);
}

// A stream over a private copy of bytes; the stream frees the copy.
IStream* CreateByteStream(const uint8_t* bytes, size_t length) {
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, length);
  if (block == nullptr) return nullptr;
  std::memcpy(block, bytes, length);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return nullptr;
  }
  return stream;
}

}  // namespace

HBITMAP DecodeOlePicture(const uint8_t* bytes, size_t length) {
  // The loader is told the length as a LONG.
  if (bytes == nullptr || length == 0 || length > LONG_MAX) return nullptr;
  const HRESULT com = CoInitialize(nullptr);
  HBITMAP result = nullptr;
  IStream* stream = CreateByteStream(bytes, length);
  IPicture* picture = nullptr;
  if (stream != nullptr &&
      SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(length), FALSE, IID_IPicture,
                               reinterpret_cast<void**>(&picture))) &&
      picture != nullptr) {
    result = CopyPictureBitmap(picture);
  }
  if (picture != nullptr) picture->Release();
  if (stream != nullptr) stream->Release();
  // A thread already in another apartment keeps it, and is not left.
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

HBITMAP FitBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight) {
  if (bitmap == nullptr) return nullptr;
  BITMAP source = {};
  const PictureSize size =
      GetObjectA(bitmap, sizeof source, &source) != 0
          ? FitPictureSize(source.bmWidth, source.bmHeight, boxWidth, boxHeight)
          : PictureSize{0, 0};
  if (size.width == 0 || size.height == 0) {
    DeleteObject(bitmap);
    return nullptr;
  }
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP fitted = CreateCompatibleBitmap(screen, size.width, size.height);
  HGDIOBJ oldFrom = SelectObject(from, bitmap);
  HGDIOBJ oldTo = SelectObject(to, fitted);
  SetStretchBltMode(to, HALFTONE);
  StretchBlt(to, 0, 0, size.width, size.height, from, 0, 0, source.bmWidth, source.bmHeight,
             SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return fitted;
}

HBITMAP LoadPictureResource(HMODULE module, int id, const char* type, int boxWidth, int boxHeight) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr) return LoadPngResource(module, id, boxWidth, boxHeight);
  const auto* stored = static_cast<const uint8_t*>(LockResource(loaded));
  const DWORD size = SizeofResource(module, found);
  if (stored == nullptr || size == 0) return nullptr;
  // The resource stays scrambled, so every load sees the same bytes.
  const std::unique_ptr<uint8_t[]> picture = DescrambledCopy(stored, size);
  if (picture == nullptr) return nullptr;
  return FitBitmapToBox(DecodeOlePicture(picture.get(), size), boxWidth, boxHeight);
}

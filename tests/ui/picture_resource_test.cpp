// Question pictures loaded from this test program's own resources, stored as
// the player stores them (see the picture list in CMakeLists.txt).
#include "media/picture_resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "media/png_resource.h"
#include "tests/support/message_boxes.h"

namespace {

constexpr int kBmp600x300 = 401;
constexpr int kPng100x200 = 402;
constexpr int kJpeg300x300 = 403;
constexpr int kGif8x3 = 404;
constexpr int kAdam7Png50x100 = 405;
constexpr int kBadFilterPng = 406;
constexpr int kCorruptPng = 407;
constexpr int kGarbageImage = 408;
constexpr int kNoPicture = 409;

HBITMAP Load(int id, int boxWidth = 300, int boxHeight = 300) {
  return LoadPictureResource(GetModuleHandleA(nullptr), id, kImageResourceType, boxWidth,
                             boxHeight);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

COLORREF PixelAt(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

std::vector<unsigned char> PixelBytes(HBITMAP bitmap) {
  const SIZE size = BitmapSize(bitmap);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<unsigned char> bytes(size_t(size.cx) * size.cy * 4);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, size.cy, bytes.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bytes;
}

// The test pictures are a red-to-blue gradient from top to bottom with a
// yellow bar along the top of their left third.
void ExpectUpright(HBITMAP bitmap, const char* what) {
  const SIZE size = BitmapSize(bitmap);
  const COLORREF top = PixelAt(bitmap, 0, 0);
  const COLORREF bottom = PixelAt(bitmap, size.cx - 1, size.cy - 1);
  EXPECT_GT(GetRValue(top), 200) << what;
  EXPECT_GT(GetGValue(top), 200) << what;
  EXPECT_GT(GetBValue(bottom), 200) << what;
  EXPECT_LT(GetRValue(bottom), 60) << what;
}

TEST(PictureResource, EveryStoredFormatFillsItsBoxUpright) {
  struct Row {
    int id;
    int boxWidth, boxHeight;
    SIZE fitted;
    const char* what;
  };
  const Row rows[] = {
      {kBmp600x300, 300, 300, {300, 150}, "scrambled BMP, reduced"},
      {kPng100x200, 300, 300, {150, 300}, "plain PNG, enlarged"},
      {kJpeg300x300, 300, 300, {300, 300}, "scrambled JPEG, same size"},
      {kGif8x3, 10, 10, {10, 3}, "scrambled GIF, fractional size truncated"},
      {kAdam7Png50x100, 300, 300, {150, 300}, "interlaced PNG"},
  };
  MessageBoxAnswerer boxes;
  for (const Row& row : rows) {
    HBITMAP bitmap = Load(row.id, row.boxWidth, row.boxHeight);
    ASSERT_NE(bitmap, nullptr) << row.what;
    const SIZE size = BitmapSize(bitmap);
    EXPECT_EQ(size.cx, row.fitted.cx) << row.what;
    EXPECT_EQ(size.cy, row.fitted.cy) << row.what;
    if (row.id != kGif8x3) ExpectUpright(bitmap, row.what);
    DeleteObject(bitmap);
  }
  EXPECT_TRUE(boxes.texts.empty());
}

TEST(PictureResource, LoadingTwiceGivesEqualPictures) {
  for (int id : {kBmp600x300, kPng100x200}) {
    HBITMAP first = Load(id);
    HBITMAP second = Load(id);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(PixelBytes(first), PixelBytes(second)) << id;
    DeleteObject(first);
    DeleteObject(second);
  }
}

TEST(PictureResource, MissingOrUnreadablePicturesAreSilentButBrokenPngsAreReported) {
  struct Row {
    int id;
    const char* message;  // null: nothing is shown
  };
  const Row rows[] = {
      {kNoPicture, nullptr},
      {kGarbageImage, nullptr},
      {kBadFilterPng, "Error: couldn't create bitmap"},
      {kCorruptPng, "Error: couldn't decode PNG resource"},
  };
  for (const Row& row : rows) {
    MessageBoxAnswerer boxes;
    EXPECT_EQ(Load(row.id), nullptr) << row.id;
    if (row.message == nullptr) {
      EXPECT_TRUE(boxes.texts.empty()) << row.id;
    } else {
      ASSERT_EQ(boxes.texts.size(), 1u) << row.id;
      EXPECT_EQ(boxes.texts[0], row.message);
      EXPECT_EQ(boxes.captions[0], "Information");
    }
  }
}

TEST(PictureResource, PngStepsRefuseToRunOutOfOrder) {
  HMODULE module = GetModuleHandleA(nullptr);
  PngImage png;
  PngInit(&png);
  EXPECT_EQ(PngCreateBitmap(&png), nullptr);
  EXPECT_EQ(png.error, PngErrState);
  EXPECT_FALSE(PngLoadResource(&png, module, kNoPicture));
  EXPECT_EQ(png.error, PngErrNoResource);
  ASSERT_TRUE(PngLoadResource(&png, module, kPng100x200));
  EXPECT_FALSE(PngLoadResource(&png, module, kNoPicture)) << "a busy descriptor is refused first";
  EXPECT_EQ(png.error, PngErrBusy);
  EXPECT_EQ(PngCreateBitmap(&png), nullptr);
  EXPECT_EQ(png.error, PngErrState);
  ASSERT_TRUE(PngDecode(&png));
  HBITMAP section = PngCreateBitmap(&png);
  ASSERT_NE(section, nullptr);
  DIBSECTION dib = {};
  ASSERT_EQ(GetObjectA(section, sizeof dib, &dib), int(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 24) << "16-bit RGB becomes 24-bit B, G, R";
  ExpectUpright(section, "the DIB section itself is top-down");
  DeleteObject(section);
  PngCleanup(&png);
  EXPECT_EQ(png.state, kPngStateEmpty);
}

TEST(PictureResource, FitToBoxOwnsItsInput) {
  EXPECT_EQ(FitBitmapToBox(nullptr, 300, 300), nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 20);
  HBITMAP sliver = CreateCompatibleBitmap(screen, 1, 400);
  ReleaseDC(nullptr, screen);
  HBITMAP fitted = FitBitmapToBox(bitmap, 300, 300);
  EXPECT_EQ(GetObjectType(bitmap), 0u) << "the input bitmap is deleted";
  EXPECT_EQ(BitmapSize(fitted).cx, 300);
  EXPECT_EQ(BitmapSize(fitted).cy, 150);
  DeleteObject(fitted);
  EXPECT_EQ(FitBitmapToBox(sliver, 300, 0), nullptr) << "a box of no height holds nothing";
}

}  // namespace

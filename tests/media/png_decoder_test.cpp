#include "media/png_decoder.h"

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/media/png_builder.h"
#include "tests/media/png_test_support.h"

namespace {

constexpr uint8_t kGrey = 0, kRgb = 2, kIndexed = 3, kGreyAlpha = 4, kRgba = 6;

int Channels(uint8_t colourType) {
  return colourType == kRgb ? 3 : colourType == kGreyAlpha ? 2 : colourType == kRgba ? 4 : 1;
}

// An image of one row of the given pixels, not interlaced, with a palette when indexed.
std::vector<uint8_t> OneRowPng(uint8_t depth, uint8_t colourType, const std::vector<Pixel>& row,
                               const std::vector<uint8_t>& palette = {}) {
  PngFile png;
  png.Ihdr(static_cast<uint32_t>(row.size()), 1, depth, colourType);
  if (!palette.empty()) png.Chunk("PLTE", palette);
  return png.Idat(PackImage({row}, depth, false)).Iend().bytes;
}

DecodedDib Decode(const std::vector<uint8_t>& file) {
  DecodedDib dib;
  EXPECT_EQ(DecodeToDib(file, &dib), PngErrNone);
  return dib;
}

std::vector<uint8_t> DibRow(const DecodedDib& dib, uint32_t y, size_t bytes) {
  const uint8_t* row = dib.bits.data() + size_t{y} * PngDibRowBytes(dib.info);
  return std::vector<uint8_t>(row, row + bytes);
}

TEST(PngDecoderTest, OneGreyPixelGivesAnEightBitTopDownDibWithAGreyRamp) {
  const DecodedDib dib = Decode(OneRowPng(8, kGrey, {{0x7F}}));
  EXPECT_EQ(dib.info.biSize, 40u);
  EXPECT_EQ(dib.info.biWidth, 1);
  EXPECT_EQ(dib.info.biHeight, -1);
  EXPECT_EQ(dib.info.biPlanes, 1);
  EXPECT_EQ(dib.info.biBitCount, 8);
  EXPECT_EQ(dib.info.biCompression, 0u);
  EXPECT_EQ(dib.info.biSizeImage, 0u);
  EXPECT_EQ(dib.info.biClrUsed, 256u);
  EXPECT_EQ(PngDibRowBytes(dib.info), 4u);
  EXPECT_EQ(dib.bits[0], 0x7F);
  for (int i : {0, 1, 128, 255}) {
    EXPECT_EQ(dib.info.colours[i].rgbRed, i);
    EXPECT_EQ(dib.info.colours[i].rgbBlue, i);
    EXPECT_EQ(dib.info.colours[i].rgbReserved, 0);
  }
}

// Each colour type and bit depth: the DIB's bit count, colour table size and first row bytes.
TEST(PngDecoderTest, OutputFormatOfEveryColourTypeAndDepth) {
  const std::vector<uint8_t> palette = {10, 20, 30, 40, 50, 60, 70, 80, 90};  // three colours
  struct Case {
    uint8_t colourType, depth;
    std::vector<Pixel> row;
    uint16_t bitCount;
    uint32_t clrUsed;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {kGrey, 1, {{1}, {0}, {1}, {1}, {0}, {0}, {0}, {1}, {1}}, 1, 2, {0xB1, 0x80}},
      {kGrey, 2, {{0}, {1}, {2}, {3}, {3}}, 4, 4, {0x01, 0x23, 0x30}},
      {kGrey, 4, {{0xA}, {0x5}, {0xF}}, 4, 16, {0xA5, 0xF0}},
      {kGrey, 8, {{0x00}, {0x80}, {0xFF}}, 8, 256, {0x00, 0x80, 0xFF}},
      {kGrey, 16, {{0x1234}, {0xFF00}}, 8, 256, {0x12, 0xFF}},
      {kIndexed, 1, {{1}, {0}, {1}}, 1, 0, {0xA0}},
      {kIndexed, 2, {{0}, {1}, {2}}, 4, 0, {0x01, 0x20}},
      {kIndexed, 4, {{2}, {1}}, 4, 0, {0x21}},
      {kIndexed, 8, {{2}, {0}}, 8, 0, {2, 0}},
      {kRgb, 8, {{1, 2, 3}, {4, 5, 6}}, 24, 0, {3, 2, 1, 6, 5, 4}},
      {kRgb, 16, {{0x1234, 0x5678, 0x9ABC}}, 24, 0, {0x9A, 0x56, 0x12}},
      {kGreyAlpha, 8, {{0x40, 0x80}, {0x41, 0x00}}, 8, 256, {0x40, 0x41}},
      {kGreyAlpha, 16, {{0x4142, 0x8081}}, 8, 256, {0x41}},
      {kRgba, 8, {{1, 2, 3, 4}}, 32, 0, {3, 2, 1, 4}},
      {kRgba, 16, {{0x1011, 0x2021, 0x3031, 0x4041}}, 32, 0, {0x30, 0x20, 0x10, 0x40}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "colour type " << int(c.colourType) << ", depth " << int(c.depth));
    const DecodedDib dib = Decode(OneRowPng(
        c.depth, c.colourType, c.row, c.colourType == kIndexed ? palette : std::vector<uint8_t>{}));
    EXPECT_EQ(dib.info.biBitCount, c.bitCount);
    EXPECT_EQ(dib.info.biClrUsed, c.clrUsed);
    EXPECT_EQ(DibRow(dib, 0, c.bytes.size()), c.bytes);
    EXPECT_EQ(PngDibRowBytes(dib.info) % 4, 0u);
  }
}

TEST(PngDecoderTest, GreyRampsAndPaletteTables) {
  DecodedDib dib = Decode(OneRowPng(2, kGrey, {{0}}));
  ASSERT_EQ(PngColourTableCount(dib.info), 4u);
  const int twoBit[] = {0, 85, 170, 255};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(dib.info.colours[i].rgbGreen, twoBit[i]);
  dib = Decode(OneRowPng(4, kGrey, {{0}}));
  ASSERT_EQ(PngColourTableCount(dib.info), 16u);
  EXPECT_EQ(dib.info.colours[1].rgbRed, 17);
  EXPECT_EQ(dib.info.colours[15].rgbRed, 255);
  dib = Decode(OneRowPng(1, kGrey, {{0}}));
  ASSERT_EQ(PngColourTableCount(dib.info), 2u);
  EXPECT_EQ(dib.info.colours[1].rgbBlue, 255);

  // PLTE entries become (blue, green, red, 0); biClrUsed stays 0 and the rest is zero.
  dib = Decode(OneRowPng(2, kIndexed, {{0}}, {10, 20, 30, 40, 50, 60, 70, 80, 90}));
  EXPECT_EQ(dib.info.biClrUsed, 0u);
  EXPECT_EQ(PngColourTableCount(dib.info), 16u);
  const PngRgbQuad second = dib.info.colours[1];
  EXPECT_EQ(second.rgbBlue, 60);
  EXPECT_EQ(second.rgbGreen, 50);
  EXPECT_EQ(second.rgbRed, 40);
  EXPECT_EQ(dib.info.colours[3].rgbRed, 0);
}

// Every Adam7 size class (passes without pixels included) gives the DIB of the plain image.
TEST(PngDecoderTest, Adam7MatchesThePlainTwin) {
  struct Format {
    uint8_t colourType, depth;
  };
  const Format formats[] = {{kGrey, 1}, {kGrey, 2},  {kGrey, 4},    {kGrey, 8},
                            {kRgb, 8},  {kRgba, 16}, {kIndexed, 4}, {kGreyAlpha, 8}};
  const std::vector<uint8_t> palette(3 * 16, 7);
  for (const Format& f : formats) {
    for (auto [width, height] : {std::pair{1, 1}, {3, 3}, {2, 5}, {5, 2}, {9, 7}, {17, 3}}) {
      SCOPED_TRACE(testing::Message()
                   << int(f.colourType) << "/" << int(f.depth) << " " << width << "x" << height);
      std::vector<std::vector<Pixel>> rows(height);
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          Pixel p;
          for (int c = 0; c < Channels(f.colourType); ++c) {
            p.push_back(static_cast<uint16_t>((x * 7 + y * 13 + c * 5 + x * y) %
                                              (f.depth == 16 ? 65536 : 1 << f.depth)));
          }
          rows[y].push_back(p);
        }
      }
      std::vector<uint8_t> files[2];
      for (int interlace = 0; interlace < 2; ++interlace) {
        PngFile png;
        png.Ihdr(width, height, f.depth, f.colourType, static_cast<uint8_t>(interlace));
        if (f.colourType == kIndexed) png.Chunk("PLTE", palette);
        files[interlace] = png.Idat(PackImage(rows, f.depth, interlace)).Iend().bytes;
      }
      const DecodedDib plain = Decode(files[0]);
      const DecodedDib interlaced = Decode(files[1]);
      EXPECT_EQ(plain.bits, interlaced.bits);
    }
  }
}

// Several IDAT chunks, some empty, with chunks the decoder skips around them; CRCs and the
// Adler-32 are zero (wrong) everywhere.
TEST(PngDecoderTest, SplitImageDataAndSkippedChunks) {
  const std::vector<uint8_t> stream = StoredZlib(PackImage({{{1}, {2}}, {{3}, {4}}}, 8, false));
  PngFile png;
  png.Ihdr(2, 2, 8, kGrey).Chunk("tEXt", {'a', 0, 'b'}).Chunk("gAMA", {0, 0, 0, 1});
  png.Chunk("IDAT", {}).Chunk("IDAT", {stream.begin(), stream.begin() + 5});
  png.Chunk("IDAT", {}).Chunk("IDAT", {stream.begin() + 5, stream.end()}).Chunk("IDAT", {});
  png.Chunk("tRNS", {0, 1}).Iend().Chunk("zzZz", {1, 2, 3});  // the walk goes on after IEND
  const DecodedDib dib = Decode(png.bytes);
  EXPECT_EQ(DibRow(dib, 0, 2), (std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(DibRow(dib, 1, 2), (std::vector<uint8_t>{3, 4}));
}

TEST(PngDecoderTest, FiltersUndone) {
  // Two RGB rows: the first with Sub, the second with each other filter in turn, against the
  // values the PNG rules give for a row above of (10,20,30, 40,50,60).
  const std::vector<uint8_t> firstRow = {1, 10, 20, 30, 30, 30, 30};  // Sub: left + 30 each
  struct Case {
    uint8_t filter;
    std::vector<uint8_t> bytes;  // after the filter byte
    std::vector<uint8_t> rgb;
  };
  const Case cases[] = {
      {0, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
      {2, {1, 2, 3, 4, 5, 6}, {11, 22, 33, 44, 55, 66}},
      // Average: first pixel (0 + above) / 2, then (left + above) / 2.
      {3, {1, 1, 1, 1, 1, 1}, {6, 11, 16, 1 + (6 + 40) / 2, 1 + (11 + 50) / 2, 1 + (16 + 60) / 2}},
      // Paeth: first pixel predicts above; second: a=left, b=above, c=upper left.
      {4, {1, 1, 1, 0, 0, 0}, {11, 21, 31, 40, 50, 60}},
      {4, {200, 0, 0, 0, 0, 0}, {210, 20, 30, 210, 50, 60}},  // red predicts left
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.filter));
    std::vector<uint8_t> data = firstRow;
    data.push_back(c.filter);
    data.insert(data.end(), c.bytes.begin(), c.bytes.end());
    const DecodedDib dib = Decode(PngFile().Ihdr(2, 2, 8, kRgb).Idat(data).Iend().bytes);
    EXPECT_EQ(DibRow(dib, 0, 6), (std::vector<uint8_t>{30, 20, 10, 60, 50, 40}));
    const std::vector<uint8_t> row = DibRow(dib, 1, 6);
    EXPECT_EQ(row,
              (std::vector<uint8_t>{c.rgb[2], c.rgb[1], c.rgb[0], c.rgb[5], c.rgb[4], c.rgb[3]}));
  }
}

// Which step fails, with which code. Files are built from a valid 2 x 1 grey image.
TEST(PngDecoderTest, MalformedFilesFailCleanly) {
  const std::vector<uint8_t> goodData = {0, 1, 2};
  auto grey = [&](auto edit) {
    PngFile png;
    edit(png);
    return png.bytes;
  };
  enum Step { kLoad, kDecode, kRows };
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    Step step;
    uint32_t error;
  };
  std::vector<uint8_t> badSignature = OneRowPng(8, kGrey, {{1}, {2}});
  badSignature[1] = 'Q';
  std::vector<uint8_t> ihdrCut = OneRowPng(8, kGrey, {{1}});
  ihdrCut.resize(18);
  std::vector<uint8_t> preset = StoredZlib(goodData);
  preset[1] |= 0x20;
  std::vector<uint8_t> method7 = StoredZlib(goodData);
  method7[0] = 0x77;
  std::vector<uint8_t> noFinal = StoredZlib(goodData);
  noFinal[2] = 0;  // the only block loses its final flag
  std::vector<uint8_t> indexed;
  const Case cases[] = {
      {"bad signature", badSignature, kLoad, PngErrInvalid},
      {"15 bytes",
       {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D'},
       kLoad,
       PngErrInvalid},
      {"IHDR cut short", ihdrCut, kLoad, PngErrInvalid},
      {"first chunk not IHDR",
       grey([&](PngFile& p) { p.Chunk("tEXt", {}).Ihdr(2, 1, 8, kGrey).Idat(goodData).Iend(); }),
       kLoad, PngErrInvalid},
      {"IHDR of 12 bytes", grey([&](PngFile& p) {
         p.Chunk("IHDR", {0, 0, 0, 2, 0, 0, 0, 1, 8, 0, 0, 0}).Idat(goodData).Iend();
       }),
       kLoad, PngErrInvalid},
      {"zero width", grey([&](PngFile& p) { p.Ihdr(0, 1, 8, kGrey).Idat(goodData).Iend(); }), kLoad,
       PngErrInvalid},
      {"zero height", grey([&](PngFile& p) { p.Ihdr(2, 0, 8, kGrey).Idat(goodData).Iend(); }),
       kLoad, PngErrInvalid},
      {"grey 3 bits", grey([&](PngFile& p) { p.Ihdr(2, 1, 3, kGrey).Idat(goodData).Iend(); }),
       kLoad, PngErrUnsupported},
      {"truecolour 4 bits", grey([&](PngFile& p) { p.Ihdr(2, 1, 4, kRgb).Idat(goodData).Iend(); }),
       kLoad, PngErrUnsupported},
      {"indexed 16 bits", grey([&](PngFile& p) {
         p.Ihdr(2, 1, 16, kIndexed).Chunk("PLTE", {1, 2, 3}).Idat(goodData);
       }),
       kLoad, PngErrUnsupported},
      {"colour type 5", grey([&](PngFile& p) { p.Ihdr(2, 1, 8, 5).Idat(goodData).Iend(); }), kLoad,
       PngErrUnsupported},
      {"grey alpha 4 bits",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 4, kGreyAlpha).Idat(goodData).Iend(); }), kLoad,
       PngErrUnsupported},
      {"compression method 1",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey, 0, 1).Idat(goodData).Iend(); }), kLoad,
       PngErrUnsupported},
      {"filter method 1",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey, 0, 0, 1).Idat(goodData).Iend(); }), kLoad,
       PngErrUnsupported},
      {"interlace method 2",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey, 2).Idat(goodData).Iend(); }), kLoad,
       PngErrUnsupported},
      {"unknown critical chunk",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey).Idat(goodData).Chunk("ZXCV", {}).Iend(); }),
       kLoad, PngErrUnsupported},
      {"indexed without PLTE",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kIndexed).Idat(goodData).Iend(); }), kLoad,
       PngErrInvalid},
      {"PLTE of 257 entries", grey([&](PngFile& p) {
         p.Ihdr(2, 1, 8, kIndexed).Chunk("PLTE", std::vector<uint8_t>(3 * 257)).Idat(goodData);
       }),
       kLoad, PngErrInvalid},
      {"no IDAT", grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey).Iend(); }), kLoad, PngErrInvalid},
      {"IDAT running past the end",
       [&] {
         std::vector<uint8_t> f = grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey).Idat(goodData); });
         f.resize(f.size() - 2);
         return f;
       }(),
       kLoad, PngErrInvalid},
      {"preset dictionary",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey).Chunk("IDAT", preset).Iend(); }), kDecode,
       PngErrInvalid},
      {"compression method 7 in zlib",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey).Chunk("IDAT", method7).Iend(); }), kDecode,
       PngErrInvalid},
      {"no final block",
       grey([&](PngFile& p) { p.Ihdr(2, 1, 8, kGrey).Chunk("IDAT", noFinal).Iend(); }), kDecode,
       PngErrInvalid},
      {"more data than the image", grey([&](PngFile& p) {
         p.Ihdr(2, 1, 8, kGrey).Idat({0, 1, 2, 3}).Iend();
       }),
       kDecode, PngErrInvalid},
      {"less data than the image",
       grey([&](PngFile& p) { p.Ihdr(2, 2, 8, kGrey).Idat(goodData).Iend(); }), kDecode,
       PngErrInvalid},
      {"image data interrupted by another chunk", grey([&](PngFile& p) {
         const std::vector<uint8_t> s = StoredZlib(goodData);
         p.Ihdr(2, 1, 8, kGrey).Chunk("IDAT", {s.begin(), s.begin() + 4}).Chunk("tEXt", {});
         p.Chunk("IDAT", {s.begin() + 4, s.end()}).Iend();
       }),
       kDecode, PngErrInvalid},
      {"more than 8192 x 8192 pixels",
       grey([&](PngFile& p) { p.Ihdr(8193, 8192, 8, kGrey).Idat(goodData).Iend(); }), kDecode,
       PngErrNoMemory},
      {"a side above 32768",
       grey([&](PngFile& p) { p.Ihdr(32769, 1, 8, kGrey).Idat(goodData).Iend(); }), kDecode,
       PngErrNoMemory},
      {"sizes beyond 32 bits",
       grey([&](PngFile& p) { p.Ihdr(0xFFFFFFFF, 0xFFFFFFFF, 16, kRgba).Idat(goodData).Iend(); }),
       kDecode, PngErrNoMemory},
      {"8192 x 8192 passes the size check",
       grey([&](PngFile& p) { p.Ihdr(8192, 8192, 8, kGrey).Idat(goodData).Iend(); }), kDecode,
       PngErrInvalid},
      {"filter type 5", grey([&](PngFile& p) {
         p.Ihdr(2, 1, 8, kGrey).Idat({5, 1, 2}).Iend();
       }),
       kRows, PngErrInvalid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PngImage png;
    PngInit(&png);
    const bool loaded = PngLoadResource(&png, c.file.data(), static_cast<uint32_t>(c.file.size()));
    ASSERT_EQ(loaded, c.step != kLoad);
    if (!loaded) {
      EXPECT_EQ(png.error, c.error);
      EXPECT_EQ(png.source, kPngSourceNone);
      EXPECT_EQ(png.state, kPngStateEmpty);
      continue;
    }
    const bool decoded = PngDecode(&png);
    ASSERT_EQ(decoded, c.step != kDecode);
    if (!decoded) {
      EXPECT_EQ(png.error, c.error);
      EXPECT_EQ(png.state, kPngStateLoaded);
      EXPECT_EQ(png.raw, nullptr);
      PngCleanup(&png);
      continue;
    }
    PngBitmapInfo info;
    ASSERT_TRUE(PngBuildBitmapInfo(&png, &info));
    std::vector<uint8_t> bits(size_t{PngDibRowBytes(info)} * png.height);
    EXPECT_FALSE(PngReconstructRows(&png, bits.data(), bits.size()));
    EXPECT_EQ(png.error, c.error);
    PngCleanup(&png);
  }
}

TEST(PngDecoderTest, OperationsOutOfOrder) {
  const std::vector<uint8_t> file = OneRowPng(8, kGrey, {{1}, {2}});
  PngImage png;
  PngInit(&png);
  PngBitmapInfo info;
  uint8_t bits[4];
  EXPECT_FALSE(PngDecode(&png));
  EXPECT_EQ(png.error, PngErrState);
  EXPECT_FALSE(PngLoadResource(&png, nullptr, 0));
  EXPECT_EQ(png.error, PngErrResource);
  ASSERT_TRUE(PngLoadResource(&png, file.data(), static_cast<uint32_t>(file.size())));
  EXPECT_EQ(png.state, kPngStateLoaded);
  EXPECT_FALSE(PngLoadResource(&png, file.data(), static_cast<uint32_t>(file.size())));
  EXPECT_EQ(png.error, PngErrBusy);
  EXPECT_FALSE(PngBuildBitmapInfo(&png, &info));
  EXPECT_EQ(png.error, PngErrState);
  EXPECT_FALSE(PngReconstructRows(&png, bits, sizeof bits));
  EXPECT_EQ(png.error, PngErrState);
  ASSERT_TRUE(PngDecode(&png));
  EXPECT_EQ(png.state, kPngStateDecoded);
  EXPECT_EQ(png.rawSize, 3u);
  EXPECT_FALSE(PngReconstructRows(&png, bits, 3));  // a DIB buffer too small is refused
  ASSERT_TRUE(PngReconstructRows(&png, bits, sizeof bits));
  EXPECT_EQ(png.state, kPngStateDecoded);  // rows can be rebuilt from the same data
  ASSERT_TRUE(PngReconstructRows(&png, bits, sizeof bits));
  EXPECT_EQ(bits[1], 2);
  PngCleanup(&png);
  EXPECT_EQ(png.state, kPngStateEmpty);
  EXPECT_EQ(png.raw, nullptr);
  EXPECT_EQ(png.data, nullptr);
  EXPECT_TRUE(PngLoadResource(&png, file.data(), static_cast<uint32_t>(file.size())));
  PngCleanup(&png);
}

}  // namespace

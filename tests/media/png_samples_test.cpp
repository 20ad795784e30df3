// The decoder against ImageMagick's PNG writer and libpng: every colour type and bit depth,
// plain and Adam7, compared pixel by pixel with libpng after the decoder's documented
// conversions (16-bit samples cut to their high byte, low-depth grey scaled to 0-255, alpha
// kept only for truecolour with alpha). Native builds only.
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/media/libpng_memory_reader.h"
#include "tests/media/png_test_support.h"

namespace {

// One folder per test process: ctest may run the cases of this suite side by side.
const std::string kSampleDir =
    TEVRA_MEDIA_TEST_DIR "/png-samples-" + std::to_string(static_cast<long>(getpid()));

struct SampleKind {
  const char* name;
  uint8_t colourType;
  uint8_t bitDepth;
};

const SampleKind kKinds[] = {
    {"grey1", 0, 1},        {"grey2", 0, 2},    {"grey4", 0, 4},    {"grey8", 0, 8},
    {"grey16", 0, 16},      {"indexed1", 3, 1}, {"indexed2", 3, 2}, {"indexed4", 3, 4},
    {"indexed8", 3, 8},     {"rgb8", 2, 8},     {"rgb16", 2, 16},   {"greyalpha8", 4, 8},
    {"greyalpha16", 4, 16}, {"rgba8", 6, 8},    {"rgba16", 6, 16},
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// libpng's reading of the file as 8-bit RGBA, with the same reductions the decoder makes.
bool DecodeWithLibpng(const std::vector<uint8_t>& file, uint32_t* width, uint32_t* height,
                      std::vector<uint8_t>* rgba) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{&file, 0};
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_palette_to_rgb(png);
  png_set_expand_gray_1_2_4_to_8(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  rgba->assign(size_t{*width} * *height * 4, 0);
  for (uint32_t y = 0; y < *height; ++y) rows.push_back(rgba->data() + size_t{y} * *width * 4);
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

class PngSamplesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string command =
        std::string(TEVRA_SOURCE_DIR "/scripts/make-png-samples ") + kSampleDir;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(kSampleDir); }
};

void ExpectSameAsLibpng(const std::string& file, const SampleKind& kind, bool interlaced) {
  SCOPED_TRACE(file);
  const std::vector<uint8_t> bytes = ReadFile(file);
  ASSERT_FALSE(bytes.empty());
  DecodedDib dib;
  ASSERT_EQ(DecodeToDib(bytes, &dib), PngErrNone);
  ASSERT_EQ(dib.colourType, kind.colourType) << "ImageMagick wrote another colour type";
  ASSERT_EQ(dib.bitDepth, kind.bitDepth) << "ImageMagick wrote another bit depth";
  ASSERT_EQ(dib.interlace, interlaced ? 1 : 0);
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> expected;
  ASSERT_TRUE(DecodeWithLibpng(bytes, &width, &height, &expected));
  ASSERT_EQ(dib.width, width);
  ASSERT_EQ(dib.height, height);
  ASSERT_EQ(dib.info.biHeight, -static_cast<int32_t>(height));
  const bool keepsAlpha = kind.colourType == 6;
  int mismatches = 0;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* e = expected.data() + (size_t{y} * width + x) * 4;
      const Rgba want{e[0], e[1], e[2], keepsAlpha ? e[3] : uint8_t{255}};
      const Rgba got = DibPixel(dib, x, y);
      if (!(got == want) && ++mismatches <= 3) {
        ADD_FAILURE() << "pixel " << x << "," << y << ": got " << int(got.r) << " " << int(got.g)
                      << " " << int(got.b) << " " << int(got.a) << ", libpng " << int(want.r) << " "
                      << int(want.g) << " " << int(want.b) << " " << int(want.a);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(PngSamplesTest, EveryColourTypeAndDepthMatchesLibpng) {
  for (const SampleKind& kind : kKinds) {
    ExpectSameAsLibpng(kSampleDir + "/" + kind.name + ".png", kind, false);
    ExpectSameAsLibpng(kSampleDir + "/" + kind.name + "-adam7.png", kind, true);
  }
}

// Pictures large enough for long back-references and image data split over many IDAT chunks.
TEST_F(PngSamplesTest, LargerPicturesMatchLibpng) {
  const std::string dir = kSampleDir + "-large";
  const std::string command =
      std::string(TEVRA_SOURCE_DIR "/scripts/make-png-samples ") + dir + " 301 203";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  int splitFiles = 0;
  for (const SampleKind& kind : kKinds) {
    for (const char* suffix : {".png", "-adam7.png"}) {
      const std::string file = dir + "/" + kind.name + suffix;
      const std::vector<uint8_t> bytes = ReadFile(file);
      const std::string text(bytes.begin(), bytes.end());
      if (text.find("IDAT") != text.rfind("IDAT")) ++splitFiles;
      ExpectSameAsLibpng(file, kind, suffix[1] == 'a');
    }
  }
  std::filesystem::remove_all(dir);
  EXPECT_GT(splitFiles, 0);
}

TEST_F(PngSamplesTest, Adam7GivesTheSameDibAsItsPlainTwin) {
  for (const SampleKind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    DecodedDib plain, interlaced;
    ASSERT_EQ(DecodeToDib(ReadFile(kSampleDir + "/" + kind.name + ".png"), &plain), PngErrNone);
    ASSERT_EQ(DecodeToDib(ReadFile(kSampleDir + "/" + kind.name + "-adam7.png"), &interlaced),
              PngErrNone);
    ASSERT_EQ(plain.info.biBitCount, interlaced.info.biBitCount);
    for (uint32_t y = 0; y < plain.height; ++y) {
      for (uint32_t x = 0; x < plain.width; ++x) {
        ASSERT_TRUE(DibPixel(plain, x, y) == DibPixel(interlaced, x, y)) << x << "," << y;
      }
    }
  }
}

// Damaged files must end in a failure or a DIB, never in a read or write out of bounds (the
// sanitized build is the one that proves it).
TEST_F(PngSamplesTest, BitFlipsAndTruncationsEndCleanly) {
  for (const char* name : {"indexed2-adam7", "greyalpha8-adam7", "rgba8"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> original = ReadFile(kSampleDir + "/" + name + ".png");
    ASSERT_FALSE(original.empty());
    int failures = 0;
    for (size_t length = 0; length < original.size(); ++length) {
      DecodedDib dib;
      std::vector<uint8_t> cut(original.begin(), original.begin() + length);
      if (DecodeToDib(cut, &dib) != PngErrNone) ++failures;
    }
    for (size_t i = 0; i < original.size(); ++i) {
      std::vector<uint8_t> flipped = original;
      flipped[i] ^= static_cast<uint8_t>(1 << (i % 8));  // one bit per byte, each bit in turn
      DecodedDib dib;
      if (DecodeToDib(flipped, &dib) != PngErrNone) ++failures;
    }
    EXPECT_GT(failures, 0);
  }
}

}  // namespace

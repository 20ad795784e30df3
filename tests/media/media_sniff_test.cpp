// Naming of the temporary media files: the extension table on the first bytes
// and the path made from the temporary directory and the resource id.
#include "media/media_sniff.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct SniffCase {
  const char* what;
  std::vector<uint8_t> head;
  const char* extension;
  // Names the test after the case, not after a dump of its bytes and pointers.
  friend void PrintTo(const SniffCase& c, std::ostream* os) { *os << c.what; }
};

std::vector<uint8_t> Bytes(const char* text, size_t size) {
  return std::vector<uint8_t>(text, text + size);
}

class SniffMediaExtensionTest : public testing::TestWithParam<SniffCase> {};

TEST_P(SniffMediaExtensionTest, ChoosesTheExtensionOfTheTable) {
  const SniffCase& c = GetParam();
  EXPECT_STREQ(SniffMediaExtension(c.head.data(), c.head.size()), c.extension) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SniffMediaExtensionTest,
    testing::Values(
        SniffCase{"RIFF WAVE", Bytes("RIFF\x24\x08\x00\x00WAVEfmt ", 16), "WAV"},
        SniffCase{"RIFF AVI", Bytes("RIFF\x24\x08\0\0AVI LIST", 16), "AVI"},
        SniffCase{"RIFF of another kind", Bytes("RIFF\x24\x08\x00\x00RMID", 12), "MP3"},
        SniffCase{"ID3 tag", Bytes("ID3\x04\x00\x00\x00\x00\x08\x00", 10), "MP3"},
        SniffCase{"MPEG audio frame", {0xFF, 0xFB, 0x90, 0x64}, "MP3"},
        SniffCase{"0xFF then zero", {0xFF, 0x00, 0x01, 0x02}, "MPG"},
        SniffCase{"MPEG pack header",
                  {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01},
                  "MPG"},
        SniffCase{"zero byte, A at offset 8", Bytes("\0\0\0\0\0\0\0\0A", 9), "AVI"},
        SniffCase{"zero byte, W at offset 8 is a video too", Bytes("\0\0\0\0\0\0\0\0W", 9), "AVI"},
        SniffCase{"ASF header", {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11}, "WMV"},
        SniffCase{"MIDI", Bytes("MThd\0\0\0\x06", 8), "MID"},
        SniffCase{"Ogg, outside the table", Bytes("OggS\0\x02", 6), "MP3"},
        SniffCase{"lower-case r is not RIFF", Bytes("riff\0\0\0\0WAVE", 12), "MP3"},
        // Offset 8 lies past the end: the rows for "any other b8" apply.
        SniffCase{"R, 8 bytes", Bytes("RIFF\0\0\0\0", 8), "MP3"},
        SniffCase{"R alone", Bytes("R", 1), "MP3"},
        SniffCase{"zero byte, 8 bytes", Bytes("\0\0\0\0\0\0\0\0", 8), "MPG"},
        SniffCase{"zero byte alone", {0x00}, "MPG"},
        SniffCase{"0xFF alone: no second byte is not zero", {0xFF}, "MP3"},
        SniffCase{"empty", {}, "MP3"}));

// Data of exactly `size` bytes on the heap, filled with "W": a sanitizer build
// catches any read of offset 8 past the end, and the result shows whether the
// ninth byte was taken into account.
TEST(SniffMediaExtension, ShortDataNeverMatchesTheNinthByte) {
  struct Case {
    uint8_t first;
    const char* shortExtension;  // sizes 1 to 8
    const char* nineBytes;
  } cases[] = {{0x52, "MP3", "WAV"}, {0x00, "MPG", "AVI"}, {0xFF, "MP3", "MP3"}};
  for (const Case& c : cases) {
    for (size_t size = 1; size <= 9; ++size) {
      std::vector<uint8_t> data(size, 'W');
      data[0] = c.first;
      EXPECT_STREQ(SniffMediaExtension(data.data(), size),
                   size == 9 ? c.nineBytes : c.shortExtension)
          << int{c.first} << " " << size;
    }
  }
}

TEST(FormatMediaPath, JoinsDirectoryIdAndExtension) {
  char path[kMediaPathSize];
  ASSERT_TRUE(FormatMediaPath("C:\\users\\q\\Temp\\", 405, "AVI", path, sizeof(path)));
  EXPECT_STREQ(path, "C:\\users\\q\\Temp\\tevra405.AVI");
}

TEST(FormatMediaPath, KeepsCodePage1252Directories) {
  char path[kMediaPathSize];
  ASSERT_TRUE(FormatMediaPath("C:\\Dossier \xE9t\xE9\\", 401, "WAV", path, sizeof(path)));
  EXPECT_STREQ(path, "C:\\Dossier \xE9t\xE9\\tevra401.WAV");
}

TEST(FormatMediaPath, AnUnreadDirectoryNamesAFileOfTheCurrentOne) {
  char path[kMediaPathSize] = "stale";
  ASSERT_TRUE(FormatMediaPath("", 401, "WAV", path, sizeof(path)));
  EXPECT_STREQ(path, "tevra401.WAV");
}

// The platform reports up to 255 characters of temporary directory; with
// "tevra496.WAV" that is 267, past what the file functions open.
TEST(FormatMediaPath, PathLengthBoundary) {
  const std::string name = "tevra496.WAV";
  struct Case {
    size_t directoryLength;
    bool made;
  } cases[] = {{kMaxMediaPathLength - name.size(), true},
               {kMaxMediaPathLength - name.size() + 1, false},
               {255, false},
               {kMediaTempDirSize - 1, false}};
  for (const Case& c : cases) {
    const std::string directory = std::string(c.directoryLength - 1, 'd') + "\\";
    char path[kMediaPathSize];
    EXPECT_EQ(FormatMediaPath(directory.c_str(), 496, "WAV", path, sizeof(path)), c.made)
        << c.directoryLength;
    if (c.made) {
      EXPECT_EQ(std::strlen(path), kMaxMediaPathLength);
      EXPECT_EQ(directory + name, path);
    } else {
      EXPECT_STREQ(path, "");
    }
  }
}

TEST(FormatMediaPath, RefusesWhatDoesNotFitTheBuffer) {
  char path[16];
  EXPECT_FALSE(FormatMediaPath("C:\\Temp\\", 401, "WAV", path, sizeof(path)));
  EXPECT_STREQ(path, "");
  EXPECT_FALSE(FormatMediaPath("C:\\", 401, "WAV", path, 0));
}

}  // namespace

// Recognising an author's media file and warning when the player would save it
// under another format's extension.
#include "tools/media_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FormatCase {
  const char* what;
  std::string bytes;
  const char* format;
  bool warned;
  // Names the test after the case, not after a dump of its bytes and pointers.
  friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.what; }
};

class MediaFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(MediaFormatTest, RecognisesAndWarnsOnlyOnAMismatch) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(RecogniseMediaFormat(c.bytes), c.format) << c.what;
  const MediaNaming naming = NameMedia(c.bytes);
  EXPECT_EQ(naming.format == naming.saved, !c.warned) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MediaFormatTest,
    testing::Values(
        FormatCase{"WAVE", std::string("RIFF\x24\0\0\0WAVEfmt ", 16), "WAV", false},
        FormatCase{"AVI", std::string("RIFF\x24\0\0\0AVI LIST", 16), "AVI", false},
        FormatCase{"ID3 tagged MP3", std::string("ID3\x04\0\0\0\0\0\x10", 10), "MP3", false},
        FormatCase{"bare MPEG audio frame", "\xFF\xFB\x90\x64", "MP3", false},
        FormatCase{"MPEG-2 audio frame", "\xFF\xF3\x90\x64", "MP3", false},
        FormatCase{"MPEG program stream", std::string("\0\0\x01\xBA\x44\0\x04\0\x04\x01", 10),
                   "MPG", false},
        FormatCase{"ASF (WMA or WMV)", "\x30\x26\xB2\x75\x8E\x66\xCF\x11", "WMV", false},
        FormatCase{"MIDI", std::string("MThd\0\0\0\x06", 8), "MID", false},
        // Formats outside the player's table: saved as .MP3 or .MPG.
        FormatCase{"Ogg", std::string("OggS\0\x02\0\0\0\0", 10), "OGG", true},
        FormatCase{"Matroska", "\x1A\x45\xDF\xA3\x01", "MKV", true},
        FormatCase{"MP4", std::string("\0\0\0\030ftypisom", 12), "MP4", true},
        FormatCase{"FLAC", "fLaC\0", "FLAC", true},
        // The player's own near misses.
        FormatCase{"MPEG video sequence: zero, then W at offset 8",
                   std::string("\0\0\x01\xB3\x14\0\xF0\x13W", 9), "MPG", true},
        FormatCase{"RIFF of another form", std::string("RIFF\x24\0\0\0RMID", 12), "", true},
        FormatCase{"WAVE without RIFF", std::string("RIFX\x24\0\0\0WAVE", 12), "", true},
        FormatCase{"unknown", "hello", "", true}, FormatCase{"empty", "", "", true},
        FormatCase{"cut short after RIFF", "RIFF\x24\0", "", true}));

TEST(NameMedia, GivesTheFormatAndTheExtensionTheFileIsSavedUnder) {
  const MediaNaming ogg = NameMedia(std::string("OggS\0\x02", 6));
  EXPECT_EQ(std::vector<std::string>({ogg.format, ogg.saved}),
            std::vector<std::string>({"OGG", "MP3"}));
  EXPECT_EQ(NameMedia("hello").format, "");
}

}  // namespace

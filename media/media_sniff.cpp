#include "media/media_sniff.h"

#include <cstdio>

namespace {

constexpr size_t kFormatTagOffset = 8;  // "WAVE" / "AVI " in a RIFF file

// A byte past the end of the data matches nothing.
int ByteAt(const uint8_t* data, size_t size, size_t offset) {
  return offset < size ? data[offset] : -1;
}

}  // namespace

const char* SniffMediaExtension(const uint8_t* data, size_t size) {
  const int first = ByteAt(data, size, 0);
  const int second = ByteAt(data, size, 1);
  const int tag = ByteAt(data, size, kFormatTagOffset);
  switch (first) {
    case 'R':  // RIFF
      if (tag == 'W') return "WAV";
      if (tag == 'A') return "AVI";
      return "MP3";
    case 0x00:  // MPEG program stream; a zero byte before "W" is still taken for a video
      return tag == 'A' || tag == 'W' ? "AVI" : "MPG";
    case 0xFF:  // MPEG audio frame sync, unless the next byte is zero
      return second == 0x00 ? "MPG" : "MP3";
    case '0':  // ASF header 30 26 B2 75
      return "WMV";
    case 'M':  // MThd
      return "MID";
    default:  // "ID3" and everything else
      return "MP3";
  }
}

bool FormatMediaPath(const char* tempDir, int resourceId, const char* extension, char* out,
                     size_t outSize) {
  if (outSize == 0) return false;
  out[0] = '\0';
  const int length = std::snprintf(out, outSize, "%stevra%d.%s", tempDir, resourceId, extension);
  if (length < 0 || static_cast<size_t>(length) >= outSize ||
      static_cast<size_t>(length) > kMaxMediaPathLength) {
    out[0] = '\0';
    return false;
  }
  return true;
}

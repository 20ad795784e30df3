#include "tools/media_format.h"

#include <cstdint>

#include "media/media_sniff.h"

namespace {

struct Signature {
  size_t offset;
  std::string_view bytes;
  const char* format;
};

using namespace std::string_view_literals;

constexpr uint8_t kFrameSync = 0xFF;
constexpr uint8_t kFrameSyncHighBits = 0xE0;  // the 11-bit MPEG audio sync spills into byte 1

// RIFF files are told apart by their form type at offset 8.
constexpr Signature kSignatures[] = {
    {8, "WAVE"sv, "WAV"},
    {8, "AVI "sv, "AVI"},
    {0, "ID3"sv, "MP3"},
    {0, "\x00\x00\x01\xBA"sv, "MPG"},  // program stream pack
    {0, "\x00\x00\x01\xB3"sv, "MPG"},  // elementary video sequence
    {0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11"sv, "WMV"},
    {0, "MThd"sv, "MID"},
    {0, "OggS"sv, "OGG"},
    {0, "\x1A\x45\xDF\xA3"sv, "MKV"},
    {4, "ftyp"sv, "MP4"},
    {0, "fLaC"sv, "FLAC"},
};

bool Matches(std::string_view bytes, const Signature& signature) {
  if (signature.offset == 8 && bytes.substr(0, 4) != "RIFF") return false;
  return bytes.size() >= signature.offset + signature.bytes.size() &&
         bytes.substr(signature.offset, signature.bytes.size()) == signature.bytes;
}

}  // namespace

std::string RecogniseMediaFormat(std::string_view bytes) {
  for (const Signature& signature : kSignatures) {
    if (Matches(bytes, signature)) return signature.format;
  }
  if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == kFrameSync &&
      (static_cast<uint8_t>(bytes[1]) & kFrameSyncHighBits) == kFrameSyncHighBits) {
    return "MP3";
  }
  return "";
}

MediaNaming NameMedia(std::string_view bytes) {
  return {RecogniseMediaFormat(bytes),
          SniffMediaExtension(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())};
}

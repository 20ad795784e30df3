// tevra-pack png: decodes a PNG file with the player's own decoder and writes the DIB the
// player would build from it as a BMP file, so that an author sees the picture as the player
// will show it (before fitting to its box).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/png_decoder.h"
#include "tools/commands.h"

namespace {

constexpr int kExitInput = 1;
constexpr int kExitUsage = 2;
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kMaxFileSize = UINT32_MAX;

void PrintPngUsage(FILE* out) {
  std::fprintf(out,
               "usage: tevra-pack png FILE.png -o OUT.bmp\n\n"
               "Decodes FILE.png as the player does and writes the bitmap it makes as a BMP:\n"
               "top-down rows, the same bit count, colour table and biClrUsed. When the player\n"
               "could not show the picture, prints why, writes nothing and exits 1.\n");
}

void Put16(std::vector<uint8_t>* out, uint32_t v) {
  out->push_back(static_cast<uint8_t>(v));
  out->push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>* out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The BMP file: file header, the BITMAPINFOHEADER, the colour table and the rows.
std::vector<uint8_t> MakeBmp(const PngBitmapInfo& info, const std::vector<uint8_t>& bits) {
  const uint32_t tableBytes = 4 * PngColourTableCount(info);
  const uint32_t offset = kFileHeaderSize + kBitmapInfoHeaderSize + tableBytes;
  std::vector<uint8_t> out = {'B', 'M'};
  Put32(&out, static_cast<uint32_t>(offset + bits.size()));
  Put32(&out, 0);  // two reserved words
  Put32(&out, offset);
  Put32(&out, info.biSize);
  Put32(&out, static_cast<uint32_t>(info.biWidth));
  Put32(&out, static_cast<uint32_t>(info.biHeight));
  Put16(&out, info.biPlanes);
  Put16(&out, info.biBitCount);
  Put32(&out, info.biCompression);
  Put32(&out, info.biSizeImage);
  Put32(&out, static_cast<uint32_t>(info.biXPelsPerMeter));
  Put32(&out, static_cast<uint32_t>(info.biYPelsPerMeter));
  Put32(&out, info.biClrUsed);
  Put32(&out, info.biClrImportant);
  for (uint32_t i = 0; i < tableBytes / 4; ++i) {
    const PngRgbQuad& q = info.colours[i];
    out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved});
  }
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

// Runs the player's steps; on failure says which one failed, as the player would, and why.
bool DecodePng(const std::vector<uint8_t>& file, PngBitmapInfo* info, std::vector<uint8_t>* bits,
               std::string* why) {
  PngImage png;
  PngInit(&png);
  if (!PngLoadResource(&png, file.data(), static_cast<uint32_t>(file.size()))) {
    *why = std::string("not a PNG the player can load (") + PngErrorName(png.error) + ")";
    return false;
  }
  bool ok = PngDecode(&png);
  if (!ok) {
    *why = std::string(kPngDecodeFailedText) + " (" + PngErrorName(png.error) + ")";
  } else {
    PngBuildBitmapInfo(&png, info);
    // The section the player gets from CreateDIBSection starts zeroed; so does this buffer.
    bits->assign(size_t{PngDibRowBytes(*info)} * png.height, 0);
    ok = PngReconstructRows(&png, bits->data(), bits->size());
    if (!ok) *why = std::string(kPngBitmapFailedText) + " (" + PngErrorName(png.error) + ")";
  }
  PngCleanup(&png);
  return ok;
}

}  // namespace

int RunPng(int argc, char** argv) {
  const char* input = nullptr;
  const char* output = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintPngUsage(stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc && !output) {
      output = argv[++i];
    } else if (argv[i][0] != '-' && !input) {
      input = argv[i];
    } else {
      PrintPngUsage(stderr);
      return kExitUsage;
    }
  }
  if (!input || !output) {
    PrintPngUsage(stderr);
    return kExitUsage;
  }
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "tevra-pack png: %s: cannot read the file\n", input);
    return kExitInput;
  }
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  if (file.size() > kMaxFileSize) {
    std::fprintf(stderr, "tevra-pack png: %s: larger than 4 GiB\n", input);
    return kExitInput;
  }
  PngBitmapInfo info;
  std::vector<uint8_t> bits;
  std::string why;
  if (!DecodePng(file, &info, &bits, &why)) {
    std::fprintf(stderr, "tevra-pack png: %s: %s\n", input, why.c_str());
    return kExitInput;
  }
  const std::vector<uint8_t> bmp = MakeBmp(info, bits);
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  out.close();
  if (!out) {
    std::remove(output);
    std::fprintf(stderr, "tevra-pack png: %s: cannot write the file\n", output);
    return kExitInput;
  }
  return 0;
}

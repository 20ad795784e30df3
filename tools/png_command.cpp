// tevra-pack png: decodes a PNG file with the player's own decoder and writes the DIB the
// player would build from it as a BMP file, so that an author sees the picture as the player
// will show it (before fitting to its box).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/byte_order.h"
#include "media/png_decoder.h"
#include "tools/commands.h"
#include "tools/output_files.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kMaxFileSize = UINT32_MAX;

void PrintPngUsage(FILE* out) {
  Print(out,
        "usage: tevra-pack png FILE.png -o OUT.bmp\n\n"
        "Decodes FILE.png as the player does and writes the bitmap it makes as a BMP:\n"
        "top-down rows, the same bit count, colour table and biClrUsed. When the player\n"
        "could not show the picture, prints why, writes nothing and exits 1.\n");
}

// The BMP file: file header, the BITMAPINFOHEADER, the colour table and the rows.
std::vector<uint8_t> MakeBmp(const PngBitmapInfo& info, const std::vector<uint8_t>& bits) {
  const uint32_t tableBytes = 4 * PngColourTableCount(info);
  const uint32_t offset = kFileHeaderSize + kBitmapInfoHeaderSize + tableBytes;
  std::vector<uint8_t> out = {'B', 'M'};
  AppendLittle32(&out, static_cast<uint32_t>(offset + bits.size()));
  AppendLittle32(&out, 0);  // two reserved words
  AppendLittle32(&out, offset);
  AppendLittle32(&out, info.biSize);
  AppendLittle32(&out, static_cast<uint32_t>(info.biWidth));
  AppendLittle32(&out, static_cast<uint32_t>(info.biHeight));
  AppendLittle16(&out, info.biPlanes);
  AppendLittle16(&out, info.biBitCount);
  AppendLittle32(&out, info.biCompression);
  AppendLittle32(&out, info.biSizeImage);
  AppendLittle32(&out, static_cast<uint32_t>(info.biXPelsPerMeter));
  AppendLittle32(&out, static_cast<uint32_t>(info.biYPelsPerMeter));
  AppendLittle32(&out, info.biClrUsed);
  AppendLittle32(&out, info.biClrImportant);
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
      return kExitOk;
    }
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc && !output) {
      output = argv[++i];
    } else if (argv[i][0] != '-' && !input) {
      input = argv[i];
    } else {
      PrintPngUsage(stderr);
      return kExitUsageError;
    }
  }
  if (!input || !output) {
    PrintPngUsage(stderr);
    return kExitUsageError;
  }
  std::string bytes, reason;
  if (!ReadWholeFile(input, &bytes, &reason)) {
    Print(stderr, "tevra-pack png: %s: cannot read the file (%s)\n", input, reason.c_str());
    return kExitInputError;
  }
  const std::vector<uint8_t> file(bytes.begin(), bytes.end());
  if (file.size() > kMaxFileSize) {
    Print(stderr, "tevra-pack png: %s: larger than 4 GiB\n", input);
    return kExitInputError;
  }
  PngBitmapInfo info;
  std::vector<uint8_t> bits;
  std::string why;
  if (!DecodePng(file, &info, &bits, &why)) {
    Print(stderr, "tevra-pack png: %s: %s\n", input, why.c_str());
    return kExitInputError;
  }
  const std::vector<uint8_t> bmp = MakeBmp(info, bits);
  std::ofstream out(NativePath(output), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  out.close();
  if (!out) {
    std::error_code ignored;
    std::filesystem::remove(NativePath(output), ignored);
    Print(stderr, "tevra-pack png: %s: cannot write the file\n", output);
    return kExitInputError;
  }
  return kExitOk;
}

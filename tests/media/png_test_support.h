// Test helpers for the PNG decoder: decoding a file into DIB bytes and reading pixels back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/png_decoder.h"

struct DecodedDib {
  PngBitmapInfo info;
  std::vector<uint8_t> bits;
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t colourType = 0;
  uint8_t bitDepth = 0;
  uint8_t interlace = 0;
};

struct Rgba {
  uint8_t r, g, b, a;
  bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

// Runs load, decode, bitmap info and row reconstruction; on failure returns the error code.
inline uint32_t DecodeToDib(const std::vector<uint8_t>& file, DecodedDib* out) {
  PngImage png;
  PngInit(&png);
  uint32_t error = PngErrNone;
  if (PngLoadResource(&png, file.data(), static_cast<uint32_t>(file.size())) && PngDecode(&png) &&
      PngBuildBitmapInfo(&png, &out->info)) {
    out->bits.assign(size_t{PngDibRowBytes(out->info)} * png.height, 0);
    if (PngReconstructRows(&png, out->bits.data(), out->bits.size())) {
      out->width = png.width;
      out->height = png.height;
      out->colourType = png.colourType;
      out->bitDepth = png.bitDepth;
      out->interlace = png.interlace;
    }
  }
  error = png.error;
  PngCleanup(&png);
  return error;
}

// The colour a DIB pixel shows; alpha is 255 unless the DIB has 32 bits per pixel.
inline Rgba DibPixel(const DecodedDib& dib, uint32_t x, uint32_t y) {
  const uint8_t* row = dib.bits.data() + size_t{y} * PngDibRowBytes(dib.info);
  const int bitCount = dib.info.biBitCount;
  if (bitCount >= 24) {
    const uint8_t* p = row + x * (bitCount / 8);
    return {p[2], p[1], p[0], bitCount == 32 ? p[3] : uint8_t{255}};
  }
  const uint32_t perByte = 8 / bitCount;
  const uint32_t shift = (perByte - 1 - x % perByte) * bitCount;
  const uint32_t index = (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
  const PngRgbQuad& q = dib.info.colours[index];
  return {q.rgbRed, q.rgbGreen, q.rgbBlue, 255};
}

// Builds small PNG files in memory for the decoder tests.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "tests/media/deflate_writer.h"

struct PngFile {
  static constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> bytes{std::begin(kSignature), std::end(kSignature)};

  // Appends a chunk with a zero CRC (the decoder doesn't check it).
  PngFile& Chunk(const std::string& type, const std::vector<uint8_t>& data) {
    const uint32_t n = static_cast<uint32_t>(data.size());
    bytes.insert(bytes.end(), {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                               static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    bytes.insert(bytes.end(), type.begin(), type.end());
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.insert(bytes.end(), 4, 0);
    return *this;
  }
  PngFile& Ihdr(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType,
                uint8_t interlace = 0, uint8_t compression = 0, uint8_t filter = 0) {
    return Chunk("IHDR", {static_cast<uint8_t>(width >> 24), static_cast<uint8_t>(width >> 16),
                          static_cast<uint8_t>(width >> 8), static_cast<uint8_t>(width),
                          static_cast<uint8_t>(height >> 24), static_cast<uint8_t>(height >> 16),
                          static_cast<uint8_t>(height >> 8), static_cast<uint8_t>(height), depth,
                          colourType, compression, filter, interlace});
  }
  PngFile& Idat(const std::vector<uint8_t>& filtered) {
    return Chunk("IDAT", StoredZlib(filtered));
  }
  PngFile& Iend() { return Chunk("IEND", {}); }
};

// A pixel's samples, one per channel, each at most the bit depth wide.
using Pixel = std::vector<uint16_t>;

// Packs rows of pixels into filtered image data (filter type 0 on every row); with adam7, the
// seven passes one after the other, each a small image of its own.
inline std::vector<uint8_t> PackImage(const std::vector<std::vector<Pixel>>& rows, int depth,
                                      bool adam7) {
  static const int kX0[7] = {0, 4, 0, 2, 0, 1, 0}, kY0[7] = {0, 0, 4, 0, 2, 0, 1};
  static const int kDx[7] = {8, 8, 4, 4, 2, 2, 1}, kDy[7] = {8, 8, 8, 4, 4, 2, 2};
  std::vector<uint8_t> out;
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  for (int p = 0; p < (adam7 ? 7 : 1); ++p) {
    const int x0 = adam7 ? kX0[p] : 0, y0 = adam7 ? kY0[p] : 0;
    const int dx = adam7 ? kDx[p] : 1, dy = adam7 ? kDy[p] : 1;
    if (x0 >= width) continue;
    for (int y = y0; y < height; y += dy) {
      out.push_back(0);
      int used = 8;  // bits used in the last byte
      for (int x = x0; x < width; x += dx) {
        for (uint16_t sample : rows[y][x]) {
          if (depth == 16) {
            out.push_back(static_cast<uint8_t>(sample >> 8));
            out.push_back(static_cast<uint8_t>(sample));
          } else if (depth == 8) {
            out.push_back(static_cast<uint8_t>(sample));
          } else {
            if (used == 8) {
              out.push_back(0);
              used = 0;
            }
            out.back() = static_cast<uint8_t>(out.back() | (sample << (8 - depth - used)));
            used += depth;
          }
        }
      }
    }
  }
  return out;
}

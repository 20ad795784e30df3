#include "media/png_decoder.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "media/byte_order.h"
#include "media/inflate.h"

namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kMinFileSize = 16;
constexpr uint32_t kChunkOverhead = 12;  // length, type, CRC
constexpr uint32_t kIhdrSize = 13;
constexpr uint32_t kMaxPaletteEntries = 256;
constexpr uint32_t kBiRgb = 0;

enum ColourType : uint8_t {
  kGrey = 0,
  kTruecolour = 2,
  kIndexed = 3,
  kGreyAlpha = 4,
  kTruecolourAlpha = 6,
};

enum FilterType : uint8_t { kFilterNone, kFilterSub, kFilterUp, kFilterAverage, kFilterPaeth };

// Adam7 pass origins and steps (columns, rows).
constexpr int kPassCount = 7;
constexpr uint32_t kPassX0[kPassCount] = {0, 4, 0, 2, 0, 1, 0};
constexpr uint32_t kPassY0[kPassCount] = {0, 0, 4, 0, 2, 0, 1};
constexpr uint32_t kPassDx[kPassCount] = {8, 8, 4, 4, 2, 2, 1};
constexpr uint32_t kPassDy[kPassCount] = {8, 8, 8, 4, 4, 2, 2};

bool IsChunkType(const uint8_t* chunk, const char* type) {
  return std::memcmp(chunk + 4, type, 4) == 0;
}

int ChannelCount(uint8_t colourType) {
  switch (colourType) {
    case kTruecolour:
      return 3;
    case kGreyAlpha:
      return 2;
    case kTruecolourAlpha:
      return 4;
    default:
      return 1;
  }
}

bool IsSupportedPair(uint8_t colourType, uint8_t bitDepth) {
  switch (colourType) {
    case kGrey:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case kIndexed:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case kTruecolour:
    case kGreyAlpha:
    case kTruecolourAlpha:
      return bitDepth == 8 || bitDepth == 16;
    default:
      return false;
  }
}

uint32_t BitsPerPixel(const PngImage& png) {
  return png.bitDepth * ChannelCount(png.colourType);
}

uint64_t FilteredRowBytes(uint64_t width, uint32_t bitsPerPixel) {
  return (width * bitsPerPixel + 7) / 8;
}

// Pixels of an Adam7 pass along one side: 0 when the image doesn't reach the pass's origin.
uint32_t PassExtent(uint32_t size, uint32_t origin, uint32_t step) {
  return size > origin ? (size - origin + step - 1) / step : 0;
}

bool Fail(PngImage* png, uint32_t error) {
  png->error = error;
  return false;
}

bool ValidateHeaders(PngImage* png) {
  png->cursor = nullptr;
  png->header = nullptr;
  png->firstIdat = nullptr;
  png->palette = nullptr;
  png->paletteCount = 0;
  png->error = PngErrNone;
  const uint8_t* data = png->data;
  const uint32_t size = png->dataSize;
  if (size < kMinFileSize || std::memcmp(data, kSignature, sizeof kSignature) != 0) {
    return Fail(png, PngErrInvalid);
  }
  // The IHDR must be whole: a shorter one would have the header fields read past it.
  uint32_t pos = sizeof kSignature;
  if (size - pos < kChunkOverhead + kIhdrSize) return Fail(png, PngErrInvalid);
  const uint32_t ihdrLength = LoadBig32(data + pos);
  if (!IsChunkType(data + pos, "IHDR") || ihdrLength < kIhdrSize ||
      ihdrLength > size - pos - kChunkOverhead) {
    return Fail(png, PngErrInvalid);
  }
  png->header = data + pos + 8;
  png->width = LoadBig32(png->header);
  png->height = LoadBig32(png->header + 4);
  if (png->width == 0 || png->height == 0) return Fail(png, PngErrInvalid);

  while (size - pos >= kChunkOverhead) {
    const uint8_t* chunk = data + pos;
    const uint32_t length = LoadBig32(chunk);
    if (length > size - pos - kChunkOverhead) break;
    png->cursor = chunk;
    if (IsChunkType(chunk, "PLTE")) {
      if (!png->palette) {
        png->palette = chunk + 8;
        png->paletteCount = length / 3;
      }
    } else if (IsChunkType(chunk, "IDAT")) {
      if (!png->firstIdat) png->firstIdat = chunk;
    } else if (!IsChunkType(chunk, "IHDR") && !IsChunkType(chunk, "IEND")) {
      const bool critical = chunk[4] >= 'A' && chunk[4] <= 'Z';
      if (critical) return Fail(png, PngErrUnsupported);
    }
    pos += kChunkOverhead + length;
  }

  const uint8_t* h = png->header;
  png->bitDepth = h[8];
  png->colourType = h[9];
  png->interlace = h[12];
  const uint8_t compression = h[10];
  const uint8_t filter = h[11];
  if (!IsSupportedPair(png->colourType, png->bitDepth) || compression != 0 || filter != 0 ||
      png->interlace > 1) {
    return Fail(png, PngErrUnsupported);
  }
  // Without these the decoder would read pixels from nowhere or colours past the table.
  if (!png->firstIdat || png->paletteCount > kMaxPaletteEntries ||
      (png->colourType == kIndexed && png->paletteCount == 0)) {
    return Fail(png, PngErrInvalid);
  }
  return true;
}

// Size of the filtered image data, 0 when it is beyond the decoder's limits.
uint32_t ComputeRawSize(const PngImage& png) {
  if (png.width > kPngMaxSide || png.height > kPngMaxSide ||
      uint64_t{png.width} * png.height > kPngMaxPixels) {
    return 0;
  }
  const uint32_t bpp = BitsPerPixel(png);
  uint64_t total = 0;
  if (png.interlace == 0) {
    total = png.height * (1 + FilteredRowBytes(png.width, bpp));
  } else {
    for (int p = 0; p < kPassCount; ++p) {
      const uint32_t w = PassExtent(png.width, kPassX0[p], kPassDx[p]);
      const uint32_t h = PassExtent(png.height, kPassY0[p], kPassDy[p]);
      if (w != 0 && h != 0) total += h * (1 + FilteredRowBytes(w, bpp));
    }
  }
  return total <= UINT32_MAX ? static_cast<uint32_t>(total) : 0;
}

struct FreeDeleter {
  void operator()(uint8_t* p) const { std::free(p); }
};
using HeapBytes = std::unique_ptr<uint8_t[], FreeDeleter>;

HeapBytes AllocateBytes(size_t size) {
  return HeapBytes(static_cast<uint8_t*>(std::malloc(size)));
}

// The compressed stream: the data of the first IDAT and of every IDAT right after it. A single
// IDAT is used in place; several are gathered into one buffer so that the decompressor reads
// one contiguous input.
bool GatherIdat(const PngImage& png, const uint8_t** stream, size_t* streamSize, HeapBytes* owned) {
  const uint8_t* end = png.data + png.dataSize;
  uint64_t total = 0;
  int chunks = 0;
  for (const uint8_t* c = png.firstIdat;
       static_cast<size_t>(end - c) >= kChunkOverhead && IsChunkType(c, "IDAT") &&
       LoadBig32(c) <= static_cast<size_t>(end - c) - kChunkOverhead;
       c += kChunkOverhead + LoadBig32(c)) {
    total += LoadBig32(c);
    ++chunks;
  }
  if (chunks == 1) {
    *stream = png.firstIdat + 8;
    *streamSize = LoadBig32(png.firstIdat);
    return true;
  }
  owned->reset(static_cast<uint8_t*>(std::malloc(total ? total : 1)));
  if (!*owned) return false;
  uint8_t* out = owned->get();
  const uint8_t* c = png.firstIdat;
  for (int i = 0; i < chunks; ++i, c += kChunkOverhead + LoadBig32(c)) {
    std::memcpy(out, c + 8, LoadBig32(c));
    out += LoadBig32(c);
  }
  *stream = owned->get();
  *streamSize = total;
  return true;
}

// ---- Row conversion: one unfiltered PNG row into the DIB's pixel format ----

using RowConverter = void (*)(const uint8_t* src, uint8_t* dst, uint32_t width, size_t srcBytes);

void CopyRow(const uint8_t* src, uint8_t* dst, uint32_t, size_t srcBytes) {
  std::memcpy(dst, src, srcBytes);
}

void Widen2To4(const uint8_t* src, uint8_t* dst, uint32_t width, size_t) {
  const uint32_t dstBytes = (width + 1) / 2;
  for (uint32_t i = 0; i < dstBytes; ++i) {
    const uint8_t b = src[i / 2];
    const int shift = (i & 1) ? 0 : 4;  // the high pair of samples, then the low pair
    const uint8_t pair = static_cast<uint8_t>(b >> shift);
    dst[i] = static_cast<uint8_t>((((pair >> 2) & 3) << 4) | (pair & 3));
  }
}

template <int kStride>
void PickFirstByte(const uint8_t* src, uint8_t* dst, uint32_t width, size_t) {
  for (uint32_t i = 0; i < width; ++i) dst[i] = src[i * kStride];
}

// kStep is the bytes per sample (1 or 2: the high byte of a 16-bit sample comes first).
template <int kStep>
void RgbToBgr(const uint8_t* src, uint8_t* dst, uint32_t width, size_t) {
  for (uint32_t i = 0; i < width; ++i, src += 3 * kStep, dst += 3) {
    dst[0] = src[2 * kStep];
    dst[1] = src[kStep];
    dst[2] = src[0];
  }
}

template <int kStep>
void RgbaToBgra(const uint8_t* src, uint8_t* dst, uint32_t width, size_t) {
  for (uint32_t i = 0; i < width; ++i, src += 4 * kStep, dst += 4) {
    dst[0] = src[2 * kStep];
    dst[1] = src[kStep];
    dst[2] = src[0];
    dst[3] = src[3 * kStep];
  }
}

struct OutputFormat {
  uint16_t bitCount;
  RowConverter convert;
  uint32_t greyEntries;  // 0: palette or no colour table
};

OutputFormat ChooseOutputFormat(const PngImage& png) {
  const bool grey = png.colourType == kGrey;
  switch (png.colourType) {
    case kGrey:
    case kIndexed:
      switch (png.bitDepth) {
        case 1:
          return {1, CopyRow, grey ? 2u : 0u};
        case 2:
          return {4, Widen2To4, grey ? 4u : 0u};
        case 4:
          return {4, CopyRow, grey ? 16u : 0u};
        case 8:
          return {8, CopyRow, grey ? 256u : 0u};
        default:
          return {8, PickFirstByte<2>, 256};
      }
    case kTruecolour:
      return png.bitDepth == 8 ? OutputFormat{24, RgbToBgr<1>, 0}
                               : OutputFormat{24, RgbToBgr<2>, 0};
    case kGreyAlpha:
      return png.bitDepth == 8 ? OutputFormat{8, PickFirstByte<2>, 256}
                               : OutputFormat{8, PickFirstByte<4>, 256};
    default:
      return png.bitDepth == 8 ? OutputFormat{32, RgbaToBgra<1>, 0}
                               : OutputFormat{32, RgbaToBgra<2>, 0};
  }
}

uint32_t DibRowBytes(uint32_t width, uint32_t bitCount) {
  return static_cast<uint32_t>((uint64_t{width} * bitCount + 31) / 32 * 4);
}

// ---- Unfiltering ----

inline uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter: cur = src with the prediction from the left neighbour (bpp bytes
// back) and the row above (prev) added back.
bool UnfilterRow(uint8_t filter, const uint8_t* src, const uint8_t* prev, uint8_t* cur, size_t n,
                 size_t bpp) {
  const size_t lead = bpp < n ? bpp : n;
  switch (filter) {
    case kFilterNone:
      std::memcpy(cur, src, n);
      return true;
    case kFilterSub:
      std::memcpy(cur, src, lead);
      for (size_t i = bpp; i < n; ++i) cur[i] = static_cast<uint8_t>(src[i] + cur[i - bpp]);
      return true;
    case kFilterUp:
      for (size_t i = 0; i < n; ++i) cur[i] = static_cast<uint8_t>(src[i] + prev[i]);
      return true;
    case kFilterAverage:
      for (size_t i = 0; i < lead; ++i) cur[i] = static_cast<uint8_t>(src[i] + prev[i] / 2);
      for (size_t i = bpp; i < n; ++i) {
        cur[i] = static_cast<uint8_t>(src[i] + ((cur[i - bpp] + prev[i]) >> 1));
      }
      return true;
    case kFilterPaeth:
      for (size_t i = 0; i < lead; ++i) cur[i] = static_cast<uint8_t>(src[i] + prev[i]);
      for (size_t i = bpp; i < n; ++i) {
        cur[i] = static_cast<uint8_t>(src[i] + Paeth(cur[i - bpp], prev[i], prev[i - bpp]));
      }
      return true;
    default:
      return false;
  }
}

// Stores `count` converted pixels of one Adam7 pass row at columns x0, x0 + dx, ... of a DIB
// row; sub-byte pixels are merged into bytes the DIB row already holds.
void ScatterPixels(const uint8_t* work, uint8_t* dibRow, uint32_t count, uint32_t x0, uint32_t dx,
                   uint32_t bitCount) {
  if (bitCount < 8) {
    const uint32_t perByte = 8 / bitCount;
    const uint32_t mask = (1u << bitCount) - 1;
    for (uint32_t i = 0, x = x0; i < count; ++i, x += dx) {
      const uint32_t shiftIn = (perByte - 1 - i % perByte) * bitCount;
      const uint32_t shiftOut = (perByte - 1 - x % perByte) * bitCount;
      const uint32_t value = (work[i / perByte] >> shiftIn) & mask;
      dibRow[x / perByte] = static_cast<uint8_t>(dibRow[x / perByte] | (value << shiftOut));
    }
    return;
  }
  const uint32_t pixelBytes = bitCount / 8;
  for (uint32_t i = 0, x = x0; i < count; ++i, x += dx) {
    std::memcpy(dibRow + x * pixelBytes, work + i * pixelBytes, pixelBytes);
  }
}

}  // namespace

const char* PngErrorName(uint32_t error) {
  switch (error) {
    case PngErrNone:
      return "PngErrNone";
    case PngErrNoMemory:
      return "PngErrNoMemory";
    case PngErrBusy:
      return "PngErrBusy";
    case PngErrInvalid:
      return "PngErrInvalid";
    case PngErrUnsupported:
      return "PngErrUnsupported";
    case PngErrState:
      return "PngErrState";
    case PngErrBitmap:
      return "PngErrBitmap";
    case PngErrNoResource:
      return "PngErrNoResource";
    case PngErrResource:
      return "PngErrResource";
    default:
      return "unknown error";
  }
}

void PngInit(PngImage* png) {
  std::memset(png, 0, sizeof *png);
}

bool PngLoadResource(PngImage* png, const uint8_t* data, uint32_t size) {
  if (png->state != kPngStateEmpty || png->source != kPngSourceNone) return Fail(png, PngErrBusy);
  if (!data || size == 0) return Fail(png, PngErrResource);
  png->data = data;
  png->dataSize = size;
  png->cursor = data;
  png->source = kPngSourceResource;
  if (!ValidateHeaders(png)) {
    png->source = kPngSourceNone;
    return false;
  }
  png->state = kPngStateLoaded;
  return true;
}

bool PngDecode(PngImage* png) {
  if (png->state != kPngStateLoaded) return Fail(png, PngErrState);
  const uint32_t rawSize = ComputeRawSize(*png);
  if (rawSize == 0) return Fail(png, PngErrNoMemory);
  const uint8_t* stream = nullptr;
  size_t streamSize = 0;
  HeapBytes gathered;
  if (!GatherIdat(*png, &stream, &streamSize, &gathered)) return Fail(png, PngErrNoMemory);
  HeapBytes raw = AllocateBytes(rawSize);
  if (!raw) return Fail(png, PngErrNoMemory);
  // Image data that stops short of the computed size is corrupt too: the missing rows would
  // otherwise come from uninitialised memory.
  size_t produced = 0;
  if (!InflateZlib(stream, streamSize, raw.get(), rawSize, &produced) || produced != rawSize) {
    return Fail(png, PngErrInvalid);
  }
  png->raw = raw.release();
  png->rawSize = rawSize;
  png->state = kPngStateDecoded;
  png->error = PngErrNone;
  return true;
}

bool PngBuildBitmapInfo(PngImage* png, PngBitmapInfo* info) {
  if (png->state != kPngStateDecoded) return Fail(png, PngErrState);
  std::memset(info, 0, sizeof *info);
  const OutputFormat format = ChooseOutputFormat(*png);
  info->biSize = kBitmapInfoHeaderSize;
  info->biWidth = static_cast<int32_t>(png->width);
  info->biHeight = -static_cast<int32_t>(png->height);
  info->biPlanes = 1;
  info->biBitCount = format.bitCount;
  info->biCompression = kBiRgb;
  if (format.greyEntries != 0) {
    info->biClrUsed = format.greyEntries;
    for (uint32_t i = 0; i < format.greyEntries; ++i) {
      const uint8_t level = static_cast<uint8_t>(i * 255 / (format.greyEntries - 1));
      info->colours[i] = {level, level, level, 0};
    }
  } else if (png->colourType == kIndexed) {
    for (uint32_t i = 0; i < png->paletteCount; ++i) {
      const uint8_t* rgb = png->palette + 3 * i;
      info->colours[i] = {rgb[2], rgb[1], rgb[0], 0};
    }
  }
  return true;
}

uint32_t PngDibRowBytes(const PngBitmapInfo& info) {
  return DibRowBytes(static_cast<uint32_t>(info.biWidth), info.biBitCount);
}

uint32_t PngColourTableCount(const PngBitmapInfo& info) {
  if (info.biClrUsed != 0) return info.biClrUsed;
  return info.biBitCount <= 8 ? 1u << info.biBitCount : 0;
}

bool PngReconstructRows(PngImage* png, uint8_t* bits, size_t bitsSize) {
  if (png->state != kPngStateDecoded) return Fail(png, PngErrState);
  const OutputFormat format = ChooseOutputFormat(*png);
  const uint32_t dibRowBytes = DibRowBytes(png->width, format.bitCount);
  if (bitsSize < uint64_t{dibRowBytes} * png->height) return Fail(png, PngErrInvalid);
  const uint32_t bpp = BitsPerPixel(*png);
  const size_t filterUnit = bpp >= 8 ? bpp / 8 : 1;
  const size_t maxRowBytes = FilteredRowBytes(png->width, bpp);
  HeapBytes rows = AllocateBytes(2 * maxRowBytes);
  HeapBytes work = AllocateBytes(png->interlace ? dibRowBytes : 1);
  if (!rows || !work) return Fail(png, PngErrNoMemory);
  const bool interlaced = png->interlace != 0;
  if (interlaced && format.bitCount < 8) std::memset(bits, 0, uint64_t{dibRowBytes} * png->height);

  const uint8_t* src = png->raw;
  for (int p = 0; p < (interlaced ? kPassCount : 1); ++p) {
    const uint32_t x0 = interlaced ? kPassX0[p] : 0, dx = interlaced ? kPassDx[p] : 1;
    const uint32_t y0 = interlaced ? kPassY0[p] : 0, dy = interlaced ? kPassDy[p] : 1;
    const uint32_t passWidth = PassExtent(png->width, x0, dx);
    const uint32_t passHeight = PassExtent(png->height, y0, dy);
    if (passWidth == 0 || passHeight == 0) continue;
    const size_t rowBytes = FilteredRowBytes(passWidth, bpp);
    uint8_t* prev = rows.get();
    uint8_t* cur = rows.get() + maxRowBytes;
    std::memset(prev, 0, rowBytes);
    for (uint32_t j = 0; j < passHeight; ++j) {
      if (!UnfilterRow(src[0], src + 1, prev, cur, rowBytes, filterUnit)) {
        return Fail(png, PngErrInvalid);
      }
      src += 1 + rowBytes;
      uint8_t* dibRow = bits + size_t{y0 + j * dy} * dibRowBytes;
      if (interlaced) {
        format.convert(cur, work.get(), passWidth, rowBytes);
        ScatterPixels(work.get(), dibRow, passWidth, x0, dx, format.bitCount);
      } else {
        format.convert(cur, dibRow, passWidth, rowBytes);
      }
      uint8_t* swap = prev;
      prev = cur;
      cur = swap;
    }
  }
  return true;
}

void PngCleanup(PngImage* png) {
  if (png->state == kPngStateDecoded) std::free(png->raw);
  PngInit(png);
}

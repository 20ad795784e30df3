// The PNG decoder: turns the bytes of a PNG file into the bytes of a top-down DIB and its
// BITMAPINFO. Everything here is plain computation; the Win32 side (the resource lookup and
// CreateDIBSection) wraps PngLoadResource, PngBuildBitmapInfo and PngReconstructRows.
//
// Output formats: greyscale 1/2/4/8/16 bits become 1/4/4/8/8-bit DIBs with a grey ramp
// (2-bit samples widened to 4-bit indices, 16-bit samples cut to their high byte); indexed
// 1/2/4/8 bits become 1/4/4/8-bit DIBs with the PLTE colours; truecolour becomes 24-bit B, G, R;
// greyscale with alpha becomes 8-bit grey (alpha dropped); truecolour with alpha becomes 32-bit
// B, G, R, A (not premultiplied). CRCs, the zlib check bits, Adler-32 and every ancillary chunk
// (tRNS, gAMA, ...) are ignored.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t PngErrNone = 0x0000;
constexpr uint32_t PngErrNoMemory = 0x1001;     // allocation failed, or the image is too large
constexpr uint32_t PngErrBusy = 0x1002;         // load on a descriptor that holds an image
constexpr uint32_t PngErrInvalid = 0x2000;      // not a PNG, or corrupt
constexpr uint32_t PngErrUnsupported = 0x2001;  // unknown critical chunk or header value
constexpr uint32_t PngErrState = 0x2003;        // operation out of order
constexpr uint32_t PngErrBitmap = 0x2006;       // GDI could not create the bitmap
constexpr uint32_t PngErrNoResource = 0x3001;   // no RT_RCDATA resource with that id
constexpr uint32_t PngErrResource = 0x3002;     // the resource can't be loaded or is empty

// What the player tells the user when a PNG picture fails to decode or to become a bitmap.
constexpr const char* kPngDecodeFailedText = "Error: couldn't decode PNG resource";
constexpr const char* kPngBitmapFailedText = "Error: couldn't create bitmap";

// Largest image PngDecode accepts (PngErrNoMemory beyond): 8192 x 8192 pixels in all, with
// neither side above 32768, so that large photos open while every size the decoder and the DIB
// compute (at most 8 bytes per pixel) stays far inside 32 bits.
constexpr uint32_t kPngMaxSide = 32768;
constexpr uint64_t kPngMaxPixels = uint64_t{8192} * 8192;

constexpr int32_t kPngSourceNone = 0;
constexpr int32_t kPngSourceResource = 2;  // data is borrowed from the caller (a resource)
constexpr int32_t kPngStateEmpty = 0;
constexpr int32_t kPngStateLoaded = 1;   // headers valid
constexpr int32_t kPngStateDecoded = 2;  // raw filled

struct PngImage {
  uint32_t width;
  uint32_t height;
  uint32_t error;
  uint32_t paletteCount;
  uint8_t colourType;
  uint8_t bitDepth;
  uint8_t interlace;
  const uint8_t* data;  // the PNG file, not owned
  uint32_t dataSize;
  const uint8_t* cursor;  // the chunk being examined
  uint8_t* raw;           // decompressed, still filtered image data (owned)
  uint32_t rawSize;
  const uint8_t* palette;  // first PLTE chunk's data, or null
  int32_t source;
  const uint8_t* header;     // IHDR chunk's data
  const uint8_t* firstIdat;  // first IDAT chunk (its length field)
  int32_t state;
};

struct PngRgbQuad {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
};

// The fields of a BITMAPINFOHEADER followed by its colour table, as the DIB needs them.
struct PngBitmapInfo {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // negative: top-down
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;  // BI_RGB
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
  PngRgbQuad colours[256];
};

constexpr uint32_t kBitmapInfoHeaderSize = 40;

// The name of an error code ("PngErrInvalid"), for tools and tests.
const char* PngErrorName(uint32_t error);

void PngInit(PngImage* png);

// Validates the PNG in data[0, size) (borrowed until PngCleanup) and records its headers.
bool PngLoadResource(PngImage* png, const uint8_t* data, uint32_t size);

// Decompresses all image data into raw.
bool PngDecode(PngImage* png);

// Fills the header and colour table of the DIB a decoded image becomes.
bool PngBuildBitmapInfo(PngImage* png, PngBitmapInfo* info);

// Bytes per DIB row (padded to 4) and entries of the colour table that follows the header.
uint32_t PngDibRowBytes(const PngBitmapInfo& info);
uint32_t PngColourTableCount(const PngBitmapInfo& info);

// Unfilters every row of a decoded image and stores it, converted, into the top-down DIB bits
// (bitsSize bytes, at least PngDibRowBytes x height). Fails on a filter type above 4.
bool PngReconstructRows(PngImage* png, uint8_t* bits, size_t bitsSize);

// Frees raw (when decoded) and zeroes the descriptor.
void PngCleanup(PngImage* png);

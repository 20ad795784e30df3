// The PNG decoder on any bytes, from the header walk to the DIB rows: every outcome must be a
// clean failure or a DIB, never a read or write outside the buffers. Seed corpus: the sample
// images, scripts/make-png-samples CORPUS-FOLDER (and again with a small size, e.g. 5 3).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/png_decoder.h"

namespace {

// Declared sizes beyond this are skipped after the load, so that one run never allocates
// hundreds of megabytes; the size checks themselves run on every input.
constexpr uint64_t kMaxFuzzPixels = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  PngImage png;
  PngInit(&png);
  if (!PngLoadResource(&png, data, static_cast<uint32_t>(size))) return 0;
  if (uint64_t{png.width} * png.height <= kMaxFuzzPixels && PngDecode(&png)) {
    PngBitmapInfo info;
    PngBuildBitmapInfo(&png, &info);
    std::vector<uint8_t> bits(size_t{PngDibRowBytes(info)} * png.height);
    PngReconstructRows(&png, bits.data(), bits.size());
  }
  PngCleanup(&png);
  return 0;
}

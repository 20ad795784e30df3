// The decompressor against zlib's compressor: every level and strategy, on data that mixes
// runs, repeats at all distances and noise. Native builds only.
#include <zlib.h>

#include <random>
#include <vector>

#include "gtest/gtest.h"
#include "media/inflate.h"

namespace {

std::vector<uint8_t> MixedData(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> data;
  while (data.size() < size) {
    switch (random() % 4) {
      case 0:  // noise
        for (int i = random() % 300; i > 0; --i) data.push_back(static_cast<uint8_t>(random()));
        break;
      case 1:  // a run
        data.insert(data.end(), random() % 400, static_cast<uint8_t>(random()));
        break;
      default:  // a repeat of earlier data, up to the whole window back
        if (!data.empty()) {
          const size_t distance = 1 + random() % std::min<size_t>(data.size(), 40000);
          for (int i = random() % 300; i > 0; --i) data.push_back(data[data.size() - distance]);
        }
    }
  }
  data.resize(size);
  return data;
}

TEST(InflateZlibTest, DecodesWhatZlibWrites) {
  const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
  for (size_t size : {size_t{0}, size_t{1}, size_t{1000}, size_t{300000}}) {
    const std::vector<uint8_t> data = MixedData(size, static_cast<unsigned>(size));
    for (int level = 0; level <= 9; level += 3) {
      for (int strategy : strategies) {
        SCOPED_TRACE(testing::Message()
                     << size << " bytes, level " << level << ", strategy " << strategy);
        z_stream z{};
        ASSERT_EQ(deflateInit2(&z, level, Z_DEFLATED, 15, 9, strategy), Z_OK);
        std::vector<uint8_t> packed(deflateBound(&z, data.size()) + 1024);
        z.next_in = const_cast<uint8_t*>(data.data());
        z.avail_in = static_cast<uInt>(data.size());
        z.next_out = packed.data();
        z.avail_out = static_cast<uInt>(packed.size());
        ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
        packed.resize(z.total_out);
        deflateEnd(&z);
        std::vector<uint8_t> out(data.size());
        size_t produced = 0;
        ASSERT_TRUE(InflateZlib(packed.data(), packed.size(), out.data(), out.size(), &produced));
        ASSERT_EQ(produced, data.size());
        ASSERT_TRUE(out == data);
        // One byte less of output room must fail, never overflow.
        if (!data.empty()) {
          EXPECT_FALSE(
              InflateZlib(packed.data(), packed.size(), out.data(), out.size() - 1, &produced));
        }
      }
    }
  }
}

}  // namespace

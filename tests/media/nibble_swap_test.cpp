#include "media/nibble_swap.h"

#include <vector>

#include "gtest/gtest.h"

namespace {

TEST(SwapNibblesTest, ExchangesHalvesAndIsItsOwnInverse) {
  std::vector<uint8_t> bytes = {0x12, 0xF0, 0x00, 0x11, 0xFF, 0x89, 0x50};
  const std::vector<uint8_t> original = bytes;
  SwapNibbles(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x21, 0x0F, 0x00, 0x11, 0xFF, 0x98, 0x05}));
  SwapNibbles(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, original);
  SwapNibbles(nullptr, 0);  // an empty resource is left alone
}

}  // namespace

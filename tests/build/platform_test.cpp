// Facts of the target platform that the code relies on.
#include <gtest/gtest.h>

#include <cstdint>

TEST(Platform, PointersAreSixtyFourBits) {
  EXPECT_EQ(sizeof(void*), 8u);
}

#ifdef _WIN32
// long stays 32 bits on Windows even in a 64-bit build: pointer-sized window
// data must go through the ...LongPtrA functions, never ...LongA.
TEST(Platform, LongIsThirtyTwoBitsOnWindows) {
  EXPECT_EQ(sizeof(long), 4u);
}
#endif

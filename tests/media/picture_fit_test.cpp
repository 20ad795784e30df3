#include "media/picture_fit.h"

#include "gtest/gtest.h"

namespace {

TEST(FitPictureSizeTest, FillsTheBoxKeepingProportions) {
  struct Row {
    int width, height, boxWidth, boxHeight;
    PictureSize fitted;
  };
  const Row rows[] = {
      {600, 300, 300, 300, {300, 150}},  // reduced
      {100, 200, 300, 300, {150, 300}},  // enlarged
      {300, 300, 300, 300, {300, 300}},  // equal ratios keep the size
      {8, 3, 10, 10, {10, 3}},           // 3 x 1.25 truncated
      {600, 400, 300, 250, {300, 200}},  // the width decides
      {1, 32768, 300, 300, {0, 300}},    // a sliver truncates to nothing wide
      {0, 300, 300, 300, {0, 0}},        // no width: no divide by zero
      {300, 0, 300, 300, {0, 0}},        // no height
      {300, 300, 300, 0, {0, 0}},        // a row without pictures has no box
      {-5, 10, 300, 300, {0, 0}},
  };
  for (const Row& row : rows) {
    const PictureSize size = FitPictureSize(row.width, row.height, row.boxWidth, row.boxHeight);
    EXPECT_EQ(size.width, row.fitted.width) << row.width << "x" << row.height;
    EXPECT_EQ(size.height, row.fitted.height) << row.width << "x" << row.height;
  }
}

}  // namespace

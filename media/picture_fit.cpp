#include "media/picture_fit.h"

PictureSize FitPictureSize(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {0, 0};
  // Extended precision, so that a ratio such as 300 / 600 times 600 lands on
  // 300 exactly rather than a hair below it.
  const long double widthRatio = static_cast<long double>(boxWidth) / width;
  const long double heightRatio = static_cast<long double>(boxHeight) / height;
  const long double scale = heightRatio > widthRatio ? widthRatio : heightRatio;
  return {static_cast<int>(width * scale), static_cast<int>(height * scale)};
}

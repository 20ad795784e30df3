// The size a picture is scaled to so that it fills its box, proportions kept.
#pragma once

struct PictureSize {
  int width;
  int height;
};

// Scales width x height by the smaller of the two ratios box / side, enlarging
// small pictures as well as reducing large ones, and truncates toward zero.
// A picture or box with a side of 0 or less has no fitted size: {0, 0}.
PictureSize FitPictureSize(int width, int height, int boxWidth, int boxHeight);

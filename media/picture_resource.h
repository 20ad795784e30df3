// Question pictures: resources of the player's own module turned into screen
// bitmaps fitted to a box, ready for a static control of the question panel.
//
// A picture is an "IMG" resource holding a BMP, JPEG or GIF file with every
// byte nibble-swapped, or, when no "IMG" resource has the id, a plain PNG file
// in an RT_RCDATA resource of the same id.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The resource type of scrambled pictures and media files.
constexpr const char* kImageResourceType = "IMG";

// The picture of resource id in module, fitted to boxWidth x boxHeight, or null
// when there is no picture. The caller owns the bitmap (DeleteObject).
HBITMAP LoadPictureResource(HMODULE module, int id, const char* type, int boxWidth, int boxHeight);

// A BMP, JPEG or GIF file held in memory as a bitmap of its own size, or null.
HBITMAP DecodeOlePicture(const uint8_t* bytes, size_t length);

// Takes ownership of bitmap (deleted) and returns a new screen bitmap scaled,
// proportions kept, until it touches the box on one side. Null gives null.
HBITMAP FitBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight);

// libpng reads a PNG held in memory through this callback: the tests compare
// our decoder with libpng, and the benchmark times both, on the same bytes.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

struct MemoryReader {
  const std::vector<uint8_t>* file;
  size_t pos;
};

inline void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader->pos + count > reader->file->size()) png_error(png, "read past end");
  std::memcpy(out, reader->file->data() + reader->pos, count);
  reader->pos += count;
}

// Naming of temporary media files on arbitrary bytes: always an extension of
// the table, a path that fits or none, and the packer's warning never reads
// past the data.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "media/media_sniff.h"
#include "tools/media_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* extension = SniffMediaExtension(data, size);
  if (std::strlen(extension) != 3) __builtin_trap();
  NameMedia(std::string_view(reinterpret_cast<const char*>(data), size));
  // The same bytes as a temporary directory, cut to its buffer.
  char directory[kMediaTempDirSize] = {};
  std::memcpy(directory, data, std::min(size, sizeof(directory) - 1));
  char path[kMediaPathSize];
  if (FormatMediaPath(directory, 496, extension, path, sizeof(path)) &&
      std::strlen(path) > kMaxMediaPathLength) {
    __builtin_trap();
  }
  return 0;
}

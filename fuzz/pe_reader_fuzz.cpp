// The PE reader that unpack runs on any file handed to it: headers, sections
// and the resource tree must give a clean refusal or resources that lie within
// the input, never a read outside it.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/pe_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  PeImage image;
  std::string error;
  std::vector<PeResource> resources;
  if (ParsePeImage(file, &image, &error)) ReadPeResources(file, image, &resources, &error);
  return 0;
}

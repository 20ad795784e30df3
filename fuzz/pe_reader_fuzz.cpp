// The PE reader and the unpacking that tevra-pack unpack runs on any file
// handed to it: headers, sections, the resource tree, the stored blocks and
// the quiz text must give a clean refusal or a quiz, never a read outside the
// input.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/pe_image.h"
#include "tools/quiz_unpack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  PeImage image;
  std::string error;
  std::vector<PeResource> resources;
  if (ParsePeImage(file, &image, &error)) ReadPeResources(file, image, &resources, &error);
  UnpackedQuiz quiz;
  UnpackQuiz(file, &quiz, &error);
  return 0;
}

// The block decoder on any bytes, as stored and descrambled: every outcome
// must be a result code, with never more output than the decoder's capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "quiz/block_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<unsigned char> output;
  DecodeQuizBlock(data, size, &output);
  if (output.size() > kQuizBlockOutputCapacity) std::abort();
  std::vector<unsigned char> copy(data, data + size);
  int keyPosition = 0;
  DescrambleQuizBlock(copy.data(), copy.size(), &keyPosition);
  DecodeQuizBlock(copy.data(), copy.size(), &output);
  if (output.size() > kQuizBlockOutputCapacity) std::abort();
  return 0;
}

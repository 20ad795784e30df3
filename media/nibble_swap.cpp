#include "media/nibble_swap.h"

#include <cstring>
#include <new>

void SwapNibbles(uint8_t* buffer, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    buffer[i] = static_cast<uint8_t>((buffer[i] << 4) | (buffer[i] >> 4));
  }
}

std::unique_ptr<uint8_t[]> DescrambledCopy(const uint8_t* stored, size_t length) {
  std::unique_ptr<uint8_t[]> copy(new (std::nothrow) uint8_t[length > 0 ? length : 1]);
  if (copy == nullptr) return nullptr;
  if (length > 0) std::memcpy(copy.get(), stored, length);
  SwapNibbles(copy.get(), length);
  return copy;
}

#include "media/nibble_swap.h"

void SwapNibbles(uint8_t* buffer, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    buffer[i] = static_cast<uint8_t>((buffer[i] << 4) | (buffer[i] >> 4));
  }
}

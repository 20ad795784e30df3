// Helpers for tests that build stored blocks by hand or from text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quiz/block_decoder.h"

// Packs codes most significant bit first, at the width the decoder reads them:
// 9 bits, one more after each widen code, 9 again after a reset.
inline std::vector<unsigned char> PackCodes(const std::vector<uint32_t>& codes) {
  std::vector<unsigned char> out;
  uint64_t pending = 0;
  int count = 0;
  int width = kQuizInitialCodeWidth;
  for (size_t i = 0; i < codes.size(); ++i) {
    pending = pending << width | codes[i];
    count += width;
    while (count >= 8) {
      count -= 8;
      out.push_back(static_cast<unsigned char>(pending >> count));
    }
    pending &= (uint64_t{1} << count) - 1;
    if (i > 0 && codes[i] == kQuizCodeWiden) ++width;
    if (i > 0 && codes[i] == kQuizCodeReset) width = kQuizInitialCodeWidth;
  }
  if (count > 0) out.push_back(static_cast<unsigned char>(pending << (8 - count)));
  return out;
}

inline std::string AsText(const std::vector<unsigned char>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Deterministic text over an alphabet, for sizes no fixture file should hold.
inline std::string PseudoText(size_t size, const std::string& alphabet, uint32_t seed) {
  std::string text(size, ' ');
  for (char& c : text) {
    seed = seed * 1103515245u + 12345u;
    c = alphabet[(seed >> 16) % alphabet.size()];
  }
  return text;
}

// Writes DEFLATE and zlib streams bit by bit for the decoder tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class BitWriter {
 public:
  // Plain fields (block headers, extra bits) go least significant bit first.
  BitWriter& Bits(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Push((value >> i) & 1);
    return *this;
  }
  // Huffman codes go most significant bit first.
  BitWriter& Code(uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Push((code >> i) & 1);
    return *this;
  }
  BitWriter& AlignToByte() {
    while (used_ != 0) Push(0);
    return *this;
  }
  BitWriter& Bytes(std::initializer_list<uint8_t> bytes) {
    AlignToByte();
    bytes_.insert(bytes_.end(), bytes);
    return *this;
  }
  BitWriter& Text(const std::string& text) {
    AlignToByte();
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  // The fixed code of a literal/length symbol, and of a distance symbol.
  BitWriter& Fixed(int symbol) {
    if (symbol < 144) return Code(0x30 + symbol, 8);
    if (symbol < 256) return Code(0x190 + symbol - 144, 9);
    if (symbol < 280) return Code(symbol - 256, 7);
    return Code(0xC0 + symbol - 280, 8);
  }
  BitWriter& FixedDistance(int symbol) { return Code(symbol, 5); }
  std::vector<uint8_t> Finish() {
    AlignToByte();
    return bytes_;
  }

 private:
  void Push(uint32_t bit) {
    if (used_ == 0) bytes_.push_back(0);
    bytes_.back() = static_cast<uint8_t>(bytes_.back() | (bit << used_));
    used_ = (used_ + 1) % 8;
  }
  std::vector<uint8_t> bytes_;
  int used_ = 0;
};

// A zlib stream holding `data` in stored blocks, with a zero Adler-32 (the decoder ignores it).
inline std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(data.size() - pos, 65535);
    const bool final = pos + n == data.size();
    out.push_back(final ? 1 : 0);
    out.push_back(static_cast<uint8_t>(n));
    out.push_back(static_cast<uint8_t>(n >> 8));
    out.push_back(static_cast<uint8_t>(~n));
    out.push_back(static_cast<uint8_t>(~n >> 8));
    out.insert(out.end(), data.begin() + pos, data.begin() + pos + n);
    pos += n;
  } while (pos < data.size());
  out.insert(out.end(), {0, 0, 0, 0});
  return out;
}

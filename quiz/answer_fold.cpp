#include "quiz/answer_fold.h"

namespace {

constexpr unsigned char kCaseBit = 0x20;
constexpr unsigned char kHighFoldOffset = 0x10;
// Folds of bytes from 0x80 on have a low half of 8..F, the others of 0..7.
constexpr unsigned char kHighFoldMark = 0x08;

unsigned char SwapHalves(unsigned char b) {
  return static_cast<unsigned char>(b << 4 | b >> 4);
}

// Lower-case letters outside a..z and à..þ whose capitals sit elsewhere in
// code page 1252.
unsigned char UpcaseSpecial(unsigned char b) {
  switch (b) {
    case 0x9A:
      return 0x8A;  // š -> Š
    case 0x9C:
      return 0x8C;  // œ -> Œ
    case 0x9E:
      return 0x8E;  // ž -> Ž
    case 0xFF:
      return 0x9F;  // ÿ -> Ÿ
    default:
      return b;
  }
}

}  // namespace

unsigned char UpcaseByte(unsigned char b) {
  const bool ascii_lower = b >= 'a' && b <= 'z';
  // à..þ, except ÷ (0xF7), which has no case; ÿ is handled apart.
  const bool latin_lower = b >= 0xE0 && b <= 0xFE && b != 0xF7;
  if (ascii_lower || latin_lower) return static_cast<unsigned char>(b - kCaseBit);
  return UpcaseSpecial(b);
}

void UpcaseAnswer(char* text) {
  for (; *text; ++text) *text = static_cast<char>(UpcaseByte(static_cast<unsigned char>(*text)));
}

unsigned char FoldByte(unsigned char b) {
  // (16 * b + floor(signed(b) / 16)) mod 256, with an arithmetic shift.
  const int s = static_cast<signed char>(b);
  const int high = s < 0 ? -((-s + 15) / 16) : s / 16;
  return static_cast<unsigned char>((16 * b + high) & 0xFF);
}

void FoldAnswer(char* text) {
  for (; *text; ++text) {
    *text = static_cast<char>(FoldByte(UpcaseByte(static_cast<unsigned char>(*text))));
  }
}

unsigned char UnfoldByte(unsigned char b) {
  if (b & kHighFoldMark) return SwapHalves(static_cast<unsigned char>(b + kHighFoldOffset));
  return SwapHalves(b);
}

void UnfoldAnswer(char* text) {
  for (; *text; ++text) *text = static_cast<char>(UnfoldByte(static_cast<unsigned char>(*text)));
}

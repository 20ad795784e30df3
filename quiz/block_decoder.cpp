#include "quiz/block_decoder.h"

#include <cstdint>
#include <cstring>
#include <new>

const unsigned char kQuizKey[kQuizKeyLength] = {'Q', 'u', 'e', 's', 't', 'i',  'o',
                                                'n', 's', ' ', 'm', 'a', 'l',  ' ',
                                                'c', 'l', 'a', 's', 's', 0xE9, 's'};

namespace {

constexpr size_t kLiteralCount = 256;
constexpr size_t kBitsPerByte = 8;
// Five bytes hold any code of up to 32 bits, whatever its first bit's place.
constexpr int kWindowBytes = 5;
constexpr int kWindowBits = kWindowBytes * 8;

// A dictionary string. The decoder keeps no copies: every string it can name
// lies in the work buffer, which starts with the 256 literal bytes and goes on
// with the output. A new entry is the previous string followed by the first
// byte of the next string written, and the next string is written right after
// the previous one, so the entry is the output from where the previous string
// is written, one byte longer.
struct Span {
  uint32_t offset;
  uint32_t length;
};

struct Decoder {
  const unsigned char* block;
  size_t length;
  size_t bitPosition;
  unsigned char* work;
  size_t written;  // bytes in work, the literals included
  Span entries[kQuizBlockDictionarySize];
  Span previous;
  uint32_t nextFree;
  int width;
};

// Reads a code most significant bit first; bytes past the block's end read
// as zero, up to the working area's end.
QuizBlockResult ReadCode(Decoder* d, int width, uint32_t* code) {
  if (d->bitPosition >= d->length * kBitsPerByte) return kBlockOverrun;
  if (d->bitPosition + width > kQuizBlockInputCapacity * kBitsPerByte) return kBlockInputEnded;
  size_t index = d->bitPosition / kBitsPerByte;
  const int skip = static_cast<int>(d->bitPosition % kBitsPerByte);
  uint64_t window = 0;
  for (int i = 0; i < kWindowBytes; ++i, ++index) {
    window = window << 8 | (index < d->length ? d->block[index] : 0);
  }
  *code = static_cast<uint32_t>((window >> (kWindowBits - skip - width)) &
                                ((uint64_t{1} << width) - 1));
  d->bitPosition += width;
  return kBlockOk;
}

QuizBlockResult WritePrevious(Decoder* d) {
  const Span s = d->previous;
  if (d->written - kLiteralCount + s.length > kQuizBlockOutputCapacity) return kBlockOutputFull;
  // Only the last byte of a string may still be unwritten: it is the first
  // byte of this very write.
  unsigned char* to = d->work + d->written;
  const unsigned char* from = d->work + s.offset;
  std::memcpy(to, from, s.length - 1);
  to[s.length - 1] = from[s.length - 1];
  d->written += s.length;
  return kBlockOk;
}

QuizBlockResult StoreAndWrite(Decoder* d, uint32_t code) {
  if (code > d->nextFree) return kBlockBadCode;
  if (d->nextFree >= static_cast<uint32_t>(kQuizBlockDictionarySize)) return kBlockDictionaryFull;
  d->entries[d->nextFree++] = {static_cast<uint32_t>(d->written), d->previous.length + 1};
  const QuizBlockResult result = WritePrevious(d);
  d->previous = d->entries[code];
  return result;
}

QuizBlockResult RunDecoder(Decoder* d) {
  for (uint32_t i = 0; i < kLiteralCount; ++i) d->entries[i] = {i, 1};
  d->nextFree = kQuizFirstFreeCode;
  d->width = kQuizInitialCodeWidth;
  uint32_t code;
  // The first code is never a control code: its low byte starts the text.
  QuizBlockResult result = ReadCode(d, d->width, &code);
  if (result != kBlockOk) return result;
  d->previous = d->entries[code & 0xFF];
  for (;;) {
    result = ReadCode(d, d->width, &code);
    if (result != kBlockOk) return result;
    switch (code) {
      case kQuizCodeEnd:
        return WritePrevious(d);
      case kQuizCodeReset:
        // The previous string stays: the next entry still extends it.
        d->nextFree = kQuizFirstFreeCode;
        d->width = kQuizInitialCodeWidth;
        break;
      case kQuizCodeWiden:
        if (++d->width > kQuizMaxCodeWidth) return kBlockBadCode;
        break;
      default:
        result = StoreAndWrite(d, code);
        if (result != kBlockOk) return result;
    }
  }
}

}  // namespace

QuizBlockResult DecodeQuizBlock(const unsigned char* block, size_t length,
                                std::vector<unsigned char>* output) {
  output->clear();
  if (length > kQuizBlockInputCapacity) return kBlockTooLong;
  if (length == 0) return kBlockInputEnded;
  try {
    output->resize(kLiteralCount + kQuizBlockOutputCapacity);
  } catch (const std::bad_alloc&) {
    return kBlockNoMemory;
  }
  for (size_t i = 0; i < kLiteralCount; ++i) (*output)[i] = static_cast<unsigned char>(i);
  Decoder d;
  d.block = block;
  d.length = length;
  d.bitPosition = 0;
  d.work = output->data();
  d.written = kLiteralCount;
  const QuizBlockResult result = RunDecoder(&d);
  output->resize(d.written);
  output->erase(output->begin(), output->begin() + kLiteralCount);
  return result;
}

void DescrambleQuizBlock(unsigned char* block, size_t length, int* keyPosition) {
  int p = *keyPosition;
  for (size_t i = 1; i < length; ++i) {
    block[i] ^= kQuizKey[p];
    if (++p == kQuizKeyLength) p = 0;
  }
  *keyPosition = p;
}

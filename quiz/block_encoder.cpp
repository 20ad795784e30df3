#include "quiz/block_encoder.h"

#include <cstdint>
#include <unordered_map>

#include "quiz/block_decoder.h"

namespace {

constexpr int kMaxExtraResets = 64;

struct Encoder {
  std::vector<unsigned char>* block;
  uint64_t pending;  // bits not yet written, right-aligned
  int pendingCount;
  int width;
  // The decoder's next free code: the encoder mirrors its dictionary.
  uint32_t nextFree;
  // Entries that can still be named, keyed by prefix code and last byte.
  std::unordered_map<uint32_t, uint32_t> children;
};

void PutCode(Encoder* e, uint32_t code) {
  e->pending = e->pending << e->width | code;
  e->pendingCount += e->width;
  while (e->pendingCount >= 8) {
    e->pendingCount -= 8;
    e->block->push_back(static_cast<unsigned char>(e->pending >> e->pendingCount));
  }
  e->pending &= (uint64_t{1} << e->pendingCount) - 1;
}

void PutDataCode(Encoder* e, uint32_t code) {
  while (code >> e->width) {
    PutCode(e, kQuizCodeWiden);
    ++e->width;
  }
  PutCode(e, code);
}

void Reset(Encoder* e) {
  PutCode(e, kQuizCodeReset);
  e->width = kQuizInitialCodeWidth;
  e->nextFree = kQuizFirstFreeCode;
  e->children.clear();
}

uint32_t ChildKey(uint32_t prefix, unsigned char byte) {
  return prefix << 8 | byte;
}

// The longest entry that text[pos..] starts with; its length in *length.
uint32_t LongestMatch(const Encoder& e, std::string_view text, size_t pos, size_t* length) {
  uint32_t code = static_cast<unsigned char>(text[pos]);
  size_t n = 1;
  while (pos + n < text.size()) {
    const auto it = e.children.find(ChildKey(code, static_cast<unsigned char>(text[pos + n])));
    if (it == e.children.end()) break;
    code = it->second;
    ++n;
  }
  *length = n;
  return code;
}

void EncodeCodes(std::string_view text, int extraResets, std::vector<unsigned char>* block) {
  block->clear();
  Encoder e{block, 0, 0, kQuizInitialCodeWidth, kQuizFirstFreeCode, {}};
  // The decoder takes the first code as a literal, never as a control code.
  uint32_t previous = static_cast<unsigned char>(text[0]);
  PutCode(&e, previous);
  for (int i = 0; i < extraResets; ++i) Reset(&e);
  bool previousNamed = true;  // whether `previous` is an entry of the current dictionary
  size_t pos = 1;
  while (pos < text.size()) {
    if (e.nextFree == static_cast<uint32_t>(kQuizBlockDictionarySize)) {
      Reset(&e);
      previousNamed = previous <= 0xFF;
    }
    // Before reading the next code the decoder stores the previous string
    // followed by that code's first byte, which is text[pos].
    if (previousNamed) {
      e.children[ChildKey(previous, static_cast<unsigned char>(text[pos]))] = e.nextFree;
    }
    ++e.nextFree;
    size_t matched;
    previous = LongestMatch(e, text, pos, &matched);
    previousNamed = true;
    PutDataCode(&e, previous);
    pos += matched;
  }
  PutCode(&e, kQuizCodeEnd);
  if (e.pendingCount > 0) {
    block->push_back(static_cast<unsigned char>(e.pending << (8 - e.pendingCount)));
  }
}

}  // namespace

bool EncodeQuizBlock(std::string_view text, bool scramble, int* keyPosition,
                     std::vector<unsigned char>* block, std::string* error) {
  if (text.empty()) {
    *error = "a block cannot hold an empty text";
    return false;
  }
  if (text.size() > kQuizBlockOutputCapacity) {
    *error = "text of " + std::to_string(text.size()) + " bytes; a block holds at most " +
             std::to_string(kQuizBlockOutputCapacity);
    return false;
  }
  std::vector<unsigned char> decoded;
  for (int extraResets = 0; extraResets <= kMaxExtraResets; ++extraResets) {
    EncodeCodes(text, extraResets, block);
    if (block->size() > kQuizBlockInputCapacity) {
      *error = "text compresses to " + std::to_string(block->size()) +
               " bytes; a block holds at most " + std::to_string(kQuizBlockInputCapacity);
      return false;
    }
    if (!scramble) return true;
    int position = *keyPosition;
    DescrambleQuizBlock(block->data(), block->size(), &position);
    if (DecodeQuizBlock(block->data(), block->size(), &decoded) != kBlockOk) {
      *keyPosition = position;
      return true;
    }
  }
  *error = "every encoding tried also decodes as stored once scrambled";
  return false;
}

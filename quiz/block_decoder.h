// The stored quiz blocks: an LZW stream with its own control codes, possibly
// also scrambled with a repeating XOR key. A block is decoded as stored first
// and descrambled only when that fails, so both forms are accepted.
#pragma once

#include <cstddef>
#include <vector>

// Results of DecodeQuizBlock. Every failure leaves in the output what was
// produced before it.
enum QuizBlockResult {
  kBlockOk = 0,
  kBlockNoMemory = -4,
  // The block is empty, or a code runs past the whole working area.
  kBlockInputEnded = -5,
  // A code above the next free code, or the code width grown past 32 bits.
  kBlockBadCode = -7,
  // A code starts past the block's last bit: from there everything reads as
  // zero padding, so the stream could only run on until a limit stops it.
  kBlockOverrun = -8,
  kBlockTooLong = -9,      // more than kQuizBlockInputCapacity bytes
  kBlockOutputFull = -10,  // more than kQuizBlockOutputCapacity bytes produced
  // A code needing the 4097th dictionary entry: the stream lacks a reset.
  kBlockDictionaryFull = -11,
};

constexpr size_t kQuizBlockInputCapacity = 32768;
constexpr size_t kQuizBlockOutputCapacity = 30000;
constexpr int kQuizBlockDictionarySize = 4096;

constexpr int kQuizCodeEnd = 256;
constexpr int kQuizCodeWiden = 257;
constexpr int kQuizCodeReset = 258;
constexpr int kQuizFirstFreeCode = 259;
constexpr int kQuizInitialCodeWidth = 9;
constexpr int kQuizMaxCodeWidth = 32;

// The descrambling key, "Questions mal classés" without its terminator.
constexpr int kQuizKeyLength = 21;
extern const unsigned char kQuizKey[kQuizKeyLength];

// Decodes one stored block into *output (the bytes produced, replacing its
// contents). Re-entrant. The stored format reports two undefined bytes past
// the text as part of its size; they are not produced here.
//
// A code that starts inside the block and ends past it is read with zero bits
// for the missing part: stored blocks may cut their end code short that way
// (the three bytes 0x24 0x1A 0x60 hold the codes 72, 105 and the first six
// bits of 256).
//
// No dictionary string needs a bound of its own: each new one is a written
// string and one byte more, so within the output capacity none passes 245
// bytes.
QuizBlockResult DecodeQuizBlock(const unsigned char* block, size_t length,
                                std::vector<unsigned char>* output);

// XORs bytes 1 to length - 1 of the block in place with the key, from
// *keyPosition on, and leaves *keyPosition at the key byte that follows the
// last one used. Byte 0 is never changed.
void DescrambleQuizBlock(unsigned char* block, size_t length, int* keyPosition);

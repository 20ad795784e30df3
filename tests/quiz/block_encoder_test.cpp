#include "quiz/block_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quiz/block_decoder.h"
#include "tests/quiz/block_test_support.h"

namespace {

const std::string kQuizAlphabet =
    "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJ|||\xE9\xE8\xE0\xE7\x9C\r\n0123456789?'";
const std::string kNarrowAlphabet = "ab";

std::string AllBytes(size_t size) {
  std::string text(size, '\0');
  for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  return text;
}

std::vector<unsigned char> Encode(const std::string& text, bool scramble, int* keyPosition) {
  std::vector<unsigned char> block;
  std::string error;
  EXPECT_TRUE(EncodeQuizBlock(text, scramble, keyPosition, &block, &error)) << error;
  return block;
}

std::string Decode(const std::vector<unsigned char>& block, QuizBlockResult expected = kBlockOk) {
  std::vector<unsigned char> output;
  EXPECT_EQ(DecodeQuizBlock(block.data(), block.size(), &output), expected);
  return AsText(output);
}

std::vector<size_t> RoundTripSizes() {
  std::vector<size_t> sizes;
  for (size_t n = 1; n <= 300; ++n) sizes.push_back(n);
  for (size_t n : {511, 512, 513, 4095, 4096, 4097, 8191, 12000, 20000, 29999, 30000}) {
    sizes.push_back(n);
  }
  return sizes;
}

TEST(EncodeQuizBlock, RoundTripsFromOneByteToTheOutputCapacity) {
  for (size_t size : RoundTripSizes()) {
    for (const std::string& text : {PseudoText(size, kQuizAlphabet, static_cast<uint32_t>(size)),
                                    PseudoText(size, kNarrowAlphabet, 7), std::string(size, 'A')}) {
      int keyPosition = 0;
      const std::vector<unsigned char> block = Encode(text, false, &keyPosition);
      ASSERT_TRUE(Decode(block) == text) << "size " << size;
      EXPECT_EQ(keyPosition, 0);
    }
  }
}

TEST(EncodeQuizBlock, RoundTripsEveryByteValue) {
  for (size_t size : {1, 2, 255, 256, 257, 1000, 6000}) {
    int keyPosition = 0;
    const std::string text = AllBytes(size);
    EXPECT_TRUE(Decode(Encode(text, false, &keyPosition)) == text) << "size " << size;
  }
}

// Random text fills the dictionary several times over: without resets the
// decoder would stop at its 4097th entry.
TEST(EncodeQuizBlock, ResetsWhenTheDictionaryIsFull) {
  const std::string text = PseudoText(25000, kQuizAlphabet, 99);
  int keyPosition = 0;
  const std::vector<unsigned char> block = Encode(text, false, &keyPosition);
  EXPECT_TRUE(Decode(block) == text);
  EXPECT_LT(block.size(), text.size());
}

TEST(EncodeQuizBlock, ScrambledBlocksDecodeOnlyOnceDescrambled) {
  int keyPosition = 3;
  for (size_t size : {1, 2, 3, 20, 21, 22, 300, 5000, 30000}) {
    const std::string text = PseudoText(size, kQuizAlphabet, static_cast<uint32_t>(size));
    const int before = keyPosition;
    std::vector<unsigned char> block = Encode(text, true, &keyPosition);
    std::vector<unsigned char> output;
    EXPECT_NE(DecodeQuizBlock(block.data(), block.size(), &output), kBlockOk);
    EXPECT_EQ(static_cast<size_t>(keyPosition), (before + block.size() - 1) % kQuizKeyLength);
    int position = before;
    DescrambleQuizBlock(block.data(), block.size(), &position);
    EXPECT_EQ(position, keyPosition);
    EXPECT_TRUE(Decode(block) == text) << "size " << size;
  }
}

// Some scrambled encodings happen to decode as stored; the loader would take
// them as they stand. The encoder must notice and store another encoding.
TEST(EncodeQuizBlock, ReencodesWhenTheScrambledFormAlsoDecodesAsStored) {
  int ambiguous = 0;
  std::vector<unsigned char> output;
  for (uint32_t seed = 0; seed < 400; ++seed) {
    const std::string text = PseudoText(1 + seed % 8, kQuizAlphabet, seed);
    for (int key = 0; key < kQuizKeyLength; ++key) {
      int position = key;
      std::vector<unsigned char> first = Encode(text, false, &position);
      DescrambleQuizBlock(first.data(), first.size(), &position);
      if (DecodeQuizBlock(first.data(), first.size(), &output) == kBlockOk) ++ambiguous;
      position = key;
      std::vector<unsigned char> block = Encode(text, true, &position);
      ASSERT_NE(DecodeQuizBlock(block.data(), block.size(), &output), kBlockOk);
      position = key;
      DescrambleQuizBlock(block.data(), block.size(), &position);
      ASSERT_TRUE(Decode(block) == text);
    }
  }
  EXPECT_GT(ambiguous, 0);
}

TEST(EncodeQuizBlock, RefusesWhatNoBlockCanHold) {
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"past the output capacity", std::string(kQuizBlockOutputCapacity + 1, 'a')},
      {"past the input capacity once encoded",
       PseudoText(kQuizBlockOutputCapacity, AllBytes(256), 5)},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> block;
    std::string error;
    int keyPosition = 0;
    EXPECT_FALSE(EncodeQuizBlock(c.text, false, &keyPosition, &block, &error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
}

}  // namespace

#include "quiz/block_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "quiz/block_encoder.h"
#include "tests/quiz/block_test_support.h"

namespace {

struct DecodeCase {
  const char* name;
  std::vector<unsigned char> block;
  QuizBlockResult result;
  std::string output;  // what was produced, also on failure

  friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

std::vector<uint32_t> Repeat(uint32_t code, size_t count) {
  return std::vector<uint32_t>(count, code);
}

std::vector<uint32_t> Join(std::vector<std::vector<uint32_t>> parts) {
  std::vector<uint32_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// 65, then 259, 260, ...: each code names the entry being made, so the runs
// of A written grow by one: 1 + 2 + ... + chain, then `literals` codes 65, then
// the end code. The output is chain * (chain + 1) / 2 + chain + 1 + literals.
std::vector<unsigned char> GrowingRuns(uint32_t chain, size_t literals) {
  std::vector<uint32_t> codes = {'A'};
  for (uint32_t i = 0; i < chain; ++i) codes.push_back(kQuizFirstFreeCode + i);
  codes.insert(codes.end(), literals, 'A');
  codes.push_back(kQuizCodeEnd);
  return PackCodes(codes);
}

const std::string kFullDictionaryText(1 + 3837, 'A');

std::vector<DecodeCase> DecodeCases() {
  return {
      {"OneLiteral", PackCodes({'A', kQuizCodeEnd}), kBlockOk, "A"},
      {"CodeEqualToNextFree", PackCodes({65, 259, 256}), kBlockOk, "AAA"},
      {"LiteralThenNextFree", PackCodes({65, 65, 259, 256}), kBlockOk, "AAAA"},
      {"BitOrderPaddedByte", {0x20, 0xC0, 0xE0, 0x00}, kBlockOk, "AAA"},
      // 72 and 105 fill 18 bits; the end code's last three bits lie past the
      // block and read as zeros.
      {"EndCodeCutShort", {0x24, 0x1A, 0x60}, kBlockOk, "Hi"},
      {"WidenReadsTenBits", PackCodes({'A', kQuizCodeWiden, 'B', kQuizCodeEnd}), kBlockOk, "AB"},
      {"WidenToThirtyTwoBits", PackCodes(Join({{'A'}, Repeat(kQuizCodeWiden, 23), {kQuizCodeEnd}})),
       kBlockOk, "A"},
      {"WidenPastThirtyTwoBits", PackCodes(Join({{'A'}, Repeat(kQuizCodeWiden, 24)})),
       kBlockBadCode, ""},
      {"ResetBackToNineBits",
       PackCodes({'A', kQuizCodeWiden, 'B', kQuizCodeReset, 'C', kQuizCodeEnd}), kBlockOk, "ABC"},
      // The reset keeps the previous string B: the new entry 259 is BB, not AB.
      {"ResetKeepsPreviousString", PackCodes({'A', 'B', kQuizCodeReset, 259, kQuizCodeEnd}),
       kBlockOk, "ABBB"},
      {"WithoutResetSameCodes", PackCodes({'A', 'B', 259, kQuizCodeEnd}), kBlockOk, "ABAB"},
      {"FirstCodeIsNeverControl", PackCodes({kQuizCodeEnd, kQuizCodeEnd}), kBlockOk,
       std::string(1, '\0')},
      {"FirstCodeLowByte", PackCodes({0x100 | 'Z', kQuizCodeEnd}), kBlockOk, "Z"},
      {"CodeAboveNextFree", PackCodes({'A', 'B', 261, kQuizCodeEnd}), kBlockBadCode, "A"},
      {"CodeAboveNextFreeAfterReset", PackCodes({'A', 'B', 'C', kQuizCodeReset, 260}),
       kBlockBadCode, "AB"},
      {"Empty", {}, kBlockInputEnded, ""},
      // 65, 66, then a code made of the last six bits (zero) and three of
      // padding: a literal 0 that writes B; the next code lies wholly past.
      {"NoEndCode", PackCodes({'A', 'B'}), kBlockOverrun, "AB"},
      {"DictionaryFullAtEnd", PackCodes(Join({Repeat('A', 3838), {kQuizCodeEnd}})), kBlockOk,
       kFullDictionaryText},
      {"DictionaryOverflow", PackCodes(Join({Repeat('A', 3839), {kQuizCodeEnd}})),
       kBlockDictionaryFull, std::string(3837, 'A')},
      {"ResetBeforeOverflow",
       PackCodes(Join({Repeat('A', 3838), {kQuizCodeReset, 'A', kQuizCodeEnd}})), kBlockOk,
       kFullDictionaryText + "A"},
      {"OutputExactlyFull", GrowingRuns(243, 110), kBlockOk, std::string(30000, 'A')},
      {"OutputOnePastFull", GrowingRuns(243, 111), kBlockOutputFull, std::string(30000, 'A')},
  };
}

class DecodeTable : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTable, GivesResultAndOutput) {
  const DecodeCase& c = GetParam();
  std::vector<unsigned char> output = {'x'};
  EXPECT_EQ(DecodeQuizBlock(c.block.data(), c.block.size(), &output), c.result);
  // Compared whole, but never printed whole: some outputs are 30000 bytes.
  EXPECT_EQ(output.size(), c.output.size());
  EXPECT_TRUE(AsText(output) == c.output) << AsText(output).substr(0, 40);
}

INSTANTIATE_TEST_SUITE_P(Streams, DecodeTable, testing::ValuesIn(DecodeCases()),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(DecodeQuizBlock, BitOrderExamplesPackTheSameCodes) {
  EXPECT_EQ(PackCodes({65, 259, 256}), (std::vector<unsigned char>{0x20, 0xC0, 0xE0, 0x00}));
  // The stored example drops the last byte, all padding.
  EXPECT_EQ(PackCodes({72, 105, 256}), (std::vector<unsigned char>{0x24, 0x1A, 0x60, 0x00}));
}

TEST(DecodeQuizBlock, WorkingAreaLimits) {
  // Resets only: a stream that never ends before the input does.
  std::vector<unsigned char> block = PackCodes(Join({{'A'}, Repeat(kQuizCodeReset, 30000)}));
  std::vector<unsigned char> output;
  block.resize(kQuizBlockInputCapacity);
  EXPECT_EQ(DecodeQuizBlock(block.data(), block.size(), &output), kBlockInputEnded);
  block.push_back(0);
  EXPECT_EQ(DecodeQuizBlock(block.data(), block.size(), &output), kBlockTooLong);
  EXPECT_TRUE(output.empty());
}

// Every cut and every single flipped bit of real blocks must end in a result
// code and within the output capacity, never outside a buffer (the sanitizer
// builds watch the last part).
TEST(DecodeQuizBlock, TruncatedOrFlippedBlocksFailCleanly) {
  const std::string texts[] = {
      PseudoText(180, "abc |\xE9\r\n", 1),
      PseudoText(9000, "abcdefghijklmnopqrstuvwxyz0123456789 |", 2),
      std::string(2000, 'z'),
  };
  const QuizBlockResult known[] = {kBlockOk,      kBlockInputEnded, kBlockBadCode,
                                   kBlockOverrun, kBlockOutputFull, kBlockDictionaryFull};
  std::vector<unsigned char> output;
  auto check = [&](const std::vector<unsigned char>& block, size_t length) {
    const QuizBlockResult r = DecodeQuizBlock(block.data(), length, &output);
    ASSERT_NE(std::find(std::begin(known), std::end(known), r), std::end(known)) << r;
    ASSERT_LE(output.size(), kQuizBlockOutputCapacity);
  };
  for (const std::string& text : texts) {
    std::vector<unsigned char> block;
    std::string error;
    int keyPosition = 0;
    ASSERT_TRUE(EncodeQuizBlock(text, false, &keyPosition, &block, &error)) << error;
    // Every cut of the first 300 bytes, then a sample of the rest.
    for (size_t length = 0; length < block.size(); length += length < 300 ? 1 : 97) {
      check(block, length);
    }
    const size_t flipped = std::min<size_t>(block.size(), 200);
    for (size_t bit = 0; bit < flipped * 8; ++bit) {
      block[bit / 8] ^= static_cast<unsigned char>(0x80 >> bit % 8);
      check(block, block.size());
      block[bit / 8] ^= static_cast<unsigned char>(0x80 >> bit % 8);
    }
  }
}

TEST(DescrambleQuizBlock, OneByteBlockIsUnchanged) {
  unsigned char block[1] = {0x42};
  int position = 5;
  DescrambleQuizBlock(block, 1, &position);
  EXPECT_EQ(block[0], 0x42);
  EXPECT_EQ(position, 5);
}

TEST(DescrambleQuizBlock, KeyPositionCarriesToTheNextBlock) {
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(kQuizKey), kQuizKeyLength),
            "Questions mal class\xE9s");
  std::vector<unsigned char> first(30, 0);
  std::vector<unsigned char> second(4, 0);
  int position = 0;
  DescrambleQuizBlock(first.data(), first.size(), &position);
  EXPECT_EQ(first[0], 0);
  EXPECT_EQ(first[1], 'Q');
  EXPECT_EQ(first[21], 's');
  EXPECT_EQ(first[22], 'Q');  // the key wraps after 21 bytes
  EXPECT_EQ(position, 29 % kQuizKeyLength);
  DescrambleQuizBlock(second.data(), second.size(), &position);
  EXPECT_EQ(AsText(second), std::string("\0s m", 4));
  EXPECT_EQ(position, 11);
}

}  // namespace

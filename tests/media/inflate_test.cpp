#include "media/inflate.h"

#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "tests/media/deflate_writer.h"

namespace {

constexpr int kEndOfBlock = 256;
constexpr uint32_t kFinal = 1;
constexpr uint32_t kStored = 0, kFixed = 1, kDynamic = 2, kReserved = 3;

// A dynamic block header. The code-length code is given by its lengths per symbol; `lengths`
// lists the code-length symbols sent, each with the value of its extra bits.
struct DynamicHeader {
  int litLenField = 0;                              // HLIT - 257
  int distField = 0;                                // HDIST - 1
  std::vector<std::pair<int, int>> codeLengthCode;  // (symbol, length)
  std::vector<std::pair<int, int>> lengths;         // (symbol, extra value)
};

void WriteDynamicHeader(BitWriter& w, const DynamicHeader& h) {
  static const int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  int clLengths[19] = {};
  for (auto [symbol, length] : h.codeLengthCode) clLengths[symbol] = length;
  int sent = 4;
  for (int i = 0; i < 19; ++i) {
    if (clLengths[kOrder[i]] != 0 && i + 1 > sent) sent = i + 1;
  }
  w.Bits(h.litLenField, 5).Bits(h.distField, 5).Bits(sent - 4, 4);
  for (int i = 0; i < sent; ++i) w.Bits(clLengths[kOrder[i]], 3);
  // Canonical codes of the code-length code.
  int codes[19] = {};
  for (int len = 1, code = 0; len <= 7; ++len) {
    for (int s = 0; s < 19; ++s) {
      if (clLengths[s] == len) codes[s] = code++;
    }
    code <<= 1;
  }
  for (auto [symbol, extra] : h.lengths) {
    w.Code(codes[symbol], clLengths[symbol]);
    if (symbol == 16) w.Bits(extra, 2);
    if (symbol == 17) w.Bits(extra, 3);
    if (symbol == 18) w.Bits(extra, 7);
  }
}

// 'a' (97) and end-of-block have one-bit codes (0 and 1); the distance code is one one-bit
// code. Code lengths sent with symbols 1 and 18 only.
DynamicHeader TwoSymbolHeader() {
  DynamicHeader h;
  h.codeLengthCode = {{1, 1}, {18, 1}};
  h.lengths = {{18, 86}, {1, 0}, {18, 127}, {18, 9}, {1, 0}, {1, 0}};  // 97 zeros, 'a', 158 zeros
  return h;
}

std::vector<uint8_t> DynamicStream(const DynamicHeader& h, bool withData = true) {
  BitWriter w;
  w.Bits(kFinal, 1).Bits(kDynamic, 2);
  WriteDynamicHeader(w, h);
  if (withData) w.Code(0, 1).Code(0, 1).Code(1, 1);  // "aa", end of block
  return w.Finish();
}

struct InflateCase {
  const char* name;
  std::vector<uint8_t> stream;
  size_t capacity;
  bool ok;
  std::string output;
};

std::vector<InflateCase> Cases() {
  std::vector<InflateCase> cases;
  auto add = [&](const char* name, std::vector<uint8_t> stream, bool ok, std::string output = "",
                 size_t capacity = 64) {
    cases.push_back({name, std::move(stream), capacity, ok, std::move(output)});
  };
  // Stored: header bits, then LEN, NLEN (little-endian) and the bytes, from a byte boundary.
  add("stored",
      BitWriter().Bits(kFinal, 1).Bits(kStored, 2).Bytes({3, 0, 0xFC, 0xFF}).Text("abc").Finish(),
      true, "abc");
  add("stored empty then stored final",
      BitWriter()
          .Bits(0, 1)
          .Bits(kStored, 2)
          .Bytes({0, 0, 0xFF, 0xFF})
          .Bits(kFinal, 1)
          .Bits(kStored, 2)
          .Bytes({2, 0, 0xFD, 0xFF})
          .Text("xy")
          .Finish(),
      true, "xy");
  add("stored after a fixed block, mid-byte",
      BitWriter()
          .Bits(0, 1)
          .Bits(kFixed, 2)
          .Fixed('q')
          .Fixed(kEndOfBlock)
          .Bits(kFinal, 1)
          .Bits(kStored, 2)
          .Bytes({1, 0, 0xFE, 0xFF})
          .Text("r")
          .Finish(),
      true, "qr");
  add("stored NLEN not the complement",
      BitWriter().Bits(kFinal, 1).Bits(kStored, 2).Bytes({3, 0, 0xFC, 0xFE}).Text("abc").Finish(),
      false);
  add("stored LEN beyond the input",
      BitWriter().Bits(kFinal, 1).Bits(kStored, 2).Bytes({4, 0, 0xFB, 0xFF}).Text("abc").Finish(),
      false);
  add("stored header cut",
      BitWriter().Bits(kFinal, 1).Bits(kStored, 2).Bytes({3, 0, 0xFC}).Finish(), false);
  add("stored beyond the output",
      BitWriter().Bits(kFinal, 1).Bits(kStored, 2).Bytes({3, 0, 0xFC, 0xFF}).Text("abc").Finish(),
      false, "", 2);
  // Fixed Huffman: literal 'a', then length 3 (symbol 257) at distance 1 (symbol 0).
  add("fixed literal and run",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed('a')
          .Fixed(257)
          .FixedDistance(0)
          .Fixed(kEndOfBlock)
          .Finish(),
      true, "aaaa");
  add("fixed overlapping copy at distance 2",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed('a')
          .Fixed('b')
          .Fixed(264)  // length 10
          .FixedDistance(1)
          .Fixed(kEndOfBlock)
          .Finish(),
      true, "abababababab");
  add("fixed length 258 and a 9-bit literal",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed(0xE9)
          .Fixed(285)
          .FixedDistance(0)
          .Fixed(kEndOfBlock)
          .Finish(),
      true, std::string(259, '\xE9'), 300);
  // Length 11 = symbol 265 with extra bit 0; distance 5 = symbol 4 with extra bit 0.
  add("fixed extra bits",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed('1')
          .Fixed('2')
          .Fixed('3')
          .Fixed('4')
          .Fixed('5')
          .Fixed(265)
          .Bits(0, 1)
          .FixedDistance(4)
          .Bits(0, 1)
          .Fixed(kEndOfBlock)
          .Finish(),
      true, "1234512345123451");
  add("fixed reference before the start",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed('a')
          .Fixed(257)
          .FixedDistance(1)
          .Fixed(kEndOfBlock)
          .Finish(),
      false);
  add("fixed literal beyond the output",
      BitWriter().Bits(kFinal, 1).Bits(kFixed, 2).Fixed('a').Fixed('b').Fixed(kEndOfBlock).Finish(),
      false, "", 1);
  add("fixed copy beyond the output",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed('a')
          .Fixed(258)
          .FixedDistance(0)
          .Fixed(kEndOfBlock)
          .Finish(),
      false, "", 4);
  add("fixed symbol 286", BitWriter().Bits(kFinal, 1).Bits(kFixed, 2).Fixed(286).Finish(), false);
  add("fixed distance symbol 30",
      BitWriter()
          .Bits(kFinal, 1)
          .Bits(kFixed, 2)
          .Fixed('a')
          .Fixed(257)
          .FixedDistance(30)
          .Fixed(kEndOfBlock)
          .Finish(),
      false);
  add("ends before end of block",
      BitWriter().Bits(kFinal, 1).Bits(kFixed, 2).Fixed('a').Fixed('b').Finish(), false);
  add("ends before the final block",
      BitWriter().Bits(0, 1).Bits(kFixed, 2).Fixed('a').Fixed(kEndOfBlock).Finish(), false);
  add("empty input", {}, false);
  add("block type 3", BitWriter().Bits(kFinal, 1).Bits(kReserved, 2).Finish(), false);

  add("dynamic", DynamicStream(TwoSymbolHeader()), true, "aa");
  DynamicHeader h = TwoSymbolHeader();
  h.codeLengthCode.push_back({0, 1});
  add("dynamic over-subscribed code-length code", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.codeLengthCode = {{1, 2}, {18, 2}};
  add("dynamic incomplete code-length code", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.lengths = {{18, 86}, {1, 0}, {18, 127}, {18, 10}, {1, 0}};  // 159 zeros: no end of block
  add("dynamic without end-of-block code", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.lengths = {{18, 127}, {18, 127}};
  add("dynamic repeat beyond the code count", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.codeLengthCode = {{1, 1}, {16, 1}};
  h.lengths = {{16, 0}};
  add("dynamic repeat with no previous length", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.litLenField = 30;  // 287 literal/length codes
  add("dynamic with 287 literal/length codes", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.lengths = {{1, 0}, {1, 0}, {18, 127}, {18, 105}, {1, 0}, {1, 0}};
  add("dynamic over-subscribed literal/length code", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.codeLengthCode = {{1, 1}, {2, 2}, {18, 2}};
  h.lengths = {{18, 86}, {1, 0}, {18, 127}, {18, 9}, {1, 0}, {2, 0}};
  add("dynamic distance code of one 2-bit code", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.lengths.back() = {18, 0};  // distance lengths: 11 zeros, beyond HDIST = 1
  add("dynamic distance lengths overrun", DynamicStream(h), false);
  h = TwoSymbolHeader();
  h.codeLengthCode = {{0, 2}, {1, 1}, {18, 2}};
  h.lengths = {{18, 86}, {1, 0}, {18, 127}, {18, 9}, {1, 0}, {0, 0}};  // no distance code
  add("dynamic without distance codes, literals only", DynamicStream(h), true, "aa");
  add(
      "dynamic header cut short",
      [] {
        std::vector<uint8_t> s = DynamicStream(TwoSymbolHeader(), false);
        s.resize(s.size() / 2);
        return s;
      }(),
      false);
  return cases;
}

TEST(InflateTest, HandBuiltStreams) {
  for (const InflateCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> out(c.capacity, 0xEE);
    size_t size = 12345;
    const bool ok = InflateRaw(c.stream.data(), c.stream.size(), out.data(), out.size(), &size);
    ASSERT_EQ(ok, c.ok);
    if (ok) {
      EXPECT_EQ(std::string(out.begin(), out.begin() + size), c.output);
    }
  }
}

TEST(InflateTest, ZlibHeaderChecks) {
  const std::vector<uint8_t> stored =
      BitWriter().Bits(kFinal, 1).Bits(kStored, 2).Bytes({1, 0, 0xFE, 0xFF}).Text("z").Finish();
  struct HeaderCase {
    uint8_t cmf, flg;
    bool ok;
  };
  const HeaderCase headers[] = {
      {0x78, 0x9C, true},   // 32 KiB window, default level
      {0x78, 0x00, true},   // check bits wrong: not verified
      {0x08, 0x1D, true},   // 256-byte window
      {0x77, 0x9C, false},  // method 7
      {0x88, 0x98, false},  // window field 8
      {0x78, 0xBB, false},  // preset dictionary
  };
  for (const HeaderCase& h : headers) {
    SCOPED_TRACE(testing::Message() << std::hex << int(h.cmf) << " " << int(h.flg));
    std::vector<uint8_t> stream = {h.cmf, h.flg};
    stream.insert(stream.end(), stored.begin(), stored.end());
    uint8_t out[4];
    size_t size = 0;
    EXPECT_EQ(InflateZlib(stream.data(), stream.size(), out, sizeof out, &size), h.ok);
    if (h.ok) {
      EXPECT_EQ(size, 1u);  // the Adler-32 is missing and not needed
    }
  }
  size_t size = 0;
  uint8_t out[1];
  EXPECT_FALSE(InflateZlib(stored.data(), 1, out, sizeof out, &size));
}

}  // namespace

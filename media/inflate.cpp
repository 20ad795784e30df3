#include "media/inflate.h"

#include <array>
#include <cstring>

#include "media/byte_order.h"

namespace {

// A Huffman table entry packs everything the decoding loop needs into 32 bits:
//   bits 0-3    code bits to consume (in a subtable: the bits beyond the first level);
//   bits 4-7    extra bits that follow the code (lengths, distances), or, for a link to a
//               subtable, the subtable's index width;
//   bits 8-10   kind (EntryKind);
//   bits 16-31  value: literal byte, length or distance base, or the subtable's offset.
// The first-level table is indexed by the next kLitLenFirstBits (or kDistFirstBits) bits of the
// stream; codes longer than that continue in a subtable sized for the longest code under that
// prefix. Entries never reached by a code stay kHole and make decoding fail.
enum EntryKind : uint32_t {
  kHole = 0,
  kLiteral = 1,
  kLength = 2,
  kEndOfBlock = 3,
  kDistance = 4,
  kSubtable = 5,
};

constexpr uint32_t MakeEntry(uint32_t kind, uint32_t value, uint32_t extra) {
  return (extra << 4) | (kind << 8) | (value << 16);
}
inline uint32_t EntryBits(uint32_t e) {
  return e & 15;
}
inline uint32_t EntryExtra(uint32_t e) {
  return (e >> 4) & 15;
}
inline uint32_t EntryKindOf(uint32_t e) {
  return (e >> 8) & 7;
}
inline uint32_t EntryValue(uint32_t e) {
  return e >> 16;
}

constexpr int kMaxCodeBits = 15;
constexpr int kLitLenSymbols = 288;  // 286 and 287 exist only in the fixed code, as holes
constexpr int kDistSymbols = 32;     // 30 and 31 likewise
constexpr int kCodeLengthSymbols = 19;
constexpr int kEndOfBlockSymbol = 256;
constexpr int kLitLenFirstBits = 10;
constexpr int kDistFirstBits = 8;
constexpr int kCodeLengthFirstBits = 7;  // code length codes are at most 7 bits: no subtables
// Room for the first level plus every subtable a complete code can need (zlib's "enough"
// bounds for these first-level widths are 1332 and 400); BuildTable checks it anyway.
constexpr int kLitLenTableSize = 2048;
constexpr int kDistTableSize = 1024;
constexpr int kCodeLengthTableSize = 1 << kCodeLengthFirstBits;

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

constexpr std::array<uint32_t, kLitLenSymbols> MakeLitLenTemplates() {
  std::array<uint32_t, kLitLenSymbols> t{};
  for (int s = 0; s < 256; ++s) t[s] = MakeEntry(kLiteral, s, 0);
  t[kEndOfBlockSymbol] = MakeEntry(kEndOfBlock, 0, 0);
  for (int s = 0; s < 29; ++s) t[257 + s] = MakeEntry(kLength, kLengthBase[s], kLengthExtra[s]);
  return t;  // 286, 287: kHole
}
constexpr std::array<uint32_t, kDistSymbols> MakeDistTemplates() {
  std::array<uint32_t, kDistSymbols> t{};
  for (int s = 0; s < 30; ++s) t[s] = MakeEntry(kDistance, kDistBase[s], kDistExtra[s]);
  return t;  // 30, 31: kHole
}
constexpr std::array<uint32_t, kCodeLengthSymbols> MakeCodeLengthTemplates() {
  std::array<uint32_t, kCodeLengthSymbols> t{};
  for (int s = 0; s < kCodeLengthSymbols; ++s) t[s] = MakeEntry(kLiteral, s, 0);
  return t;
}
constexpr auto kLitLenTemplates = MakeLitLenTemplates();
constexpr auto kDistTemplates = MakeDistTemplates();
constexpr auto kCodeLengthTemplates = MakeCodeLengthTemplates();

uint32_t ReverseBits(uint32_t code, int length) {
  uint32_t reversed = 0;
  for (int i = 0; i < length; ++i, code >>= 1) reversed = (reversed << 1) | (code & 1);
  return reversed;
}

// Builds the decoding table of a canonical code from its code lengths. Rejects an
// over-subscribed set, and an incomplete one unless allowSparse and it has no code at all or a
// single code of one bit (the two incomplete shapes RFC 1951 tolerates).
bool BuildTable(const uint8_t* lengths, int symbolCount, const uint32_t* templates, int firstBits,
                bool allowSparse, uint32_t* table, int tableSize) {
  int count[kMaxCodeBits + 1] = {};
  for (int s = 0; s < symbolCount; ++s) ++count[lengths[s]];
  count[0] = 0;
  int left = 1;
  int used = 0;
  for (int len = 1; len <= kMaxCodeBits; ++len) {
    left = (left << 1) - count[len];
    if (left < 0) return false;
    used += count[len];
  }
  if (left > 0 && !(allowSparse && (used == 0 || (used == 1 && count[1] == 1)))) return false;

  uint32_t nextCode[kMaxCodeBits + 1] = {};
  for (int len = 1, code = 0; len <= kMaxCodeBits; ++len) {
    code = (code + count[len - 1]) << 1;
    nextCode[len] = code;
  }
  const uint32_t firstSize = 1u << firstBits;
  const uint32_t firstMask = firstSize - 1;
  uint16_t reversed[kLitLenSymbols];
  uint8_t subBits[1 << kLitLenFirstBits] = {};
  for (int s = 0; s < symbolCount; ++s) {
    const int len = lengths[s];
    if (len == 0) continue;
    reversed[s] = static_cast<uint16_t>(ReverseBits(nextCode[len]++, len));
    if (len > firstBits) {
      uint8_t& bits = subBits[reversed[s] & firstMask];
      if (len - firstBits > bits) bits = static_cast<uint8_t>(len - firstBits);
    }
  }
  std::memset(table, 0, firstSize * sizeof(uint32_t));
  uint32_t offset = firstSize;
  for (uint32_t prefix = 0; prefix < firstSize; ++prefix) {
    if (subBits[prefix] == 0) continue;
    const uint32_t size = 1u << subBits[prefix];
    if (offset + size > static_cast<uint32_t>(tableSize)) return false;
    table[prefix] = MakeEntry(kSubtable, offset, subBits[prefix]) | firstBits;
    std::memset(table + offset, 0, size * sizeof(uint32_t));
    offset += size;
  }
  for (int s = 0; s < symbolCount; ++s) {
    const int len = lengths[s];
    if (len == 0) continue;
    const uint32_t code = reversed[s];
    if (len <= firstBits) {
      for (uint32_t i = code; i < firstSize; i += 1u << len) table[i] = templates[s] | len;
    } else {
      const uint32_t link = table[code & firstMask];
      const int rest = len - firstBits;
      for (uint32_t i = code >> firstBits; i < (1u << EntryExtra(link)); i += 1u << rest) {
        table[EntryValue(link) + i] = templates[s] | rest;
      }
    }
  }
  return true;
}

// Reads the stream least significant bit first through a 64-bit buffer. Past the end of the
// input it shifts in zero bytes and counts them, so that decoding never reads outside the input;
// a block that consumed any of them is rejected (Overran).
struct BitReader {
  const uint8_t* next;
  const uint8_t* end;
  uint64_t bits;
  unsigned count;
  size_t padBytes;
};

// Leaves at least 56 bits in the buffer: enough for a length code with its extra bits and a
// distance code with its extra bits (15 + 5 + 15 + 13 = 48) without refilling in between.
inline void Refill(BitReader& br) {
  if (br.end - br.next >= 8) {
    br.bits |= LoadLittle64(br.next) << br.count;
    br.next += (63 - br.count) >> 3;
    br.count |= 56;
    return;
  }
  while (br.count <= 56) {
    uint64_t byte = 0;
    if (br.next < br.end) {
      byte = *br.next++;
    } else {
      ++br.padBytes;
    }
    br.bits |= byte << br.count;
    br.count += 8;
  }
}

inline void Consume(BitReader& br, unsigned n) {
  br.bits >>= n;
  br.count -= n;
}

inline uint32_t TakeBits(BitReader& br, unsigned n) {
  const uint32_t v = static_cast<uint32_t>(br.bits & ((uint64_t{1} << n) - 1));
  Consume(br, n);
  return v;
}

inline bool Overran(const BitReader& br) {
  return br.padBytes * 8 > br.count;
}

inline uint32_t DecodeEntry(BitReader& br, const uint32_t* table, int firstBits) {
  uint32_t e = table[br.bits & ((1u << firstBits) - 1)];
  if (EntryKindOf(e) == kSubtable) {
    Consume(br, firstBits);
    e = table[EntryValue(e) + (br.bits & ((1u << EntryExtra(e)) - 1))];
  }
  Consume(br, EntryBits(e));
  return e;
}

struct Output {
  uint8_t* start;
  uint8_t* next;
  uint8_t* end;
};

inline void CopyMatch(uint8_t* out, uint32_t distance, uint32_t length) {
  const uint8_t* src = out - distance;
  if (distance >= length) {
    std::memcpy(out, src, length);
  } else if (distance == 1) {
    std::memset(out, *src, length);
  } else if (distance >= 8) {
    // Each 8-byte step reads only bytes that earlier steps have already written.
    uint32_t i = 0;
    for (; i + 8 <= length; i += 8) std::memcpy(out + i, src + i, 8);
    for (; i < length; ++i) out[i] = src[i];
  } else {
    for (uint32_t i = 0; i < length; ++i) out[i] = src[i];
  }
}

bool DecodeHuffmanSymbols(BitReader& br, const uint32_t* litLen, const uint32_t* dist,
                          Output& out) {
  for (;;) {
    // Stops at the first symbol read from beyond the input rather than filling the output
    // with what the zero padding decodes to.
    if (Overran(br)) return false;
    Refill(br);
    uint32_t e = DecodeEntry(br, litLen, kLitLenFirstBits);
    if (EntryKindOf(e) == kLiteral) {
      // A second code fits in the same refill; literals often come in runs.
      if (out.next == out.end) return false;
      *out.next++ = static_cast<uint8_t>(EntryValue(e));
      e = DecodeEntry(br, litLen, kLitLenFirstBits);
      if (EntryKindOf(e) == kLiteral) {
        if (out.next == out.end) return false;
        *out.next++ = static_cast<uint8_t>(EntryValue(e));
        continue;
      }
      Refill(br);  // room again for a length and a distance with their extra bits
    }
    const uint32_t kind = EntryKindOf(e);
    if (kind == kEndOfBlock) return !Overran(br);
    if (kind != kLength) return false;
    const uint32_t length = EntryValue(e) + TakeBits(br, EntryExtra(e));
    const uint32_t d = DecodeEntry(br, dist, kDistFirstBits);
    if (EntryKindOf(d) != kDistance) return false;
    const uint32_t distance = EntryValue(d) + TakeBits(br, EntryExtra(d));
    if (distance > static_cast<size_t>(out.next - out.start) ||
        length > static_cast<size_t>(out.end - out.next)) {
      return false;
    }
    CopyMatch(out.next, distance, length);
    out.next += length;
  }
}

// Works on local copies of the reader and the output: stores of output bytes could otherwise
// alias them and force the compiler to reload the bit buffer after every literal.
bool DecodeHuffmanBlock(BitReader& state, const uint32_t* litLen, const uint32_t* dist,
                        Output& out) {
  BitReader br = state;
  Output o = out;
  const bool ok = DecodeHuffmanSymbols(br, litLen, dist, o);
  state = br;
  out = o;
  return ok;
}

bool DecodeStoredBlock(BitReader& br, Output& out) {
  Consume(br, br.count & 7);
  // Hand the whole bytes still buffered back to the input and read the rest byte-wise.
  const size_t buffered = br.count >> 3;
  if (br.padBytes > buffered) return false;
  br.next -= buffered - br.padBytes;
  br.bits = 0;
  br.count = 0;
  br.padBytes = 0;
  constexpr size_t kStoredHeaderSize = 4;  // LEN and NLEN, little-endian 16 bits each
  if (static_cast<size_t>(br.end - br.next) < kStoredHeaderSize) return false;
  const uint32_t len = LoadLittle16(br.next);
  const uint32_t nlen = LoadLittle16(br.next + 2);
  br.next += kStoredHeaderSize;
  if ((len ^ 0xFFFF) != nlen) return false;
  if (len > static_cast<size_t>(br.end - br.next) ||
      len > static_cast<size_t>(out.end - out.next)) {
    return false;
  }
  if (len == 0) return true;  // an empty block may come with no output buffer at all
  std::memcpy(out.next, br.next, len);
  out.next += len;
  br.next += len;
  return true;
}

struct FixedTables {
  uint32_t litLen[kLitLenTableSize];
  uint32_t dist[kDistTableSize];
};

const FixedTables& GetFixedTables() {
  static const FixedTables tables = [] {
    FixedTables t{};
    uint8_t lengths[kLitLenSymbols];
    for (int s = 0; s < kLitLenSymbols; ++s)
      lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    BuildTable(lengths, kLitLenSymbols, kLitLenTemplates.data(), kLitLenFirstBits, false, t.litLen,
               kLitLenTableSize);
    uint8_t distLengths[kDistSymbols];
    std::memset(distLengths, 5, sizeof distLengths);
    BuildTable(distLengths, kDistSymbols, kDistTemplates.data(), kDistFirstBits, false, t.dist,
               kDistTableSize);
    return t;
  }();
  return tables;
}

// Reads the code lengths of a dynamic block and builds its two tables.
bool ReadDynamicTables(BitReader& br, uint32_t* litLen, uint32_t* dist) {
  constexpr int kMaxLitLenCodes = 286;
  constexpr int kMaxDistCodes = 30;
  Refill(br);
  const int litLenCount = TakeBits(br, 5) + 257;
  const int distCount = TakeBits(br, 5) + 1;
  const int codeLengthCount = TakeBits(br, 4) + 4;
  if (litLenCount > kMaxLitLenCodes || distCount > kMaxDistCodes) return false;

  uint8_t codeLengthLengths[kCodeLengthSymbols] = {};
  for (int i = 0; i < codeLengthCount; ++i) {
    Refill(br);
    codeLengthLengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(TakeBits(br, 3));
  }
  uint32_t codeLengthTable[kCodeLengthTableSize];
  if (!BuildTable(codeLengthLengths, kCodeLengthSymbols, kCodeLengthTemplates.data(),
                  kCodeLengthFirstBits, false, codeLengthTable, kCodeLengthTableSize)) {
    return false;
  }

  uint8_t lengths[kMaxLitLenCodes + kMaxDistCodes];
  const int total = litLenCount + distCount;
  for (int i = 0; i < total;) {
    Refill(br);
    const uint32_t e = DecodeEntry(br, codeLengthTable, kCodeLengthFirstBits);
    if (EntryKindOf(e) != kLiteral) return false;
    const uint32_t symbol = EntryValue(e);
    if (symbol < 16) {
      lengths[i++] = static_cast<uint8_t>(symbol);
      continue;
    }
    uint8_t value = 0;
    int repeat;
    if (symbol == 16) {  // previous length, 3 to 6 times
      if (i == 0) return false;
      value = lengths[i - 1];
      repeat = 3 + TakeBits(br, 2);
    } else if (symbol == 17) {  // zeros, 3 to 10 times
      repeat = 3 + TakeBits(br, 3);
    } else {  // 18: zeros, 11 to 138 times
      repeat = 11 + TakeBits(br, 7);
    }
    if (repeat > total - i) return false;
    std::memset(lengths + i, value, repeat);
    i += repeat;
  }
  if (Overran(br) || lengths[kEndOfBlockSymbol] == 0) return false;
  return BuildTable(lengths, litLenCount, kLitLenTemplates.data(), kLitLenFirstBits, true, litLen,
                    kLitLenTableSize) &&
         BuildTable(lengths + litLenCount, distCount, kDistTemplates.data(), kDistFirstBits, true,
                    dist, kDistTableSize);
}

}  // namespace

bool InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outCapacity,
                size_t* outSize) {
  enum BlockType { kStored = 0, kFixed = 1, kDynamic = 2 };
  BitReader br{in, in + inSize, 0, 0, 0};
  Output output{out, out, out + outCapacity};
  uint32_t litLen[kLitLenTableSize];
  uint32_t dist[kDistTableSize];
  for (bool final = false; !final;) {
    Refill(br);
    final = TakeBits(br, 1) != 0;
    const uint32_t type = TakeBits(br, 2);
    bool ok = false;
    if (type == kStored) {
      ok = DecodeStoredBlock(br, output);
    } else if (type == kFixed) {
      const FixedTables& fixed = GetFixedTables();
      ok = DecodeHuffmanBlock(br, fixed.litLen, fixed.dist, output);
    } else if (type == kDynamic) {
      ok = ReadDynamicTables(br, litLen, dist) && DecodeHuffmanBlock(br, litLen, dist, output);
    }
    if (!ok) return false;
  }
  *outSize = static_cast<size_t>(output.next - output.start);
  return true;
}

bool InflateZlib(const uint8_t* in, size_t inSize, uint8_t* out, size_t outCapacity,
                 size_t* outSize) {
  constexpr size_t kHeaderSize = 2;
  constexpr unsigned kMethodDeflate = 8;
  constexpr unsigned kMaxWindowField = 7;  // 2^(7+8) = 32 KiB
  constexpr unsigned kPresetDictionaryFlag = 0x20;
  if (inSize < kHeaderSize) return false;
  const unsigned cmf = in[0];
  const unsigned flg = in[1];
  if ((cmf & 15) != kMethodDeflate || (cmf >> 4) > kMaxWindowField ||
      (flg & kPresetDictionaryFlag) != 0) {
    return false;
  }
  return InflateRaw(in + kHeaderSize, inSize - kHeaderSize, out, outCapacity, outSize);
}

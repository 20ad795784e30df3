#include "answers/compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>

namespace {

TEST(TrimSpaces, RemovesOuterSpacesOnly) {
  const struct {
    const char* text;
    const char* trimmed;
  } rows[] = {
      {"", ""},
      {" ", ""},
      {"   ", ""},
      {"PARIS", "PARIS"},
      {"  A ", "A"},
      {"A", "A"},
      {" A", "A"},
      {"A   ", "A"},
      {"\tA", "\tA"},  // only 0x20 is a space
      {"\xA0"
       "A\xA0",
       "\xA0"
       "A\xA0"},  // no-break spaces stay
      {"A\r\n ", "A\r\n"},
      {" MONT  BLANC  ", "MONT  BLANC"},  // inner spaces stay
  };
  for (const auto& row : rows) {
    char text[kTextSize];
    std::snprintf(text, sizeof text, "%s", row.text);
    TrimSpaces(text);
    EXPECT_STREQ(text, row.trimmed) << '"' << row.text << '"';
  }
}

TEST(TrimSpaces, HandlesTextsBeyondTheFieldCapacity) {
  std::string text = std::string(300, ' ') + "A" + std::string(300, ' ');
  TrimSpaces(text.data());
  EXPECT_STREQ(text.c_str(), "A");
}

TEST(SortBytes, GivesEqualKeysExactlyForAnagrams) {
  const struct {
    const char* a;
    const char* b;
    bool anagrams;
  } rows[] = {
      {"CHIEN", "CHINE", true}, {"ROMA", "AMOR", true}, {"\xC9T\xC9", "T\xC9\xC9", true},
      {"PARIS", "PARIS", true}, {"AAB", "ABB", false},  {"ROMA", "ROME", false},
      {"", "", true},
  };
  for (const auto& row : rows) {
    std::string a = row.a, b = row.b;
    SortBytes(a.data());
    SortBytes(b.data());
    EXPECT_EQ(a == b, row.anagrams) << row.a << " / " << row.b;
  }
}

TEST(SortBytes, OrdersBytesAsSignedValues) {
  const struct {
    const char* text;
    const char* key;
  } rows[] = {
      {"CHIEN", "CEHIN"},
      {"a\xE9"
       "A\x80",
       "\x80\xE9"
       "Aa"},  // 0x80..0xFF before 0x00..0x7F
      {"\x7F\xFF\x01\x80", "\x80\xFF\x01\x7F"},
  };
  for (const auto& row : rows) {
    std::string text = row.text;
    SortBytes(text.data());
    EXPECT_EQ(text, row.key) << row.text;
  }
}

TEST(EditDistance, CountsInsertionsDeletionsAndSubstitutions) {
  const struct {
    const char* a;
    const char* b;
    int distance;
  } rows[] = {
      {"", "", 0},
      {"", "ABC", 3},
      {"ABC", "", 3},
      {"PARIS", "PARIS", 0},
      {"CHIEN", "CHINE", 2},  // a transposition costs 2
      {"PARIS", "PARI", 1},
      {"PARIS", "PRIS", 1},
      {"PARIS", "PARISSS", 2},
      {"PARIS", "PAXIS", 1},
      {"KITTEN", "SITTING", 3},
      {"LEONARD DE VINCI", "LEONARDO DA VINCI", 2},
      {"\xC9T\xC9", "ETE", 2},  // accents count
  };
  for (const auto& row : rows) {
    EXPECT_EQ(EditDistance(row.a, row.b), row.distance) << row.a << " / " << row.b;
    EXPECT_EQ(EditDistance(row.b, row.a), row.distance) << row.b << " / " << row.a;
  }
}

TEST(EditDistance, HandlesFullCapacityAndCutsLongerTexts) {
  const std::string full_a(kMaxTextLength, 'A');
  const std::string full_b(kMaxTextLength, 'B');
  EXPECT_EQ(EditDistance(full_a.c_str(), full_b.c_str()), kMaxTextLength);
  EXPECT_EQ(EditDistance(full_a.c_str(), ""), kMaxTextLength);
  // Past the capacity only the first 259 bytes count.
  const std::string long_a = full_a + std::string(500, 'X');
  const std::string long_b = full_a + std::string(100, 'Y');
  EXPECT_EQ(EditDistance(long_a.c_str(), long_b.c_str()), 0);
  EXPECT_EQ(EditDistance(long_a.c_str(), "AB"), kMaxTextLength - 1);
}

// The bit-parallel distance against the plain table, on lengths around the
// 64-row blocks and on alphabets from two bytes to all 255.
TEST(EditDistance, AgreesWithThePlainTable) {
  std::mt19937 rng(64);
  const int edges[] = {1, 2, 63, 64, 65, 127, 128, 129, 191, 192, 193, 255, kMaxTextLength};
  auto length = [&] {
    std::uniform_int_distribution<int> pick(0, 2 * int(std::size(edges)));
    const int n = pick(rng);
    if (n < int(std::size(edges))) return edges[n];
    return std::uniform_int_distribution<int>(0, kMaxTextLength)(rng);
  };
  for (int pair = 0; pair < 2000; ++pair) {
    const int alphabet = std::uniform_int_distribution<int>(2, 255)(rng) / (pair % 2 + 1);
    std::uniform_int_distribution<int> byte(1, std::max(alphabet, 2));
    std::string a, b;
    for (int i = length(); i > 0; --i) a += char(byte(rng));
    // Half the pairs a few edits apart, half unrelated.
    if (pair % 2) {
      b = a;
      for (int edits = pair % 5; edits > 0; --edits) {
        const size_t at = std::uniform_int_distribution<size_t>(0, b.size())(rng);
        if (at == b.size() || edits % 2) {
          b.insert(at, 1, char(byte(rng)));
        } else {
          b[at] = char(byte(rng));
        }
      }
      b = b.substr(0, kMaxTextLength);
    } else {
      for (int i = length(); i > 0; --i) b += char(byte(rng));
    }
    ASSERT_EQ(EditDistance(a.c_str(), b.c_str()), EditDistanceByRows(a.c_str(), b.c_str()))
        << "pair " << pair << ": " << a.size() << " and " << b.size() << " bytes";
  }
}

TEST(FindContainment, ScansForwardOnly) {
  const struct {
    const char* expected;
    const char* typed;
    int result;
  } rows[] = {
      {"PARIS", "PARIS FRANCE", 2},
      {"PARIS", "EN FRANCE PARIS", 2},
      {"MONT BLANC", "BLANC", -2},
      {"MONT BLANC", "MONT", -2},
      {"PARIS", "PARIS", 2},
      {"ROME", "PARIS", 0},
      {"PARIS", "ROME", 0},
      {"ABCD", "ABDC", 0},
      {"AAB", "AAAB", 0},  // the run AA breaks on the third A, the scan goes on from there
      {"AAAB", "AAB", 0},
      {"AB", "AAB", 2},  // a broken run restarts on the byte that broke it
      {"ABAC", "ABABAC", 0},
      {"", "", 1},
      {"", "X", 1},
      {"X", "", -1},
      {"PARIS", "PARI", -2},
      {"PARIS", "PAR", -2},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FindContainment(row.expected, row.typed), row.result)
        << row.expected << " / " << row.typed;
  }
}

}  // namespace

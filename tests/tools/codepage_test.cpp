#include "tools/codepage.h"

#include <gtest/gtest.h>

namespace {

struct Row {
  const char* utf8;
  const char* cp1252;
};

TEST(Codepage, ConvertsBothWays) {
  const Row rows[] = {
      {"", ""},
      {"PARIS", "PARIS"},
      {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},  // été
      {"\xE2\x82\xAC", "\x80"},            // €
      {"s\xC5\x93ur", "s\x9Cur"},          // sœur
      {"\xC5\xB8", "\x9F"},                // Ÿ
      {"\xE2\x80\x99", "\x92"},            // ’
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},    // no-break space, ÿ
  };
  for (const Row& row : rows) {
    std::string out, error;
    ASSERT_TRUE(Utf8ToCp1252(row.utf8, &out, &error)) << row.utf8 << ": " << error;
    EXPECT_EQ(out, row.cp1252);
    EXPECT_EQ(Cp1252ToUtf8(row.cp1252), row.utf8);
  }
}

TEST(Codepage, RefusesWhatTheCodePageCannotHold) {
  const std::string rejected[] = {
      std::string("a\0b", 3),  // U+0000
      "\xC2\x81",
      "\xC2\x8D",
      "\xC2\x8F",
      "\xC2\x90",
      "\xC2\x9D",          // no character there
      "\xE4\xB8\xAD",      // 中
      "\xF0\x9F\x98\x80",  // emoji
      "\xC3",              // cut sequence
      "\xC0\xA9",          // overlong
      "\xED\xA0\x80",      // surrogate
      "\xFF",              // not UTF-8
  };
  for (const std::string& text : rejected) {
    std::string out = "kept", error;
    EXPECT_FALSE(Utf8ToCp1252(text, &out, &error)) << text;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(out, "kept");
  }
}

TEST(Codepage, UndefinedBytesShowAsTheirC1CodePoints) {
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

}  // namespace

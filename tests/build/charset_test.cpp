// Texts are code page 1252 bytes whatever the compiler: pin it, since a build
// without -fexec-charset=CP1252 would silently show "Ã©" for every "é".
#include <gtest/gtest.h>

#include <cstring>

TEST(Charset, NonAsciiLiteralsAreCodePage1252Bytes) {
  const char* accented = "é";
  ASSERT_EQ(std::strlen(accented), 1u);
  EXPECT_EQ(static_cast<unsigned char>(accented[0]), 0xE9);

  const char* euro_and_oe = "€œ";
  ASSERT_EQ(std::strlen(euro_and_oe), 2u);
  EXPECT_EQ(static_cast<unsigned char>(euro_and_oe[0]), 0x80);
  EXPECT_EQ(static_cast<unsigned char>(euro_and_oe[1]), 0x9C);
}

TEST(Charset, EscapedAndLiteralFormsAgree) {
  EXPECT_STREQ("y a de l'idée",
               "y a de l'id\xE9"
               "e");
}

#include "answers/verdict.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "tests/answers/judge_helpers.h"

namespace {

std::string Letters(int count) {
  return std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, count);
}

TEST(JudgeAnswer, GradesLikeThePlayer) {
  const std::string twenty = Letters(20);
  const std::string fifteen = Letters(15);
  const std::string sixteen = Letters(16);
  const struct {
    std::string expected;
    std::string typed;
    const char* word;
  } rows[] = {
      // Short answers: all or nothing.
      {"ROI", "roi ", kWordBravo},
      {"ROI", "ROIS", kWordFaux},
      {"ROI", "", kWordEmpty},
      {"ROI", "   ", kWordEmpty},
      {"ROI", "RO", kWordFaux},
      {"", "", kWordEmpty},
      {"", "A", kWordFaux},
      {"\xC9T\xC9", "\xE9t\xE9", kWordBravo},  // ÉTÉ / été
      {"\xC9T\xC9", "ete", kWordFaux},         // accents count
      // Case, outer spaces and the letters whose capitals sit elsewhere.
      {"PARIS", "paris  ", kWordBravo},
      {"PARIS", "  Paris  ", kWordBravo},
      {"PARIS", "", kWordEmpty},
      {"\x8C"
       "UVRE",
       "\x9C"
       "uvre",
       kWordBravo},  // ŒUVRE / œuvre
      {"\x9F"
       "VES",
       "\xFF"
       "ves",
       kWordBravo},  // Ÿ / ÿ
      {"\x8A"
       "KODA",
       "\x9A"
       "koda",
       kWordBravo},                         // Š / š
      {"PARIS", "PAR IS", kWordQuasiment},  // inner spaces count
      // Typing errors.
      {"PARIS", "PARI", kWordQuasiment},
      {"PARIS", "PRIS", kWordQuasiment},
      {"PARIS", "PAXIS", kWordQuasiment},
      {"PARIS", "PAIRS", kWordAnagramme},
      {"CHIEN", "CHINE", kWordAnagramme},
      {"ROMA", "AMOR", kWordAnagramme},
      {"PARIS", "PARISSS", kWordPresque},
      {"PARIS", "PXRIX", kWordPresque},
      // Too long: 3 to 10 more bytes, then 11 to 20, then more.
      {"PARIS", "PARIS FRANCE", kWordTropLong},
      {"PARIS", "PARIS EN FRANCE", kWordTropLong},
      {"PARIS", "OUI PARIS", kWordTropLong},
      {"PARIS", "PARIS" + std::string(11, '!'), kWordPasLoin},
      {"PARIS", "PARIS" + std::string(20, '!'), kWordPasLoin},
      {"PARIS", "PARIS" + std::string(21, '!'), kWordFaux},
      // Too short: more than 80 %, more than 75 %, less.
      {"CHRISTOPHE COLOMB", "CHRISTOPHE COL", kWordTropCourt},
      {"CHRISTOPHE COLOMB", "CHRISTOPHE CO", kWordPasLoin},
      {"CHRISTOPHE COLOMB", "CHRISTOPHE", kWordFaux},
      {twenty, twenty.substr(0, 17), kWordTropCourt},
      {twenty, twenty.substr(0, 16), kWordPasLoin},  // exactly 80 %
      {twenty, twenty.substr(0, 15), kWordFaux},     // exactly 75 %
      {twenty, twenty.substr(5), kWordFaux},
      {"MONT BLANC", "BLANC", kWordFaux},
      {"MONT BLANC", "MONT BLA", kWordPresque},
      {"MONT BLANC", "ONT BLA", kWordFaux},  // 70 %
      {Letters(9), Letters(6), kWordFaux},   // no part credit under 10 bytes
      {Letters(10), Letters(7), kWordFaux},  // 70 %
      {Letters(10), Letters(8), kWordPresque},
      // Likeness by distance.
      {"LEONARD DE VINCI", "LEONARDO DA VINCI", kWordPresque},
      {"LEONARD DE VINCI", "LEONARDO DA VINCCI", kWordIdee},  // d = 3, m = 18
      {fifteen, "1BC2EFG3IJKLMNO", kWordFaux},                // exactly 80 %
      {sixteen, "1BC2EFG3IJKLMNOP", kWordIdee},
      {"PARIS", "LONDRES", kWordFaux},
      {"PARIS", "paris france", kWordTropLong},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(JudgeAsPlayer(row.expected, row.typed), row.word)
        << '"' << row.expected << "\" / \"" << row.typed << '"';
    EXPECT_EQ(JudgeUpcased(row.expected, row.typed), row.word)
        << '"' << row.expected << "\" / \"" << row.typed << "\" upper-cased";
  }
}

TEST(JudgeAnswer, ReturnsTheVocabularyWordsByteForByte) {
  EXPECT_EQ(JudgeAnswer("ROI", ""), kWordEmpty);
  // The words as the player shows them, byte for byte: the window tests read
  // the labels against the constants, so this is their only check.
  const char* const spelt[] = {"?",
                               "BRAVO",
                               "FAUX",
                               "Anagramme",
                               "Quasiment",
                               "Presque",
                               "Trop court",
                               "Trop long",
                               "Pas loin",
                               "y a de l'id\xE9"
                               "e"};
  ASSERT_EQ(std::size(spelt), std::size(kFeedbackWords));
  for (size_t i = 0; i < std::size(spelt); ++i) EXPECT_STREQ(kFeedbackWords[i], spelt[i]);
  const std::string idee = JudgeAsPlayer("LEONARD DE VINCI", "LEONARDO DA VINCCI");
  EXPECT_EQ(idee, std::string("y a de l'id\xE9\x65"));
}

TEST(JudgeAnswer, ReadsAtMostTheFieldCapacity) {
  const std::string full(kMaxTextLength, 'A');
  EXPECT_STREQ(JudgeAnswer(full.c_str(), full.c_str()), kWordBravo);
  EXPECT_STREQ(JudgeAnswer(full.c_str(), (full + "B").c_str()), kWordBravo);
  EXPECT_STREQ(JudgeAnswer((full + std::string(1000, 'C')).c_str(), (full + "D").c_str()),
               kWordBravo);
  EXPECT_STREQ(JudgeAnswer(std::string(5000, 'X').c_str(), "XXXX"), kWordFaux);
  EXPECT_STREQ(JudgeAnswer("XXXX", std::string(5000, 'X').c_str()), kWordFaux);
}

}  // namespace

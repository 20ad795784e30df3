#include "quiz/quiz_loader.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "quiz/answer_fold.h"
#include "quiz/block_encoder.h"
#include "quiz/quiz_model.h"
#include "quiz/quiz_text.h"

namespace {

// The three blocks of a quiz, stored (and scrambled where asked) as a player
// carries them.
struct StoredQuiz {
  std::array<std::vector<unsigned char>, kQuizBlockCount> blocks;

  QuizBlocks View() const {
    QuizBlocks view;
    for (int b = 0; b < kQuizBlockCount; ++b) {
      view.data[b] = blocks[b].data();
      view.size[b] = blocks[b].size();
    }
    return view;
  }
};

StoredQuiz Store(const std::array<std::string, kQuizBlockCount>& texts,
                 std::array<bool, kQuizBlockCount> scramble = {}) {
  StoredQuiz stored;
  int keyPosition = 0;
  for (int b = 0; b < kQuizBlockCount; ++b) {
    std::string error;
    if (texts[b].empty()) continue;  // a missing resource
    EXPECT_TRUE(EncodeQuizBlock(texts[b], scramble[b], &keyPosition, &stored.blocks[b], &error))
        << error;
  }
  return stored;
}

// A loaded quiz record that frees its questions.
struct LoadedQuiz {
  QuizData data;
  LoadOutcome outcome;

  explicit LoadedQuiz(const StoredQuiz& stored) {
    InitQuizData(&data);
    outcome = LoadQuiz(&data, stored.View());
  }
  ~LoadedQuiz() { DestroyQuizData(&data); }
};

const std::string kBuiltinText = std::string("\x01\x02", 2) + "https://tevra.test|Le coin|";

// The worked example: one question of one answer box, kind 0.
const std::string kCapitalsText = std::string("\x00\x01\x01\x01", 4) +
                                  "Capitales|Moi|Europe|||PARIS|Capitale de la France ?|" +
                                  std::string("\x00\x5A\x5F\x96", 4);

TEST(LoadQuiz, WorkedQuizBlockByteForByte) {
  LoadedQuiz quiz(Store({kBuiltinText, kCapitalsText, "C1\r\n"}));
  const QuizData& q = quiz.data;
  EXPECT_FALSE(quiz.outcome.failed);
  EXPECT_EQ(quiz.outcome.message, nullptr);
  EXPECT_STREQ(q.linkText, "https://tevra.test");
  EXPECT_STREQ(q.footerText, "Le coin");
  EXPECT_EQ(q.displayMode, 0);
  EXPECT_EQ(q.questionCount, 1);
  EXPECT_EQ(q.answersPerQuestion, 1);
  EXPECT_STREQ(q.title, "Capitales");
  EXPECT_STREQ(q.author, "Moi");
  EXPECT_STREQ(q.subtitle, "Europe");
  EXPECT_STREQ(q.answerCaption1, "");
  EXPECT_STREQ(q.answerCaption2, "");
  ASSERT_NE(q.firstQuestion, nullptr);
  EXPECT_EQ(q.firstQuestion, q.lastQuestion);
  EXPECT_STREQ(q.firstQuestion->answer1, "\x05\x14\x25\x94\x35");
  EXPECT_STREQ(q.firstQuestion->answer2, "");
  EXPECT_STREQ(q.firstQuestion->extraText, "");
  EXPECT_STREQ(q.firstQuestion->questionText, "Capitale de la France ?");
  EXPECT_EQ(q.questionKind, 0);
  EXPECT_EQ(q.panelRed, 90u);
  EXPECT_EQ(q.panelGreen, 95u);
  EXPECT_EQ(q.panelBlue, 150u);
  EXPECT_STREQ(q.codes[0], "C1");
}

// Block 1 with `count` questions "Qn", answers "an" (and "bn" with two boxes),
// then the kind, the extra fields "xn", and the colour bytes 1, 2, 3.
std::string QuizText(int displayByte, int count, int answers, int kind, int extraFields) {
  std::string text = {'\0', static_cast<char>(displayByte), static_cast<char>(count),
                      static_cast<char>(answers)};
  text += "T|A|S|C1|C2|";
  for (int i = 1; i <= count; ++i) {
    text += "a" + std::to_string(i) + "|";
    if (answers == 2) text += "b" + std::to_string(i) + "|";
    text += "Q" + std::to_string(i) + "|";
  }
  text += static_cast<char>(kind);
  for (int i = 1; i <= count * extraFields; ++i) text += "x" + std::to_string(i) + "|";
  return text + "\x01\x02\x03";
}

struct KindCase {
  int kind;
  int fieldsPerQuestion;
  std::vector<std::string> extras;  // extraText of questions 1..3

  friend void PrintTo(const KindCase& c, std::ostream* os) { *os << "kind " << c.kind; }
};

class ExtraTexts : public testing::TestWithParam<KindCase> {};

TEST_P(ExtraTexts, FollowTheKind) {
  const KindCase& c = GetParam();
  LoadedQuiz quiz(Store({kBuiltinText, QuizText(2, 3, 1, c.kind, c.fieldsPerQuestion), "a\r\n"}));
  ASSERT_FALSE(quiz.outcome.failed);
  EXPECT_EQ(quiz.data.questionKind, c.kind);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(QuestionAt(quiz.data, k)->extraText, c.extras[k]);
  EXPECT_EQ(quiz.data.panelRed, 1u);
  EXPECT_EQ(quiz.data.panelGreen, 2u);
  EXPECT_EQ(quiz.data.panelBlue, 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExtraTexts,
    testing::Values(KindCase{0, 0, {"", "", ""}}, KindCase{5, 0, {"", "", ""}},
                    KindCase{10, 0, {"", "", ""}}, KindCase{255, 0, {"", "", ""}},
                    KindCase{1, 1, {"x1", "x2", "x3"}}, KindCase{2, 1, {"x1", "x2", "x3"}},
                    KindCase{4, 1, {"x1", "x2", "x3"}}, KindCase{7, 1, {"x1", "x2", "x3"}},
                    KindCase{8, 1, {"x1", "x2", "x3"}}, KindCase{3, 2, {"x1", "x3", "x5"}},
                    KindCase{6, 2, {"x1", "x3", "x5"}}, KindCase{9, 2, {"x1", "x3", "x5"}}));

TEST(LoadQuiz, TwoAnswerBoxesReadAFoldedSecondAnswer) {
  LoadedQuiz quiz(Store({kBuiltinText, QuizText(4, 2, 2, 0, 0), "a\r\nb\r\n"}));
  ASSERT_FALSE(quiz.outcome.failed);
  EXPECT_EQ(quiz.data.displayMode, 3);
  const Question* second = QuestionAt(quiz.data, 1);
  char expected[] = "B2";
  FoldAnswer(expected);
  EXPECT_STREQ(second->answer2, expected);
  EXPECT_STREQ(second->questionText, "Q2");
}

TEST(LoadQuiz, DisplayByteZeroGivesNoKnownMode) {
  LoadedQuiz quiz(Store({kBuiltinText, QuizText(0, 1, 1, 0, 0), "a\r\n"}));
  EXPECT_EQ(quiz.data.displayMode, -1);
}

TEST(LoadQuiz, RewardCodes) {
  const std::string long259(259, 'L');
  const std::string long300(300, 'M');
  struct Case {
    const char* name;
    int count;
    std::string codesText;
    std::vector<std::string> codes;
  };
  const Case cases[] = {
      {"three lines", 3, "un\r\ndeux\r\ntrois\r\n", {"un", "deux", "trois"}},
      {"empty line", 3, "un\r\n\r\ntrois\r\n", {"un", "", "trois"}},
      {"259 bytes whole", 1, long259 + "\r\n", {long259}},
      {"longer line cut", 2, long300 + "\r\nz\r\n", {long300.substr(0, 259), "z"}},
      {"missing lines empty", 3, "un\r\n", {"un", "", ""}},
      {"last line unended", 2, "un\r\ndeux", {"un", "deux"}},
  };
  for (const Case& c : cases) {
    LoadedQuiz quiz(Store({kBuiltinText, QuizText(1, c.count, 1, 0, 0), c.codesText}));
    EXPECT_FALSE(quiz.outcome.failed) << c.name;
    for (int i = 0; i < c.count; ++i) EXPECT_EQ(quiz.data.codes[i], c.codes[i]) << c.name;
  }
}

TEST(LoadQuiz, NinetySixQuestionsFit) {
  std::string codes;
  for (int i = 0; i < kMaxQuestions; ++i) codes += "c" + std::to_string(i + 1) + "\r\n";
  LoadedQuiz quiz(Store({kBuiltinText, QuizText(1, kMaxQuestions, 1, 1, 1), codes}));
  ASSERT_FALSE(quiz.outcome.failed);
  EXPECT_EQ(quiz.data.questionCount, kMaxQuestions);
  EXPECT_STREQ(quiz.data.lastQuestion->extraText, "x96");
  EXPECT_STREQ(quiz.data.codes[kMaxQuestions - 1], "c96");
}

struct FailureCase {
  const char* name;
  std::array<std::string, kQuizBlockCount> texts;
  const char* title;  // what the record keeps

  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class LoadFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(LoadFailure, ShowsTheDecodeErrorAndNoQuestion) {
  const FailureCase& c = GetParam();
  LoadedQuiz quiz(Store(c.texts));
  EXPECT_TRUE(quiz.outcome.failed);
  EXPECT_STREQ(quiz.outcome.message,
               "Erreur dans le d\xE9"
               "chiffrage");
  EXPECT_STREQ(quiz.outcome.caption, "Tevra");
  EXPECT_EQ(quiz.data.questionCount, 0);
  EXPECT_STREQ(quiz.data.title, c.title);
}

const std::string kGoodQuiz = QuizText(1, 2, 1, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Blocks, LoadFailure,
    testing::Values(
        FailureCase{"MissingBuiltin", {"", kGoodQuiz, "a\r\nb\r\n"}, "nom du tevra"},
        FailureCase{"BuiltinWithoutBar", {"\x01\x02lien|coin", kGoodQuiz, "a\r\n"}, "nom du tevra"},
        FailureCase{"BuiltinOneByte", {"\x01", kGoodQuiz, "a\r\n"}, "nom du tevra"},
        FailureCase{"MissingQuiz", {kBuiltinText, "", "a\r\n"}, "nom du tevra"},
        FailureCase{"QuizHeaderCut",
                    {kBuiltinText, std::string("\x00\x01\x02", 3), "a\r\n"},
                    "nom du tevra"},
        FailureCase{"QuizFieldWithoutBar",
                    {kBuiltinText, kGoodQuiz.substr(0, kGoodQuiz.find("Q2|") + 2), "a\r\n"},
                    "T"},
        FailureCase{"QuizWithoutColours",
                    {kBuiltinText, kGoodQuiz.substr(0, kGoodQuiz.size() - 1), "a\r\n"},
                    "T"},
        FailureCase{"NinetySevenQuestions",
                    {kBuiltinText, QuizText(1, kMaxQuestions + 1, 1, 0, 0), "a\r\n"},
                    "nom du tevra"},
        FailureCase{"MissingCodes", {kBuiltinText, kGoodQuiz, ""}, "T"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(LoadQuiz, UndecodableBlockStopsTheLoad) {
  StoredQuiz stored = Store({kBuiltinText, kGoodQuiz, "a\r\nb\r\n"});
  stored.blocks[1] = {0xFF, 0xFF, 0xFF};  // a code above the next free code, either way
  LoadedQuiz quiz(stored);
  EXPECT_TRUE(quiz.outcome.failed);
  EXPECT_STREQ(quiz.data.linkText, "https://tevra.test");
  EXPECT_STREQ(quiz.data.title, "nom du tevra");
  EXPECT_EQ(quiz.data.firstQuestion, nullptr);
  EXPECT_STREQ(quiz.data.codes[0], "");
}

// A block past the decoder's capacity is undecodable before any byte of it
// is copied: no copy of a damaged size can fail with an exception.
TEST(LoadQuiz, BlockPastTheDecoderCapacityIsUndecodable) {
  StoredQuiz stored = Store({kBuiltinText, kGoodQuiz, "a\r\nb\r\n"});
  QuizBlocks view = stored.View();
  view.size[1] = size_t{1} << 40;
  QuizData data;
  InitQuizData(&data);
  const LoadOutcome outcome = LoadQuiz(&data, view);
  EXPECT_TRUE(outcome.failed);
  EXPECT_STREQ(outcome.caption, "Tevra");
  EXPECT_EQ(data.questionCount, 0);
  DestroyQuizData(&data);
}

// One key position runs through the three blocks and moves only for the
// blocks that were scrambled; the caller's bytes are never changed.
TEST(LoadQuiz, ScrambledBlocksShareTheKeyPosition) {
  const std::array<bool, kQuizBlockCount> patterns[] = {
      {false, true, true}, {true, false, true}, {true, true, true}, {true, true, false}};
  for (const auto& scramble : patterns) {
    const StoredQuiz stored = Store({kBuiltinText, kCapitalsText, "C1\r\n"}, scramble);
    const StoredQuiz before = stored;
    LoadedQuiz quiz(stored);
    EXPECT_FALSE(quiz.outcome.failed);
    EXPECT_STREQ(quiz.data.footerText, "Le coin");
    EXPECT_STREQ(quiz.data.title, "Capitales");
    EXPECT_STREQ(quiz.data.codes[0], "C1");
    EXPECT_EQ(stored.blocks, before.blocks);
  }
}

TEST(ReadField, ReadsBarEndedFieldsInTurn) {
  const std::string source = "A|BC||D|";
  TextCursor cursor = {reinterpret_cast<const unsigned char*>(source.data()), source.size(), 0};
  char field[kTextSize];
  for (const char* expected : {"A", "BC", "", "D"}) {
    ASSERT_TRUE(ReadField(&cursor, field, sizeof(field)));
    EXPECT_STREQ(field, expected);
  }
  EXPECT_EQ(cursor.position, source.size());
  EXPECT_FALSE(ReadField(&cursor, field, sizeof(field)));
  EXPECT_STREQ(field, "");
}

TEST(ReadField, CutsAFieldToItsBufferAndStopsAtTheTextEnd) {
  const std::string source = std::string(30, 'x') + "|rest";
  TextCursor cursor = {reinterpret_cast<const unsigned char*>(source.data()), source.size(), 0};
  char link[kLinkTextSize];
  ASSERT_TRUE(ReadField(&cursor, link, sizeof(link)));
  EXPECT_EQ(std::string(link), std::string(24, 'x'));
  EXPECT_EQ(cursor.position, 31u);
  EXPECT_FALSE(ReadField(&cursor, link, sizeof(link)));
  EXPECT_STREQ(link, "rest");
  EXPECT_EQ(cursor.position, source.size());
}

TEST(LoadQuiz, AcceptedAnswersAreUpcasedThenFolded) {
  const std::string text = std::string("\x00\x02\x02\x01", 4) + "T|||||Abc|Q1|\xE9|Q2|" +
                           std::string("\x00\x01\x02\x03", 4);
  QuizData quiz;
  InitQuizData(&quiz);
  ASSERT_TRUE(
      ParseBlockText(1, reinterpret_cast<const unsigned char*>(text.data()), text.size(), &quiz));
  EXPECT_STREQ(QuestionAt(quiz, 0)->answer1, "\x14\x24\x34");
  EXPECT_STREQ(QuestionAt(quiz, 1)->answer1, "\x8C");  // é is stored as É is
  DestroyQuizData(&quiz);
}

}  // namespace

#include "quiz/quiz_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "quiz/answer_fold.h"

namespace {

class QuizModel : public testing::Test {
 protected:
  void SetUp() override { InitQuizData(&quiz_); }
  void TearDown() override { DestroyQuizData(&quiz_); }
  QuizData quiz_;
};

TEST_F(QuizModel, FreshRecordHoldsTheDefaults) {
  EXPECT_STREQ(quiz_.title, "nom du tevra");
  EXPECT_STREQ(quiz_.author, " createur");
  EXPECT_STREQ(quiz_.subtitle, "");
  EXPECT_EQ(quiz_.questionCount, 2);
  EXPECT_EQ(quiz_.answersPerQuestion, 1);
  EXPECT_EQ(quiz_.questionKind, 0);
  EXPECT_EQ(quiz_.displayMode, 0);
  EXPECT_EQ(quiz_.panelRed, 90u);
  EXPECT_EQ(quiz_.panelGreen, 95u);
  EXPECT_EQ(quiz_.panelBlue, 150u);
  EXPECT_EQ(quiz_.hideStates[kMaxQuestions], 0);
  EXPECT_EQ(quiz_.firstQuestion, nullptr);
  EXPECT_EQ(QuestionAt(quiz_, 0), nullptr);
}

TEST_F(QuizModel, AppendLinksAtTheTail) {
  Question* a = AppendQuestion(&quiz_, "\x14", "", "un");
  Question* b = AppendQuestion(&quiz_, "\x24", "\x25", "deux");
  Question* c = AppendQuestion(&quiz_, "\x34", "", "trois");
  EXPECT_EQ(quiz_.firstQuestion, a);
  EXPECT_EQ(quiz_.lastQuestion, c);
  EXPECT_EQ(a->prev, nullptr);
  EXPECT_EQ(b->prev, a);
  EXPECT_EQ(b->next, c);
  EXPECT_EQ(c->next, nullptr);
  for (const Question* q : {a, b, c}) {
    EXPECT_STREQ(q->extraText, "");
    EXPECT_EQ(q->solved, 0);
  }
  EXPECT_STREQ(b->answer2, "\x25");
  EXPECT_EQ(QuestionAt(quiz_, 0), a);
  EXPECT_EQ(QuestionAt(quiz_, 2), c);
  EXPECT_EQ(QuestionAt(quiz_, 5), c);  // past the end: the last one
}

TEST_F(QuizModel, AppendCutsTextsToTheirBuffers) {
  const std::string longText(400, 'q');
  const Question* q = AppendQuestion(&quiz_, longText.c_str(), "", longText.c_str());
  EXPECT_EQ(std::string(q->questionText), longText.substr(0, kTextSize - 1));
  EXPECT_EQ(std::string(q->answer1), longText.substr(0, kTextSize - 1));
}

TEST_F(QuizModel, DestroyEmptiesTheListAndMayRunTwice) {
  AppendQuestion(&quiz_, "a", "", "q");
  DestroyQuizData(&quiz_);
  EXPECT_EQ(quiz_.firstQuestion, nullptr);
  EXPECT_EQ(quiz_.lastQuestion, nullptr);
}

TEST(FoldByte, KnownValuesAndOneToOne) {
  const unsigned char pairs[][2] = {{0x00, 0x00}, {0x01, 0x10}, {0x41, 0x14}, {0x20, 0x02},
                                    {0x7A, 0xA7}, {0x80, 0xF8}, {0xC9, 0x8C}, {0xFF, 0xEF}};
  for (const auto& p : pairs) EXPECT_EQ(FoldByte(p[0]), p[1]) << int(p[0]);
  std::set<unsigned char> folds;
  for (int b = 0; b < 256; ++b) {
    const unsigned char f = FoldByte(static_cast<unsigned char>(b));
    folds.insert(f);
    EXPECT_EQ(UnfoldByte(f), b);
  }
  EXPECT_EQ(folds.size(), 256u);
}

TEST(UpcaseAnswer, KeepsAccentsAndMatchesEveryCapital) {
  const char* cases[][2] = {
      {"y a de l'id\xE9"
       "e",
       "Y A DE L'ID\xC9"
       "E"},
      {"0123 ,.;!?-\xDF", "0123 ,.;!?-\xDF"},  // digits, punctuation and ß stay
      {"s\x9Cur", "S\x8CUR"},                  // œ -> Œ
      {"\x9A\x9E\xFF", "\x8A\x8E\x9F"},        // š ž ÿ -> Š Ž Ÿ
      {"\xF7\xD7", "\xF7\xD7"},                // ÷ and × have no case
      {"\xE0\xE7\xFE", "\xC0\xC7\xDE"},
  };
  for (const auto& c : cases) {
    char text[32];
    std::snprintf(text, sizeof(text), "%s", c[0]);
    UpcaseAnswer(text);
    EXPECT_STREQ(text, c[1]);
  }
}

TEST(FoldAnswer, FoldsUpcasedBytesAndUnfoldsToCapitals) {
  char text[] = "Abc-\xE9\x9C";
  FoldAnswer(text);
  EXPECT_STREQ(text, "\x14\x24\x34\xD2\x8C\xB8");
  UnfoldAnswer(text);
  EXPECT_STREQ(text, "ABC-\xC9\x8C");
}

}  // namespace

#include "quiz/quiz_text.h"

#include <gtest/gtest.h>

#include <string>

#include "quiz/quiz_kinds.h"
#include "tests/support/same_quiz.h"

namespace {

const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

void ExpectSameQuiz(const DecodedQuiz& a, const DecodedQuiz& b) {
  EXPECT_EQ(a.questionCount, b.questionCount);
  ExpectSameQuizTexts(a, b);
}

DecodedQuiz ReadAll(const QuizTexts& texts) {
  DecodedQuiz quiz;
  EXPECT_EQ(ReadBuiltinText(Bytes(texts.builtin), texts.builtin.size(), &quiz),
            QuizTextFault::kNone);
  EXPECT_EQ(ReadQuizText(Bytes(texts.quiz), texts.quiz.size(), &quiz), QuizTextFault::kNone);
  ReadCodesText(Bytes(texts.codes), texts.codes.size(), &quiz);
  return quiz;
}

// A quiz holding every field the layout has for this display, box count and
// kind, at the longest the player's buffers take, with bytes from the whole
// code page but "|", CR and NUL.
DecodedQuiz FullQuiz(int displayMode, int answers, int kind, int count) {
  DecodedQuiz quiz;
  quiz.link = std::string(24, '\xE9');
  quiz.footer = std::string(42, 'f');
  quiz.displayMode = displayMode;
  quiz.questionCount = count;
  quiz.answersPerQuestion = answers;
  quiz.title = std::string(259, '\x80');
  quiz.author = "Auteur";
  quiz.answerCaption2 = "\x01\xFF";
  const int extras = KindTraitsOf(kind).extraFields;
  for (int i = 0; i < count; ++i) {
    DecodedQuestion question;
    question.answer1 = "R\xE9ponse " + std::to_string(i);
    if (answers == 2) question.answer2 = i % 2 ? "-" : "";
    question.text = std::string(i == 0 ? 259 : 3, 'q');
    if (extras >= 1) question.extra = "x" + std::to_string(i);
    if (extras >= 2) question.extra2 = std::string(259, '\x7F');
    quiz.questions.push_back(question);
    quiz.codes.push_back(i == 1 ? std::string(259, 'c') : "");
  }
  quiz.kind = kind;
  quiz.red = 0xFF;
  quiz.green = '|';
  quiz.blue = '\r';
  return quiz;
}

// Write then read gives the model back, and reading what was written then
// writing again gives the same bytes.
TEST(QuizText, WriterAndReaderAreInverses) {
  for (int display = -1; display <= kDisplayModeCount; ++display) {
    for (int answers = 1; answers <= 2; ++answers) {
      for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 255}) {
        SCOPED_TRACE("display " + std::to_string(display) + ", " + std::to_string(answers) +
                     " answers, kind " + std::to_string(kind));
        const DecodedQuiz quiz = FullQuiz(display, answers, kind, 3);
        const QuizTexts texts = WriteQuizTexts(quiz);
        const DecodedQuiz read = ReadAll(texts);
        ExpectSameQuiz(read, quiz);
        const QuizTexts again = WriteQuizTexts(read);
        EXPECT_EQ(again.builtin, texts.builtin);
        EXPECT_EQ(again.quiz, texts.quiz);
        EXPECT_EQ(again.codes, texts.codes);
      }
    }
  }
  ExpectSameQuiz(ReadAll(WriteQuizTexts(FullQuiz(1, 2, 6, 96))), FullQuiz(1, 2, 6, 96));
  ExpectSameQuiz(ReadAll(WriteQuizTexts(FullQuiz(0, 1, 0, 0))), FullQuiz(0, 1, 0, 0));
}

// A cut text fills what it reaches and leaves the rest as it was.
TEST(QuizText, ACutTextKeepsWhatItDidNotReach) {
  DecodedQuiz seed;
  seed.title = seed.author = seed.subtitle = "seed";
  seed.kind = 4;
  seed.red = 7;
  const std::string whole = WriteQuizTexts(FullQuiz(1, 1, 6, 2)).quiz;
  const struct {
    const char* name;
    size_t cut;  // bytes kept
    QuizTextFault fault;
    const char* author;
    const char* subtitle;
    size_t questions;
    const char* lastExtra;
    int kind;
  } cases[] = {
      {"settings", 3, QuizTextFault::kSettingsCut, "seed", "seed", 0, nullptr, 4},
      {"author", 4 + 260 + 3, QuizTextFault::kFieldCut, "Aut", "seed", 0, nullptr, 4},
      {"second question", whole.find("q|R") + 3, QuizTextFault::kFieldCut, "Auteur", "", 1, nullptr,
       4},
      {"kind byte", whole.rfind("qqq|") + 4, QuizTextFault::kFieldCut, "Auteur", "", 2, nullptr, 4},
      {"second extra", whole.find("x1") + 1, QuizTextFault::kFieldCut, "Auteur", "", 2, "x", 6},
      {"colour", whole.size() - 1, QuizTextFault::kColourCut, "Auteur", "", 2, "x1", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DecodedQuiz quiz = seed;
    EXPECT_EQ(ReadQuizText(Bytes(whole), c.cut, &quiz), c.fault);
    EXPECT_EQ(quiz.author, c.author);
    EXPECT_EQ(quiz.subtitle, c.subtitle);
    ASSERT_EQ(quiz.questions.size(), c.questions);
    if (c.lastExtra) {
      EXPECT_EQ(quiz.questions[1].extra, c.lastExtra);
    }
    EXPECT_EQ(quiz.kind, c.kind);
    EXPECT_EQ(quiz.red, 7);
  }
}

TEST(QuizText, CodeLinesAreCountedByTheQuestions) {
  DecodedQuiz quiz;
  quiz.questionCount = 3;
  const std::string text = "un\r\n" + std::string(300, 'L') + "\r\n";
  ReadCodesText(Bytes(text), text.size(), &quiz);
  EXPECT_EQ(quiz.codes, (std::vector<std::string>{"un", std::string(259, 'L'), ""}));
}

}  // namespace

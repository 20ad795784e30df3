// Whether two quizzes hold the same texts and settings, for the records that
// name them alike: the author's source and the decoded quiz text.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

template <typename Quiz>
void ExpectSameQuizTexts(const Quiz& a, const Quiz& b) {
  EXPECT_EQ(a.link, b.link);
  EXPECT_EQ(a.footer, b.footer);
  EXPECT_EQ(a.displayMode, b.displayMode);
  EXPECT_EQ(a.answersPerQuestion, b.answersPerQuestion);
  EXPECT_EQ(a.title, b.title);
  EXPECT_EQ(a.author, b.author);
  EXPECT_EQ(a.subtitle, b.subtitle);
  EXPECT_EQ(a.answerCaption1, b.answerCaption1);
  EXPECT_EQ(a.answerCaption2, b.answerCaption2);
  EXPECT_EQ(a.kind, b.kind);
  EXPECT_EQ(int{a.red}, int{b.red});
  EXPECT_EQ(int{a.green}, int{b.green});
  EXPECT_EQ(int{a.blue}, int{b.blue});
  EXPECT_EQ(a.codes, b.codes);
  ASSERT_EQ(a.questions.size(), b.questions.size());
  for (size_t i = 0; i < a.questions.size(); ++i) {
    EXPECT_EQ(a.questions[i].text, b.questions[i].text) << i;
    EXPECT_EQ(a.questions[i].answer1, b.questions[i].answer1) << i;
    EXPECT_EQ(a.questions[i].answer2, b.questions[i].answer2) << i;
    EXPECT_EQ(a.questions[i].extra, b.questions[i].extra) << i;
    EXPECT_EQ(a.questions[i].extra2, b.questions[i].extra2) << i;
  }
}

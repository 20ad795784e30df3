#include "quiz/quiz_kinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

char Letter(FieldUse use) {
  return use == FieldUse::kUnused ? 'U' : use == FieldUse::kOptional ? 'O' : 'N';
}

// What each display mode makes of a question's fields, kinds 0 to 9 left to
// right: U unused, O optional, N needed.
TEST(QuizKinds, FieldUsesFollowWhatThePlayerShows) {
  const struct {
    int display;
    const char* extra;
    const char* answerPicture;
  } rows[] = {
      // A text list has no reveal labels and no pictures.
      {kTextList, "UUUUUUUUUU", "UUUUUUUUUU"},
      // Kinds 2, 3, 4, 7 and 8 show the extra text; 6 and 9 keep it hidden
      // until "Cacher" shows a solved question again; 1 has no reveal label.
      // Kinds 1, 3 and 6 announce the answer picture with a message box.
      {kPictureGrid, "UUNNNUONNO", "UNUNOUNUOU"},
      {kAudioGrid, "UUNNNUUNNU", "UUUUUUUUUU"},
      {kVideoGrid, "UUNNNUUNNU", "UUUUUUUUUU"},
  };
  for (const auto& row : rows) {
    std::string extra, answerPicture;
    for (int kind = 0; kind < kKindCount; ++kind) {
      extra += Letter(ExtraTextUse(row.display, kind));
      answerPicture += Letter(AnswerPictureUse(row.display, kind));
      EXPECT_EQ(SecondExtraTextUse(row.display, kind), FieldUse::kUnused);
    }
    EXPECT_EQ(extra, row.extra) << row.display;
    EXPECT_EQ(answerPicture, row.answerPicture) << row.display;
  }
  EXPECT_EQ(PictureUse(kPictureGrid), FieldUse::kNeeded);
  EXPECT_EQ(PictureUse(kAudioGrid), FieldUse::kUnused);
  EXPECT_EQ(MediaUse(kVideoGrid), FieldUse::kNeeded);
  EXPECT_EQ(MediaUse(kPictureGrid), FieldUse::kUnused);
}

TEST(QuizKinds, StoredExtraFieldsAndValuesPastTheTable) {
  const int fields[kKindCount] = {0, 1, 1, 2, 1, 0, 2, 1, 1, 2};
  for (int kind = 0; kind < kKindCount; ++kind) {
    EXPECT_EQ(KindTraitsOf(kind).extraFields, fields[kind]) << kind;
    EXPECT_EQ(HasRevealLabel(kind), kind > 1) << kind;
  }
  // A kind past 9 stores nothing and keeps an empty reveal label hidden.
  EXPECT_EQ(KindTraitsOf(10).extraFields, 0);
  EXPECT_EQ(KindTraitsOf(255).revealLabel, RevealLabel::kHiddenExtra);
  EXPECT_FALSE(DisplayTraitsOf(-1).grid);
  EXPECT_FALSE(DisplayTraitsOf(4).grid);
  EXPECT_EQ(DisplayModeNamed("video"), kVideoGrid);
  EXPECT_EQ(DisplayModeNamed("Video"), -1);
}

}  // namespace

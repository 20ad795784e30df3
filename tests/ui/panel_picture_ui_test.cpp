// The picture grid with real pictures, from this test program's resources:
// questions 1 to 4 have pictures fitted to 300 x 200, 150 x 300, none and
// 300 x 100; questions 7 to 9 are 300 x 250; answer pictures exist for
// questions 1 (300 x 300 in its row) and 4 (300 x 100).
#include <array>
#include <map>
#include <string>

#include "app/control_ids.h"
#include "panel/panel_layout.h"
#include "quiz/quiz_model.h"
#include "tests/ui/panel_fixture.h"

namespace {

std::vector<TestQuestion> Questions(int count) {
  return std::vector<TestQuestion>(count, TestQuestion{"OUI", nullptr, nullptr, "vu"});
}

class PictureGridTest : public PanelTest {
 protected:
  HBITMAP Picture(int n) {
    return reinterpret_cast<HBITMAP>(
        SendMessageA(Control(kPictureBaseId + n), STM_GETIMAGE, IMAGE_BITMAP, 0));
  }
  SIZE PictureSize(int n) {
    BITMAP info = {};
    GetObjectA(Picture(n), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
  }
  void ExpectPicture(int n, int x, int y, int width, int height) {
    const std::string what = "picture " + std::to_string(n);
    ExpectPlace(Place(kPictureBaseId + n), x, y, width, height, what.c_str());
    EXPECT_EQ(PictureSize(n).cx, height == 0 ? 0 : width) << what;
    EXPECT_EQ(PictureSize(n).cy, height) << what;
  }
};

TEST_F(PictureGridTest, RowsMakeRoomForTheirTallestPicture) {
  MakeQuiz(kPictureGrid, 1, Questions(4));
  Start();
  EXPECT_EQ(quiz->data.rowHeights[0], 300);
  EXPECT_EQ(quiz->data.rowHeights[1], 100);
  ExpectPicture(1, 46, 55, 300, 200);
  ExpectPicture(2, 451, 5, 150, 300);
  ExpectPicture(3, 706, 155, 300, 0);
  ExpectPicture(4, 46, 375, 300, 100);
  ExpectPlace(Place(kAnswerFieldBaseId + 1), 46, 315, 300, 20, "first answer field");
  ExpectPlace(Place(kAnswerFieldBaseId + 4), 46, 485, 300, 20, "fourth answer field");
  EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(PictureGridTest, ASolvedQuestionShowsItsAnswerPictureAfterTheBox) {
  MakeQuiz(kPictureGrid, 1, Questions(4), 1);
  Start();
  HBITMAP before = Picture(1);
  Answer(kAnswerFieldBaseId + 1, "oui");
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0], "image");
  // Centred where the 300 x 200 picture was, in its row's 300-pixel height.
  ExpectPicture(1, 46, 5, 300, 300);
  EXPECT_EQ(GetObjectType(before), 0u) << "the replaced picture is deleted";
  // Question 2 has no answer picture: the box comes, the picture stays.
  Answer(kAnswerFieldBaseId + 2, "oui");
  EXPECT_EQ(messageBoxes.size(), 2u);
  ExpectPicture(2, 451, 5, 150, 300);
  Answer(kAnswerFieldBaseId + 4, "oui");
  ExpectPicture(4, 46, 375, 300, 100);
  // Another wrong answer keeps the answer picture.
  Answer(kAnswerFieldBaseId + 1, "non");
  ExpectPicture(1, 46, 5, 300, 300);
}

TEST_F(PictureGridTest, ARestoredSolvedQuestionStartsWithItsAnswerPicture) {
  MakeQuiz(kPictureGrid, 1, Questions(4), 3);
  WriteSavedAnswers("oui\r\n");
  Start();
  EXPECT_EQ(messageBoxes.size(), 1u);
  ExpectPicture(1, 46, 5, 300, 300);
}

TEST_F(PictureGridTest, KindFourRevealsTheAnswerPicturesWhenAllIsSolved) {
  MakeQuiz(kPictureGrid, 1, Questions(4), 4);
  Start();
  for (int field : {kAnswerFieldBaseId + 1, kAnswerFieldBaseId + 2, kAnswerFieldBaseId + 3})
    Answer(field, "oui");
  ExpectPicture(1, 46, 55, 300, 200);
  Answer(kAnswerFieldBaseId + 4, "oui");
  ExpectPicture(1, 46, 5, 300, 300);
  ExpectPicture(4, 46, 455, 300, 100);  // under a first row with reveal labels
  EXPECT_TRUE(IsWindowVisible(Control(kRevealLabelBaseId + 4)));
  EXPECT_TRUE(messageBoxes.empty());
}

// Where every control of every question is: solving shows reveal labels, so
// only the places are compared whole.
using Places = std::map<int, std::array<LONG, 4>>;  // left, top, width, height

class HideSolvedTest : public PictureGridTest {
 protected:
  static constexpr int kQuestions = 12;
  Places Snapshot() {
    Places places;
    for (int n = 1; n <= kQuestions; ++n) {
      for (int id : {kNumberLabelId + n, kAnswerFieldBaseId + n, kFeedbackLabelBaseId + n,
                     kRevealLabelBaseId + n, kPictureBaseId + n}) {
        const RECT rect = Place(id);
        places[id] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
      }
    }
    return places;
  }
  void ExpectAllPicturesShown() {
    for (int n = 1; n <= kQuestions; ++n)
      EXPECT_TRUE(IsWindowVisible(Control(kPictureBaseId + n))) << n;
  }
  int Top(int id) { return Place(id).top; }
  void ClickCacher() {
    SendMessageA(GetDlgItem(quiz->headerWindow, kHideSolvedBoxId), BM_CLICK, 0, 0);
    Pump();
  }
};

TEST_F(HideSolvedTest, ASolvedRowOfPicturesClosesAndEverythingComesBackExactly) {
  MakeQuiz(kPictureGrid, 1, Questions(kQuestions), 2);
  Start();
  ASSERT_EQ(quiz->data.rowHeights[2], 250);
  const Places start = Snapshot();
  const int height = quiz->data.contentHeight;
  ClickCacher();
  EXPECT_TRUE(Snapshot() == start) << "nothing is solved yet";

  for (int field : {kAnswerFieldBaseId + 7, kAnswerFieldBaseId + 8, kAnswerFieldBaseId + 9})
    Answer(field, "oui");
  for (int n = 7; n <= 9; ++n) {
    EXPECT_FALSE(IsWindowVisible(Control(kPictureBaseId + n))) << n;
    EXPECT_EQ(Top(kAnswerFieldBaseId + n), start.at(kAnswerFieldBaseId + n)[1] - 250) << n;
  }
  for (int n = 10; n <= 12; ++n) {
    EXPECT_EQ(Top(kAnswerFieldBaseId + n), start.at(kAnswerFieldBaseId + n)[1] - 315) << n;
    EXPECT_EQ(Top(kRevealLabelBaseId + n), start.at(kRevealLabelBaseId + n)[1] - 315) << n;
  }
  EXPECT_EQ(quiz->data.contentHeight, height - 315);

  // Alone in its row, a solved question hides; the row keeps its height.
  Answer(kAnswerFieldBaseId + 1, "oui");
  EXPECT_FALSE(IsWindowVisible(Control(kPictureBaseId + 1)));
  EXPECT_EQ(Top(kAnswerFieldBaseId + 1), start.at(kAnswerFieldBaseId + 1)[1] - 300);
  EXPECT_EQ(Top(kAnswerFieldBaseId + 4), start.at(kAnswerFieldBaseId + 4)[1]);
  const Places hidden = Snapshot();

  ClickCacher();
  EXPECT_TRUE(Snapshot() == start);
  ExpectAllPicturesShown();
  EXPECT_EQ(quiz->data.contentHeight, height);
  ClickCacher();
  EXPECT_TRUE(Snapshot() == hidden);
  // Solving a question while its row is hidden alone, then clearing the box.
  Answer(kAnswerFieldBaseId + 2, "oui");
  Answer(kAnswerFieldBaseId + 3, "oui");
  EXPECT_EQ(Top(kAnswerFieldBaseId + 4), start.at(kAnswerFieldBaseId + 4)[1] - 365)
      << "row 0 closes by 300 + 65";
  EXPECT_EQ(quiz->data.contentHeight, height - 315 - 365);
  ClickCacher();
  EXPECT_TRUE(Snapshot() == start);
  ExpectAllPicturesShown();
  EXPECT_EQ(quiz->data.contentHeight, height);
}

TEST_F(HideSolvedTest, AnySequenceOfTicksSolvesAndMistakesRestoresExactly) {
  MakeQuiz(kPictureGrid, 1, Questions(kQuestions), 2);
  Start();
  const Places start = Snapshot();
  const int height = quiz->data.contentHeight;
  unsigned seed = 12345;
  auto next = [&seed](unsigned range) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) % range;
  };
  int restores = 0;
  bool collapsed = false;
  for (int step = 0; step < 60; ++step) {
    const unsigned what = next(4);
    if (what == 0) {
      for (int n = 3; n <= kQuestions; n += 3) collapsed |= quiz->data.hideStates[n] == 2;
      restores += IsDlgButtonChecked(quiz->headerWindow, kHideSolvedBoxId) == BST_CHECKED;
      ClickCacher();
    } else {
      // Solves or spoils one question; a spoiled question stays solved.
      const int n = 1 + static_cast<int>(next(kQuestions));
      Answer(kAnswerFieldBaseId + n, what == 1 ? "non" : "oui");
    }
    if (IsDlgButtonChecked(quiz->headerWindow, kHideSolvedBoxId) == BST_UNCHECKED) {
      ASSERT_TRUE(Snapshot() == start) << "step " << step;
      ASSERT_EQ(quiz->data.contentHeight, height) << "step " << step;
    }
  }
  EXPECT_GE(restores, 3);
  EXPECT_TRUE(collapsed) << "the sequence should close a row at least once";
}

}  // namespace

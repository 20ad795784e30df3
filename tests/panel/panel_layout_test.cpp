// The panel's layout arithmetic: positions of the rows and grids, the word
// hint, field ids and the scroll model, checked against hand-worked figures.
#include "panel/panel_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "app/control_ids.h"

namespace {

void ExpectRect(const Rect& actual, const Rect& expected, const char* what) {
  EXPECT_EQ(actual.x, expected.x) << what;
  EXPECT_EQ(actual.y, expected.y) << what;
  EXPECT_EQ(actual.width, expected.width) << what;
  EXPECT_EQ(actual.height, expected.height) << what;
}

QuizData MakeQuiz(int displayMode, int answersPerQuestion) {
  QuizData data = {};
  data.displayMode = displayMode;
  data.answersPerQuestion = answersPerQuestion;
  data.questionCount = 6;
  return data;
}

TEST(AnswerWords, CountsSeparatorsAndSkipsEscapedCharacters) {
  struct Case {
    const char* answer;
    int words;
    const char* hint;
  } const cases[] = {
      {"PARIS", 1, "en 1 mot"},   {"L'ARC DE", 3, "en 3 mots"}, {"JEAN-PAUL", 2, "en 2 mots"},
      {"A!-B", 1, "en 1 mot"},                             // the hyphen after "!" is not counted
      {"A! B C", 2, "en 2 mots"}, {"AB!", 1, "en 1 mot"},  // a final "!" ends the walk
      {"A!!-B", 2, "en 2 mots"},  // the second "!" is skipped, not the hyphen
      {"", 1, "en 1 mot"},        {"   ", 4, "en 4 mots"},      {"\xC9T\xC9 D'ICI", 3, "en 3 mots"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountAnswerWords(c.answer), c.words) << c.answer;
    char hint[32];
    FormatWordHint(c.answer, hint, sizeof(hint));
    EXPECT_STREQ(hint, c.hint) << c.answer;
  }
}

TEST(AnswerWords, HintIsCutToItsBuffer) {
  char hint[6];
  FormatWordHint("A B", hint, sizeof(hint));
  EXPECT_STREQ(hint, "en 2 ");
}

TEST(FieldIds, MapBackToTheirQuestionAndBox) {
  struct Case {
    int displayMode;
    int answersPerQuestion;
    int fieldId;
    int questionIndex;
    int box;
  } const cases[] = {
      {kPictureGrid, 1, kAnswerFieldBaseId + 1, 0, 1},
      {kPictureGrid, 1, kAnswerFieldBaseId + 6, 5, 1},
      {kPictureGrid, 2, kAnswerFieldBaseId + 1, 0, 1},
      {kPictureGrid, 2, kAnswerFieldBaseId + 2, 0, 2},
      {kVideoGrid, 2, kAnswerFieldBaseId + 3, 1, 1},
      {kAudioGrid, 2, kAnswerFieldBaseId + 12, 5, 2},
      {kTextList, 1, kAnswerFieldBaseId + 3, 2, 1},
      {kTextList, 2, kAnswerFieldBaseId + 2, 1, 1},  // one field per row
      // Any box count but 2 is one box.
      {kPictureGrid, 0, kAnswerFieldBaseId + 2, 1, 1},
      {kAudioGrid, 3, kAnswerFieldBaseId + 4, 3, 1},
      {kVideoGrid, 255, kAnswerFieldBaseId + 6, 5, 1},
      // Ids that no field carries lead nowhere.
      {kPictureGrid, 1, kAnswerFieldBaseId + 7, -1, 1},
      {kPictureGrid, 2, kAnswerFieldBaseId, -1, 1},
      {-1, 1, kAnswerFieldBaseId + 1, -1, 1},
      {4, 2, kAnswerFieldBaseId + 1, -1, 1},
  };
  for (const Case& c : cases) {
    const QuizData data = MakeQuiz(c.displayMode, c.answersPerQuestion);
    const AnswerOwner owner = LocateAnswerField(data, c.fieldId);
    EXPECT_EQ(owner.questionIndex, c.questionIndex) << c.fieldId;
    EXPECT_EQ(owner.box, c.box) << c.fieldId;
    if (c.questionIndex >= 0) {
      EXPECT_EQ(AnswerFieldId(data, owner.questionIndex, owner.box), c.fieldId);
    }
  }
}

TEST(TextListLayout, ThreeRowsStepTwentyFivePixels) {
  const int tops[] = {5, 30, 55};
  for (int i = 0; i < 3; ++i) {
    const TextListRow row = LayOutTextListRow(kFirstRowTop + kTextListRowStep * i);
    ExpectRect(row.number, {26, tops[i] + 2, 19, 17}, "number");
    ExpectRect(row.question, {50, tops[i], 550, 20}, "question");
    ExpectRect(row.field, {610, tops[i], 170, 20}, "field");
    ExpectRect(row.feedback, {790, tops[i], 100, 20}, "feedback");
  }
}

TEST(GridLayout, PictureRowsFollowTheirTallestPicture) {
  // Row 0: pictures 300x200, 150x300 and none (300x0): H = 300.
  const int h0 = 300;
  const GridCell q1 = LayOutGridCell(kPictureGrid, 1, 1, 5, h0);
  const GridCell q2 = LayOutGridCell(kPictureGrid, 1, 2, 5, h0);
  const GridCell q3 = LayOutGridCell(kPictureGrid, 1, 3, 5, h0);
  ExpectRect(GridPicture(q1, 5, h0, 300, 200), {46, 55, 300, 200}, "picture 1");
  ExpectRect(GridPicture(q2, 5, h0, 150, 300), {451, 5, 150, 300}, "picture 2");
  ExpectRect(GridPicture(q3, 5, h0, 300, 0), {706, 155, 300, 0}, "picture 3");
  EXPECT_EQ(q1.answerY, 315);
  ExpectRect(GridAnswerField(q1, 1, 1), {46, 315, 300, 20}, "field 1");
  ExpectRect(GridFeedbackLabel(q1, 1, 1), {46, 334, 300, 20}, "feedback 1");
  ExpectRect(GridNumberLabel(q2), {348, 317, 27, 17}, "number 2");

  const int row1Top = q3.answerY + GridAnswerAreaHeight(0);
  EXPECT_EQ(row1Top, 375);
  const GridCell q4 = LayOutGridCell(kPictureGrid, 1, 4, row1Top, 100);
  ExpectRect(GridAnswerField(q4, 1, 1), {46, 485, 300, 20}, "field 4");
}

TEST(GridLayout, MediaGridsLeaveRoomForTheButtons) {
  const GridCell video = LayOutGridCell(kVideoGrid, 1, 2, 5, 0);
  ExpectRect(GridNumberLabel(video), {348, 217, 27, 17}, "number");
  ExpectRect(GridAnswerField(video, 1, 1), {396, 215, 280, 20}, "field");
  ExpectRect(GridMediaContainer(kVideoGrid, video, 5), {376, 5, 300, 200}, "container");
  ExpectRect(GridPlayButton(video), {376, 215, 20, 20}, "play");
  ExpectRect(GridStopButton(video), {376, 235, 20, 19}, "stop");

  const GridCell audio = LayOutGridCell(kAudioGrid, 1, 1, 5, 0);
  EXPECT_EQ(audio.answerY, 5);
  ExpectRect(GridMediaContainer(kAudioGrid, audio, 5), {46, 5, 0, 0}, "audio container");
}

TEST(GridLayout, TwoAnswerBoxesOverlapByOnePixel) {
  const GridCell cell = LayOutGridCell(kPictureGrid, 2, 1, 5, 0);
  EXPECT_EQ(cell.columnX, 106);
  ExpectRect(GridAnswerField(cell, 2, 1), {106, 15, 241, 20}, "field 1");
  ExpectRect(GridAnswerField(cell, 2, 2), {106, 34, 241, 20}, "field 2");
  ExpectRect(GridFeedbackLabel(cell, 2, 1), {346, 15, 60, 20}, "feedback 1");
  ExpectRect(GridFeedbackLabel(cell, 2, 2), {346, 34, 60, 20}, "feedback 2");
  ExpectRect(GridCaptionLabel(cell, 1), {4, 17, 95, 20}, "caption 1");
  ExpectRect(GridCaptionLabel(cell, 2), {3, 37, 95, 20}, "caption 2");
  ExpectRect(GridRevealLabel(cell), {106, 61, 300, 65}, "reveal");
  EXPECT_EQ(ContentWidthMargin(2), 80);
  EXPECT_EQ(ContentWidthMargin(1), 20);
}

TEST(ScrollModel, RequestsMoveAndClampThePosition) {
  // Content 1000 high in a 600-pixel client: positions 0 to 400, page 599.
  const ScrollRange range = ComputeScrollRange(1000, 600);
  EXPECT_EQ(range.maximum, 998);
  EXPECT_EQ(range.page, 599);
  EXPECT_FALSE(range.fits);
  const ScrollState at200 = {0, range.maximum, range.page, 200, 123};
  struct Case {
    ScrollAxis axis;
    int request;
    int expected;
  } const cases[] = {
      // clang-format off
      {kVertical, 0, 0},     {kVertical, 1, 400},     {kVertical, 2, 0},
      {kVertical, 3, 400},   {kVertical, 4, 200},     {kVertical, 5, 123},
      {kVertical, 6, 0},     {kVertical, 7, 400},     {kVertical, kWheelDownRequest, 250},
      {kVertical, kWheelUpRequest, 150},              {kVertical, 8, 200},
      {kVertical, kWheelDownRequest - 1, 200},
      {kHorizontal, 0, 199}, {kHorizontal, 1, 201},   {kHorizontal, 2, 0},
      {kHorizontal, 3, 400}, {kHorizontal, 5, 123},   {kHorizontal, 6, 200},
      {kHorizontal, 7, 200}, {kHorizontal, kWheelDownRequest, 200},
      {kHorizontal, kWheelUpRequest, 200},
      // clang-format on
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScrollTarget(c.axis, at200, c.request), c.expected)
        << (c.axis == kVertical ? "vertical " : "horizontal ") << c.request;
  }
}

TEST(ScrollModel, ContentThatFitsCannotScroll) {
  const ScrollRange range = ComputeScrollRange(880, 1000);
  EXPECT_TRUE(range.fits);
  EXPECT_EQ(range.maximum, 878);
  EXPECT_EQ(range.page, 879);
  const ScrollState state = {0, range.maximum, range.page, 0, 0};
  for (int request : {1, 3, 7, kWheelDownRequest})
    EXPECT_EQ(ScrollTarget(kVertical, state, request), 0);
  // An empty panel: no range at all.
  const ScrollRange empty = ComputeScrollRange(0, 300);
  EXPECT_EQ(empty.maximum, 0);
  EXPECT_EQ(empty.page, 0);
  EXPECT_TRUE(empty.fits);
  EXPECT_EQ(ScrollTarget(kVertical, {0, empty.maximum, empty.page, 0, 0}, 1), 0);
}

TEST(ScrollModel, OnlySingleWheelNotchesScroll) {
  EXPECT_EQ(WheelRequest(kWheelNotch), kWheelUpRequest);
  EXPECT_EQ(WheelRequest(-kWheelNotch), kWheelDownRequest);
  for (int delta : {0, 1, 119, 240, -240, 65416}) EXPECT_EQ(WheelRequest(delta), 0) << delta;
}

TEST(FieldIntoView, VisibleBoundsAreInclusive) {
  // Panel window 600 x 400 scrolled to (100, 200).
  struct Case {
    int x;
    int y;
    bool visible;
  } const cases[] = {
      {-50, 200, true}, {-51, 200, false}, {535, 200, true}, {536, 200, false},
      {0, 585, true},   {0, 586, false},   {0, 199, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FieldPointVisible(c.x, c.y, 100, 200, 600, 400), c.visible) << c.x << "," << c.y;
  }
  const ScrollPoint target = FieldScrollTarget(628, 755, 0);
  EXPECT_EQ(target.h, 478);
  EXPECT_EQ(target.v, 740);
  EXPECT_EQ(FieldScrollTarget(628, 755, 250).v, 490);
}

}  // namespace

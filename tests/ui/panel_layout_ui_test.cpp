// The rows the panel builds, where they sit, how the panel scrolls and what
// colour each label gets: real windows, real messages.
#include <string>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "panel/panel_layout.h"
#include "quiz/quiz_data.h"
#include "quiz/quiz_model.h"
#include "tests/ui/panel_fixture.h"

namespace {

const std::vector<TestQuestion> kThreeCities = {
    {"PARIS", nullptr, "Capitale de la France ?", nullptr},
    {"ROME", nullptr, "Capitale de l'Italie ?", nullptr},
    {"BERLIN", nullptr, "Capitale de l'Allemagne ?", nullptr},
};

std::vector<TestQuestion> ManyQuestions(int count) {
  return std::vector<TestQuestion>(count, TestQuestion{"REPONSE", nullptr, "Question", nullptr});
}

TEST_F(PanelTest, TextListOfThreeRowsIsLaidOutToThePixel) {
  MakeQuiz(kTextList, 1, kThreeCities);
  Start();
  const std::vector<HWND> numbers = ControlsWithId(kNumberLabelId);
  const std::vector<HWND> questions = ControlsWithId(kQuestionLabelId);
  ASSERT_EQ(numbers.size(), 3u);
  ASSERT_EQ(questions.size(), 3u);
  const int tops[] = {5, 30, 55};
  for (int i = 0; i < 3; ++i) {
    ExpectPlace(Place(numbers[i]), 26, tops[i] + 2, 19, 17, "number");
    ExpectPlace(Place(questions[i]), 50, tops[i], 550, 20, "question");
    ExpectPlace(Place(kAnswerFieldBaseId + i + 1), 610, tops[i], 170, 20, "field");
    ExpectPlace(Place(kFeedbackLabelBaseId + i + 1), 790, tops[i], 100, 20, "feedback");
    EXPECT_EQ(Text(numbers[i]), std::to_string(i + 1) + ".");
    EXPECT_EQ(Text(kFeedbackLabelBaseId + i + 1), kWordEmpty);
  }
  EXPECT_EQ(Text(questions[1]), "Capitale de l'Italie ?");
  EXPECT_EQ(quiz->data.contentHeight, 80);
  EXPECT_EQ(quiz->data.contentWidth, 900);
  // Before any verdict changed, the header keeps its first texts.
  EXPECT_EQ(HeaderText(kScoreLabelId), " 0 / 3");
  EXPECT_EQ(HeaderText(kCodeFieldId), "");
}

TEST_F(PanelTest, PictureGridWithAbsentPicturesIsLaidOutToThePixel) {
  MakeQuiz(kPictureGrid, 1, ManyQuestions(4));
  Start();
  // Every row has picture height 0: answers 10 pixels under the row top.
  ExpectPlace(Place(kPictureBaseId + 1), 46, 5, 300, 0, "picture 1");
  ExpectPlace(Place(kPictureBaseId + 2), 376, 5, 300, 0, "picture 2");
  ExpectPlace(Place(kPictureBaseId + 3), 706, 5, 300, 0, "picture 3");
  ExpectPlace(Place(kAnswerFieldBaseId + 1), 46, 15, 300, 20, "field 1");
  ExpectPlace(Place(kFeedbackLabelBaseId + 1), 46, 34, 300, 20, "feedback 1");
  ExpectPlace(Place(kNumberLabelId + 2), 348, 17, 27, 17, "number 2");
  ExpectPlace(Place(kPictureBaseId + 4), 46, 75, 300, 0, "picture 4");
  ExpectPlace(Place(kAnswerFieldBaseId + 4), 46, 85, 300, 20, "field 4");
  EXPECT_EQ(Text(kNumberLabelId + 4), "4.");
  EXPECT_EQ(quiz->data.contentHeight, 145);
  EXPECT_EQ(quiz->data.contentWidth, 1030);
  for (int row = 0; row < 2; ++row) EXPECT_EQ(quiz->data.rowHeights[row], 0);
  EXPECT_EQ(Control(kPlayButtonBaseId + 1), nullptr);
}

TEST_F(PanelTest, VideoGridLeavesRoomForPlayerAndButtons) {
  MakeQuiz(kVideoGrid, 1, ManyQuestions(2));
  Start();
  ExpectPlace(Place(kPictureBaseId + 2), 376, 5, 300, 200, "container 2");
  ExpectPlace(Place(kNumberLabelId + 2), 348, 217, 27, 17, "number 2");
  ExpectPlace(Place(kAnswerFieldBaseId + 2), 396, 215, 280, 20, "field 2");
  ExpectPlace(Place(kFeedbackLabelBaseId + 2), 396, 234, 280, 20, "feedback 2");
  ExpectPlace(Place(kPlayButtonBaseId + 2), 376, 215, 20, 20, "play 2");
  ExpectPlace(Place(kStopButtonBaseId + 2), 376, 235, 20, 19, "stop 2");
  EXPECT_NE(SendMessageA(Control(kPlayButtonBaseId + 1), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(PanelTest, AMediaPlayerThatCannotBeMadeStopsTheRows) {
  MakeQuiz(kAudioGrid, 1, ManyQuestions(3));
  Start(/*withMediaHost=*/false);  // no host library: no player can be made
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0], "TEVRA");
  EXPECT_NE(Control(kPictureBaseId + 1), nullptr);
  EXPECT_EQ(Control(kAnswerFieldBaseId + 1), nullptr);
  EXPECT_EQ(Control(kPictureBaseId + 2), nullptr);
}

TEST_F(PanelTest, TwoAnswerGridHidesASecondAnswerOfHyphen) {
  MakeQuiz(kPictureGrid, 2,
           {{"MONET", "IMPRESSION", nullptr, nullptr}, {"RODIN", "-", nullptr, nullptr}});
  recipe.captions[0] = "Peintre";
  recipe.captions[1] = "Oeuvre";
  Start();
  const std::vector<HWND> captions = ControlsWithId(kCaptionLabelId);
  ASSERT_EQ(captions.size(), 2u);
  ExpectPlace(Place(captions[0]), 4, 17, 95, 20, "caption 1");
  ExpectPlace(Place(captions[1]), 3, 37, 95, 20, "caption 2");
  EXPECT_EQ(Text(captions[0]), "Peintre");
  ExpectPlace(Place(kAnswerFieldBaseId + 1), 106, 15, 241, 20, "question 1 box 1");
  ExpectPlace(Place(kAnswerFieldBaseId + 2), 106, 34, 241, 20, "question 1 box 2");
  ExpectPlace(Place(kFeedbackLabelBaseId + 2), 346, 34, 60, 20, "question 1 label 2");
  ExpectPlace(Place(kAnswerFieldBaseId + 3), 436, 15, 241, 20, "question 2 box 1");
  EXPECT_EQ(Text(kAnswerFieldBaseId + 4), "-");
  EXPECT_FALSE(IsWindowVisible(Control(kAnswerFieldBaseId + 4)));
  EXPECT_FALSE(IsWindowVisible(Control(kFeedbackLabelBaseId + 4)));
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 4), kWordBravo);
  EXPECT_TRUE(IsWindowVisible(Control(kAnswerFieldBaseId + 2)));
  EXPECT_EQ(quiz->data.contentWidth, 1090);

  Answer(kAnswerFieldBaseId + 3, "rodin");  // the hidden box is already right
  EXPECT_EQ(HeaderText(kScoreLabelId), " 1 / 2");
}

TEST_F(PanelTest, RestoredAnswersAreJudgedBeforeTheFirstPaint) {
  MakeQuiz(kTextList, 1, kThreeCities);
  const std::string longLine(100, 'A');
  WriteSavedAnswers("paris  \r\n" + longLine + "\r\nBERLIM\r\n");
  Start();
  EXPECT_EQ(Text(kAnswerFieldBaseId + 1), "paris  ");
  EXPECT_EQ(Text(kAnswerFieldBaseId + 2), longLine.substr(0, kAnswerFieldLength));
  EXPECT_EQ(Text(kAnswerFieldBaseId + 3), "BERLIM");
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordBravo);
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 2), kWordFaux);
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 3), kWordQuasiment);
  EXPECT_EQ(HeaderText(kScoreLabelId), " 1 / 3");
  EXPECT_EQ(HeaderText(kCodeFieldId), "CODE1");
}

TEST_F(PanelTest, ScrollRequestsMoveTheContentByTheirSteps) {
  MakeQuiz(kTextList, 1, ManyQuestions(60));  // 1505 pixels high
  Start();
  RECT client;
  GetClientRect(panel, &client);
  const int last = quiz->data.contentHeight - client.bottom;
  ASSERT_GT(last, 700);
  struct Case {
    int from;
    int request;
    int to;
  } const cases[] = {
      {0, SB_LINEDOWN, 350},
      {400, SB_LINEUP, 50},
      {100, SB_LINEUP, 0},
      {0, SB_PAGEDOWN, client.bottom - 1},
      {client.bottom, SB_PAGEUP, 1},
      {200, SB_THUMBPOSITION, 200},
      {300, SB_TOP, 0},
      {0, SB_BOTTOM, last},
      {last, SB_LINEDOWN, last},
      {100, kWheelDownRequest, 150},
      {100, kWheelUpRequest, 50},
      {100, 999, 100},
  };
  for (const Case& c : cases) {
    SendMessageA(panel, WM_VSCROLL, SB_TOP, 0);
    // Straight to the starting position, content along.
    SetScrollPos(panel, SB_VERT, c.from, FALSE);
    ScrollWindow(panel, 0, -c.from, nullptr, nullptr);
    SendMessageA(panel, WM_VSCROLL, c.request, 0);
    EXPECT_EQ(ScrollPos(SB_VERT), c.to) << "request " << c.request << " from " << c.from;
    EXPECT_EQ(Place(kAnswerFieldBaseId + 1).top, 5 - c.to)
        << "request " << c.request << " from " << c.from;
  }
}

TEST_F(PanelTest, AnEmptyQuizShowsAnEmptyPanelThatCannotScroll) {
  MakeQuiz(kTextList, 1, {});  // what a quiz that failed to load leaves
  Start();
  EXPECT_EQ(GetWindow(panel, GW_CHILD), nullptr);
  for (int request : {SB_BOTTOM, SB_LINEDOWN, SB_PAGEDOWN, kWheelDownRequest}) {
    SendMessageA(panel, WM_VSCROLL, request, 0);
    SendMessageA(panel, WM_HSCROLL, request, 0);
  }
  EXPECT_EQ(ScrollPos(SB_VERT), 0);
  EXPECT_EQ(ScrollPos(SB_HORZ), 0);
  EXPECT_EQ(HeaderText(kScoreLabelId), " 0 / 0");
}

TEST_F(PanelTest, OneWheelNotchScrollsFiftyPixelsOnce) {
  MakeQuiz(kTextList, 1, ManyQuestions(60));
  Start();
  struct Case {
    short delta;
    int to;
  } const cases[] = {{-WHEEL_DELTA, 150},
                     {WHEEL_DELTA, 50},
                     {2 * WHEEL_DELTA, 100},
                     {-2 * WHEEL_DELTA, 100},
                     {WHEEL_DELTA / 2, 100}};
  for (const Case& c : cases) {
    SendMessageA(panel, WM_VSCROLL, SB_TOP, 0);
    SendMessageA(panel, WM_VSCROLL, kWheelDownRequest, 0);
    SendMessageA(panel, WM_VSCROLL, kWheelDownRequest, 0);
    ASSERT_EQ(ScrollPos(SB_VERT), 100);
    // The wheel reaches the focused panel first; the dialog manager must not
    // hand it on to the frame as well.
    SendMessageA(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, c.delta), 0);
    Pump();
    EXPECT_EQ(ScrollPos(SB_VERT), c.to) << c.delta;
    EXPECT_EQ(Place(kAnswerFieldBaseId + 1).top, 5 - c.to) << c.delta;
  }
  // The frame's own wheel (over the header, say) reaches the panel once too.
  SendMessageA(panel, WM_VSCROLL, SB_TOP, 0);
  SendMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  Pump();
  EXPECT_EQ(ScrollPos(SB_VERT), 50);
}

TEST_F(PanelTest, HorizontalBarMovesOnePixelPerLine) {
  MakeQuiz(kPictureGrid, 2, ManyQuestions(3));  // 1090 wide
  Start();
  SetWindowPos(panel, nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  SendMessageA(panel, WM_HSCROLL, SB_LINERIGHT, 0);
  SendMessageA(panel, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(ScrollPos(SB_HORZ), 2);
  EXPECT_EQ(Place(kAnswerFieldBaseId + 1).left, 104);
  SendMessageA(panel, WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(ScrollPos(SB_HORZ), 1);
  SendMessageA(panel, WM_HSCROLL, SB_PAGERIGHT, 0);
  SendMessageA(panel, WM_HSCROLL, SB_PAGERIGHT, 0);
  RECT client;
  GetClientRect(panel, &client);
  EXPECT_EQ(ScrollPos(SB_HORZ), 1090 - client.right);
  // Growing the panel past the content puts the content back in place.
  SetWindowPos(panel, nullptr, 0, 0, 1200, 300, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(ScrollPos(SB_HORZ), 0);
  EXPECT_EQ(Place(kAnswerFieldBaseId + 1).left, 106);
  SCROLLBARINFO bar = {};
  bar.cbSize = sizeof(bar);
  GetScrollBarInfo(panel, OBJID_HSCROLL, &bar);
  EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

HBRUSH LabelBrush(HWND panel, HWND label, HDC dc) {
  return reinterpret_cast<HBRUSH>(SendMessageA(
      panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
}

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH description = {};
  GetObjectA(brush, sizeof(description), &description);
  return description.lbColor;
}

TEST_F(PanelTest, FeedbackLabelsTakeTheColourOfTheirWord) {
  MakeQuiz(kTextList, 1, kThreeCities);
  Start();
  HDC dc = GetDC(panel);
  struct Case {
    const char* word;
    COLORREF colour;
  } const cases[] = {
      {kWordBravo, RGB(0, 255, 0)},
      {kWordFaux, RGB(255, 0, 0)},
      {"Anagramme", RGB(255, 100, 0)},
      {"Presque", RGB(255, 203, 38)},
      {"Trop long", RGB(255, 203, 38)},
      {"y a de l'id\xE9"
       "e",
       RGB(255, 203, 38)},
  };
  HWND label = Control(kFeedbackLabelBaseId + 2);
  for (const Case& c : cases) {
    SetWindowTextA(label, c.word);
    HBRUSH brush = LabelBrush(panel, label, dc);
    ASSERT_NE(brush, nullptr) << c.word;
    EXPECT_EQ(BrushColour(brush), c.colour) << c.word;
  }
  EXPECT_EQ(LabelBrush(panel, Control(kFeedbackLabelBaseId + 1), dc),
            LabelBrush(panel, Control(kFeedbackLabelBaseId + 3), dc));  // "?"
  EXPECT_NE(LabelBrush(panel, Control(kFeedbackLabelBaseId + 1), dc), quiz->panelBrush);
  EXPECT_EQ(LabelBrush(panel, ControlsWithId(kQuestionLabelId)[0], dc), quiz->paleYellowBrush);
  ReleaseDC(panel, dc);
}

TEST_F(PanelTest, NumberLabelsAreWhiteOnlyOnADarkPanel) {
  struct Case {
    uint32_t red;
    uint32_t green;
    uint32_t blue;
    COLORREF text;
  } const cases[] = {
      {60, 60, 200, RGB(255, 255, 255)},
      {70, 60, 200, RGB(0, 0, 0)},
      {60, 70, 0, RGB(0, 0, 0)},
      {69, 69, 255, RGB(255, 255, 255)},
  };
  MakeQuiz(kPictureGrid, 1, ManyQuestions(1));
  Start();
  HDC dc = GetDC(panel);
  for (const Case& c : cases) {
    quiz->data.panelRed = c.red;
    quiz->data.panelGreen = c.green;
    quiz->data.panelBlue = c.blue;
    SetTextColor(dc, RGB(1, 2, 3));
    EXPECT_EQ(LabelBrush(panel, Control(kNumberLabelId + 1), dc), quiz->panelBrush);
    EXPECT_EQ(GetTextColor(dc), c.text) << c.red << "," << c.green;
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  }
  ReleaseDC(panel, dc);
}

TEST_F(PanelTest, FeedbackLabelTurnsGreenAndBackWithItsAnswer) {
  MakeQuiz(kTextList, 1, kThreeCities);
  Start();
  HDC dc = GetDC(panel);
  HBRUSH unanswered = LabelBrush(panel, Control(kFeedbackLabelBaseId + 1), dc);
  Answer(kAnswerFieldBaseId + 1, "Paris");
  EXPECT_EQ(BrushColour(LabelBrush(panel, Control(kFeedbackLabelBaseId + 1), dc)), RGB(0, 255, 0));
  Answer(kAnswerFieldBaseId + 1, "");
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordEmpty);
  EXPECT_EQ(LabelBrush(panel, Control(kFeedbackLabelBaseId + 1), dc), unanswered);
  ReleaseDC(panel, dc);
}

}  // namespace

// Typing into the answer fields: judging on Enter and on leaving a field, the
// score and code in the header, the reactions of each quiz kind, F1, F2,
// scrolling a field into view and hiding solved questions.
#include <algorithm>
#include <string>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "panel/panel_layout.h"
#include "quiz/quiz_model.h"
#include "tests/ui/panel_fixture.h"

namespace {

const std::vector<TestQuestion> kFourAnswers = {
    {"PARIS", nullptr, "Capitale de la France ?", "Tour Eiffel"},
    {"ROME", nullptr, "Capitale de l'Italie ?",
     "Colis\xE9"
     "e"},
    {"BERLIN", nullptr, "Capitale de l'Allemagne ?", "Porte de Brandebourg"},
    {"L'ARC DE TRIOMPHE", nullptr, "Monument ?", "Champs"},
};

TEST_F(PanelTest, EnterJudgesAndTheScoreFollowsTheLabels) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  Start();
  struct Step {
    int field;
    const char* typed;
    const char* word;
    const char* score;
    const char* code;
  } const steps[] = {
      {kAnswerFieldBaseId + 1, "LONDRES", kWordFaux, " 0 / 4", "      "},
      {kAnswerFieldBaseId + 1, "  paris ", kWordBravo, " 1 / 4", "CODE1"},
      {kAnswerFieldBaseId + 2, "rome", kWordBravo, " 2 / 4", "CODE2"},
      {kAnswerFieldBaseId + 3, "BERLN", kWordQuasiment, " 2 / 4", "CODE2"},
      {kAnswerFieldBaseId + 2, "", kWordEmpty, " 1 / 4", "CODE1"},
      {kAnswerFieldBaseId + 4, "L'ARC DE TRIOMPHE", kWordBravo, " 2 / 4", "CODE2"},
  };
  for (const Step& step : steps) {
    Answer(step.field, step.typed);
    EXPECT_EQ(Text(step.field + kFeedbackOffset), step.word) << step.typed;
    EXPECT_EQ(HeaderText(kScoreLabelId), step.score) << step.typed;
    EXPECT_EQ(HeaderText(kCodeFieldId), step.code) << step.typed;
  }
  // A question once solved stays solved for "Cacher" even when spoiled again.
  EXPECT_EQ(quiz->data.firstQuestion->next->solved, 1);
}

TEST_F(PanelTest, AnUnchangedWordChangesNothing) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  Start();
  Answer(kAnswerFieldBaseId + 1, "paris");
  SetWindowTextA(GetDlgItem(quiz->headerWindow, kScoreLabelId), "marker");
  SendKeyUp(kAnswerFieldBaseId + 1, VK_RETURN);
  Answer(kAnswerFieldBaseId + 1, "PARIS ");
  EXPECT_EQ(HeaderText(kScoreLabelId), "marker");  // no recount without a new word
}

TEST_F(PanelTest, EnterAndTabCharactersAreSwallowed) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  Start();
  SetFocus(Control(kAnswerFieldBaseId + 1));
  SendMessageA(Control(kAnswerFieldBaseId + 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("AB"));
  for (WPARAM character : {WPARAM{13}, WPARAM{9}, WPARAM{0}}) {
    EXPECT_EQ(SendMessageA(Control(kAnswerFieldBaseId + 1), WM_CHAR, character, 1), 0) << character;
  }
  EXPECT_EQ(Text(kAnswerFieldBaseId + 1), "AB");
  SendMessageA(Control(kAnswerFieldBaseId + 1), EM_SETSEL, 2, 2);
  SendMessageA(Control(kAnswerFieldBaseId + 1), WM_CHAR, 'C', 1);
  Pump();
  EXPECT_EQ(Text(kAnswerFieldBaseId + 1), "ABC");
  EXPECT_EQ(SendMessageA(Control(kAnswerFieldBaseId + 1), WM_KEYUP, VK_RETURN, 0xC0000001), 1);
}

// What reaches the standard edit procedure behind a field's own.
std::vector<UINT> standardMessages;
WNDPROC standardEditProc = nullptr;

LRESULT CALLBACK RecordStandard(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  standardMessages.push_back(message);
  return CallWindowProcA(standardEditProc, field, message, wParam, lParam);
}

TEST_F(PanelTest, AFieldPassesOnWhatItDoesNotConsume) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  Start();
  HWND field = Control(kAnswerFieldBaseId + 1);
  standardEditProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_USERDATA));
  ASSERT_NE(standardEditProc, nullptr);
  SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(RecordStandard));
  struct Case {
    UINT message;
    WPARAM wParam;
    bool passedOn;
  } const cases[] = {
      {WM_KEYUP, VK_RETURN, false}, {WM_SYSKEYDOWN, VK_RETURN, false},
      {WM_CHAR, '\r', false},       {WM_CHAR, '\t', false},
      {WM_CHAR, 0, false},          {WM_CHAR, 'a', true},
      {WM_KEYUP, VK_F2, true},      {WM_KEYUP, 'A', true},
      {WM_KEYUP, VK_DOWN, true},    {WM_KEYDOWN, VK_RETURN, true},
      {WM_SYSKEYDOWN, VK_F2, true}, {WM_KILLFOCUS, 0, true},
  };
  for (const Case& c : cases) {
    standardMessages.clear();
    SendMessageA(field, c.message, c.wParam, 0xC0000001);
    // Judging and saving read the field's text first: look for the message itself.
    const bool passedOn = std::find(standardMessages.begin(), standardMessages.end(), c.message) !=
                          standardMessages.end();
    EXPECT_EQ(passedOn, c.passedOn) << std::hex << c.message << " " << c.wParam;
  }
  SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(standardEditProc));
}

TEST_F(PanelTest, AltF1FillsAsWhenF1IsReleased) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  Start();
  SetFocus(Control(kAnswerFieldBaseId + 3));
  SendMessageA(Control(kAnswerFieldBaseId + 3), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ROME"));
  SendMessageA(Control(kAnswerFieldBaseId + 3), WM_SYSKEYDOWN, VK_F1, 0x20000001);
  Pump();
  for (int field = kAnswerFieldBaseId + 1; field <= kAnswerFieldBaseId + 4; ++field)
    EXPECT_EQ(Text(field), "ROME") << field;
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 2), kWordBravo);
  EXPECT_EQ(GetFocus(), Control(kAnswerFieldBaseId + 3));
}

TEST_F(PanelTest, LeavingAFieldJudgesItAndEnteringOneSelectsItsText) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  WriteSavedAnswers("\r\nROMA\r\n");
  Start();
  SetFocus(Control(kAnswerFieldBaseId + 1));
  SendMessageA(Control(kAnswerFieldBaseId + 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("PARIS"));
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordEmpty);
  SetFocus(Control(kAnswerFieldBaseId + 2));
  Pump();
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordBravo);
  DWORD start = 1, end = 0;
  SendMessageA(Control(kAnswerFieldBaseId + 2), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
}

TEST_F(PanelTest, F1FillsEveryUnsolvedFieldAndKeepsTheFocus) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  WriteSavedAnswers("\r\nrome\r\nBERLIN2\r\n");
  Start();
  ASSERT_EQ(Text(kFeedbackLabelBaseId + 2), kWordBravo);
  SetFocus(Control(kAnswerFieldBaseId + 1));
  SendMessageA(Control(kAnswerFieldBaseId + 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("BERLIN"));
  SendKeyUp(kAnswerFieldBaseId + 1, VK_F1);
  EXPECT_EQ(Text(kAnswerFieldBaseId + 1), "BERLIN");
  EXPECT_EQ(Text(kAnswerFieldBaseId + 2), "rome");
  EXPECT_EQ(Text(kAnswerFieldBaseId + 3), "BERLIN");
  EXPECT_EQ(Text(kAnswerFieldBaseId + 4), "BERLIN");
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordFaux);
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 3), kWordBravo);
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 4), kWordFaux);
  EXPECT_EQ(GetFocus(), Control(kAnswerFieldBaseId + 1));
  EXPECT_EQ(HeaderText(kScoreLabelId), " 2 / 4");
}

TEST_F(PanelTest, F2SavesTheFieldsAsTheyStand) {
  MakeQuiz(kTextList, 1, kFourAnswers);
  Start();
  SendMessageA(Control(kAnswerFieldBaseId + 2), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(" Rom\xE9 "));
  SendMessageA(Control(kAnswerFieldBaseId + 4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("arc"));
  SendKeyUp(kAnswerFieldBaseId + 4, VK_F2);
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "\r\n Rom\xE9 \r\n\r\narc\r\n");
}

TEST_F(PanelTest, ATwoAnswerTextListJudgesEachRowAgainstItsFirstAnswer) {
  MakeQuiz(kTextList, 2, {{"PARIS", "FRANCE", "Q1", nullptr}, {"ROME", "ITALIE", "Q2", nullptr}});
  WriteSavedAnswers("paris\r\nFRANCE\r\n\r\n\r\n");
  Start();
  EXPECT_EQ(Text(kAnswerFieldBaseId + 1), "paris");
  EXPECT_EQ(Text(kAnswerFieldBaseId + 2),
            "FRANCE");  // the second row's field takes the second line
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordBravo);
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 2), kWordFaux);
  EXPECT_EQ(Control(kAnswerFieldBaseId + 3), nullptr);
  EXPECT_EQ(HeaderText(kScoreLabelId), " 1 / 2");
  Answer(kAnswerFieldBaseId + 2, "rome");
  EXPECT_EQ(HeaderText(kScoreLabelId), " 2 / 2");
  EXPECT_EQ(HeaderText(kCodeFieldId), "CODE2");
}

TEST_F(PanelTest, TwoBoxesSolveTheirQuestionTogether) {
  MakeQuiz(kPictureGrid, 2,
           {{"MONET", "NYMPHEAS", nullptr, "Giverny"}, {"RODIN", "PENSEUR", nullptr, "Meudon"}}, 2);
  Start();
  Answer(kAnswerFieldBaseId + 1, "monet");
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordBravo);
  EXPECT_EQ(HeaderText(kScoreLabelId), " 0 / 2");
  EXPECT_FALSE(IsWindowVisible(Control(kRevealLabelBaseId + 1)));
  Answer(kAnswerFieldBaseId + 2, "NYMPHEA");
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 2), kWordQuasiment);
  EXPECT_EQ(HeaderText(kScoreLabelId), " 0 / 2");
  Answer(kAnswerFieldBaseId + 2,
         "nymph\xE9"
         "as");
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 2), kWordQuasiment);  // accents count: one letter wrong
  Answer(kAnswerFieldBaseId + 2, "nympheas");
  EXPECT_EQ(HeaderText(kScoreLabelId), " 1 / 2");
  EXPECT_TRUE(IsWindowVisible(Control(kRevealLabelBaseId + 1)));
  EXPECT_EQ(Text(kRevealLabelBaseId + 1), "Giverny");
}

TEST_F(PanelTest, EachKindRevealsInItsOwnWay) {
  struct Case {
    int kind;
    const char* revealAtStart;  // null: no reveal label
    bool shownAtStart;
    const char* revealSolved;
    bool shownSolved;
    bool shownWrongAgain;
    int messageBoxes;
  } const cases[] = {
      {0, nullptr, false, nullptr, false, false, 0},
      {1, nullptr, false, nullptr, false, false, 1},
      {2, "Tour Eiffel", false, "Tour Eiffel", true, false, 0},
      {3, "Tour Eiffel", false, "Tour Eiffel", true, false, 1},
      {5, "en 3 mots", true, "en 3 mots", true, true, 0},
      {6, "Tour Eiffel", false, "Tour Eiffel", false, false, 1},
      {7, "en 3 mots", true, "Tour Eiffel", true, true, 0},
      {8, "Tour Eiffel", true, "Tour Eiffel", true, true, 0},
      {9, "Tour Eiffel", false, "Tour Eiffel", false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    TearDown();
    SetUp();
    MakeQuiz(kPictureGrid, 1, {{"LA TOUR-EIFFEL", nullptr, nullptr, "Tour Eiffel"}}, c.kind);
    Start();
    if (c.revealAtStart == nullptr) {
      EXPECT_EQ(Control(kRevealLabelBaseId + 1), nullptr);
    } else {
      EXPECT_EQ(Text(kRevealLabelBaseId + 1), c.revealAtStart);
      EXPECT_EQ(IsWindowVisible(Control(kRevealLabelBaseId + 1)) != 0, c.shownAtStart);
      ExpectPlace(Place(kRevealLabelBaseId + 1), 46, 61, 300, 65, "reveal");
    }
    Answer(kAnswerFieldBaseId + 1, "la tour-eiffel");
    EXPECT_EQ(static_cast<int>(messageBoxes.size()), c.messageBoxes);
    if (c.messageBoxes > 0) {
      EXPECT_EQ(messageBoxes[0], "image");
    }
    if (c.revealAtStart != nullptr) {
      EXPECT_EQ(Text(kRevealLabelBaseId + 1), c.revealSolved);
      EXPECT_EQ(IsWindowVisible(Control(kRevealLabelBaseId + 1)) != 0, c.shownSolved);
      Answer(kAnswerFieldBaseId + 1, "tour");
      EXPECT_EQ(IsWindowVisible(Control(kRevealLabelBaseId + 1)) != 0, c.shownWrongAgain);
    }
  }
}

// While the first box is judged at start the second does not exist yet: it
// reads as empty, never as whatever the reading buffer held (the first box's
// text, when both answers are alike).
TEST_F(PanelTest, ARestoredFirstBoxAloneDoesNotSolveItsQuestion) {
  MakeQuiz(kPictureGrid, 2, {{"OUI", "OUI", nullptr, nullptr}}, 1);
  WriteSavedAnswers("oui\r\n\r\n");
  Start();
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordBravo);
  EXPECT_TRUE(messageBoxes.empty());
  EXPECT_EQ(quiz->data.firstQuestion->solved, 0);
  Answer(kAnswerFieldBaseId + 2, "oui");
  EXPECT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(quiz->data.firstQuestion->solved, 1);
}

TEST_F(PanelTest, RestoredRightAnswerOfAMessageKindShowsItsBoxAtStart) {
  MakeQuiz(kPictureGrid, 1, {{"ROME", nullptr, nullptr, nullptr}}, 1);
  WriteSavedAnswers("rome\r\n");
  Start();
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(Text(kFeedbackLabelBaseId + 1), kWordBravo);
  EXPECT_EQ(HeaderText(kScoreLabelId), " 1 / 1");
}

TEST_F(PanelTest, KindFourRevealsEverythingOnceAllIsSolved) {
  MakeQuiz(kPictureGrid, 1, kFourAnswers, 4);
  Start();
  Answer(kAnswerFieldBaseId + 1, "paris");
  Answer(kAnswerFieldBaseId + 2, "rome");
  Answer(kAnswerFieldBaseId + 3, "berlin");
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(IsWindowVisible(Control(kRevealLabelBaseId + n))) << n;
  Answer(kAnswerFieldBaseId + 4, "l'arc de triomphe");
  EXPECT_EQ(quiz->data.allSolved, 1);
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(IsWindowVisible(Control(kRevealLabelBaseId + n))) << n;
  Answer(kAnswerFieldBaseId + 2, "romeo");
  EXPECT_EQ(quiz->data.allSolved, 0);
  EXPECT_FALSE(IsWindowVisible(Control(kRevealLabelBaseId + 2)));
}

TEST_F(PanelTest, TabbingToAFieldBelowScrollsItToTheTop) {
  std::vector<TestQuestion> questions(60, TestQuestion{"X", nullptr, "Q", nullptr});
  MakeQuiz(kTextList, 1, questions);
  Start();
  SetFocus(Control(kAnswerFieldBaseId + 29));
  SendMessageA(panel, WM_VSCROLL, SB_TOP, 0);
  // Tab from field 29 to field 30, out of view, through the dialog manager.
  MSG tab = {};
  tab.hwnd = Control(kAnswerFieldBaseId + 29);
  tab.message = WM_KEYDOWN;
  tab.wParam = VK_TAB;
  tab.lParam = 0x000F0001;
  EXPECT_TRUE(IsDialogMessageA(panel, &tab));
  Pump();
  ASSERT_EQ(GetFocus(), Control(kAnswerFieldBaseId + 30));
  EXPECT_EQ(Place(kAnswerFieldBaseId + 30).top, 15);
  EXPECT_EQ(ScrollPos(SB_VERT), 5 + 29 * 25 - 15);
  // A field already in view does not move the panel.
  const int v = ScrollPos(SB_VERT);
  SetFocus(Control(kAnswerFieldBaseId + 31));
  Pump();
  EXPECT_EQ(ScrollPos(SB_VERT), v);
}

TEST_F(PanelTest, AGridFieldComesIntoViewWithThePicturesOfItsOwnRow) {
  MakeQuiz(kPictureGrid, 1,
           std::vector<TestQuestion>(96, TestQuestion{"X", nullptr, nullptr, nullptr}));
  Start();
  quiz->data.rowHeights[9] = 100;  // as if row 9 (questions 28 to 30) had pictures
  SetFocus(Control(kAnswerFieldBaseId + 28));
  Pump();
  const int fieldTop = 5 + 9 * 70 + 10;  // rows of 0 + 10 + 60 pixels
  EXPECT_EQ(ScrollPos(SB_VERT), fieldTop - 100 - 15);
  EXPECT_EQ(Place(kAnswerFieldBaseId + 28).top, 115);
  EXPECT_EQ(ScrollPos(SB_HORZ), 0);
}

TEST_F(PanelTest, CacherHidesSolvedQuestionsAndClosesFullRows) {
  std::vector<TestQuestion> questions(7, TestQuestion{"OUI", nullptr, nullptr, "bravo"});
  MakeQuiz(kPictureGrid, 1, questions, 2);
  Start();
  const int height = quiz->data.contentHeight;
  RECT before[8];
  for (int n = 1; n <= 7; ++n) before[n] = Place(kAnswerFieldBaseId + n);
  for (int n : {1, 2, 3, 5}) Answer(kAnswerFieldBaseId + n, "oui");
  // Nothing moves while the box is clear.
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(Place(kAnswerFieldBaseId + n).top, before[n].top) << n;

  HWND cacher = GetDlgItem(quiz->headerWindow, kHideSolvedBoxId);
  ASSERT_NE(cacher, nullptr);
  SendMessageA(cacher, BM_CLICK, 0, 0);
  Pump();
  // Row 0 is solved whole: it closes by its reveal labels' 65 pixels (its
  // pictures are absent); question 5 alone hides in its row.
  for (int n : {1, 2, 3, 5}) EXPECT_FALSE(IsWindowVisible(Control(kPictureBaseId + n))) << n;
  EXPECT_TRUE(IsWindowVisible(Control(kPictureBaseId + 4)));
  EXPECT_EQ(Place(kAnswerFieldBaseId + 1).top, before[1].top);
  for (int n = 4; n <= 7; ++n)
    EXPECT_EQ(Place(kAnswerFieldBaseId + n).top, before[n].top - 65) << n;
  EXPECT_EQ(quiz->data.contentHeight, height - 65);
  EXPECT_EQ(quiz->data.hideStates[3], 2);
  EXPECT_EQ(quiz->data.hideStates[5], 1);

  // A question solved while the box is ticked hides at once.
  Answer(kAnswerFieldBaseId + 4, "oui");
  EXPECT_FALSE(IsWindowVisible(Control(kPictureBaseId + 4)));
  EXPECT_EQ(quiz->data.contentHeight, height - 65);  // its row still has question 6

  SendMessageA(cacher, BM_CLICK, 0, 0);
  Pump();
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(Place(kAnswerFieldBaseId + n).top, before[n].top) << n;
    EXPECT_TRUE(IsWindowVisible(Control(kPictureBaseId + n))) << n;
    EXPECT_EQ(quiz->data.hideStates[n], 0) << n;
  }
  EXPECT_EQ(quiz->data.contentHeight, height);
}

TEST_F(PanelTest, CaptionsFollowTheFirstQuestionOfTheirRow) {
  MakeQuiz(kPictureGrid, 2, std::vector<TestQuestion>(4, TestQuestion{"OUI", "NON", nullptr, "vu"}),
           2);
  recipe.captions[0] = "Un";
  recipe.captions[1] = "Deux";
  Start();
  std::vector<HWND> captions = ControlsWithId(kCaptionLabelId);
  ASSERT_EQ(captions.size(), 4u);  // two per row
  int before[4];
  for (int i = 0; i < 4; ++i) before[i] = Place(captions[i]).top;
  for (int field = kAnswerFieldBaseId + 1; field <= kAnswerFieldBaseId + 6; ++field)
    Answer(field, field % 2 ? "oui" : "non");
  SendMessageA(GetDlgItem(quiz->headerWindow, kHideSolvedBoxId), BM_CLICK, 0, 0);
  Pump();
  // Row 0 closes by its reveal labels' 65 pixels: row 1's captions move up
  // with question 4, row 0's stay with question 1 (pictures absent: H = 0).
  EXPECT_EQ(Place(captions[0]).top, before[0]);
  EXPECT_EQ(Place(captions[1]).top, before[1]);
  EXPECT_EQ(Place(captions[2]).top, before[2] - 65);
  EXPECT_EQ(Place(captions[3]).top, before[3] - 65);
  EXPECT_EQ(Place(captions[2]).top, Place(kNumberLabelId + 4).top);
  SendMessageA(GetDlgItem(quiz->headerWindow, kHideSolvedBoxId), BM_CLICK, 0, 0);
  Pump();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Place(captions[i]).top, before[i]) << i;
}

}  // namespace

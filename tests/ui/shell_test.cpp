// The player's shell, in-process under Wine: the frame and header bar laid
// out to the pixel, their colours, the wheel and Print Screen, and saving the
// answers on "Sauver", on closing and when the session ends.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/control_ids.h"
#include "app/header_bar.h"
#include "app/keyboard_hook.h"
#include "app/main_window.h"
#include "app/player_state.h"
#include "resources/player_resources.h"
#include "tests/ui/shell_test_support.h"

namespace {

struct Place {
  int id;
  int x, y, width, height;
};

void ExpectPlace(HWND control, const Place& place) {
  ASSERT_NE(control, nullptr) << "control " << place.id;
  RECT rect = RectInParent(control);
  EXPECT_EQ(rect.left, place.x) << "control " << place.id;
  EXPECT_EQ(rect.top, place.y) << "control " << place.id;
  EXPECT_EQ(rect.right - rect.left, place.width) << "control " << place.id;
  EXPECT_EQ(rect.bottom - rect.top, place.height) << "control " << place.id;
}

TestQuiz TextList(int questions) {
  return MakeTestQuiz(0, 1, NumberedQuestions(questions));
}

using ShellWindows = InScratchDirectory;

TEST_F(ShellWindows, FrameIsCentredWithTheQuizTitle) {
  RunningPlayer player(TextList(3));
  ASSERT_TRUE(player.started());
  char className[16] = {};
  GetClassNameA(player.frame(), className, sizeof className);
  EXPECT_STREQ(className, "Tevra");
  EXPECT_EQ(WindowText(player.frame()), "Titre du quiz");
  RECT frame, desktop;
  GetWindowRect(player.frame(), &frame);
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(frame.right - frame.left, 930);
  EXPECT_EQ(frame.bottom - frame.top, 600);
  EXPECT_EQ(frame.left, (desktop.right - 930) / 2);
  EXPECT_EQ(frame.top, (desktop.bottom - 600) / 2);
  EXPECT_EQ(WindowText(GetDlgItem(player.frame(), kCornerLabelId)), "Coin du test");
  EXPECT_TRUE(IsWindowVisible(player.panel()));
  EXPECT_TRUE(IsWindowVisible(player.header()));
}

TEST_F(ShellWindows, ClientOf600By400LaysOutTheChildren) {
  RunningPlayer player(TextList(3));
  player.SetClientSize(600, 400);
  ExpectPlace(player.panel(), {IDD_QUESTION_PANEL, 5, 50, 589, 332});
  ExpectPlace(player.header(), {IDD_HEADER_BAR, 5, 2, 589, 49});
  ExpectPlace(GetDlgItem(player.frame(), kCornerLabelId), {kCornerLabelId, 455, 384, 150, 15});
  // The corner label is brought above its siblings.
  EXPECT_EQ(GetWindow(player.frame(), GW_CHILD), GetDlgItem(player.frame(), kCornerLabelId));
}

TEST_F(ShellWindows, MinimisingMovesNoChild) {
  RunningPlayer player(TextList(3));
  player.SetClientSize(600, 400);
  ShowWindow(player.frame(), SW_MINIMIZE);
  PumpMessages();
  ExpectPlace(player.panel(), {IDD_QUESTION_PANEL, 5, 50, 589, 332});
  ExpectPlace(player.header(), {IDD_HEADER_BAR, 5, 2, 589, 49});
  ExpectPlace(GetDlgItem(player.frame(), kCornerLabelId), {kCornerLabelId, 455, 384, 150, 15});
}

// The header at a client width of 900, with the controls WM_SIZE moves and
// those that keep their creation places.
const Place kHeaderAt900[] = {
    {kTitleId, 110, 3, 550, 18},       {kLinkId, 766, 0, 115, 18},
    {kByLabelId, 766, 25, 26, 18},     {kAuthorId, 793, 25, 105, 18},
    {kSaveButtonId, 696, 25, 55, 18},  {kSubtitleId, 110, 19, 576, 28},
    {kLinkBlockRuleId, 755, 0, 1, 50}, {kScoreLabelId, 10, 1, 80, 20},
    {kCodeLabelId, 7, 29, 36, 15},     {kCodeFieldId, 44, 29, 53, 16},
    {kScoreRuleId, 0, 26, 100, 1},     {kScoreBlockRuleId, 100, 0, 1, 50},
};

void SizeHeaderClient(HWND header, int width) {
  RECT window, client;
  GetWindowRect(header, &window);
  GetClientRect(header, &client);
  int border = (window.right - window.left) - client.right;
  SetWindowPos(header, nullptr, 0, 0, width + border, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  GetClientRect(header, &client);
  ASSERT_EQ(client.right, width);
}

TEST_F(ShellWindows, HeaderOf900LaysOutItsControls) {
  const struct {
    int displayMode;
    bool hasHideBox;
  } cases[] = {{0, false}, {1, true}, {3, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.displayMode);
    // A video quiz without a media player here says so in a message box.
    MessageBoxAnswerer answerer;
    RunningPlayer player(MakeTestQuiz(c.displayMode, 1, NumberedQuestions(4)));
    SizeHeaderClient(player.header(), 900);
    for (const Place& place : kHeaderAt900)
      ExpectPlace(GetDlgItem(player.header(), place.id), place);
    HWND hideBox = GetDlgItem(player.header(), kHideSolvedBoxId);
    EXPECT_EQ(hideBox != nullptr, c.hasHideBox);
    if (hideBox) {
      ExpectPlace(hideBox, {kHideSolvedBoxId, 696, 0, 85, 18});
      EXPECT_EQ(WindowText(hideBox), "Cacher");
      EXPECT_EQ(SendMessageA(hideBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    }
  }
}

TEST_F(ShellWindows, HeaderShowsTheQuizTexts) {
  RunningPlayer player(TextList(12));
  const struct {
    int id;
    const char* text;
  } texts[] = {
      {kScoreLabelId, " 0 / 12"},  {kCodeFieldId, ""},
      {kCodeLabelId, " Code :"},   {kTitleId, "Titre du quiz"},
      {kSubtitleId, "Sous-titre"}, {kAuthorId, "Auteur"},
      {kByLabelId, "Par :"},       {kLinkId, "http://quiz.test"},
      {kSaveButtonId, "Sauver"},
  };
  for (const auto& t : texts) EXPECT_EQ(WindowText(GetDlgItem(player.header(), t.id)), t.text);
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(player.header(), kCodeFieldId), GWL_STYLE) & ES_READONLY);
}

COLORREF BrushColour(LRESULT brush) {
  LOGBRUSH description = {};
  GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof description, &description);
  return description.lbColor;
}

TEST_F(ShellWindows, HeaderAndCornerLabelColours) {
  constexpr COLORREF kDefault = 0xFFFFFFFF;
  RunningPlayer player(TextList(3));
  HDC context = GetDC(player.header());
  const struct {
    HWND parent;
    int id;
    COLORREF brush;  // kDefault: the dialog manager's default colours
    COLORREF text;
  } cases[] = {
      {player.header(), kLinkId, RGB(128, 128, 255), RGB(50, 50, 255)},
      {player.header(), kAuthorId, RGB(128, 128, 255), RGB(1, 2, 3)},
      {player.header(), kCodeFieldId, RGB(128, 128, 255), RGB(1, 2, 3)},
      {player.header(), kScoreRuleId, kDefault, RGB(1, 2, 3)},
      {player.frame(), kCornerLabelId, RGB(212, 208, 200), RGB(1, 2, 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    SetTextColor(context, RGB(1, 2, 3));
    SetBkMode(context, OPAQUE);
    LRESULT brush = SendMessageA(c.parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                                 reinterpret_cast<LPARAM>(GetDlgItem(c.parent, c.id)));
    if (c.brush == kDefault) {
      EXPECT_EQ(BrushColour(brush), GetSysColor(COLOR_3DFACE));
      continue;
    }
    EXPECT_EQ(BrushColour(brush), c.brush);
    EXPECT_EQ(GetTextColor(context), c.text);
    EXPECT_EQ(GetBkMode(context), TRANSPARENT);
  }
  EXPECT_EQ(
      BrushColour(SendMessageA(player.header(), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(context),
                               reinterpret_cast<LPARAM>(player.header()))),
      RGB(128, 128, 255));
  ReleaseDC(player.header(), context);
}

TEST_F(ShellWindows, StaticTextsShowTheHandCursor) {
  RunningPlayer player(TextList(3));
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_HAND));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(GetClassLongPtrA(GetDlgItem(player.header(), kLinkId), GCLP_HCURSOR),
            reinterpret_cast<LONG_PTR>(hand));
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

// Wheel requests the frame posts to the panel.
std::vector<WPARAM> PostedScrollRequests(HWND panel) {
  std::vector<WPARAM> requests;
  MSG message;
  while (PeekMessageA(&message, panel, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
    requests.push_back(message.wParam);
  }
  return requests;
}

TEST_F(ShellWindows, WheelNotchesBecomeScrollRequests) {
  RunningPlayer player(TextList(3));
  const struct {
    short distance;
    std::vector<WPARAM> requests;
  } cases[] = {
      {WHEEL_DELTA, {kWheelUpRequest}},
      {-WHEEL_DELTA, {kWheelDownRequest}},
      {2 * WHEEL_DELTA, {}},
      {-2 * WHEEL_DELTA, {}},
      {WHEEL_DELTA / 2, {}},
      {0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.distance);
    SendMessageA(player.frame(), WM_MOUSEWHEEL, MAKEWPARAM(0, c.distance), 0);
    EXPECT_EQ(PostedScrollRequests(player.panel()), c.requests);
  }
}

TEST_F(ShellWindows, OneWheelNotchScrollsFiftyPixelsOnce) {
  RunningPlayer player(TextList(96));
  player.SetClientSize(600, 400);
  EXPECT_EQ(GetScrollPos(player.panel(), SB_VERT), 0);
  // Left unhandled by the panel, the notch would go on to the frame, whose
  // forwarding would post it back: two scroll steps for one notch.
  SendMessageA(player.panel(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  PumpMessages();
  EXPECT_EQ(GetScrollPos(player.panel(), SB_VERT), 50);
  SendMessageA(player.frame(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  PumpMessages();
  EXPECT_EQ(GetScrollPos(player.panel(), SB_VERT), 100);
  SendMessageA(player.frame(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  PumpMessages();
  EXPECT_EQ(GetScrollPos(player.panel(), SB_VERT), 50);
}

TEST(KeyboardHook, SwallowsPrintScreenOnly) {
  const struct {
    int code;
    WPARAM message;
    DWORD key;
    LRESULT result;
  } cases[] = {
      {HC_ACTION, WM_KEYDOWN, VK_SNAPSHOT, 1},
      {HC_ACTION, WM_KEYUP, VK_SNAPSHOT, 1},
      {HC_ACTION, WM_SYSKEYDOWN, VK_SNAPSHOT, 1},
      {HC_ACTION, WM_SYSKEYUP, VK_SNAPSHOT, 1},
      {HC_ACTION, WM_KEYDOWN, 'A', 0},
      {HC_ACTION, WM_KEYDOWN, VK_F2, 0},
      {HC_ACTION, WM_CHAR, VK_SNAPSHOT, 0},
      {3, WM_KEYDOWN, VK_SNAPSHOT, 0},
  };
  for (const auto& c : cases) {
    KBDLLHOOKSTRUCT event = {};
    event.vkCode = c.key;
    EXPECT_EQ(KeyboardHookProc(c.code, c.message, reinterpret_cast<LPARAM>(&event)), c.result)
        << c.code << " " << c.message << " " << c.key;
  }
}

// Saving the answers.
using Saving = InScratchDirectory;

void TypeAnswers(HWND panel, const std::vector<std::string>& answers) {
  for (size_t i = 0; i < answers.size(); ++i) {
    SetWindowTextA(GetDlgItem(panel, kAnswerFieldBaseId + 1 + static_cast<int>(i)),
                   answers[i].c_str());
  }
}

TEST_F(Saving, SauverWritesEveryFieldAndChangesNothingOnScreen) {
  RunningPlayer player(TextList(3));
  TypeAnswers(player.panel(), {"  Paris ", "", "\xC9t\xE9"});
  std::string score = WindowText(GetDlgItem(player.header(), kScoreLabelId));
  SendMessageA(GetDlgItem(player.header(), kSaveButtonId), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "  Paris \r\n\r\n\xC9t\xE9\r\n");
  EXPECT_EQ(WindowText(GetDlgItem(player.header(), kScoreLabelId)), score);
  // Saving again gives the same file.
  SendMessageA(GetDlgItem(player.header(), kSaveButtonId), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "  Paris \r\n\r\n\xC9t\xE9\r\n");
}

TEST_F(Saving, ClosingAndEndingTheSessionSave) {
  const UINT messages[] = {WM_CLOSE, WM_ENDSESSION};
  for (UINT message : messages) {
    SCOPED_TRACE(message);
    DeleteFileA(SavedAnswersName().c_str());
    RunningPlayer player(TextList(2));
    TypeAnswers(player.panel(), {"un", "deux"});
    if (message == WM_ENDSESSION) {
      EXPECT_TRUE(SendMessageA(player.frame(), WM_QUERYENDSESSION, 0, 0));
      EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "<missing>");
    }
    SendMessageA(player.frame(), message, TRUE, 0);
    EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "un\r\ndeux\r\n");
  }
}

TEST_F(Saving, RestartRestoresAnswersFromCrLfAndLfFiles) {
  const char* files[] = {"un\r\n\r\ntrois\r\n", "un\n\ntrois\n"};
  for (const char* file : files) {
    WriteFileBytes(SavedAnswersName(), file);
    RunningPlayer player(TextList(3));
    EXPECT_EQ(WindowText(GetDlgItem(player.panel(), kAnswerFieldBaseId + 1)), "un");
    EXPECT_EQ(WindowText(GetDlgItem(player.panel(), kAnswerFieldBaseId + 2)), "");
    EXPECT_EQ(WindowText(GetDlgItem(player.panel(), kAnswerFieldBaseId + 3)), "trois");
    SendMessageA(player.frame(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "un\r\n\r\ntrois\r\n");
  }
}

TEST_F(Saving, FieldsNeverBuiltKeepTheirSavedLines) {
  // A text list naming two answers per question builds one field per
  // question, yet its file has a line per answer: the unseen lines survive.
  WriteFileBytes(SavedAnswersName(), "p1\r\np2\r\np3\r\np4\r\np5\r\np6\r\n");
  RunningPlayer player(MakeTestQuiz(0, 2, NumberedQuestions(3)));
  EXPECT_EQ(GetDlgItem(player.panel(), kAnswerFieldBaseId + 4), nullptr);
  TypeAnswers(player.panel(), {"a", "b", "c"});
  SendMessageA(player.frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "a\r\nb\r\nc\r\np4\r\np5\r\np6\r\n");
}

TEST_F(Saving, QuizThatFailedToLoadLeavesTheFileAlone) {
  WriteFileBytes(SavedAnswersName(), "garde\r\n");
  TestQuiz broken = TextList(2);
  broken.quiz = broken.quiz.substr(0, 10);  // a field without its "|"
  MessageBoxAnswerer answerer;
  RunningPlayer player(broken);
  ASSERT_EQ(answerer.texts.size(), 1u);
  EXPECT_EQ(answerer.captions[0], "Tevra");
  EXPECT_EQ(answerer.texts[0],
            "Erreur dans le d\xE9"
            "chiffrage");
  SendMessageA(GetDlgItem(player.header(), kSaveButtonId), BM_CLICK, 0, 0);
  SendMessageA(player.frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "garde\r\n");
}

TEST_F(Saving, FailedSaveTellsThePlayerAndKeepsThePreviousFile) {
  WriteFileBytes(SavedAnswersName(), "ancien\r\n");
  // The new file cannot be written where it would go.
  std::string blocker = SavedAnswersName() + ".new";
  ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
  RunningPlayer player(TextList(1));
  TypeAnswers(player.panel(), {"nouveau"});
  MessageBoxAnswerer answerer;
  SendMessageA(GetDlgItem(player.header(), kSaveButtonId), BM_CLICK, 0, 0);
  ASSERT_EQ(answerer.captions.size(), 1u);
  EXPECT_EQ(answerer.captions[0], "Tevra");
  EXPECT_NE(answerer.texts[0].find(SavedAnswersName()), std::string::npos) << answerer.texts[0];
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "ancien\r\n");
  // Closing tells the player too, and still closes.
  SendMessageA(player.frame(), WM_CLOSE, 0, 0);
  ASSERT_EQ(answerer.captions.size(), 2u);
  EXPECT_NE(answerer.texts[1].find("perdues"), std::string::npos) << answerer.texts[1];
  EXPECT_FALSE(IsWindow(player.panel()));
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), "ancien\r\n");
  RemoveDirectoryA(blocker.c_str());
}

}  // namespace

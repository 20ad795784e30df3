#include "tests/ui/panel_fixture.h"

void ExpectPlace(const RECT& place, int x, int y, int width, int height, const char* what) {
  EXPECT_EQ(place.left, x) << what;
  EXPECT_EQ(place.top, y) << what;
  EXPECT_EQ(place.right - place.left, width) << what;
  EXPECT_EQ(place.bottom - place.top, height) << what;
}

// Also run again by tests that start the player several times.
void PanelTest::SetUp() {
  boxes.Clear();
  DeleteFileA(SavedAnswersName().c_str());
}

void PanelTest::TearDown() {
  if (windows.frame != nullptr) EndPlayer(&windows);
  Pump();
}

void PanelTest::MakeQuiz(int displayMode, int answersPerQuestion,
                         const std::vector<TestQuestion>& questions, int questionKind) {
  recipe = {};
  recipe.displayByte = displayMode + 1;
  recipe.boxes = answersPerQuestion;
  recipe.kind = questionKind;
  for (const TestQuestion& q : questions) {
    recipe.questions.push_back(
        {q.answer1, q.answer2 ? q.answer2 : "", q.text ? q.text : "", q.extra ? q.extra : ""});
    recipe.codes.push_back("CODE" + std::to_string(recipe.questions.size()));
  }
}

void PanelTest::Start(bool withMediaHost) {
  EncodedQuiz encoded;
  std::string error;
  ASSERT_TRUE(EncodeStoredQuiz(recipe, &encoded, &error)) << error;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (withMediaHost) {
    ASSERT_TRUE(StartPlayer(instance, encoded.view(), &windows));
  } else {
    ASSERT_TRUE(LoadPlayer(instance, encoded.view()));
    OpenPlayerWindows(instance, &windows);
  }
  frame = windows.frame;
  panel = windows.panel;
  ASSERT_NE(panel, nullptr);
  Pump();
}

std::vector<HWND> PanelTest::ControlsWithId(int id) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) found.push_back(child);
  }
  return found;
}

void PanelTest::Answer(int fieldId, const char* text) {
  SendMessageA(Control(fieldId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  SendKeyUp(fieldId, VK_RETURN);
}

void PanelTest::SendKeyUp(int fieldId, WPARAM key) {
  SendMessageA(Control(fieldId), WM_KEYUP, key, 0xC0000001);
  Pump();
}

#include "tests/ui/panel_fixture.h"

#include <cstdio>

#include "progress/saved_answers.h"

namespace {

std::string SavedAnswersName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return SavedAnswersFileName(path);
}

}  // namespace

void ExpectPlace(const RECT& place, int x, int y, int width, int height, const char* what) {
  EXPECT_EQ(place.left, x) << what;
  EXPECT_EQ(place.top, y) << what;
  EXPECT_EQ(place.right - place.left, width) << what;
  EXPECT_EQ(place.bottom - place.top, height) << what;
}

void PanelTest::SetUp() {
  // A working directory of this process's own: the saved-answers file lives
  // there, and test programs run side by side must not share it.
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof(temp), temp);
  GetCurrentDirectoryA(sizeof(previousDirectory), previousDirectory);
  std::snprintf(workDirectory, sizeof(workDirectory), "%stevra-panel-%lu", temp,
                GetCurrentProcessId());
  CreateDirectoryA(workDirectory, nullptr);
  SetCurrentDirectoryA(workDirectory);
  boxes.captions.clear();
  boxes.texts.clear();
  savedName = SavedAnswersName();
  DeleteFileA(savedName.c_str());
}

void PanelTest::TearDown() {
  if (windows.frame != nullptr) EndPlayer(&windows);
  Pump();
  DeleteFileA(savedName.c_str());
  SetCurrentDirectoryA(previousDirectory);
  RemoveDirectoryA(workDirectory);
}

void PanelTest::MakeQuiz(int displayMode, int answersPerQuestion,
                         const std::vector<TestQuestion>& questions, int questionKind) {
  spec = {};
  spec.displayByte = displayMode + 1;
  spec.boxes = answersPerQuestion;
  spec.kind = questionKind;
  for (const TestQuestion& q : questions) {
    spec.questions.push_back(
        {q.answer1, q.answer2 ? q.answer2 : "", q.text ? q.text : "", q.extra ? q.extra : ""});
    spec.codes.push_back("CODE" + std::to_string(spec.questions.size()));
  }
}

void PanelTest::WriteSavedAnswers(const std::string& bytes) {
  FILE* file = std::fopen(savedName.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string PanelTest::ReadSavedAnswers() {
  std::string bytes;
  FILE* file = std::fopen(savedName.c_str(), "rb");
  if (file == nullptr) return bytes;
  char chunk[512];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

void PanelTest::Start(bool withMediaHost) {
  EncodedQuiz encoded;
  std::string error;
  ASSERT_TRUE(EncodeStoredQuiz(spec, &encoded, &error)) << error;
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

std::string PanelTest::Text(HWND window) {
  char text[512] = {};
  SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return text;
}

RECT PanelTest::Place(HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
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

void PanelTest::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    if (panel && IsWindow(panel) && IsDialogMessageA(panel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

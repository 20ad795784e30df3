#include "tests/ui/panel_fixture.h"

#include <cstdio>

#include "app/header_bar.h"
#include "app/main_window.h"
#include "media/media_playback.h"
#include "panel/question_panel.h"
#include "progress/saved_answers.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_model.h"
#include "resources/player_resources.h"

namespace {

std::string SavedAnswersName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  return SavedAnswersFileName(path);
}

void Fold(const char* plain, char (&folded)[kTextSize]) {
  CopyText(folded, sizeof(folded), plain);
  FoldAnswer(folded);
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
  quiz = CreatePlayerQuiz();
}

void PanelTest::TearDown() {
  if (IsWindow(panel)) DestroyWindow(panel);
  ShutdownMediaHost(frame);
  if (IsWindow(frame)) DestroyWindow(frame);
  Pump();
  DestroyPlayerQuiz(quiz);
  quiz = nullptr;
  UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
  DeleteFileA(savedName.c_str());
  SetCurrentDirectoryA(previousDirectory);
  RemoveDirectoryA(workDirectory);
}

void PanelTest::MakeQuiz(int displayMode, int answersPerQuestion,
                         const std::vector<TestQuestion>& questions, int questionKind) {
  QuizData& data = quiz->data;
  data.displayMode = displayMode;
  data.answersPerQuestion = answersPerQuestion;
  data.questionKind = questionKind;
  data.questionCount = static_cast<int>(questions.size());
  for (const TestQuestion& question : questions) {
    char answer1[kTextSize];
    char answer2[kTextSize];
    Fold(question.answer1, answer1);
    Fold(question.answer2 ? question.answer2 : "", answer2);
    Question* added = AppendQuestion(&data, answer1, answer2, question.text ? question.text : "");
    CopyText(added->extraText, sizeof(added->extraText), question.extra ? question.extra : "");
  }
  for (int k = 0; k < kMaxQuestions; ++k) std::snprintf(data.codes[k], kTextSize, "CODE%d", k + 1);
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
  HINSTANCE instance = GetModuleHandleA(nullptr);
  PaintPanelBrush(quiz);
  if (withMediaHost) InitMediaHost();
  ASSERT_TRUE(RegisterMainWindowClass(instance));
  frame = CreateMainWindow(instance, quiz->data.title);
  ASSERT_NE(frame, nullptr);
  quiz->headerWindow =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HEADER_BAR), frame, HeaderBarProc, 0);
  ShowWindow(quiz->headerWindow, SW_SHOWNORMAL);
  panel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_QUESTION_PANEL), frame,
                             QuestionPanelProc, 0);
  ASSERT_NE(panel, nullptr);
  quiz->panelWindow = panel;
  ShowWindow(frame, SW_SHOWNORMAL);
  ShowWindow(panel, SW_SHOWNORMAL);
  SendMessageA(panel, WM_VSCROLL, SB_TOP, 0);
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

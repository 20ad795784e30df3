#include "app/player.h"

#include "app/header_bar.h"
#include "app/keyboard_hook.h"
#include "app/main_window.h"
#include "app/player_state.h"
#include "resources/player_resources.h"

namespace {

constexpr int kQuizResourceId = 104;
constexpr int kCodesResourceId = 105;
constexpr char kQuizResourceType[] = "PATCH";

std::string CopyResource(HINSTANCE instance, int id) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), kQuizResourceType);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(instance, found);
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return bytes ? std::string(bytes, SizeofResource(instance, found)) : std::string();
}

void LoadQuizInto(PlayerQuiz* player, const QuizBlocks& blocks) {
  (void)blocks;  // the quiz loader takes the blocks here
  PaintPanelBrush(player);
}

HWND CreateChildDialog(HINSTANCE instance, int templateId, HWND frame, DLGPROC procedure) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), frame, procedure, 0);
}

}  // namespace

QuizBlocks ReadEmbeddedBlocks(HINSTANCE instance) {
  QuizBlocks blocks;
  blocks.quiz = CopyResource(instance, kQuizResourceId);
  blocks.codes = CopyResource(instance, kCodesResourceId);
  return blocks;
}

bool StartPlayer(HINSTANCE instance, const QuizBlocks& blocks, PlayerWindows* windows) {
  *windows = {};
  if (!RegisterMainWindowClass(instance)) {
    MessageBoxA(nullptr,
                "Erreur dans la cr\xE9"
                "ation de la fen\xEAtre principale",
                "Tevra", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  InstallKeyboardHook(instance);
  CreateFrameBrush();
  quiz = CreatePlayerQuiz();
  LoadQuizInto(quiz, blocks);
  // Sound and video quizzes start their media host here.

  windows->frame = CreateMainWindow(instance, quiz->data.title);
  windows->header = CreateChildDialog(instance, IDD_HEADER_BAR, windows->frame, HeaderBarProc);
  ShowWindow(windows->header, SW_SHOWNORMAL);
  quiz->headerWindow = windows->header;
  // The question panel is created here from its template.
  quiz->panelWindow = windows->panel;

  ShowWindow(windows->frame, SW_SHOWNORMAL);
  ShowWindow(windows->panel, SW_SHOWNORMAL);
  SendMessageA(windows->panel, WM_VSCROLL, SB_TOP, 0);
  return true;
}

int RunMessageLoop(HWND panel) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(panel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void EndPlayer(PlayerWindows* windows) {
  if (IsWindow(windows->panel)) DestroyWindow(windows->panel);
  DestroyWindow(windows->header);
  // Sound and video quizzes shut their media host down here, with the frame.
  // The frame goes too, so that a player started again in the same process
  // (the UI tests) finds no window of the previous one.
  DestroyWindow(windows->frame);
  DeleteFrameBrush();
  DestroyPlayerQuiz(quiz);
  quiz = nullptr;
  RemoveKeyboardHook();
  UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
  *windows = {};
}

int RunPlayer(HINSTANCE instance) {
  PlayerWindows windows;
  if (!StartPlayer(instance, ReadEmbeddedBlocks(instance), &windows)) return 0;
  int code = RunMessageLoop(windows.panel);
  EndPlayer(&windows);
  return code;
}

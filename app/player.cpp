#include "app/player.h"

#include "app/header_bar.h"
#include "app/keyboard_hook.h"
#include "app/main_window.h"
#include "app/player_state.h"
#include "media/media_playback.h"
#include "panel/question_panel.h"
#include "resources/player_resources.h"

namespace {

constexpr int kQuizResourceId = 104;
constexpr int kCodesResourceId = 105;
constexpr char kQuizResourceType[] = "PATCH";

// The resource's bytes in the program's read-only image, or nothing.
void FindQuizResource(HINSTANCE instance, int id, const unsigned char** data, size_t* size) {
  *data = nullptr;
  *size = 0;
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), kQuizResourceType);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return;
  *data = static_cast<const unsigned char*>(bytes);
  *size = SizeofResource(instance, found);
}

void LoadQuizInto(PlayerQuiz* player, const QuizBlocks& blocks) {
  LoadOutcome outcome = LoadQuiz(&player->data, blocks);
  if (outcome.failed) MessageBoxA(nullptr, outcome.message, outcome.caption, MB_OK);
  PaintPanelBrush(player);
}

HWND CreateChildDialog(HINSTANCE instance, int templateId, HWND frame, DLGPROC procedure) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), frame, procedure, 0);
}

}  // namespace

QuizBlocks ReadEmbeddedBlocks(HINSTANCE instance, const unsigned char* builtin,
                              size_t builtinSize) {
  QuizBlocks blocks = {{builtin}, {builtinSize}};
  FindQuizResource(instance, kQuizResourceId, &blocks.data[1], &blocks.size[1]);
  FindQuizResource(instance, kCodesResourceId, &blocks.data[2], &blocks.size[2]);
  return blocks;
}

bool StartPlayer(HINSTANCE instance, const QuizBlocks& blocks, PlayerWindows* windows) {
  *windows = {};
  if (!LoadPlayer(instance, blocks)) return false;
  InitMediaHost();  // a host that failed shows when the panel creates its players
  OpenPlayerWindows(instance, windows);
  return true;
}

bool LoadPlayer(HINSTANCE instance, const QuizBlocks& blocks) {
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
  return true;
}

void OpenPlayerWindows(HINSTANCE instance, PlayerWindows* windows) {
  windows->frame = CreateMainWindow(instance, quiz->data.title);
  windows->header = CreateChildDialog(instance, IDD_HEADER_BAR, windows->frame, HeaderBarProc);
  ShowWindow(windows->header, SW_SHOWNORMAL);
  quiz->headerWindow = windows->header;
  windows->panel =
      CreateChildDialog(instance, IDD_QUESTION_PANEL, windows->frame, QuestionPanelProc);
  quiz->panelWindow = windows->panel;

  ShowWindow(windows->frame, SW_SHOWNORMAL);
  ShowWindow(windows->panel, SW_SHOWNORMAL);
  SendMessageA(windows->panel, WM_VSCROLL, SB_TOP, 0);
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
  // Destroys the frame in a sound or video quiz. The frame goes in every quiz,
  // so that a player started again in the same process (the UI tests) finds no
  // window of the previous one.
  ShutdownMediaHost(windows->frame);
  if (IsWindow(windows->frame)) DestroyWindow(windows->frame);
  DeleteFrameBrush();
  DestroyPlayerQuiz(quiz);
  quiz = nullptr;
  RemoveKeyboardHook();
  UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
  *windows = {};
}

int RunPlayer(HINSTANCE instance, const unsigned char* builtin, size_t builtinSize) {
  PlayerWindows windows;
  if (!StartPlayer(instance, ReadEmbeddedBlocks(instance, builtin, builtinSize), &windows)) {
    return 0;
  }
  int code = RunMessageLoop(windows.panel);
  EndPlayer(&windows);
  return code;
}

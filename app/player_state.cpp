#include "app/player_state.h"

#include <initializer_list>

#include "quiz/quiz_model.h"

PlayerQuiz* quiz = nullptr;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kOrange = RGB(255, 100, 0);
constexpr COLORREF kAmber = RGB(255, 203, 38);
constexpr COLORREF kPaleYellow = RGB(255, 255, 192);
constexpr int kScoreFontHeight = 25;
constexpr int kTitleFontHeight = -15;  // a character height of 15
constexpr DWORD kTempPathLength = 256;

// A font from a zeroed description: only what is given is set.
HFONT MakeFont(int height, int weight, bool italic, const char* face) {
  LOGFONTA description = {};
  description.lfHeight = height;
  description.lfWeight = weight;
  description.lfItalic = italic;
  if (face) lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&description);
}

}  // namespace

PlayerQuiz* CreatePlayerQuiz() {
  PlayerQuiz* player = new PlayerQuiz{};
  InitQuizData(&player->data);
  player->scoreFont = MakeFont(kScoreFontHeight, FW_NORMAL, false, "Arial");
  player->titleFont = MakeFont(kTitleFontHeight, FW_BOLD, true, nullptr);
  player->redBrush = CreateSolidBrush(kRed);
  player->orangeBrush = CreateSolidBrush(kOrange);
  player->amberBrush = CreateSolidBrush(kAmber);
  player->paleYellowBrush = CreateSolidBrush(kPaleYellow);
  GetTempPathA(kTempPathLength, player->tempDir);
  return player;
}

void PaintPanelBrush(PlayerQuiz* player) {
  if (player->panelBrush) DeleteObject(player->panelBrush);
  const QuizData& data = player->data;
  player->panelBrush = CreateSolidBrush(RGB(data.panelRed, data.panelGreen, data.panelBlue));
}

void DestroyPlayerQuiz(PlayerQuiz* player) {
  if (!player) return;
  for (HGDIOBJ object :
       {HGDIOBJ(player->panelBrush), HGDIOBJ(player->redBrush), HGDIOBJ(player->orangeBrush),
        HGDIOBJ(player->amberBrush), HGDIOBJ(player->paleYellowBrush), HGDIOBJ(player->titleFont),
        HGDIOBJ(player->textFont), HGDIOBJ(player->scoreFont)}) {
    if (object) DeleteObject(object);
  }
  DestroyQuizData(&player->data);
  delete player;
}

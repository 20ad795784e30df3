#include "app/player_state.h"

#include <initializer_list>

#include "quiz/quiz_model.h"

PlayerQuiz* quiz = nullptr;

namespace {

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
  for (int tone = kToneNone + 1; tone < kToneCount; ++tone) {
    const FeedbackColour& colour = kToneColours[tone];
    player->feedbackBrushes[tone] = CreateSolidBrush(RGB(colour.red, colour.green, colour.blue));
  }
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
       {HGDIOBJ(player->panelBrush), HGDIOBJ(player->paleYellowBrush), HGDIOBJ(player->titleFont),
        HGDIOBJ(player->textFont), HGDIOBJ(player->scoreFont)}) {
    if (object) DeleteObject(object);
  }
  for (HBRUSH brush : player->feedbackBrushes) {
    if (brush) DeleteObject(brush);
  }
  DestroyQuizData(&player->data);
  delete player;
}

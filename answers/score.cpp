#include "answers/score.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "answers/verdict.h"
#include "app/header_bar.h"
#include "panel/hide_solved.h"
#include "panel/panel_layout.h"

namespace {

constexpr int kWordBufferSize = 255;
constexpr char kNoCode[] = "      ";

bool LabelReadsBravo(HWND panel, int labelId) {
  char word[kWordBufferSize];
  GetDlgItemTextA(panel, labelId, word, sizeof(word));
  return std::strcmp(word, kWordBravo) == 0;
}

int CountSolvedQuestions(const QuizData& data, HWND panel) {
  const int boxes = FieldsPerQuestion(data);
  int score = 0;
  for (int index = 0; index < data.questionCount; ++index) {
    int right = 0;
    for (int box = 1; box <= boxes; ++box) {
      right += LabelReadsBravo(panel, AnswerFieldId(data, index, box) + kFeedbackOffset);
    }
    score += right == boxes;
  }
  return score;
}

}  // namespace

void UpdateScore(PlayerQuiz& player, HWND panel) {
  const QuizData& data = player.data;
  const int score = std::min(CountSolvedQuestions(data, panel), kMaxQuestions);
  char text[32];
  std::snprintf(text, sizeof(text), " %d / %d", score, data.questionCount);
  SetDlgItemTextA(player.headerWindow, kScoreLabelId, text);
  SetDlgItemTextA(player.headerWindow, kCodeFieldId, score > 0 ? data.codes[score - 1] : kNoCode);
  ApplyHideSolved(player);
}

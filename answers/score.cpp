#include "answers/score.h"

#include <algorithm>
#include <cstdio>

#include "app/header_bar.h"
#include "panel/feedback_labels.h"
#include "panel/hide_solved.h"
#include "panel/panel_layout.h"

namespace {

constexpr char kNoCode[] = "      ";

int CountSolvedQuestions(const QuizData& data, HWND panel) {
  const int boxes = FieldsPerQuestion(data);
  const BravoLabels bravo = FindBravoLabels(panel, AnswerFieldCount(data));
  int score = 0;
  for (int index = 0; index < QuestionsWithRows(data); ++index) {
    int right = 0;
    for (int box = 1; box <= boxes; ++box) {
      right += bravo.reads[AnswerFieldId(data, index, box) - kAnswerFieldBaseId];
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

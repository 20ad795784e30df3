#include "panel/feedback_labels.h"

#include <algorithm>
#include <cstring>

#include "answers/verdict.h"
#include "panel/panel_layout.h"

namespace {

constexpr int kWordBufferSize = 255;

struct AnswerControlTable {
  HWND panel;
  HWND fields[kMaxAnswers + 1];
  HWND labels[kMaxAnswers + 1];
};

// One panel lives at a time; its controls live as long as it does.
AnswerControlTable table;

HWND Lookup(HWND panel, int answer, const HWND (&windows)[kMaxAnswers + 1], int baseId) {
  if (panel == table.panel && answer >= 1 && answer <= kMaxAnswers && windows[answer]) {
    return windows[answer];
  }
  return GetDlgItem(panel, baseId + answer);
}

}  // namespace

void ForgetAnswerControls(HWND panel) {
  table = {};
  table.panel = panel;
}

void NoteAnswerControls(HWND panel, int answer, HWND field, HWND label) {
  if (panel != table.panel || answer < 1 || answer > kMaxAnswers) return;
  table.fields[answer] = field;
  table.labels[answer] = label;
}

HWND AnswerFieldWindow(HWND panel, int answer) {
  return Lookup(panel, answer, table.fields, kAnswerFieldBaseId);
}

HWND FeedbackLabelWindow(HWND panel, int answer) {
  return Lookup(panel, answer, table.labels, kFeedbackLabelBaseId);
}

BravoLabels FindBravoLabels(HWND panel, int answers) {
  BravoLabels found = {};
  for (int answer = 1; answer <= std::min(answers, kMaxAnswers); ++answer) {
    char word[kWordBufferSize] = {};
    GetWindowTextA(FeedbackLabelWindow(panel, answer), word, sizeof(word));
    found.reads[answer] = std::strcmp(word, kWordBravo) == 0;
  }
  return found;
}

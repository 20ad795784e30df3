#include "answers/answer_check.h"

#include <cstring>

#include "answers/compare.h"
#include "answers/score.h"
#include "answers/verdict.h"
#include "panel/feedback_labels.h"
#include "panel/panel_layout.h"
#include "panel/question_pictures.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_kinds.h"
#include "quiz/quiz_model.h"

namespace {

constexpr int kWordBufferSize = 255;

// The field's text as judging sees it: trimmed, then folded. A field that
// does not exist (yet: the second box while the first is judged as the rows
// are built) reads as empty, the platform promising nothing of the buffer.
void ReadTypedAnswer(HWND panel, int fieldId, char (&typed)[kTextSize]) {
  typed[0] = '\0';
  HWND field = AnswerFieldWindow(panel, fieldId - kAnswerFieldBaseId);
  if (field != nullptr) GetWindowTextA(field, typed, sizeof(typed));
  TrimSpaces(typed);
  FoldAnswer(typed);
}

const char* AcceptedAnswer(const Question& question, int box) {
  return box == 2 ? question.answer2 : question.answer1;
}

// Every box of the question holds its accepted answer exactly.
bool QuestionIsSolved(const QuizData& data, HWND panel, const Question& question,
                      int questionIndex) {
  for (int box = 1; box <= FieldsPerQuestion(data); ++box) {
    char typed[kTextSize];
    ReadTypedAnswer(panel, AnswerFieldId(data, questionIndex, box), typed);
    if (std::strcmp(typed, AcceptedAnswer(question, box)) != 0) return false;
  }
  return true;
}

void ShowRevealLabel(HWND panel, int n, int command) {
  ShowWindow(GetDlgItem(panel, kRevealLabelBaseId + n), command);
}

// Kinds 1, 3 and 6: a modal box, then, once it is closed, the answer picture.
void ShowSolvedMessageAndPicture(const QuizData& data, HWND panel, int n) {
  MessageBoxA(nullptr, "rempl", "image", MB_OK);
  ShowAnswerPicture(data, panel, n - 1);
}

// In this order: the reveal label, the extra text in place of the word hint,
// then the message box and the answer picture.
void ReactToSolvedQuestion(const QuizData& data, HWND panel, const Question& question, int n) {
  const KindTraits& kind = KindTraitsOf(data.questionKind);
  if (kind.showsLabelWhenSolved) ShowRevealLabel(panel, n, SW_SHOWNORMAL);
  if (kind.showsExtraWhenSolved) SetDlgItemTextA(panel, kRevealLabelBaseId + n, question.extraText);
  if (kind.showsMessageWhenSolved) ShowSolvedMessageAndPicture(data, panel, n);
}

}  // namespace

void CheckAnswer(PlayerQuiz& player, HWND panel, int fieldId) {
  if (JudgeAnswerField(player, panel, fieldId)) UpdateScore(player, panel);
}

bool JudgeAnswerField(PlayerQuiz& player, HWND panel, int fieldId) {
  QuizData& data = player.data;
  const AnswerOwner owner = LocateAnswerField(data, fieldId);
  if (owner.questionIndex < 0) return false;
  Question* question = QuestionAt(data, owner.questionIndex);
  if (question == nullptr) return false;

  HWND label = FeedbackLabelWindow(panel, fieldId - kAnswerFieldBaseId);
  char oldWord[kWordBufferSize] = {};
  GetWindowTextA(label, oldWord, sizeof(oldWord));
  char typed[kTextSize];
  ReadTypedAnswer(panel, fieldId, typed);
  const char* word = JudgeAnswer(AcceptedAnswer(*question, owner.box), typed);
  if (std::strcmp(word, oldWord) == 0) return false;

  SetWindowTextA(label, word);
  const int n = owner.questionIndex + 1;
  if (std::strcmp(word, kWordBravo) != 0) {
    if (!KindTraitsOf(data.questionKind).keepsLabelWhenWrong) ShowRevealLabel(panel, n, SW_HIDE);
    data.allSolved = 0;
  } else {
    if (QuestionIsSolved(data, panel, *question, owner.questionIndex)) {
      question->solved = 1;
      ReactToSolvedQuestion(data, panel, *question, n);
    }
    if (KindTraitsOf(data.questionKind).revealsAllAtEnd) RunFinalCheck(player, panel);
  }
  return true;
}

void RunFinalCheck(PlayerQuiz& player, HWND panel) {
  QuizData& data = player.data;
  if (data.allSolved == 1) return;
  const int answers = AnswerFieldCount(data);
  const BravoLabels bravo = FindBravoLabels(panel, answers);
  for (int i = 1; i <= answers; ++i) {
    if (!bravo.reads[i]) return;
  }
  data.allSolved = 1;
  for (int n = 1; n <= data.questionCount; ++n) {
    ShowRevealLabel(panel, n, SW_SHOWNORMAL);
    ShowAnswerPicture(data, panel, n - 1);
  }
}

#include "quiz/answer_boxes.h"

#include <algorithm>

namespace {

constexpr int kTwoBoxes = 2;

}  // namespace

int AnswerBoxes(const QuizData& data) {
  return data.answersPerQuestion == kTwoBoxes ? kTwoBoxes : 1;
}

int FieldsPerQuestion(const QuizData& data) {
  return data.displayMode == kTextList ? 1 : AnswerBoxes(data);
}

int QuestionsWithRows(const QuizData& data) {
  return DisplayTraitsOf(data.displayMode).rows ? std::clamp(data.questionCount, 0, kMaxQuestions)
                                                : 0;
}

int AnswerFieldCount(const QuizData& data) {
  return QuestionsWithRows(data) * FieldsPerQuestion(data);
}

int StoredAnswerCount(const QuizData& data) {
  return std::clamp(data.questionCount, 0, kMaxQuestions) * AnswerBoxes(data);
}

int AnswerNumber(const QuizData& data, int questionIndex, int box) {
  return questionIndex * FieldsPerQuestion(data) + box;
}

AnswerOwner LocateAnswer(const QuizData& data, int answer) {
  if (answer < 1 || answer > AnswerFieldCount(data)) return {-1, 1};
  const int boxes = FieldsPerQuestion(data);
  return {(answer - 1) / boxes, (answer - 1) % boxes + 1};
}

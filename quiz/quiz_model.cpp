#include "quiz/quiz_model.h"

#include <cstring>

void CopyText(char* destination, size_t size, const char* source) {
  const size_t length = strnlen(source, size - 1);
  std::memcpy(destination, source, length);
  destination[length] = '\0';
}

void InitQuizData(QuizData* quiz) {
  std::memset(quiz, 0, sizeof(*quiz));
  CopyText(quiz->title, sizeof(quiz->title), "nom du tevra");
  CopyText(quiz->author, sizeof(quiz->author), " createur");
  quiz->questionCount = 2;
  quiz->answersPerQuestion = 1;
  quiz->panelRed = kDefaultPanelRed;
  quiz->panelGreen = kDefaultPanelGreen;
  quiz->panelBlue = kDefaultPanelBlue;
}

void DestroyQuizData(QuizData* quiz) {
  Question* q = quiz->firstQuestion;
  while (q) {
    Question* next = q->next;
    delete q;
    q = next;
  }
  quiz->firstQuestion = nullptr;
  quiz->lastQuestion = nullptr;
}

Question* AppendQuestion(QuizData* quiz, const char* answer1, const char* answer2,
                         const char* questionText) {
  Question* q = new Question();
  CopyText(q->answer1, sizeof(q->answer1), answer1);
  CopyText(q->answer2, sizeof(q->answer2), answer2);
  CopyText(q->questionText, sizeof(q->questionText), questionText);
  q->prev = quiz->lastQuestion;
  if (quiz->lastQuestion) {
    quiz->lastQuestion->next = q;
  } else {
    quiz->firstQuestion = q;
  }
  quiz->lastQuestion = q;
  return q;
}

Question* QuestionAt(const QuizData& quiz, int position) {
  Question* q = quiz.firstQuestion;
  for (int i = 0; q && q->next && i < position; ++i) q = q->next;
  return q;
}

#include "tools/quiz_source_text.h"

#include "quiz/quiz_kinds.h"

namespace {

// The source and the decoded text name their shared fields alike.
template <typename From, typename To>
void CopySharedFields(const From& from, To* to) {
  to->link = from.link;
  to->footer = from.footer;
  to->displayMode = from.displayMode;
  to->answersPerQuestion = from.answersPerQuestion;
  to->title = from.title;
  to->author = from.author;
  to->subtitle = from.subtitle;
  to->answerCaption1 = from.answerCaption1;
  to->answerCaption2 = from.answerCaption2;
  to->kind = from.kind;
  to->red = from.red;
  to->green = from.green;
  to->blue = from.blue;
  to->codes = from.codes;
  to->questions.resize(from.questions.size());
  for (size_t i = 0; i < from.questions.size(); ++i) {
    to->questions[i].text = from.questions[i].text;
    to->questions[i].answer1 = from.questions[i].answer1;
    to->questions[i].answer2 = from.questions[i].answer2;
    to->questions[i].extra = from.questions[i].extra;
    to->questions[i].extra2 = from.questions[i].extra2;
  }
}

}  // namespace

DecodedQuiz DecodedQuizOf(const QuizSource& source) {
  DecodedQuiz quiz;
  CopySharedFields(source, &quiz);
  quiz.questionCount = static_cast<int>(source.questions.size());
  // A text the display and kind never show is stored empty.
  const bool extra = ExtraTextUse(source.displayMode, source.kind) != FieldUse::kUnused;
  const bool extra2 = SecondExtraTextUse(source.displayMode, source.kind) != FieldUse::kUnused;
  for (DecodedQuestion& question : quiz.questions) {
    if (!extra) question.extra.clear();
    if (!extra2) question.extra2.clear();
  }
  return quiz;
}

QuizSource QuizSourceOf(const DecodedQuiz& quiz) {
  QuizSource source;
  CopySharedFields(quiz, &source);
  return source;
}

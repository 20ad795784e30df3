#include "tools/quiz_source_text.h"

#include "quiz/quiz_kinds.h"

namespace {

// A text the display and kind never show is stored empty.
std::string IfUsed(FieldUse use, const std::string& text) {
  return use == FieldUse::kUnused ? std::string() : text;
}

}  // namespace

DecodedQuiz DecodedQuizOf(const QuizSource& source) {
  DecodedQuiz quiz;
  quiz.link = source.link;
  quiz.footer = source.footer;
  quiz.displayMode = source.displayMode;
  quiz.questionCount = static_cast<int>(source.questions.size());
  quiz.answersPerQuestion = source.answersPerQuestion;
  quiz.title = source.title;
  quiz.author = source.author;
  quiz.subtitle = source.subtitle;
  quiz.answerCaption1 = source.answerCaption1;
  quiz.answerCaption2 = source.answerCaption2;
  const FieldUse extra = ExtraTextUse(source.displayMode, source.kind);
  const FieldUse extra2 = SecondExtraTextUse(source.displayMode, source.kind);
  for (const QuestionSource& question : source.questions) {
    quiz.questions.push_back({question.answer1, question.answer2, question.text,
                              IfUsed(extra, question.extra), IfUsed(extra2, question.extra2)});
  }
  quiz.kind = source.kind;
  quiz.red = source.red;
  quiz.green = source.green;
  quiz.blue = source.blue;
  quiz.codes = source.codes;
  return quiz;
}

QuizSource QuizSourceOf(const DecodedQuiz& quiz) {
  QuizSource source;
  source.link = quiz.link;
  source.footer = quiz.footer;
  source.displayMode = quiz.displayMode;
  source.answersPerQuestion = quiz.answersPerQuestion;
  source.title = quiz.title;
  source.author = quiz.author;
  source.subtitle = quiz.subtitle;
  source.answerCaption1 = quiz.answerCaption1;
  source.answerCaption2 = quiz.answerCaption2;
  for (const DecodedQuestion& question : quiz.questions) {
    QuestionSource added;
    added.text = question.text;
    added.answer1 = question.answer1;
    added.answer2 = question.answer2;
    added.extra = question.extra;
    added.extra2 = question.extra2;
    source.questions.push_back(added);
  }
  source.kind = quiz.kind;
  source.red = quiz.red;
  source.green = quiz.green;
  source.blue = quiz.blue;
  source.codes = quiz.codes;
  return source;
}

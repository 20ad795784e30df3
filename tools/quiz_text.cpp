#include "tools/quiz_text.h"

#include "quiz/quiz_loader.h"

namespace {

constexpr char kFieldEnd = '|';
constexpr char kLineEnd[] = "\r\n";

void AppendField(const std::string& text, std::string* out) {
  out->append(text);
  out->push_back(kFieldEnd);
}

void AppendByte(int value, std::string* out) {
  out->push_back(static_cast<char>(value));
}

}  // namespace

QuizTexts BuildQuizTexts(const QuizSource& quiz) {
  QuizTexts texts;
  // The loader skips the first two bytes of the built-in block and the first
  // byte of block 104; they are written as zeros.
  texts.builtin.assign(2, '\0');
  AppendField(quiz.link, &texts.builtin);
  AppendField(quiz.footer, &texts.builtin);

  std::string& out = texts.quiz;
  AppendByte(0, &out);
  AppendByte(quiz.displayMode + 1, &out);
  AppendByte(static_cast<int>(quiz.questions.size()), &out);
  AppendByte(quiz.answersPerQuestion, &out);
  for (const std::string* text :
       {&quiz.title, &quiz.author, &quiz.subtitle, &quiz.answerCaption1, &quiz.answerCaption2}) {
    AppendField(*text, &out);
  }
  for (const QuestionSource& question : quiz.questions) {
    AppendField(question.answer1, &out);
    if (quiz.answersPerQuestion == 2) AppendField(question.answer2, &out);
    AppendField(question.text, &out);
  }
  AppendByte(quiz.kind, &out);
  const int extras = ExtraFieldCount(quiz.kind);
  for (const QuestionSource& question : quiz.questions) {
    if (extras >= 1) AppendField(question.extra, &out);
    if (extras == 2) AppendField(question.extra2, &out);
  }
  AppendByte(quiz.red, &out);
  AppendByte(quiz.green, &out);
  AppendByte(quiz.blue, &out);

  // Every line ends with CR LF, the last one too: the loader reads one per question.
  for (const std::string& code : quiz.codes) texts.codes.append(code).append(kLineEnd);
  return texts;
}

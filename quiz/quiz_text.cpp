#include "quiz/quiz_text.h"

#include "quiz/quiz_data.h"
#include "quiz/quiz_kinds.h"

namespace {

constexpr unsigned char kFieldEnd = '|';
constexpr unsigned char kLineEnd = '\r';
constexpr char kLineBreak[] = "\r\n";
constexpr size_t kLineBreakSize = 2;
constexpr size_t kBuiltinFirstField = 2;
constexpr size_t kQuizFirstField = 4;
constexpr int kTwoAnswers = 2;
constexpr size_t kTextCapacity = kTextSize - 1;

bool ReadByte(TextCursor* cursor, int* value) {
  if (cursor->position >= cursor->size) return false;
  *value = cursor->text[cursor->position++];
  return true;
}

// Reads one field into *out, cut to `capacity` bytes (at most kTextCapacity)
// and, as the player's buffers hold it, to its first NUL; false when the text
// ends before its "|", *out then holding what was read.
bool ReadText(TextCursor* cursor, size_t capacity, std::string* out) {
  char buffer[kTextSize];
  const bool ended = ReadField(cursor, buffer, capacity + 1);
  *out = buffer;
  return ended;
}

bool ReadQuestions(TextCursor* c, DecodedQuiz* quiz) {
  for (int i = 0; i < quiz->questionCount; ++i) {
    DecodedQuestion question;
    if (!ReadText(c, kTextCapacity, &question.answer1)) return false;
    if (quiz->answersPerQuestion == kTwoAnswers && !ReadText(c, kTextCapacity, &question.answer2)) {
      return false;
    }
    if (!ReadText(c, kTextCapacity, &question.text)) return false;
    quiz->questions.push_back(std::move(question));
  }
  return true;
}

bool ReadExtraTexts(TextCursor* c, DecodedQuiz* quiz) {
  const int fields = KindTraitsOf(quiz->kind).extraFields;
  for (DecodedQuestion& question : quiz->questions) {
    if (fields >= 1 && !ReadText(c, kTextCapacity, &question.extra)) return false;
    if (fields >= 2 && !ReadText(c, kTextCapacity, &question.extra2)) return false;
  }
  return true;
}

void WriteField(const std::string& text, std::string* out) {
  out->append(text);
  out->push_back(static_cast<char>(kFieldEnd));
}

void WriteByte(int value, std::string* out) {
  out->push_back(static_cast<char>(value));
}

}  // namespace

bool ReadField(TextCursor* cursor, char* destination, size_t capacity) {
  size_t length = 0;
  while (cursor->position < cursor->size && cursor->text[cursor->position] != kFieldEnd) {
    const unsigned char b = cursor->text[cursor->position++];
    if (length + 1 < capacity) destination[length++] = static_cast<char>(b);
  }
  destination[length] = '\0';
  if (cursor->position >= cursor->size) return false;
  ++cursor->position;
  return true;
}

QuizTextFault ReadBuiltinText(const unsigned char* text, size_t size, DecodedQuiz* quiz) {
  TextCursor c = {text, size, kBuiltinFirstField};
  const bool whole = ReadText(&c, kLinkTextSize - 1, &quiz->link) &&
                     ReadText(&c, kFooterTextSize - 1, &quiz->footer);
  return whole ? QuizTextFault::kNone : QuizTextFault::kFieldCut;
}

QuizTextFault ReadQuizText(const unsigned char* text, size_t size, DecodedQuiz* quiz) {
  TextCursor c = {text, size, 1};
  int display = 0, count = 0, answers = 0, kind = 0, red = 0, green = 0, blue = 0;
  if (!ReadByte(&c, &display) || !ReadByte(&c, &count) || !ReadByte(&c, &answers)) {
    return QuizTextFault::kSettingsCut;
  }
  quiz->displayMode = display - 1;
  quiz->questionCount = count;
  quiz->answersPerQuestion = answers;
  c.position = kQuizFirstField;
  for (std::string* field : {&quiz->title, &quiz->author, &quiz->subtitle, &quiz->answerCaption1,
                             &quiz->answerCaption2}) {
    if (!ReadText(&c, kTextCapacity, field)) return QuizTextFault::kFieldCut;
  }
  quiz->questions.clear();
  if (!ReadQuestions(&c, quiz) || !ReadByte(&c, &kind)) return QuizTextFault::kFieldCut;
  quiz->kind = kind;
  if (!ReadExtraTexts(&c, quiz)) return QuizTextFault::kFieldCut;
  if (!ReadByte(&c, &red) || !ReadByte(&c, &green) || !ReadByte(&c, &blue)) {
    return QuizTextFault::kColourCut;
  }
  quiz->red = static_cast<uint8_t>(red);
  quiz->green = static_cast<uint8_t>(green);
  quiz->blue = static_cast<uint8_t>(blue);
  return QuizTextFault::kNone;
}

void ReadCodesText(const unsigned char* text, size_t size, DecodedQuiz* quiz) {
  quiz->codes.assign(quiz->questionCount > 0 ? quiz->questionCount : 0, std::string());
  size_t position = 0;
  for (std::string& line : quiz->codes) {
    while (position < size && text[position] != kLineEnd) {
      const unsigned char b = text[position++];
      if (line.size() < kTextCapacity) line.push_back(static_cast<char>(b));
    }
    position += kLineBreakSize;
  }
}

QuizTexts WriteQuizTexts(const DecodedQuiz& quiz) {
  QuizTexts texts;
  texts.builtin.assign(kBuiltinFirstField, '\0');
  WriteField(quiz.link, &texts.builtin);
  WriteField(quiz.footer, &texts.builtin);

  std::string& out = texts.quiz;
  WriteByte(0, &out);
  WriteByte(quiz.displayMode + 1, &out);
  WriteByte(quiz.questionCount, &out);
  WriteByte(quiz.answersPerQuestion, &out);
  for (const std::string* text :
       {&quiz.title, &quiz.author, &quiz.subtitle, &quiz.answerCaption1, &quiz.answerCaption2}) {
    WriteField(*text, &out);
  }
  for (const DecodedQuestion& question : quiz.questions) {
    WriteField(question.answer1, &out);
    if (quiz.answersPerQuestion == kTwoAnswers) WriteField(question.answer2, &out);
    WriteField(question.text, &out);
  }
  WriteByte(quiz.kind, &out);
  const int fields = KindTraitsOf(quiz.kind).extraFields;
  for (const DecodedQuestion& question : quiz.questions) {
    if (fields >= 1) WriteField(question.extra, &out);
    if (fields >= 2) WriteField(question.extra2, &out);
  }
  WriteByte(quiz.red, &out);
  WriteByte(quiz.green, &out);
  WriteByte(quiz.blue, &out);

  for (const std::string& code : quiz.codes) texts.codes.append(code).append(kLineBreak);
  return texts;
}

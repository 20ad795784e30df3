#include "quiz/quiz_loader.h"

#include <cstring>
#include <vector>

#include "quiz/answer_fold.h"
#include "quiz/block_decoder.h"
#include "quiz/quiz_model.h"

const char kDecodeErrorMessage[] =
    "Erreur dans le d\xE9"
    "chiffrage";
const char kDecodeErrorCaption[] = "Tevra";
const char kNoMemoryMessage[] = "Impossible d'allouer la memoire";
const char kNoMemoryCaption[] = "information";

namespace {

constexpr unsigned char kFieldEnd = '|';
constexpr unsigned char kLineEnd = '\r';
constexpr size_t kLineBreakSize = 2;  // CR LF
constexpr size_t kBuiltinFirstField = 2;
constexpr size_t kQuizFirstField = 4;
constexpr int kSecondAnswerCount = 2;

enum class BlockStatus { kOk, kUndecodable, kNoMemory };

bool ReadByte(TextCursor* cursor, int* value) {
  if (cursor->position >= cursor->size) return false;
  *value = cursor->text[cursor->position++];
  return true;
}

template <typename Transform>
bool CopyField(TextCursor* cursor, char* destination, size_t capacity, Transform transform) {
  size_t length = 0;
  while (cursor->position < cursor->size && cursor->text[cursor->position] != kFieldEnd) {
    const unsigned char b = cursor->text[cursor->position++];
    if (length + 1 < capacity) destination[length++] = static_cast<char>(transform(b));
  }
  destination[length] = '\0';
  if (cursor->position >= cursor->size) return false;
  ++cursor->position;
  return true;
}

// Decodes a copy of the block as stored, then descrambled when that fails.
// The copy lives in a buffer of the decoder's input capacity: a longer block
// is one the decoder refuses anyway, and no copy can fail for want of memory.
BlockStatus DecodeBlock(const unsigned char* data, size_t size, int* keyPosition,
                        std::vector<unsigned char>* text) {
  if (size > kQuizBlockInputCapacity) return BlockStatus::kUndecodable;
  unsigned char copy[kQuizBlockInputCapacity];
  if (size > 0) std::memcpy(copy, data, size);
  QuizBlockResult result = DecodeQuizBlock(copy, size, text);
  if (result == kBlockOk) return BlockStatus::kOk;
  if (result == kBlockNoMemory) return BlockStatus::kNoMemory;
  DescrambleQuizBlock(copy, size, keyPosition);
  result = DecodeQuizBlock(copy, size, text);
  if (result == kBlockOk) return BlockStatus::kOk;
  return result == kBlockNoMemory ? BlockStatus::kNoMemory : BlockStatus::kUndecodable;
}

bool ParseBuiltinBlock(TextCursor* c, QuizData* quiz) {
  c->position = kBuiltinFirstField;
  return ReadField(c, quiz->linkText, sizeof(quiz->linkText)) &&
         ReadField(c, quiz->footerText, sizeof(quiz->footerText));
}

bool ReadQuestions(TextCursor* c, QuizData* quiz) {
  char answer1[kTextSize];
  char answer2[kTextSize] = "";
  char questionText[kTextSize];
  for (int i = 0; i < quiz->questionCount; ++i) {
    if (!ReadFoldedField(c, answer1, sizeof(answer1))) return false;
    if (quiz->answersPerQuestion == kSecondAnswerCount &&
        !ReadFoldedField(c, answer2, sizeof(answer2))) {
      return false;
    }
    if (!ReadField(c, questionText, sizeof(questionText))) return false;
    AppendQuestion(quiz, answer1, answer2, questionText);
  }
  return true;
}

bool ReadExtraTexts(TextCursor* c, QuizData* quiz) {
  const int fields = ExtraFieldCount(quiz->questionKind);
  char dropped[kTextSize];
  for (int k = 0; fields > 0 && k < quiz->questionCount; ++k) {
    Question* q = QuestionAt(*quiz, k);
    if (!ReadField(c, q->extraText, sizeof(q->extraText))) return false;
    if (fields == 2 && !ReadField(c, dropped, sizeof(dropped))) return false;
  }
  return true;
}

bool ParseQuizBlock(TextCursor* c, QuizData* quiz) {
  int displayByte, count, answers, kind, red, green, blue;
  c->position = 1;
  if (!ReadByte(c, &displayByte) || !ReadByte(c, &count) || !ReadByte(c, &answers)) return false;
  // The record holds 96 questions: a quiz of more is refused, not cut, since
  // its codes and extra texts could not be matched up with what is kept.
  if (count > kMaxQuestions) return false;
  quiz->displayMode = displayByte - 1;
  quiz->questionCount = count;
  quiz->answersPerQuestion = answers;
  c->position = kQuizFirstField;
  char* const headerFields[] = {quiz->title, quiz->author, quiz->subtitle, quiz->answerCaption1,
                                quiz->answerCaption2};
  for (char* field : headerFields) {
    if (!ReadField(c, field, kTextSize)) return false;
  }
  if (!ReadQuestions(c, quiz) || !ReadByte(c, &kind)) return false;
  quiz->questionKind = kind;
  if (!ReadExtraTexts(c, quiz)) return false;
  if (!ReadByte(c, &red) || !ReadByte(c, &green) || !ReadByte(c, &blue)) return false;
  quiz->panelRed = red;
  quiz->panelGreen = green;
  quiz->panelBlue = blue;
  return true;
}

// Lines missing at the end of the text read as empty, and a line longer than
// its buffer is cut.
bool ParseCodesBlock(TextCursor* c, QuizData* quiz) {
  c->position = 0;
  for (int i = 0; i < quiz->questionCount; ++i) {
    char* line = quiz->codes[i];
    size_t length = 0;
    while (c->position < c->size && c->text[c->position] != kLineEnd) {
      const unsigned char b = c->text[c->position++];
      if (length + 1 < sizeof(quiz->codes[i])) line[length++] = static_cast<char>(b);
    }
    line[length] = '\0';
    c->position += kLineBreakSize;
  }
  return true;
}

// The parsers of the blocks, in load order.
bool (*const kBlockParsers[kQuizBlockCount])(TextCursor*, QuizData*) = {
    ParseBuiltinBlock, ParseQuizBlock, ParseCodesBlock};

LoadOutcome Fail(QuizData* quiz, const char* message, const char* caption) {
  quiz->questionCount = 0;
  return {true, message, caption};
}

}  // namespace

bool ReadField(TextCursor* cursor, char* destination, size_t capacity) {
  return CopyField(cursor, destination, capacity, [](unsigned char b) { return b; });
}

bool ReadFoldedField(TextCursor* cursor, char* destination, size_t capacity) {
  return CopyField(cursor, destination, capacity,
                   [](unsigned char b) { return FoldByte(UpcaseByte(b)); });
}

bool ParseBlockText(int block, const unsigned char* text, size_t size, QuizData* quiz) {
  TextCursor cursor = {text, size, 0};
  return kBlockParsers[block](&cursor, quiz);
}

LoadOutcome LoadQuiz(QuizData* quiz, const QuizBlocks& blocks) {
  // One key position for the three blocks: it moves only for a block that
  // had to be descrambled.
  int keyPosition = 0;
  std::vector<unsigned char> text;
  for (int b = 0; b < kQuizBlockCount; ++b) {
    const BlockStatus status = DecodeBlock(blocks.data[b], blocks.size[b], &keyPosition, &text);
    if (status == BlockStatus::kNoMemory) return Fail(quiz, kNoMemoryMessage, kNoMemoryCaption);
    if (status != BlockStatus::kOk || !ParseBlockText(b, text.data(), text.size(), quiz)) {
      return Fail(quiz, kDecodeErrorMessage, kDecodeErrorCaption);
    }
  }
  return {false, nullptr, nullptr};
}

int ExtraFieldCount(int kind) {
  switch (kind) {
    case 1:
    case 2:
    case 4:
    case 7:
    case 8:
      return 1;
    case 3:
    case 6:
    case 9:
      return 2;
    default:
      return 0;
  }
}

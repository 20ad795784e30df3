#include "quiz/quiz_loader.h"

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "quiz/answer_fold.h"
#include "quiz/block_decoder.h"
#include "quiz/quiz_model.h"
#include "quiz/quiz_text.h"

const char kDecodeErrorMessage[] =
    "Erreur dans le d\xE9"
    "chiffrage";
const char kDecodeErrorCaption[] = "Tevra";
const char kNoMemoryMessage[] = "Impossible d'allouer la memoire";
const char kNoMemoryCaption[] = "information";

namespace {

enum class BlockStatus { kOk, kUndecodable, kNoMemory };

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

// What the record holds of the stored text, so that the fields a cut text
// never reaches keep their values.
DecodedQuiz ModelOf(const QuizData& quiz) {
  DecodedQuiz model;
  model.link = quiz.linkText;
  model.footer = quiz.footerText;
  model.displayMode = quiz.displayMode;
  model.questionCount = quiz.questionCount;
  model.answersPerQuestion = quiz.answersPerQuestion;
  model.title = quiz.title;
  model.author = quiz.author;
  model.subtitle = quiz.subtitle;
  model.answerCaption1 = quiz.answerCaption1;
  model.answerCaption2 = quiz.answerCaption2;
  model.kind = quiz.questionKind;
  model.red = static_cast<uint8_t>(quiz.panelRed);
  model.green = static_cast<uint8_t>(quiz.panelGreen);
  model.blue = static_cast<uint8_t>(quiz.panelBlue);
  return model;
}

void Fold(const std::string& plain, char (&folded)[kTextSize]) {
  CopyText(folded, sizeof(folded), plain.c_str());
  FoldAnswer(folded);
}

bool ApplyBuiltinText(const unsigned char* text, size_t size, QuizData* quiz) {
  DecodedQuiz model = ModelOf(*quiz);
  const QuizTextFault fault = ReadBuiltinText(text, size, &model);
  CopyText(quiz->linkText, sizeof(quiz->linkText), model.link.c_str());
  CopyText(quiz->footerText, sizeof(quiz->footerText), model.footer.c_str());
  return fault == QuizTextFault::kNone;
}

bool ApplyQuizText(const unsigned char* text, size_t size, QuizData* quiz) {
  DecodedQuiz model = ModelOf(*quiz);
  const QuizTextFault fault = ReadQuizText(text, size, &model);
  // The record holds 96 questions: a quiz of more is refused, not cut, since
  // its codes and extra texts could not be matched up with what is kept.
  if (model.questionCount > kMaxQuestions) return false;
  quiz->displayMode = model.displayMode;
  quiz->questionCount = model.questionCount;
  quiz->answersPerQuestion = model.answersPerQuestion;
  CopyText(quiz->title, sizeof(quiz->title), model.title.c_str());
  CopyText(quiz->author, sizeof(quiz->author), model.author.c_str());
  CopyText(quiz->subtitle, sizeof(quiz->subtitle), model.subtitle.c_str());
  CopyText(quiz->answerCaption1, sizeof(quiz->answerCaption1), model.answerCaption1.c_str());
  CopyText(quiz->answerCaption2, sizeof(quiz->answerCaption2), model.answerCaption2.c_str());
  for (const DecodedQuestion& question : model.questions) {
    char answer1[kTextSize];
    char answer2[kTextSize];
    Fold(question.answer1, answer1);
    Fold(question.answer2, answer2);
    Question* added = AppendQuestion(quiz, answer1, answer2, question.text.c_str());
    CopyText(added->extraText, sizeof(added->extraText), question.extra.c_str());
  }
  quiz->questionKind = model.kind;
  quiz->panelRed = model.red;
  quiz->panelGreen = model.green;
  quiz->panelBlue = model.blue;
  return fault == QuizTextFault::kNone;
}

// Lines missing at the end of the text read as empty, and a line longer than
// its buffer is cut.
bool ApplyCodesText(const unsigned char* text, size_t size, QuizData* quiz) {
  DecodedQuiz model = ModelOf(*quiz);
  ReadCodesText(text, size, &model);
  for (size_t i = 0; i < model.codes.size() && i < std::size(quiz->codes); ++i) {
    CopyText(quiz->codes[i], sizeof(quiz->codes[i]), model.codes[i].c_str());
  }
  return true;
}

// The readers of the blocks, in load order.
bool (*const kBlockReaders[kQuizBlockCount])(const unsigned char*, size_t, QuizData*) = {
    ApplyBuiltinText, ApplyQuizText, ApplyCodesText};

LoadOutcome Fail(QuizData* quiz, const char* message, const char* caption) {
  quiz->questionCount = 0;
  return {true, message, caption};
}

}  // namespace

bool ParseBlockText(int block, const unsigned char* text, size_t size, QuizData* quiz) {
  return kBlockReaders[block](text, size, quiz);
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

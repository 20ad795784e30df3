// The parsers of the decoded block texts on any bytes. The first byte picks
// the block; the reward codes are read for the most questions a quiz holds.
// Whatever a quiz block sets, its answer fields get distinct ids below the
// feedback labels', each leading back to its own question and box.
// The quiz text reader's model of the same bytes, written and read again,
// must give the same text back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "panel/panel_layout.h"
#include "quiz/answer_boxes.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "quiz/quiz_text.h"

namespace {

// Every text field must stay terminated within its buffer.
void CheckTerminated(const char* text, size_t size) {
  if (!std::memchr(text, '\0', size)) std::abort();
}

void CheckAnswerFields(const QuizData& quiz) {
  const int fields = AnswerFieldCount(quiz);
  if (fields > 2 * kMaxQuestions) std::abort();
  for (int index = 0; index < QuestionsWithRows(quiz); ++index) {
    for (int box = 1; box <= FieldsPerQuestion(quiz); ++box) {
      const int id = AnswerFieldId(quiz, index, box);
      if (id <= kAnswerFieldBaseId || id >= kFeedbackLabelBaseId) std::abort();
      const AnswerOwner owner = LocateAnswerField(quiz, id);
      if (owner.questionIndex != index || owner.box != box) std::abort();
    }
  }
  if (LocateAnswerField(quiz, kAnswerFieldBaseId + fields + 1).questionIndex != -1) std::abort();
  if (StoredAnswerCount(quiz) > 2 * kMaxQuestions) std::abort();
}

// Reads a block's text into a model; false when it breaks the layout.
bool ReadBlock(int block, const uint8_t* text, size_t size, DecodedQuiz* model) {
  if (block == 0) return ReadBuiltinText(text, size, model) == QuizTextFault::kNone;
  if (block == 1) return ReadQuizText(text, size, model) == QuizTextFault::kNone;
  ReadCodesText(text, size, model);
  return true;
}

const std::string& TextOf(int block, const QuizTexts& texts) {
  return block == 0 ? texts.builtin : block == 1 ? texts.quiz : texts.codes;
}

void CheckRoundTrip(int block, const uint8_t* text, size_t size) {
  DecodedQuiz model;
  model.questionCount = kMaxQuestions;
  if (!ReadBlock(block, text, size, &model)) return;
  const std::string written = TextOf(block, WriteQuizTexts(model));
  DecodedQuiz again;
  again.questionCount = model.questionCount;
  if (!ReadBlock(block, reinterpret_cast<const uint8_t*>(written.data()), written.size(), &again) ||
      TextOf(block, WriteQuizTexts(again)) != written) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static QuizData quiz;
  InitQuizData(&quiz);
  const int block = data[0] % kQuizBlockCount;
  if (block == 2) quiz.questionCount = kMaxQuestions;
  ParseBlockText(block, data + 1, size - 1, &quiz);
  if (quiz.questionCount > kMaxQuestions) std::abort();
  CheckAnswerFields(quiz);
  CheckTerminated(quiz.title, sizeof(quiz.title));
  CheckTerminated(quiz.linkText, sizeof(quiz.linkText));
  CheckTerminated(quiz.footerText, sizeof(quiz.footerText));
  for (const Question* q = quiz.firstQuestion; q; q = q->next) {
    CheckTerminated(q->answer1, sizeof(q->answer1));
    CheckTerminated(q->extraText, sizeof(q->extraText));
  }
  for (const auto& code : quiz.codes) CheckTerminated(code, sizeof(code));
  DestroyQuizData(&quiz);
  CheckRoundTrip(block, data + 1, size - 1);
  return 0;
}

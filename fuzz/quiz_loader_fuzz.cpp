// The parsers of the decoded block texts on any bytes. The first byte picks
// the block; the reward codes are read for the most questions a quiz holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"

namespace {

// Every text field must stay terminated within its buffer.
void CheckTerminated(const char* text, size_t size) {
  if (!std::memchr(text, '\0', size)) std::abort();
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
  CheckTerminated(quiz.title, sizeof(quiz.title));
  CheckTerminated(quiz.linkText, sizeof(quiz.linkText));
  CheckTerminated(quiz.footerText, sizeof(quiz.footerText));
  for (const Question* q = quiz.firstQuestion; q; q = q->next) {
    CheckTerminated(q->answer1, sizeof(q->answer1));
    CheckTerminated(q->extraText, sizeof(q->extraText));
  }
  for (const auto& code : quiz.codes) CheckTerminated(code, sizeof(code));
  DestroyQuizData(&quiz);
  return 0;
}

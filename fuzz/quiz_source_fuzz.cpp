// The quiz.toml reader on any bytes. A refused source always says why; an
// accepted one either encodes into blocks that the player loads back with the
// same texts (less the extra texts its display and kind never show, which are
// stored empty), or is refused by the encoder with a reason.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_kinds.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "tools/quiz_blocks.h"
#include "tools/quiz_source.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckLoadsBack(const QuizSource& source, const StoredQuiz& stored) {
  static QuizData quiz;  // about 30 KB: kept off the stack
  InitQuizData(&quiz);
  const QuizBlocks blocks = {{stored.builtin.data(), stored.quiz.data(), stored.codes.data()},
                             {stored.builtin.size(), stored.quiz.size(), stored.codes.size()}};
  Require(!LoadQuiz(&quiz, blocks).failed);
  Require(source.title == quiz.title && source.link == quiz.linkText &&
          source.footer == quiz.footerText);
  Require(quiz.questionCount == static_cast<int>(source.questions.size()));
  const bool extraStored = ExtraTextUse(source.displayMode, source.kind) != FieldUse::kUnused;
  for (int i = 0; i < quiz.questionCount; ++i) {
    const Question& question = *QuestionAt(quiz, i);
    Require(source.questions[i].text == question.questionText);
    Require((extraStored ? source.questions[i].extra : "") == question.extraText);
    Require(source.codes[i] == quiz.codes[i]);
  }
  DestroyQuizData(&quiz);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view toml(reinterpret_cast<const char*>(data), size);
  QuizSource source;
  std::vector<Finding> errors;
  if (!ParseQuizSource(toml, "fuzz.toml", &source, &errors)) {
    Require(!errors.empty());
    // Every finding has its wording, whatever its values.
    for (const FindingLine& line : FormatFindings(errors, "fuzz.toml")) Require(!line.text.empty());
    return 0;
  }
  StoredQuiz stored;
  std::string error;
  if (!BuildStoredQuiz(source, &stored, &error)) {
    Require(!error.empty());
    return 0;
  }
  CheckLoadsBack(source, stored);
  return 0;
}

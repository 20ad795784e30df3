// The verdict on any pair of byte strings, of any length: the input is split
// at its first NUL into the accepted and the typed answer. Every word must
// come from the vocabulary, an answer typed exactly must be "BRAVO", and
// folded texts must get the word their upper-cased forms get; the
// bit-parallel distance must agree with the plain table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "answers/compare.h"
#include "answers/verdict.h"
#include "quiz/answer_fold.h"

namespace {

bool InVocabulary(const char* word) {
  for (const char* known : kFeedbackWords) {
    if (word == known) return true;
  }
  return false;
}

const char* Judge(std::string expected, std::string typed, void (*prepare)(char*)) {
  prepare(expected.data());
  prepare(typed.data());
  return JudgeAnswer(expected.c_str(), typed.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const size_t split = std::find(bytes, bytes + size, '\0') - bytes;
  const std::string expected(bytes, split);
  const std::string typed = split < size ? std::string(bytes + split + 1, size - split - 1) : "";

  const char* word = JudgeAnswer(expected.c_str(), typed.c_str());
  if (!InVocabulary(word)) std::abort();
  if (!expected.empty() && JudgeAnswer(expected.c_str(), expected.c_str()) != kWordBravo) {
    std::abort();
  }
  if (Judge(expected, typed, FoldAnswer) != Judge(expected, typed, UpcaseAnswer)) std::abort();
  if (EditDistance(expected.c_str(), typed.c_str()) !=
      EditDistanceByRows(expected.c_str(), typed.c_str())) {
    std::abort();
  }
  return 0;
}

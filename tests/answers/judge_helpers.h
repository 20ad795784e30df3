// The player's preparation of both texts before a verdict, for the tests.
#pragma once

#include <string>

#include "answers/compare.h"
#include "answers/verdict.h"
#include "quiz/answer_fold.h"

// The accepted answer is folded as the quiz loader holds it; the typed one is
// trimmed and folded as the answer check prepares it.
inline std::string JudgeAsPlayer(std::string expected, std::string typed) {
  FoldAnswer(expected.data());
  TrimSpaces(typed.data());
  FoldAnswer(typed.data());
  return JudgeAnswer(expected.c_str(), typed.c_str());
}

// The same pair judged on upper-cased plain texts instead of folded ones.
inline std::string JudgeUpcased(std::string expected, std::string typed) {
  UpcaseAnswer(expected.data());
  TrimSpaces(typed.data());
  UpcaseAnswer(typed.data());
  return JudgeAnswer(expected.c_str(), typed.c_str());
}

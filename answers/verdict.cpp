#include "answers/verdict.h"

#include <algorithm>
#include <cstring>

#include "answers/compare.h"

namespace {

// Accepted answers this short get no partial credit.
constexpr int kLongestShortAnswer = 3;
// Parts of the answer earn a hint only when the answer has at least this many bytes.
constexpr int kShortestAnswerForParts = 10;
constexpr int kTropCourtPercent = 80;
constexpr int kPasLoinPercent = 75;
constexpr int kTropLongMostExtra = 10;
constexpr int kPasLoinMostExtra = 20;
constexpr int kIdeePercent = 80;
constexpr int kPercent = 100;

bool SameBytes(const char* a, int len_a, const char* b, int len_b) {
  return len_a == len_b && std::memcmp(a, b, len_a) == 0;
}

bool SameAnagramKey(const char* a, const char* b, int length) {
  char key_a[kTextSize];
  char key_b[kTextSize];
  std::memcpy(key_a, a, length);
  std::memcpy(key_b, b, length);
  key_a[length] = '\0';
  key_b[length] = '\0';
  SortBytes(key_a);
  SortBytes(key_b);
  return std::memcmp(key_a, key_b, length) == 0;
}

// The typed answer is a part of the accepted one. The percentages compare in
// integers: 100 * a / b > p exactly when 100 * a > p * b.
const char* JudgeShorterPart(int len_e, int len_t) {
  if (len_e < kShortestAnswerForParts) return kWordFaux;
  if (kPercent * len_t > kTropCourtPercent * len_e) return kWordTropCourt;
  if (kPercent * len_t > kPasLoinPercent * len_e) return kWordPasLoin;
  return kWordFaux;
}

const char* JudgeLongerWhole(int len_e, int len_t) {
  const int extra = len_t - len_e;
  if (extra > kPasLoinMostExtra) return kWordFaux;
  if (extra > kTropLongMostExtra) return kWordPasLoin;
  return kWordTropLong;
}

const char* JudgeLikeness(int len_e, int len_t, int distance) {
  const int longer = std::max(len_e, len_t);
  return kPercent * (longer - distance) > kIdeePercent * longer ? kWordIdee : kWordFaux;
}

}  // namespace

const char* JudgeAnswer(const char* expected, const char* typed) {
  const int len_e = CappedLength(expected);
  const int len_t = CappedLength(typed);
  if (len_t == 0) return kWordEmpty;
  // Equal texts are exactly those at distance 0: the table is not needed for them.
  if (SameBytes(expected, len_e, typed, len_t)) return kWordBravo;
  if (len_e <= kLongestShortAnswer) return kWordFaux;
  const int distance = EditDistance(expected, typed);
  // Before the distance hints: two neighbouring letters exchanged (distance 2)
  // are an anagram, not "Presque".
  if (len_t == len_e && SameAnagramKey(expected, typed, len_e)) return kWordAnagramme;
  if (distance == 1) return kWordQuasiment;
  if (distance == 2) return kWordPresque;
  switch (FindContainment(expected, typed)) {
    case kTypedInsideExpected:
      return JudgeShorterPart(len_e, len_t);
    case kTypedContainsExpected:
      return JudgeLongerWhole(len_e, len_t);
    default:
      return JudgeLikeness(len_e, len_t, distance);
  }
}

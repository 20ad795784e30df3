#include "tools/judge_text.h"

#include <cstring>

#include "answers/compare.h"
#include "answers/verdict.h"
#include "quiz/answer_fold.h"
#include "tools/codepage.h"

namespace {

// Converts one given text to what the player holds; on failure *error names
// the text (its role) and the reason.
bool ToPlayerText(std::string_view utf8, const char* role, char (&text)[kTextSize],
                  std::string* error) {
  std::string bytes, reason;
  if (!Utf8ToCp1252(utf8, &bytes, &reason)) {
    *error = std::string(role) + " text: " + reason;
    return false;
  }
  if (bytes.size() > static_cast<size_t>(kMaxTextLength)) {
    *error = std::string(role) + " text: longer than " + std::to_string(kMaxTextLength) +
             " bytes in code page 1252";
    return false;
  }
  std::memcpy(text, bytes.data(), bytes.size());
  text[bytes.size()] = '\0';
  return true;
}

}  // namespace

// The player's own preparation: the accepted answer is folded as loaded, the
// typed one trimmed, then folded.
bool JudgeUtf8(std::string_view expected_utf8, std::string_view typed_utf8, const char** word,
               std::string* error) {
  char expected[kTextSize];
  char typed[kTextSize];
  if (!ToPlayerText(expected_utf8, "expected", expected, error)) return false;
  if (!ToPlayerText(typed_utf8, "typed", typed, error)) return false;
  FoldAnswer(expected);
  TrimSpaces(typed);
  FoldAnswer(typed);
  *word = JudgeAnswer(expected, typed);
  return true;
}

// tevra-pack judge: the feedback word a player would get for a typed answer,
// so that an author can try answers before building the quiz.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "answers/compare.h"
#include "answers/verdict.h"
#include "quiz/answer_fold.h"
#include "tools/codepage.h"
#include "tools/commands.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack judge EXPECTED TYPED\n"
    "       tevra-pack judge --batch < PAIRS\n"
    "Prints the feedback word a player gets for TYPED when the accepted answer is\n"
    "EXPECTED. Both are UTF-8 and must fit code page 1252 in at most 259 bytes;\n"
    "TYPED is trimmed of outer spaces and both are compared regardless of case,\n"
    "as the player does.\n"
    "With --batch, each line of standard input is EXPECTED<TAB>TYPED and gets\n"
    "one line of output, in order: the word, or 'error: REASON'. The exit status\n"
    "is 1 when any line was an error.\n";

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

// The player's own preparation: the accepted answer is folded as loaded, the
// typed one trimmed, then folded.
bool JudgeUtf8(std::string_view expected_utf8, std::string_view typed_utf8, std::string* word,
               std::string* error) {
  char expected[kTextSize];
  char typed[kTextSize];
  if (!ToPlayerText(expected_utf8, "expected", expected, error)) return false;
  if (!ToPlayerText(typed_utf8, "typed", typed, error)) return false;
  FoldAnswer(expected);
  TrimSpaces(typed);
  FoldAnswer(typed);
  *word = Cp1252ToUtf8(JudgeAnswer(expected, typed));
  return true;
}

// Judges one EXPECTED<TAB>TYPED line (its line feed and any carriage return
// already removed) into one output line.
bool JudgeLine(std::string_view line, std::string* out) {
  const size_t tab = line.find('\t');
  std::string error;
  if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) {
    error = "expected exactly one TAB between the expected and the typed text";
  } else if (JudgeUtf8(line.substr(0, tab), line.substr(tab + 1), out, &error)) {
    return true;
  }
  *out = "error: " + error;
  return false;
}

int RunBatch() {
  int status = kExitOk;
  std::string line, out;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!JudgeLine(line, &out)) status = kExitInputError;
    std::cout << out << '\n';
  }
  std::cout.flush();
  return status;
}

}  // namespace

int RunJudge(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (argc == 1 && std::strcmp(argv[0], "--batch") == 0) return RunBatch();
  if (argc != 2) {
    std::fputs(kUsage, stderr);
    return kExitUsageError;
  }
  std::string word, error;
  if (!JudgeUtf8(argv[0], argv[1], &word, &error)) {
    std::fprintf(stderr, "tevra-pack judge: %s\n", error.c_str());
    return kExitInputError;
  }
  std::printf("%s\n", word.c_str());
  return kExitOk;
}

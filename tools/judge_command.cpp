// tevra-pack judge: the feedback word a player would get for a typed answer,
// so that an author can try answers before building the quiz.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/codepage.h"
#include "tools/commands.h"
#include "tools/judge_text.h"

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

// The word as UTF-8, for the terminal.
bool JudgeToUtf8(std::string_view expected, std::string_view typed, std::string* word,
                 std::string* error) {
  const char* cp1252 = nullptr;
  if (!JudgeUtf8(expected, typed, &cp1252, error)) return false;
  *word = Cp1252ToUtf8(cp1252);
  return true;
}

// Judges one EXPECTED<TAB>TYPED line (its line feed and any carriage return
// already removed) into one output line.
bool JudgeLine(std::string_view line, std::string* out) {
  const size_t tab = line.find('\t');
  std::string error;
  if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) {
    error = "expected exactly one TAB between the expected and the typed text";
  } else if (JudgeToUtf8(line.substr(0, tab), line.substr(tab + 1), out, &error)) {
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
    PrintText(stdout, out + "\n");
  }
  return status;
}

}  // namespace

int RunJudge(int argc, char** argv) {
  if (argc == 1 && std::strcmp(argv[0], "--help") == 0) {
    PrintText(stdout, kUsage);
    return kExitOk;
  }
  if (argc == 1 && std::strcmp(argv[0], "--batch") == 0) return RunBatch();
  if (argc != 2) {
    PrintText(stderr, kUsage);
    return kExitUsageError;
  }
  std::string word, error;
  if (!JudgeToUtf8(argv[0], argv[1], &word, &error)) {
    Print(stderr, "tevra-pack judge: %s\n", error.c_str());
    return kExitInputError;
  }
  Print(stdout, "%s\n", word.c_str());
  return kExitOk;
}

// tevra-pack check: reads a quiz.toml and reports its errors and the warnings
// an author should see before giving the quiz to players.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/quiz_check.h"
#include "tools/quiz_source.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack check QUIZ.toml\n"
    "Reads QUIZ.toml with its pictures and media files and lists, with the\n"
    "question number and the field, every error (what 'build' refuses) and every\n"
    "warning: answers that can't get hints or are hard to type, answers shared by\n"
    "two questions, missing codes, fields the display and kind never show (not\n"
    "stored) or need, oversized pictures. Exit status 0 when there are no errors,\n"
    "1 otherwise.\n";

}  // namespace

int RunCheck(int argc, char** argv) {
  std::string input;
  const int parsed = ParseInputArg(argc, argv, kUsage, &input);
  if (parsed != kArgsReady) return parsed;
  QuizSource source;
  std::vector<QuizFinding> findings;
  const bool ok = CheckQuizFolder(input, &source, &findings);
  size_t errors = 0;
  for (const QuizFinding& finding : findings) {
    std::fprintf(finding.error ? stderr : stdout, "%s\n", finding.text.c_str());
    errors += finding.error ? 1 : 0;
  }
  std::printf("%s: %zu errors, %zu warnings\n", input.c_str(), errors, findings.size() - errors);
  return ok ? kExitOk : kExitInputError;
}

// tevra-pack check: reads a quiz.toml and reports its errors and the warnings
// an author should see before giving the quiz to players.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/quiz_check.h"
#include "tools/quiz_source.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack check QUIZ.toml|QUIZ-FOLDER [--quiet CODE[,CODE...]]\n"
    "Reads QUIZ.toml (a folder's quiz.toml) with its pictures and media files and\n"
    "lists, with the line, the question number and the field, every error (what\n"
    "'build' refuses) and every warning: answers that can't get hints or are\n"
    "hard to type, answers shared by two questions, missing codes, extra texts\n"
    "the kind won't show, oversized pictures, texts too wide for the place the\n"
    "player shows them in. Each warning ends with its code in brackets:\n"
    "--quiet CODE leaves out the warnings of that code, and accept = [\"CODE\"]\n"
    "in quiz.toml does the same for good. Exit status 0 when there are no\n"
    "errors, 1 otherwise.\n";

}  // namespace

int RunCheck(int argc, char** argv) {
  SourceArgs args;
  const int parsed = ParseSourceArgs(argc, argv, kUsage, {false, true, false}, &args);
  if (parsed != kArgsReady) return parsed;
  const std::string path = QuizTomlPath(args.input);
  QuizSource source;
  std::vector<Finding> findings;
  const bool ok = CheckQuizFolder(path, &source, &findings);
  const FindingCounts counts = PrintFindings(findings, path, args.quiet);
  Print(stdout, "%s: %s, %s\n", path.c_str(), Counted(counts.errors, "error").c_str(),
        Counted(counts.warnings, "warning").c_str());
  return ok ? kExitOk : kExitInputError;
}

// tevra-pack blocks: quiz.toml -> the three stored blocks as files.
#include <cstdio>
#include <string>

#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack blocks QUIZ.toml -o DIR\n"
    "Checks QUIZ.toml and writes the quiz's stored blocks: DIR/block0.bin (the\n"
    "built-in block, 70 bytes), DIR/block104.bin (the quiz) and DIR/block105.bin\n"
    "(the reward codes). On any fault in the quiz nothing is written.\n";

}  // namespace

int RunBlocks(int argc, char** argv) {
  SourceArgs args;
  QuizSource source;
  StoredQuiz stored;
  const int read = ReadSourceCommand(argc, argv, kUsage, &args, &source, &stored);
  if (read != kArgsReady) return read;
  std::string error;
  if (!WriteOutputFiles(BlockFiles(stored, args.output), &error)) {
    Print(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  return kExitOk;
}

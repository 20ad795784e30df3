// tevra-pack build: quiz.toml -> a finished, self-contained quiz executable,
// made from the player program this packer carries.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/player_image.h"
#include "tools/quiz_build.h"
#include "tools/quiz_check.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack build QUIZ.toml -o QUIZ.exe\n"
    "Checks QUIZ.toml as 'tevra-pack check' does and, when it has no errors,\n"
    "writes QUIZ.exe: the Tevra player carrying the quiz, its pictures and its\n"
    "media files. Needs nothing else installed. Warnings are shown but do not\n"
    "stop the build; on any error nothing is written.\n";

}  // namespace

int RunBuild(int argc, char** argv) {
  SourceArgs args;
  const int parsed = ParseSourceArgs(argc, argv, kUsage, &args);
  if (parsed != kArgsReady) return parsed;
  QuizSource source;
  std::vector<QuizFinding> findings;
  const bool checked = CheckQuizFolder(args.input, &source, &findings);
  for (const QuizFinding& finding : findings) {
    std::fprintf(finding.error ? stderr : stdout, "%s\n", finding.text.c_str());
  }
  if (!checked) return kExitInputError;
  if (kPlayerImageSize == 0) {
    std::fprintf(stderr,
                 "tevra-pack build: this tevra-pack was built without the player program "
                 "(MinGW-w64 was missing when it was built)\n");
    return kExitInputError;
  }
  StoredQuiz stored;
  std::string error, exe;
  if (!BuildStoredQuiz(source, &stored, &error)) {
    std::fprintf(stderr, "%s: %s\n", args.input.c_str(), error.c_str());
    return kExitInputError;
  }
  const std::string_view player(reinterpret_cast<const char*>(kPlayerImage), kPlayerImageSize);
  const auto read_file = [&](const std::string& path, std::string* bytes) {
    return ReadQuizFile(args.input, path, bytes);
  };
  const auto progress = [](const std::string& line) { std::printf("  %s\n", line.c_str()); };
  if (!BuildQuizImage(player, source, stored, read_file, progress, &exe, &error)) {
    std::fprintf(stderr, "%s: %s\n", args.input.c_str(), error.c_str());
    return kExitInputError;
  }
  if (!WriteOutputFiles({{args.output, exe}}, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  std::printf("%s: %zu questions, %zu bytes\n", args.output.c_str(), source.questions.size(),
              exe.size());
  return kExitOk;
}

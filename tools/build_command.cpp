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
    "usage: tevra-pack build QUIZ.toml|QUIZ-FOLDER -o QUIZ.exe|FOLDER/ [--quiet CODE[,CODE...]]\n"
    "Checks QUIZ.toml as 'tevra-pack check' does and, when it has no errors,\n"
    "writes QUIZ.exe: the Tevra player carrying the quiz, its pictures and its\n"
    "media files. Needs nothing else installed. '.exe' is added to a name\n"
    "without it; into a folder, the executable is named after the quiz's folder.\n"
    "Warnings are shown but do not stop the build; on any error nothing is\n"
    "written.\n";

}  // namespace

int RunBuild(int argc, char** argv) {
  SourceArgs args;
  const int parsed = ParseSourceArgs(argc, argv, kUsage, {true, true, false}, &args);
  if (parsed != kArgsReady) return parsed;
  const std::string input = QuizTomlPath(args.input);
  QuizSource source;
  std::vector<Finding> findings;
  const bool checked = CheckQuizFolder(input, &source, &findings);
  PrintFindings(findings, input, args.quiet);
  if (!checked) return kExitInputError;
  if (kPlayerImageSize == 0) {
    Print(stderr,
          "tevra-pack build: this tevra-pack was built without the player program "
          "(MinGW-w64 was missing when it was built)\n");
    return kExitInputError;
  }
  StoredQuiz stored;
  std::string error, exe;
  if (!BuildStoredQuiz(source, &stored, &error)) {
    Print(stderr, "%s: %s\n", input.c_str(), error.c_str());
    return kExitInputError;
  }
  const std::string_view player(reinterpret_cast<const char*>(kPlayerImage), kPlayerImageSize);
  const auto read_file = [&](const std::string& path, std::string* bytes, std::string* why) {
    return ReadQuizFile(input, path, bytes, why);
  };
  const auto progress = [](const std::string& line) { Print(stdout, "  %s\n", line.c_str()); };
  if (!BuildQuizImage(player, source, stored, read_file, progress, &exe, &error)) {
    Print(stderr, "%s: %s\n", input.c_str(), error.c_str());
    return kExitInputError;
  }
  bool added = false;
  const std::string output = ExecutablePath(input, args.output, &added);
  if (!WriteOutputFiles({{output, exe}}, &error)) {
    Print(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  Print(stdout, "%s: %s, %zu bytes%s\n", output.c_str(),
        Counted(source.questions.size(), "question").c_str(), exe.size(),
        added ? " ('.exe' added to the name given)" : "");
  return kExitOk;
}

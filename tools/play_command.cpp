// tevra-pack play: opens a quiz as a player would, building it first when its
// executable is missing or older than its sources.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/quiz_files.h"
#include "tools/quiz_launch.h"
#include "tools/quiz_source.h"
#include "tools/source_command.h"

namespace fs = std::filesystem;

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack play QUIZ.toml|DIR|QUIZ.exe\n"
    "Opens a quiz as a player would and waits until it is closed. A quiz.toml\n"
    "(or the quiz.toml of DIR) is first built into NAME.exe beside it, NAME being\n"
    "its folder's name, unless NAME.exe is newer than the quiz.toml and every\n"
    "file it names. The quiz runs in its own folder, so its answers are saved\n"
    "there (NAME.txt) and restored at the next start. On Linux it runs under\n"
    "Wine ('wine', else 'wine64').\n";
constexpr char kExeExtension[] = ".exe";

bool IsExe(const fs::path& path) {
  std::string extension = path.extension().u8string();
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return extension == kExeExtension;
}

bool NewerThan(const fs::path& file, fs::file_time_type time) {
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(file, error);
  return error || written > time;
}

// The executable is stale when it is missing or older than the quiz.toml or any
// file the quiz names. A quiz that cannot be read is built, to show its faults.
bool NeedsBuild(const fs::path& toml, const fs::path& exe) {
  std::error_code error;
  const fs::file_time_type built = fs::last_write_time(exe, error);
  if (error || NewerThan(toml, built)) return true;
  QuizSource source;
  std::vector<Finding> faults;
  if (!ReadQuizSource(toml.u8string(), &source, &faults)) return true;
  for (const QuizFile& file : ListQuizFiles(source)) {
    if (NewerThan(toml.parent_path() / fs::u8path(file.path), built)) return true;
  }
  return false;
}

// Builds the executable of the quiz.toml at toml when it is stale; the build's
// exit status, or kExitOk when the executable was up to date.
int BuildWhenNeeded(const fs::path& toml, const fs::path& exe) {
  if (!NeedsBuild(toml, exe)) {
    Print(stdout, "%s: up to date\n", exe.u8string().c_str());
    return kExitOk;
  }
  std::string input = toml.u8string(), output = exe.u8string();
  char output_flag[] = "-o";
  char* build_args[] = {input.data(), output_flag, output.data()};
  return RunBuild(3, build_args);
}

}  // namespace

int RunPlay(int argc, char** argv) {
  std::string given;
  const int parsed = ParseInputArg(argc, argv, kUsage, &given);
  if (parsed != kArgsReady) return parsed;
  std::error_code ignored;
  const fs::path input = fs::absolute(fs::u8path(QuizTomlPath(given)), ignored).lexically_normal();
  const fs::path folder = input.parent_path();
  fs::path exe = input;
  if (!IsExe(input)) {
    exe = folder / (folder.filename().u8string() + kExeExtension);
    if (const int built = BuildWhenNeeded(input, exe); built != kExitOk) return built;
  } else if (!fs::is_regular_file(exe, ignored)) {
    Print(stderr, "%s: cannot be read\n", given.c_str());
    return kExitInputError;
  }
  Print(stdout, "%s: playing; close the quiz to come back here\n", exe.u8string().c_str());
  std::fflush(stdout);
  int status = 0;
  std::string error;
  if (!RunQuizExecutable(exe.u8string(), folder.u8string(), &status, &error)) {
    Print(stderr, "%s: %s\n", exe.u8string().c_str(), error.c_str());
    return kExitInputError;
  }
  if (status != 0) {
    Print(stderr, "%s: ended with status %d\n", exe.u8string().c_str(), status);
    return kExitInputError;
  }
  return kExitOk;
}

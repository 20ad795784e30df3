// tevra-pack unpack: a quiz executable -> quiz.toml and its picture and media files.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/quiz_unpack.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack unpack QUIZ.exe -o DIR [--force]\n"
    "Takes a quiz executable apart: writes DIR/quiz.toml and, beside it, the\n"
    "question pictures and sound or video files, descrambled, named by question\n"
    "(picture01.png, answer01.jpg, media01.wav...). 'tevra-pack build\n"
    "DIR/quiz.toml' makes a quiz that plays the same. Files already in DIR are\n"
    "not replaced unless --force is given. A quiz that quiz.toml cannot express\n"
    "is refused, and on any fault nothing is written.\n";

// The first file that would be replaced, or "".
std::string FirstExisting(const std::vector<OutputFile>& files) {
  for (const OutputFile& file : files) {
    std::error_code ignored;
    if (std::filesystem::exists(NativePath(file.path), ignored)) return file.path;
  }
  return "";
}

}  // namespace

int RunUnpack(int argc, char** argv) {
  SourceArgs args;
  const int parsed = ParseSourceArgs(argc, argv, kUsage, {true, false, true}, &args);
  if (parsed != kArgsReady) return parsed;
  std::string exe, error, why;
  if (!ReadWholeFile(args.input, &exe, &why)) {
    Print(stderr, "%s: cannot be read (%s)\n", args.input.c_str(), why.c_str());
    return kExitInputError;
  }
  const std::filesystem::path folder = NativePath(args.output);
  const std::string source_path = (folder / kQuizTomlName).generic_u8string();
  UnpackedQuiz quiz;
  std::vector<OutputFile> files;
  if (!UnpackQuizFolder(exe, source_path, &quiz, &files, &error)) {
    Print(stderr, "%s: %s\n", args.input.c_str(), error.c_str());
    return kExitInputError;
  }
  for (OutputFile& file : files) file.path = (folder / NativePath(file.path)).generic_u8string();
  if (const std::string existing = FirstExisting(files); !existing.empty() && !args.force) {
    Print(stderr,
          "%s: already exists and would be replaced; nothing written (--force replaces "
          "the files of an earlier unpack)\n",
          existing.c_str());
    return kExitInputError;
  }
  Print(stdout, "%s: %s, writing %s to %s\n", args.input.c_str(),
        Counted(quiz.source.questions.size(), "question").c_str(),
        Counted(files.size(), "file").c_str(), args.output.c_str());
  if (!WriteOutputFiles(files, &error)) {
    Print(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  return kExitOk;
}

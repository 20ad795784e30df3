// tevra-pack unpack: a quiz executable -> quiz.toml and its picture and media files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/quiz_toml_writer.h"
#include "tools/quiz_unpack.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack unpack QUIZ.exe -o DIR\n"
    "Takes a quiz executable apart: writes DIR/quiz.toml and, beside it, the\n"
    "question pictures and sound or video files, descrambled, named by question\n"
    "(picture01.png, answer01.jpg, media01.wav...). 'tevra-pack build\n"
    "DIR/quiz.toml' makes a quiz that plays the same. A quiz that quiz.toml\n"
    "cannot express is refused, and on any fault nothing is written.\n";
constexpr char kSourceName[] = "quiz.toml";

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream text;
  text << file.rdbuf();
  *bytes = text.str();
  return !file.bad();
}

}  // namespace

int RunUnpack(int argc, char** argv) {
  SourceArgs args;
  const int parsed = ParseSourceArgs(argc, argv, kUsage, &args);
  if (parsed != kArgsReady) return parsed;
  std::string exe, error;
  if (!ReadWholeFile(args.input, &exe)) {
    std::fprintf(stderr, "%s: cannot be read\n", args.input.c_str());
    return kExitInputError;
  }
  UnpackedQuiz quiz;
  if (!UnpackQuiz(exe, &quiz, &error)) {
    std::fprintf(stderr, "%s: %s\n", args.input.c_str(), error.c_str());
    return kExitInputError;
  }
  const std::filesystem::path folder(args.output);
  const std::string source_path = (folder / kSourceName).string();
  const std::string toml = FormatQuizToml(quiz.source);
  // What the source format refuses (an overlong answer, a bar in a text) is
  // found here, before anything is written.
  QuizSource reread;
  std::vector<std::string> faults;
  if (!ParseQuizSource(toml, source_path, &reread, &faults)) {
    std::fprintf(stderr, "%s: the quiz cannot be written as quiz.toml:\n", args.input.c_str());
    for (const std::string& fault : faults) std::fprintf(stderr, "  %s\n", fault.c_str());
    return kExitInputError;
  }
  std::vector<OutputFile> files{{source_path, toml}};
  for (const OutputFile& file : quiz.files) {
    files.push_back({(folder / file.path).string(), file.bytes});
  }
  std::printf("%s: %zu questions, writing %zu files to %s\n", args.input.c_str(),
              quiz.source.questions.size(), files.size(), args.output.c_str());
  if (!WriteOutputFiles(files, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  return kExitOk;
}

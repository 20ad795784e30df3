#include "tools/source_command.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

std::string Bytes(const std::vector<unsigned char>& block) {
  return std::string(block.begin(), block.end());
}

}  // namespace

int ParseSourceArgs(int argc, char** argv, const char* usage, SourceArgs* args) {
  *args = {};
  bool has_output = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(usage, stdout);
      return kExitOk;
    }
    if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc && !has_output) {
      args->output = argv[++i];
      has_output = true;
    } else if (argv[i][0] != '-' && args->input.empty()) {
      args->input = argv[i];
    } else {
      std::fputs(usage, stderr);
      return kExitUsageError;
    }
  }
  if (args->input.empty() || !has_output || args->output.empty()) {
    std::fputs(usage, stderr);
    return kExitUsageError;
  }
  return kArgsReady;
}

int ParseInputArg(int argc, char** argv, const char* usage, std::string* input) {
  if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
    std::fputs(usage, stdout);
    return kExitOk;
  }
  if (argc != 1 || argv[0][0] == '-') {
    std::fputs(usage, stderr);
    return kExitUsageError;
  }
  *input = argv[0];
  return kArgsReady;
}

bool LoadStoredQuiz(const std::string& path, QuizSource* source, StoredQuiz* stored) {
  std::vector<std::string> errors;
  if (!ReadQuizSource(path, source, &errors)) {
    for (const std::string& error : errors) std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  std::string error;
  if (!BuildStoredQuiz(*source, stored, &error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

int ReadSourceCommand(int argc, char** argv, const char* usage, SourceArgs* args,
                      QuizSource* source, StoredQuiz* stored) {
  const int parsed = ParseSourceArgs(argc, argv, usage, args);
  if (parsed != kArgsReady) return parsed;
  return LoadStoredQuiz(args->input, source, stored) ? kArgsReady : kExitInputError;
}

std::vector<OutputFile> BlockFiles(const StoredQuiz& stored, const std::string& dir) {
  const std::filesystem::path folder(dir);
  return {{(folder / kBuiltinBlockFile).string(), Bytes(stored.builtin)},
          {(folder / kQuizBlockFile).string(), Bytes(stored.quiz)},
          {(folder / kCodesBlockFile).string(), Bytes(stored.codes)}};
}

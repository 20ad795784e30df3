#include "tools/source_command.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "tools/console.h"

namespace {

std::string Bytes(const std::vector<unsigned char>& block) {
  return std::string(block.begin(), block.end());
}

bool Is(const char* arg, const char* name) {
  return std::strcmp(arg, name) == 0;
}

// "accent,short-answer": every name must be the code of an acceptable finding.
bool ParseQuiet(std::string_view names, std::vector<FindingCode>* quiet) {
  while (!names.empty()) {
    const size_t comma = names.find(',');
    const std::string_view name = names.substr(0, comma);
    FindingCode code;
    if (!CodeNamed(name, &code) || !IsAcceptable(code)) {
      Print(stderr, "tevra-pack: '%.*s' is not the code of a warning; the codes are: %s\n",
            static_cast<int>(name.size()), name.data(), AcceptableCodeNames().c_str());
      return false;
    }
    quiet->push_back(code);
    names = comma == std::string_view::npos ? "" : names.substr(comma + 1);
  }
  return true;
}

}  // namespace

int ParseSourceArgs(int argc, char** argv, const char* usage, const SourceOptions& options,
                    SourceArgs* args) {
  *args = {};
  bool has_output = false;
  for (int i = 0; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    if (Is(argv[i], "--help") || Is(argv[i], "-h")) {
      PrintText(stdout, usage);
      return kExitOk;
    }
    if (options.output && Is(argv[i], "-o") && has_value && !has_output) {
      args->output = argv[++i];
      has_output = true;
    } else if (options.quiet && Is(argv[i], "--quiet") && has_value) {
      if (!ParseQuiet(argv[++i], &args->quiet)) return kExitUsageError;
    } else if (options.force && Is(argv[i], "--force")) {
      args->force = true;
    } else if (argv[i][0] != '-' && args->input.empty()) {
      args->input = argv[i];
    } else {
      PrintText(stderr, usage);
      return kExitUsageError;
    }
  }
  if (args->input.empty() || (options.output && (!has_output || args->output.empty()))) {
    PrintText(stderr, usage);
    return kExitUsageError;
  }
  return kArgsReady;
}

int ParseInputArg(int argc, char** argv, const char* usage, std::string* input) {
  if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
    PrintText(stdout, usage);
    return kExitOk;
  }
  if (argc != 1 || argv[0][0] == '-') {
    PrintText(stderr, usage);
    return kExitUsageError;
  }
  *input = argv[0];
  return kArgsReady;
}

FindingCounts PrintFindings(const std::vector<Finding>& findings, const std::string& file,
                            const std::vector<FindingCode>& quiet) {
  std::vector<Finding> shown;
  for (const Finding& finding : findings) {
    if (std::find(quiet.begin(), quiet.end(), finding.code) == quiet.end()) {
      shown.push_back(finding);
    }
  }
  FindingCounts counts;
  for (const Finding& finding : shown) {
    ++(SeverityOf(finding.code) == Severity::kError ? counts.errors : counts.warnings);
  }
  for (const FindingLine& line : FormatFindings(shown, file)) {
    Print(line.severity == Severity::kError ? stderr : stdout, "%s\n", line.text.c_str());
  }
  return counts;
}

bool LoadStoredQuiz(const std::string& path, QuizSource* source, StoredQuiz* stored) {
  std::vector<Finding> errors;
  if (!ReadQuizSource(path, source, &errors)) {
    PrintFindings(errors, path, {});
    return false;
  }
  std::string error;
  if (!BuildStoredQuiz(*source, stored, &error)) {
    Print(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  return true;
}

int ReadSourceCommand(int argc, char** argv, const char* usage, SourceArgs* args,
                      QuizSource* source, StoredQuiz* stored) {
  const int parsed = ParseSourceArgs(argc, argv, usage, {true, false, false}, args);
  if (parsed != kArgsReady) return parsed;
  args->input = QuizTomlPath(args->input);
  return LoadStoredQuiz(args->input, source, stored) ? kArgsReady : kExitInputError;
}

std::vector<OutputFile> BlockFiles(const StoredQuiz& stored, const std::string& dir) {
  const std::filesystem::path folder = NativePath(dir);
  return {{(folder / kBuiltinBlockFile).generic_u8string(), Bytes(stored.builtin)},
          {(folder / kQuizBlockFile).generic_u8string(), Bytes(stored.quiz)},
          {(folder / kCodesBlockFile).generic_u8string(), Bytes(stored.codes)}};
}

std::string ExecutablePath(const std::string& toml_path, const std::string& output, bool* added) {
  constexpr std::string_view kExtension = ".exe";
  *added = false;
  std::error_code ignored;
  const std::filesystem::path out = NativePath(output);
  const bool folder = !out.has_filename() || std::filesystem::is_directory(out, ignored);
  if (folder) {
    const std::filesystem::path quiz_folder =
        std::filesystem::absolute(NativePath(toml_path), ignored).parent_path();
    return (out / quiz_folder.filename()).generic_u8string() + std::string(kExtension);
  }
  std::string extension = out.extension().generic_u8string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == kExtension) return output;
  *added = true;
  return output + std::string(kExtension);
}

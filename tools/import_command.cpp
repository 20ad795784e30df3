// tevra-pack import: questions from a spreadsheet's CSV export into a
// quiz.toml that the author then completes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "quiz/quiz_kinds.h"
#include "tools/commands.h"
#include "tools/csv_table.h"
#include "tools/output_files.h"
#include "tools/quiz_import.h"
#include "tools/quiz_source.h"
#include "tools/source_command.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack import QUESTIONS.csv -o DIR [--display text|pictures|audio|video]\n"
    "                         [--kind N] [--title TEXT] [--force]\n"
    "Reads a spreadsheet saved as CSV (UTF-8 or Windows-1252, cells separated by\n"
    "commas or semicolons) whose first row names its columns among: question,\n"
    "answer, answer2, extra, picture, media, code. Only answer is needed (and\n"
    "question in a text list). Writes DIR/quiz.toml with one question per row: a\n"
    "text list of kind 0 unless --display or --kind say otherwise; two answers\n"
    "per question when any row fills answer2 (a row without one gets \"-\", which\n"
    "hides its second box); the code of row n shown at score n. Picture and media\n"
    "paths are relative to DIR. The title is the file's name unless --title\n"
    "gives one. An existing DIR/quiz.toml is kept unless --force is given. A bad\n"
    "row is reported with its line, and nothing is written.\n";

struct ImportArgs {
  std::string csv;
  std::string output;
  ImportSettings settings;
  bool titled = false;
  bool force = false;
};

bool ParseKind(const char* text, int* kind) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < 0 || value > 255) return false;
  *kind = static_cast<int>(value);
  return true;
}

// True when the arguments are complete; *status is then unused.
bool ParseImportArgs(int argc, char** argv, ImportArgs* args, int* status) {
  *status = kExitUsageError;
  for (int i = 0; i < argc; ++i) {
    const char* arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      *status = kExitOk;
      return false;
    } else if (std::strcmp(arg, "--force") == 0) {
      args->force = true;
    } else if (std::strcmp(arg, "-o") == 0 && value) {
      args->output = argv[++i];
    } else if (std::strcmp(arg, "--title") == 0 && value) {
      args->settings.title = argv[++i];
      args->titled = true;
    } else if (std::strcmp(arg, "--display") == 0 && value) {
      args->settings.displayMode = DisplayModeNamed(argv[++i]);
      if (args->settings.displayMode < 0) return false;
    } else if (std::strcmp(arg, "--kind") == 0 && value) {
      if (!ParseKind(argv[++i], &args->settings.kind)) return false;
    } else if (arg[0] != '-' && args->csv.empty()) {
      args->csv = arg;
    } else {
      return false;
    }
  }
  return !args->csv.empty() && !args->output.empty();
}

}  // namespace

int RunImport(int argc, char** argv) {
  ImportArgs args;
  int status = kExitOk;
  if (!ParseImportArgs(argc, argv, &args, &status)) {
    PrintText(status == kExitOk ? stdout : stderr, kUsage);
    return status;
  }
  if (!args.titled) args.settings.title = std::filesystem::u8path(args.csv).stem().u8string();
  const std::string target = (std::filesystem::u8path(args.output) / kQuizTomlName).u8string();
  std::error_code ignored;
  if (!args.force && std::filesystem::exists(NativePath(target), ignored)) {
    Print(stderr, "%s: already exists; --force replaces it\n", target.c_str());
    return kExitInputError;
  }
  std::string bytes, error;
  std::vector<CsvRow> rows;
  if (!ReadWholeFile(args.csv, &bytes, &error)) {
    Print(stderr, "%s: cannot be read (%s)\n", args.csv.c_str(), error.c_str());
    return kExitInputError;
  }
  if (!ParseCsv(bytes, &rows, &error)) {
    Print(stderr, "%s: %s\n", args.csv.c_str(), error.c_str());
    return kExitInputError;
  }
  ImportedQuiz quiz;
  std::vector<std::string> errors;
  if (!ImportQuiz(rows, args.csv, args.settings, &quiz, &errors)) {
    for (const std::string& line : errors) Print(stderr, "%s\n", line.c_str());
    return kExitInputError;
  }
  if (!WriteOutputFiles({{target, quiz.toml}}, &error)) {
    Print(stderr, "%s\n", error.c_str());
    return kExitInputError;
  }
  Print(stdout, "%s: %zu question%s from %s; complete it, then: tevra-pack check %s\n",
        target.c_str(), quiz.questions, quiz.questions == 1 ? "" : "s", args.csv.c_str(),
        target.c_str());
  return kExitOk;
}

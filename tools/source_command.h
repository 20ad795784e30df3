// What the commands that read a quiz.toml share: their arguments and the
// reading and encoding of the quiz, with the author's findings on the console.
#pragma once

#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/findings.h"
#include "tools/output_files.h"
#include "tools/quiz_blocks.h"
#include "tools/quiz_source.h"

// The block files, named by the load order's resource identifiers.
constexpr char kBuiltinBlockFile[] = "block0.bin";
constexpr char kQuizBlockFile[] = "block104.bin";
constexpr char kCodesBlockFile[] = "block105.bin";

// The options a command takes besides its input.
struct SourceOptions {
  bool output;  // "-o OUTPUT", required
  bool quiet;   // "--quiet CODE[,CODE...]", any number of times
  bool force;   // "--force"
};

struct SourceArgs {
  std::string input;  // a quiz folder is named by its quiz.toml
  std::string output;
  std::vector<FindingCode> quiet;
  bool force = false;
};

// What ParseSourceArgs returns when the command is to go on with its work.
constexpr int kArgsReady = -1;

// Reads "INPUT" and the options. Returns kArgsReady, or the exit status the
// command ends with: kExitOk after printing the usage for "--help",
// kExitUsageError after printing it on stderr for anything else.
int ParseSourceArgs(int argc, char** argv, const char* usage, const SourceOptions& options,
                    SourceArgs* args);

// Prints findings, errors on stderr and warnings on stdout, less those quieted.
// Returns how many errors and warnings were printed.
struct FindingCounts {
  size_t errors = 0;
  size_t warnings = 0;
};
FindingCounts PrintFindings(const std::vector<Finding>& findings, const std::string& file,
                            const std::vector<FindingCode>& quiet);

// Reads a command's one argument, its input, the same way: kArgsReady with
// *input set, or the exit status the command ends with.
int ParseInputArg(int argc, char** argv, const char* usage, std::string* input);

// Reads and checks the quiz.toml at path and encodes its blocks. False, after
// printing every fault on stderr, when the source or a block is refused.
bool LoadStoredQuiz(const std::string& path, QuizSource* source, StoredQuiz* stored);

// ParseSourceArgs with an output, then LoadStoredQuiz of the input:
// kArgsReady when both went well, otherwise the exit status the command ends with.
int ReadSourceCommand(int argc, char** argv, const char* usage, SourceArgs* args,
                      QuizSource* source, StoredQuiz* stored);

// The three block files in folder dir ("" for the current one), ready to write.
std::vector<OutputFile> BlockFiles(const StoredQuiz& stored, const std::string& dir);

// Where 'build -o OUTPUT' writes: into a folder (one that exists, or a name
// ending in a slash) as FOLDER/<the quiz folder's name>.exe; elsewhere OUTPUT,
// with ".exe" added when it has no such ending (*added is then true).
std::string ExecutablePath(const std::string& toml_path, const std::string& output, bool* added);

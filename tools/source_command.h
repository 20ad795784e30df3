// What the commands that read a quiz.toml share: their arguments and the
// reading and encoding of the quiz, with the author's errors on stderr.
#pragma once

#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/quiz_blocks.h"
#include "tools/quiz_source.h"

// The block files, named by the load order's resource identifiers.
constexpr char kBuiltinBlockFile[] = "block0.bin";
constexpr char kQuizBlockFile[] = "block104.bin";
constexpr char kCodesBlockFile[] = "block105.bin";

struct SourceArgs {
  std::string input;
  std::string output;
};

// What ParseSourceArgs returns when the command is to go on with its work.
constexpr int kArgsReady = -1;

// Reads "QUIZ.toml -o OUTPUT". Returns kArgsReady, or the exit status the
// command ends with: kExitOk after printing the usage for "--help",
// kExitUsageError after printing it on stderr for anything else.
int ParseSourceArgs(int argc, char** argv, const char* usage, SourceArgs* args);

// Reads a command's one argument, its input, the same way: kArgsReady with
// *input set, or the exit status the command ends with.
int ParseInputArg(int argc, char** argv, const char* usage, std::string* input);

// Reads and checks the quiz.toml at path and encodes its blocks. False, after
// printing every fault on stderr, when the source or a block is refused.
bool LoadStoredQuiz(const std::string& path, QuizSource* source, StoredQuiz* stored);

// ParseSourceArgs, then LoadStoredQuiz of the input: kArgsReady when both went
// well, otherwise the exit status the command ends with.
int ReadSourceCommand(int argc, char** argv, const char* usage, SourceArgs* args,
                      QuizSource* source, StoredQuiz* stored);

// The three block files in folder dir ("" for the current one), ready to write.
std::vector<OutputFile> BlockFiles(const StoredQuiz& stored, const std::string& dir);

// tevra-pack: builds, inspects and checks quizzes for the Tevra player.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tevra_version.h"
#include "tools/commands.h"

namespace {

// Registered subcommands, in the order --help lists them: an author's first,
// then, after a heading (a row without a command), the low-level ones.
const PackCommand kCommands[] = {
    {"new", "writes a commented quiz.toml to start from", RunNew},
    {"check", "lists a quiz.toml's errors and the warnings an author should see", RunCheck},
    {"build", "turns a quiz.toml into a finished quiz executable", RunBuild},
    {"play", "builds a quiz when needed and opens it as a player would", RunPlay},
    {"judge", "prints the feedback word a player gets for a typed answer", RunJudge},
    {"unpack", "takes a quiz executable apart into quiz.toml and its files", RunUnpack},
    {"import", "makes a quiz.toml of the questions of a spreadsheet (CSV)", RunImport},
    {nullptr, "low-level commands:", nullptr},
    {"inspect", "shows the quiz an executable or three stored blocks carry", RunInspect},
    {"blocks", "checks a quiz.toml and writes its three stored blocks", RunBlocks},
    {"rc", "writes a player's resource script, its blocks and built-in block source", RunRc},
    {"png", "decodes a PNG as the player does and writes the bitmap as a BMP", RunPng},
};

void PrintUsage(FILE* out) {
  Print(out, "usage: tevra-pack COMMAND [ARGS...]\n\ncommands for quiz authors:\n");
  for (const PackCommand& command : kCommands) {
    if (command.name) {
      Print(out, "  %-10s %s\n", command.name, command.summary);
    } else {
      Print(out, "\n%s\n", command.summary);
    }
  }
  Print(out,
        "\n'tevra-pack COMMAND --help' describes one command;\n"
        "'tevra-pack --version' tells which Tevra it is.\n");
}

}  // namespace

int main(int argc_given, char** argv_given) {
  // Every command reads its arguments as UTF-8.
  std::vector<std::string> arguments = CommandArguments(argc_given, argv_given);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  const int argc = static_cast<int>(arguments.size());
  char** argv = pointers.data();
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitUsageError;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(stdout);
    return kExitOk;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("tevra-pack %s\n", TEVRA_VERSION);
    return kExitOk;
  }
  for (const PackCommand& command : kCommands) {
    if (command.name && std::strcmp(argv[1], command.name) == 0) {
      return command.run(argc - 2, argv + 2);
    }
  }
  Print(stderr, "tevra-pack: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return kExitUsageError;
}

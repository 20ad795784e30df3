// tevra-pack: builds, inspects and checks quizzes for the Tevra player.
#include <cstdio>
#include <cstring>

#include "tools/commands.h"

namespace {

// Registered subcommands, in the order --help lists them.
const PackCommand kCommands[] = {
    {"blocks", "checks a quiz.toml and writes its three stored blocks", RunBlocks},
    {"rc", "writes a player's resource script, its blocks and built-in block source", RunRc},
    {"judge", "prints the feedback word a player gets for a typed answer", RunJudge},
    {"png", "decodes a PNG as the player does and writes the bitmap as a BMP", RunPng},
    {"inspect", "shows what the player loads from three stored blocks", RunInspect},
    {"check", "lists a quiz.toml's errors and the warnings an author should see", RunCheck},
    {"build", "turns a quiz.toml into a finished quiz executable", RunBuild},
    {"unpack", "takes a quiz executable apart into quiz.toml and its files", RunUnpack},
};

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: tevra-pack COMMAND [ARGS...]\n\ncommands:\n");
  for (const PackCommand& command : kCommands) {
    if (command.name) std::fprintf(out, "  %-10s %s\n", command.name, command.summary);
  }
  std::fprintf(out, "\n'tevra-pack COMMAND --help' describes one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return kExitUsageError;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(stdout);
    return kExitOk;
  }
  for (const PackCommand& command : kCommands) {
    if (command.name && std::strcmp(argv[1], command.name) == 0) {
      return command.run(argc - 2, argv + 2);
    }
  }
  std::fprintf(stderr, "tevra-pack: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return kExitUsageError;
}

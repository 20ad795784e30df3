// The subcommands of tevra-pack. Each takes the arguments after its own name
// and returns the process exit status.
#pragma once

#include "tools/console.h"

constexpr int kExitOk = 0;
constexpr int kExitInputError = 1;  // the message names the file and the field
constexpr int kExitUsageError = 2;

struct PackCommand {
  const char* name;
  const char* summary;
  int (*run)(int argc, char** argv);
};

int RunBlocks(int argc, char** argv);
int RunJudge(int argc, char** argv);
int RunPng(int argc, char** argv);
int RunInspect(int argc, char** argv);
int RunRc(int argc, char** argv);
int RunUnpack(int argc, char** argv);
int RunCheck(int argc, char** argv);
int RunBuild(int argc, char** argv);
int RunNew(int argc, char** argv);
int RunPlay(int argc, char** argv);
int RunImport(int argc, char** argv);

// The subcommands of tevra-pack. Each takes the arguments after its own name
// and returns the process exit status: 0 ok, 1 input error, 2 usage error.
#pragma once

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

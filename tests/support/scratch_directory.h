// Scratch folders for the Windows tests: a fresh folder under the temporary
// folder, removed with everything in it, and tests that run inside one, where
// the player writes its saved answers.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Makes `directory` the current directory for as long as it lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& directory);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  char previous_[MAX_PATH] = {};
};

// Every test runs in a fresh working directory of its own.
class InScratchDirectory : public ::testing::Test {
 protected:
  ScratchDirectory scratch;

 private:
  CurrentDirectory inside_{scratch.path()};
};

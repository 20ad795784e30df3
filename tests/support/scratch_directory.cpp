#include "tests/support/scratch_directory.h"

namespace {

// Removes `directory`, its files and its folders.
void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int count = 0;
  path_ = std::string(temp) + "tevra-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++count);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDirectory::~ScratchDirectory() {
  RemoveTree(path_);
}

CurrentDirectory::CurrentDirectory(const std::string& directory) {
  GetCurrentDirectoryA(MAX_PATH, previous_);
  EXPECT_TRUE(SetCurrentDirectoryA(directory.c_str())) << directory;
}

CurrentDirectory::~CurrentDirectory() {
  SetCurrentDirectoryA(previous_);
}

// The files a command reads and writes, named by UTF-8 paths: the input read
// whole, and the output written all together or not at all.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct OutputFile {
  std::string path;
  std::string bytes;
};

// Writes every file, creating missing folders. Each goes to a temporary name
// beside its target first and is renamed only once all are written, so a
// failed write (a full disk, a read-only folder) leaves no partial output.
// Says why in *error on failure.
bool WriteOutputFiles(const std::vector<OutputFile>& files, std::string* error);

// The path of a UTF-8 name, which Windows opens through its wide functions.
std::filesystem::path NativePath(const std::string& utf8);

// Reads a whole file. False, with the reason in *why ("no such file", "is a
// folder", "Permission denied"), when it cannot.
bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* why);

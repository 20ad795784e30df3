// Writing a command's output files all together or not at all.
#pragma once

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

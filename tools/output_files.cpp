#include "tools/output_files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr char kTemporarySuffix[] = ".tevra-pack-tmp";

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

void RemoveAll(const std::vector<fs::path>& paths) {
  std::error_code ignored;
  for (const fs::path& path : paths) fs::remove(path, ignored);
}

}  // namespace

bool WriteOutputFiles(const std::vector<OutputFile>& files, std::string* error) {
  std::vector<fs::path> temporaries;
  for (const OutputFile& file : files) {
    const fs::path target(file.path);
    std::error_code code;
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), code);
    fs::path temporary = target;
    temporary += kTemporarySuffix;
    if (code || !WriteFile(temporary, file.bytes)) {
      RemoveAll(temporaries);
      fs::remove(temporary, code);
      *error = file.path + ": cannot be written";
      return false;
    }
    temporaries.push_back(temporary);
  }
  for (size_t i = 0; i < files.size(); ++i) {
    std::error_code code;
    fs::rename(temporaries[i], files[i].path, code);
    if (code) {
      RemoveAll(temporaries);
      *error = files[i].path + ": cannot be written (" + code.message() + ")";
      return false;
    }
  }
  return true;
}

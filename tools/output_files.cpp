#include "tools/output_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
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

fs::path NativePath(const std::string& utf8) {
  return fs::u8path(utf8);
}

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* why) {
  const fs::path native = NativePath(path);
  std::error_code code;
  const fs::file_status status = fs::status(native, code);
  if (!fs::exists(status)) {
    *why = "no such file";
    return false;
  }
  if (fs::is_directory(status)) {
    *why = "is a folder";
    return false;
  }
  errno = 0;
  std::ifstream file(native, std::ios::binary);
  if (!file) {
    *why = errno ? std::strerror(errno) : "cannot be opened";
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) {
    *why = "a read failed";
    return false;
  }
  *bytes = text.str();
  return true;
}

bool WriteOutputFiles(const std::vector<OutputFile>& files, std::string* error) {
  std::vector<fs::path> temporaries;
  for (const OutputFile& file : files) {
    const fs::path target = NativePath(file.path);
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
    fs::rename(temporaries[i], NativePath(files[i].path), code);
    if (code) {
      RemoveAll(temporaries);
      *error = files[i].path + ": cannot be written (" + code.message() + ")";
      return false;
    }
  }
  return true;
}

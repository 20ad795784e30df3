#include "tools/media_resources.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "media/nibble_swap.h"
#include "tools/media_format.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMediaResourceBase = 400;

bool ReadWholeFile(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  *bytes = content.str();
  return !in.bad();
}

}  // namespace

bool AddMediaResources(const QuizSource& quiz, const std::string& toml_path, const std::string& dir,
                       std::vector<OutputFile>* files, std::string* script,
                       std::vector<std::string>* warnings, std::string* error) {
  const fs::path folder = fs::path(toml_path).parent_path();
  const std::string toml_name = fs::path(toml_path).filename().string();
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const std::string& media = quiz.questions[i].media;
    if (media.empty()) continue;
    const int n = static_cast<int>(i) + 1;
    const std::string where = toml_name + ": question " + std::to_string(n) + ", field 'media': ";
    std::string bytes;
    if (!ReadWholeFile(folder / fs::u8path(media), &bytes)) {
      *error = where + media + " cannot be read";
      return false;
    }
    if (const std::string warning = MediaNameWarning(bytes); !warning.empty()) {
      warnings->push_back(where + "warning: " + media + ": " + warning);
    }
    SwapNibbles(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
    const int id = kMediaResourceBase + n;
    const std::string name = "media" + std::to_string(id) + ".img";
    files->push_back({(fs::path(dir) / name).string(), std::move(bytes)});
    *script += std::to_string(id) + " IMG \"" + name + "\"\n";
  }
  return true;
}

#include "tools/media_resources.h"

#include <filesystem>

#include "tools/quiz_check.h"
#include "tools/quiz_files.h"

namespace fs = std::filesystem;

bool AddFileResources(const QuizSource& quiz, const std::string& toml_path, const std::string& dir,
                      std::vector<OutputFile>* files, std::string* script,
                      std::vector<std::string>* warnings, std::string* error) {
  const std::string toml_name = fs::path(toml_path).filename().string();
  const auto read_file = [&](const std::string& path, std::string* bytes, std::string* why) {
    return ReadQuizFile(toml_path, path, bytes, why);
  };
  // Gathered apart and added only once every file is stored: no partial output.
  std::vector<OutputFile> stored_files;
  std::string lines;
  for (const QuizFile& file : ListQuizFiles(quiz)) {
    StoredQuizFile stored;
    std::vector<Finding> findings;
    const bool ok = StoreQuizFile(file, read_file, &stored, &findings);
    for (Finding& finding : findings) {
      finding.line = SourceLine(quiz, finding.question, finding.field);
      (ok ? warnings->emplace_back() : *error) = FormatFinding(finding, toml_name);
    }
    if (!ok) return false;
    const std::string id = std::to_string(file.id);
    const std::string name =
        (file.picture ? "picture" : "media") + id + (stored.plain ? ".png" : ".img");
    stored_files.push_back({(fs::path(dir) / name).string(), std::move(stored.bytes)});
    lines += id + (stored.plain ? " RCDATA \"" : " IMG \"") + name + "\"\n";
  }
  files->insert(files->end(), stored_files.begin(), stored_files.end());
  *script += lines;
  return true;
}

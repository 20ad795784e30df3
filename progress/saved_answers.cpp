#include "progress/saved_answers.h"

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kNewExtension[] = "txt";
constexpr size_t kExtensionLength = sizeof kNewExtension - 1;

}  // namespace

size_t ReadSavedLine(std::string_view file, size_t* position, char* out) {
  size_t pos = *position;
  size_t length = 0;
  while (pos < file.size() && file[pos] != kCr && file[pos] != kLf && length < kAnswerFieldLength) {
    out[length++] = file[pos++];
  }
  while (pos < file.size() && file[pos] != kLf) ++pos;
  if (pos < file.size()) ++pos;
  *position = pos;
  return length;
}

std::string SavedAnswersFileName(std::string_view modulePath) {
  size_t slash = modulePath.find_last_of('\\');
  std::string name(slash == std::string_view::npos ? modulePath : modulePath.substr(slash + 1));
  // A name shorter than an extension cannot lose three characters: it gets
  // the extension after a dot instead of overwriting bytes before it.
  if (name.size() < kExtensionLength) return name + "." + kNewExtension;
  name.replace(name.size() - kExtensionLength, kExtensionLength, kNewExtension);
  return name;
}

std::vector<std::string> SplitSavedLines(std::string_view file) {
  std::vector<std::string> lines;
  while (!file.empty()) {
    size_t end = file.find(kLf);
    std::string_view line = file.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == kCr) line.remove_suffix(1);
    lines.emplace_back(line);
    file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
  }
  return lines;
}

std::string BuildSavedAnswers(const std::vector<SavedField>& fields,
                              const std::vector<std::string>& previous) {
  std::string bytes;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].built) {
      bytes += fields[i].text;
    } else if (i < previous.size()) {
      bytes += previous[i];
    }
    bytes += "\r\n";
  }
  return bytes;
}

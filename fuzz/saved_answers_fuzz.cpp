// The saved-answers file on arbitrary bytes: reading fields stays inside the
// file and gives at most 85 bytes without line ends; what a save writes back
// from the lines it kept reads back as the same lines.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "progress/saved_answers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  size_t position = 0;
  for (size_t field = 0; field <= size + 1; ++field) {
    char text[kAnswerFieldLength];
    const size_t length = ReadSavedLine(file, &position, text);
    if (length > kAnswerFieldLength || position > size) std::abort();
    for (size_t i = 0; i < length; ++i) {
      if (text[i] == '\r' || text[i] == '\n') std::abort();
    }
    if (position == size && length == 0) break;
  }

  const std::vector<std::string> lines = SplitSavedLines(file);
  std::vector<SavedField> unbuilt(lines.size(), SavedField{false, {}});
  if (SplitSavedLines(BuildSavedAnswers(unbuilt, lines)) != lines) std::abort();
  return 0;
}

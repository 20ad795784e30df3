// The CSV reader and the import of its rows on any bytes. The first byte
// chooses the display and the kind. A refused file always says why; an
// imported one is a quiz.toml that the reader takes as it stands.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_kinds.h"
#include "tools/findings.h"
#include "tools/csv_table.h"
#include "tools/quiz_import.h"
#include "tools/quiz_source.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view csv(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<CsvRow> rows;
  std::string error;
  if (!ParseCsv(csv, &rows, &error)) {
    Require(!error.empty());
    return 0;
  }
  size_t line = 0;
  for (const CsvRow& row : rows) {
    Require(row.line > line && !row.cells.empty());
    line = row.line;
  }
  const ImportSettings settings{"Fuzz", data[0] % kDisplayModeCount,
                                data[0] / kDisplayModeCount % kKindCount};
  ImportedQuiz quiz;
  std::vector<std::string> errors;
  if (!ImportQuiz(rows, "fuzz.csv", settings, &quiz, &errors)) {
    Require(!errors.empty());
    return 0;
  }
  QuizSource source;
  std::vector<Finding> faults;
  Require(ParseQuizSource(quiz.toml, "quiz.toml", &source, &faults));
  Require(source.questions.size() == quiz.questions);
  return 0;
}

// Questions from a spreadsheet: the rows of a CSV table turned into the text
// of a quiz.toml that an author then completes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/csv_table.h"

// The columns a header row may name, in any order; only "answer" is needed
// (and "question" in a text list).
constexpr const char* kImportColumns[] = {"question", "answer", "answer2", "extra",
                                          "picture",  "media",  "code"};

struct ImportSettings {
  std::string title;  // UTF-8
  int displayMode = 0;
  int kind = 0;
};

struct ImportedQuiz {
  std::string toml;  // UTF-8, ready to write as quiz.toml
  size_t questions = 0;
};

// Rows whose cells are all empty are skipped; cells are trimmed of outer
// spaces. One question per row, in order, the "code" cell of row n being the
// reward code shown at score n. With any "answer2" cell filled, every question
// takes two answers, and a row without one gets "-" (its second box hidden).
// Fails with one line per fault in *errors, each naming csv_name and the line
// of the row it comes from ("questions.csv:7: question 6, field 'answer':
// is empty, so the question could never be solved").
bool ImportQuiz(const std::vector<CsvRow>& rows, std::string_view csv_name,
                const ImportSettings& settings, ImportedQuiz* quiz,
                std::vector<std::string>* errors);

#include "tools/quiz_import.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <utility>

#include "quiz/quiz_kinds.h"
#include "tools/codepage.h"
#include "tools/quiz_source.h"
#include "tools/quiz_toml_writer.h"

namespace {

enum Column { kQuestion, kAnswer, kAnswer2, kExtra, kPicture, kMedia, kCode, kColumnCount };
static_assert(std::size(kImportColumns) == kColumnCount);

using ColumnMap = std::array<int, kColumnCount>;  // column -> cell index, -1 when absent
using Cells = std::array<std::string, kColumnCount>;

constexpr char kHiddenSecondAnswer[] = "-";
// The name the quiz.toml is read back under, to find its faults.

struct ImportRow {
  size_t line;
  Cells cells;  // UTF-8, trimmed
};

struct Faults {
  std::string csv;
  std::vector<std::string>* out;

  void Add(size_t line, const std::string& text) const {
    out->push_back(csv + (line ? ":" + std::to_string(line) : "") + ": " + text);
  }
};

std::string Trim(std::string_view cell) {
  const size_t first = cell.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  return std::string(cell.substr(first, cell.find_last_not_of(" \t") - first + 1));
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

std::string ColumnList() {
  std::string list;
  for (const char* name : kImportColumns) list += (list.empty() ? "" : ", ") + std::string(name);
  return list;
}

// Unnamed columns are left alone: spreadsheets export the empty ones too.
bool ReadHeader(const CsvRow& header, const ImportSettings& settings, const Faults& faults,
                ColumnMap* columns) {
  const size_t before = faults.out->size();
  columns->fill(-1);
  for (size_t i = 0; i < header.cells.size(); ++i) {
    const std::string name = Lower(Trim(header.cells[i]));
    int column = 0;
    while (column < kColumnCount && name != kImportColumns[column]) ++column;
    if (name.empty()) continue;
    if (column == kColumnCount) {
      faults.Add(header.line, "column '" + name + "' is none of " + ColumnList());
    } else if ((*columns)[column] >= 0) {
      faults.Add(header.line, "column '" + name + "' is named twice");
    } else {
      (*columns)[column] = static_cast<int>(i);
    }
  }
  if ((*columns)[kAnswer] < 0) {
    faults.Add(header.line,
               "no 'answer' column: the first row names the columns (" + ColumnList() + ")");
  }
  if ((*columns)[kQuestion] < 0 && !DisplayTraitsOf(settings.displayMode).grid) {
    faults.Add(header.line, "no 'question' column: a \"text\" display shows each question's text");
  }
  return faults.out->size() == before;
}

bool IsBlank(const CsvRow& row) {
  for (const std::string& cell : row.cells) {
    if (!Trim(cell).empty()) return false;
  }
  return true;
}

// The rows with their cells by column; cells beyond the named columns must be empty.
std::vector<ImportRow> ReadRows(const std::vector<CsvRow>& rows, const ColumnMap& columns,
                                const Faults& faults) {
  std::vector<ImportRow> out;
  for (size_t r = 1; r < rows.size(); ++r) {
    const CsvRow& row = rows[r];
    if (IsBlank(row)) continue;
    ImportRow imported{row.line, {}};
    for (int column = 0; column < kColumnCount; ++column) {
      const size_t at = static_cast<size_t>(columns[column]);
      if (columns[column] >= 0 && at < row.cells.size()) {
        imported.cells[column] = Trim(row.cells[at]);
      }
    }
    for (size_t at = rows[0].cells.size(); at < row.cells.size(); ++at) {
      if (!Trim(row.cells[at]).empty()) {
        const std::string cell = "cell " + std::to_string(at + 1);
        faults.Add(row.line, cell + " is beyond the columns the first row names");
        break;
      }
    }
    out.push_back(std::move(imported));
  }
  return out;
}

bool AnyFilled(const std::vector<ImportRow>& rows, Column column) {
  for (const ImportRow& row : rows) {
    if (!row.cells[column].empty()) return true;
  }
  return false;
}

// Columns whose values the chosen display or kind would leave out, said once
// each: an import loses nothing silently.
void CheckColumns(const std::vector<ImportRow>& rows, const ImportSettings& settings,
                  size_t header_line, const Faults& faults) {
  const int display = settings.displayMode;
  if (!DisplayTraitsOf(display).grid && AnyFilled(rows, kAnswer2)) {
    faults.Add(header_line,
               "column 'answer2' holds second answers, which a \"text\" display "
               "cannot ask: add --display pictures, audio or video");
  }
  if (PictureUse(display) == FieldUse::kUnused && AnyFilled(rows, kPicture)) {
    faults.Add(header_line,
               "column 'picture' names pictures, which only a \"pictures\" display "
               "shows: add --display pictures");
  }
  if (MediaUse(display) == FieldUse::kUnused && AnyFilled(rows, kMedia)) {
    faults.Add(header_line,
               "column 'media' names sound or video files, which only an \"audio\" "
               "or \"video\" display plays: add --display audio or video");
  }
  if (ExtraTextUse(display, settings.kind) == FieldUse::kUnused && AnyFilled(rows, kExtra)) {
    faults.Add(header_line, "column 'extra' holds texts, which a \"" +
                                std::string(DisplayTraitsOf(display).name) + "\" display of kind " +
                                std::to_string(settings.kind) +
                                " never shows: choose the display and kind with --display and "
                                "--kind (see the kinds in the README)");
  }
}

// A text of code page 1252, or a fault naming the row and the column.
std::string Text(const ImportRow& row, Column column, const Faults& faults) {
  std::string text, reason;
  if (!Utf8ToCp1252(row.cells[column], &text, &reason)) {
    faults.Add(row.line, std::string("column '") + kImportColumns[column] + "': " + reason);
  }
  return text;
}

QuizSource MakeSource(const std::vector<ImportRow>& rows, const std::string& title,
                      const ImportSettings& settings, const Faults& faults) {
  QuizSource quiz;
  quiz.title = title;
  quiz.displayMode = settings.displayMode;
  quiz.kind = settings.kind;
  quiz.answersPerQuestion = AnyFilled(rows, kAnswer2) ? 2 : 1;
  for (const ImportRow& row : rows) {
    QuestionSource question;
    question.text = Text(row, kQuestion, faults);
    question.answer1 = Text(row, kAnswer, faults);
    question.answer2 = Text(row, kAnswer2, faults);
    // With two answers per question, a row that has one hides the second box.
    if (quiz.answersPerQuestion == 2 && question.answer2.empty()) {
      question.answer2 = kHiddenSecondAnswer;
    }
    question.extra = Text(row, kExtra, faults);
    question.picture = row.cells[kPicture];
    question.media = row.cells[kMedia];
    quiz.questions.push_back(std::move(question));
    quiz.codes.push_back(Text(row, kCode, faults));
  }
  return quiz;
}

// The reader's fault "quiz.toml:12: question 3, field 'answer': ..." (or one
// about 'codes[3]') belongs to the third row; 0 when it has none.
size_t RowLine(const Finding& fault, const std::vector<ImportRow>& rows) {
  int number = fault.question;
  if (!number) std::sscanf(fault.field.c_str(), "codes[%d]", &number);
  const bool in_range = number >= 1 && static_cast<size_t>(number) <= rows.size();
  return in_range ? rows[number - 1].line : 0;
}

// The reader's faults, told at the lines of their rows, in the order of the file.
void AddRowFaults(const std::vector<Finding>& source_faults, const std::vector<ImportRow>& rows,
                  const Faults& faults) {
  std::vector<std::pair<size_t, std::string>> found;
  for (const Finding& fault : source_faults) {
    found.emplace_back(RowLine(fault, rows), FormatFinding(fault, ""));
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [line, what] : found) faults.Add(line, what);
}

// A file name as a comment may hold it: on one line.
std::string CommentText(std::string_view name) {
  std::string text(name);
  for (char& c : text) c = c == '\n' || c == '\r' ? ' ' : c;
  return text;
}

}  // namespace

bool ImportQuiz(const std::vector<CsvRow>& rows, std::string_view csv_name,
                const ImportSettings& settings, ImportedQuiz* quiz,
                std::vector<std::string>* errors) {
  const Faults faults{std::string(csv_name), errors};
  const size_t before = errors->size();
  ColumnMap columns;
  if (rows.empty()) {
    faults.Add(0, "is empty: the first row names the columns (" + ColumnList() + ")");
    return false;
  }
  if (!ReadHeader(rows[0], settings, faults, &columns)) return false;
  const std::vector<ImportRow> imported = ReadRows(rows, columns, faults);
  if (imported.empty()) faults.Add(rows[0].line, "no question below the first row");
  CheckColumns(imported, settings, rows[0].line, faults);
  std::string title, reason;
  if (!Utf8ToCp1252(settings.title, &title, &reason)) faults.Add(0, "the title: " + reason);
  const QuizSource source = MakeSource(imported, title, settings, faults);
  if (errors->size() != before) return false;
  const std::string toml = "# Imported by tevra-pack import from " + CommentText(csv_name) +
                           ": complete\n# the title, author, subtitle and settings.\n" +
                           FormatQuizToml(source);
  QuizSource reread;
  std::vector<Finding> source_faults;
  if (!ParseQuizSource(toml, kQuizTomlName, &reread, &source_faults)) {
    AddRowFaults(source_faults, imported, faults);
    return false;
  }
  *quiz = {toml, source.questions.size()};
  return true;
}

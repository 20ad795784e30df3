#include "tools/csv_table.h"

#include <cstdint>

#include "tools/codepage.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Marks[] = {{"\xFF\xFE", 2}, {"\xFE\xFF", 2}};
constexpr char kQuote = '"';

// A file that is not UTF-8 is taken as Windows-1252, what a spreadsheet on a
// Western European Windows exports as plain "CSV".
std::string ToUtf8(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    return std::string(bytes.substr(kUtf8Mark.size()));
  }
  uint32_t bad_line = 0, bad_column = 0;
  if (IsUtf8(bytes, &bad_line, &bad_column)) return std::string(bytes);
  return Cp1252ToUtf8(bytes);
}

// The separator is the one the header row uses more: ';' or ','.
char FindSeparator(std::string_view text) {
  size_t commas = 0, semicolons = 0;
  bool quoted = false;
  for (const char c : text) {
    if (c == kQuote) {
      quoted = !quoted;
    } else if (!quoted && (c == '\n' || c == '\r')) {
      break;
    } else if (!quoted) {
      commas += c == ',';
      semicolons += c == ';';
    }
  }
  return semicolons > commas ? ';' : ',';
}

struct Reader {
  std::string_view text;
  size_t at = 0;
  size_t line = 1;

  bool AtEnd() const { return at >= text.size(); }
  char Peek() const { return text[at]; }

  // Steps past one line end (CR LF, LF or a lone CR) when there is one here.
  bool SkipLineEnd() {
    if (AtEnd() || (Peek() != '\r' && Peek() != '\n')) return false;
    if (Peek() == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    ++at;
    ++line;
    return true;
  }
};

bool ReadQuotedCell(Reader* reader, std::string* cell, std::string* error) {
  const size_t opened = reader->line;
  ++reader->at;
  while (!reader->AtEnd()) {
    if (reader->SkipLineEnd()) {
      cell->push_back('\n');
    } else if (reader->Peek() != kQuote) {
      cell->push_back(reader->text[reader->at++]);
    } else if (reader->at + 1 < reader->text.size() && reader->text[reader->at + 1] == kQuote) {
      cell->push_back(kQuote);
      reader->at += 2;
    } else {
      ++reader->at;
      return true;
    }
  }
  *error = "line " + std::to_string(opened) + ": a quoted cell is never closed";
  return false;
}

// Reads one cell and the separator or line end after it; *row_ended tells which.
bool ReadCell(Reader* reader, char separator, std::string* cell, bool* row_ended,
              std::string* error) {
  const bool quoted = !reader->AtEnd() && reader->Peek() == kQuote;
  if (quoted && !ReadQuotedCell(reader, cell, error)) return false;
  while (!reader->AtEnd()) {
    const char c = reader->Peek();
    if (c == separator) {
      ++reader->at;
      *row_ended = false;
      return true;
    }
    if (reader->SkipLineEnd()) break;
    if (quoted && c != ' ' && c != '\t') {
      *error = "line " + std::to_string(reader->line) + ": text after the closing quote of a cell";
      return false;
    }
    if (!quoted) cell->push_back(c);
    ++reader->at;
  }
  *row_ended = true;
  return true;
}

}  // namespace

bool ParseCsv(std::string_view bytes, std::vector<CsvRow>* rows, std::string* error) {
  for (const std::string_view mark : kUtf16Marks) {
    if (bytes.substr(0, mark.size()) == mark) {
      *error = "is UTF-16 text: save it as CSV (UTF-8 or the plain CSV of the spreadsheet)";
      return false;
    }
  }
  const std::string text = ToUtf8(bytes);
  const char separator = FindSeparator(text);
  Reader reader{text};
  std::vector<CsvRow> result;
  while (!reader.AtEnd()) {
    CsvRow row{reader.line, {""}};
    bool row_ended = false;
    while (!row_ended) {
      if (!ReadCell(&reader, separator, &row.cells.back(), &row_ended, error)) return false;
      if (!row_ended) row.cells.emplace_back();
    }
    result.push_back(std::move(row));
  }
  *rows = std::move(result);
  return true;
}

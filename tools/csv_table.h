// Reading a table that a spreadsheet exported as CSV: UTF-8 (with or without
// a byte order mark) or Windows-1252, cells separated by commas or by
// semicolons (the export of a French spreadsheet), quoted cells that hold
// separators, doubled quotes or line breaks, and any line end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CsvRow {
  size_t line;                     // the line of the file where the row starts, from 1
  std::vector<std::string> cells;  // UTF-8, as written (not trimmed)
};

// Parses the whole file into rows, the header row first; rows whose cells are
// all empty are kept, so that the caller sees every line. Fails with the
// reason, naming the line, in *error: a UTF-16 file, a quoted cell that is
// never closed, text after a closing quote.
bool ParseCsv(std::string_view bytes, std::vector<CsvRow>* rows, std::string* error);

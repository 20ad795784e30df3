// The command line where arguments and terminals are UTF-8 already.
#include <cstdarg>

#include "tools/console.h"

std::vector<std::string> CommandArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void PrintText(FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

void Print(FILE* stream, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stream, format, args);
  va_end(args);
}

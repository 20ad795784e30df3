// The packer's text on the command line. Inside, every text is UTF-8. On
// Windows the arguments are taken from the wide command line (main's are in
// the ANSI code page), and text goes to a console through its wide function,
// and as UTF-8 bytes to a file or a pipe.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The command's arguments, argv[0] included, as UTF-8.
std::vector<std::string> CommandArguments(int argc, char** argv);

// MinGW's g++ checks "printf" formats against the old Windows runtime, which
// lacks %zu; the packer's vsnprintf is MinGW's own, which has it.
#ifdef __MINGW32__
#define TEVRA_PRINTF_FORMAT gnu_printf
#else
#define TEVRA_PRINTF_FORMAT printf
#endif

// printf to stdout or stderr, as UTF-8 text.
void Print(FILE* stream, const char* format, ...)
    __attribute__((format(TEVRA_PRINTF_FORMAT, 2, 3)));

// Writes UTF-8 text to stdout or stderr as it is.
void PrintText(FILE* stream, const std::string& text);

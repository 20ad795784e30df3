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

// printf to stdout or stderr, as UTF-8 text.
void Print(FILE* stream, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Writes UTF-8 text to stdout or stderr as it is.
void PrintText(FILE* stream, const std::string& text);

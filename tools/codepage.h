// Conversions between UTF-8 (what authors write and terminals show) and code
// page 1252 (what the player shows and stores).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Converts UTF-8 to code page 1252 bytes. Fails, with a reason in *error, on
// malformed UTF-8 and on any character the code page cannot hold, including
// U+0000 and the five code points 0x81, 0x8D, 0x8F, 0x90, 0x9D that have no
// character there; *character, when given, then names that character ("U+2603").
bool Utf8ToCp1252(std::string_view utf8, std::string* out, std::string* error,
                  std::string* character = nullptr);

// Converts code page 1252 bytes to UTF-8. Total: the five undefined bytes map
// to U+0081, U+008D, U+008F, U+0090 and U+009D.
std::string Cp1252ToUtf8(std::string_view bytes);

// Whether text is well-formed UTF-8; when not, the line and column (from 1,
// counting bytes) of the first bad byte.
bool IsUtf8(std::string_view text, uint32_t* bad_line, uint32_t* bad_column);

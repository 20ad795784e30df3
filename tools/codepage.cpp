#include "tools/codepage.h"

#include <cstdint>
#include <cstdio>

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
constexpr unsigned kHighControlsFirst = 0x80;
constexpr unsigned kHighControlsEnd = 0xA0;

uint32_t ByteToCodePoint(unsigned char b) {
  if (b < kHighControlsFirst || b >= kHighControlsEnd) return b;
  const uint16_t mapped = kHighControls[b - kHighControlsFirst];
  return mapped ? mapped : b;
}

// Returns the byte for a code point, or -1 when code page 1252 has none.
int CodePointToByte(uint32_t code_point) {
  if (code_point == 0) return -1;
  if (code_point < kHighControlsFirst || (code_point >= kHighControlsEnd && code_point <= 0xFF)) {
    return static_cast<int>(code_point);
  }
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code_point) {
      return static_cast<int>(kHighControlsFirst + i);
    }
  }
  return -1;
}

void AppendUtf8(uint32_t code_point, std::string* out) {
  if (code_point < 0x80) {
    out->push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at text[*pos]; returns false when it is malformed
// (bad lead byte, missing or bad continuation, overlong form, surrogate).
bool DecodeUtf8(std::string_view text, size_t* pos, uint32_t* code_point) {
  const unsigned char lead = static_cast<unsigned char>(text[*pos]);
  int extra;
  uint32_t value;
  uint32_t minimum;
  if (lead < 0x80) {
    *code_point = lead;
    ++*pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  if (text.size() - *pos <= static_cast<size_t>(extra)) return false;
  for (int i = 1; i <= extra; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[*pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *pos += extra + 1;
  *code_point = value;
  return true;
}

}  // namespace

bool Utf8ToCp1252(std::string_view utf8, std::string* out, std::string* error,
                  std::string* character) {
  std::string result;
  size_t pos = 0;
  while (pos < utf8.size()) {
    uint32_t code_point;
    if (!DecodeUtf8(utf8, &pos, &code_point)) {
      *error = "invalid UTF-8 at byte " + std::to_string(pos);
      return false;
    }
    const int byte = CodePointToByte(code_point);
    if (byte < 0) {
      char name[16];
      std::snprintf(name, sizeof(name), "U+%04X", static_cast<unsigned>(code_point));
      *error = std::string("character ") + name + " is not in code page 1252";
      if (character) *character = name;
      return false;
    }
    result.push_back(static_cast<char>(byte));
  }
  *out = std::move(result);
  return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendUtf8(ByteToCodePoint(static_cast<unsigned char>(c)), &out);
  return out;
}

bool IsUtf8(std::string_view text, uint32_t* bad_line, uint32_t* bad_column) {
  size_t pos = 0, line_start = 0;
  uint32_t line = 1;
  while (pos < text.size()) {
    if (text[pos] == '\n') {
      ++line;
      line_start = pos + 1;
    }
    uint32_t code_point;
    if (!DecodeUtf8(text, &pos, &code_point)) {
      *bad_line = line;
      *bad_column = static_cast<uint32_t>(pos - line_start + 1);
      return false;
    }
  }
  return true;
}

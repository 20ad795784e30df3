// A small PE32+ image for the PE and packer tests, laid out as MinGW's linker
// lays out the player: headers in 0x200 bytes, .text, then .tevra.
#pragma once

#include <cstdint>
#include <string>

inline void Put(std::string* out, size_t at, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) (*out)[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// A small PE32+ image as MinGW's linker lays one out: headers in 0x200 bytes,
// a .text section, then the .tevra section that holds the built-in block.
inline std::string MakeImage(bool with_builtin_section = true) {
  const int sections = with_builtin_section ? 2 : 1;
  std::string file(0x200 * (1 + sections), '\0');
  file[0] = 'M';
  file[1] = 'Z';
  Put(&file, 0x3C, 0x40, 4);
  file.replace(0x40, 4, std::string("PE\0\0", 4));
  const size_t header = 0x44, opt = header + 20;
  Put(&file, header, 0x8664, 2);
  Put(&file, header + 2, sections, 2);
  Put(&file, header + 16, 240, 2);
  Put(&file, opt, 0x20B, 2);
  Put(&file, opt + 32, 0x1000, 4);  // section alignment
  Put(&file, opt + 36, 0x200, 4);   // file alignment
  Put(&file, opt + 56, 0x1000 * (1 + sections), 4);
  Put(&file, opt + 60, 0x200, 4);
  Put(&file, opt + 108, 16, 4);
  const char* names[] = {".text", ".tevra"};
  for (int i = 0; i < sections; ++i) {
    const size_t at = opt + 240 + 40 * i;
    file.replace(at, 8,
                 std::string(names[i]) + std::string(8 - std::string(names[i]).size(), '\0'));
    Put(&file, at + 8, 0x100, 4);
    Put(&file, at + 12, 0x1000 * (i + 1), 4);
    Put(&file, at + 16, 0x200, 4);
    Put(&file, at + 20, 0x200 * (i + 1), 4);
  }
  return file;
}

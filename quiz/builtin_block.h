// Where the built-in block lives. Its 70 stored bytes (the link and the corner
// text) are the whole content of a PE section of their own, ".tevra", so that a
// tool can find and replace them in a built player without symbols.
#pragma once

#include <cstddef>

constexpr size_t kBuiltinBlockSize = 70;

// Put on the one definition of kBuiltinBlock; `used` keeps the linker from
// dropping a section that no code seems to need, and alignment 1 keeps the
// compiler's padding out (the linker still rounds the section to 72 bytes
// with zeros).
#define TEVRA_BUILTIN_SECTION __attribute__((section(".tevra"), used, aligned(1)))

// Defined, with TEVRA_BUILTIN_SECTION, by the source generated for each quiz.
extern const unsigned char kBuiltinBlock[kBuiltinBlockSize];

// The player program that `tevra-pack build` copies: the x86-64 player with
// its own resources and no quiz, embedded at build time from a generated
// source. Empty when this packer was built without a MinGW-w64 toolchain.
#pragma once

#include <cstddef>

extern const unsigned char kPlayerImage[];
extern const size_t kPlayerImageSize;

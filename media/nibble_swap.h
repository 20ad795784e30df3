// The scrambling of picture and media resources: every byte has its two halves exchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Scrambles or descrambles buffer[0, length) in place (the rule is its own inverse).
void SwapNibbles(uint8_t* buffer, size_t length);

// A descrambled copy of stored[0, length), or null when the memory for it
// cannot be had: the copies are made inside window procedures, where the
// failure must be the caller's own (no picture, the loading message), never
// an exception.
std::unique_ptr<uint8_t[]> DescrambledCopy(const uint8_t* stored, size_t length);

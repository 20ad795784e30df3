// The scrambling of picture and media resources: every byte has its two halves exchanged.
#pragma once

#include <cstddef>
#include <cstdint>

// Scrambles or descrambles buffer[0, length) in place (the rule is its own inverse).
void SwapNibbles(uint8_t* buffer, size_t length);

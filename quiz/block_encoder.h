// The block encoder: turns quiz text into a stored block that the block
// decoder reads back, for the packer that builds a player around a quiz.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Encodes text (1 to kQuizBlockOutputCapacity bytes) into *block. Codes are
// emitted 9 bits wide, widened with code 257 just before one would not fit,
// and the dictionary is reset with code 258 when it is full; code 256 ends.
//
// With scramble, the block is XORed with the key from *keyPosition on, which
// moves as DescrambleQuizBlock moves it, and is checked not to decode as
// stored: the loader would take such a block as it stands and lose the key
// position. When it does, another encoding of the same text is tried (one
// more redundant reset after the first code shifts every later bit).
//
// Fails, with a reason in *error, on empty or overlong text, when the block
// would pass the decoder's input capacity, and in the unlikely case that no
// tried encoding scrambles unambiguously.
bool EncodeQuizBlock(std::string_view text, bool scramble, int* keyPosition,
                     std::vector<unsigned char>* block, std::string* error);

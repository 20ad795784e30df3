// DEFLATE decompression (raw blocks and the zlib wrapper around them), written for the PNG
// decoder: the whole output buffer is given in advance and back-references are read from it,
// so there is no separate window.
#pragma once

#include <cstddef>
#include <cstdint>

// Decodes raw DEFLATE blocks from in[0, inSize) into out[0, outCapacity) until the block with
// the final flag. Fails (returns false) on any malformed stream: block type 3, a stored block
// whose NLEN is not the complement of LEN, an over-subscribed or incomplete code set, a code
// that is not in its set, output beyond outCapacity, a back-reference before the start of the
// output, or input that ends before the final block does. On success *outSize is the number
// of bytes written; input after the final block is ignored.
bool InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outCapacity,
                size_t* outSize);

// Decodes a zlib stream (two-byte header, DEFLATE blocks, Adler-32). The header must name
// method 8 with a window of at most 32 KiB and no preset dictionary; its check bits and the
// trailing Adler-32 are not verified (the trailer may even be missing).
bool InflateZlib(const uint8_t* in, size_t inSize, uint8_t* out, size_t outCapacity,
                 size_t* outSize);

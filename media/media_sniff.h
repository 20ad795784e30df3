// Naming of the temporary media files: the extension is chosen from the first
// bytes of the descrambled file, the name from the resource id.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest temporary directory the player keeps (512-byte buffer) followed by
// the longest name, "tevra" + a resource id + "." + a three-letter extension.
constexpr size_t kMediaTempDirSize = 512;
constexpr size_t kMediaPathSize = kMediaTempDirSize + sizeof("tevra-2147483648.WAV");
// The ANSI file functions refuse longer paths.
constexpr size_t kMaxMediaPathLength = 259;

// One of "WAV", "AVI", "MP3", "MPG", "WMV", "MID" (upper case, static storage).
const char* SniffMediaExtension(const uint8_t* data, size_t size);

// Writes "<tempDir>tevra<resourceId>.<extension>" into `out`: with an empty
// directory (one that could not be read), a file of the current directory.
// Returns false, leaving `out` empty, when the path would not fit `outSize` or
// kMaxMediaPathLength.
bool FormatMediaPath(const char* tempDir, int resourceId, const char* extension, char* out,
                     size_t outSize);

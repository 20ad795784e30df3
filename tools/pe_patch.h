// Turning a copy of the player executable into a quiz executable: a new
// resource section and the built-in block written into the .tevra section,
// with every header field a PE loader checks brought up to date.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/pe_image.h"

constexpr char kBuiltinSectionName[] = ".tevra";

// Writes into *out a copy of player whose resources are exactly `resources`
// and whose .tevra section starts with builtin_block. Fails with a reason when
// the player is not a PE file, has no .tevra section large enough, has no room
// for one more section header, or when two resources share type, id and language.
bool PatchPlayerImage(std::string_view player, const std::vector<PeResource>& resources,
                      std::string_view builtin_block, std::string* out, std::string* error);

// The PE checksum of the file, the checksum field itself counted as zero.
uint32_t ComputePeChecksum(std::string_view file, uint32_t checksum_offset);

// Offset of the CheckSum field of a parsed image.
uint32_t PeChecksumOffset(const PeImage& image);

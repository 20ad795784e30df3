// Building the bytes of a PE resource section (.rsrc) from a flat list of
// resources, laid out as a type / name / language tree that the Windows loader
// and resource tools read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pe_image.h"

// Lays out the resources for a section loaded at section_rva. Fails, naming
// the resource, when two entries share type, name and language.
bool BuildResourceSection(const std::vector<PeResource>& resources, uint32_t section_rva,
                          std::string* section, std::string* error);

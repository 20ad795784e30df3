// Reading a Windows executable (PE32 or PE32+) from its file bytes: headers,
// section table, data directories and the resource tree. Every read is bounds
// checked, so any byte string can be handed in; a malformed file gives false
// and a reason, never a read past the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kResourceDirectoryIndex = 2;
constexpr uint16_t kResourceTypeRcData = 10;  // RT_RCDATA

struct PeSection {
  std::string name;  // up to 8 bytes as stored; "/4"-style long names are kept as is
  uint32_t virtualSize = 0;
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
  uint32_t characteristics = 0;
};

struct PeDataDirectory {
  uint32_t rva = 0;
  uint32_t size = 0;
};

struct PeImage {
  bool is64 = false;
  uint32_t fileHeaderOffset = 0;  // just after "PE\0\0"
  uint32_t optionalHeaderOffset = 0;
  uint16_t optionalHeaderSize = 0;
  uint32_t sectionTableOffset = 0;
  uint32_t fileAlignment = 0;
  uint32_t sectionAlignment = 0;
  uint32_t sizeOfHeaders = 0;
  uint32_t sizeOfImage = 0;
  std::vector<PeSection> sections;
  std::vector<PeDataDirectory> directories;
};

// A resource type or name: an integer id, or a name (UTF-16 code units as stored).
struct ResourceKey {
  bool isId = true;
  uint16_t id = 0;
  std::u16string name;
};

struct PeResource {
  ResourceKey type;
  ResourceKey name;
  uint16_t language = 0;
  uint32_t codePage = 0;
  std::string bytes;
};

ResourceKey ResourceId(uint16_t id);
ResourceKey ResourceName(std::string_view ascii);
bool operator==(const ResourceKey& a, const ResourceKey& b);
bool operator<(const ResourceKey& a, const ResourceKey& b);  // names first, as a PE tree orders
// "IMG", "#10" style text for messages.
std::string DescribeResourceKey(const ResourceKey& key);

// Reads the headers and section table. The reason names what is wrong.
bool ParsePeImage(std::string_view file, PeImage* image, std::string* error);

// Maps an RVA range to file bytes through the section table; false when any
// byte of it lies outside a section's raw data.
bool ReadRvaRange(std::string_view file, const PeImage& image, uint32_t rva, uint32_t size,
                  std::string_view* bytes);

const PeSection* FindSection(const PeImage& image, std::string_view name);

// Reads every leaf of the resource tree (type, name, language) in tree order.
// An image without a resource directory gives an empty list.
bool ReadPeResources(std::string_view file, const PeImage& image,
                     std::vector<PeResource>* resources, std::string* error);

// The first resource of that type and name, any language; null when absent.
const PeResource* FindResource(const std::vector<PeResource>& resources, const ResourceKey& type,
                               const ResourceKey& name);

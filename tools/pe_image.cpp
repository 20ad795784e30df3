#include "tools/pe_image.h"

#include <algorithm>

#include "media/byte_order.h"

namespace {

constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kDosPeOffsetField = 0x3C;
constexpr uint32_t kFileHeaderSize = 20;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kDataDirectorySize = 8;
constexpr uint32_t kResourceDirectoryHeaderSize = 16;
constexpr uint32_t kResourceEntrySize = 8;
constexpr uint32_t kResourceDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;
constexpr int kResourceTreeDepth = 3;  // type, name, language
// A tree whose directories point back at shared subdirectories can name the
// same data many times over; a real executable holds far fewer.
constexpr size_t kMaxResources = 4096;
constexpr size_t kMaxResourceBytes = size_t{64} << 20;

bool Read16(std::string_view bytes, uint64_t offset, uint16_t* value) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return false;
  *value = static_cast<uint16_t>(LoadLittle16(bytes.data() + offset));
  return true;
}

bool Read32(std::string_view bytes, uint64_t offset, uint32_t* value) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return false;
  *value = LoadLittle32(bytes.data() + offset);
  return true;
}

bool Fail(std::string* error, const char* reason) {
  *error = reason;
  return false;
}

bool ReadSectionTable(std::string_view file, uint16_t count, PeImage* image) {
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t at = image->sectionTableOffset + uint64_t{i} * kSectionHeaderSize;
    if (at + kSectionHeaderSize > file.size()) return false;
    PeSection section;
    std::string_view raw_name = file.substr(at, 8);
    section.name = std::string(raw_name.substr(0, raw_name.find('\0')));
    Read32(file, at + 8, &section.virtualSize);
    Read32(file, at + 12, &section.virtualAddress);
    Read32(file, at + 16, &section.rawSize);
    Read32(file, at + 20, &section.rawOffset);
    Read32(file, at + 36, &section.characteristics);
    image->sections.push_back(section);
  }
  return true;
}

struct TreeReader {
  std::string_view file;
  const PeImage& image;
  std::string_view tree;  // the resource section from the directory's RVA on
  std::vector<PeResource>* resources;
  size_t totalBytes = 0;
  std::string* error;
};

bool ReadKey(const TreeReader& reader, uint32_t field, ResourceKey* key) {
  if (!(field & kHighBit)) {
    key->isId = true;
    key->id = static_cast<uint16_t>(field);
    return true;
  }
  const uint32_t offset = field & ~kHighBit;
  uint16_t length = 0;
  if (!Read16(reader.tree, offset, &length)) return false;
  key->isId = false;
  key->name.clear();
  for (uint32_t i = 0; i < length; ++i) {
    uint16_t unit = 0;
    if (!Read16(reader.tree, offset + 2 + uint64_t{i} * 2, &unit)) return false;
    key->name.push_back(static_cast<char16_t>(unit));
  }
  return true;
}

bool ReadLeaf(TreeReader* reader, uint32_t offset, PeResource* resource) {
  uint32_t rva = 0, size = 0;
  if (!Read32(reader->tree, offset, &rva) || !Read32(reader->tree, offset + 4, &size) ||
      !Read32(reader->tree, offset + 8, &resource->codePage) ||
      offset + uint64_t{kResourceDataEntrySize} > reader->tree.size()) {
    return Fail(reader->error, "a resource data entry lies outside the resource section");
  }
  std::string_view bytes;
  if (!ReadRvaRange(reader->file, reader->image, rva, size, &bytes)) {
    return Fail(reader->error, "resource data lies outside the file's sections");
  }
  reader->totalBytes += bytes.size();
  if (reader->resources->size() >= kMaxResources || reader->totalBytes > kMaxResourceBytes) {
    return Fail(reader->error, "the resource tree names too many resources");
  }
  resource->bytes = std::string(bytes);
  reader->resources->push_back(*resource);
  return true;
}

// Depth 0 reads types, 1 names, 2 languages; a fixed depth bounds the walk
// even when directories point at each other.
bool ReadDirectory(TreeReader* reader, uint32_t offset, int depth, PeResource* path) {
  uint16_t named = 0, ids = 0;
  if (!Read16(reader->tree, offset + 12, &named) || !Read16(reader->tree, offset + 14, &ids)) {
    return Fail(reader->error, "a resource directory lies outside the resource section");
  }
  const uint64_t first = uint64_t{offset} + kResourceDirectoryHeaderSize;
  for (uint32_t i = 0; i < uint32_t{named} + ids; ++i) {
    uint32_t key_field = 0, target = 0;
    const uint64_t at = first + uint64_t{i} * kResourceEntrySize;
    if (!Read32(reader->tree, at, &key_field) || !Read32(reader->tree, at + 4, &target)) {
      return Fail(reader->error, "a resource directory entry lies outside the resource section");
    }
    ResourceKey key;
    if (!ReadKey(*reader, key_field, &key)) {
      return Fail(reader->error, "a resource name lies outside the resource section");
    }
    if (depth == 0) path->type = key;
    if (depth == 1) path->name = key;
    if (depth == 2) path->language = key.isId ? key.id : 0;
    const bool is_directory = (target & kHighBit) != 0;
    if (is_directory != (depth + 1 < kResourceTreeDepth)) {
      return Fail(reader->error, "the resource tree is not three levels deep");
    }
    const bool ok = is_directory ? ReadDirectory(reader, target & ~kHighBit, depth + 1, path)
                                 : ReadLeaf(reader, target, path);
    if (!ok) return false;
  }
  return true;
}

}  // namespace

ResourceKey ResourceId(uint16_t id) {
  ResourceKey key;
  key.id = id;
  return key;
}

ResourceKey ResourceName(std::string_view ascii) {
  ResourceKey key;
  key.isId = false;
  for (char c : ascii) key.name.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return key;
}

bool operator==(const ResourceKey& a, const ResourceKey& b) {
  return a.isId == b.isId && (a.isId ? a.id == b.id : a.name == b.name);
}

bool operator<(const ResourceKey& a, const ResourceKey& b) {
  if (a.isId != b.isId) return !a.isId;
  return a.isId ? a.id < b.id : a.name < b.name;
}

std::string DescribeResourceKey(const ResourceKey& key) {
  if (key.isId) return std::to_string(key.id);
  std::string text = "\"";
  for (char16_t unit : key.name) text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return text + "\"";
}

bool ParsePeImage(std::string_view file, PeImage* image, std::string* error) {
  *image = PeImage();
  uint32_t pe_offset = 0;
  if (file.size() < 2 || file.substr(0, 2) != "MZ") {
    return Fail(error, "not a Windows executable (no MZ header)");
  }
  if (!Read32(file, kDosPeOffsetField, &pe_offset) || uint64_t{pe_offset} + 4 > file.size() ||
      file.substr(pe_offset, 4) != std::string_view("PE\0\0", 4)) {
    return Fail(error, "not a Windows executable (no PE signature)");
  }
  image->fileHeaderOffset = pe_offset + 4;
  uint16_t section_count = 0, magic = 0;
  if (!Read16(file, image->fileHeaderOffset + 2, &section_count) ||
      !Read16(file, image->fileHeaderOffset + 16, &image->optionalHeaderSize)) {
    return Fail(error, "truncated PE file header");
  }
  image->optionalHeaderOffset = image->fileHeaderOffset + kFileHeaderSize;
  const uint32_t opt = image->optionalHeaderOffset;
  if (!Read16(file, opt, &magic) || (magic != kPe32Magic && magic != kPe32PlusMagic)) {
    return Fail(error, "truncated or unknown PE optional header");
  }
  image->is64 = magic == kPe32PlusMagic;
  const uint32_t directory_count_field = image->is64 ? 108 : 92;
  uint32_t directory_count = 0;
  if (!Read32(file, opt + 32, &image->sectionAlignment) ||
      !Read32(file, opt + 36, &image->fileAlignment) ||
      !Read32(file, opt + 56, &image->sizeOfImage) ||
      !Read32(file, opt + 60, &image->sizeOfHeaders) ||
      !Read32(file, opt + directory_count_field, &directory_count) ||
      directory_count_field + 4 + uint64_t{directory_count} * kDataDirectorySize >
          image->optionalHeaderSize) {
    return Fail(error, "truncated PE optional header");
  }
  for (uint32_t i = 0; i < directory_count; ++i) {
    PeDataDirectory directory;
    const uint64_t at = opt + directory_count_field + 4 + uint64_t{i} * kDataDirectorySize;
    if (!Read32(file, at, &directory.rva) || !Read32(file, at + 4, &directory.size)) {
      return Fail(error, "truncated PE data directories");
    }
    image->directories.push_back(directory);
  }
  image->sectionTableOffset = opt + image->optionalHeaderSize;
  if (!ReadSectionTable(file, section_count, image)) {
    return Fail(error, "truncated PE section table");
  }
  return true;
}

bool ReadRvaRange(std::string_view file, const PeImage& image, uint32_t rva, uint32_t size,
                  std::string_view* bytes) {
  for (const PeSection& section : image.sections) {
    // Only the raw bytes that the loader maps are readable here.
    const uint32_t mapped =
        section.virtualSize ? std::min(section.rawSize, section.virtualSize) : section.rawSize;
    if (rva < section.virtualAddress || rva - section.virtualAddress >= mapped) continue;
    const uint64_t inner = rva - section.virtualAddress;
    if (inner + size > mapped) return false;
    const uint64_t at = section.rawOffset + inner;
    if (at > file.size() || file.size() - at < size) return false;
    *bytes = file.substr(at, size);
    return true;
  }
  return false;
}

const PeSection* FindSection(const PeImage& image, std::string_view name) {
  for (const PeSection& section : image.sections) {
    if (section.name == name) return &section;
  }
  return nullptr;
}

bool ReadPeResources(std::string_view file, const PeImage& image,
                     std::vector<PeResource>* resources, std::string* error) {
  resources->clear();
  if (image.directories.size() <= kResourceDirectoryIndex) return true;
  const PeDataDirectory& directory = image.directories[kResourceDirectoryIndex];
  if (directory.rva == 0 && directory.size == 0) return true;
  // The tree's offsets count from the directory's RVA and may reach anywhere
  // in the rest of its section, whatever size the directory entry states.
  std::string_view tree;
  for (const PeSection& section : image.sections) {
    if (directory.rva < section.virtualAddress) continue;
    const uint32_t inner = directory.rva - section.virtualAddress;
    const uint32_t mapped =
        section.virtualSize ? std::min(section.rawSize, section.virtualSize) : section.rawSize;
    if (inner >= mapped) continue;
    const uint64_t start = uint64_t{section.rawOffset} + inner;
    if (start >= file.size()) break;
    tree = file.substr(start, std::min<uint64_t>(mapped - inner, file.size() - start));
    break;
  }
  if (tree.empty()) return Fail(error, "the resource directory lies outside the file's sections");
  TreeReader reader{file, image, tree, resources, 0, error};
  PeResource path;
  return ReadDirectory(&reader, 0, 0, &path);
}

const PeResource* FindResource(const std::vector<PeResource>& resources, const ResourceKey& type,
                               const ResourceKey& name) {
  for (const PeResource& resource : resources) {
    if (resource.type == type && resource.name == name) return &resource;
  }
  return nullptr;
}

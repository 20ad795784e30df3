#include "tools/pe_patch.h"

#include <algorithm>

#include "media/byte_order.h"
#include "tools/pe_resources_writer.h"

namespace {

constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kSectionCountField = 2;  // in the file header
constexpr uint32_t kSizeOfInitializedDataField = 8;
constexpr uint32_t kSizeOfImageField = 56;
constexpr uint32_t kChecksumField = 64;
constexpr uint32_t kDataDirectoryField32 = 96;
constexpr uint32_t kDataDirectoryField64 = 112;
// Initialised data, readable and writable: the player may descramble its quiz
// blocks in place in the loaded resource data.
constexpr uint32_t kResourceSectionCharacteristics = 0x40 | 0x40000000u | 0x80000000u;
constexpr char kResourceSectionName[] = ".rsrc";
// The player's former resource section stays in the image, unused, under a
// name that resource tools do not look for.
constexpr char kRetiredResourceSectionName[] = ".rsrcold";

uint32_t AlignUp(uint64_t value, uint32_t alignment) {
  return static_cast<uint32_t>((value + alignment - 1) / alignment * alignment);
}

void PutSectionName(std::string* out, size_t header, const char* name) {
  std::string padded(name);
  padded.resize(8, '\0');
  out->replace(header, 8, padded);
}

bool WriteBuiltinBlock(const PeImage& image, std::string_view block, std::string* out,
                       std::string* error) {
  const PeSection* section = FindSection(image, kBuiltinSectionName);
  if (!section) {
    *error = "the player has no .tevra section for the built-in block";
    return false;
  }
  if (section->rawSize < block.size() ||
      uint64_t{section->rawOffset} + block.size() > out->size()) {
    *error = "the player's .tevra section is smaller than the built-in block";
    return false;
  }
  out->replace(section->rawOffset, block.size(), block);
  return true;
}

}  // namespace

uint32_t PeChecksumOffset(const PeImage& image) {
  return image.optionalHeaderOffset + kChecksumField;
}

uint32_t ComputePeChecksum(std::string_view file, uint32_t checksum_offset) {
  uint64_t sum = 0;
  for (size_t at = 0; at < file.size(); at += 2) {
    if (at >= checksum_offset && at < uint64_t{checksum_offset} + 4) continue;
    // A last odd byte counts as a word of its own.
    const uint32_t word =
        at + 1 < file.size() ? LoadLittle16(file, at) : static_cast<unsigned char>(file[at]);
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum + file.size());
}

bool PatchPlayerImage(std::string_view player, const std::vector<PeResource>& resources,
                      std::string_view builtin_block, std::string* out, std::string* error) {
  PeImage image;
  if (!ParsePeImage(player, &image, error)) return false;
  if (image.directories.size() <= kResourceDirectoryIndex || image.fileAlignment == 0 ||
      image.sectionAlignment == 0) {
    *error = "the player's PE header has no resource directory entry";
    return false;
  }
  const uint64_t table_end =
      image.sectionTableOffset + uint64_t{image.sections.size() + 1} * kSectionHeaderSize;
  uint64_t first_raw = image.sizeOfHeaders;
  for (const PeSection& section : image.sections) {
    if (section.rawSize) first_raw = std::min<uint64_t>(first_raw, section.rawOffset);
  }
  if (table_end > first_raw) {
    *error = "the player's headers have no room for one more section";
    return false;
  }
  *out = std::string(player);
  if (!WriteBuiltinBlock(image, builtin_block, out, error)) return false;

  uint64_t image_end = 0;
  for (const PeSection& section : image.sections) {
    image_end = std::max<uint64_t>(image_end, uint64_t{section.virtualAddress} +
                                                  std::max(section.virtualSize, section.rawSize));
  }
  const uint32_t rva = AlignUp(image_end, image.sectionAlignment);
  std::string section;
  if (!BuildResourceSection(resources, rva, &section, error)) return false;
  const uint32_t raw_size = AlignUp(section.size(), image.fileAlignment);
  const uint32_t raw_offset = AlignUp(out->size(), image.fileAlignment);
  out->resize(raw_offset, '\0');
  out->append(section);
  out->resize(uint64_t{raw_offset} + raw_size, '\0');

  for (size_t i = 0; i < image.sections.size(); ++i) {
    if (image.sections[i].name == kResourceSectionName) {
      PutSectionName(out, image.sectionTableOffset + i * kSectionHeaderSize,
                     kRetiredResourceSectionName);
    }
  }
  const size_t header = image.sectionTableOffset + image.sections.size() * kSectionHeaderSize;
  out->replace(header, kSectionHeaderSize, std::string(kSectionHeaderSize, '\0'));
  PutSectionName(out, header, kResourceSectionName);
  StoreLittle32(out, header + 8, static_cast<uint32_t>(section.size()));
  StoreLittle32(out, header + 12, rva);
  StoreLittle32(out, header + 16, raw_size);
  StoreLittle32(out, header + 20, raw_offset);
  StoreLittle32(out, header + 36, kResourceSectionCharacteristics);
  const size_t count_field = image.fileHeaderOffset + kSectionCountField;
  const uint32_t count = static_cast<uint32_t>(image.sections.size() + 1);
  StoreLittle16(out, count_field, count);

  const uint32_t opt = image.optionalHeaderOffset;
  const uint32_t directories = opt + (image.is64 ? kDataDirectoryField64 : kDataDirectoryField32);
  StoreLittle32(out, directories + kResourceDirectoryIndex * 8, rva);
  StoreLittle32(out, directories + kResourceDirectoryIndex * 8 + 4,
                static_cast<uint32_t>(section.size()));
  StoreLittle32(out, opt + kSizeOfImageField,
                AlignUp(uint64_t{rva} + section.size(), image.sectionAlignment));
  StoreLittle32(out, opt + kSizeOfInitializedDataField,
                LoadLittle32(*out, opt + kSizeOfInitializedDataField) + raw_size);
  StoreLittle32(out, PeChecksumOffset(image), ComputePeChecksum(*out, PeChecksumOffset(image)));
  return true;
}

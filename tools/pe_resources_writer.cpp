#include "tools/pe_resources_writer.h"

#include <algorithm>

#include "media/byte_order.h"

namespace {

constexpr uint32_t kDirectoryHeaderSize = 16;
constexpr uint32_t kEntrySize = 8;
constexpr uint32_t kDataEntrySize = 16;
constexpr uint32_t kDataAlignment = 8;
constexpr uint32_t kHighBit = 0x80000000u;

bool KeyLess(const PeResource* a, const PeResource* b) {
  if (!(a->type == b->type)) return a->type < b->type;
  if (!(a->name == b->name)) return a->name < b->name;
  return a->language < b->language;
}

struct Node {
  ResourceKey key;
  std::vector<Node> children;        // empty at the language level
  const PeResource* leaf = nullptr;  // set at the language level
  uint32_t offset = 0;               // of its directory, or of its data entry for a leaf
};

void AddToTree(const PeResource* resource, Node* root) {
  const ResourceKey keys[] = {resource->type, resource->name, ResourceId(resource->language)};
  Node* node = root;
  for (const ResourceKey& key : keys) {
    // Entries arrive sorted, so a new key always goes at the end.
    if (node->children.empty() || !(node->children.back().key == key)) {
      node->children.push_back(Node{key, {}, nullptr, 0});
    }
    node = &node->children.back();
  }
  node->leaf = resource;
}

uint32_t DirectorySize(const Node& node) {
  return kDirectoryHeaderSize + kEntrySize * static_cast<uint32_t>(node.children.size());
}

// Breadth first, as resource compilers write it: the root, then every type
// directory, then every name directory, then the data entries.
std::vector<std::vector<Node*>> Levels(Node* root) {
  std::vector<std::vector<Node*>> levels{{root}};
  for (int depth = 0; depth < 3; ++depth) {
    std::vector<Node*> next;
    for (Node* node : levels.back()) {
      for (Node& child : node->children) next.push_back(&child);
    }
    levels.push_back(next);
  }
  return levels;
}

uint32_t AlignUp(uint32_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

}  // namespace

bool BuildResourceSection(const std::vector<PeResource>& resources, uint32_t section_rva,
                          std::string* section, std::string* error) {
  std::vector<const PeResource*> sorted;
  for (const PeResource& resource : resources) sorted.push_back(&resource);
  std::stable_sort(sorted.begin(), sorted.end(), KeyLess);
  for (size_t i = 1; i < sorted.size(); ++i) {
    if (!KeyLess(sorted[i - 1], sorted[i])) {
      *error = "two resources of type " + DescribeResourceKey(sorted[i]->type) + " with id " +
               DescribeResourceKey(sorted[i]->name) + " and language " +
               std::to_string(sorted[i]->language);
      return false;
    }
  }
  Node root;
  for (const PeResource* resource : sorted) AddToTree(resource, &root);
  const std::vector<std::vector<Node*>> levels = Levels(&root);

  uint32_t size = 0;
  for (int depth = 0; depth < 3; ++depth) {
    for (Node* node : levels[depth]) {
      node->offset = size;
      size += DirectorySize(*node);
    }
  }
  for (Node* leaf : levels[3]) {
    leaf->offset = size;
    size += kDataEntrySize;
  }
  // Names of types and resources, each stored once as a counted UTF-16 string.
  std::vector<std::pair<std::u16string, uint32_t>> names;
  for (int depth = 1; depth < 3; ++depth) {
    for (Node* node : levels[depth]) {
      if (node->key.isId) continue;
      auto found = std::find_if(names.begin(), names.end(),
                                [&](const auto& entry) { return entry.first == node->key.name; });
      if (found != names.end()) continue;
      names.emplace_back(node->key.name, size);
      size += 2 + 2 * static_cast<uint32_t>(node->key.name.size());
    }
  }
  std::vector<uint32_t> data_offsets;
  for (Node* leaf : levels[3]) {
    size = AlignUp(size, kDataAlignment);
    data_offsets.push_back(size);
    size += static_cast<uint32_t>(leaf->leaf->bytes.size());
  }
  section->assign(AlignUp(size, kDataAlignment), '\0');

  auto name_offset = [&](const ResourceKey& key) {
    for (const auto& entry : names) {
      if (entry.first == key.name) return entry.second;
    }
    return uint32_t{0};
  };
  for (int depth = 0; depth < 3; ++depth) {
    for (Node* node : levels[depth]) {
      uint32_t named = 0;
      for (const Node& child : node->children) named += child.key.isId ? 0 : 1;
      StoreLittle16(section, node->offset + 12, named);
      StoreLittle16(section, node->offset + 14,
                    static_cast<uint32_t>(node->children.size()) - named);
      uint32_t at = node->offset + kDirectoryHeaderSize;
      for (const Node& child : node->children) {
        StoreLittle32(section, at,
                      child.key.isId ? child.key.id : kHighBit | name_offset(child.key));
        StoreLittle32(section, at + 4, depth < 2 ? kHighBit | child.offset : child.offset);
        at += kEntrySize;
      }
    }
  }
  for (const auto& [name, offset] : names) {
    StoreLittle16(section, offset, static_cast<uint32_t>(name.size()));
    for (size_t i = 0; i < name.size(); ++i) StoreLittle16(section, offset + 2 + 2 * i, name[i]);
  }
  for (size_t i = 0; i < levels[3].size(); ++i) {
    const PeResource& resource = *levels[3][i]->leaf;
    const uint32_t entry = levels[3][i]->offset;
    StoreLittle32(section, entry, section_rva + data_offsets[i]);
    StoreLittle32(section, entry + 4, static_cast<uint32_t>(resource.bytes.size()));
    StoreLittle32(section, entry + 8, resource.codePage);
    section->replace(data_offsets[i], resource.bytes.size(), resource.bytes);
  }
  return true;
}

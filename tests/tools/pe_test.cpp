#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/byte_order.h"
#include "tests/tools/pe_test_image.h"
#include "tools/pe_image.h"
#include "tools/pe_patch.h"
#include "tools/pe_resources_writer.h"

namespace {

PeResource Resource(ResourceKey type, uint16_t id, std::string bytes, uint16_t language = 1036) {
  PeResource resource;
  resource.type = type;
  resource.name = ResourceId(id);
  resource.language = language;
  resource.bytes = std::move(bytes);
  return resource;
}

std::vector<PeResource> QuizResources() {
  return {Resource(ResourceName("PATCH"), 104, "quiz block"),
          Resource(ResourceName("PATCH"), 105, "codes"),
          Resource(ResourceName("IMG"), 401, std::string(1001, '\x21')),
          Resource(ResourceId(kResourceTypeRcData), 402, "\x89PNG"),
          Resource(ResourceId(5), 1001, "dialog", 1033)};
}

TEST(PeImage, PatchedImageReadsBackEveryResourceAndTheBuiltinBlock) {
  std::string patched, error;
  const std::string builtin(70, '\x5A');
  ASSERT_TRUE(PatchPlayerImage(MakeImage(), QuizResources(), builtin, &patched, &error)) << error;
  PeImage image;
  ASSERT_TRUE(ParsePeImage(patched, &image, &error)) << error;
  ASSERT_EQ(image.sections.size(), 3u);
  const PeSection& rsrc = image.sections[2];
  EXPECT_EQ(rsrc.name, ".rsrc");
  EXPECT_EQ(rsrc.virtualAddress, 0x3000u);
  EXPECT_EQ(rsrc.rawOffset % 0x200, 0u);
  EXPECT_EQ(image.directories[kResourceDirectoryIndex].rva, 0x3000u);
  EXPECT_EQ(image.sizeOfImage, 0x3000u + ((rsrc.virtualSize + 0xFFF) & ~0xFFFu));
  EXPECT_EQ(patched.substr(FindSection(image, ".tevra")->rawOffset, 70), builtin);

  std::vector<PeResource> read;
  ASSERT_TRUE(ReadPeResources(patched, image, &read, &error)) << error;
  ASSERT_EQ(read.size(), 5u);
  for (const PeResource& expected : QuizResources()) {
    const PeResource* found = FindResource(read, expected.type, expected.name);
    ASSERT_NE(found, nullptr) << DescribeResourceKey(expected.name);
    EXPECT_EQ(found->bytes, expected.bytes);
    EXPECT_EQ(found->language, expected.language);
  }
  // Tree order: named types first ("IMG" before "PATCH"), then ids ascending.
  EXPECT_EQ(DescribeResourceKey(read[0].type), "\"IMG\"");
  EXPECT_EQ(DescribeResourceKey(read[4].type), "10");
}

TEST(PeImage, ChecksumIsStoredAndCountsTheFileLength) {
  std::string patched, error;
  ASSERT_TRUE(
      PatchPlayerImage(MakeImage(), QuizResources(), std::string(70, '\0'), &patched, &error));
  PeImage image;
  ASSERT_TRUE(ParsePeImage(patched, &image, &error));
  const uint32_t at = PeChecksumOffset(image);
  EXPECT_EQ(LoadLittle32(patched, at), ComputePeChecksum(patched, at));
  // Words add with end-around carry: 0xFFFF + 0x0001 folds to 0x0001, plus length 4.
  EXPECT_EQ(ComputePeChecksum(std::string("\xFF\xFF\x01\x00", 4), 100), 1u + 4u);
}

TEST(PeImage, RepatchingReplacesTheResourceSection) {
  std::string once, twice, error;
  ASSERT_TRUE(PatchPlayerImage(MakeImage(), QuizResources(), std::string(70, '1'), &once, &error));
  ASSERT_TRUE(PatchPlayerImage(once, {Resource(ResourceName("PATCH"), 104, "other")},
                               std::string(70, '2'), &twice, &error));
  PeImage image;
  std::vector<PeResource> read;
  ASSERT_TRUE(ParsePeImage(twice, &image, &error));
  ASSERT_TRUE(ReadPeResources(twice, image, &read, &error)) << error;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].bytes, "other");
  EXPECT_EQ(FindSection(image, ".rsrc")->virtualAddress, image.directories[2].rva);
  EXPECT_NE(FindSection(image, ".rsrcold"), nullptr);
}

TEST(PeImage, PatchRefusals) {
  std::vector<PeResource> duplicates = QuizResources();
  duplicates.push_back(Resource(ResourceName("IMG"), 401, "again"));
  std::string small_section = MakeImage();
  Put(&small_section, 0x44 + 20 + 240 + 40 + 16, 0x20, 4);  // .tevra raw size 32
  const struct {
    const char* what;
    std::string player;
    std::vector<PeResource> resources;
    const char* reason;
  } cases[] = {
      {"duplicate ids", MakeImage(), duplicates, "two resources of type \"IMG\" with id 401"},
      {"no .tevra", MakeImage(false), QuizResources(), "no .tevra section"},
      {".tevra too small", small_section, QuizResources(), "smaller than the built-in block"},
      {"not a PE", "MZ but nothing else", QuizResources(), "no PE signature"},
  };
  for (const auto& c : cases) {
    std::string out, error;
    EXPECT_FALSE(PatchPlayerImage(c.player, c.resources, std::string(70, '\0'), &out, &error))
        << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

TEST(PeImage, EveryTruncationIsRefusedOrReadsWithinBounds) {
  std::string patched, error;
  ASSERT_TRUE(
      PatchPlayerImage(MakeImage(), QuizResources(), std::string(70, '\0'), &patched, &error));
  for (size_t length = 0; length < patched.size(); ++length) {
    const std::string cut = patched.substr(0, length);
    PeImage image;
    std::vector<PeResource> read;
    if (ParsePeImage(cut, &image, &error) && ReadPeResources(cut, image, &read, &error)) {
      // Only a cut inside the last data blob's padding can still read whole.
      EXPECT_EQ(read.size(), 5u) << length;
    }
  }
}

TEST(PeImage, MalformedHeadersAndTreesAreNamed) {
  std::string patched, error;
  ASSERT_TRUE(
      PatchPlayerImage(MakeImage(), QuizResources(), std::string(70, '\0'), &patched, &error));
  PeImage image;
  ASSERT_TRUE(ParsePeImage(patched, &image, &error));
  const uint32_t tree = FindSection(image, ".rsrc")->rawOffset;
  std::string looped = patched;
  Put(&looped, tree + 16 + 4, 0x80000000u, 4);  // first type entry points at the root again
  std::string huge_count = patched;
  Put(&huge_count, tree + 14, 0xFFFF, 2);
  std::string bad_magic = patched;
  Put(&bad_magic, 0x44 + 20, 0x999, 2);
  const struct {
    const char* what;
    std::string file;
    const char* reason;
  } cases[] = {
      {"empty", "", "no MZ header"},
      {"text file", "hello, world", "no MZ header"},
      {"bad magic", bad_magic, "optional header"},
      {"loop", looped, "three levels deep"},
      {"huge count", huge_count, "resource"},
  };
  for (const auto& c : cases) {
    std::vector<PeResource> read;
    const bool ok =
        ParsePeImage(c.file, &image, &error) && ReadPeResources(c.file, image, &read, &error);
    EXPECT_FALSE(ok) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

TEST(PeImage, ImageWithoutResourcesGivesAnEmptyList) {
  PeImage image;
  std::string error;
  std::vector<PeResource> read{Resource(ResourceId(1), 1, "stale")};
  ASSERT_TRUE(ParsePeImage(MakeImage(), &image, &error)) << error;
  ASSERT_TRUE(ReadPeResources(MakeImage(), image, &read, &error)) << error;
  EXPECT_TRUE(read.empty());
}

}  // namespace

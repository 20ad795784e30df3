// The built-in block must be found by section name alone in a built program:
// this test program carries one and looks for it in its own PE headers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "quiz/builtin_block.h"

TEVRA_BUILTIN_SECTION const unsigned char kBuiltinBlock[kBuiltinBlockSize] = {'T', 'e', 'v', 'r',
                                                                              'a'};

namespace {

constexpr DWORD kSectionPadding = 4;

TEST(BuiltinBlock, IsTheWholeContentOfTheTevraSection) {
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  const IMAGE_SECTION_HEADER* found = nullptr;
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (std::strncmp(reinterpret_cast<const char*>(section->Name), ".tevra", 8) == 0) {
      EXPECT_EQ(found, nullptr) << "two .tevra sections";
      found = section;
    }
  }
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(base + found->VirtualAddress, kBuiltinBlock);
  EXPECT_GE(found->Misc.VirtualSize, kBuiltinBlockSize);
  EXPECT_LT(found->Misc.VirtualSize, kBuiltinBlockSize + kSectionPadding);
}

}  // namespace

#include "tools/quiz_build.h"

#include <vector>

#include "tools/pe_image.h"
#include "tools/pe_patch.h"
#include "tools/quiz_files.h"

namespace {

constexpr uint16_t kQuizResourceId = 104;
constexpr uint16_t kCodesResourceId = 105;
// French (France): the language of the player's own resources when it has none to copy.
constexpr uint16_t kDefaultLanguage = 1036;

PeResource MakeResource(ResourceKey type, uint16_t id, uint16_t language, std::string bytes) {
  PeResource resource;
  resource.type = std::move(type);
  resource.name = ResourceId(id);
  resource.language = language;
  resource.bytes = std::move(bytes);
  return resource;
}

PeResource FileResource(StoredQuizFile stored, uint16_t language) {
  const uint16_t id = static_cast<uint16_t>(stored.file.id);
  ResourceKey type = stored.plain ? ResourceId(kResourceTypeRcData) : ResourceName("IMG");
  return MakeResource(std::move(type), id, language, std::move(stored.bytes));
}

std::string Bytes(const std::vector<unsigned char>& block) {
  return std::string(block.begin(), block.end());
}

}  // namespace

bool BuildQuizImage(std::string_view player, const QuizSource& source, const StoredQuiz& stored,
                    const QuizFileReader& read_file, const BuildProgress& progress,
                    std::string* exe, std::string* error) {
  PeImage image;
  std::vector<PeResource> resources;
  if (!ParsePeImage(player, &image, error) || !ReadPeResources(player, image, &resources, error)) {
    *error = "the player program: " + *error;
    return false;
  }
  const uint16_t language = resources.empty() ? kDefaultLanguage : resources.front().language;
  resources.push_back(
      MakeResource(ResourceName("PATCH"), kQuizResourceId, language, Bytes(stored.quiz)));
  resources.push_back(
      MakeResource(ResourceName("PATCH"), kCodesResourceId, language, Bytes(stored.codes)));
  const std::vector<QuizFile> files = ListQuizFiles(source);
  for (size_t i = 0; i < files.size(); ++i) {
    StoredQuizFile file;
    std::vector<Finding> findings;
    if (!StoreQuizFile(files[i], read_file, &file, &findings)) {
      *error = FormatFinding(findings.back(), "");
      return false;
    }
    progress((files[i].picture ? "picture " : "media file ") + std::to_string(i + 1) + " of " +
             std::to_string(files.size()) + ": " + files[i].path);
    resources.push_back(FileResource(std::move(file), language));
  }
  const std::string builtin = Bytes(stored.builtin);
  return PatchPlayerImage(player, resources, builtin, exe, error);
}

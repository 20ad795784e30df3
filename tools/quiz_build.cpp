#include "tools/quiz_build.h"

#include <vector>

#include "media/nibble_swap.h"
#include "tools/pe_image.h"
#include "tools/pe_patch.h"
#include "tools/quiz_unpack.h"

namespace {

constexpr uint16_t kQuizResourceId = 104;
constexpr uint16_t kCodesResourceId = 105;
constexpr int kPictureIdBase = 400;
constexpr int kAnswerPictureIdBase = 10400;
// French (France): the language of the player's own resources when it has none to copy.
constexpr uint16_t kDefaultLanguage = 1036;

struct QuizFile {
  std::string path;
  int id;
  bool picture;  // a picture may go in plain as PNG; media are always scrambled
};

std::vector<QuizFile> ListFiles(const QuizSource& source) {
  std::vector<QuizFile> files;
  for (size_t i = 0; i < source.questions.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const QuestionSource& question = source.questions[i];
    if (!question.picture.empty()) files.push_back({question.picture, kPictureIdBase + n, true});
    if (!question.answerPicture.empty()) {
      files.push_back({question.answerPicture, kAnswerPictureIdBase + n, true});
    }
    if (!question.media.empty()) files.push_back({question.media, kPictureIdBase + n, false});
  }
  return files;
}

PeResource MakeResource(ResourceKey type, uint16_t id, uint16_t language, std::string bytes) {
  PeResource resource;
  resource.type = std::move(type);
  resource.name = ResourceId(id);
  resource.language = language;
  resource.bytes = std::move(bytes);
  return resource;
}

// The player shows BMP, JPEG and GIF pictures through the scrambled "IMG"
// resources and PNG ones through its own decoder, which reads them plain.
PeResource FileResource(const QuizFile& file, uint16_t language, std::string bytes) {
  const uint16_t id = static_cast<uint16_t>(file.id);
  if (file.picture && PictureExtension(bytes) == "png") {
    return MakeResource(ResourceId(kResourceTypeRcData), id, language, std::move(bytes));
  }
  SwapNibbles(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  return MakeResource(ResourceName("IMG"), id, language, std::move(bytes));
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
  const std::vector<QuizFile> files = ListFiles(source);
  for (size_t i = 0; i < files.size(); ++i) {
    std::string bytes;
    if (!read_file(files[i].path, &bytes)) {
      *error = files[i].path + ": cannot be read";
      return false;
    }
    progress((files[i].picture ? "picture " : "media file ") + std::to_string(i + 1) + " of " +
             std::to_string(files.size()) + ": " + files[i].path);
    resources.push_back(FileResource(files[i], language, std::move(bytes)));
  }
  const std::string builtin = Bytes(stored.builtin);
  return PatchPlayerImage(player, resources, builtin, exe, error);
}

#include "tools/quiz_files.h"

#include "media/nibble_swap.h"
#include "quiz/quiz_kinds.h"
#include "media/png_decoder.h"
#include "tools/media_format.h"
#include "tools/quiz_unpack.h"

std::vector<QuizFile> ListQuizFiles(const QuizSource& quiz) {
  const bool pictures = PictureUse(quiz.displayMode) != FieldUse::kUnused;
  const bool answer_pictures = AnswerPictureUse(quiz.displayMode, quiz.kind) != FieldUse::kUnused;
  const bool media = MediaUse(quiz.displayMode) != FieldUse::kUnused;
  std::vector<QuizFile> files;
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const QuestionSource& question = quiz.questions[i];
    if (pictures && !question.picture.empty()) {
      files.push_back({n, "picture", question.picture, kPictureIdBase + n, true});
    }
    if (answer_pictures && !question.answerPicture.empty()) {
      files.push_back(
          {n, "answer_picture", question.answerPicture, kAnswerPictureIdBase + n, true});
    }
    if (media && !question.media.empty()) {
      files.push_back({n, "media", question.media, kPictureIdBase + n, false});
    }
  }
  return files;
}

namespace {

constexpr uint32_t kPictureBox = 300;
// A picture over twice the box on a side is shrunk for nothing but file size.
constexpr uint32_t kLargePictureFactor = 2;
constexpr uint32_t kPngMaxSquareSide = 8192;
static_assert(uint64_t{kPngMaxSquareSide} * kPngMaxSquareSide == kPngMaxPixels);

void AddFinding(const QuizFile& file, FindingCode code, std::vector<std::string> values,
                std::vector<Finding>* findings) {
  findings->push_back({code, file.question, file.field, 0, 0, std::move(values)});
}

// What keeps the player from showing a picture, if anything, and whether it is far too big.
void CheckPicture(const QuizFile& file, std::string_view bytes, std::vector<Finding>* findings) {
  uint32_t width = 0, height = 0;
  if (PictureExtension(bytes).empty() || !ReadPictureSize(bytes, &width, &height)) {
    AddFinding(file, FindingCode::kNotPicture, {file.path}, findings);
    return;
  }
  const std::vector<std::string> size = {file.path, std::to_string(width), std::to_string(height)};
  auto with = [&size](uint32_t limit) {
    std::vector<std::string> values = size;
    values.push_back(std::to_string(limit));
    return values;
  };
  if (PictureExtension(bytes) == "png" && (width > kPngMaxSide || height > kPngMaxSide)) {
    AddFinding(file, FindingCode::kPngSide, with(kPngMaxSide), findings);
  } else if (PictureExtension(bytes) == "png" && uint64_t{width} * height > kPngMaxPixels) {
    AddFinding(file, FindingCode::kPngPixels, with(kPngMaxSquareSide), findings);
  } else if (width > kLargePictureFactor * kPictureBox ||
             height > kLargePictureFactor * kPictureBox) {
    AddFinding(file, FindingCode::kLargePicture, size, findings);
  }
}

void CheckMedia(const QuizFile& file, std::string_view bytes, std::vector<Finding>* findings) {
  const MediaNaming naming = NameMedia(bytes);
  if (naming.format == naming.saved) return;
  if (naming.format.empty()) {
    AddFinding(file, FindingCode::kMediaUnrecognised, {file.path, naming.saved}, findings);
  } else {
    AddFinding(file, FindingCode::kMediaMisnamed, {file.path, naming.format, naming.saved},
               findings);
  }
}

}  // namespace

bool ReadCheckedQuizFile(const QuizFile& file, const QuizFileReader& read_file, std::string* bytes,
                         std::vector<Finding>* findings) {
  std::string why;
  if (!read_file(file.path, bytes, &why)) {
    if (why == kNoSuchFileReason) {
      AddFinding(file, FindingCode::kNoSuchFile, {file.path}, findings);
    } else {
      AddFinding(file, FindingCode::kFileUnreadable, {file.path, why}, findings);
    }
    return false;
  }
  const size_t before = findings->size();
  if (file.picture) {
    CheckPicture(file, *bytes, findings);
  } else {
    CheckMedia(file, *bytes, findings);
  }
  for (size_t i = before; i < findings->size(); ++i) {
    if (SeverityOf((*findings)[i].code) == Severity::kError) return false;
  }
  return true;
}

bool StoreQuizFile(const QuizFile& file, const QuizFileReader& read_file, StoredQuizFile* stored,
                   std::vector<Finding>* findings) {
  *stored = {file, false, ""};
  if (!ReadCheckedQuizFile(file, read_file, &stored->bytes, findings)) return false;
  // The player shows BMP, JPEG and GIF through the scrambled "IMG" resources
  // and PNG through its own decoder, which reads them plain.
  stored->plain = file.picture && PictureExtension(stored->bytes) == "png";
  if (!stored->plain) {
    SwapNibbles(reinterpret_cast<uint8_t*>(stored->bytes.data()), stored->bytes.size());
  }
  return true;
}

#include "tools/quiz_files.h"

#include "media/nibble_swap.h"
#include "quiz/quiz_kinds.h"
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

bool StoreQuizFile(const QuizFile& file, const QuizFileReader& read_file, StoredQuizFile* stored,
                   std::string* error) {
  const std::string where =
      "question " + std::to_string(file.question) + ", field '" + file.field + "': ";
  *stored = {file, false, "", ""};
  if (!read_file(file.path, &stored->bytes)) {
    *error = where + file.path + " cannot be read";
    return false;
  }
  if (file.picture) {
    if (const std::string fault = PictureFault(stored->bytes); !fault.empty()) {
      *error = where + file.path + " " + fault;
      return false;
    }
    // The player shows BMP, JPEG and GIF through the scrambled "IMG" resources
    // and PNG through its own decoder, which reads them plain.
    stored->plain = PictureExtension(stored->bytes) == "png";
  } else if (const std::string warning = MediaNameWarning(stored->bytes); !warning.empty()) {
    stored->warning = where + "warning: " + file.path + ": " + warning;
  }
  if (!stored->plain) {
    SwapNibbles(reinterpret_cast<uint8_t*>(stored->bytes.data()), stored->bytes.size());
  }
  return true;
}

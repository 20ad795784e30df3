#include "tools/quiz_unpack.h"

#include <cctype>
#include <cstdio>

#include "media/media_sniff.h"
#include "media/nibble_swap.h"
#include "quiz/block_decoder.h"
#include "quiz/builtin_block.h"
#include "quiz/quiz_data.h"
#include "quiz/quiz_kinds.h"
#include "quiz/quiz_text.h"
#include "tools/media_format.h"
#include "tools/pe_image.h"
#include "tools/pe_patch.h"
#include "tools/quiz_check.h"
#include "tools/quiz_files.h"
#include "tools/quiz_source_text.h"
#include "tools/quiz_toml_writer.h"

namespace {

constexpr uint16_t kQuizResourceId = 104;
constexpr uint16_t kCodesResourceId = 105;

struct DecodedBlock {
  std::vector<unsigned char> text;
  bool scrambled = false;
};

// As the player does: as stored first, descrambled when that fails, with one
// key position running across the blocks that needed it.
bool DecodeBlock(std::string_view stored, const char* name, int* key_position, DecodedBlock* block,
                 std::string* error) {
  std::vector<unsigned char> copy(stored.begin(), stored.end());
  if (DecodeQuizBlock(copy.data(), copy.size(), &block->text) == kBlockOk) return true;
  DescrambleQuizBlock(copy.data(), copy.size(), key_position);
  block->scrambled = true;
  if (DecodeQuizBlock(copy.data(), copy.size(), &block->text) == kBlockOk) return true;
  *error = std::string("the ") + name + " does not decode, stored or scrambled";
  return false;
}

// Checks what the loader would take but quiz.toml cannot say.
bool CheckSettings(const DecodedQuiz& quiz, std::string* error) {
  const int display = quiz.displayMode;
  const int count = quiz.questionCount;
  const int answers = quiz.answersPerQuestion;
  if (display < 0 || display >= kDisplayModeCount) {
    *error = "display mode " + std::to_string(display) + " is out of range (0 to 3)";
  } else if (count > kMaxQuestions) {
    *error =
        std::to_string(count) + " questions, over the limit of " + std::to_string(kMaxQuestions);
  } else if (count == 0) {
    *error = "the quiz has no questions";
  } else if (answers != 1 && answers != 2) {
    *error = std::to_string(answers) + " answers per question (1 or 2 expected)";
  } else if (display == kTextList && answers == 2) {
    *error = "a text list with two answers per question";
  } else {
    return true;
  }
  return false;
}

bool ReadQuiz(const DecodedBlock& block, DecodedQuiz* quiz, std::string* error) {
  const QuizTextFault fault = ReadQuizText(block.text.data(), block.text.size(), quiz);
  if (fault == QuizTextFault::kSettingsCut) {
    *error = "resource PATCH 104 ends before its settings";
    return false;
  }
  if (!CheckSettings(*quiz, error)) return false;
  // A kind is only read past 0 when the text reaches it.
  if (quiz->kind >= kKindCount) {
    *error = "kind " + std::to_string(quiz->kind) + " is over 9";
    return false;
  }
  if (fault == QuizTextFault::kFieldCut) {
    *error = "resource PATCH 104 ends inside a field";
    return false;
  }
  if (fault == QuizTextFault::kColourCut) {
    *error = "resource PATCH 104 ends before the panel colour";
    return false;
  }
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string FileName(const char* role, size_t number, const std::string& extension) {
  char name[64];
  std::snprintf(name, sizeof(name), "%s%02zu.%s", role, number, extension.c_str());
  return name;
}

// A picture: "IMG" scrambled first, as the player looks for it, else a plain PNG.
std::string TakePicture(const std::vector<PeResource>& resources, int id, const char* role,
                        size_t number, UnpackedQuiz* quiz) {
  const auto key = ResourceId(static_cast<uint16_t>(id));
  std::string bytes;
  if (const PeResource* img = FindResource(resources, ResourceName("IMG"), key)) {
    bytes = img->bytes;
    SwapNibbles(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  } else if (const PeResource* png =
                 FindResource(resources, ResourceId(kResourceTypeRcData), key)) {
    bytes = png->bytes;
  } else {
    return "";
  }
  std::string extension = PictureExtension(bytes);
  const std::string path = FileName(role, number, extension.empty() ? "bin" : extension);
  quiz->files.push_back({path, bytes});
  return path;
}

std::string TakeMedia(const std::vector<PeResource>& resources, int id, size_t number,
                      UnpackedQuiz* quiz) {
  const PeResource* img =
      FindResource(resources, ResourceName("IMG"), ResourceId(static_cast<uint16_t>(id)));
  if (!img) return "";
  std::string bytes = img->bytes;
  SwapNibbles(reinterpret_cast<uint8_t*>(bytes.data()), bytes.size());
  // Named by what it holds, which may differ from the name the player would give it.
  std::string format = RecogniseMediaFormat(bytes);
  if (format.empty()) {
    format = SniffMediaExtension(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  const std::string extension = Lower(format);
  const std::string path = FileName("media", number, extension);
  quiz->files.push_back({path, bytes});
  return path;
}

void TakeFiles(const std::vector<PeResource>& resources, UnpackedQuiz* quiz) {
  QuizSource& source = quiz->source;
  for (size_t i = 0; i < source.questions.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    QuestionSource& question = source.questions[i];
    if (DisplayTraitsOf(source.displayMode).pictures) {
      question.picture = TakePicture(resources, kPictureIdBase + n, "picture", n, quiz);
      question.answerPicture = TakePicture(resources, kAnswerPictureIdBase + n, "answer", n, quiz);
    } else if (DisplayTraitsOf(source.displayMode).media) {
      question.media = TakeMedia(resources, kPictureIdBase + n, n, quiz);
    }
  }
}

bool TakeResource(const std::vector<PeResource>& resources, uint16_t id, std::string_view* bytes,
                  std::string* error) {
  const PeResource* found = FindResource(resources, ResourceName("PATCH"), ResourceId(id));
  if (!found) {
    *error = "no quiz: the executable has no resource PATCH " + std::to_string(id);
    return false;
  }
  *bytes = found->bytes;
  return true;
}

// The stored quiz builds again: what check refuses but the author may keep
// (a typographic apostrophe in an answer) is written as accepted.
void AcceptWhatWasStored(const UnpackedQuiz& quiz, QuizSource* source) {
  const auto read_file = [&quiz](const std::string& path, std::string* bytes, std::string* why) {
    for (const OutputFile& file : quiz.files) {
      if (file.path == path) {
        *bytes = file.bytes;
        return true;
      }
    }
    *why = kNoSuchFileReason;
    return false;
  };
  for (const Finding& finding : CheckQuiz(*source, read_file)) {
    const char* name = CodeName(finding.code);
    if (SeverityOf(finding.code) == Severity::kError && IsAcceptable(finding.code) &&
        !IsAccepted(*source, finding.code)) {
      source->accepted.push_back(name);
    }
  }
}

}  // namespace

std::string PictureExtension(std::string_view bytes) {
  if (bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1A\n", 8)) return "png";
  if (bytes.substr(0, 3) == "\xFF\xD8\xFF") return "jpg";
  if (bytes.substr(0, 4) == "GIF8") return "gif";
  if (bytes.substr(0, 2) == "BM") return "bmp";
  return "";
}

bool UnpackQuiz(std::string_view exe, UnpackedQuiz* quiz, std::string* error) {
  PeImage image;
  std::vector<PeResource> resources;
  if (!ParsePeImage(exe, &image, error) || !ReadPeResources(exe, image, &resources, error)) {
    return false;
  }
  const PeSection* builtin_section = FindSection(image, kBuiltinSectionName);
  std::string_view quiz_block, codes_block;
  if (!builtin_section) {
    *error = "no quiz: the executable has no .tevra section";
    return false;
  }
  if (!TakeResource(resources, kQuizResourceId, &quiz_block, error) ||
      !TakeResource(resources, kCodesResourceId, &codes_block, error)) {
    return false;
  }
  if (builtin_section->rawSize < kBuiltinBlockSize ||
      uint64_t{builtin_section->rawOffset} + kBuiltinBlockSize > exe.size()) {
    *error = "the .tevra section is shorter than the built-in block";
    return false;
  }
  const std::string_view builtin = exe.substr(builtin_section->rawOffset, kBuiltinBlockSize);
  UnpackedQuiz result;
  DecodedBlock blocks[3];
  int key_position = 0;
  if (!DecodeBlock(builtin, "built-in block", &key_position, &blocks[0], error) ||
      !DecodeBlock(quiz_block, "resource PATCH 104", &key_position, &blocks[1], error) ||
      !DecodeBlock(codes_block, "resource PATCH 105", &key_position, &blocks[2], error)) {
    return false;
  }
  DecodedQuiz decoded;
  if (ReadBuiltinText(blocks[0].text.data(), blocks[0].text.size(), &decoded) !=
      QuizTextFault::kNone) {
    *error = "the built-in block ends inside a field";
    return false;
  }
  if (!ReadQuiz(blocks[1], &decoded, error)) return false;
  ReadCodesText(blocks[2].text.data(), blocks[2].text.size(), &decoded);
  result.source = QuizSourceOf(decoded);
  result.source.scramble = blocks[0].scrambled || blocks[1].scrambled || blocks[2].scrambled;
  TakeFiles(resources, &result);
  *quiz = std::move(result);
  return true;
}

bool UnpackQuizFolder(std::string_view exe, std::string_view source_name, UnpackedQuiz* quiz,
                      std::vector<OutputFile>* files, std::string* error) {
  if (!UnpackQuiz(exe, quiz, error)) return false;
  AcceptWhatWasStored(*quiz, &quiz->source);
  const std::string toml = FormatQuizToml(quiz->source);
  // What the source format refuses is found here, before anything is written.
  QuizSource reread;
  std::vector<Finding> faults;
  if (!ParseQuizSource(toml, source_name, &reread, &faults)) {
    *error = "the quiz cannot be written as quiz.toml:";
    for (const Finding& fault : faults) *error += "\n  " + FormatFinding(fault, source_name);
    return false;
  }
  *files = {{kQuizTomlName, toml}};
  files->insert(files->end(), quiz->files.begin(), quiz->files.end());
  return true;
}

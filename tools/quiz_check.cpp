#include "tools/quiz_check.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "media/byte_order.h"
#include "media/png_decoder.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_kinds.h"
#include "tools/codepage.h"
#include "tools/media_format.h"
#include "tools/quiz_files.h"
#include "tools/quiz_unpack.h"

namespace {

// Answers this short are judged right or wrong only (no hint words).
constexpr size_t kMaxAnswerWithoutHints = 3;
constexpr unsigned char kTypographicApostrophe = 0x92;
constexpr unsigned char kNoBreakSpace = 0xA0;
constexpr uint32_t kPictureBox = 300;
// A picture over twice the box on a side is shrunk for nothing but file size.
constexpr uint32_t kLargePictureFactor = 2;

bool ReadJpegSize(std::string_view b, uint32_t* width, uint32_t* height) {
  size_t at = 2;
  while (at + 9 <= b.size() && static_cast<unsigned char>(b[at]) == 0xFF) {
    const unsigned char marker = static_cast<unsigned char>(b[at + 1]);
    // Start-of-frame markers C0..CF, except DHT (C4), JPG (C8) and DAC (CC).
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      *height = LoadBig16(b, at + 5);
      *width = LoadBig16(b, at + 7);
      return true;
    }
    at += 2 + LoadBig16(b, at + 2);
  }
  return false;
}

struct Findings {
  std::string file;
  std::vector<QuizFinding>* out;

  void Add(bool error, int question, const std::string& field, const std::string& text) {
    std::string line = file + ": ";
    if (question) line += "question " + std::to_string(question) + ", ";
    if (!field.empty()) line += "field '" + field + "': ";
    line += error ? "" : "warning: ";
    out->push_back({error, line + text});
  }
};

std::string Shown(const std::string& cp1252) {
  return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

bool IsAccented(unsigned char b) {
  // Š Œ Ž š œ ž Ÿ and the letters from À on, less × and ÷.
  const bool special =
      b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9A || b == 0x9C || b == 0x9E || b == 0x9F;
  return special || (b >= 0xC0 && b != 0xD7 && b != 0xF7);
}

void CheckAnswer(const std::string& answer, int number, const std::string& field,
                 Findings* findings) {
  if (answer.size() <= kMaxAnswerWithoutHints) {
    findings->Add(false, number, field,
                  Shown(answer) +
                      " has 3 characters or fewer: it is judged right or wrong, "
                      "with no hint for a near miss");
  }
  if (answer.find(static_cast<char>(kTypographicApostrophe)) != std::string::npos) {
    findings->Add(false, number, field,
                  Shown(answer) +
                      " holds a typographic apostrophe (\xE2\x80\x99), which players "
                      "type as '");
  }
  if (answer.find(static_cast<char>(kNoBreakSpace)) != std::string::npos) {
    findings->Add(false, number, field,
                  Shown(answer) + " holds a non-breaking space, which players type as a space");
  }
  for (const char c : answer) {
    if (IsAccented(static_cast<unsigned char>(c))) {
      findings->Add(false, number, field,
                    Shown(answer) + " holds " + Shown(std::string(1, c)) +
                        ": players must type the accent, an unaccented letter counts as wrong");
      break;
    }
  }
}

std::string Folded(const std::string& answer) {
  std::string folded = answer;
  for (char& c : folded) c = static_cast<char>(FoldByte(UpcaseByte(static_cast<unsigned char>(c))));
  return folded;
}

void CheckAnswers(const QuizSource& quiz, Findings* findings) {
  std::map<std::string, int> first_with;  // folded answer -> question number
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const QuestionSource& question = quiz.questions[i];
    const bool two = quiz.answersPerQuestion == 2;
    CheckAnswer(question.answer1, number, two ? "answers[1]" : "answer", findings);
    if (two) CheckAnswer(question.answer2, number, "answers[2]", findings);
    const auto [at, inserted] = first_with.emplace(Folded(question.answer1), number);
    if (!inserted) {
      findings->Add(false, number, two ? "answers[1]" : "answer",
                    Shown(question.answer1) + " is also the answer of question " +
                        std::to_string(at->second));
    }
  }
}

void CheckCodes(const QuizSource& quiz, Findings* findings) {
  size_t last = quiz.codes.size();
  while (last > 0 && quiz.codes[last - 1].empty()) --last;
  if (last < quiz.questions.size()) {
    findings->Add(false, 0, "codes",
                  "no code for scores " + std::to_string(last + 1) + " to " +
                      std::to_string(quiz.questions.size()) +
                      ": players reaching them see an empty code field");
  }
}

// Why the display and kind leave a field unused.
std::string Unused(const QuizSource& quiz, const std::string& field) {
  const DisplayModeTraits& display = DisplayTraitsOf(quiz.displayMode);
  const std::string the = std::string("the \"") + display.name + "\" display";
  if (field == "picture") return the + " shows no pictures";
  if (field == "media") return the + " plays no media";
  if (field == "extra2") return "the player never shows a second extra text";
  if (field == "extra" && !display.grid) return the + " has no reveal labels";
  return "kind " + std::to_string(quiz.kind) + " never shows it in " + the;
}

// One field of one question against what the display and kind make of it.
void CheckField(const QuizSource& quiz, int number, const char* field, const std::string& value,
                FieldUse use, Findings* findings) {
  if (use == FieldUse::kUnused && !value.empty()) {
    findings->Add(false, number, field, Unused(quiz, field) + "; it is not stored");
  } else if (use == FieldUse::kNeeded && value.empty()) {
    const std::string why = std::string(field) == "picture"
                                ? "the question shows an empty box"
                                : "kind " + std::to_string(quiz.kind) + " shows it";
    findings->Add(false, number, field, "missing: " + why);
  }
}

void CheckFields(const QuizSource& quiz, Findings* findings) {
  const int display = quiz.displayMode;
  const int kind = quiz.kind;
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    const QuestionSource& q = quiz.questions[i];
    CheckField(quiz, n, "extra", q.extra, ExtraTextUse(display, kind), findings);
    CheckField(quiz, n, "extra2", q.extra2, SecondExtraTextUse(display, kind), findings);
    CheckField(quiz, n, "picture", q.picture, PictureUse(display), findings);
    CheckField(quiz, n, "answer_picture", q.answerPicture, AnswerPictureUse(display, kind),
               findings);
    CheckField(quiz, n, "media", q.media, MediaUse(display), findings);
  }
}

void CheckPicture(const std::string& path, int number, const char* field,
                  const QuizFileReader& read_file, Findings* findings) {
  std::string bytes;
  if (!read_file(path, &bytes)) {
    findings->Add(true, number, field, path + " cannot be read");
    return;
  }
  if (const std::string fault = PictureFault(bytes); !fault.empty()) {
    findings->Add(true, number, field, path + " " + fault);
    return;
  }
  uint32_t width = 0, height = 0;
  ReadPictureSize(bytes, &width, &height);
  if (width > kLargePictureFactor * kPictureBox || height > kLargePictureFactor * kPictureBox) {
    findings->Add(false, number, field,
                  path + " is " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels, shrunk into a 300-pixel box: a smaller picture plays the same");
  }
}

// The files that are stored: those the display and kind show.
void CheckFiles(const QuizSource& quiz, const QuizFileReader& read_file, Findings* findings) {
  for (const QuizFile& file : ListQuizFiles(quiz)) {
    if (file.picture) {
      CheckPicture(file.path, file.question, file.field, read_file, findings);
      continue;
    }
    std::string bytes;
    if (!read_file(file.path, &bytes)) {
      findings->Add(true, file.question, file.field, file.path + " cannot be read");
    } else if (const std::string warning = MediaNameWarning(bytes); !warning.empty()) {
      findings->Add(false, file.question, file.field, file.path + ": " + warning);
    }
  }
}

}  // namespace

bool ReadPictureSize(std::string_view b, uint32_t* width, uint32_t* height) {
  const std::string extension = PictureExtension(b);
  if (extension == "png" && b.size() >= 24 && b.substr(12, 4) == "IHDR") {
    *width = LoadBig32(b, 16);
    *height = LoadBig32(b, 20);
    return true;
  }
  if (extension == "gif" && b.size() >= 10) {
    *width = LoadLittle16(b, 6);
    *height = LoadLittle16(b, 8);
    return true;
  }
  if (extension == "bmp" && b.size() >= 26) {
    const bool core = LoadLittle32(b, 14) == 12;  // BITMAPCOREHEADER: 16-bit sizes
    *width = core ? LoadLittle16(b, 18) : LoadLittle32(b, 18);
    const uint32_t raw_height = core ? LoadLittle16(b, 20) : LoadLittle32(b, 22);
    // A negative height marks a top-down bitmap.
    const bool top_down = !core && (raw_height & 0x80000000u);
    *height = top_down ? 0u - raw_height : raw_height;
    return true;
  }
  return extension == "jpg" && ReadJpegSize(b, width, height);
}

std::string PictureFault(std::string_view bytes) {
  uint32_t width = 0, height = 0;
  if (PictureExtension(bytes).empty() || !ReadPictureSize(bytes, &width, &height)) {
    return "is not a PNG, JPEG, GIF or BMP picture";
  }
  if (PictureExtension(bytes) == "png" &&
      (width > kPngMaxSide || height > kPngMaxSide || uint64_t{width} * height > kPngMaxPixels)) {
    return "is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, over what the player's PNG decoder opens (8192 x 8192 in all)";
  }
  return "";
}

std::vector<QuizFinding> CheckQuiz(const QuizSource& quiz, std::string_view file_name,
                                   const QuizFileReader& read_file) {
  std::vector<QuizFinding> out;
  Findings findings{std::string(file_name), &out};
  CheckFiles(quiz, read_file, &findings);
  CheckAnswers(quiz, &findings);
  CheckCodes(quiz, &findings);
  CheckFields(quiz, &findings);
  return out;
}

bool ReadQuizFile(const std::string& toml_path, const std::string& path, std::string* bytes) {
  const std::filesystem::path full =
      std::filesystem::path(toml_path).parent_path() / std::filesystem::u8path(path);
  std::ifstream file(full, std::ios::binary);
  if (!file) return false;
  std::ostringstream text;
  text << file.rdbuf();
  *bytes = text.str();
  return !file.bad();
}

bool CheckQuizFolder(const std::string& path, QuizSource* quiz,
                     std::vector<QuizFinding>* findings) {
  std::vector<std::string> errors;
  if (!ReadQuizSource(path, quiz, &errors)) {
    for (const std::string& error : errors) findings->push_back({true, error});
    return false;
  }
  *findings = CheckQuiz(*quiz, path, [&](const std::string& file, std::string* bytes) {
    return ReadQuizFile(path, file, bytes);
  });
  for (const QuizFinding& finding : *findings) {
    if (finding.error) return false;
  }
  return true;
}

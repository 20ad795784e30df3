#include "tools/quiz_check.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <map>

#include "media/byte_order.h"
#include "media/png_decoder.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_kinds.h"
#include "tools/codepage.h"
#include "tools/output_files.h"
#include "tools/quiz_files.h"
#include "tools/quiz_unpack.h"
#include "tools/text_fit.h"

namespace {

// Answers this short are judged right or wrong only (no hint words).
constexpr size_t kMaxAnswerWithoutHints = 3;
constexpr unsigned char kTypographicApostrophe = 0x92;
constexpr unsigned char kNoBreakSpace = 0xA0;
constexpr char kHiddenAnswer[] = "-";

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

// Adds findings with their lines in the quiz.toml, unless the quiz accepts their code.
struct Findings {
  const QuizSource& quiz;
  std::vector<Finding>* out;

  void Add(FindingCode code, int question, const std::string& field,
           std::vector<std::string> values = {}) {
    if (IsAccepted(quiz, code)) return;
    out->push_back(
        {code, question, field, SourceLine(quiz, question, field), 0, std::move(values)});
  }
};

bool IsAccented(unsigned char b) {
  // Š Œ Ž š œ ž Ÿ and the letters from À on, less × and ÷.
  const bool special =
      b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9A || b == 0x9C || b == 0x9E || b == 0x9F;
  return special || (b >= 0xC0 && b != 0xD7 && b != 0xF7);
}

void CheckAnswer(const std::string& answer, int number, const std::string& field,
                 Findings* findings) {
  const std::string shown = Cp1252ToUtf8(answer);
  // "-" as a second answer hides the second box: nobody types it.
  const bool hidden_box = field == "answers[2]" && answer == kHiddenAnswer;
  if (answer.size() <= kMaxAnswerWithoutHints && !hidden_box) {
    findings->Add(FindingCode::kShortAnswer, number, field, {shown});
  }
  if (answer.find(static_cast<char>(kTypographicApostrophe)) != std::string::npos) {
    findings->Add(FindingCode::kTypographicApostrophe, number, field, {shown});
  }
  if (answer.find(static_cast<char>(kNoBreakSpace)) != std::string::npos) {
    findings->Add(FindingCode::kNoBreakSpace, number, field, {shown});
  }
  for (const char c : answer) {
    if (IsAccented(static_cast<unsigned char>(c))) {
      findings->Add(FindingCode::kAccent, number, field, {shown, Cp1252ToUtf8(std::string(1, c))});
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
      findings->Add(FindingCode::kSharedAnswer, number, two ? "answers[1]" : "answer",
                    {Cp1252ToUtf8(question.answer1), std::to_string(at->second)});
    }
  }
}

void CheckCodes(const QuizSource& quiz, Findings* findings) {
  size_t last = quiz.codes.size();
  while (last > 0 && quiz.codes[last - 1].empty()) --last;
  if (last < quiz.questions.size()) {
    // One missing score is named alone; several as a range.
    const std::string first = last + 1 < quiz.questions.size() ? std::to_string(last + 1) : "";
    findings->Add(FindingCode::kMissingCodes, 0, "codes",
                  {first, std::to_string(quiz.questions.size())});
  }
}

// One field of one question against what the display and kind make of it:
// the values are the display's name and the kind.
FindingCode UnusedCode(const QuizSource& quiz, const std::string& field) {
  if (field == "picture") return FindingCode::kPictureNotShown;
  if (field == "media") return FindingCode::kMediaNotShown;
  if (field == "extra2") return FindingCode::kExtra2NotShown;
  if (field == "extra" && !DisplayTraitsOf(quiz.displayMode).grid) {
    return FindingCode::kExtraNotShown;
  }
  return FindingCode::kNotShownByKind;
}

FindingCode NeededCode(const std::string& field) {
  if (field == "picture") return FindingCode::kNoPicture;
  if (field == "media") return FindingCode::kNoMedia;
  return FindingCode::kNeededByKind;
}

void CheckField(const QuizSource& quiz, int number, const std::string& field,
                const std::string& value, FieldUse use, Findings* findings) {
  const std::vector<std::string> values = {DisplayTraitsOf(quiz.displayMode).name,
                                           std::to_string(quiz.kind)};
  if (use == FieldUse::kUnused && !value.empty()) {
    findings->Add(UnusedCode(quiz, field), number, field, values);
  } else if (use == FieldUse::kNeeded && value.empty()) {
    findings->Add(NeededCode(field), number, field, values);
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

void CheckFit(const std::string& text, TextPlace place, int question, const std::string& field,
              Findings* findings) {
  if (text.empty()) return;
  const TextFit fit = FitText(text, place);
  if (fit.fits) return;
  const std::string shown = Cp1252ToUtf8(text);
  if (fit.placeLines == 1) {
    findings->Add(FindingCode::kTooWide, question, field,
                  {shown, std::to_string(fit.width), std::to_string(fit.placeWidth)});
  } else {
    findings->Add(FindingCode::kTooManyLines, question, field,
                  {shown, std::to_string(fit.lines), std::to_string(fit.placeWidth),
                   std::to_string(fit.placeLines)});
  }
}

// Every text the player shows, in the place that shows it at the window's starting size.
void CheckFits(const QuizSource& quiz, Findings* findings) {
  CheckFit(quiz.title, TextPlace::kTitle, 0, "title", findings);
  CheckFit(quiz.subtitle, TextPlace::kSubtitle, 0, "subtitle", findings);
  CheckFit(quiz.author, TextPlace::kAuthor, 0, "author", findings);
  CheckFit(quiz.link, TextPlace::kLink, 0, "link", findings);
  CheckFit(quiz.footer, TextPlace::kFooter, 0, "footer", findings);
  if (DisplayTraitsOf(quiz.displayMode).grid && quiz.answersPerQuestion == 2) {
    CheckFit(quiz.answerCaption1, TextPlace::kCaption, 0, "answer_captions[1]", findings);
    CheckFit(quiz.answerCaption2, TextPlace::kCaption, 0, "answer_captions[2]", findings);
  }
  for (size_t i = 0; i < quiz.codes.size(); ++i) {
    CheckFit(quiz.codes[i], TextPlace::kCode, 0, "codes[" + std::to_string(i + 1) + "]", findings);
  }
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    if (quiz.displayMode == kTextList) {
      CheckFit(quiz.questions[i].text, TextPlace::kQuestion, number, "text", findings);
    }
    if (ExtraTextUse(quiz.displayMode, quiz.kind) != FieldUse::kUnused) {
      CheckFit(quiz.questions[i].extra, TextPlace::kReveal, number, "extra", findings);
    }
  }
}

// The files that are stored: those the display and kind show.
void CheckFiles(const QuizSource& quiz, const QuizFileReader& read_file, Findings* findings) {
  for (const QuizFile& file : ListQuizFiles(quiz)) {
    std::vector<Finding> file_findings;
    std::string bytes;
    ReadCheckedQuizFile(file, read_file, &bytes, &file_findings);
    for (Finding& finding : file_findings) {
      findings->Add(finding.code, finding.question, finding.field, std::move(finding.values));
    }
  }
}

// In question order, then the quiz's own.
void SortByQuestion(std::vector<Finding>* findings) {
  std::stable_sort(findings->begin(), findings->end(), [](const Finding& a, const Finding& b) {
    return (a.question ? a.question : INT_MAX) < (b.question ? b.question : INT_MAX);
  });
}

// The names in the folder of a file the quiz names, to suggest the one meant.
std::vector<std::string> NamesBeside(const std::string& toml_path, const std::string& path) {
  std::filesystem::path folder =
      (NativePath(toml_path).parent_path() / NativePath(path)).parent_path();
  // A bare "quiz.toml" naming a bare "cercel.png": both in the current folder.
  if (folder.empty()) folder = ".";
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
    const std::filesystem::path relative = NativePath(path).parent_path() / entry.path().filename();
    names.push_back(relative.generic_u8string());
  }
  std::sort(names.begin(), names.end());
  return names;
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

std::vector<Finding> CheckQuiz(const QuizSource& quiz, const QuizFileReader& read_file) {
  std::vector<Finding> out;
  Findings findings{quiz, &out};
  CheckFiles(quiz, read_file, &findings);
  CheckAnswers(quiz, &findings);
  CheckCodes(quiz, &findings);
  CheckFields(quiz, &findings);
  CheckFits(quiz, &findings);
  SortByQuestion(&out);
  return out;
}

bool ReadQuizFile(const std::string& toml_path, const std::string& path, std::string* bytes,
                  std::string* why) {
  const std::filesystem::path full = NativePath(toml_path).parent_path() / NativePath(path);
  return ReadWholeFile(full.generic_u8string(), bytes, why);
}

bool CheckQuizFolder(const std::string& path, QuizSource* quiz, std::vector<Finding>* findings) {
  const std::string toml_path = QuizTomlPath(path);
  if (!ReadQuizSource(toml_path, quiz, findings)) return false;
  *findings = CheckQuiz(*quiz, [&](const std::string& file, std::string* bytes, std::string* why) {
    return ReadQuizFile(toml_path, file, bytes, why);
  });
  for (Finding& finding : *findings) {
    if (finding.code == FindingCode::kNoSuchFile) {
      finding.values.push_back(
          ClosestName(finding.values[0], NamesBeside(toml_path, finding.values[0])));
    }
  }
  return !HasError(*findings);
}

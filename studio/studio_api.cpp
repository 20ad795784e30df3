#include "studio/studio_api.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "answers/feedback_colour.h"
#include "media/picture_fit.h"
#include "quiz/quiz_kinds.h"
#include "tools/codepage.h"
#include "tools/judge_text.h"
#include "tools/player_image.h"
#include "tools/quiz_blocks.h"
#include "tools/quiz_build.h"
#include "tools/quiz_check.h"
#include "tools/quiz_files.h"
#include "tools/quiz_toml_writer.h"
#include "tools/quiz_unpack.h"

namespace {

struct Session {
  std::map<std::string, std::string> files;  // by name as added
  std::string quizName;                      // the file read as quiz.toml
  bool quizRead = false;
  std::vector<Finding> readErrors;
  QuizSource quiz;
  std::string exe;  // the last build
  std::string reply;
  // The editor's quiz: numbers set in place, texts kept as UTF-8 by question
  // (0 for the quiz's own) and key until written.
  QuizSource draft;
  std::map<std::pair<int, std::string>, std::string> draftTexts;
};

struct QuizText {
  const char* key;
  std::string QuizSource::*member;
};

constexpr QuizText kQuizTexts[] = {
    {"title", &QuizSource::title},
    {"author", &QuizSource::author},
    {"subtitle", &QuizSource::subtitle},
    {"link", &QuizSource::link},
    {"footer", &QuizSource::footer},
    {"caption1", &QuizSource::answerCaption1},
    {"caption2", &QuizSource::answerCaption2},
};

struct QuestionText {
  const char* key;
  std::string QuestionSource::*member;
  bool path;  // a file's path, UTF-8 as written; the other texts are code page 1252
};

constexpr QuestionText kQuestionTexts[] = {
    {"text", &QuestionSource::text, false},
    {"answer1", &QuestionSource::answer1, false},
    {"answer2", &QuestionSource::answer2, false},
    {"extra", &QuestionSource::extra, false},
    {"extra2", &QuestionSource::extra2, false},
    {"picture", &QuestionSource::picture, true},
    {"answer_picture", &QuestionSource::answerPicture, true},
    {"media", &QuestionSource::media, true},
};

Session session;

std::string FolderOf(const std::string& name) {
  const size_t slash = name.rfind('/');
  return slash == std::string::npos ? "" : name.substr(0, slash + 1);
}

std::string BaseName(const std::string& name) {
  return name.substr(FolderOf(name).size());
}

// The file a path of the quiz names: the one added under that path beside the
// quiz.toml, else the only one added with the same file name. Files picked in a
// browser's file dialog come without their folders, so a quiz naming
// "img/cercle.png" finds the "cercle.png" picked with it.
const std::string* FindFile(const std::string& path) {
  const auto exact = session.files.find(FolderOf(session.quizName) + path);
  if (exact != session.files.end()) return &exact->second;
  const std::string* found = nullptr;
  for (const auto& [name, bytes] : session.files) {
    if (BaseName(name) != BaseName(path)) continue;
    if (found) return nullptr;  // two candidates: neither is taken for it
    found = &bytes;
  }
  return found;
}

bool ReadSessionFile(const std::string& path, std::string* bytes, std::string* why) {
  const std::string* found = FindFile(path);
  if (found) *bytes = *found;
  *why = kNoSuchFileReason;
  return found != nullptr;
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

// Each finding as its record, its sentence ("message") and the line the
// command line prints for it ("text").
std::string FindingsJson(const std::vector<Finding>& findings) {
  std::string out = "[";
  for (const Finding& finding : findings) {
    if (out.size() > 1) out += ",";
    const bool error = SeverityOf(finding.code) == Severity::kError;
    std::string values = "[";
    for (const std::string& value : finding.values) {
      values += (values.size() > 1 ? "," : "") + QuoteUtf8(value);
    }
    out += std::string("{\"severity\":") + (error ? "\"error\"" : "\"warning\"") +
           ",\"code\":" + QuoteUtf8(CodeName(finding.code)) +
           ",\"question\":" + std::to_string(finding.question) +
           ",\"field\":" + QuoteUtf8(finding.field) + ",\"line\":" + std::to_string(finding.line) +
           ",\"values\":" + values + "]" + ",\"message\":" + QuoteUtf8(FindingText(finding)) +
           ",\"text\":" + QuoteUtf8(FormatFinding(finding, session.quizName)) + "}";
  }
  return out + "]";
}

// The command line's lines, a code found in many questions said once.
std::string LinesJson(const std::vector<Finding>& findings) {
  std::string out = "[";
  for (const FindingLine& line : FormatFindings(findings, session.quizName)) {
    if (out.size() > 1) out += ",";
    out += std::string("{\"severity\":") +
           (line.severity == Severity::kError ? "\"error\"" : "\"warning\"") +
           ",\"text\":" + QuoteUtf8(line.text) + "}";
  }
  return out + "]";
}

// What the page shows of the quiz read: its title, size and files.
std::string QuizJson() {
  std::string files = "[";
  for (const QuizFile& file : ListQuizFiles(session.quiz)) {
    if (files.size() > 1) files += ",";
    files += "{\"question\":" + std::to_string(file.question) +
             ",\"field\":" + QuoteUtf8(file.field) + ",\"path\":" + QuoteUtf8(file.path) +
             ",\"found\":" + Bool(FindFile(file.path) != nullptr) + "}";
  }
  return "{\"title\":" + QuoteUtf8(Cp1252ToUtf8(session.quiz.title)) +
         ",\"questions\":" + std::to_string(session.quiz.questions.size()) + ",\"files\":" + files +
         "]}";
}

// The members a reading gives, without braces.
std::string ReadMembers() {
  std::string out =
      "\"ok\":" + Bool(session.quizRead) + ",\"findings\":" + FindingsJson(session.readErrors);
  if (session.quizRead) out += ",\"quiz\":" + QuizJson();
  return out;
}

void ReadQuiz(const std::string& name) {
  session.quizName = name;
  session.quiz = {};
  session.quizRead = false;
  session.readErrors.clear();
  const auto file = session.files.find(name);
  if (file == session.files.end()) {
    session.readErrors.push_back({FindingCode::kUnreadable, 0, "", 0, 0, {kNoSuchFileReason}});
  } else {
    session.quizRead = ParseQuizSource(file->second, name, &session.quiz, &session.readErrors);
  }
}

// The field a fault of the stored blocks comes from: the built-in block holds
// the link and footer, and only scrambling can spoil it.
std::string BlockFaultField(const std::string& error) {
  if (error.rfind("the link and the footer", 0) == 0) return "link";
  if (error.find("scramble") != std::string::npos) return "scramble";
  return "";
}

// The reader's errors, or check's findings once the quiz reads and, when they
// hold no error, what keeps the quiz from fitting the player's blocks: the
// build would stop there, and the author should hear it while typing the
// link and footer rather than at the build.
std::vector<Finding> CheckSession() {
  if (!session.quizRead) return session.readErrors;
  std::vector<Finding> findings = CheckQuiz(session.quiz, ReadSessionFile);
  StoredQuiz stored;
  std::string error;
  if (!HasError(findings) && !BuildStoredQuiz(session.quiz, &stored, &error)) {
    const std::string field = BlockFaultField(error);
    findings.push_back(
        {FindingCode::kNotBuilt, 0, field, SourceLine(session.quiz, 0, field), 0, {error}});
  }
  return findings;
}

bool BuildSession(std::vector<Finding>* findings) {
  *findings = CheckSession();
  if (!session.quizRead || HasError(*findings)) return false;
  StoredQuiz stored;
  std::string error;
  const std::string_view player(reinterpret_cast<const char*>(kPlayerImage), kPlayerImageSize);
  if (kPlayerImageSize == 0) {
    error = "this studio was built without the player program";
  } else if (BuildStoredQuiz(session.quiz, &stored, &error) &&
             BuildQuizImage(
                 player, session.quiz, stored, ReadSessionFile, [](const std::string&) {},
                 &session.exe, &error)) {
    return true;
  }
  findings->push_back({FindingCode::kNotBuilt, 0, "", 0, 0, {error}});
  return false;
}

const char* Reply(std::string json) {
  session.reply = std::move(json);
  return session.reply.c_str();
}

const std::string* AddedFile(const char* name) {
  const auto file = session.files.find(name);
  return file == session.files.end() ? nullptr : &file->second;
}

std::string ColourJson(const char* word) {
  const FeedbackTone tone = FeedbackToneOf(word);
  if (tone == kToneNone) return "null";
  const FeedbackColour& colour = kToneColours[tone];
  char hex[sizeof("\"#rrggbb\"")];
  std::snprintf(hex, sizeof(hex), "\"#%02x%02x%02x\"", colour.red, colour.green, colour.blue);
  return hex;
}

bool ParseInt(const char* text, int low, int high, int* value) {
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || number < low || number > high) return false;
  *value = static_cast<int>(number);
  return true;
}

// Sets a number of the editor's quiz; false for a key that is not a number's.
bool SetDraftNumber(const std::string& key, const char* value) {
  QuizSource& quiz = session.draft;
  if (key == "display") {
    const int mode = DisplayModeNamed(value);
    if (mode >= 0) quiz.displayMode = mode;
    return mode >= 0;
  }
  if (key == "kind") return ParseInt(value, 0, kKindCount - 1, &quiz.kind);
  if (key == "answers_per_question") return ParseInt(value, 1, 2, &quiz.answersPerQuestion);
  if (key == "scramble") {
    quiz.scramble = std::string_view(value) == "true";
    return true;
  }
  if (key == "colour") {
    int red = 0, green = 0, blue = 0;
    char tail = 0;
    if (std::sscanf(value, "%d,%d,%d%c", &red, &green, &blue, &tail) != 3) return false;
    for (const int part : {red, green, blue}) {
      if (part < 0 || part > 255) return false;
    }
    quiz.red = static_cast<uint8_t>(red);
    quiz.green = static_cast<uint8_t>(green);
    quiz.blue = static_cast<uint8_t>(blue);
    return true;
  }
  return false;
}

bool IsDraftText(int question, const std::string& key) {
  if (question == 0) {
    if (key == "codes" || key == "accept") return true;
    for (const QuizText& field : kQuizTexts) {
      if (key == field.key) return true;
    }
    return false;
  }
  for (const QuestionText& field : kQuestionTexts) {
    if (key == field.key) return true;
  }
  return false;
}

// A text of the editor's quiz in code page 1252, or a finding and "".
std::string DraftCp1252(int question, const std::string& field, const std::string& utf8,
                        std::vector<Finding>* findings) {
  std::string cp1252, error, character;
  if (Utf8ToCp1252(utf8, &cp1252, &error, &character)) return cp1252;
  findings->push_back({FindingCode::kNotCodePage, question, field, 0, 0, {character}});
  return "";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The inverse of Lines: the editor shows lists as one text, a line an entry.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}

// The editor's texts put in place: the quiz's, its codes, its questions'.
std::vector<Finding> ApplyDraftTexts() {
  std::vector<Finding> findings;
  QuizSource& quiz = session.draft;
  for (const auto& [where, utf8] : session.draftTexts) {
    const auto& [question, key] = where;
    if (question == 0 && key == "codes") {
      quiz.codes.clear();
      for (const std::string& line : Lines(utf8)) {
        const std::string field = "codes[" + std::to_string(quiz.codes.size() + 1) + "]";
        quiz.codes.push_back(DraftCp1252(0, field, line, &findings));
      }
    }
    // The accepted codes, one a line; they are ASCII names, kept as given.
    if (question == 0 && key == "accept") {
      quiz.accepted.clear();
      for (const std::string& line : Lines(utf8)) {
        if (!line.empty()) quiz.accepted.push_back(line);
      }
    }
    for (const QuizText& field : kQuizTexts) {
      if (question == 0 && key == field.key) {
        quiz.*field.member = DraftCp1252(0, key, utf8, &findings);
      }
    }
    for (const QuestionText& field : kQuestionTexts) {
      if (question == 0 || key != field.key) continue;
      QuestionSource& target = quiz.questions[question - 1];
      target.*field.member = field.path ? utf8 : DraftCp1252(question, key, utf8, &findings);
    }
  }
  return findings;
}

std::string TextMember(const char* key, const std::string& utf8) {
  return QuoteUtf8(key) + ":" + QuoteUtf8(utf8);
}

std::string ModelJson(const QuizSource& quiz) {
  std::string out = "{";
  for (const QuizText& field : kQuizTexts) {
    out += TextMember(field.key, Cp1252ToUtf8(quiz.*field.member)) + ",";
  }
  out += TextMember("codes", Cp1252ToUtf8(JoinLines(quiz.codes))) + "," +
         TextMember("accept", JoinLines(quiz.accepted)) + "," +
         TextMember("display", DisplayTraitsOf(quiz.displayMode).name) +
         ",\"kind\":" + std::to_string(quiz.kind) +
         ",\"answers_per_question\":" + std::to_string(quiz.answersPerQuestion) + ",\"colour\":[" +
         std::to_string(quiz.red) + "," + std::to_string(quiz.green) + "," +
         std::to_string(quiz.blue) + "],\"scramble\":" + Bool(quiz.scramble) + ",\"questions\":[";
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    out += i ? ",{" : "{";
    for (const QuestionText& field : kQuestionTexts) {
      const std::string& text = quiz.questions[i].*field.member;
      out += (field.key == kQuestionTexts[0].key ? "" : ",") +
             TextMember(field.key, field.path ? text : Cp1252ToUtf8(text));
    }
    out += "}";
  }
  return out + "]}";
}

const char* FieldUseName(FieldUse use) {
  switch (use) {
    case FieldUse::kUnused:
      return "\"unused\"";
    case FieldUse::kOptional:
      return "\"optional\"";
    case FieldUse::kNeeded:
      break;
  }
  return "\"needed\"";
}

std::string UsesJson(int display, int kind) {
  return std::string("{\"extra\":") + FieldUseName(ExtraTextUse(display, kind)) +
         ",\"extra2\":" + FieldUseName(SecondExtraTextUse(display, kind)) +
         ",\"picture\":" + FieldUseName(PictureUse(display)) +
         ",\"answer_picture\":" + FieldUseName(AnswerPictureUse(display, kind)) +
         ",\"media\":" + FieldUseName(MediaUse(display)) + "}";
}

const char* RevealName(RevealLabel label) {
  switch (label) {
    case RevealLabel::kHiddenExtra:
      return "\"hidden-extra\"";
    case RevealLabel::kShownExtra:
      return "\"shown-extra\"";
    case RevealLabel::kWordHint:
      return "\"word-hint\"";
    case RevealLabel::kNone:
      break;
  }
  return "\"none\"";
}

std::string KindJson(const KindTraits& kind) {
  return "{\"extras\":" + std::to_string(kind.extraFields) +
         ",\"reveal\":" + RevealName(kind.revealLabel) +
         ",\"solvedLabel\":" + Bool(kind.showsLabelWhenSolved) +
         ",\"solvedExtra\":" + Bool(kind.showsExtraWhenSolved) +
         ",\"solvedMessage\":" + Bool(kind.showsMessageWhenSolved) +
         ",\"keepsLabel\":" + Bool(kind.keepsLabelWhenWrong) +
         ",\"allAtEnd\":" + Bool(kind.revealsAllAtEnd) + "}";
}

}  // namespace

void tevra_reset() {
  session = {};
}

int tevra_add_file(const char* name, const uint8_t* bytes, uint32_t size) {
  session.files[name].assign(reinterpret_cast<const char*>(bytes), size);
  return 1;
}

const char* tevra_read_quiz(const char* name) {
  ReadQuiz(name);
  return Reply("{" + ReadMembers() + "}");
}

const char* tevra_check() {
  const std::vector<Finding> findings = CheckSession();
  return Reply("{\"ok\":" + Bool(session.quizRead && !HasError(findings)) + ",\"findings\":" +
               FindingsJson(findings) + ",\"lines\":" + LinesJson(findings) + "}");
}

const char* tevra_build() {
  session.exe.clear();
  std::vector<Finding> findings;
  const bool ok = BuildSession(&findings);
  return Reply("{\"ok\":" + Bool(ok) + ",\"findings\":" + FindingsJson(findings) +
               ",\"size\":" + std::to_string(session.exe.size()) + "}");
}

const uint8_t* tevra_output_data() {
  return reinterpret_cast<const uint8_t*>(session.exe.data());
}

uint32_t tevra_output_size() {
  return static_cast<uint32_t>(session.exe.size());
}

const char* tevra_unpack(const char* name) {
  const std::string* exe = AddedFile(name);
  UnpackedQuiz unpacked;
  std::vector<OutputFile> files;
  std::string error = exe ? "" : "cannot be read";
  if (!exe || !UnpackQuizFolder(*exe, kQuizTomlName, &unpacked, &files, &error)) {
    return Reply("{\"ok\":false,\"error\":" + QuoteUtf8(std::string(name) + ": " + error) + "}");
  }
  tevra_reset();
  std::string names = "[";
  for (OutputFile& file : files) {
    if (names.size() > 1) names += ",";
    names += QuoteUtf8(file.path);
    session.files[file.path] = std::move(file.bytes);
  }
  ReadQuiz(kQuizTomlName);
  return Reply("{\"error\":\"\",\"files\":" + names + "]," + ReadMembers() + "}");
}

const uint8_t* tevra_file_data(const char* name) {
  const std::string* file = AddedFile(name);
  return file ? reinterpret_cast<const uint8_t*>(file->data()) : nullptr;
}

uint32_t tevra_file_size(const char* name) {
  const std::string* file = AddedFile(name);
  return file ? static_cast<uint32_t>(file->size()) : 0;
}

const char* tevra_write_toml() {
  return Reply(session.quizRead ? FormatQuizToml(session.quiz) : "");
}

const char* tevra_judge(const char* expected, const char* typed) {
  const char* word = nullptr;
  std::string error;
  if (!JudgeUtf8(expected, typed, &word, &error)) {
    return Reply("{\"ok\":false,\"error\":" + QuoteUtf8(error) + "}");
  }
  return Reply("{\"ok\":true,\"word\":" + QuoteUtf8(Cp1252ToUtf8(word)) +
               ",\"colour\":" + ColourJson(word) + "}");
}

void tevra_edit_start(int questions) {
  session.draft = {};
  session.draft.questions.resize(static_cast<size_t>(std::max(questions, 0)));
  session.draftTexts.clear();
}

int tevra_edit_set(int question, const char* key, const char* value) {
  if (question < 0 || static_cast<size_t>(question) > session.draft.questions.size()) return 0;
  if (question == 0 && SetDraftNumber(key, value)) return 1;
  if (!IsDraftText(question, key)) return 0;
  session.draftTexts[{question, key}] = value;
  return 1;
}

const char* tevra_edit_finish() {
  const std::vector<Finding> textFindings = ApplyDraftTexts();
  session.files[kQuizTomlName] = FormatQuizToml(session.draft);
  ReadQuiz(kQuizTomlName);
  session.readErrors.insert(session.readErrors.begin(), textFindings.begin(), textFindings.end());
  return Reply("{" + ReadMembers() + "}");
}

const char* tevra_model() {
  if (!session.quizRead) return Reply("{\"ok\":false}");
  return Reply("{\"ok\":true,\"quiz\":" + ModelJson(session.quiz) + "}");
}

const char* tevra_kinds() {
  std::string displays = "[", kinds = "[", uses = "[";
  for (int display = 0; display < kDisplayModeCount; ++display) {
    displays += (display ? "," : "") + QuoteUtf8(DisplayTraitsOf(display).name);
    uses += display ? ",[" : "[";
    for (int kind = 0; kind < kKindCount; ++kind)
      uses += (kind ? "," : "") + UsesJson(display, kind);
    uses += "]";
  }
  for (int kind = 0; kind < kKindCount; ++kind)
    kinds += (kind ? "," : "") + KindJson(KindTraitsOf(kind));
  return Reply("{\"displays\":" + displays + "],\"kinds\":" + kinds + "],\"uses\":" + uses + "]}");
}

const char* tevra_fit_picture(const char* name, int boxWidth, int boxHeight) {
  const std::string* file = AddedFile(name);
  uint32_t width = 0, height = 0;
  if (!file || !ReadPictureSize(*file, &width, &height)) return Reply("{\"ok\":false}");
  const PictureSize fitted =
      FitPictureSize(static_cast<int>(width), static_cast<int>(height), boxWidth, boxHeight);
  return Reply("{\"ok\":true,\"width\":" + std::to_string(width) + ",\"height\":" +
               std::to_string(height) + ",\"fitted\":{\"width\":" + std::to_string(fitted.width) +
               ",\"height\":" + std::to_string(fitted.height) + "}}");
}

#include "studio/studio_api.h"

#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "answers/feedback_colour.h"
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
  std::vector<QuizFinding> readErrors;
  QuizSource quiz;
  std::string exe;  // the last build
  std::string reply;
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

bool ReadSessionFile(const std::string& path, std::string* bytes) {
  const std::string* found = FindFile(path);
  if (found) *bytes = *found;
  return found != nullptr;
}

std::string Bool(bool value) {
  return value ? "true" : "false";
}

std::string FindingsJson(const std::vector<QuizFinding>& findings) {
  std::string out = "[";
  for (const QuizFinding& finding : findings) {
    if (out.size() > 1) out += ",";
    out += "{\"severity\":";
    out += finding.error ? "\"error\"" : "\"warning\"";
    out += ",\"text\":" + QuoteUtf8(finding.text) + "}";
  }
  return out + "]";
}

bool HasError(const std::vector<QuizFinding>& findings) {
  for (const QuizFinding& finding : findings) {
    if (finding.error) return true;
  }
  return false;
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
  std::vector<std::string> errors;
  const auto file = session.files.find(name);
  if (file == session.files.end()) {
    errors.push_back(name + ": cannot be read");
  } else {
    session.quizRead = ParseQuizSource(file->second, name, &session.quiz, &errors);
  }
  for (const std::string& error : errors) session.readErrors.push_back({true, error});
}

// The reader's errors, or check's findings once the quiz reads.
std::vector<QuizFinding> CheckSession() {
  if (!session.quizRead) return session.readErrors;
  return CheckQuiz(session.quiz, session.quizName, ReadSessionFile);
}

bool BuildSession(std::vector<QuizFinding>* findings) {
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
  findings->push_back({true, session.quizName + ": " + error});
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
  const std::vector<QuizFinding> findings = CheckSession();
  return Reply("{\"ok\":" + Bool(session.quizRead && !HasError(findings)) +
               ",\"findings\":" + FindingsJson(findings) + "}");
}

const char* tevra_build() {
  session.exe.clear();
  std::vector<QuizFinding> findings;
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
  if (!exe || !UnpackQuizFolder(*exe, &unpacked, &files, &error)) {
    return Reply("{\"ok\":false,\"error\":" + QuoteUtf8(std::string(name) + ": " + error) + "}");
  }
  tevra_reset();
  std::string names = "[";
  for (OutputFile& file : files) {
    if (names.size() > 1) names += ",";
    names += QuoteUtf8(file.path);
    session.files[file.path] = std::move(file.bytes);
  }
  ReadQuiz(kQuizSourceName);
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

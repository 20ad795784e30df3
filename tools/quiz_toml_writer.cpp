#include "tools/quiz_toml_writer.h"

#include <cstdio>
#include <vector>

#include "quiz/quiz_kinds.h"
#include "tools/codepage.h"

namespace {

constexpr int kTypeableFirst = 0x20;
constexpr int kDelete = 0x7F;

// A TOML basic string of UTF-8 text.
std::string Quote(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out.push_back('\\');
      out.push_back(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (b < kTypeableFirst || b == kDelete) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04X", b);
      out += escape;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

// Quotes a code page 1252 text.
std::string Text(const std::string& cp1252) {
  return Quote(Cp1252ToUtf8(cp1252));
}

std::string Array(const std::vector<std::string>& items, std::string (*quote)(const std::string&)) {
  std::string array = "[";
  for (size_t i = 0; i < items.size(); ++i) array += (i ? ", " : "") + quote(items[i]);
  return array + "]";
}

void Line(std::string* out, const char* key, const std::string& value) {
  out->append(key).append(" = ").append(value).push_back('\n');
}

void OptionalText(std::string* out, const char* key, const std::string& cp1252) {
  if (!cp1252.empty()) Line(out, key, Text(cp1252));
}

void OptionalPath(std::string* out, const char* key, const std::string& utf8) {
  if (!utf8.empty()) Line(out, key, Quote(utf8));
}

}  // namespace

std::string FormatQuizToml(const QuizSource& quiz) {
  std::string out;
  Line(&out, "title", Text(quiz.title));
  OptionalText(&out, "author", quiz.author);
  OptionalText(&out, "subtitle", quiz.subtitle);
  Line(&out, "display", Quote(DisplayTraitsOf(quiz.displayMode).name));
  Line(&out, "kind", std::to_string(quiz.kind));
  Line(&out, "answers_per_question", std::to_string(quiz.answersPerQuestion));
  if (!quiz.answerCaption1.empty() || !quiz.answerCaption2.empty()) {
    Line(&out, "answer_captions",
         "[" + Text(quiz.answerCaption1) + ", " + Text(quiz.answerCaption2) + "]");
  }
  Line(&out, "colour",
       "[" + std::to_string(quiz.red) + ", " + std::to_string(quiz.green) + ", " +
           std::to_string(quiz.blue) + "]");
  OptionalText(&out, "link", quiz.link);
  OptionalText(&out, "footer", quiz.footer);
  Line(&out, "codes", Array(quiz.codes, Text));
  if (quiz.scramble) Line(&out, "scramble", "true");
  if (!quiz.accepted.empty()) Line(&out, "accept", Array(quiz.accepted, Quote));
  // Every stored text is written, and an empty one only where it is needed.
  const int extras = KindTraitsOf(quiz.kind).extraFields;
  const bool extra_used = ExtraTextUse(quiz.displayMode, quiz.kind) != FieldUse::kUnused;
  for (const QuestionSource& question : quiz.questions) {
    out += "\n[[question]]\n";
    Line(&out, "text", Text(question.text));
    if (quiz.answersPerQuestion == 2) {
      Line(&out, "answers", "[" + Text(question.answer1) + ", " + Text(question.answer2) + "]");
    } else {
      Line(&out, "answer", Text(question.answer1));
    }
    if (extras >= 1 && (extra_used || !question.extra.empty())) {
      Line(&out, "extra", Text(question.extra));
    }
    OptionalText(&out, "extra2", extras >= 2 ? question.extra2 : "");
    OptionalPath(&out, "picture", question.picture);
    OptionalPath(&out, "answer_picture", question.answerPicture);
    OptionalPath(&out, "media", question.media);
  }
  return out;
}

std::string QuoteUtf8(const std::string& utf8) {
  return Quote(utf8);
}

#include "tools/quiz_source.h"

#include <fstream>
#include <iterator>
#include <sstream>

// The only translation unit that includes the (header-only) TOML parser.
#include <toml++/toml.h>

#include "quiz/quiz_data.h"
#include "tools/codepage.h"

namespace {

constexpr size_t kMaxFieldLength = kTextSize - 1;
constexpr size_t kMaxLinkLength = kLinkTextSize - 1;
constexpr size_t kMaxFooterLength = kFooterTextSize - 1;
constexpr int kMaxKind = 9;
constexpr int kMaxColourComponent = 255;
constexpr int kDisplayText = 0;
constexpr int kDisplayPictures = 1;

const char* const kDisplayNames[] = {"text", "pictures", "audio", "video"};
constexpr int kDisplayCount = sizeof(kDisplayNames) / sizeof(kDisplayNames[0]);

const char* const kTopLevelKeys[] = {
    "title",           "author", "subtitle", "display", "kind",  "answers_per_question",
    "answer_captions", "colour", "link",     "footer",  "codes", "scramble",
    "question"};
const char* const kQuestionKeys[] = {"text",   "answer",  "answers",        "extra",
                                     "extra2", "picture", "answer_picture", "media"};

// What a text may hold besides its length.
struct TextRule {
  size_t maxLength;
  bool barEndsField;  // a '|' would end the field early in the stored quiz
  bool oneLine;
  bool typeable;  // an accepted answer: the player must be able to type it exactly
};

constexpr TextRule kFieldRule = {kMaxFieldLength, true, false, false};
constexpr TextRule kCodeRule = {kMaxFieldLength, false, true, false};
constexpr TextRule kAnswerRule = {kMaxAnswerLength, true, true, true};
constexpr TextRule kLinkRule = {kMaxLinkLength, true, true, false};
constexpr TextRule kFooterRule = {kMaxFooterLength, true, true, false};

// Where a fault lies: the question number from 1 (0 for the top level) and the field.
struct Where {
  int question;
  std::string field;
};

struct Context {
  std::string_view file;
  std::vector<std::string>* errors;
};

void Report(const Context& context, const toml::node* node, const Where& where,
            const std::string& message) {
  std::string line(context.file);
  if (node && node->source().begin.line) line += ":" + std::to_string(node->source().begin.line);
  line += ": ";
  if (where.question) line += "question " + std::to_string(where.question) + ", ";
  line += "field '" + where.field + "': " + message;
  context.errors->push_back(line);
}

bool IsKnownKey(std::string_view key, const char* const* keys, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (key == keys[i]) return true;
  }
  return false;
}

void ReportUnknownKeys(const Context& context, const toml::table& table, int question,
                       const char* const* keys, size_t count) {
  for (const auto& [key, node] : table) {
    if (!IsKnownKey(key.str(), keys, count)) {
      Report(context, &node, {question, std::string(key.str())}, "unknown field");
    }
  }
}

// Converts one TOML string to code page 1252 and checks it against rule.
bool ConvertText(const Context& context, const toml::node& node, const Where& where,
                 const TextRule& rule, std::string* out) {
  const toml::value<std::string>* value = node.as_string();
  if (!value) {
    Report(context, &node, where, "must be a string");
    return false;
  }
  std::string text, error;
  if (!Utf8ToCp1252(value->get(), &text, &error)) {
    Report(context, &node, where, error);
    return false;
  }
  const size_t errors_before = context.errors->size();
  if (rule.barEndsField && text.find('|') != std::string::npos) {
    Report(context, &node, where, "contains '|', which the stored quiz uses to end a field");
  }
  if (rule.oneLine && text.find_first_of("\r\n") != std::string::npos) {
    Report(context, &node, where, "contains a line break");
  }
  if (rule.typeable) {
    if (text.empty()) {
      Report(context, &node, where, "is empty, so the question could never be solved");
    } else if (text.front() == ' ' || text.back() == ' ') {
      // Typed answers are trimmed before they are compared.
      Report(context, &node, where, "starts or ends with a space, so it could never be typed");
    }
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n') {
        Report(context, &node, where, "contains a control character, which cannot be typed");
        break;
      }
    }
  }
  if (text.size() > rule.maxLength) {
    Report(context, &node, where,
           "is " + std::to_string(text.size()) + " characters long, over the limit of " +
               std::to_string(rule.maxLength));
  }
  if (context.errors->size() != errors_before) return false;
  *out = std::move(text);
  return true;
}

void ReadOptionalText(const Context& context, const toml::table& table, int question,
                      const char* key, const TextRule& rule, std::string* out) {
  if (const toml::node* node = table.get(key)) {
    ConvertText(context, *node, {question, key}, rule, out);
  }
}

// An integer field with a default; out of range or of another type is a fault.
void ReadInteger(const Context& context, const toml::table& table, const char* key, int low,
                 int high, int* out) {
  const toml::node* node = table.get(key);
  if (!node) return;
  const toml::value<int64_t>* value = node->as_integer();
  if (!value || value->get() < low || value->get() > high) {
    Report(context, node, {0, key},
           "must be an integer from " + std::to_string(low) + " to " + std::to_string(high));
    return;
  }
  *out = static_cast<int>(value->get());
}

void ReadDisplay(const Context& context, const toml::table& table, int* display) {
  const toml::node* node = table.get("display");
  if (!node) return;
  const toml::value<std::string>* value = node->as_string();
  for (int mode = 0; value && mode < kDisplayCount; ++mode) {
    if (value->get() == kDisplayNames[mode]) {
      *display = mode;
      return;
    }
  }
  Report(context, node, {0, "display"},
         "must be one of \"text\", \"pictures\", \"audio\", \"video\"");
}

void ReadCaptions(const Context& context, const toml::table& table, QuizSource* quiz) {
  const toml::node* node = table.get("answer_captions");
  if (!node) return;
  const toml::array* array = node->as_array();
  if (!array || array->size() != 2) {
    Report(context, node, {0, "answer_captions"}, "must be an array of two strings");
    return;
  }
  ConvertText(context, *array->get(0), {0, "answer_captions[1]"}, kFieldRule,
              &quiz->answerCaption1);
  ConvertText(context, *array->get(1), {0, "answer_captions[2]"}, kFieldRule,
              &quiz->answerCaption2);
}

void ReadColour(const Context& context, const toml::table& table, QuizSource* quiz) {
  const toml::node* node = table.get("colour");
  if (!node) return;
  const toml::array* array = node->as_array();
  int components[3];
  bool valid = array && array->size() == 3;
  for (size_t i = 0; valid && i < 3; ++i) {
    const toml::value<int64_t>* value = array->get(i)->as_integer();
    valid = value && value->get() >= 0 && value->get() <= kMaxColourComponent;
    if (valid) components[i] = static_cast<int>(value->get());
  }
  if (!valid) {
    Report(context, node, {0, "colour"},
           "must be an array of three integers from 0 to 255 (red, green, blue)");
    return;
  }
  quiz->red = static_cast<uint8_t>(components[0]);
  quiz->green = static_cast<uint8_t>(components[1]);
  quiz->blue = static_cast<uint8_t>(components[2]);
}

void ReadScramble(const Context& context, const toml::table& table, QuizSource* quiz) {
  const toml::node* node = table.get("scramble");
  if (!node) return;
  if (const toml::value<bool>* value = node->as_boolean()) {
    quiz->scramble = value->get();
  } else {
    Report(context, node, {0, "scramble"}, "must be true or false");
  }
}

// Kind 1 stores its extra text but never shows it, so it may be left out there.
bool KindShowsExtra(int kind) {
  return StoredExtraFields(kind) > 0 && kind != 1;
}
bool KindShowsAnswerPicture(int kind) {
  return kind == 1 || kind == 3 || kind == 4 || kind == 6 || kind == 8;
}

void ReadAnswers(const Context& context, const toml::table& table, int number, int per_question,
                 QuestionSource* question) {
  const char* wanted = per_question == 1 ? "answer" : "answers";
  const char* other = per_question == 1 ? "answers" : "answer";
  if (const toml::node* node = table.get(other)) {
    Report(context, node, {number, other},
           std::string("does not go with answers_per_question = ") + std::to_string(per_question) +
               "; write '" + wanted + "'");
  }
  const toml::node* node = table.get(wanted);
  if (!node) {
    Report(context, &table, {number, wanted}, "missing");
    return;
  }
  if (per_question == 1) {
    ConvertText(context, *node, {number, "answer"}, kAnswerRule, &question->answer1);
    return;
  }
  const toml::array* array = node->as_array();
  if (!array || array->size() != 2) {
    Report(context, node, {number, "answers"}, "must be an array of two strings");
    return;
  }
  ConvertText(context, *array->get(0), {number, "answers[1]"}, kAnswerRule, &question->answer1);
  ConvertText(context, *array->get(1), {number, "answers[2]"}, kAnswerRule, &question->answer2);
}

void ReadExtras(const Context& context, const toml::table& table, int number, int kind,
                QuestionSource* question) {
  const toml::node* extra = table.get("extra");
  const toml::node* extra2 = table.get("extra2");
  if (extra && StoredExtraFields(kind) < 1) {
    Report(context, extra, {number, "extra"}, "is not used by kind " + std::to_string(kind));
  } else if (extra) {
    ConvertText(context, *extra, {number, "extra"}, kFieldRule, &question->extra);
  } else if (KindShowsExtra(kind)) {
    Report(context, &table, {number, "extra"},
           "missing: kind " + std::to_string(kind) + " shows it when the question is solved");
  }
  if (extra2 && StoredExtraFields(kind) < 2) {
    Report(context, extra2, {number, "extra2"}, "is not used by kind " + std::to_string(kind));
  } else if (extra2) {
    ConvertText(context, *extra2, {number, "extra2"}, kFieldRule, &question->extra2);
  }
}

// A media path: a non-empty string, and only where the display shows it.
void ReadPath(const Context& context, const toml::table& table, int number, const char* key,
              bool shown, const std::string& why_not, std::string* out) {
  const toml::node* node = table.get(key);
  if (!node) return;
  const toml::value<std::string>* value = node->as_string();
  if (!value || value->get().empty()) {
    Report(context, node, {number, key}, "must be a file path");
  } else if (!shown) {
    Report(context, node, {number, key}, "is never shown: " + why_not);
  } else {
    *out = value->get();
  }
}

void ReadQuestion(const Context& context, const toml::table& table, int number,
                  const QuizSource& quiz, QuestionSource* question) {
  ReportUnknownKeys(context, table, number, kQuestionKeys, std::size(kQuestionKeys));
  if (const toml::node* text = table.get("text")) {
    ConvertText(context, *text, {number, "text"}, kFieldRule, &question->text);
  } else if (quiz.displayMode == kDisplayText) {
    Report(context, &table, {number, "text"}, "missing: a text list shows it as the question");
  }
  ReadAnswers(context, table, number, quiz.answersPerQuestion, question);
  ReadExtras(context, table, number, quiz.kind, question);
  const bool pictures = quiz.displayMode == kDisplayPictures;
  const bool media = quiz.displayMode > kDisplayPictures;
  ReadPath(context, table, number, "picture", pictures, "the display is not \"pictures\"",
           &question->picture);
  ReadPath(context, table, number, "answer_picture", pictures && KindShowsAnswerPicture(quiz.kind),
           "only kinds 1, 3, 4, 6 and 8 of a \"pictures\" display show it",
           &question->answerPicture);
  ReadPath(context, table, number, "media", media, "the display is not \"audio\" or \"video\"",
           &question->media);
}

void ReadQuestions(const Context& context, const toml::table& root, QuizSource* quiz) {
  const toml::node* node = root.get("question");
  const toml::array* array = node ? node->as_array() : nullptr;
  if (!array || array->empty()) {
    Report(context, node, {0, "question"}, "the quiz needs at least one [[question]] table");
    return;
  }
  if (array->size() > static_cast<size_t>(kMaxQuestions)) {
    Report(context, node, {0, "question"},
           std::to_string(array->size()) + " questions, over the limit of " +
               std::to_string(kMaxQuestions));
    return;
  }
  quiz->questions.resize(array->size());
  for (size_t i = 0; i < array->size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const toml::table* table = array->get(i)->as_table();
    if (!table) {
      Report(context, array->get(i), {number, "question"}, "must be a [[question]] table");
      continue;
    }
    ReadQuestion(context, *table, number, *quiz, &quiz->questions[i]);
  }
}

// Codes come one per score level; missing levels get empty codes.
void ReadCodes(const Context& context, const toml::table& root, QuizSource* quiz) {
  const size_t count = quiz->questions.size();
  if (const toml::node* node = root.get("codes")) {
    const toml::array* array = node->as_array();
    if (!array) {
      Report(context, node, {0, "codes"}, "must be an array of strings");
    } else if (array->size() > count) {
      Report(context, node, {0, "codes"},
             std::to_string(array->size()) + " codes for " + std::to_string(count) +
                 " questions: the score only reaches " + std::to_string(count));
    } else {
      quiz->codes.resize(array->size());
      for (size_t i = 0; i < array->size(); ++i) {
        ConvertText(context, *array->get(i), {0, "codes[" + std::to_string(i + 1) + "]"}, kCodeRule,
                    &quiz->codes[i]);
      }
    }
  }
  quiz->codes.resize(count);
}

void ReadQuiz(const Context& context, const toml::table& root, QuizSource* quiz) {
  ReportUnknownKeys(context, root, 0, kTopLevelKeys, std::size(kTopLevelKeys));
  if (const toml::node* title = root.get("title")) {
    ConvertText(context, *title, {0, "title"}, kFieldRule, &quiz->title);
  } else {
    Report(context, nullptr, {0, "title"}, "missing");
  }
  ReadOptionalText(context, root, 0, "author", kFieldRule, &quiz->author);
  ReadOptionalText(context, root, 0, "subtitle", kFieldRule, &quiz->subtitle);
  ReadOptionalText(context, root, 0, "link", kLinkRule, &quiz->link);
  ReadOptionalText(context, root, 0, "footer", kFooterRule, &quiz->footer);
  ReadCaptions(context, root, quiz);
  ReadDisplay(context, root, &quiz->displayMode);
  ReadInteger(context, root, "kind", 0, kMaxKind, &quiz->kind);
  ReadInteger(context, root, "answers_per_question", 1, 2, &quiz->answersPerQuestion);
  if (quiz->displayMode == kDisplayText && quiz->answersPerQuestion == 2) {
    // A text list has one answer field per question: second answers could never be typed.
    Report(context, root.get("answers_per_question"), {0, "answers_per_question"},
           "a \"text\" display has one answer field per question; use 1 or a grid display");
  }
  ReadColour(context, root, quiz);
  ReadScramble(context, root, quiz);
  ReadQuestions(context, root, quiz);
  ReadCodes(context, root, quiz);
}

}  // namespace

int StoredExtraFields(int kind) {
  switch (kind) {
    case 1:
    case 2:
    case 4:
    case 7:
    case 8:
      return 1;
    case 3:
    case 6:
    case 9:
      return 2;
    default:
      return 0;
  }
}

bool ParseQuizSource(std::string_view toml, std::string_view file_name, QuizSource* quiz,
                     std::vector<std::string>* errors) {
  const Context context = {file_name, errors};
  const size_t errors_before = errors->size();
  toml::table root;
  try {
    root = toml::parse(toml, file_name);
  } catch (const toml::parse_error& error) {
    const toml::source_position& at = error.source().begin;
    errors->push_back(std::string(file_name) + ":" + std::to_string(at.line) + ":" +
                      std::to_string(at.column) +
                      ": TOML syntax error: " + std::string(error.description()));
    return false;
  }
  QuizSource result;
  ReadQuiz(context, root, &result);
  if (errors->size() != errors_before) return false;
  *quiz = std::move(result);
  return true;
}

bool ReadQuizSource(const std::string& path, QuizSource* quiz, std::vector<std::string>* errors) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file) {
    errors->push_back(path + ": cannot be read");
    return false;
  }
  return ParseQuizSource(text.str(), path, quiz, errors);
}

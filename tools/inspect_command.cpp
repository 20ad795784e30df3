// tevra-pack inspect: the quiz an executable carries, as readable quiz.toml
// text; what the player's loader makes of three stored blocks, as one JSON
// object; or what the block decoder makes of one block.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/block_decoder.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "tools/codepage.h"
#include "tools/commands.h"
#include "tools/output_files.h"
#include "tools/quiz_toml_writer.h"
#include "tools/quiz_unpack.h"

namespace {

constexpr char kUsage[] =
    "usage: tevra-pack inspect QUIZ.exe\n"
    "       tevra-pack inspect BLOCK0 BLOCK104 BLOCK105\n"
    "       tevra-pack inspect --block FILE\n"
    "With QUIZ.exe, prints the quiz the executable carries as the quiz.toml that\n"
    "'tevra-pack unpack' would write (answers in plain text), after a list of the\n"
    "picture and media files it holds; nothing is written.\n"
    "With three block files, loads the three stored blocks (the built-in block, resources 104 and "
    "105)\n"
    "exactly as the player does and prints what it holds as one JSON object:\n"
    "settings, texts (UTF-8), reward codes, questions with their folded answers\n"
    "in hex, and the message box the player would show (null when none). The\n"
    "exit status is 0 even when the player would fail to load; 1 when a file\n"
    "cannot be read.\n"
    "With --block, decodes FILE as stored (no descrambling) and prints\n"
    "'ok HEX' with the bytes produced, or 'fail CODE' with the decoder's result\n"
    "and exit status 1.\n";

bool ReadFileBytes(const char* path, std::vector<unsigned char>* bytes) {
  std::string text, why;
  if (!ReadWholeFile(path, &text, &why)) return false;
  bytes->assign(text.begin(), text.end());
  return true;
}

std::string Hex(const unsigned char* bytes, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (size_t i = 0; i < size; ++i) {
    hex.push_back(kDigits[bytes[i] >> 4]);
    hex.push_back(kDigits[bytes[i] & 0xF]);
  }
  return hex;
}

// A JSON string of code page 1252 text.
std::string JsonString(std::string_view cp1252) {
  std::string out = "\"";
  for (const char c : Cp1252ToUtf8(cp1252)) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", b);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonHex(const char* folded) {
  return "\"" + Hex(reinterpret_cast<const unsigned char*>(folded), std::strlen(folded)) + "\"";
}

std::string QuizJson(const QuizData& quiz, const LoadOutcome& outcome) {
  std::string json = "{";
  auto key = [&json](const char* name) {
    if (json.size() > 1) json += ", ";
    json += std::string("\"") + name + "\": ";
  };
  const std::pair<const char*, long long> numbers[] = {
      {"displayMode", quiz.displayMode},
      {"questionCount", quiz.questionCount},
      {"answersPerQuestion", quiz.answersPerQuestion},
      {"questionKind", quiz.questionKind},
      {"panelRed", quiz.panelRed},
      {"panelGreen", quiz.panelGreen},
      {"panelBlue", quiz.panelBlue}};
  for (const auto& [name, value] : numbers) {
    key(name);
    json += std::to_string(value);
  }
  const std::pair<const char*, const char*> texts[] = {{"title", quiz.title},
                                                       {"author", quiz.author},
                                                       {"subtitle", quiz.subtitle},
                                                       {"answerCaption1", quiz.answerCaption1},
                                                       {"answerCaption2", quiz.answerCaption2},
                                                       {"linkText", quiz.linkText},
                                                       {"footerText", quiz.footerText}};
  for (const auto& [name, value] : texts) {
    key(name);
    json += JsonString(value);
  }
  key("codes");
  json += "[";
  for (int i = 0; i < quiz.questionCount; ++i) {
    json += (i ? ", " : "") + JsonString(quiz.codes[i]);
  }
  json += "]";
  key("questions");
  json += "[";
  for (const Question* q = quiz.firstQuestion; q; q = q->next) {
    json += q == quiz.firstQuestion ? "" : ", ";
    json += "{\"answer1\": " + JsonHex(q->answer1) + ", \"answer2\": " + JsonHex(q->answer2) +
            ", \"questionText\": " + JsonString(q->questionText) +
            ", \"extraText\": " + JsonString(q->extraText) + "}";
  }
  json += "]";
  key("message");
  json += outcome.message ? JsonString(outcome.message) : "null";
  return json + "}";
}

int InspectBlock(const char* path) {
  std::vector<unsigned char> block, output;
  if (!ReadFileBytes(path, &block)) {
    Print(stderr, "tevra-pack inspect: cannot read %s\n", path);
    return kExitInputError;
  }
  const QuizBlockResult result = DecodeQuizBlock(block.data(), block.size(), &output);
  if (result != kBlockOk) {
    Print(stdout, "fail %d\n", static_cast<int>(result));
    return kExitInputError;
  }
  Print(stdout, "ok %s\n", Hex(output.data(), output.size()).c_str());
  return kExitOk;
}

int InspectExecutable(const char* path) {
  std::string exe, error;
  if (!ReadWholeFile(path, &exe, &error)) {
    Print(stderr, "%s: cannot be read (%s)\n", path, error.c_str());
    return kExitInputError;
  }
  UnpackedQuiz quiz;
  if (!UnpackQuiz(exe, &quiz, &error)) {
    Print(stderr, "%s: %s\n", path, error.c_str());
    return kExitInputError;
  }
  const size_t count = quiz.source.questions.size();
  Print(stdout, "# %s carries %zu question%s and %zu file%s\n", path, count, count == 1 ? "" : "s",
        quiz.files.size(), quiz.files.size() == 1 ? "" : "s");
  for (const OutputFile& file : quiz.files) {
    Print(stdout, "#   %s, %zu bytes\n", file.path.c_str(), file.bytes.size());
  }
  Print(stdout, "\n%s", FormatQuizToml(quiz.source).c_str());
  return kExitOk;
}

int InspectQuiz(char** paths) {
  std::vector<unsigned char> bytes[kQuizBlockCount];
  QuizBlocks blocks;
  for (int b = 0; b < kQuizBlockCount; ++b) {
    if (!ReadFileBytes(paths[b], &bytes[b])) {
      Print(stderr, "tevra-pack inspect: cannot read %s\n", paths[b]);
      return kExitInputError;
    }
    blocks.data[b] = bytes[b].data();
    blocks.size[b] = bytes[b].size();
  }
  static QuizData quiz;  // about 30 KB: kept off the stack
  InitQuizData(&quiz);
  const LoadOutcome outcome = LoadQuiz(&quiz, blocks);
  Print(stdout, "%s\n", QuizJson(quiz, outcome).c_str());
  DestroyQuizData(&quiz);
  return kExitOk;
}

}  // namespace

int RunInspect(int argc, char** argv) {
  if (argc == 1 && (std::strcmp(argv[0], "--help") == 0 || std::strcmp(argv[0], "-h") == 0)) {
    PrintText(stdout, kUsage);
    return kExitOk;
  }
  if (argc == 2 && std::strcmp(argv[0], "--block") == 0) return InspectBlock(argv[1]);
  if (argc == 1 && argv[0][0] != '-') return InspectExecutable(argv[0]);
  if (argc == kQuizBlockCount && argv[0][0] != '-') return InspectQuiz(argv);
  PrintText(stderr, kUsage);
  return kExitUsageError;
}

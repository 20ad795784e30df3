// 'check' and 'build' agree on every display and kind, with and without each
// optional question field: what check warns of as unused is what build leaves
// out, and neither refuses a field the other takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quiz/block_decoder.h"
#include "quiz/quiz_kinds.h"
#include "quiz/quiz_text.h"
#include "tools/quiz_blocks.h"
#include "tools/quiz_check.h"
#include "tools/quiz_files.h"
#include "tools/quiz_source.h"

namespace {

const std::string kPng =
    std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\x00\0\0\x00\x64", 24) + "rest";
const std::string kWave("RIFF\x24\x08\0\0WAVEfmt ", 16);

struct Field {
  const char* key;
  const char* value;
};
const Field kFields[] = {{"extra", "E"},
                         {"extra2", "F"},
                         {"picture", "p.png"},
                         {"answer_picture", "a.png"},
                         {"media", "m.wav"}};

FieldUse UseOf(const std::string& key, int display, int kind) {
  if (key == "extra") return ExtraTextUse(display, kind);
  if (key == "extra2") return SecondExtraTextUse(display, kind);
  if (key == "picture") return PictureUse(display);
  if (key == "answer_picture") return AnswerPictureUse(display, kind);
  return MediaUse(display);
}

std::string Toml(int display, int kind, bool withFields) {
  std::string toml = std::string("title = \"T\"\ndisplay = \"") + DisplayTraitsOf(display).name +
                     "\"\nkind = " + std::to_string(kind) +
                     "\ncodes = [\"X\"]\n[[question]]\ntext = \"Q\"\nanswer = \"Bonjour\"\n";
  for (const Field& field : kFields) {
    if (withFields) toml += std::string(field.key) + " = \"" + field.value + "\"\n";
  }
  return toml;
}

bool ReadFile(const std::string& path, std::string* bytes, std::string*) {
  *bytes = path == "m.wav" ? kWave : kPng;
  return true;
}

bool Warns(const std::vector<Finding>& findings, const std::string& key) {
  for (const Finding& finding : findings) {
    if (finding.field == key && SeverityOf(finding.code) == Severity::kWarning) return true;
  }
  return false;
}

bool Stores(const std::vector<QuizFile>& files, const std::string& key) {
  for (const QuizFile& file : files) {
    if (file.field == key) return true;
  }
  return false;
}

TEST(QuizFields, CheckAndBuildAgreeOnEveryDisplayAndKind) {
  for (int display = 0; display < kDisplayModeCount; ++display) {
    for (int kind = 0; kind < kKindCount; ++kind) {
      for (const bool withFields : {false, true}) {
        SCOPED_TRACE(Toml(display, kind, withFields));
        QuizSource quiz;
        std::vector<Finding> errors;
        ASSERT_TRUE(ParseQuizSource(Toml(display, kind, withFields), "q.toml", &quiz, &errors));
        const std::vector<Finding> findings = CheckQuiz(quiz, ReadFile);
        EXPECT_FALSE(HasError(findings)) << FormatFinding(findings.at(0), "q.toml");
        StoredQuiz stored;
        std::string error;
        ASSERT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << error;
        std::vector<unsigned char> text;
        ASSERT_EQ(DecodeQuizBlock(stored.quiz.data(), stored.quiz.size(), &text), kBlockOk);
        DecodedQuiz decoded;
        ASSERT_EQ(ReadQuizText(text.data(), text.size(), &decoded), QuizTextFault::kNone);
        const DecodedQuestion& question = decoded.questions.at(0);
        const std::vector<QuizFile> files = ListQuizFiles(quiz);
        for (const Field& field : kFields) {
          const FieldUse use = UseOf(field.key, display, kind);
          const bool warned = withFields ? use == FieldUse::kUnused : use == FieldUse::kNeeded;
          EXPECT_EQ(Warns(findings, field.key), warned) << field.key;
          const bool kept = withFields && use != FieldUse::kUnused;
          const std::string key = field.key;
          if (key == "extra") {
            EXPECT_EQ(question.extra, kept ? "E" : "");
          } else if (key == "extra2") {
            EXPECT_EQ(question.extra2, kept ? "F" : "");
          } else {
            EXPECT_EQ(Stores(files, key), kept) << key;
          }
        }
      }
    }
  }
}

}  // namespace

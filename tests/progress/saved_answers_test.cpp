// The saved-answers file: reading lines back, naming the file, and building
// the bytes a save writes.
#include "progress/saved_answers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quiz/quiz_data.h"

namespace {

// Reads every field a file gives, `count` fields in all.
std::vector<std::string> ReadFields(std::string_view file, int count) {
  std::vector<std::string> fields;
  size_t position = 0;
  for (int i = 0; i < count; ++i) {
    char text[kAnswerFieldLength];
    size_t length = ReadSavedLine(file, &position, text);
    EXPECT_LE(position, file.size());
    fields.emplace_back(text, length);
  }
  return fields;
}

struct ReadCase {
  const char* name;
  std::string file;
  std::vector<std::string> fields;
};

TEST(SavedAnswersRead, GivesEachFieldItsLine) {
  const std::string long100(100, 'a');
  const std::string exactly85(kAnswerFieldLength, 'b');
  const ReadCase cases[] = {
      {"empty file", "", {"", "", ""}},
      {"crlf lines", "un\r\ndeux\r\n", {"un", "deux", ""}},
      {"empty line in the middle", "un\r\n\r\ntrois\r\n", {"un", "", "trois"}},
      {"last line without end", "un\r\ndeux", {"un", "deux", ""}},
      {"lone lf line ends", "un\ndeux\ntrois\n", {"un", "deux", "trois"}},
      {"mixed line ends", "un\ndeux\r\ntrois", {"un", "deux", "trois"}},
      {"100 bytes cut to 85",
       long100 + "\r\nsuite\r\n",
       {long100.substr(0, kAnswerFieldLength), "suite", ""}},
      {"exactly 85 bytes", exactly85 + "\r\nsuite\r\n", {exactly85, "suite", ""}},
      {"long line with lone lf",
       long100 + "\nsuite\n",
       {long100.substr(0, kAnswerFieldLength), "suite", ""}},
      {"text after a lone cr is dropped", "un\rcache\r\ndeux\r\n", {"un", "deux", ""}},
      {"code page 1252 bytes kept",
       "\xE9t\xE9\r\n\x9C"
       "uf\r\n",
       {"\xE9t\xE9", "\x9Cuf", ""}},
      {"surplus lines ignored", "a\r\nb\r\nc\r\nd\r\n", {"a", "b", "c"}},
      {"cr at the very end", "un\r", {"un", "", ""}},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(ReadFields(c.file, 3), c.fields) << c.name;
  }
}

TEST(SavedAnswersRead, NeverReadsPastTheView) {
  // The view is a prefix of a larger buffer: nothing past it may be copied.
  const std::string buffer = "abc\r\nXYZ";
  std::string_view view(buffer.data(), 4);  // "abc\r" without its LF
  EXPECT_EQ(ReadFields(view, 2), (std::vector<std::string>{"abc", ""}));
}

TEST(SavedAnswersName, ReplacesTheLastThreeCharacters) {
  const struct {
    const char* path;
    const char* name;
  } cases[] = {
      {"C:\\jeux\\Rezidazor.exe", "Rezidazor.txt"},
      {"Rezidazor.exe", "Rezidazor.txt"},
      {"C:\\a.b\\QUIZ.EXE", "QUIZ.txt"},
      {"C:\\jeux\\quiz", "qtxt"},
      {"C:\\jeux\\ab", "ab.txt"},
      {"C:\\jeux\\", ".txt"},
      {"C:\\caf\xE9\\Qu\xEAte.exe", "Qu\xEAte.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(SavedAnswersFileName(c.path), c.name) << c.path;
}

TEST(SavedAnswersSplit, KeepsEveryLineWithoutItsEnd) {
  EXPECT_EQ(SplitSavedLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitSavedLines("a\r\n\r\nc\r\n"), (std::vector<std::string>{"a", "", "c"}));
  EXPECT_EQ(SplitSavedLines("a\nb"), (std::vector<std::string>{"a", "b"}));
  // Unlike a field, a kept line is not cut: a line longer than a field stays whole.
  const std::string long100(100, 'x');
  EXPECT_EQ(SplitSavedLines(long100 + "\r\n"), std::vector<std::string>{long100});
}

TEST(SavedAnswersBuild, WritesOneCrLfLinePerField) {
  // Three questions with two fields each; the second field of question 2 is empty.
  std::vector<SavedField> fields = {{true, "PARIS"}, {true, "rome"},      {true, "  Berlin "},
                                    {true, ""},      {true, "\xC9t\xE9"}, {true, "-"}};
  EXPECT_EQ(BuildSavedAnswers(fields, {}), "PARIS\r\nrome\r\n  Berlin \r\n\r\n\xC9t\xE9\r\n-\r\n");
}

TEST(SavedAnswersBuild, FieldsNeverBuiltKeepTheirPreviousLine) {
  const std::vector<std::string> previous = {"ancien1", "ancien2", "ancien3"};
  const struct {
    const char* name;
    std::vector<SavedField> fields;
    std::string bytes;
  } cases[] = {
      {"rows stopped after the first field",
       {{true, "neuf"}, {false, ""}, {false, ""}, {false, ""}},
       "neuf\r\nancien2\r\nancien3\r\n\r\n"},
      {"built fields win, even empty",
       {{true, ""}, {true, "x"}, {false, ""}},
       "\r\nx\r\nancien3\r\n"},
      {"no field built at all", {{false, ""}, {false, ""}}, "ancien1\r\nancien2\r\n"},
      {"no fields", {}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildSavedAnswers(c.fields, previous), c.bytes) << c.name;
}

TEST(SavedAnswersBuild, SavingWhatWasReadGivesTheSameFile) {
  // Read back, then save again unchanged: nothing accumulates, LF files become CR LF.
  const struct {
    std::string file;
    std::string saved;
  } cases[] = {
      {"un\r\n\r\ntrois\r\n", "un\r\n\r\ntrois\r\n"},
      {"un\n\ntrois\n", "un\r\n\r\ntrois\r\n"},
      {"", "\r\n\r\n\r\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> texts = ReadFields(c.file, 3);
    std::vector<SavedField> fields;
    for (const std::string& t : texts) fields.push_back({true, t});
    std::string once = BuildSavedAnswers(fields, SplitSavedLines(c.file));
    EXPECT_EQ(once, c.saved);
    EXPECT_EQ(ReadFields(once, 3), texts);
  }
}

}  // namespace

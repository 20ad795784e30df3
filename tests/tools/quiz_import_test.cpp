// Spreadsheet exports read into rows, rows made into a quiz.toml, and the
// Wine loader 'play' looks for.
#include "tools/quiz_import.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tools/csv_table.h"
#include "tools/quiz_launch.h"
#include "tools/quiz_source.h"

namespace {

using namespace std::string_literals;

std::vector<CsvRow> Rows(const std::string& csv) {
  std::vector<CsvRow> rows;
  std::string error;
  EXPECT_TRUE(ParseCsv(csv, &rows, &error)) << error;
  return rows;
}

std::vector<std::string> Cells(const std::string& csv, size_t row) {
  const std::vector<CsvRow> rows = Rows(csv);
  return row < rows.size() ? rows[row].cells : std::vector<std::string>{};
}

std::string CsvError(const std::string& csv) {
  std::vector<CsvRow> rows;
  std::string error;
  EXPECT_FALSE(ParseCsv(csv, &rows, &error));
  return error;
}

using Strings = std::vector<std::string>;

TEST(CsvTable, ReadsTheSeparatorTheHeaderUses) {
  EXPECT_EQ(Cells("a,b;c\n1,2;3\n", 1), (Strings{"1", "2;3"}));
  EXPECT_EQ(Cells("a;b,c;d\n1;2,5;3\n", 1), (Strings{"1", "2,5", "3"}));
  // A separator inside a quoted header cell does not count.
  EXPECT_EQ(Cells("\"a;b;c\",d\n1;2,3\n", 1), (Strings{"1;2", "3"}));
}

TEST(CsvTable, QuotedCellsHoldSeparatorsQuotesAndLineBreaks) {
  const std::vector<CsvRow> rows =
      Rows("q;a\r\n\"Il dit \"\"non\"\" ; puis\r\nsort\";B\r\nC;\"\"\r\n");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].cells, (Strings{"Il dit \"non\" ; puis\nsort", "B"}));
  EXPECT_EQ(rows[2].cells, (Strings{"C", ""}));
  // A row is numbered by the line it starts on.
  EXPECT_EQ(rows[1].line, 2u);
  EXPECT_EQ(rows[2].line, 4u);
}

TEST(CsvTable, AnyLineEndAndTrailingSeparators) {
  const std::vector<CsvRow> rows = Rows("a,b\rc,\nd,e");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].cells, (Strings{"c", ""}));
  EXPECT_EQ(rows[2].cells, (Strings{"d", "e"}));
  EXPECT_TRUE(Rows("").empty());
}

TEST(CsvTable, ReadsUtf8WithOrWithoutMarkAndElseWindows1252) {
  EXPECT_EQ(Cells("\xEF\xBB\xBFq\n\xC3\xA9t\xC3\xA9\n", 1), (Strings{"\xC3\xA9t\xC3\xA9"}));
  EXPECT_EQ(Cells("q\n\xC3\xA9t\xC3\xA9\n", 0), (Strings{"q"}));
  // Windows-1252: é, the typographic apostrophe and œ, as UTF-8.
  EXPECT_EQ(Cells("q\n\xE9t\xE9 \x92 \x9C\n", 1),
            (Strings{"\xC3\xA9t\xC3\xA9 \xE2\x80\x99 \xC5\x93"}));
}

TEST(CsvTable, RefusesWhatItCannotRead) {
  EXPECT_NE(CsvError("\xFF\xFEq\0\n\0"s).find("UTF-16"), std::string::npos);
  EXPECT_EQ(CsvError("q,a\n1,\"open\n2,3\n"), "line 2: a quoted cell is never closed");
  EXPECT_EQ(CsvError("q,a\n\"x\"y,2\n"), "line 2: text after the closing quote of a cell");
  EXPECT_EQ(Cells("q,a\n\"x\"  ,2\n", 1), (Strings{"x", "2"}));
}

struct Imported {
  bool ok;
  std::string toml;
  QuizSource quiz;
  std::string errors;
};

Imported Import(const std::string& csv, int display = 0, int kind = 0) {
  Imported result;
  ImportedQuiz quiz;
  std::vector<std::string> errors;
  result.ok = ImportQuiz(Rows(csv), "q.csv", {"Titre", display, kind}, &quiz, &errors);
  for (const std::string& error : errors) result.errors += error + "\n";
  if (result.ok) {
    result.toml = quiz.toml;
    std::vector<Finding> faults;
    EXPECT_TRUE(ParseQuizSource(quiz.toml, "quiz.toml", &result.quiz, &faults));
    EXPECT_EQ(quiz.questions, result.quiz.questions.size());
  }
  return result;
}

TEST(QuizImport, OneQuestionPerRowTrimmedWithTheCodesInRowOrder) {
  const Imported imported = Import(
      "Question;Answer;Code\n"
      " Capitale de l'Italie ? ; Rome ;\n"
      ";;\n"
      "Capitale du Portugal ?;Lisbonne;BRAVO\n");
  ASSERT_TRUE(imported.ok) << imported.errors;
  const QuizSource& quiz = imported.quiz;
  EXPECT_EQ(quiz.title, "Titre");
  EXPECT_EQ(quiz.displayMode, 0);
  EXPECT_EQ(quiz.kind, 0);
  ASSERT_EQ(quiz.questions.size(), 2u);
  EXPECT_EQ(quiz.questions[0].text, "Capitale de l'Italie ?");
  EXPECT_EQ(quiz.questions[0].answer1, "Rome");
  EXPECT_EQ(quiz.questions[1].answer1, "Lisbonne");
  EXPECT_EQ(quiz.codes, (Strings{"", "BRAVO"}));
}

TEST(QuizImport, AnySecondAnswerGivesEveryQuestionTwoAndAMissingOneIsHidden) {
  const Imported imported = Import(
      "answer,answer2,picture,extra\n"
      "France,Paris,france.png,Bleu blanc rouge\n"
      "Japon,,japon.png,Un disque rouge\n",
      1, 2);
  ASSERT_TRUE(imported.ok) << imported.errors;
  const QuizSource& quiz = imported.quiz;
  EXPECT_EQ(quiz.answersPerQuestion, 2);
  EXPECT_EQ(quiz.questions[0].answer2, "Paris");
  EXPECT_EQ(quiz.questions[1].answer2, "-");
  EXPECT_EQ(quiz.questions[1].picture, "japon.png");
  EXPECT_EQ(quiz.questions[1].extra, "Un disque rouge");
}

TEST(QuizImport, TextsAreConvertedToTheCodePage) {
  const Imported imported = Import("question;answer\n\xC3\x89t\xC3\xA9 ?;\xC5\x92uvre\n");
  ASSERT_TRUE(imported.ok) << imported.errors;
  EXPECT_EQ(imported.quiz.questions[0].text, "\xC9t\xE9 ?");
  EXPECT_EQ(imported.quiz.questions[0].answer1, "\x8Cuvre");
}

TEST(QuizImport, BadRowsAreReportedByTheirLine) {
  const Imported imported = Import(
      "question,answer,code\n"
      "Q1,Un,\n"
      "\n"
      "Q2,,\n"
      "Q3,\xE4\xB8\xAD,\n"
      "Q4,Quatre,\"deux\nlignes\"\n");
  EXPECT_FALSE(imported.ok);
  EXPECT_EQ(imported.errors,
            "q.csv:5: column 'answer': character U+4E2D is not in code page 1252\n");
  const Imported empty = Import("question,answer,code\nQ1,Un,\n\nQ2,,\nQ3,Trois,\"a\nb\"\n");
  EXPECT_EQ(empty.errors,
            "q.csv:4: question 2, field 'answer': is empty, so the question could never be "
            "solved\n"
            "q.csv:5: field 'codes[3]': contains a line break\n");
}

TEST(QuizImport, TheHeaderAndTheColumnsMustSuitTheQuiz) {
  EXPECT_EQ(Import("question,reponse\nQ,R\n").errors,
            "q.csv:1: column 'reponse' is none of question, answer, answer2, extra, picture, "
            "media, code\n"
            "q.csv:1: no 'answer' column: the first row names the columns (question, answer, "
            "answer2, extra, picture, media, code)\n");
  EXPECT_EQ(Import("question,answer,Answer\nQ,A,B\n").errors,
            "q.csv:1: column 'answer' is named twice\n");
  EXPECT_EQ(Import("answer\nRome\n").errors,
            "q.csv:1: no 'question' column: a \"text\" display shows each question's text\n");
  const std::string errors =
      Import("question,answer,answer2,picture,media,extra\nQ,A,B,p.png,m.wav,E\n").errors;
  for (const char* column : {"'answer2'", "'picture'", "'media'", "'extra'"}) {
    EXPECT_NE(errors.find(column), std::string::npos) << errors;
  }
  EXPECT_EQ(Import("question,answer\n").errors, "q.csv:1: no question below the first row\n");
  EXPECT_EQ(Import("question,answer\nQ,A,surplus\n").errors,
            "q.csv:2: cell 3 is beyond the columns the first row names\n");
}

TEST(WineLookup, WineBeforeWine64InPathOrderThenDebiansLoader) {
  std::set<std::string> programs;
  const auto is_program = [&](const std::string& path) { return programs.count(path) > 0; };
  EXPECT_EQ(FindWine("/a:/b", is_program), "");
  programs = {"/usr/lib/wine/wine64"};
  EXPECT_EQ(FindWine("/a:/b", is_program), "/usr/lib/wine/wine64");
  programs.insert("/b/wine64");
  EXPECT_EQ(FindWine("/a:/b", is_program), "/b/wine64");
  programs.insert("/b/wine");
  programs.insert("/a/wine64");
  EXPECT_EQ(FindWine("/a:/b", is_program), "/b/wine");
  programs = {"./wine"};
  EXPECT_EQ(FindWine("/a::/b", is_program), "./wine");
}

}  // namespace

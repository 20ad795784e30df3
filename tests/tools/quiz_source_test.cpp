#include "tools/quiz_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/quiz_source_text.h"

namespace {

constexpr char kFile[] = "quiz.toml";

// A valid one-question text list; each case below adds to it or breaks it.
constexpr char kTitle[] = "title = \"T\"\n";
constexpr char kQuestion[] = "[[question]]\ntext = \"Q\"\nanswer = \"A\"\n";

std::string Questions(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += kQuestion;
  return out;
}

std::string Repeat(const std::string& piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

std::string JoinErrors(const std::vector<Finding>& errors) {
  std::string out;
  for (const Finding& error : errors) out += FormatFinding(error, kFile) + "\n";
  return out;
}

struct BadInput {
  const char* what;
  std::string toml;
  const char* expected;  // a fragment of the error text
};

// The author mistakes the packer must refuse, each with the words that point at it.
std::vector<BadInput> BadInputs() {
  const std::string grid = "title = \"T\"\ndisplay = \"pictures\"\nanswers_per_question = 2\n";
  return {
      {"TOML syntax", "title = \"T\n", "quiz.toml:1:11: TOML syntax error"},
      {"not UTF-8", kTitle + std::string("author = \"\xE9t\xE9\"\n"),
       "quiz.toml:2:11: is not UTF-8: save it as UTF-8"},
      {"text without quotes", "title = Test\n" + Questions(1),
       "(a text goes between double quotes: title = \"Test\")"},
      {"quotes inside a text", "title = \"Dis \"oui\" !\"\n" + Questions(1),
       "a double quote inside a text is written \\\""},
      {"backslash in a Windows path",
       "title = \"T\"\ndisplay = \"pictures\"\n[[question]]\nanswer = \"A\"\n"
       "picture = \"img\\cercle.png\"\n",
       "quiz.toml:5:"},
      {"backslash hint", "title = \"T\"\nfooter = \"C:\\dossier\"\n" + Questions(1),
       "write paths with / as in \"img/cercle.png\", or double the backslash"},
      {"setting after the first question", kTitle + std::string(kQuestion) + "kind = 2\n",
       "quiz.toml:5: question 1, field 'kind': is a setting of the whole quiz: written after the "
       "first [[question]], it belongs to that question"},
      {"near a known field", "title = \"T\"\ncolor = [1, 2, 3]\n" + Questions(1),
       "field 'color': unknown field (did you mean 'colour'?)"},
      {"near a setting, in a question", kTitle + std::string(kQuestion) + "color = [1, 2, 3]\n",
       "question 1, field 'color': unknown field (did you mean 'colour'?)"},
      {"code of no warning", "title = \"T\"\naccept = [\"acent\"]\n" + Questions(1),
       "field 'accept[1]': 'acent' is not the code of a warning (did you mean 'accent'?)"},
      {"an error is not accepted", "title = \"T\"\naccept = [\"too-long\"]\n" + Questions(1),
       "'too-long' is not the code of a warning"},
      {"accent in a bare key", "title = \"T\"\nl\xC3\xA9gende = 1\n" + Questions(1),
       "quiz.toml:2:2: TOML syntax error"},
      {"accent after a value", "title = \"\xC3\xA9t\xC3\xA9\" \xC3\xA9\n",
       "quiz.toml:1:15: TOML syntax error"},
      {"outside code page 1252", "title = \"\xE4\xB8\xAD\"\n" + Questions(1),
       "quiz.toml:1: field 'title': character U+4E2D is not in code page 1252"},
      {"U+0000", kTitle + std::string("[[question]]\ntext = \"a\\u0000b\"\nanswer = \"A\"\n"),
       "question 1, field 'text': character U+0000"},
      {"U+0081", kTitle + std::string("[[question]]\ntext = \"Q\"\nanswer = \"\\u0081\"\n"),
       "question 1, field 'answer': character U+0081"},
      {"U+008D", kTitle + Questions(1) + "[[question]]\ntext = \"\\u008D\"\nanswer = \"A\"\n",
       "question 2, field 'text': character U+008D"},
      {"U+008F", "title = \"\\u008F\"\n" + Questions(1), "field 'title': character U+008F"},
      {"U+0090", "title = \"T\"\nlink = \"\\u0090\"\n" + Questions(1),
       "field 'link': character U+0090"},
      {"U+009D", "title = \"T\"\ncodes = [\"\\u009D\"]\n" + Questions(1),
       "field 'codes[1]': character U+009D"},
      {"bar in a question", kTitle + std::string("[[question]]\ntext = \"a|b\"\nanswer = \"A\"\n"),
       "question 1, field 'text': contains '|'"},
      {"bar in an answer", kTitle + std::string("[[question]]\ntext = \"Q\"\nanswer = \"A|B\"\n"),
       "question 1, field 'answer': contains '|'"},
      {"bar in the footer", "title = \"T\"\nfooter = \"a|b\"\n" + Questions(1),
       "field 'footer': contains '|'"},
      {"bar in an extra text",
       "title = \"T\"\nkind = 2\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\nextra = \"|\"\n",
       "question 1, field 'extra': contains '|'"},
      {"line break in a code", "title = \"T\"\ncodes = [\"a\\nb\"]\n" + Questions(1),
       "field 'codes[1]': contains a line break"},
      {"carriage return in a code", "title = \"T\"\ncodes = [\"\", \"a\\rb\"]\n" + Questions(2),
       "field 'codes[2]': contains a line break"},
      {"field of 260", "title = \"" + std::string(260, 'x') + "\"\n" + Questions(1),
       "field 'title': is 260 characters long, over the limit of 259"},
      {"accented field of 260",
       kTitle + ("[[question]]\nanswer = \"A\"\ntext = \"" + Repeat("\xC3\xA9", 260) + "\"\n"),
       "question 1, field 'text': is 260 characters long, over the limit of 259"},
      {"code of 260", "title = \"T\"\ncodes = [\"" + std::string(260, 'c') + "\"]\n" + Questions(1),
       "field 'codes[1]': is 260 characters long"},
      {"answer of 86",
       kTitle + ("[[question]]\ntext = \"Q\"\nanswer = \"" + std::string(86, 'a') + "\"\n"),
       "question 1, field 'answer': is 86 characters long, over the limit of 85"},
      {"second answer of 86",
       grid + "[[question]]\nanswers = [\"a\", \"" + std::string(86, 'b') + "\"]\n",
       "question 1, field 'answers[2]': is 86 characters long"},
      {"link of 25", "title = \"T\"\nlink = \"" + std::string(25, 'l') + "\"\n" + Questions(1),
       "field 'link': is 25 characters long, over the limit of 24"},
      {"footer of 43", "title = \"T\"\nfooter = \"" + std::string(43, 'f') + "\"\n" + Questions(1),
       "field 'footer': is 43 characters long, over the limit of 42"},
      {"97 questions", kTitle + Questions(97),
       "field 'question': 97 questions, over the limit of 96"},
      {"no question", kTitle, "the quiz needs at least one [[question]] table"},
      {"kind 10", "title = \"T\"\nkind = 10\n" + Questions(1),
       "field 'kind': must be an integer from 0 to 9"},
      {"kind -1", "title = \"T\"\nkind = -1\n" + Questions(1), "field 'kind': must be an integer"},
      {"kind as text", "title = \"T\"\nkind = \"2\"\n" + Questions(1),
       "field 'kind': must be an integer"},
      {"unknown display", "title = \"T\"\ndisplay = \"grid\"\n" + Questions(1),
       "field 'display': must be one of"},
      {"three answers per question", "title = \"T\"\nanswers_per_question = 3\n" + Questions(1),
       "field 'answers_per_question': must be an integer from 1 to 2"},
      {"missing answer", kTitle + Questions(1) + "[[question]]\ntext = \"Q\"\n",
       "quiz.toml:5: question 2, field 'answer': missing"},
      {"missing second answer", grid + "[[question]]\nanswers = [\"a\"]\n",
       "question 1, field 'answers': must be an array of two strings"},
      {"one answer written as two", grid + "[[question]]\nanswer = \"a\"\n",
       "question 1, field 'answers': missing"},
      {"empty answer", kTitle + std::string("[[question]]\ntext = \"Q\"\nanswer = \"\"\n"),
       "question 1, field 'answer': is empty"},
      {"answer with an outer space",
       kTitle + std::string("[[question]]\ntext = \"Q\"\nanswer = \"Paris \"\n"),
       "field 'answer': starts or ends with a space"},
      {"answer with a tab",
       kTitle + std::string("[[question]]\ntext = \"Q\"\nanswer = \"a\\tb\"\n"),
       "field 'answer': contains a control character"},
      {"two answers in a text list", "title = \"T\"\nanswers_per_question = 2\n",
       "field 'answers_per_question': a \"text\" display has one answer field per question"},
      {"text missing in a text list", kTitle + std::string("[[question]]\nanswer = \"A\"\n"),
       "question 1, field 'text': missing"},
      {"empty picture path", kTitle + std::string(kQuestion) + "picture = \"\"\n",
       "question 1, field 'picture': must be a file path"},
      {"more codes than questions", "title = \"T\"\ncodes = [\"a\", \"b\"]\n" + Questions(1),
       "field 'codes': 2 codes, but the score only reaches 1"},
      {"misspelt field", "title = \"T\"\ntitel = \"U\"\n" + Questions(1),
       "field 'titel': unknown field (did you mean 'title'?)"},
      {"misspelt question field", kTitle + std::string(kQuestion) + "answr = \"B\"\n",
       "question 1, field 'answr': unknown field"},
      {"colour out of range", "title = \"T\"\ncolour = [256, 0, 0]\n" + Questions(1),
       "field 'colour': must be an array of three integers"},
      {"colour of two", "title = \"T\"\ncolour = [1, 2]\n" + Questions(1),
       "field 'colour': must be an array of three integers"},
      {"missing title", Questions(1), "field 'title': missing"},
  };
}

TEST(QuizSource, RefusesBadAuthorInput) {
  for (const BadInput& row : BadInputs()) {
    QuizSource quiz;
    quiz.title = "untouched";
    std::vector<Finding> errors;
    EXPECT_FALSE(ParseQuizSource(row.toml, kFile, &quiz, &errors)) << row.what;
    EXPECT_NE(JoinErrors(errors).find(row.expected), std::string::npos)
        << row.what << ": expected \"" << row.expected << "\" in\n"
        << JoinErrors(errors);
    EXPECT_EQ(quiz.title, "untouched") << row.what << ": a refused source must leave no result";
  }
}

TEST(QuizSource, AcceptsEveryLimitExactly) {
  const std::string toml = "title = \"" + Repeat("\xC3\xA9", 259) + "\"\nlink = \"" +
                           std::string(24, 'l') + "\"\nfooter = \"" + std::string(42, 'f') +
                           "\"\ncodes = [\"" + std::string(259, 'c') + "\"]\n" +
                           "[[question]]\ntext = \"Q\"\nanswer = \"" + std::string(85, 'a') +
                           "\"\n" + Questions(95);
  QuizSource quiz;
  std::vector<Finding> errors;
  ASSERT_TRUE(ParseQuizSource(toml, kFile, &quiz, &errors)) << JoinErrors(errors);
  EXPECT_EQ(quiz.title, std::string(259, '\xE9'));
  EXPECT_EQ(quiz.questions.size(), 96u);
  EXPECT_EQ(quiz.codes.size(), 96u);
}

TEST(QuizSource, ReadsEveryFieldAndPadsTheCodes) {
  const char toml[] =
      "title = \"Drapeaux d\xE2\x80\x99"
      "Europe\"\n"
      "author = \"Zo\xC3\xA9\"\nsubtitle = \"S\"\ndisplay = \"pictures\"\nkind = 3\n"
      "answers_per_question = 2\nanswer_captions = [\"Pays\", \"Capitale\"]\n"
      "colour = [1, 2, 3]\nlink = \"https://x.fr\"\nfooter = \"F\"\ncodes = [\"\", \"C\"]\n"
      "scramble = true\n"
      "[[question]]\nanswers = [\"France\", \"Paris\"]\nextra = \"E\"\nextra2 = \"E2\"\n"
      "picture = \"fr.png\"\nanswer_picture = \"fr-r\xC3\xA9ponse.png\"\n"
      "[[question]]\ntext = \"T\"\nanswers = [\"\xC5\x92il\", \"-\"]\nextra = \"\"\n"
      "[[question]]\nanswers = [\"a\", \"b\"]\nextra = \"x\"\n";
  QuizSource quiz;
  std::vector<Finding> errors;
  ASSERT_TRUE(ParseQuizSource(toml, kFile, &quiz, &errors)) << JoinErrors(errors);
  EXPECT_EQ(quiz.title,
            "Drapeaux d\x92"
            "Europe");
  EXPECT_EQ(quiz.author, "Zo\xE9");
  EXPECT_EQ(quiz.displayMode, 1);
  EXPECT_EQ(quiz.kind, 3);
  EXPECT_EQ(quiz.answersPerQuestion, 2);
  EXPECT_EQ(quiz.answerCaption2, "Capitale");
  EXPECT_EQ(quiz.red, 1);
  EXPECT_EQ(quiz.green, 2);
  EXPECT_EQ(quiz.blue, 3);
  EXPECT_EQ(quiz.link, "https://x.fr");
  EXPECT_TRUE(quiz.scramble);
  EXPECT_EQ(quiz.codes, (std::vector<std::string>{"", "C", ""}));
  ASSERT_EQ(quiz.questions.size(), 3u);
  EXPECT_EQ(quiz.questions[0].answer2, "Paris");
  EXPECT_EQ(quiz.questions[0].extra2, "E2");
  // Paths stay as written: they name files, not texts the player shows.
  EXPECT_EQ(quiz.questions[0].answerPicture, "fr-r\xC3\xA9ponse.png");
  EXPECT_EQ(quiz.questions[1].answer1, "\x8Cil");
  EXPECT_EQ(quiz.questions[1].answer2, "-");
}

// Accents are welcome in every kind of string and in comments.
TEST(QuizSource, AcceptsAccentsInEveryKindOfStringAndComment) {
  const std::string toml = std::string(
                               "# Titre : \xC3\xA9t\xC3\xA9\n"
                               "title = '\xC3\x89t\xC3\xA9'   # \xC3\xA9\n"
                               "subtitle = \"\"\"premi\xC3\xA8re\nligne \\\"\"\" \xC3\xA9\"\"\"\n"
                               "author = \'\'\'l'auteur \xC2\xAB \xC3\xA9 \xC2\xBB\'\'\'\n"
                               "footer = \"\"\"x\"\"\"\"\"  # \xC3\xA9 apr\xC3\xA8s\n") +
                           Questions(1);
  QuizSource quiz;
  std::vector<Finding> errors;
  ASSERT_TRUE(ParseQuizSource(toml, kFile, &quiz, &errors)) << JoinErrors(errors);
  EXPECT_EQ(quiz.title, "\xC9t\xE9");
  EXPECT_EQ(quiz.subtitle, "premi\xE8re\nligne \"\"\" \xE9");
  EXPECT_EQ(quiz.author, "l'auteur \xAB \xE9 \xBB");
  EXPECT_EQ(quiz.footer, "x\"\"");
}

TEST(QuizSource, ReportsEveryFaultInFileOrder) {
  const std::string toml = "title = \"T\"\nkind = 12\n[[question]]\ntext = \"a|b\"\n";
  QuizSource quiz;
  std::vector<Finding> errors;
  EXPECT_FALSE(ParseQuizSource(toml, kFile, &quiz, &errors));
  // In the order of the file, whatever the order the fields are checked in.
  EXPECT_EQ(JoinErrors(errors),
            "quiz.toml:2: field 'kind': must be an integer from 0 to 9\n"
            "quiz.toml:3: question 1, field 'answer': missing\n"
            "quiz.toml:4: question 1, field 'text': contains '|', which the stored quiz uses to "
            "end a field\n");
}

// The worked example of the stored quiz format: one question, text list, kind 0.
TEST(QuizText, BuildsTheStoredLayout) {
  QuizSource quiz;
  quiz.title = "Capitales";
  quiz.author = "Moi";
  quiz.subtitle = "Europe";
  quiz.link = "https://a.fr";
  quiz.footer = "pied";
  quiz.questions.push_back({"Capitale de la France ?", "PARIS", "", "", "", "", "", ""});
  quiz.codes = {"C1"};
  const QuizTexts texts = WriteQuizTexts(DecodedQuizOf(quiz));
  EXPECT_EQ(texts.builtin, std::string("\0\0https://a.fr|pied|", 20));
  EXPECT_EQ(texts.quiz, std::string("\x00\x01\x01\x01"
                                    "Capitales|Moi|Europe|||PARIS|Capitale de la France ?|"
                                    "\x00\x5A\x5F\x96",
                                    61));
  EXPECT_EQ(texts.codes, "C1\r\n");
}

// Every field the kind reads is written; a text the picture grid never shows
// is written empty (kind 1's extra, every second extra).
TEST(QuizText, StoresTheExtraTextsThePlayerShows) {
  QuizSource quiz;
  quiz.displayMode = 1;
  quiz.answersPerQuestion = 2;
  quiz.red = 1;
  quiz.green = 2;
  quiz.blue = 3;
  quiz.questions.push_back({"q", "a", "b", "e", "f", "", "", ""});
  quiz.codes = {"", ""};
  quiz.questions.push_back({"", "c", "-", "g", "h", "", "", ""});
  const std::string head = std::string("\x00\x02\x02\x02|||||a|b|q|c|-||", 20);
  const struct {
    int kind;
    std::string extras;
  } rows[] = {
      {0, ""},     {5, ""},     {1, "||"},     {2, "e|g|"},   {4, "e|g|"},
      {7, "e|g|"}, {8, "e|g|"}, {3, "e||g||"}, {6, "e||g||"}, {9, "e||g||"},
  };
  for (const auto& row : rows) {
    quiz.kind = row.kind;
    const QuizTexts texts = WriteQuizTexts(DecodedQuizOf(quiz));
    EXPECT_EQ(texts.quiz, head + static_cast<char>(row.kind) + row.extras + "\x01\x02\x03")
        << "kind " << row.kind;
    EXPECT_EQ(texts.codes, "\r\n\r\n");
  }
}

}  // namespace

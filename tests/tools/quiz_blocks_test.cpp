#include "tools/quiz_blocks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "quiz/answer_fold.h"
#include "quiz/builtin_block.h"
#include "quiz/quiz_kinds.h"
#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "tools/commands.h"
#include "tools/quiz_source.h"

namespace fs = std::filesystem;

namespace {

struct LoadedQuiz {
  QuizData data;
  ~LoadedQuiz() { DestroyQuizData(&data); }
};

std::string Folded(const std::string& answer) {
  std::vector<char> text(answer.begin(), answer.end());
  text.push_back('\0');
  FoldAnswer(text.data());
  return text.data();
}

// Loads the blocks as the player does and checks that every text of the
// source comes back.
void ExpectLoadsAs(const QuizSource& source, const StoredQuiz& stored, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(stored.builtin.size(), kBuiltinBlockSize);
  auto loaded = std::make_unique<LoadedQuiz>();
  QuizData& quiz = loaded->data;
  InitQuizData(&quiz);
  const QuizBlocks blocks = {{stored.builtin.data(), stored.quiz.data(), stored.codes.data()},
                             {stored.builtin.size(), stored.quiz.size(), stored.codes.size()}};
  ASSERT_FALSE(LoadQuiz(&quiz, blocks).failed);
  EXPECT_EQ(quiz.linkText, source.link);
  EXPECT_EQ(quiz.footerText, source.footer);
  EXPECT_EQ(quiz.title, source.title);
  EXPECT_EQ(quiz.author, source.author);
  EXPECT_EQ(quiz.subtitle, source.subtitle);
  EXPECT_EQ(quiz.answerCaption1, source.answerCaption1);
  EXPECT_EQ(quiz.answerCaption2, source.answerCaption2);
  EXPECT_EQ(quiz.displayMode, source.displayMode);
  EXPECT_EQ(quiz.questionKind, source.kind);
  EXPECT_EQ(quiz.answersPerQuestion, source.answersPerQuestion);
  EXPECT_EQ(quiz.panelRed, source.red);
  EXPECT_EQ(quiz.panelGreen, source.green);
  EXPECT_EQ(quiz.panelBlue, source.blue);
  ASSERT_EQ(quiz.questionCount, static_cast<int>(source.questions.size()));
  for (int i = 0; i < quiz.questionCount; ++i) {
    const QuestionSource& expected = source.questions[i];
    const Question& question = *QuestionAt(quiz, i);
    EXPECT_EQ(question.questionText, expected.text) << "question " << i + 1;
    EXPECT_EQ(question.answer1, Folded(expected.answer1)) << "question " << i + 1;
    EXPECT_EQ(question.answer2, Folded(expected.answer2)) << "question " << i + 1;
    EXPECT_EQ(question.extraText, expected.extra) << "question " << i + 1;
    EXPECT_EQ(quiz.codes[i], source.codes[i]) << "code " << i + 1;
  }
}

QuizSource SmallQuiz() {
  QuizSource quiz;
  quiz.title = "Capitales d'Europe";
  quiz.author = "Zo\xE9";
  quiz.link = "https://a.example";
  quiz.footer = "Pied de page";
  quiz.questions = {{"Capitale de la France ?", "Paris", "", "e1", "f1", "", "", ""},
                    {"Capitale de la Gr\xE8"
                     "ce ?",
                     "Ath\xE8nes", "", "e2", "f2", "", "", ""}};
  quiz.codes = {"UN", ""};
  return quiz;
}

TEST(QuizBlocks, LoadBackAsWrittenInEveryForm) {
  for (const bool scramble : {false, true}) {
    for (const int kind : {0, 1, 3, 5, 7}) {
      QuizSource quiz = SmallQuiz();
      quiz.scramble = scramble;
      quiz.displayMode = kPictureGrid;  // where kinds 3 and 7 show their extra texts
      quiz.kind = kind;
      if (ExtraTextUse(kPictureGrid, kind) == FieldUse::kUnused) {
        for (QuestionSource& question : quiz.questions) question.extra.clear();
      }
      StoredQuiz stored;
      std::string error;
      ASSERT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << error;
      ExpectLoadsAs(quiz, stored,
                    "kind " + std::to_string(kind) + (scramble ? ", scrambled" : ", as stored"));
    }
  }
}

TEST(QuizBlocks, TwoAnswerGridLoadsBack) {
  QuizSource quiz = SmallQuiz();
  quiz.displayMode = 1;
  quiz.answersPerQuestion = 2;
  quiz.answerCaption1 = "Pays";
  quiz.answerCaption2 = "Capitale";
  quiz.questions[0].answer2 = "-";
  quiz.questions[1].answer2 = "\x8Cil";
  quiz.questions[0].extra.clear();
  quiz.questions[1].extra.clear();
  StoredQuiz stored;
  std::string error;
  ASSERT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << error;
  ExpectLoadsAs(quiz, stored, "two answers");
}

TEST(QuizBlocks, FullLengthFieldsLoadBackWhole) {
  QuizSource quiz = SmallQuiz();
  quiz.scramble = true;
  quiz.title = std::string(kTextSize - 1, '\xE9');
  quiz.link = std::string(kLinkTextSize - 1, 'l');
  quiz.footer = std::string(kFooterTextSize - 1, 'f');
  quiz.questions[0].answer1 = std::string(kAnswerFieldLength, 'a');
  quiz.questions[0].text = std::string(kTextSize - 1, 'q');
  quiz.codes[1] = std::string(kTextSize - 1, 'c');
  for (QuestionSource& question : quiz.questions) question.extra.clear();
  StoredQuiz stored;
  std::string error;
  ASSERT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << error;
  ExpectLoadsAs(quiz, stored, "full length");
}

TEST(QuizBlocks, RefusesWhatTheBlocksCannotHold) {
  // 66 different characters leave LZW nothing to share: they need more than 70 bytes.
  std::string varied;
  for (int i = 0; i < 66; ++i) varied.push_back(static_cast<char>(0x21 + i));
  QuizSource unshared = SmallQuiz();
  unshared.link = varied.substr(0, kLinkTextSize - 1);
  unshared.footer = varied.substr(kLinkTextSize - 1);

  QuizSource crowded = SmallQuiz();
  crowded.displayMode = kPictureGrid;
  crowded.kind = 3;
  crowded.questions.assign(
      kMaxQuestions, {std::string(kTextSize - 1, 'q'), "A", "", std::string(kTextSize - 1, 'e'),
                      std::string(kTextSize - 1, 'f'), "", "", ""});
  crowded.codes.assign(kMaxQuestions, "");

  const struct {
    QuizSource quiz;
    const char* expected;
  } rows[] = {
      {unshared, "over the 70 of the built-in block"},
      {crowded, "the quiz text: "},
  };
  for (const auto& row : rows) {
    StoredQuiz stored;
    std::string error;
    EXPECT_FALSE(BuildStoredQuiz(row.quiz, &stored, &error));
    EXPECT_NE(error.find(row.expected), std::string::npos) << error;
  }
  // The same 66 characters repeated compress well enough to fit.
  QuizSource repeated = SmallQuiz();
  repeated.link = std::string(kLinkTextSize - 1, 'x');
  repeated.footer = std::string(kFooterTextSize - 1, 'x');
  StoredQuiz stored;
  std::string error;
  EXPECT_TRUE(BuildStoredQuiz(repeated, &stored, &error)) << error;
}

// Every example quiz reads without a fault and loads back whole.
TEST(QuizBlocks, ExamplesLoadBackWhole) {
  int examples = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(TEVRA_EXAMPLES_DIR)) {
    const fs::path toml = entry.path() / "quiz.toml";
    if (!entry.is_directory() || !fs::exists(toml)) continue;
    ++examples;
    QuizSource quiz;
    std::vector<Finding> errors;
    ASSERT_TRUE(ReadQuizSource(toml.string(), &quiz, &errors))
        << (errors.empty() ? "" : FormatFinding(errors[0], toml.string()));
    StoredQuiz stored;
    std::string error;
    ASSERT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << toml << ": " << error;
    ExpectLoadsAs(quiz, stored, toml.string());
  }
  EXPECT_GE(examples, 3);
}

// The commands, run in-process on files in a fresh folder.
class PackCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tevra-pack-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& text) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  static int Run(int (*command)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    return command(static_cast<int>(argv.size()), argv.data());
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  int CountFiles(const fs::path& dir) {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
      count += entry.is_regular_file();
    return count;
  }

  fs::path dir_;
};

constexpr char kGoodQuiz[] =
    "title = \"T\"\nlink = \"https://a.example\"\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\n";

TEST_F(PackCommands, BlocksWritesTheThreeBlocks) {
  const std::string toml = Write("quiz.toml", kGoodQuiz);
  const fs::path out = dir_ / "out";
  ASSERT_EQ(Run(RunBlocks, {toml, "-o", out.string()}), 0);
  EXPECT_EQ(fs::file_size(out / "block0.bin"), kBuiltinBlockSize);
  EXPECT_GT(fs::file_size(out / "block104.bin"), 0u);
  EXPECT_GT(fs::file_size(out / "block105.bin"), 0u);
  EXPECT_EQ(CountFiles(out), 3);
}

TEST_F(PackCommands, RcWritesTheScriptItsBlocksAndTheBuiltinSource) {
  const std::string toml = Write("quiz.toml", kGoodQuiz);
  const fs::path out = dir_ / "gen";
  ASSERT_EQ(Run(RunRc, {toml, "-o", (out / "quiz.rc").string()}), 0);
  const std::string script = Read(out / "quiz.rc");
  EXPECT_NE(script.find("104 PATCH \"block104.bin\"\n"), std::string::npos) << script;
  EXPECT_NE(script.find("105 PATCH \"block105.bin\"\n"), std::string::npos) << script;
  EXPECT_TRUE(fs::exists(out / "block104.bin"));
  EXPECT_TRUE(fs::exists(out / "block105.bin"));
  const std::string source = Read(out / "quiz_builtin.cpp");
  EXPECT_NE(source.find("kBuiltinBlock[kBuiltinBlockSize]"), std::string::npos) << source;
  // One byte written per stored byte of the block, as it is in block0.bin.
  const std::string block = Read(out / "block0.bin");
  char first[8];
  std::snprintf(first, sizeof(first), "0x%02X,", static_cast<unsigned char>(block[0]));
  EXPECT_NE(source.find(first), std::string::npos);
  size_t bytes = 0;
  for (size_t at = source.find("0x"); at != std::string::npos; at = source.find("0x", at + 1)) {
    ++bytes;
  }
  EXPECT_EQ(bytes, kBuiltinBlockSize);
}

TEST_F(PackCommands, BadInputWritesNothing) {
  const std::string bad = Write("bad.toml", "title = \"T\"\n[[question]]\ntext = \"a|b\"\n");
  const std::string missing = (dir_ / "absent.toml").string();
  const struct {
    int (*command)(int, char**);
    std::string input;
    std::string output;
  } rows[] = {
      {RunBlocks, bad, (dir_ / "out").string()},
      {RunRc, bad, (dir_ / "out" / "quiz.rc").string()},
      {RunBlocks, missing, (dir_ / "out").string()},
      {RunBlocks, dir_.string(), (dir_ / "out").string()},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Run(row.command, {row.input, "-o", row.output}), 1) << row.input;
    EXPECT_FALSE(fs::exists(dir_ / "out")) << row.input;
  }
}

TEST_F(PackCommands, UsageErrorsExitWithTwo) {
  const std::string toml = Write("quiz.toml", kGoodQuiz);
  const std::vector<std::vector<std::string>> rows = {
      {}, {toml}, {toml, "-o"}, {"-o", "x"}, {toml, "-o", "x", "extra"}, {toml, "--frobnicate"}};
  for (int (*command)(int, char**) : {RunBlocks, RunRc}) {
    for (const auto& args : rows) EXPECT_EQ(Run(command, args), 2);
    EXPECT_EQ(Run(command, {"--help"}), 0);
  }
  EXPECT_EQ(CountFiles(dir_), 1);
}

}  // namespace

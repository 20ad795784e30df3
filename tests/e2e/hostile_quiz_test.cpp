// Built quiz executables carrying stored quizzes that the packer never writes,
// made by putting another quiz block into a copy of a built quiz: each starts
// with a saved answer to restore, takes an answer, saves, and ends with exit
// code 0 (a division by zero once ended one with 0xC0000094 at start).
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "tests/e2e/quiz_process.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/stored_quiz.h"
#include "tests/support/win_files.h"

namespace {

constexpr char kBlockType[] = "PATCH";
constexpr int kQuizBlockId = 104;

BOOL CALLBACK KeepLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<WORD*>(found) = language;
  return FALSE;
}

// The language the quiz block is stored under, so that it is replaced rather
// than joined by a second one.
WORD QuizBlockLanguage(const std::string& exe) {
  WORD language = 0;
  HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (image == nullptr) return language;
  EnumResourceLanguagesA(image, kBlockType, MAKEINTRESOURCEA(kQuizBlockId), KeepLanguage,
                         reinterpret_cast<LONG_PTR>(&language));
  FreeLibrary(image);
  return language;
}

// A copy of the built quiz `source` with `recipe` as its quiz block.
bool MakeQuizExe(const std::string& source, const std::string& exe,
                 const StoredQuizRecipe& recipe) {
  EncodedQuiz encoded;
  std::string error;
  if (!EncodeStoredQuiz(recipe, &encoded, &error) || !CopyFileA(source.c_str(), exe.c_str(), FALSE))
    return false;
  const WORD language = QuizBlockLanguage(exe);
  HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
  if (update == nullptr) return false;
  std::vector<unsigned char>& block = encoded.block[1];
  const bool put = UpdateResourceA(update, kBlockType, MAKEINTRESOURCEA(kQuizBlockId), language,
                                   block.data(), static_cast<DWORD>(block.size()));
  return EndUpdateResourceA(update, !put) && put;
}

struct Model {
  const char* name;
  int displayByte;
  int boxes;
  int kind;
  int fields;  // answer fields shown
};

void PrintTo(const Model& model, std::ostream* out) {
  *out << model.name;
}

class HostileExe : public testing::TestWithParam<Model> {};

TEST_P(HostileExe, StartsAnswersSavesAndEndsWithExitCodeZero) {
  const Model& model = GetParam();
  ScratchDirectory directory;
  StoredQuizRecipe recipe;
  recipe.displayByte = model.displayByte;
  recipe.boxes = model.boxes;
  recipe.kind = model.kind;
  recipe.questions = {{"UN", "", "Q1", "x"}, {"DEUX", "", "Q2", "x"}, {"TROIS", "", "Q3", "x"}};
  recipe.codes = {"C1", "C2", "C3"};
  ASSERT_TRUE(MakeQuizExe(WindowsPath(TEVRA_E2E_QUIZ), directory.File("hostile.exe"), recipe));
  WriteFileBytes(directory.File("hostile.txt"), "un\r\nancien\r\nancien\r\nancien\r\n");

  QuizProcess quiz(directory.File("hostile.exe"), directory.path());
  ASSERT_TRUE(quiz.running());
  if (model.fields > 0) {
    ASSERT_NE(quiz.panel(), nullptr);
    EXPECT_TRUE(quiz.WaitForText(quiz.panel(), kFeedbackLabelBaseId + 1, kWordBravo));
    quiz.Answer(kAnswerFieldBaseId + model.fields, "trois");
    EXPECT_TRUE(quiz.WaitForText(quiz.panel(), kFeedbackLabelBaseId + model.fields, kWordBravo));
    EXPECT_TRUE(quiz.WaitForText(quiz.header(), kScoreLabelId, " 2 / 3"));
  } else {
    EXPECT_EQ(quiz.panel(), nullptr) << "no answer field";
    EXPECT_EQ(quiz.Text(quiz.header(), kScoreLabelId), " 0 / 3");
  }
  SendMessageA(GetDlgItem(quiz.header(), kSaveButtonId), BM_CLICK, 0, 0);
  EXPECT_EQ(quiz.Close(), 0);
  const std::string saved =
      model.fields > 0 ? "un\r\nancien\r\ntrois\r\n" : "un\r\nancien\r\nancien\r\n";
  EXPECT_EQ(ReadFileBytes(directory.File("hostile.txt")), saved);
}

// Display bytes: 1 text list, 2 pictures, 3 audio, 4 video.
INSTANTIATE_TEST_SUITE_P(
    Models, HostileExe,
    testing::Values(Model{"PicturesNoBox", 2, 0, 0, 3}, Model{"Audio255Boxes", 3, 255, 0, 3},
                    Model{"VideoThreeBoxes", 4, 3, 2, 3}, Model{"TextListNoBox", 1, 0, 0, 3},
                    Model{"DisplayByteZero", 0, 1, 0, 0}, Model{"DisplayByte200", 200, 255, 0, 0},
                    Model{"Kind200", 2, 1, 200, 3}),
    [](const testing::TestParamInfo<Model>& info) { return std::string(info.param.name); });

}  // namespace

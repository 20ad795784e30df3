// Pictures and media files of a quiz turned into the player's resources.
#include "tools/media_resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "quiz/quiz_kinds.h"

namespace fs = std::filesystem;

namespace {

const std::string kWave("RIFF\x24\x08\0\0WAVEfmt ", 16);
const std::string kOgg("OggS\0\x02", 6);
const std::string kPng =
    std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\x90\0\0\x01\x2C", 24) + "rest";
const std::string kGif = std::string("GIF89a\xC8\x00\x2C\x01", 10) + "rest";

class MediaResourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    folder =
        fs::temp_directory_path() /
        (std::string("tevra_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder / "sons");
    Write("sons/un.wav", kWave);
    Write("deux.ogg", kOgg);
    Write("carte.png", kPng);
    Write("sons/vue.gif", kGif);
    quiz.displayMode = 2;
    quiz.questions.resize(3);
    quiz.questions[0].media = "sons/un.wav";
    quiz.questions[2].media = "deux.ogg";
    quiz.questions[1].picture = "carte.png";
    quiz.questions[1].answerPicture = "sons/vue.gif";
  }
  void TearDown() override { fs::remove_all(folder); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }

  bool Add() {
    return AddFileResources(quiz, (folder / "quiz.toml").string(), "out", &files, &script,
                            &warnings, &error);
  }

  fs::path folder;
  QuizSource quiz;
  std::vector<OutputFile> files;
  std::string script = "104 PATCH \"block104.bin\"\n";
  std::vector<std::string> warnings;
  std::string error;
};

std::string Swapped(std::string bytes) {
  for (char& b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    b = static_cast<char>(((u << 4) | (u >> 4)) & 0xFF);
  }
  return bytes;
}

// A sound grid stores the media files and leaves out the pictures it never
// shows; a picture grid whose kind shows answer pictures stores the pictures.
TEST_F(MediaResourcesTest, EachQuestionsFileGoesUnderItsIdAsBuildStoresIt) {
  ASSERT_TRUE(Add()) << error;
  quiz.displayMode = kPictureGrid;
  quiz.kind = 3;
  ASSERT_TRUE(Add()) << error;
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"media401.img", Swapped(kWave)},
      {"media403.img", Swapped(kOgg)},
      {"picture402.png", kPng},  // the player's own decoder reads PNG plain
      {"picture10402.img", Swapped(kGif)}};
  ASSERT_EQ(files.size(), expected.size());
  for (size_t i = 0; i < files.size(); ++i) {
    EXPECT_EQ(files[i].path, (fs::path("out") / expected[i].first).string());
    EXPECT_EQ(files[i].bytes, expected[i].second) << files[i].path;
  }
  EXPECT_EQ(script,
            "104 PATCH \"block104.bin\"\n"
            "401 IMG \"media401.img\"\n"
            "403 IMG \"media403.img\"\n"
            "402 RCDATA \"picture402.png\"\n"
            "10402 IMG \"picture10402.img\"\n");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0],
            "quiz.toml: question 3, field 'media': warning: deux.ogg: it holds OGG data but the "
            "player will save it as .MP3, which a media player may refuse [media-misnamed]");
}

TEST_F(MediaResourcesTest, AFileThatCannotBeStoredIsAnErrorAndAddsNothing) {
  Write("texte.gif", "not a picture");
  const struct {
    int display;
    std::string* field;
    const char* path;
    const char* error;
  } cases[] = {
      {kAudioGrid, &quiz.questions[1].media, "absent.wav",
       "quiz.toml: question 2, field 'media': absent.wav: no such file"},
      {kPictureGrid, &quiz.questions[2].picture, "absent.png",
       "quiz.toml: question 3, field 'picture': absent.png: no such file"},
      {kPictureGrid, &quiz.questions[1].answerPicture, "texte.gif",
       "quiz.toml: question 2, field 'answer_picture': texte.gif is not a PNG, JPEG, GIF or BMP "
       "picture"},
  };
  for (const auto& c : cases) {
    const std::string before = *c.field;
    *c.field = c.path;
    quiz.displayMode = c.display;
    quiz.kind = 3;
    files.clear();
    EXPECT_FALSE(Add()) << c.path;
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(files.empty()) << c.path;
    *c.field = before;
  }
}

}  // namespace

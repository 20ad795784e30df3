// Media files of an audio or video quiz turned into the player's "IMG" resources.
#include "tools/media_resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kWave("RIFF\x24\x08\0\0WAVEfmt ", 16);
const std::string kOgg("OggS\0\x02", 6);

class MediaResourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    folder =
        fs::temp_directory_path() /
        (std::string("tevra_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder / "sons");
    Write("sons/un.wav", kWave);
    Write("deux.ogg", kOgg);
    quiz.displayMode = 2;
    quiz.questions.resize(3);
    quiz.questions[0].media = "sons/un.wav";
    quiz.questions[2].media = "deux.ogg";
  }
  void TearDown() override { fs::remove_all(folder); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }

  bool Add() {
    return AddMediaResources(quiz, (folder / "quiz.toml").string(), "out", &files, &script,
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

TEST_F(MediaResourcesTest, EachQuestionsFileGoesScrambledUnderItsId) {
  ASSERT_TRUE(Add()) << error;
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].path, (fs::path("out") / "media401.img").string());
  EXPECT_EQ(files[0].bytes, Swapped(kWave));
  EXPECT_EQ(files[1].path, (fs::path("out") / "media403.img").string());
  EXPECT_EQ(files[1].bytes, Swapped(kOgg));
  EXPECT_EQ(script,
            "104 PATCH \"block104.bin\"\n"
            "401 IMG \"media401.img\"\n"
            "403 IMG \"media403.img\"\n");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0],
            "quiz.toml: question 3, field 'media': warning: deux.ogg: it holds OGG data but the "
            "player will save it as .MP3, which a media player may refuse");
}

TEST_F(MediaResourcesTest, AnUnreadableFileIsAnError) {
  quiz.questions[1].media = "absent.wav";
  EXPECT_FALSE(Add());
  EXPECT_EQ(error, "quiz.toml: question 2, field 'media': absent.wav cannot be read");
}

}  // namespace

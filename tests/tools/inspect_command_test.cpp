// tevra-pack inspect, run as the author runs it, on blocks written to files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "quiz/block_encoder.h"
#include "quiz/quiz_text.h"

namespace {

struct PackRun {
  int status;
  std::string out;
};

PackRun RunPack(const std::string& arguments) {
  const std::string command = std::string(TEVRA_PACK) + " " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  PackRun run = {-1, ""};
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  const std::string path = testing::TempDir() + "inspect_" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Stores the three texts, block 2 scrambled, and returns the three paths.
std::string WriteQuiz(const std::string& name, const std::string& builtin, const std::string& quiz,
                      const std::string& codes) {
  std::string paths;
  int keyPosition = 0;
  const std::string texts[] = {builtin, quiz, codes};
  for (int b = 0; b < 3; ++b) {
    std::vector<unsigned char> block;
    std::string error;
    EXPECT_TRUE(EncodeQuizBlock(texts[b], b == 2, &keyPosition, &block, &error)) << error;
    paths += " " + WriteFile(name + std::to_string(b), block);
  }
  return paths;
}

const std::string kBuiltin = std::string("\x01\x02", 2) + "https://tevra.test|Le coin|";

TEST(InspectCommand, PrintsTheWorkedQuizAsTheLoaderReadsIt) {
  const std::string quiz = std::string("\x00\x01\x01\x01", 4) +
                           "Capitales|Moi|Europe|||PARIS|Capitale de la France ?|" +
                           std::string("\x00\x5A\x5F\x96", 4);
  const PackRun run = RunPack("inspect" + WriteQuiz("worked", kBuiltin, quiz, "C1\r\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "{\"displayMode\": 0, \"questionCount\": 1, \"answersPerQuestion\": 1, "
            "\"questionKind\": 0, \"panelRed\": 90, \"panelGreen\": 95, \"panelBlue\": 150, "
            "\"title\": \"Capitales\", \"author\": \"Moi\", \"subtitle\": \"Europe\", "
            "\"answerCaption1\": \"\", \"answerCaption2\": \"\", "
            "\"linkText\": \"https://tevra.test\", \"footerText\": \"Le coin\", "
            "\"codes\": [\"C1\"], \"questions\": [{\"answer1\": \"0514259435\", "
            "\"answer2\": \"\", \"questionText\": \"Capitale de la France ?\", "
            "\"extraText\": \"\"}], \"message\": null}\n");
}

TEST(InspectCommand, ConvertsTextsToUtf8AndEscapesThem) {
  DecodedQuiz text;
  text.displayMode = 1;
  text.questionCount = 1;
  text.answersPerQuestion = 2;
  text.title = "\xC9t\xE9 \"1\"";
  text.author = "a\\b";
  text.subtitle = "\x81\x9C";
  text.answerCaption1 = "\x01";
  text.answerCaption2 = "\x80";
  text.questions = {{"\xE9", "\xC9", "q", "x", ""}};
  text.kind = 1;
  const std::string quiz = WriteQuizTexts(text).quiz;
  const PackRun run = RunPack("inspect" + WriteQuiz("utf8", kBuiltin, quiz, "\x80\r\n"));
  EXPECT_EQ(run.status, 0);
  for (const char* part : {"\"title\": \"\xC3\x89t\xC3\xA9 \\\"1\\\"\"", "\"author\": \"a\\\\b\"",
                           "\"subtitle\": \"\xC2\x81\xC5\x93\"", "\"answerCaption1\": \"\\u0001\"",
                           "\"answerCaption2\": \"\xE2\x82\xAC\"", "\"codes\": [\"\xE2\x82\xAC\"]",
                           "\"answer1\": \"8c\", \"answer2\": \"8c\"", "\"extraText\": \"x\"",
                           "\"displayMode\": 1", "\"questionKind\": 1", "\"panelRed\": 0"}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
  }
}

TEST(InspectCommand, ReportsTheMessageOfAFailedLoad) {
  const std::string quiz = std::string("\x00\x01\x01\x01", 4) + "Titre|sans fin";
  const PackRun run = RunPack("inspect" + WriteQuiz("failed", kBuiltin, quiz, "C1\r\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("\"questionCount\": 0,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"codes\": [], \"questions\": []"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\"message\": \"Erreur dans le d\xC3\xA9"
                         "chiffrage\"}"),
            std::string::npos)
      << run.out;
}

TEST(InspectCommand, DecodesOneBlockAsStored) {
  struct Case {
    std::vector<unsigned char> block;
    int status;
    const char* out;
  };
  const Case cases[] = {
      {{0x24, 0x1A, 0x60}, 0, "ok 4869\n"}, {{0x20, 0xC0, 0xE0, 0x00}, 0, "ok 414141\n"},
      {{0xFF, 0xFF, 0xFF}, 1, "fail -7\n"}, {{}, 1, "fail -5\n"},
      {{0x20, 0x81}, 1, "fail -8\n"},
  };
  for (const Case& c : cases) {
    const PackRun run = RunPack("inspect --block " + WriteFile("single", c.block));
    EXPECT_EQ(run.status, c.status) << c.out;
    EXPECT_EQ(run.out, c.out);
  }
}

TEST(InspectCommand, StatusOfBadArguments) {
  EXPECT_EQ(RunPack("inspect").status, 2);
  EXPECT_EQ(RunPack("inspect a b").status, 2);
  EXPECT_EQ(RunPack("inspect --help").status, 0);
  const std::string missing = testing::TempDir() + "inspect_no_such_file";
  EXPECT_EQ(RunPack("inspect --block " + missing).status, 1);
  EXPECT_EQ(RunPack("inspect " + missing + " " + missing + " " + missing).status, 1);
}

}  // namespace

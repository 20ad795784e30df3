// The wording of findings, the suggestions they carry, and the measures
// behind the text-fit warnings.
#include "tools/findings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/codepage.h"
#include "tools/source_command.h"
#include "tools/text_fit.h"

namespace {

TEST(Findings, EveryCodeHasANameAndAWordingThatUsesItsValues) {
  for (int i = 0; i < static_cast<int>(FindingCode::kCount); ++i) {
    const FindingCode code = static_cast<FindingCode>(i);
    FindingCode named;
    ASSERT_TRUE(CodeNamed(CodeName(code), &named)) << i;
    EXPECT_EQ(named, code) << CodeName(code);
    const std::string text = FindingText({code, 0, "", 0, 0, {"V1", "V2", "V3", "V4", "V5"}});
    EXPECT_FALSE(text.empty()) << CodeName(code);
    EXPECT_EQ(text.find('{'), std::string::npos) << CodeName(code) << ": " << text;
  }
  EXPECT_TRUE(IsAcceptable(FindingCode::kAccent));
  EXPECT_TRUE(IsAcceptable(FindingCode::kTypographicApostrophe));
  EXPECT_FALSE(IsAcceptable(FindingCode::kTooLong));
}

TEST(Findings, OptionalPartsAreSaidOnlyWithTheirValues) {
  EXPECT_EQ(FindingText({FindingCode::kUnknownField, 0, "", 0, 0, {""}}), "unknown field");
  EXPECT_EQ(FindingText({FindingCode::kUnknownField, 0, "", 0, 0, {"colour"}}),
            "unknown field (did you mean 'colour'?)");
  EXPECT_EQ(FindingText({FindingCode::kMissingCodes, 0, "", 0, 0, {"", "4"}}),
            "no code for score 4: players reaching it see an empty code field");
  EXPECT_EQ(FindingText({FindingCode::kMissingCodes, 0, "", 0, 0, {"2", "4"}}),
            "no code for scores 2 to 4: players reaching it see an empty code field");
  EXPECT_EQ(FormatFinding({FindingCode::kMissing, 3, "answer", 12, 0, {}}, "q.toml"),
            "q.toml:12: question 3, field 'answer': missing");
  EXPECT_EQ(Counted(1, "error") + ", " + Counted(2, "error"), "1 error, 2 errors");
}

TEST(Findings, AGroupNamesEachQuestionOnce) {
  std::vector<Finding> findings;
  for (const int question : {2, 2, 5, 7}) {
    findings.push_back({FindingCode::kAccent, question, "answers[1]", 0, 0, {"\xC3\xA9", "e"}});
  }
  const std::vector<FindingLine> lines = FormatFindings(findings, "q.toml");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text.substr(0, 38), "q.toml: questions 2, 5 and 7: warning:");
}

TEST(Findings, SuggestsOnlyCloseNames) {
  const std::vector<std::string> keys = {"title", "colour", "author", "answer"};
  EXPECT_EQ(ClosestName("color", keys), "colour");
  EXPECT_EQ(ClosestName("titel", keys), "title");
  EXPECT_EQ(ClosestName("answr", keys), "answer");
  EXPECT_EQ(ClosestName("scramble", keys), "");
  EXPECT_EQ(ClosestName("xy", {"a", "b"}), "");
  EXPECT_EQ(ClosestName("img/cercel.png", {"img/carre.png", "img/cercle.png"}), "img/cercle.png");
}

TEST(TextFit, OneLinePlacesCutAndOthersWrap) {
  EXPECT_TRUE(FitText("Capitales", TextPlace::kTitle).fits);
  const TextFit wide = FitText(std::string(200, 'W'), TextPlace::kTitle);
  EXPECT_FALSE(wide.fits);
  EXPECT_EQ(wide.lines, 1);
  EXPECT_GT(wide.width, wide.placeWidth);
  // The subtitle shows two lines: a line break is one, a third line is cut.
  EXPECT_TRUE(FitText("un\ndeux", TextPlace::kSubtitle).fits);
  EXPECT_EQ(FitText("un\r\ndeux\ntrois", TextPlace::kSubtitle).lines, 3);
  // A word wider than the line is broken over as many lines as it needs.
  const TextFit word = FitText(std::string(400, 'm'), TextPlace::kReveal);
  EXPECT_GT(word.lines, 5);
  EXPECT_FALSE(word.fits);
  const std::string words = "Le drapeau tricolore est adopt\xE9 en 1794.";
  EXPECT_EQ(FitText(words, TextPlace::kReveal).lines, 1);
  EXPECT_EQ(FitText(words + " " + words, TextPlace::kReveal).lines, 2);
}

TEST(Utf8, FindsTheLineAndColumnOfTheFirstBadByte) {
  uint32_t line = 0, column = 0;
  EXPECT_TRUE(IsUtf8("titre = \"\xC3\xA9t\xC3\xA9\"\n", &line, &column));
  EXPECT_FALSE(IsUtf8("a\nbc = \"\xE9t\xE9\"\n", &line, &column));
  EXPECT_EQ(std::vector<uint32_t>({line, column}), std::vector<uint32_t>({2, 7}));
}

TEST(ExecutablePath, IntoAFolderByTheQuizsNameAndWithExeAdded) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tevra-exe-path";
  std::filesystem::create_directories(dir / "capitales");
  const std::string toml = (dir / "capitales" / "quiz.toml").string();
  bool added = false;
  EXPECT_EQ(ExecutablePath(toml, dir.string(), &added), (dir / "capitales.exe").generic_string());
  EXPECT_FALSE(added);
  EXPECT_EQ(ExecutablePath(toml, "sortie/", &added), "sortie/capitales.exe");
  EXPECT_EQ(ExecutablePath(toml, "mon-quiz", &added), "mon-quiz.exe");
  EXPECT_TRUE(added);
  EXPECT_EQ(ExecutablePath(toml, "QUIZ.EXE", &added), "QUIZ.EXE");
  EXPECT_FALSE(added);
  std::filesystem::remove_all(dir);
}

}  // namespace

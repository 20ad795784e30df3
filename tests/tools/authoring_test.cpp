#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "quiz/block_encoder.h"
#include "quiz/quiz_text.h"
#include "tests/support/same_quiz.h"
#include "tests/tools/pe_test_image.h"
#include "tools/pe_image.h"
#include "tools/pe_patch.h"
#include "tools/quiz_blocks.h"
#include "tools/quiz_build.h"
#include "tools/quiz_check.h"
#include "tools/quiz_toml_writer.h"
#include "tools/quiz_unpack.h"

namespace {

const std::string kPng =
    std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x03\x20\0\0\x00\x64", 24) + "rest";
const std::string kGif = std::string("GIF89a\x2C\x01\xC8\x00", 10) + "rest";
const std::string kWave("RIFF\x24\x08\0\0WAVEfmt ", 16);

QuizSource PictureQuiz() {
  QuizSource quiz;
  quiz.title = "Drapeaux \"du\" monde \\ \xE9t\xE9";
  quiz.author = "Atelier";
  quiz.displayMode = 1;
  quiz.kind = 3;
  quiz.answersPerQuestion = 2;
  quiz.answerCaption1 = "Pays";
  quiz.answerCaption2 = "Capitale";
  quiz.red = 1;
  quiz.green = 2;
  quiz.blue = 3;
  quiz.link = "https://t.example";
  quiz.footer = "Pied de page";
  quiz.scramble = true;
  quiz.questions = {
      {"Bleu, blanc, rouge", "France", "Paris", "Tricolore", "", "flag1.png", "ans1.gif", ""},
      {"Vert, blanc, rouge\nsur deux lignes", "Italie", "Rome", "", "", "flag2.gif", "", ""},
  };
  quiz.codes = {"", "\xC9T\xC9"};
  return quiz;
}

QuizSource TextQuiz() {
  QuizSource quiz;
  quiz.title = "Capitales";
  quiz.questions = {{"Capitale de la France ?", "Paris", "", "", "", "", "", ""},
                    {"Capitale de l'Italie ?", "Rome", "", "", "", "", "", ""}};
  quiz.codes = {"UN", ""};
  return quiz;
}

QuizSource AudioQuiz() {
  QuizSource quiz = TextQuiz();
  quiz.displayMode = 2;
  quiz.kind = 5;
  quiz.questions[0].media = "one.wav";
  quiz.questions[1].media = "two.wav";
  return quiz;
}

std::map<std::string, std::string> Files() {
  return {{"flag1.png", kPng},
          {"flag2.gif", kGif},
          {"ans1.gif", kGif},
          {"one.wav", kWave},
          {"two.wav", kWave + "2"}};
}

QuizFileReader Reader(const std::map<std::string, std::string>& files) {
  return [files](const std::string& path, std::string* bytes, std::string* why) {
    auto found = files.find(path);
    *why = kNoSuchFileReason;
    if (found == files.end()) return false;
    *bytes = found->second;
    return true;
  };
}

std::string Build(const QuizSource& quiz, std::string player = MakeImage()) {
  StoredQuiz stored;
  std::string error, exe;
  EXPECT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << error;
  EXPECT_TRUE(BuildQuizImage(
      player, quiz, stored, Reader(Files()), [](const std::string&) {}, &exe, &error))
      << error;
  return exe;
}

void ExpectSameQuiz(const QuizSource& a, const QuizSource& b) {
  ExpectSameQuizTexts(a, b);
  EXPECT_EQ(a.scramble, b.scramble);
}

TEST(QuizToml, WrittenQuizReadsBackTheSame) {
  for (const QuizSource& quiz : {PictureQuiz(), TextQuiz(), AudioQuiz()}) {
    const std::string toml = FormatQuizToml(quiz);
    QuizSource read;
    std::vector<Finding> errors;
    ASSERT_TRUE(ParseQuizSource(toml, "quiz.toml", &read, &errors))
        << (errors.empty() ? "" : FormatFinding(errors[0], "quiz.toml")) << "\n"
        << toml;
    ExpectSameQuiz(quiz, read);
    EXPECT_EQ(read.questions[0].picture, quiz.questions[0].picture);
    EXPECT_EQ(read.questions[0].media, quiz.questions[0].media);
  }
}

TEST(Unpack, BuiltQuizUnpacksToTheSameSourceAndFiles) {
  for (const QuizSource& quiz : {PictureQuiz(), TextQuiz(), AudioQuiz()}) {
    UnpackedQuiz unpacked;
    std::string error;
    ASSERT_TRUE(UnpackQuiz(Build(quiz), &unpacked, &error)) << error;
    ExpectSameQuiz(quiz, unpacked.source);
    const std::map<std::string, std::string> files = Files();
    for (size_t i = 0; i < quiz.questions.size(); ++i) {
      const QuestionSource& before = quiz.questions[i];
      const QuestionSource& after = unpacked.source.questions[i];
      const std::pair<std::string, std::string> paths[] = {
          {before.picture, after.picture},
          {before.answerPicture, after.answerPicture},
          {before.media, after.media}};
      for (const auto& [original, written] : paths) {
        ASSERT_EQ(original.empty(), written.empty()) << original;
        if (original.empty()) continue;
        // Same extension, same bytes: unscrambled and named by what it holds.
        EXPECT_EQ(original.substr(original.rfind('.')), written.substr(written.rfind('.')));
        const OutputFile* found = nullptr;
        for (const OutputFile& file : unpacked.files) {
          if (file.path == written) found = &file;
        }
        ASSERT_NE(found, nullptr) << written;
        EXPECT_EQ(found->bytes, files.at(original));
      }
    }
  }
}

// A player image carrying a hand-made quiz block, for values quiz.toml cannot write.
std::string ExeWithQuizText(const std::string& text) {
  StoredQuiz stored;
  std::string error, exe;
  EXPECT_TRUE(BuildStoredQuiz(TextQuiz(), &stored, &error)) << error;
  int key = 0;
  EXPECT_TRUE(EncodeQuizBlock(text, false, &key, &stored.quiz, &error)) << error;
  EXPECT_TRUE(BuildQuizImage(
      MakeImage(), TextQuiz(), stored, Reader({}), [](const std::string&) {}, &exe, &error))
      << error;
  return exe;
}

std::string QuizText(int display_byte, int count, int answers, int kind) {
  DecodedQuiz quiz;
  quiz.displayMode = display_byte - 1;
  quiz.questionCount = count;
  quiz.answersPerQuestion = answers;
  quiz.title = "T";
  quiz.questions.assign(count, {"a", "b", "q", "", ""});
  quiz.kind = kind;
  return WriteQuizTexts(quiz).quiz;
}

TEST(Unpack, MediaFilesAreNamedByWhatTheyHold) {
  QuizSource quiz = AudioQuiz();
  quiz.questions[1].media = "two.ogg";
  StoredQuiz stored;
  std::string error, exe;
  ASSERT_TRUE(BuildStoredQuiz(quiz, &stored, &error)) << error;
  ASSERT_TRUE(BuildQuizImage(
      MakeImage(), quiz, stored,
      Reader({{"one.wav", kWave}, {"two.ogg", std::string("OggS\0\x02", 6)}}),
      [](const std::string&) {}, &exe, &error))
      << error;
  UnpackedQuiz unpacked;
  ASSERT_TRUE(UnpackQuiz(exe, &unpacked, &error)) << error;
  EXPECT_EQ(unpacked.source.questions[0].media, "media01.wav");
  EXPECT_EQ(unpacked.source.questions[1].media, "media02.ogg");
}

TEST(Unpack, RefusesWhatQuizTomlCannotSay) {
  std::string no_quiz, error;
  ASSERT_TRUE(PatchPlayerImage(MakeImage(), {}, std::string(70, '\0'), &no_quiz, &error));
  const std::string truncated = Build(TextQuiz()).substr(0, 0x300);
  const struct {
    const char* what;
    std::string exe;
    const char* reason;
  } cases[] = {
      {"kind 12", ExeWithQuizText(QuizText(1, 1, 1, 12)), "kind 12 is over 9"},
      {"display 0", ExeWithQuizText(QuizText(0, 1, 1, 0)), "display mode -1 is out of range"},
      {"display 5", ExeWithQuizText(QuizText(5, 1, 1, 0)), "display mode 4 is out of range"},
      {"97 questions", ExeWithQuizText(QuizText(1, 97, 1, 0)), "97 questions, over the limit"},
      {"text list, two answers", ExeWithQuizText(QuizText(1, 1, 2, 0)),
       "a text list with two answers"},
      {"cut block", ExeWithQuizText(QuizText(1, 1, 1, 0).substr(0, 10)), "ends inside a field"},
      {"no quiz", no_quiz, "no quiz"},
      {"truncated", truncated, "outside"},
      {"not a PE", "just text", "not a Windows executable"},
  };
  for (const auto& c : cases) {
    UnpackedQuiz unpacked;
    std::string error;
    EXPECT_FALSE(UnpackQuiz(c.exe, &unpacked, &error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

TEST(Build, RefusesClashingResourcesAndMissingFiles) {
  const std::string first = Build(TextQuiz());
  StoredQuiz stored;
  std::string error, exe;
  ASSERT_TRUE(BuildStoredQuiz(TextQuiz(), &stored, &error));
  // A player that already carries a quiz: its PATCH 104 clashes with the new one.
  EXPECT_FALSE(BuildQuizImage(
      first, TextQuiz(), stored, Reader({}), [](const std::string&) {}, &exe, &error));
  EXPECT_NE(error.find("two resources of type \"PATCH\" with id 104"), std::string::npos) << error;
  const QuizSource pictures = PictureQuiz();
  ASSERT_TRUE(BuildStoredQuiz(pictures, &stored, &error));
  const struct {
    std::map<std::string, std::string> files;
    const char* error;
  } cases[] = {
      {{{"flag1.png", kPng}}, "question 1, field 'answer_picture': ans1.gif: no such file"},
      {{{"flag1.png", kPng}, {"ans1.gif", "GIF is not enough"}},
       "question 1, field 'answer_picture': ans1.gif is not a PNG, JPEG, GIF or BMP picture"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> progress;
    EXPECT_FALSE(BuildQuizImage(
        MakeImage(), pictures, stored, Reader(c.files),
        [&](const std::string& line) { progress.push_back(line); }, &exe, &error));
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(progress, std::vector<std::string>{"picture 1 of 3: flag1.png"});
  }
}

TEST(Build, PngPicturesGoInPlainAndOthersScrambled) {
  const std::string exe = Build(PictureQuiz());
  PeImage image;
  std::vector<PeResource> resources;
  std::string error;
  ASSERT_TRUE(ParsePeImage(exe, &image, &error));
  ASSERT_TRUE(ReadPeResources(exe, image, &resources, &error));
  const PeResource* png = FindResource(resources, ResourceId(kResourceTypeRcData), ResourceId(401));
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->bytes, kPng);
  const PeResource* gif = FindResource(resources, ResourceName("IMG"), ResourceId(402));
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(gif->bytes.substr(0, 3), "\x74\x94\x64");  // "GIF", each byte's halves exchanged
  EXPECT_NE(FindResource(resources, ResourceName("IMG"), ResourceId(10401)), nullptr);
}

TEST(PictureSize, ReadsEachFormatsHeader) {
  std::string bmp(26, '\0'), top_down(26, '\0'), core(26, '\0');
  bmp.replace(0, 2, "BM");
  Put(&bmp, 14, 40, 4);
  Put(&bmp, 18, 640, 4);
  Put(&bmp, 22, 480, 4);
  top_down = bmp;
  Put(&top_down, 22, static_cast<uint32_t>(-480), 4);
  core = bmp;
  Put(&core, 14, 12, 4);
  Put(&core, 18, 0x00C80140, 4);  // 16-bit width 320, height 200
  const std::string jpeg =
      std::string("\xFF\xD8\xFF\xE0\x00\x04..\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80", 17);
  const struct {
    const char* what;
    std::string bytes;
    bool ok;
    uint32_t width, height;
  } cases[] = {
      {"png", kPng, true, 800, 100},
      {"gif", kGif, true, 300, 200},
      {"bmp", bmp, true, 640, 480},
      {"top-down bmp", top_down, true, 640, 480},
      {"core bmp", core, true, 320, 200},
      {"jpeg after APP0", jpeg, true, 640, 480},
      {"cut png", kPng.substr(0, 20), false, 0, 0},
      {"cut jpeg", jpeg.substr(0, 12), false, 0, 0},
      {"text", "hello", false, 0, 0},
  };
  for (const auto& c : cases) {
    uint32_t width = 0, height = 0;
    EXPECT_EQ(ReadPictureSize(c.bytes, &width, &height), c.ok) << c.what;
    if (!c.ok) continue;
    EXPECT_EQ(std::vector<uint32_t>({width, height}), std::vector<uint32_t>({c.width, c.height}))
        << c.what;
  }
}

std::vector<std::string> FindingsOf(const QuizSource& quiz,
                                    const std::map<std::string, std::string>& files) {
  std::vector<std::string> texts;
  for (const Finding& finding : CheckQuiz(quiz, Reader(files))) {
    const bool error = SeverityOf(finding.code) == Severity::kError;
    texts.push_back((error ? "E " : "W ") + FormatFinding(finding, "q.toml"));
  }
  return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& text : texts) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST(Check, WarnsAboutWhatFrustratesPlayers) {
  QuizSource quiz = TextQuiz();
  quiz.questions.push_back({"q3",
                            "Sa\x92"
                            "ne",
                            "", "", "", "", "", ""});
  quiz.questions.push_back({"q4",
                            "Mont\xA0"
                            "Blanc",
                            "", "", "", "", "", ""});
  quiz.questions.push_back({"q5", "Or", "", "", "", "", "", ""});
  quiz.questions.push_back({"q6", "PARIS", "", "", "", "", "", ""});
  quiz.questions.push_back({"q7", "\xC9vreux", "", "", "", "", "", ""});
  quiz.codes.resize(quiz.questions.size());
  const std::vector<std::string> texts = FindingsOf(quiz, {});
  const char* expected[] = {
      "E q.toml: question 3, field 'answer': \"Sa\xE2\x80\x99ne\" holds a typographic "
      "apostrophe (\xE2\x80\x99), which players cannot type: write ' instead",
      "W q.toml: question 4, field 'answer': warning: \"Mont\xC2\xA0"
      "Blanc\" holds a non-breaking",
      "W q.toml: question 5, field 'answer': warning: \"Or\" has 3 characters or fewer",
      "W q.toml: question 6, field 'answer': warning: \"PARIS\" is also the answer of question 1",
      "W q.toml: question 7, field 'answer': warning: \"\xC3\x89vreux\" holds \"\xC3\x89\"",
      "W q.toml: field 'codes': warning: no code for scores 2 to 7: players reaching it see an "
      "empty code field [missing-codes]",
  };
  for (const char* part : expected) EXPECT_TRUE(Has(texts, part)) << part;
  EXPECT_EQ(texts.size(), std::size(expected));
}

TEST(Check, PicturesAndExtraTexts) {
  QuizSource quiz = PictureQuiz();
  quiz.questions[0].picture = "big.png";
  quiz.questions[1].picture = "huge.png";
  quiz.questions.push_back({"", "Espagne", "Madrid", "", "", "", "", ""});
  quiz.codes.push_back("X");
  std::string big = kPng, huge = kPng;
  Put(&big, 16, 0x000C0000, 4);   // 3072 pixels wide, stored big-endian
  Put(&huge, 16, 0x00900000, 4);  // 36864 wide: past the decoder's side limit
  const std::vector<std::string> texts =
      FindingsOf(quiz, {{"big.png", big}, {"huge.png", huge}, {"ans1.gif", "not a picture"}});
  const char* expected[] = {
      "W q.toml: question 1, field 'picture': warning: big.png is 3072 x 100 pixels",
      "E q.toml: question 2, field 'picture': huge.png is 36864 x 100 pixels: a side over 32768",
      "E q.toml: question 1, field 'answer_picture': ans1.gif is not a PNG, JPEG, GIF or BMP",
      "W q.toml: question 3, field 'picture': warning: missing: the question shows an empty box "
      "[no-picture]",
      "W q.toml: question 2, field 'extra': warning: missing: kind 3 shows it [needed-by-kind]",
      "W q.toml: question 3, field 'extra': warning: missing: kind 3 shows it",
      // Kind 3 swaps in the answer picture after its message box.
      "W q.toml: question 2, field 'answer_picture': warning: missing: kind 3 shows it",
      "W q.toml: question 3, field 'answer_picture': warning: missing: kind 3 shows it",
  };
  for (const char* part : expected) EXPECT_TRUE(Has(texts, part)) << part;
  EXPECT_EQ(texts.size(), std::size(expected));
}

TEST(Check, MediaThePlayerWouldSaveUnderAnotherFormatsName) {
  QuizSource quiz = AudioQuiz();
  quiz.questions[1].media = "two.ogg";
  const std::vector<std::string> texts =
      FindingsOf(quiz, {{"one.wav", kWave}, {"two.ogg", std::string("OggS\0\x02", 6)}});
  EXPECT_TRUE(Has(texts,
                  "W q.toml: question 2, field 'media': warning: two.ogg: it holds OGG data but "
                  "the player will save it as .MP3"));
  EXPECT_FALSE(Has(texts, "question 1, field 'media'"));
}

TEST(Check, ExtraTextsTheKindNeverShows) {
  const struct {
    int display;
    int kind;
    const char* warning;
  } cases[] = {
      {1, 1, "kind 1 never shows it in the \"pictures\" display; it is not stored"},
      {1, 6, nullptr},  // "Cacher" shows a solved question's hidden reveal label again
      {2, 9, "kind 9 never shows it in the \"audio\" display"},
      {0, 2, "the \"text\" display has no reveal labels"},
      {1, 2, nullptr},
  };
  for (const auto& c : cases) {
    QuizSource quiz = TextQuiz();
    quiz.displayMode = c.display;
    quiz.kind = c.kind;
    quiz.questions.resize(1);
    quiz.questions[0].extra = "Une anecdote";
    quiz.questions[0].media = c.display == 2 ? "one.wav" : "";
    quiz.questions[0].picture = c.display == 1 ? "flag2.gif" : "";
    // Kinds 1 and 6 need an answer picture; kind 2 never shows one.
    quiz.questions[0].answerPicture = c.display == 1 && c.kind != 2 ? "ans1.gif" : "";
    quiz.codes = {"X"};
    const std::vector<std::string> texts = FindingsOf(quiz, Files());
    if (c.warning) {
      EXPECT_TRUE(Has(texts, std::string("question 1, field 'extra': warning: ") + c.warning))
          << c.kind;
    }
    EXPECT_EQ(texts.size(), c.warning ? 1u : 0u) << c.kind << (texts.empty() ? "" : texts[0]);
  }
}

TEST(Check, PngOverTheDecodersPixelsNamesThatLimit) {
  QuizSource quiz = PictureQuiz();
  std::string tall = kPng;
  Put(&tall, 16, 0x00200000, 4);  // 8192 wide, stored big-endian
  Put(&tall, 20, 0x01200000, 4);  // 8193 high: no side over the limit, but too many pixels
  const std::vector<std::string> texts =
      FindingsOf(quiz, {{"flag1.png", tall}, {"flag2.gif", kGif}, {"ans1.gif", kGif}});
  EXPECT_TRUE(Has(texts,
                  "flag1.png is 8192 x 8193 pixels, over what the player's PNG decoder "
                  "opens (8192 x 8192 in all)"));
}

TEST(Check, HiddenSecondBoxAndAcceptedCodes) {
  QuizSource quiz = PictureQuiz();
  quiz.questions[1].answer2 = "-";  // hides the second box: nobody types it
  quiz.questions[0].answer1 =
      "Fran\x92"
      "ce";
  EXPECT_FALSE(Has(FindingsOf(quiz, Files()), "short-answer"));
  EXPECT_TRUE(Has(FindingsOf(quiz, Files()), "E q.toml: question 1, field 'answers[1]'"));
  quiz.accepted = {"typographic-apostrophe", "needed-by-kind", "large-picture"};
  EXPECT_EQ(FindingsOf(quiz, Files()), std::vector<std::string>());
}

TEST(Check, WarningsCarryTheirLinesAndManyAreSaidOnce) {
  const std::string toml =
      "title = \"T\"\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"\xC3\x89toile\"\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"\xC3\xA0 moi\"\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"No\xC3\xABl\"\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"Or\"\n";
  QuizSource quiz;
  std::vector<Finding> findings;
  ASSERT_TRUE(ParseQuizSource(toml, "q.toml", &quiz, &findings));
  findings = CheckQuiz(quiz, Reader({}));
  std::vector<std::string> lines;
  for (const FindingLine& line : FormatFindings(findings, "q.toml")) lines.push_back(line.text);
  EXPECT_EQ(lines, std::vector<std::string>(
                       {"q.toml:4: questions 1, 2 and 3: warning: answers hold accented letters: "
                        "players must type the accents, an unaccented letter counts as wrong "
                        "[accent]",
                        "q.toml:13: question 4, field 'answer': warning: \"Or\" has 3 characters "
                        "or fewer: it is judged right or wrong, with no hint for a near miss "
                        "[short-answer]",
                        "q.toml: field 'codes': warning: no code for scores 1 to 4: players "
                        "reaching it see an empty code field [missing-codes]"}));
}

}  // namespace

namespace {

// The texts the player was seen to cut under Wine, and texts it shows whole.
TEST(Check, TextsThePlayerCuts) {
  QuizSource quiz = PictureQuiz();
  quiz.kind = 2;
  quiz.questions[0].extra2.clear();
  quiz.questions[1].extra = "Court.";
  quiz.link = "http://ecolejaureslyo.fr";
  quiz.author = "Mme Lef\xE8vre, CM2 B";
  quiz.footer = "Un quiz d'exemple";
  quiz.codes = {"A", "B"};
  quiz.questions[0].extra = std::string(40, 'x') + " " + std::string(300, 'y');
  const std::vector<std::string> texts = FindingsOf(quiz, Files());
  EXPECT_TRUE(Has(texts, "field 'link': warning: \"http://ecolejaureslyo.fr\" is ")) << texts[0];
  EXPECT_TRUE(Has(texts, "field 'author': warning: \"Mme Lef\xC3\xA8vre, CM2 B\" is "));
  EXPECT_TRUE(Has(texts, "question 1, field 'extra': warning: \"xxxx"));
  EXPECT_TRUE(Has(texts, "where the player shows 5: the rest is cut [too-many-lines]"));
  EXPECT_FALSE(Has(texts, "field 'footer'"));
  EXPECT_FALSE(Has(texts, "question 2, field 'extra'"));
  EXPECT_FALSE(Has(texts, "field 'title'"));
  quiz.link = "http://ecole-jaures.fr";
  EXPECT_TRUE(Has(FindingsOf(quiz, Files()), "field 'link': warning:"));
  quiz.link = "http://tevra.test";
  quiz.author = "Mme Lef\xE8vre";
  EXPECT_FALSE(Has(FindingsOf(quiz, Files()), "too-wide"));
}

// A sound or video grid question without its file warns like a picture grid
// question without its picture.
TEST(Check, MediaGridQuestionWithoutMedia) {
  QuizSource quiz = AudioQuiz();
  quiz.questions[1].media.clear();
  const std::vector<std::string> texts = FindingsOf(quiz, Files());
  EXPECT_TRUE(Has(texts,
                  "W q.toml: question 2, field 'media': warning: missing: the question's "
                  "play button has nothing to play [no-media]"));
  EXPECT_FALSE(Has(texts, "question 1, field 'media'"));
}

}  // namespace

// Stored quizzes that the loader takes but the packer never writes (box counts
// other than 1 and 2, unknown display bytes, kinds past 9, no questions, texts
// at their 259-byte limit, missing code lines, the largest quiz), each started
// through the player's own start-up with a saved-answers file to restore,
// answered in every field it shows, saved and closed. A fault inside a window
// procedure can pass unnoticed under Wine: every step checks the state it
// leads to, not only that the program lives.
#include <ostream>
#include <string>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "app/header_bar.h"
#include "panel/panel_layout.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_data.h"
#include "quiz/quiz_model.h"
#include "tests/ui/panel_fixture.h"

namespace {

constexpr size_t kLongText = 259;

struct HostileModel {
  const char* name;
  int displayByte;
  int boxes;
  int kind;
  int questions;
  bool longTexts;
  int codeLines;
  int fields;      // answer fields shown
  int savedLines;  // lines each save writes
  int score;       // once every field holds its accepted answer
};

void PrintTo(const HostileModel& model, std::ostream* out) {
  *out << model.name;
}

class HostileQuiz : public PanelTest, public testing::WithParamInterface<HostileModel> {
 protected:
  void MakeModel(const HostileModel& model) {
    recipe = {};
    recipe.displayByte = model.displayByte;
    recipe.boxes = model.boxes;
    recipe.kind = model.kind;
    const std::string filler(kLongText, 'L');
    if (model.longTexts) recipe.title = recipe.captions[0] = recipe.captions[1] = filler;
    for (int n = 1; n <= model.questions; ++n) {
      const std::string number = std::to_string(n);
      if (model.longTexts) {
        recipe.questions.push_back({filler, filler, filler, filler});
      } else {
        recipe.questions.push_back(
            {"REPONSE" + number, "AUTRE" + number, "Question " + number, "vu"});
      }
    }
    for (int line = 1; line <= model.codeLines; ++line)
      recipe.codes.push_back(model.longTexts ? filler : "CODE" + std::to_string(line));
  }

  // The accepted answer of answer field k, as stored.
  std::string Accepted(const HostileModel& model, int k) const {
    const bool twoFields = model.boxes == 2 && model.displayByte >= 2 && model.displayByte <= 4;
    const StoredQuestion& q = recipe.questions[twoFields ? (k - 1) / 2 : k - 1];
    return twoFields && k % 2 == 0 ? q.answer2 : q.answer1;
  }

  // What a player types for it: the whole answer, or what the field takes.
  static std::string Typed(const std::string& accepted) {
    return accepted.substr(0, kAnswerFieldLength);
  }

  static std::string Word(const std::string& accepted, const std::string& typed) {
    char expected[kTextSize];
    char folded[kTextSize];
    CopyText(expected, sizeof(expected), accepted.c_str());
    CopyText(folded, sizeof(folded), typed.c_str());
    FoldAnswer(expected);
    FoldAnswer(folded);
    return JudgeAnswer(expected, folded);
  }
};

TEST_P(HostileQuiz, StartsTakesEveryAnswerSavesAndCloses) {
  const HostileModel& model = GetParam();
  MakeModel(model);
  // The first line restores a right answer: the restore judges it at start.
  std::string previous = model.fields > 0 ? Typed(Accepted(model, 1)) + "\r\n" : "premier\r\n";
  for (int line = 2; line <= model.savedLines + 2; ++line)
    previous += "ancien" + std::to_string(line) + "\r\n";
  WriteSavedAnswers(previous);
  Start();
  ASSERT_TRUE(IsWindow(panel));
  EXPECT_EQ(Control(kAnswerFieldBaseId + model.fields + 1), nullptr);

  std::vector<std::string> lines;
  for (int k = 1; k <= model.fields; ++k) {
    SCOPED_TRACE("field " + std::to_string(k));
    ASSERT_NE(Control(kAnswerFieldBaseId + k), nullptr);
    const std::string accepted = Accepted(model, k);
    const std::string typed = Typed(accepted);
    Answer(kAnswerFieldBaseId + k, typed.c_str());
    ASSERT_TRUE(IsWindow(panel));
    EXPECT_EQ(Text(kFeedbackLabelBaseId + k), Word(accepted, typed));
    lines.push_back(typed);
  }
  const std::string score =
      " " + std::to_string(model.score) + " / " + std::to_string(model.questions);
  EXPECT_EQ(HeaderText(kScoreLabelId), score);
  if (model.score > 0) {
    const bool hasCode = model.score <= model.codeLines;
    EXPECT_EQ(HeaderText(kCodeFieldId),
              hasCode ? recipe.codes[model.score - 1].substr(0, kTextSize - 1) : "");
  }

  // Lines without a field keep what the file held; a quiz without any answer
  // leaves the file alone.
  std::string expected;
  size_t at = 0;
  for (int line = 1; line <= model.savedLines; ++line) {
    const size_t end = previous.find("\r\n", at);
    expected += (line <= model.fields ? lines[line - 1] : previous.substr(at, end - at)) + "\r\n";
    at = end + 2;
  }
  if (model.savedLines == 0) expected = previous;
  SendMessageA(GetDlgItem(quiz->headerWindow, kSaveButtonId), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), expected);
  SendMessageA(frame, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_EQ(ReadFileBytes(SavedAnswersName()), expected);
  EXPECT_TRUE(messageBoxes.empty());
}

// Display bytes: 1 text list, 2 pictures, 3 audio, 4 video.
INSTANTIATE_TEST_SUITE_P(
    Models, HostileQuiz,
    testing::Values(HostileModel{"TextListNoBox", 1, 0, 0, 3, false, 3, 3, 3, 3},
                    HostileModel{"TextListThreeBoxes", 1, 3, 0, 3, false, 3, 3, 3, 3},
                    HostileModel{"TextList255Boxes", 1, 255, 0, 3, false, 3, 3, 3, 3},
                    HostileModel{"PicturesNoBox", 2, 0, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"PicturesThreeBoxes", 2, 3, 2, 4, false, 4, 4, 4, 4},
                    HostileModel{"Pictures255Boxes", 2, 255, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"AudioNoBox", 3, 0, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"AudioThreeBoxes", 3, 3, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"Audio255Boxes", 3, 255, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"VideoNoBox", 4, 0, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"VideoThreeBoxes", 4, 3, 0, 4, false, 4, 4, 4, 4},
                    HostileModel{"Video255Boxes", 4, 255, 7, 4, false, 4, 4, 4, 4},
                    HostileModel{"DisplayByteZero", 0, 1, 0, 3, false, 3, 0, 3, 0},
                    HostileModel{"DisplayByteFive", 5, 2, 0, 3, false, 3, 0, 6, 0},
                    HostileModel{"DisplayByte255", 255, 255, 0, 3, false, 3, 0, 3, 0},
                    HostileModel{"KindTen", 2, 1, 10, 4, false, 4, 4, 4, 4},
                    HostileModel{"Kind255TwoBoxes", 2, 2, 255, 4, false, 4, 8, 8, 4},
                    HostileModel{"GridWithoutQuestions", 3, 1, 0, 0, false, 0, 0, 0, 0},
                    HostileModel{"LongTextsTextList", 1, 1, 8, 3, true, 3, 3, 3, 0},
                    HostileModel{"LongTextsTwoBoxGrid", 2, 2, 7, 3, true, 3, 6, 6, 0},
                    HostileModel{"FewerCodeLinesThanQuestions", 2, 1, 0, 3, false, 1, 3, 3, 3},
                    HostileModel{"NinetySixQuestionsTwoBoxes", 2, 2, 4, 96, false, 96, 192, 192,
                                 96}),
    [](const testing::TestParamInfo<HostileModel>& info) { return std::string(info.param.name); });

}  // namespace

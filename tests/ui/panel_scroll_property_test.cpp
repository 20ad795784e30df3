// One property of the panel, checked after every step of a long random run
// (fixed seed) in the text list and in the picture grid: every control sits
// at its content position minus the scroll positions, and both positions lie
// within their bars. Steps: frame resizes, minimise and restore (with scroll
// requests in between), every scroll request of both bars, wheel notches,
// focus moves (set, Tab, F1), answers and "Cacher" ticks. Content positions
// come from the layout functions and a model of "Cacher", never from the
// windows.
#include <random>
#include <string>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "app/header_bar.h"
#include "media/picture_fit.h"
#include "panel/panel_layout.h"
#include "tests/ui/panel_fixture.h"

namespace {

constexpr unsigned kSeed = 14;
constexpr int kSteps = 120;
constexpr int kRevealLabelHeight = 65;

// The grid's questions: pictures of the test resources fitted to these sizes
// (width 300, height 0 where there is none), answer pictures for 1 and 4.
constexpr int kGridQuestions = 12;
constexpr int kGridKind = 3;  // reveal label, message box and answer picture
const PictureSize kPictures[kGridQuestions] = {{300, 200}, {150, 300}, {300, 0},   {300, 100},
                                               {300, 0},   {300, 0},   {300, 250}, {300, 250},
                                               {300, 250}, {300, 0},   {300, 0},   {300, 0}};
const PictureSize kAnswerPictures[kGridQuestions] = {{300, 300}, {}, {}, {300, 100}};

std::string RightAnswer(int n) {
  return n % 2 == 0 ? "OUI" : "NON";
}

class ScrollProperty : public PanelTest {
 protected:
  struct Expected {
    HWND control;
    Rect content;
  };

  void StartQuiz(int displayMode, int questions, int kind) {
    std::vector<TestQuestion> list;
    for (int n = 1; n <= questions; ++n) {
      list.push_back({n % 2 == 0 ? "OUI" : "NON", nullptr, "Question", "vu"});
    }
    MakeQuiz(displayMode, 1, list, kind);
    Start();
    mode = displayMode;
    count = questions;
    typed.assign(questions + 1, "");
    solved.assign(questions + 1, false);
  }

  // --- The model --------------------------------------------------------
  int RowHeight(int row) const {
    int height = 0;
    for (int c = 0; c < kGridColumns && row * 3 + c < count; ++c)
      height = std::max(height, kPictures[row * 3 + c].height);
    return height;
  }
  bool Hidden(int n) const { return ticked && solved[n]; }
  bool Collapsed(int row) const {
    if ((row + 1) * kGridColumns > count) return false;
    for (int c = 1; c <= kGridColumns; ++c)
      if (!Hidden(row * kGridColumns + c)) return false;
    return true;
  }

  void AddGridQuestion(int n, int rowTop, int collapse, std::vector<Expected>* out) {
    const int row = (n - 1) / kGridColumns;
    const int height = RowHeight(row);
    const GridCell cell = LayOutGridCell(kPictureGrid, 1, n, rowTop, height);
    const PictureSize size = kPictures[n - 1];
    Rect picture = GridPicture(cell, rowTop, height, size.width, size.height);
    const PictureSize answer = kAnswerPictures[n - 1];
    if (solved[n] && answer.width > 0) {
      picture = {picture.x + (picture.width - answer.width) / 2,
                 picture.y + (picture.height - answer.height) / 2, answer.width, answer.height};
    }
    const int shift = collapse - (Hidden(n) ? height : 0);
    auto at = [](Rect r, int dy) { return Rect{r.x, r.y + dy, r.width, r.height}; };
    out->push_back({Control(kPictureBaseId + n), at(picture, collapse)});
    out->push_back({Control(kRevealLabelBaseId + n), at(GridRevealLabel(cell), collapse)});
    out->push_back({Control(kNumberLabelId + n), at(GridNumberLabel(cell), shift)});
    out->push_back({Control(kAnswerFieldBaseId + n), at(GridAnswerField(cell, 1, 1), shift)});
    out->push_back({Control(kFeedbackLabelBaseId + n), at(GridFeedbackLabel(cell, 1, 1), shift)});
  }

  std::vector<Expected> ExpectedPlaces() {
    std::vector<Expected> out;
    if (mode == kTextList) {
      const std::vector<HWND> numbers = ControlsWithId(kNumberLabelId);
      const std::vector<HWND> questions = ControlsWithId(kQuestionLabelId);
      for (int n = 1; n <= count; ++n) {
        const TextListRow row = LayOutTextListRow(kFirstRowTop + kTextListRowStep * (n - 1));
        out.push_back({numbers[n - 1], row.number});
        out.push_back({questions[n - 1], row.question});
        out.push_back({Control(kAnswerFieldBaseId + n), row.field});
        out.push_back({Control(kFeedbackLabelBaseId + n), row.feedback});
      }
      return out;
    }
    int rowTop = kFirstRowTop;
    int collapse = 0;
    for (int row = 0; row * kGridColumns < count; ++row) {
      for (int n = row * kGridColumns + 1; n <= std::min(count, (row + 1) * kGridColumns); ++n)
        AddGridQuestion(n, rowTop, collapse, &out);
      const GridCell first = LayOutGridCell(kPictureGrid, 1, 1, rowTop, RowHeight(row));
      rowTop = first.answerY + GridAnswerAreaHeight(kGridKind);
      if (Collapsed(row)) collapse -= RowHeight(row) + kRevealLabelHeight;
    }
    return out;
  }

  // --- The property -----------------------------------------------------
  std::string CheckProperty() {
    std::string faults;
    int position[2];
    for (int bar : {SB_HORZ, SB_VERT}) {
      SCROLLINFO info = {};
      info.cbSize = sizeof(info);
      info.fMask = SIF_ALL;
      GetScrollInfo(panel, bar, &info);
      position[bar] = info.nPos;
      const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
      if (info.nPos < 0 || info.nPos > last) {
        faults += (bar == SB_HORZ ? " h=" : " v=") + std::to_string(info.nPos) + " past " +
                  std::to_string(last);
      }
    }
    for (const Expected& e : ExpectedPlaces()) {
      const RECT place = Place(e.control);
      const int x = e.content.x - position[SB_HORZ];
      const int y = e.content.y - position[SB_VERT];
      if (place.left != x || place.top != y) {
        faults += " id " + std::to_string(GetDlgCtrlID(e.control)) + " at (" +
                  std::to_string(place.left) + "," + std::to_string(place.top) + ") not (" +
                  std::to_string(x) + "," + std::to_string(y) + ")";
        break;
      }
    }
    return faults;
  }

  // --- The steps ----------------------------------------------------------
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  int AnyField() { return Pick(1, count); }

  std::string ScrollStep() {
    static const int kCodes[] = {SB_LINEUP,        SB_LINEDOWN,       SB_PAGEUP,      SB_PAGEDOWN,
                                 SB_THUMBPOSITION, SB_THUMBTRACK,     SB_TOP,         SB_BOTTOM,
                                 SB_ENDSCROLL,     kWheelDownRequest, kWheelUpRequest};
    const bool vertical = Pick(0, 1) == 1;
    const int code = kCodes[Pick(0, 10)];
    SendMessageA(panel, vertical ? WM_VSCROLL : WM_HSCROLL, code, 0);
    return std::string(vertical ? "vscroll " : "hscroll ") + std::to_string(code);
  }

  void Type(int n, const std::string& text) {
    Answer(kAnswerFieldBaseId + n, text.c_str());
    typed[n] = text;
    solved[n] = solved[n] || text == RightAnswer(n);
  }

  std::string Step() {
    switch (Pick(0, 9)) {
      case 0: {
        const int width = Pick(300, 1200), height = Pick(250, 800);
        SetWindowPos(frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        return "frame " + std::to_string(width) + "x" + std::to_string(height);
      }
      case 1: {
        ShowWindow(frame, SW_MINIMIZE);
        Pump();
        std::string done = "minimise, " + ScrollStep() + ", " + ScrollStep();
        ShowWindow(frame, SW_RESTORE);
        return done + ", restore";
      }
      case 2:
      case 3:
        return ScrollStep();
      case 4: {
        const int delta = Pick(0, 1) ? WHEEL_DELTA : -WHEEL_DELTA;
        SendMessageA(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        return "wheel " + std::to_string(delta);
      }
      case 5: {
        const int n = AnyField();
        SetFocus(Control(kAnswerFieldBaseId + n));
        return "focus " + std::to_string(n);
      }
      case 6: {
        HWND focus = GetFocus();
        PostMessageA(focus ? focus : Control(kAnswerFieldBaseId + 1), WM_KEYDOWN, VK_TAB, 0);
        return "tab";
      }
      case 7: {
        const int n = AnyField();
        for (int i = 1; i <= count; ++i) {
          if (typed[i] == RightAnswer(i)) continue;
          typed[i] = typed[n];
          solved[i] = solved[i] || typed[n] == RightAnswer(i);
        }
        SetFocus(Control(kAnswerFieldBaseId + n));
        SendKeyUp(kAnswerFieldBaseId + n, VK_F1);
        return "F1 in " + std::to_string(n);
      }
      case 8: {
        const int n = AnyField();
        Type(n, Pick(0, 2) ? RightAnswer(n) : kWordFaux);
        return "answer " + std::to_string(n);
      }
      default: {
        if (mode == kTextList) return ScrollStep();
        SendMessageA(GetDlgItem(quiz->headerWindow, kHideSolvedBoxId), BM_CLICK, 0, 0);
        ticked = !ticked;
        return ticked ? "tick" : "untick";
      }
    }
  }

  void Run() {
    ASSERT_EQ(ScrollPos(SB_HORZ), 0) << "at start";
    ASSERT_EQ(ScrollPos(SB_VERT), 0) << "at start";
    ASSERT_EQ(CheckProperty(), "") << "at start";
    std::string steps;
    for (int step = 1; step <= kSteps; ++step) {
      steps += " | " + Step();
      Pump();
      const std::string faults = CheckProperty();
      ASSERT_EQ(faults, "") << "step " << step << ", after:" << steps;
    }
  }

  std::mt19937 random{kSeed};
  int mode = kTextList;
  int count = 0;
  bool ticked = false;
  std::vector<std::string> typed;
  std::vector<bool> solved;
};

TEST_F(ScrollProperty, TextList) {
  StartQuiz(kTextList, 40, 0);
  Run();
}

TEST_F(ScrollProperty, PictureGrid) {
  StartQuiz(kPictureGrid, kGridQuestions, kGridKind);
  Run();
}

}  // namespace

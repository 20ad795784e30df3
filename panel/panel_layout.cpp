#include "panel/panel_layout.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

constexpr int kGridColumnStep = 330;
constexpr int kGridLeft = 46;
constexpr int kCaptionColumnWidth = 60;  // room for the caption labels of two-answer grids
constexpr int kPictureBoxWidth = 300;
constexpr int kPictureGap = 10;
constexpr int kVideoAnswerDy = 210;
constexpr int kMediaButtonWidth = 20;
constexpr int kFieldHeight = 20;
constexpr int kBoxStep = 19;  // the second box overlaps the first by one pixel

// Vertical request steps (line, wheel) differ from the horizontal ones.
constexpr int kVerticalLineStep = 350;
constexpr int kHorizontalLineStep = 1;

// Where a field counts as visible, and where scrolling it into view puts it.
constexpr int kVisibleMargin = 15;
constexpr int kFieldLeadX = 150;

struct GridModeLayout {
  int answerWidth;
  int answerDx;
  int answerDy;  // below the row top; the picture grid adds the row's picture height
};

constexpr GridModeLayout kGridModes[] = {{0, 0, 0},                    // text list: no grid
                                         {300, 0, kPictureGap},        // pictures
                                         {280, kMediaButtonWidth, 0},  // audio
                                         {280, kMediaButtonWidth, kVideoAnswerDy}};  // video

const GridModeLayout& GridMode(int displayMode) {
  return kGridModes[std::clamp(displayMode, 0, static_cast<int>(std::size(kGridModes)) - 1)];
}

}  // namespace

AnswerOwner LocateAnswerField(const QuizData& data, int fieldId) {
  return LocateAnswer(data, fieldId - kAnswerFieldBaseId);
}

int AnswerFieldId(const QuizData& data, int questionIndex, int box) {
  return kAnswerFieldBaseId + AnswerNumber(data, questionIndex, box);
}

int CountAnswerWords(const char* answer) {
  int separators = 0;
  for (const char* p = answer; *p != '\0'; ++p) {
    if (*p == '!') {
      if (p[1] == '\0') break;
      ++p;
    } else if (*p == ' ' || *p == '\'' || *p == '-') {
      ++separators;
    }
  }
  return separators + 1;
}

void FormatWordHint(const char* answer, char* out, size_t outSize) {
  const int words = CountAnswerWords(answer);
  std::snprintf(out, outSize, "en %d mot%s", words, words > 1 ? "s" : "");
}

TextListRow LayOutTextListRow(int y) {
  return {{26, y + 2, 19, 17}, {50, y, 550, 20}, {610, y, 170, 20}, {790, y, 100, 20}};
}

GridCell LayOutGridCell(int displayMode, int answersPerQuestion, int n, int rowTop,
                        int rowPictureHeight) {
  const GridModeLayout& mode = GridMode(displayMode);
  const int column = (n - 1) % kGridColumns;
  const int left = kGridLeft + (answersPerQuestion == 2 ? kCaptionColumnWidth : 0);
  const int columnX = left + kGridColumnStep * column;
  const int dy = mode.answerDy + (displayMode == kPictureGrid ? rowPictureHeight : 0);
  return {columnX, columnX + mode.answerDx, rowTop + dy, mode.answerWidth};
}

Rect GridNumberLabel(const GridCell& cell) {
  return {cell.columnX - 28, cell.answerY + 2, 27, 17};
}

Rect GridRevealLabel(const GridCell& cell) {
  return {cell.columnX, cell.answerY + 46, 300, 65};
}

Rect GridCaptionLabel(const GridCell& cell, int caption) {
  return caption == 1 ? Rect{4, cell.answerY + 2, 95, 20} : Rect{3, cell.answerY + 22, 95, 20};
}

Rect GridAnswerField(const GridCell& cell, int answersPerQuestion, int box) {
  if (answersPerQuestion == 2) {
    return {cell.answerX, cell.answerY + kBoxStep * (box - 1), cell.answerWidth - 59, kFieldHeight};
  }
  return {cell.answerX, cell.answerY, cell.answerWidth, kFieldHeight};
}

Rect GridFeedbackLabel(const GridCell& cell, int answersPerQuestion, int box) {
  if (answersPerQuestion == 2) {
    return {cell.answerX + cell.answerWidth - 60, cell.answerY + kBoxStep * (box - 1), 60,
            kFieldHeight};
  }
  return {cell.answerX, cell.answerY + kBoxStep, cell.answerWidth, kFieldHeight};
}

Rect GridPlayButton(const GridCell& cell) {
  return {cell.columnX, cell.answerY, 20, 20};
}

Rect GridStopButton(const GridCell& cell) {
  return {cell.columnX, cell.answerY + 20, 20, 19};
}

Rect GridMediaContainer(int displayMode, const GridCell& cell, int rowTop) {
  return displayMode == kVideoGrid ? Rect{cell.columnX, rowTop, 300, 200}
                                   : Rect{cell.columnX, rowTop, 0, 0};
}

Rect GridPicture(const GridCell& cell, int rowTop, int rowPictureHeight, int w, int h) {
  return {cell.columnX + (kPictureBoxWidth - w) / 2, rowTop + (rowPictureHeight - h) / 2, w, h};
}

int GridAnswerAreaHeight(int questionKind) {
  return HasRevealLabel(questionKind) ? 140 : 60;
}

int ContentWidthMargin(int answersPerQuestion) {
  return answersPerQuestion == 2 ? 80 : 20;
}

int ScrollTarget(ScrollAxis axis, const ScrollState& state, int request) {
  const int line = axis == kVertical ? kVerticalLineStep : kHorizontalLineStep;
  int target = state.position;
  switch (request) {
    case 0:
      target -= line;
      break;
    case 1:
      target += line;
      break;
    case 2:
      target -= state.page;
      break;
    case 3:
      target += state.page;
      break;
    case 5:
      target = state.trackPosition;
      break;
    case 6:
      target = axis == kVertical ? 0 : target;
      break;
    case 7:
      target = axis == kVertical ? state.maximum : target;
      break;
    case kWheelDownRequest:
      target += axis == kVertical ? kWheelStep : 0;
      break;
    case kWheelUpRequest:
      target -= axis == kVertical ? kWheelStep : 0;
      break;
    default:
      break;
  }
  // The bar itself stops at maximum - page + 1; clamping there too keeps the
  // position we ask for the one we get.
  const int last = state.maximum - std::max(state.page - 1, 0);
  return std::clamp(target, state.minimum, std::max(state.minimum, last));
}

int WheelRequest(int wheelDelta) {
  if (wheelDelta == kWheelNotch) return kWheelUpRequest;
  if (wheelDelta == -kWheelNotch) return kWheelDownRequest;
  return 0;
}

ScrollRange ComputeScrollRange(int contentSize, int clientSize) {
  const bool fits = clientSize >= contentSize;
  const int visible = fits ? contentSize : clientSize;
  // An empty panel (a quiz that failed to load) would give a negative page,
  // which the bar reads as a huge unsigned one.
  return {std::max(contentSize - 2, 0), std::max(visible - 1, 0), fits};
}

bool FieldPointVisible(int x, int y, int h, int v, int panelWidth, int panelHeight) {
  const int lead = x + kFieldLeadX;
  return lead >= h && lead <= h + panelWidth - kVisibleMargin && y >= v &&
         y <= v + panelHeight - kVisibleMargin;
}

ScrollPoint FieldScrollTarget(int x, int y, int rowPictureHeight) {
  return {x - kFieldLeadX, y - rowPictureHeight - kVisibleMargin};
}

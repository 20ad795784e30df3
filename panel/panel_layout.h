// The question panel's arithmetic, kept apart from the windows that use it:
// control ids, row and grid positions, the word-count hint, scroll requests
// and scroll bar ranges. Positions are pixels on the panel's content surface.
#pragma once

#include <cstddef>

#include "app/control_ids.h"
#include "quiz/answer_boxes.h"
#include "quiz/quiz_data.h"

constexpr int kGridColumns = 3;

struct Rect {
  int x;
  int y;
  int width;
  int height;
};

// The question (index from 0) and answer box (1 or 2) of answer field
// `fieldId`; question index -1 for an id that no built field carries.
AnswerOwner LocateAnswerField(const QuizData& data, int fieldId);

// Id of answer field `box` of question `questionIndex` (from 0).
int AnswerFieldId(const QuizData& data, int questionIndex, int box);

// Number of words of an accepted answer as written in the quiz text: spaces,
// apostrophes and hyphens separate words; the character after a "!" is never
// counted. At least 1.
int CountAnswerWords(const char* answer);

// The hint of question kinds 5 and 7: "en N mot" or "en N mots".
void FormatWordHint(const char* answer, char* out, size_t outSize);

// One text-list row at content height y.
struct TextListRow {
  Rect number;
  Rect question;
  Rect field;
  Rect feedback;
};
TextListRow LayOutTextListRow(int y);
constexpr int kTextListRowStep = 25;
constexpr int kTextListContentWidth = 880;

// One grid question: what sits at rowTop, and the answer area below it.
struct GridCell {
  int columnX;      // left edge of the 300-pixel column
  int answerX;      // left edge of the answer fields (after the media buttons)
  int answerY;      // top of the answer area
  int answerWidth;  // W: width of one answer box
};
// `rowPictureHeight` is the tallest picture of the row (picture grid only).
GridCell LayOutGridCell(int displayMode, int answersPerQuestion, int n, int rowTop,
                        int rowPictureHeight);

Rect GridNumberLabel(const GridCell& cell);
Rect GridRevealLabel(const GridCell& cell);
Rect GridCaptionLabel(const GridCell& cell, int caption);  // caption 1 or 2
// Answer field and feedback label of `box` (1 or 2) for a quiz of
// `answersPerQuestion` boxes.
Rect GridAnswerField(const GridCell& cell, int answersPerQuestion, int box);
Rect GridFeedbackLabel(const GridCell& cell, int answersPerQuestion, int box);
Rect GridPlayButton(const GridCell& cell);
Rect GridStopButton(const GridCell& cell);
Rect GridMediaContainer(int displayMode, const GridCell& cell, int rowTop);
// A picture of w x h centred in its 300-wide cell of the row's height.
Rect GridPicture(const GridCell& cell, int rowTop, int rowPictureHeight, int w, int h);

// Height the answer area of a grid row takes below its answer-area top.
int GridAnswerAreaHeight(int questionKind);
// Width added to the content after the last row or grid question.
int ContentWidthMargin(int answersPerQuestion);
constexpr int kGridContentWidth = 1010;
constexpr int kFirstRowTop = 5;

// Scrolling: one unit is one pixel.
enum ScrollAxis { kHorizontal, kVertical };
constexpr int kWheelNotch = 120;
constexpr int kWheelStep = 50;

struct ScrollState {
  int minimum;
  int maximum;
  int page;
  int position;
  int trackPosition;
};
// The position a scroll request asks for, clamped to the positions the bar
// can reach (minimum to maximum - page + 1).
int ScrollTarget(ScrollAxis axis, const ScrollState& state, int request);

// The scroll request a wheel delta stands for, or 0 for none: only exact
// single notches scroll.
int WheelRequest(int wheelDelta);

// Bar settings for content of `contentSize` in a client of `clientSize`.
struct ScrollRange {
  int maximum;
  int page;
  bool fits;  // nothing to scroll: position back to 0, bar disabled
};
ScrollRange ComputeScrollRange(int contentSize, int clientSize);

// Whether a field whose content point (18 pixels right of its left edge) is
// (x, y) counts as visible in a panel window of panelWidth x panelHeight
// scrolled to (h, v).
bool FieldPointVisible(int x, int y, int h, int v, int panelWidth, int panelHeight);

// The scroll positions that bring such a field into view, pictures of its row
// (rowPictureHeight) included.
struct ScrollPoint {
  int h;
  int v;
};
ScrollPoint FieldScrollTarget(int x, int y, int rowPictureHeight);

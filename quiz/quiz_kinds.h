// What each display mode and each quiz kind does: the one table that the
// player, the loader and every packer command read.
//
// A kind decides which extra texts a question stores, what its reveal label
// shows (grids only: the text list has no reveal labels), what a solved
// question does and whether the end of the quiz reveals everything.
#pragma once

enum DisplayMode { kTextList = 0, kPictureGrid = 1, kAudioGrid = 2, kVideoGrid = 3 };
constexpr int kDisplayModeCount = 4;

struct DisplayModeTraits {
  const char* name;  // as quiz.toml writes it
  bool rows;         // the panel builds a row part for each question
  bool grid;         // three questions a row, each with its number and reveal label
  bool pictures;     // a picture per question, answer pictures and "Cacher"
  bool media;        // a sound or video per question, with play and stop buttons
};

// The traits of a display mode. A stored display byte of 0 (mode -1) or past
// 4 shows no rows at all: the quiz keeps its score of 0 and its saved
// answers, and nothing is there to type into.
const DisplayModeTraits& DisplayTraitsOf(int displayMode);
// The display mode quiz.toml names `name`, or -1.
int DisplayModeNamed(const char* name);

constexpr int kKindCount = 10;  // kinds 0 to 9

// What the reveal label of a grid question shows as the row is built.
enum class RevealLabel {
  kNone,         // no reveal label
  kHiddenExtra,  // the extra text, hidden
  kShownExtra,   // the extra text, shown
  kWordHint,     // "en N mots", from the first accepted answer, shown
};

struct KindTraits {
  // Text fields each question stores after the kind byte; of two, only the
  // first is kept.
  int extraFields;
  RevealLabel revealLabel;
  bool showsLabelWhenSolved;    // the hidden reveal label is shown
  bool showsExtraWhenSolved;    // the word hint gives way to the extra text
  bool showsMessageWhenSolved;  // a message box, then the answer picture
  bool keepsLabelWhenWrong;     // a verdict other than "BRAVO" leaves the label as it is
  bool revealsAllAtEnd;         // once all is solved: every reveal label and answer picture
};

// The traits of a kind. A stored kind past 9 stores no extra text, so its
// reveal label stays empty and hidden, and a solved question shows nothing
// more: it plays like kind 0 in a row as tall as kind 2's.
const KindTraits& KindTraitsOf(int kind);

// Whether the grid rows of this kind have reveal labels.
bool HasRevealLabel(int kind);

// How a question field of quiz.toml serves a display mode and kind. An unused
// field is warned of and nothing is stored for it; a needed one is warned of
// when missing or empty.
enum class FieldUse { kUnused, kOptional, kNeeded };

// The extra text: needed where a reveal label shows it (when solved, from the
// start or at the end). A reveal label that stays hidden still comes back into
// view when "Cacher" shows its solved question again, so in the picture grid
// such a text is optional rather than unused.
FieldUse ExtraTextUse(int displayMode, int kind);
// The second extra text of kinds 3, 6 and 9 is never shown.
FieldUse SecondExtraTextUse(int displayMode, int kind);
FieldUse PictureUse(int displayMode);
// Answer pictures replace a picture when a question is solved, after a
// message box (kinds 1, 3, 6: needed), or at the end (kinds 4, 8: optional).
FieldUse AnswerPictureUse(int displayMode, int kind);
FieldUse MediaUse(int displayMode);

#include "quiz/quiz_kinds.h"

#include <cstring>

namespace {

constexpr DisplayModeTraits kDisplayModes[kDisplayModeCount] = {
    // name, rows, grid, pictures, media
    {"text", true, false, false, false},
    {"pictures", true, true, true, false},
    {"audio", true, true, false, true},
    {"video", true, true, false, true},
};

constexpr DisplayModeTraits kUnknownDisplayMode = {"", false, false, false, false};

using R = RevealLabel;
constexpr KindTraits kKinds[kKindCount] = {
    // extra fields, reveal label, solved: shows label, shows extra, message;
    // keeps label when wrong, reveals all at end
    {0, R::kNone, false, false, false, false, false},         // 0: nothing
    {1, R::kNone, false, false, true, false, false},          // 1: message, answer picture
    {1, R::kHiddenExtra, true, false, false, false, false},   // 2: extra when solved
    {2, R::kHiddenExtra, true, false, true, false, false},    // 3: extra, message, picture
    {1, R::kHiddenExtra, false, false, false, false, true},   // 4: everything at the end
    {0, R::kWordHint, false, false, false, true, false},      // 5: word count
    {2, R::kHiddenExtra, false, false, true, false, false},   // 6: message, answer picture
    {1, R::kWordHint, false, true, false, true, false},       // 7: word count, then extra
    {1, R::kShownExtra, false, false, false, true, true},     // 8: extra from the start
    {2, R::kHiddenExtra, false, false, false, false, false},  // 9: extra stored, kept hidden
};

constexpr KindTraits kKindPastTable = {0, R::kHiddenExtra, false, false, false, false, false};

bool ShowsExtraByItself(const KindTraits& kind) {
  switch (kind.revealLabel) {
    case R::kShownExtra:
      return true;
    case R::kHiddenExtra:
      return kind.showsLabelWhenSolved || kind.revealsAllAtEnd;
    case R::kWordHint:
      return kind.showsExtraWhenSolved;
    case R::kNone:
      break;
  }
  return false;
}

}  // namespace

const DisplayModeTraits& DisplayTraitsOf(int displayMode) {
  if (displayMode < 0 || displayMode >= kDisplayModeCount) return kUnknownDisplayMode;
  return kDisplayModes[displayMode];
}

int DisplayModeNamed(const char* name) {
  for (int mode = 0; mode < kDisplayModeCount; ++mode) {
    if (std::strcmp(kDisplayModes[mode].name, name) == 0) return mode;
  }
  return -1;
}

const KindTraits& KindTraitsOf(int kind) {
  // A stored kind is one byte; a negative one never comes from a quiz text.
  if (kind < 0) return kKinds[0];
  return kind < kKindCount ? kKinds[kind] : kKindPastTable;
}

bool HasRevealLabel(int kind) {
  return KindTraitsOf(kind).revealLabel != RevealLabel::kNone;
}

FieldUse ExtraTextUse(int displayMode, int kind) {
  const KindTraits& traits = KindTraitsOf(kind);
  const DisplayModeTraits& display = DisplayTraitsOf(displayMode);
  if (traits.extraFields == 0 || !display.grid) return FieldUse::kUnused;
  if (ShowsExtraByItself(traits)) return FieldUse::kNeeded;
  const bool hiddenLabel = traits.revealLabel == R::kHiddenExtra;
  return hiddenLabel && display.pictures ? FieldUse::kOptional : FieldUse::kUnused;
}

FieldUse SecondExtraTextUse(int, int) {
  return FieldUse::kUnused;
}

FieldUse PictureUse(int displayMode) {
  return DisplayTraitsOf(displayMode).pictures ? FieldUse::kNeeded : FieldUse::kUnused;
}

FieldUse AnswerPictureUse(int displayMode, int kind) {
  const KindTraits& traits = KindTraitsOf(kind);
  if (!DisplayTraitsOf(displayMode).pictures) return FieldUse::kUnused;
  // The solved question's message box announces a picture: without one, nothing follows it.
  if (traits.showsMessageWhenSolved) return FieldUse::kNeeded;
  return traits.revealsAllAtEnd ? FieldUse::kOptional : FieldUse::kUnused;
}

FieldUse MediaUse(int displayMode) {
  // Without a file, the question's play button has nothing to play.
  return DisplayTraitsOf(displayMode).media ? FieldUse::kNeeded : FieldUse::kUnused;
}

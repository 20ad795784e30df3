// How much of an author's text the player shows: the widths its fonts give
// each character and the places that show the texts at the window's starting
// size (tools/player_text_metrics.inc, measured from the player's own
// controls under Wine by tools/measure_player_text.cpp).
#pragma once

#include <cstdint>
#include <string_view>

// The byte range the width tables cover: code page 1252 from the space on.
constexpr int kFirstMeasuredByte = 0x20;
constexpr int kMeasuredBytes = 0x100 - kFirstMeasuredByte;

struct PlayerFontMetrics {
  int lineHeight;
  uint8_t widths[kMeasuredBytes];
};

// The places that show an author's text.
enum class TextPlace : uint8_t {
  kTitle,
  kSubtitle,
  kAuthor,
  kLink,
  kFooter,
  kCaption,
  kCode,
  kQuestion,
  kReveal,
  kCount
};

struct TextPlaceMetrics {
  TextPlace place;
  int font;   // index into the fonts
  int width;  // pixels the text may take on a line
  int lines;  // lines shown: 1 for a control that cuts rather than wraps
};

// What a text needs in a place, with the margin below the measured width
// that fonts elsewhere may need (Windows' own fonts differ by a few percent).
struct TextFit {
  bool fits;
  int width;       // one line: the text's width; several: the width of a line
  int lines;       // lines the text takes when wrapped as the control does
  int placeWidth;  // the width the text is measured against
  int placeLines;
};

// A code page 1252 text in a place: one-line places cut what is wider; the
// others wrap words at spaces and line breaks (a word wider than a line is
// broken) and show what fits in their lines.
TextFit FitText(std::string_view cp1252, TextPlace place);

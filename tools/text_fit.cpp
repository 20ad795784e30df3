#include "tools/text_fit.h"

#include <vector>

namespace {

#include "tools/player_text_metrics.inc"

// Fonts elsewhere may be a few percent wider than Wine's: warn from this far below the width.
constexpr int kMarginPercent = 5;

const TextPlaceMetrics& MetricsOf(TextPlace place) {
  for (const TextPlaceMetrics& metrics : kTextPlaces) {
    if (metrics.place == place) return metrics;
  }
  return kTextPlaces[0];
}

int WidthOf(unsigned char c, const PlayerFontMetrics& font) {
  return c < kFirstMeasuredByte ? 0 : font.widths[c - kFirstMeasuredByte];
}

int WidthOf(std::string_view text, const PlayerFontMetrics& font) {
  int width = 0;
  for (const char c : text) width += WidthOf(static_cast<unsigned char>(c), font);
  return width;
}

// Lines one paragraph takes, words wrapped at spaces, a word wider than a line broken.
int WrappedLines(std::string_view paragraph, const PlayerFontMetrics& font, int width) {
  int lines = 1, used = 0;
  size_t at = 0;
  while (at < paragraph.size()) {
    const size_t space = paragraph.find(' ', at);
    const std::string_view word = paragraph.substr(at, space - at);
    const int word_width = WidthOf(word, font);
    const int space_width = used ? WidthOf(' ', font) : 0;
    if (used && used + space_width + word_width > width) {
      ++lines;
      used = 0;
    } else {
      used += space_width;
    }
    for (const char c : word) {
      const int c_width = WidthOf(static_cast<unsigned char>(c), font);
      if (used && used + c_width > width) {
        ++lines;
        used = 0;
      }
      used += c_width;
    }
    if (space == std::string_view::npos) break;
    at = space + 1;
  }
  return lines;
}

}  // namespace

TextFit FitText(std::string_view text, TextPlace place) {
  const TextPlaceMetrics& metrics = MetricsOf(place);
  const PlayerFontMetrics& font = kPlayerFonts[metrics.font];
  const int width = metrics.width - metrics.width * kMarginPercent / 100;
  TextFit fit = {true, 0, 0, width, metrics.lines};
  if (metrics.lines == 1) {
    fit.width = WidthOf(text, font);
    fit.lines = 1;
    fit.fits = fit.width <= width;
    return fit;
  }
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = text.find_first_of("\r\n", at);
    fit.lines += WrappedLines(text.substr(at, end - at), font, width);
    if (end == std::string_view::npos) break;
    at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  fit.width = width;
  fit.fits = fit.lines <= metrics.lines;
  return fit;
}

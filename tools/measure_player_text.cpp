// measure-player-text: what the packer's text-fit warnings measure against.
// Starts the real player in-process on two small quizzes, reads the font and
// size of every control that shows an author's text, and measures each
// character of code page 1252 in that font with GetTextExtentPoint32A. With
// FILE it compares the result with the table in FILE (exit 1 when they
// differ); with --write FILE it writes the table there.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/header_bar.h"
#include "app/main_window.h"
#include "app/player.h"
#include "panel/panel_layout.h"
#include "tools/quiz_blocks.h"
#include "tools/text_fit.h"

namespace {

struct Measured {
  std::vector<PlayerFontMetrics> fonts;
  std::vector<TextPlaceMetrics> places;
};

// The window and control showing each place, in the quiz that has it.
enum class Window { kFrame, kHeader, kPanel };
struct PlaceSource {
  TextPlace place;
  bool grid;  // the picture grid quiz (two answers, kind 2) rather than the text list
  Window window;
  int id;
  const char* name;
};

const PlaceSource kSources[] = {
    {TextPlace::kTitle, false, Window::kHeader, kTitleId, "kTitle"},
    {TextPlace::kSubtitle, false, Window::kHeader, kSubtitleId, "kSubtitle"},
    {TextPlace::kAuthor, false, Window::kHeader, kAuthorId, "kAuthor"},
    {TextPlace::kLink, false, Window::kHeader, kLinkId, "kLink"},
    {TextPlace::kFooter, false, Window::kFrame, kCornerLabelId, "kFooter"},
    {TextPlace::kCaption, true, Window::kPanel, kCaptionLabelId, "kCaption"},
    {TextPlace::kCode, false, Window::kHeader, kCodeFieldId, "kCode"},
    {TextPlace::kQuestion, false, Window::kPanel, kQuestionLabelId, "kQuestion"},
    {TextPlace::kReveal, true, Window::kPanel, kRevealLabelBaseId + 1, "kReveal"},
};
static_assert(sizeof(kSources) / sizeof(kSources[0]) == static_cast<size_t>(TextPlace::kCount));

QuizSource MeasuredQuiz(bool grid) {
  QuizSource quiz;
  quiz.title = "T";
  quiz.questions.push_back({"Q", "A", "", "", "", "", "", ""});
  quiz.codes = {"C"};
  if (grid) {
    quiz.displayMode = 1;
    quiz.kind = 2;
    quiz.answersPerQuestion = 2;
    quiz.answerCaption1 = "A";
    quiz.answerCaption2 = "B";
    quiz.questions[0].answer2 = "B";
    quiz.questions[0].extra = "E";
  }
  return quiz;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

PlayerFontMetrics MeasureFont(HWND control) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  HDC context = GetDC(control);
  HGDIOBJ previous = SelectObject(context, font ? font : GetStockObject(SYSTEM_FONT));
  PlayerFontMetrics metrics = {};
  TEXTMETRICA text_metrics;
  GetTextMetricsA(context, &text_metrics);
  metrics.lineHeight = text_metrics.tmHeight;
  for (int i = 0; i < kMeasuredBytes; ++i) {
    const char c = static_cast<char>(kFirstMeasuredByte + i);
    SIZE size;
    GetTextExtentPoint32A(context, &c, 1, &size);
    metrics.widths[i] = static_cast<uint8_t>(size.cx);
  }
  SelectObject(context, previous);
  ReleaseDC(control, context);
  return metrics;
}

int FontIndex(const PlayerFontMetrics& font, std::vector<PlayerFontMetrics>* fonts) {
  for (size_t i = 0; i < fonts->size(); ++i) {
    if (std::memcmp(&(*fonts)[i], &font, sizeof font) == 0) return static_cast<int>(i);
  }
  fonts->push_back(font);
  return static_cast<int>(fonts->size()) - 1;
}

// Edit controls keep their text on one line within their margins; statics
// that centre vertically show one line; other statics wrap into their height.
TextPlaceMetrics MeasurePlace(const PlaceSource& source, HWND control, Measured* measured) {
  const PlayerFontMetrics font = MeasureFont(control);
  RECT client;
  GetClientRect(control, &client);
  char window_class[16] = {};
  GetClassNameA(control, window_class, sizeof window_class);
  const bool edit = lstrcmpiA(window_class, "Edit") == 0;
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  int width = client.right;
  if (edit) {
    const LRESULT margins = SendMessageA(control, EM_GETMARGINS, 0, 0);
    width -= LOWORD(margins) + HIWORD(margins);
  }
  const bool one_line = edit || (style & SS_CENTERIMAGE);
  const int lines = one_line ? 1 : client.bottom / font.lineHeight;
  return {source.place, FontIndex(font, &measured->fonts), width, lines};
}

bool MeasureQuiz(bool grid, Measured* measured) {
  StoredQuiz stored;
  std::string error;
  if (!BuildStoredQuiz(MeasuredQuiz(grid), &stored, &error)) return false;
  QuizBlocks blocks = {};
  const std::vector<unsigned char>* parts[] = {&stored.builtin, &stored.quiz, &stored.codes};
  for (int i = 0; i < kQuizBlockCount; ++i) {
    blocks.data[i] = parts[i]->data();
    blocks.size[i] = parts[i]->size();
  }
  PlayerWindows windows = {};
  if (!StartPlayer(GetModuleHandleA(nullptr), blocks, &windows)) return false;
  PumpMessages();
  for (const PlaceSource& source : kSources) {
    if (source.grid != grid) continue;
    const HWND parent = source.window == Window::kFrame    ? windows.frame
                        : source.window == Window::kHeader ? windows.header
                                                           : windows.panel;
    const HWND control = GetDlgItem(parent, source.id);
    if (!control) return false;
    measured->places.push_back(MeasurePlace(source, control, measured));
  }
  EndPlayer(&windows);
  PumpMessages();
  return true;
}

std::string Table(const Measured& measured) {
  std::ostringstream out;
  out << "// Measured from the player's own controls under Wine by measure-player-text\n"
         "// (tools/measure_player_text.cpp): do not edit, run it with --write again.\n"
         "constexpr PlayerFontMetrics kPlayerFonts[] = {\n";
  for (const PlayerFontMetrics& font : measured.fonts) {
    out << "    {" << font.lineHeight << ",\n     {";
    for (int i = 0; i < kMeasuredBytes; ++i) {
      out << (i == 0 ? "" : i % 16 == 0 ? ",\n      " : ", ") << int{font.widths[i]};
    }
    out << "}},\n";
  }
  out << "};\nconstexpr TextPlaceMetrics kTextPlaces[] = {\n";
  for (const TextPlaceMetrics& place : measured.places) {
    const PlaceSource& source = kSources[static_cast<size_t>(place.place)];
    out << "    {TextPlace::" << source.name << ", " << place.font << ", " << place.width << ", "
        << place.lines << "},\n";
  }
  out << "};\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  const bool write = argc == 3 && std::strcmp(argv[1], "--write") == 0;
  if (argc != 2 && !write) {
    std::fprintf(stderr, "usage: measure-player-text [--write] TABLE.inc\n");
    return 2;
  }
  Measured measured;
  if (!MeasureQuiz(false, &measured) || !MeasureQuiz(true, &measured)) {
    std::fprintf(stderr, "measure-player-text: the player did not start\n");
    return 1;
  }
  // Keep the places in their enumeration's order, whichever quiz showed them.
  std::vector<TextPlaceMetrics> ordered;
  for (int place = 0; place < static_cast<int>(TextPlace::kCount); ++place) {
    for (const TextPlaceMetrics& metrics : measured.places) {
      if (static_cast<int>(metrics.place) == place) ordered.push_back(metrics);
    }
  }
  measured.places = ordered;
  const std::string table = Table(measured);
  const char* path = argv[argc - 1];
  if (write) {
    std::ofstream(path, std::ios::binary) << table;
    return 0;
  }
  std::ifstream file(path, std::ios::binary);
  std::ostringstream kept;
  kept << file.rdbuf();
  if (kept.str() == table) return 0;
  std::fprintf(stderr,
               "measure-player-text: %s differs from what the player's fonts give; "
               "measured:\n%s",
               path, table.c_str());
  return 1;
}

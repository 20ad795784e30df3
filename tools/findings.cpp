#include "tools/findings.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "answers/compare.h"

namespace {

constexpr Severity kError = Severity::kError;
constexpr Severity kWarning = Severity::kWarning;
// A code found in this many questions is said once, with their list.
constexpr size_t kGroupFrom = 3;

// The wording: "{N}" is value N (from 1); a "{?...?}" part is said only when
// every value it names is given and not empty.
struct CodeInfo {
  FindingCode code;
  const char* name;
  Severity severity;
  const char* text;
  const char* groupText;  // said once for many questions; "" when never grouped
};

constexpr CodeInfo kCodes[] = {
    {FindingCode::kUnreadable, "unreadable", kError, "cannot be read{? ({1})?}", ""},
    {FindingCode::kSyntax, "syntax", kError, "TOML syntax error: {1}", ""},
    {FindingCode::kSyntaxUnquotedText, "syntax-unquoted-text", kError,
     "TOML syntax error: {1} (a text goes between double quotes: {2} = \"{3}\")", ""},
    {FindingCode::kSyntaxQuoteInText, "syntax-quote-in-text", kError,
     "TOML syntax error: {1} (a double quote inside a text is written \\\", or the whole text "
     "goes between single quotes: 'say \"hello\"')",
     ""},
    {FindingCode::kSyntaxBackslash, "syntax-backslash", kError,
     "TOML syntax error: {1} (a backslash starts an escape between double quotes: write paths "
     "with / as in \"img/cercle.png\", or double the backslash: \"img\\\\cercle.png\")",
     ""},
    {FindingCode::kNotUtf8, "not-utf8", kError, "is not UTF-8: save it as UTF-8 in your editor",
     ""},
    {FindingCode::kUnknownField, "unknown-field", kError, "unknown field{? (did you mean '{1}'?)?}",
     ""},
    {FindingCode::kSettingInQuestion, "setting-in-question", kError,
     "is a setting of the whole quiz: written after the first [[question]], it belongs to that "
     "question; move it above the first [[question]]",
     ""},
    {FindingCode::kNotString, "not-string", kError, "must be a string", ""},
    {FindingCode::kNotCodePage, "not-code-page", kError, "character {1} is not in code page 1252",
     ""},
    {FindingCode::kBar, "bar", kError, "contains '|', which the stored quiz uses to end a field",
     ""},
    {FindingCode::kLineBreak, "line-break", kError, "contains a line break", ""},
    {FindingCode::kEmptyAnswer, "empty-answer", kError,
     "is empty, so the question could never be solved", ""},
    {FindingCode::kOuterSpace, "outer-space", kError,
     "starts or ends with a space, so it could never be typed", ""},
    {FindingCode::kControlCharacter, "control-character", kError,
     "contains a control character, which cannot be typed", ""},
    {FindingCode::kTooLong, "too-long", kError, "is {1} characters long, over the limit of {2}",
     ""},
    {FindingCode::kIntegerRange, "integer-range", kError, "must be an integer from {1} to {2}", ""},
    {FindingCode::kDisplayName, "display-name", kError, "must be one of {1}", ""},
    {FindingCode::kTwoStrings, "two-strings", kError, "must be an array of two strings", ""},
    {FindingCode::kColour, "colour", kError,
     "must be an array of three integers from 0 to 255 (red, green, blue)", ""},
    {FindingCode::kBoolean, "boolean", kError, "must be true or false", ""},
    {FindingCode::kWrongAnswerKey, "wrong-answer-key", kError,
     "does not go with answers_per_question = {1}; write '{2}'", ""},
    {FindingCode::kMissing, "missing", kError, "missing", ""},
    {FindingCode::kNotPath, "not-path", kError, "must be a file path", ""},
    {FindingCode::kNeedsText, "needs-text", kError, "missing: a text list shows it as the question",
     ""},
    {FindingCode::kNoQuestions, "no-questions", kError,
     "the quiz needs at least one [[question]] table", ""},
    {FindingCode::kTooManyQuestions, "too-many-questions", kError,
     "{1} questions, over the limit of {2}", ""},
    {FindingCode::kNotTable, "not-table", kError, "must be a [[question]] table", ""},
    {FindingCode::kNotStringArray, "not-string-array", kError, "must be an array of strings", ""},
    {FindingCode::kTooManyCodes, "too-many-codes", kError,
     "{1} codes, but the score only reaches {2}", ""},
    {FindingCode::kTextTwoAnswers, "text-two-answers", kError,
     "a \"text\" display has one answer field per question; use 1 or a grid display", ""},
    {FindingCode::kUnknownCode, "unknown-code", kError,
     "'{1}' is not the code of a warning{? (did you mean '{2}'?)?}", ""},
    {FindingCode::kNoSuchFile, "no-such-file", kError, "{1}: no such file{? (did you mean {2}?)?}",
     ""},
    {FindingCode::kFileUnreadable, "file-unreadable", kError, "{1} cannot be read ({2})", ""},
    {FindingCode::kNotPicture, "not-picture", kError, "{1} is not a PNG, JPEG, GIF or BMP picture",
     ""},
    {FindingCode::kPngSide, "png-side", kError,
     "{1} is {2} x {3} pixels: a side over {4}, the longest the player's PNG decoder opens", ""},
    {FindingCode::kPngPixels, "png-pixels", kError,
     "{1} is {2} x {3} pixels, over what the player's PNG decoder opens ({4} x {4} in all)", ""},
    {FindingCode::kTypographicApostrophe, "typographic-apostrophe", kError,
     "\"{1}\" holds a typographic apostrophe (\xE2\x80\x99), which players cannot type: write ' "
     "instead (or keep it with accept = [\"typographic-apostrophe\"])",
     "answers hold a typographic apostrophe (\xE2\x80\x99), which players cannot type: write ' "
     "instead (or keep them with accept = [\"typographic-apostrophe\"])"},
    {FindingCode::kShortAnswer, "short-answer", kWarning,
     "\"{1}\" has 3 characters or fewer: it is judged right or wrong, with no hint for a near miss",
     "answers of 3 characters or fewer are judged right or wrong, with no hint for a near miss"},
    {FindingCode::kNoBreakSpace, "no-break-space", kWarning,
     "\"{1}\" holds a non-breaking space, which players type as a space",
     "answers hold a non-breaking space, which players type as a space"},
    {FindingCode::kAccent, "accent", kWarning,
     "\"{1}\" holds \"{2}\": players must type the accent, an unaccented letter counts as wrong",
     "answers hold accented letters: players must type the accents, an unaccented letter counts "
     "as wrong"},
    {FindingCode::kSharedAnswer, "shared-answer", kWarning,
     "\"{1}\" is also the answer of question {2}", "answers are also those of other questions"},
    {FindingCode::kMissingCodes, "missing-codes", kWarning,
     "no code for score{?s {1} to?} {2}: players reaching it see an empty code field", ""},
    // The values of the field codes below: the display's name, the kind.
    {FindingCode::kPictureNotShown, "picture-not-shown", kWarning,
     "the \"{1}\" display shows no pictures; it is not stored",
     "pictures that the display never shows, not stored"},
    {FindingCode::kMediaNotShown, "media-not-shown", kWarning,
     "the \"{1}\" display plays no media; it is not stored",
     "media files that the display never plays, not stored"},
    {FindingCode::kExtraNotShown, "extra-not-shown", kWarning,
     "the \"{1}\" display has no reveal labels; it is not stored",
     "extra texts that the display never shows, not stored"},
    {FindingCode::kExtra2NotShown, "extra2-not-shown", kWarning,
     "the player never shows a second extra text; it is not stored",
     "second extra texts, never shown and not stored"},
    {FindingCode::kNotShownByKind, "not-shown-by-kind", kWarning,
     "kind {2} never shows it in the \"{1}\" display; it is not stored",
     "texts or pictures that the kind never shows, not stored"},
    {FindingCode::kNoPicture, "no-picture", kWarning, "missing: the question shows an empty box",
     "no picture: these questions show an empty box"},
    {FindingCode::kNoMedia, "no-media", kWarning,
     "missing: the question's play button has nothing to play",
     "no media file: these questions' play buttons have nothing to play"},
    {FindingCode::kNeededByKind, "needed-by-kind", kWarning, "missing: kind {2} shows it",
     "missing where the kind shows it"},
    {FindingCode::kLargePicture, "large-picture", kWarning,
     "{1} is {2} x {3} pixels, shrunk into a 300-pixel box: a smaller picture plays the same",
     "pictures over twice the 300-pixel box they are shrunk into: smaller ones play the same"},
    {FindingCode::kMediaUnrecognised, "media-unrecognised", kWarning,
     "{1}: its format is not recognised and the player will save it as .{2}", ""},
    {FindingCode::kMediaMisnamed, "media-misnamed", kWarning,
     "{1}: it holds {2} data but the player will save it as .{3}, which a media player may refuse",
     ""},
    {FindingCode::kTooWide, "too-wide", kWarning,
     "\"{1}\" is {2} pixels wide where the player shows {3}: the rest is cut",
     "texts wider than the line the player shows them on: the rest is cut"},
    {FindingCode::kTooManyLines, "too-many-lines", kWarning,
     "\"{1}\" takes {2} lines of {3} pixels where the player shows {4}: the rest is cut",
     "texts longer than the lines the player shows them on: the rest is cut"},
    {FindingCode::kNotBuilt, "not-built", kError, "{1}", ""},
};
constexpr bool InCodeOrder() {
  size_t row = 0;
  for (const CodeInfo& info : kCodes) {
    if (static_cast<size_t>(info.code) != row++) return false;
  }
  return row == static_cast<size_t>(FindingCode::kCount);
}
static_assert(InCodeOrder(), "one row per finding code, in the order of the codes");

const CodeInfo& InfoOf(FindingCode code) {
  return kCodes[static_cast<size_t>(code)];
}

// Value n (from 1), or "" when not given.
std::string_view Value(const Finding& finding, size_t n) {
  return n >= 1 && n <= finding.values.size() ? std::string_view(finding.values[n - 1]) : "";
}

// Fills "{N}" in text; *complete becomes false when a named value is empty.
std::string Fill(std::string_view text, const Finding& finding, bool* complete) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t close = text.find('}', i);
    const bool numbered =
        i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
    if (text[i] == '{' && numbered && close != std::string_view::npos) {
      const std::string_view value = Value(finding, std::stoul(std::string(text.substr(i + 1))));
      if (value.empty()) *complete = false;
      out += value;
      i = close;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string Word(std::string_view text, const Finding& finding) {
  constexpr std::string_view kOpen = "{?", kClose = "?}";
  std::string out;
  size_t at = 0;
  while (at < text.size()) {
    const size_t open = text.find(kOpen, at);
    const size_t close = open == std::string_view::npos ? open : text.find(kClose, open);
    bool complete = true;
    if (close == std::string_view::npos) {
      out += Fill(text.substr(at), finding, &complete);
      break;
    }
    out += Fill(text.substr(at, open - at), finding, &complete);
    complete = true;
    const size_t inner = open + kOpen.size();
    const std::string part = Fill(text.substr(inner, close - inner), finding, &complete);
    if (complete) out += part;
    at = close + kClose.size();
  }
  return out;
}

std::string Place(std::string_view file, uint32_t line, uint32_t column) {
  if (file.empty()) return "";
  std::string place(file);
  if (line) place += ":" + std::to_string(line);
  if (line && column) place += ":" + std::to_string(column);
  return place + ": ";
}

std::string Tail(const Finding& finding, std::string_view text) {
  const CodeInfo& info = InfoOf(finding.code);
  if (info.severity == kError && !IsAcceptable(finding.code)) return std::string(text);
  const char* severity = info.severity == kWarning ? "warning: " : "";
  return severity + std::string(text) + " [" + info.name + "]";
}

// "questions 2, 5 and 9", each once.
std::string QuestionList(const std::vector<const Finding*>& group) {
  std::vector<int> numbers;
  for (const Finding* finding : group) {
    if (numbers.empty() || numbers.back() != finding->question)
      numbers.push_back(finding->question);
  }
  std::string list = "questions ";
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i) list += i + 1 == numbers.size() ? " and " : ", ";
    list += std::to_string(numbers[i]);
  }
  return list;
}

}  // namespace

Severity SeverityOf(FindingCode code) {
  return InfoOf(code).severity;
}

const char* CodeName(FindingCode code) {
  return InfoOf(code).name;
}

bool CodeNamed(std::string_view name, FindingCode* code) {
  for (const CodeInfo& info : kCodes) {
    if (name == info.name) {
      *code = info.code;
      return true;
    }
  }
  return false;
}

bool IsAcceptable(FindingCode code) {
  return SeverityOf(code) == kWarning || code == FindingCode::kTypographicApostrophe;
}

std::string AcceptableCodeNames() {
  std::string names;
  for (const CodeInfo& info : kCodes) {
    if (IsAcceptable(info.code)) names += (names.empty() ? "" : ", ") + std::string(info.name);
  }
  return names;
}

std::string FindingText(const Finding& finding) {
  return Word(InfoOf(finding.code).text, finding);
}

std::string FormatFinding(const Finding& finding, std::string_view file) {
  std::string line = Place(file, finding.line, finding.column);
  if (finding.question) line += "question " + std::to_string(finding.question) + ", ";
  if (!finding.field.empty()) line += "field '" + finding.field + "': ";
  return line + Tail(finding, FindingText(finding));
}

std::vector<FindingLine> FormatFindings(const std::vector<Finding>& findings,
                                        std::string_view file) {
  std::map<FindingCode, std::vector<const Finding*>> groups;
  for (const Finding& finding : findings) {
    if (finding.question && *InfoOf(finding.code).groupText) {
      groups[finding.code].push_back(&finding);
    }
  }
  std::vector<FindingLine> lines;
  for (const Finding& finding : findings) {
    const Severity severity = SeverityOf(finding.code);
    const auto group = groups.find(finding.code);
    if (group == groups.end() || group->second.size() < kGroupFrom) {
      lines.push_back({severity, FormatFinding(finding, file)});
    } else if (group->second.front() == &finding) {
      lines.push_back({severity, Place(file, finding.line, 0) + QuestionList(group->second) + ": " +
                                     Tail(finding, InfoOf(finding.code).groupText)});
    }
  }
  return lines;
}

std::string Counted(size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

bool HasError(const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    if (SeverityOf(finding.code) == kError) return true;
  }
  return false;
}

std::string ClosestName(std::string_view name, const std::vector<std::string>& candidates) {
  const std::string typed(name.substr(0, kMaxTextLength));
  // Two letters may be wrong ("titel", "cercel.png"), or a third of a long name.
  const int most = std::max(2, static_cast<int>(typed.size() / 3));
  std::string best;
  int best_distance = most + 1;
  for (const std::string& candidate : candidates) {
    const int distance = EditDistance(typed.c_str(), candidate.substr(0, kMaxTextLength).c_str());
    if (distance > 0 && distance < best_distance && distance < static_cast<int>(typed.size())) {
      best = candidate;
      best_distance = distance;
    }
  }
  return best;
}

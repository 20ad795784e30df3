// What check, build and the quiz reader find in a quiz.toml, as plain records:
// a stable code, the question and field, the line, and the values the wording
// needs. Each front end words them itself; the command line's English
// sentences are made here, from the one table of codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class Severity : uint8_t { kWarning, kError };

enum class FindingCode : uint8_t {
  // The quiz.toml file and its syntax.
  kUnreadable,
  kSyntax,
  kSyntaxUnquotedText,
  kSyntaxQuoteInText,
  kSyntaxBackslash,
  kNotUtf8,
  // Keys and values the reader refuses.
  kUnknownField,
  kSettingInQuestion,
  kNotString,
  kNotCodePage,
  kBar,
  kLineBreak,
  kEmptyAnswer,
  kOuterSpace,
  kControlCharacter,
  kTooLong,
  kIntegerRange,
  kDisplayName,
  kTwoStrings,
  kColour,
  kBoolean,
  kWrongAnswerKey,
  kMissing,
  kNotPath,
  kNeedsText,
  kNoQuestions,
  kTooManyQuestions,
  kNotTable,
  kNotStringArray,
  kTooManyCodes,
  kTextTwoAnswers,
  kUnknownCode,
  // Files the quiz names.
  kNoSuchFile,
  kFileUnreadable,
  kNotPicture,
  kPngSide,
  kPngPixels,
  // Answers.
  kTypographicApostrophe,
  kShortAnswer,
  kNoBreakSpace,
  kAccent,
  kSharedAnswer,
  // What the player shows.
  kMissingCodes,
  kPictureNotShown,
  kMediaNotShown,
  kExtraNotShown,
  kExtra2NotShown,
  kNotShownByKind,
  kNoPicture,
  kNoMedia,
  kNeededByKind,
  kLargePicture,
  kMediaUnrecognised,
  kMediaMisnamed,
  kTooWide,
  kTooManyLines,
  kNotBuilt,
  kCount
};

struct Finding {
  FindingCode code;
  int question = 0;   // from 1; 0 for the quiz as a whole
  std::string field;  // the quiz.toml key ("answer", "answers[2]", "codes[3]"), or ""
  uint32_t line = 0;  // in quiz.toml; 0 when the finding has none
  uint32_t column = 0;
  std::vector<std::string> values;  // UTF-8: what the code's wording names, in its order
};

Severity SeverityOf(FindingCode code);
// The stable name of a code ("short-answer"), which authors give to accept it.
const char* CodeName(FindingCode code);
// The code of a name; false when there is none.
bool CodeNamed(std::string_view name, FindingCode* code);
// Warnings, and the one error an author may keep on purpose, can be accepted.
bool IsAcceptable(FindingCode code);
// The names of every acceptable code, comma-separated, for usage texts.
std::string AcceptableCodeNames();

// The English sentence of a finding, without its place: "is 86 characters
// long, over the limit of 85".
std::string FindingText(const Finding& finding);

// One finding as a line of the command line's output:
// "quiz.toml:14: question 2, field 'answer': warning: TEXT [code]"; without
// the place when file is "".
std::string FormatFinding(const Finding& finding, std::string_view file);

// The lines of the command line's output, in order. A code found in many
// questions is said once, with the list of its questions.
struct FindingLine {
  Severity severity;
  std::string text;
};
std::vector<FindingLine> FormatFindings(const std::vector<Finding>& findings,
                                        std::string_view file);

// "1 error", "2 errors".
std::string Counted(size_t count, std::string_view noun);

// Whether any finding is an error.
bool HasError(const std::vector<Finding>& findings);

// The candidate closest to name, when one is close enough to be what the
// author meant ("colour" for "color", "cercle.png" for "cercel.png"); else "".
std::string ClosestName(std::string_view name, const std::vector<std::string>& candidates);

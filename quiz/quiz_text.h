// The decoded text of a stored quiz: one model of what its three blocks say,
// one reader and one writer. The loader, the packer and the tests all go
// through them.
//
// The text is a run of fields with nothing between them: a text field is bytes
// ended by one "|" (no escape), a number field is one raw byte.
// - Block 0, the built-in block: two bytes nobody reads, the link, the corner text.
// - Block 1, the quiz (resource 104): a byte nobody reads, the display mode
//   plus one, the question count, the answer boxes per question; the title,
//   author, subtitle and two answer captions; per question its first answer,
//   its second (with two boxes only) and its text; the kind byte; per question
//   the extra texts the kind stores; the red, green and blue bytes. Nothing
//   after them is read.
// - Block 2, the reward codes (resource 105): one line per question, each
//   ended by CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DecodedQuestion {
  std::string answer1;  // plain, as stored: the loader folds it
  std::string answer2;  // stored with two answer boxes only
  std::string text;
  std::string extra;   // stored when the kind stores an extra text
  std::string extra2;  // stored when it stores two; never shown
};

// Settings are kept as the bytes say, unchecked. A whole quiz has
// questionCount questions and as many codes. Texts hold at most what the
// player's buffers do: a longer stored field is read cut.
struct DecodedQuiz {
  std::string link;
  std::string footer;
  int displayMode = 0;  // the stored byte less one: -1 to 254
  int questionCount = 0;
  int answersPerQuestion = 1;
  std::string title;
  std::string author;
  std::string subtitle;
  std::string answerCaption1;
  std::string answerCaption2;
  std::vector<DecodedQuestion> questions;
  int kind = 0;
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  std::vector<std::string> codes;
};

// Where a text breaks its block's layout: the read stops there.
enum class QuizTextFault {
  kNone,
  kSettingsCut,  // the text ends before the three settings bytes
  kFieldCut,     // a field without its "|", or no kind byte
  kColourCut,    // the text ends before the three colour bytes
};

// The readers fill what they reach and leave every field they do not reach
// as it was, so a caller that seeds the model sees what a cut text leaves: a
// field cut short holds what was read of it, a question is added only once
// its answers and text are read, and the settings and colour bytes are taken
// three at a time.
QuizTextFault ReadBuiltinText(const unsigned char* text, size_t size, DecodedQuiz* quiz);
QuizTextFault ReadQuizText(const unsigned char* text, size_t size, DecodedQuiz* quiz);
// Reads questionCount lines; lines missing at the end read as empty, a line
// that is not ended takes the rest of the text.
void ReadCodesText(const unsigned char* text, size_t size, DecodedQuiz* quiz);

// The three decoded texts, in load order.
struct QuizTexts {
  std::string builtin;
  std::string quiz;
  std::string codes;
};

// Writes the model byte for byte as the readers read it: the bytes nobody
// reads are zeros, and every code line ends with CR LF, the last one too.
QuizTexts WriteQuizTexts(const DecodedQuiz& quiz);

// A decoded block and the read position in it.
struct TextCursor {
  const unsigned char* text;
  size_t size;
  size_t position;
};

// Copies one "|"-ended field into destination (capacity bytes, terminator
// included) and moves past the "|". A longer field is cut to fit and read to
// its "|" all the same. Returns false when the text ends before the "|"; the
// destination then holds what was read.
bool ReadField(TextCursor* cursor, char* destination, size_t capacity);

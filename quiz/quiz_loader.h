// The quiz loader: decodes the three stored blocks (the built-in block, the
// quiz and the reward codes) and fills the quiz record from their text, read
// by the quiz text reader (quiz/quiz_text.h), its answers folded.
#pragma once

#include <cstddef>

#include "quiz/quiz_data.h"

constexpr int kQuizBlockCount = 3;

// The three stored blocks in load order: the built-in block, the quiz, the
// reward codes. The loader decodes copies, never these bytes.
struct QuizBlocks {
  const unsigned char* data[kQuizBlockCount];
  size_t size[kQuizBlockCount];
};

// What the player shows after loading: nothing, or one message box (OK button,
// no owner window).
struct LoadOutcome {
  bool failed;
  const char* message;
  const char* caption;
};

extern const char kDecodeErrorMessage[];  // caption kDecodeErrorCaption
extern const char kDecodeErrorCaption[];
extern const char kNoMemoryMessage[];  // caption kNoMemoryCaption
extern const char kNoMemoryCaption[];

// Fills *quiz, which holds its defaults, from the three blocks. A block that
// decodes neither as stored nor descrambled, or whose text breaks its layout,
// sets questionCount to 0 and stops the load: the fields set before stay.
LoadOutcome LoadQuiz(QuizData* quiz, const QuizBlocks& blocks);

// Parses the decoded text of block `block` (0 built-in, 1 quiz, 2 reward
// codes) into *quiz. Returns false when the text breaks the block's layout (a
// field without its "|", a number past the end, more than 96 questions); the
// reward codes never do, their missing lines reading as empty.
bool ParseBlockText(int block, const unsigned char* text, size_t size, QuizData* quiz);

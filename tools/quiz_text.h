// Turns a checked quiz source into the three decoded texts of the stored quiz:
// the built-in block (link and footer), block 104 (the quiz proper) and block
// 105 (the reward codes), byte for byte as the player's loader parses them.
#pragma once

#include <string>

#include "tools/quiz_source.h"

struct QuizTexts {
  std::string builtin;  // block 0, before compression
  std::string quiz;     // block 104
  std::string codes;    // block 105
};

QuizTexts BuildQuizTexts(const QuizSource& quiz);

// Turns a checked quiz source into the three stored blocks the player carries:
// the built-in block compiled into its data, and resources 104 and 105.
#pragma once

#include <string>
#include <vector>

#include "tools/quiz_source.h"

struct StoredQuiz {
  std::vector<unsigned char> builtin;  // exactly kBuiltinBlockSize bytes
  std::vector<unsigned char> quiz;     // resource 104
  std::vector<unsigned char> codes;    // resource 105
};

// Encodes the three blocks, scrambled when the source asks for it. Fails with
// a reason when a block does not fit: the link and footer must compress into
// the built-in block, the others into what the player decodes.
bool BuildStoredQuiz(const QuizSource& source, StoredQuiz* stored, std::string* error);

// Whole files for the Windows tests, which check saved-answers files byte for
// byte.
#pragma once

#include <string>

// The file's bytes, or "<missing>" when it cannot be opened.
std::string ReadFileBytes(const std::string& name);

void WriteFileBytes(const std::string& name, const std::string& bytes);

// The name of this test program's saved-answers file, by the player's own rule.
std::string SavedAnswersName();

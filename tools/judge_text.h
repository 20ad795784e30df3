// Judging a typed answer given as UTF-8 text, exactly as the player judges
// what is typed into an answer box: for the packer's judge command and for the
// studio's answer trial.
#pragma once

#include <string>
#include <string_view>

// Sets *word to one of the feedback words of answers/verdict.h (code page
// 1252) for typed against expected. Fails, with *error naming the text
// ("expected text: ..."), when either is not code page 1252 or is over the
// player's text length.
bool JudgeUtf8(std::string_view expected_utf8, std::string_view typed_utf8, const char** word,
               std::string* error);

// Making a quiz executable from a copy of the player: the quiz's stored
// blocks, pictures and media files become resources beside the player's own,
// and the built-in block goes into its .tevra section.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "tools/quiz_blocks.h"
#include "tools/quiz_check.h"
#include "tools/quiz_source.h"

// Told of each picture or media file as it is added: "picture 3 of 12: a.png".
using BuildProgress = std::function<void(const std::string& line)>;

// Fails with a reason naming the file or resource: a file that cannot be read,
// a player that is not a PE image or whose resources clash with the quiz's.
bool BuildQuizImage(std::string_view player, const QuizSource& source, const StoredQuiz& stored,
                    const QuizFileReader& read_file, const BuildProgress& progress,
                    std::string* exe, std::string* error);

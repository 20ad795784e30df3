// The colour of a feedback label, by the word it holds: one table for the
// player's panel and for the authoring tools that show the word as it will
// look.
#pragma once

#include <cstdint>

struct FeedbackColour {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

// The looks a feedback label can take. kToneNone ("?", nothing judged yet)
// keeps the panel's own look; every word without a tone of its own is amber.
enum FeedbackTone { kToneNone, kToneBravo, kToneFaux, kToneAnagramme, kToneOther, kToneCount };

// By tone; kToneNone has no colour of its own and its entry is never painted.
inline constexpr FeedbackColour kToneColours[kToneCount] = {
    {0, 0, 0}, {0, 255, 0}, {255, 0, 0}, {255, 100, 0}, {255, 203, 38},
};

// The tone of a feedback word (one of the words of answers/verdict.h, or any
// other text a label may hold).
FeedbackTone FeedbackToneOf(const char* word);

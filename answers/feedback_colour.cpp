#include "answers/feedback_colour.h"

#include <cstring>

#include "answers/verdict.h"

namespace {

struct WordTone {
  const char* word;
  FeedbackTone tone;
};

constexpr WordTone kWordTones[] = {
    {kWordEmpty, kToneNone},
    {kWordBravo, kToneBravo},
    {kWordFaux, kToneFaux},
    {kWordAnagramme, kToneAnagramme},
};

}  // namespace

FeedbackTone FeedbackToneOf(const char* word) {
  for (const WordTone& entry : kWordTones) {
    if (std::strcmp(word, entry.word) == 0) return entry.tone;
  }
  return kToneOther;
}

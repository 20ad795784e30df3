// Building and walking the quiz record: its defaults, the question list and
// the list's release.
#pragma once

#include <cstddef>

#include "quiz/quiz_data.h"

constexpr uint32_t kDefaultPanelRed = 90;
constexpr uint32_t kDefaultPanelGreen = 95;
constexpr uint32_t kDefaultPanelBlue = 150;

// Sets every field to the defaults of a quiz not yet loaded: title
// "nom du tevra", author " createur", 2 questions of one answer box, kind 0,
// text list, panel colour (90, 95, 150), an empty question list.
void InitQuizData(QuizData* quiz);

// Frees every question and leaves the list empty.
void DestroyQuizData(QuizData* quiz);

// Links a new question at the tail, with the three texts (already in their
// stored form: answers folded) cut to their buffers; its extra text is empty
// and it is unsolved. Allocation failure throws, as for the record itself.
Question* AppendQuestion(QuizData* quiz, const char* answer1, const char* answer2,
                         const char* questionText);

// The question at a list position from 0; the last one for a position past
// the end, null for an empty list.
Question* QuestionAt(const QuizData& quiz, int position);

// Copies a NUL-terminated text into a buffer of `size` bytes, cut to fit.
void CopyText(char* destination, size_t size, const char* source);

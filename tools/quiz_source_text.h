// Between the author's quiz source and the decoded text of the stored quiz
// (quiz/quiz_text.h), which the quiz text writer and reader turn into bytes
// and back.
#pragma once

#include "quiz/quiz_text.h"
#include "tools/quiz_source.h"

// The decoded text of a checked source. The extra texts its display and kind
// never show are left empty.
DecodedQuiz DecodedQuizOf(const QuizSource& source);

// The source of a decoded quiz, texts as stored; its picture and media paths
// are empty.
QuizSource QuizSourceOf(const DecodedQuiz& quiz);

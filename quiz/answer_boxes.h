// How the player reads the settings that decide its answer fields: the answer
// boxes of a question, how many questions get rows, and the answer number of
// each box (answer field id 4000 + number, saved-answers line number). A
// stored quiz may hold any byte for these settings; each reading of a value
// the format leaves undefined is given here, next to the arithmetic that uses
// it (display modes and kinds: quiz/quiz_kinds.h).
#pragma once

#include "quiz/quiz_data.h"
#include "quiz/quiz_kinds.h"

// Answer boxes per question as stored: 2, or 1 for any other count (0, 3,
// 255...), which the loader already reads with one accepted answer. Ids,
// lookups, the score, the final check, F1 and the saved file all use this.
int AnswerBoxes(const QuizData& data);

// Answer fields the panel builds per question: the text list builds one even
// when the quiz names two answers (that field is judged against its
// question's first answer and alone decides the question).
int FieldsPerQuestion(const QuizData& data);

// Questions that get rows. The loader refuses more than 96 questions; every
// table of the panel still stops there.
int QuestionsWithRows(const QuizData& data);

// Answer fields the panel builds: numbers 1 to this.
int AnswerFieldCount(const QuizData& data);

// Answers the quiz stores: one saved line each, in number order, whether or
// not a field shows it.
int StoredAnswerCount(const QuizData& data);

// Answer number of box `box` (1 or 2) of question `questionIndex` (from 0).
int AnswerNumber(const QuizData& data, int questionIndex, int box);

// The question (index from 0) and box of answer number `answer`; question
// index -1 for a number that no built field carries.
struct AnswerOwner {
  int questionIndex;
  int box;
};
AnswerOwner LocateAnswer(const QuizData& data, int answer);

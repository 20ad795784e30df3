// The string primitives that answer checking and the verdict rules rest on.
// They work on NUL-terminated byte strings of code page 1252 and give the same
// results on folded texts as on plain ones, since the fold maps bytes one to one.
#pragma once

#include "quiz/quiz_data.h"

// The longest text any answer field or accepted answer holds.
constexpr int kMaxTextLength = kTextSize - 1;

// FindContainment results: the sign tells which text was searched in which.
constexpr int kTypedContainsExpected = 2;
constexpr int kTypedInsideExpected = -2;
constexpr int kNotContained = 0;

// Removes leading and trailing spaces (0x20 only: tabs, no-break spaces and
// line breaks stay) in place. Inner spaces stay. Works on texts of any length.
void TrimSpaces(char* text);

// Sorts the bytes in place in ascending order of their signed 8-bit values, so
// that 0x80..0xFF come first: the anagram key. Works on texts of any length.
void SortBytes(char* text);

// The Levenshtein distance, one for each inserted, deleted or substituted byte
// (so two neighbouring bytes exchanged cost 2). Computed bit-parallel.
int EditDistance(const char* a, const char* b);

// The same distance by the plain table, two rows at a time: the reference the
// bit-parallel one is checked against.
int EditDistanceByRows(const char* a, const char* b);

// Whether one text holds the other, searched by a scan that never steps back:
// with T shorter than E, T is searched in E and a find gives -2; otherwise E is
// searched in T and a find gives +2; 0 when not found. An empty searched text
// gives -1 or +1.
int FindContainment(const char* expected, const char* typed);

// EditDistance, FindContainment and the verdict read at most kMaxTextLength
// bytes of a text: callers never pass longer ones, and a longer text is taken
// as its first kMaxTextLength bytes rather than read or written past a
// workspace sized for the capacity.
int CappedLength(const char* text);

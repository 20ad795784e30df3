// The answer fold: accepted answers are held only in this form, and typed
// answers are trimmed and folded the same way before any comparison.
#pragma once

// Upper-cases one byte of code page 1252 text. Accents stay (é becomes É, never
// E); š œ ž ÿ become Š Œ Ž Ÿ and ÷ stays ÷.
unsigned char UpcaseByte(unsigned char b);

// Upper-cases a NUL-terminated text in place.
void UpcaseAnswer(char* text);

// A one-to-one byte map: the two 4-bit halves exchanged, then 0x10 subtracted
// for bytes from 0x80 on. Only 0 folds to 0.
unsigned char FoldByte(unsigned char b);

// Upper-cases, then folds, every byte of a NUL-terminated text in place.
void FoldAnswer(char* text);

// The inverse of FoldByte. Accepted answers are kept folded only: unfolding
// gives them back upper-cased, which is all that counting their words or
// looking for "-" needs.
unsigned char UnfoldByte(unsigned char b);

// Unfolds every byte of a NUL-terminated folded text in place.
void UnfoldAnswer(char* text);

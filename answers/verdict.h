// The grading scale: the feedback word for one typed answer measured against
// one accepted answer.
#pragma once

// The feedback vocabulary, the only texts a feedback label ever holds.
inline constexpr char kWordEmpty[] = "?";
inline constexpr char kWordBravo[] = "BRAVO";
inline constexpr char kWordFaux[] = "FAUX";
inline constexpr char kWordAnagramme[] = "Anagramme";
inline constexpr char kWordQuasiment[] = "Quasiment";
inline constexpr char kWordPresque[] = "Presque";
inline constexpr char kWordTropCourt[] = "Trop court";
inline constexpr char kWordTropLong[] = "Trop long";
inline constexpr char kWordPasLoin[] = "Pas loin";
inline constexpr char kWordIdee[] =
    "y a de l'id\xE9"
    "e";

inline constexpr const char* kFeedbackWords[] = {
    kWordEmpty,   kWordBravo,     kWordFaux,     kWordAnagramme, kWordQuasiment,
    kWordPresque, kWordTropCourt, kWordTropLong, kWordPasLoin,   kWordIdee,
};

// Returns one of the words above (a pointer to the constant itself) for the
// typed answer, trimmed and folded, against the accepted answer, folded and
// not trimmed. Both are read up to their NUL or their first 259 bytes. The
// same pair of upper-cased plain texts gets the same word.
const char* JudgeAnswer(const char* expected, const char* typed);

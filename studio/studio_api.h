// The packer as a library for the studio page: one session of files held in
// memory (no file system), the quiz read from one of them, checked, built into
// a quiz executable, unpacked from one, written back as quiz.toml, and typed
// answers judged. Compiled to WebAssembly for the page; plain C++ natively.
//
// Texts cross as NUL-terminated UTF-8. A function returning `const char*`
// gives JSON (or TOML for tevra_write_toml) that stays valid until the next
// call; byte buffers are read through a pointer and a size. Every JSON reply
// holds "ok"; findings are {"severity": "error"|"warning", "text": "...",
// "question", "field", "message"}, the text worded as `tevra-pack check`
// words it, the question (0 for the quiz's own fields), the field ("" for
// none) and the message being its parts.
#pragma once

#include <cstdint>

extern "C" {

// Forgets every file, the quiz read and the last build.
void tevra_reset();

// Adds (or replaces) a file under name, a path with '/' as the separator as
// the page got it ("quiz.toml", "formes/cercle.png"). Returns 1.
int tevra_add_file(const char* name, const uint8_t* bytes, uint32_t size);

// Reads the added file name as quiz.toml. {"ok", "findings" (the reader's
// errors), "quiz": {"title", "questions", "files": [{"question", "field",
// "path", "found"}]}} ("quiz" only when ok).
const char* tevra_read_quiz(const char* name);

// The quiz read, checked with the files added: {"ok", "findings"}, as `check`,
// and, when check finds no error, what keeps the quiz from fitting the
// player's blocks (a link and footer too long) that the build would stop at.
const char* tevra_check();

// Checks, then builds the quiz executable: {"ok", "findings", "size"}. Its
// bytes are tevra_output_data()/tevra_output_size() until the next build.
const char* tevra_build();
const uint8_t* tevra_output_data();
uint32_t tevra_output_size();

// Takes the added executable name apart: the session then holds its
// quiz.toml and its pictures and media files instead, the quiz read from
// them. {"ok", "error", "files": [names]} then what tevra_read_quiz gives.
const char* tevra_unpack(const char* name);

// An added file's bytes; null and 0 for a name never added.
const uint8_t* tevra_file_data(const char* name);
uint32_t tevra_file_size(const char* name);

// The quiz read, written as quiz.toml text; "" when none was read.
const char* tevra_write_toml();

// The word the player gives for typed against the accepted answer expected,
// and the colour of its label: {"ok", "word", "colour": "#rrggbb" or null
// for a word that keeps the panel's look}, or {"ok": false, "error"}.
const char* tevra_judge(const char* expected, const char* typed);

// The editor's quiz, given field by field and written as quiz.toml by the
// one writer. tevra_edit_start forgets the quiz read and starts one of
// `questions` questions; tevra_edit_set sets a field of the quiz (question 0)
// or of question N (from 1): the texts title, author, subtitle, link, footer,
// caption1, caption2; display (its name); kind, answers_per_question; colour
// ("r,g,b"); codes (one per line); scramble ("true"); and for questions text,
// answer1, answer2, extra, extra2, picture, answer_picture, media. Returns 1,
// or 0 for an unknown field, a question out of range or a number that is not
// one. tevra_edit_finish writes the quiz.toml file and reads it: what
// tevra_read_quiz gives, a text that code page 1252 cannot hold being a
// finding of its field and left empty.
void tevra_edit_start(int questions);
int tevra_edit_set(int question, const char* key, const char* value);
const char* tevra_edit_finish();

// Every field of the quiz read, for the editor: {"ok", "quiz": {the keys
// tevra_edit_set takes, "questions": [{...}]}}.
const char* tevra_model();

// What each display mode and kind shows, from the one table of kinds:
// {"displays": [names], "kinds": [{"extras", "reveal", "solvedLabel",
// "solvedExtra", "solvedMessage", "keepsLabel", "allAtEnd"}], "uses":
// [[{"extra", "extra2", "picture", "answer_picture", "media"} by kind]
// by display]}, each use "unused", "optional" or "needed".
const char* tevra_kinds();

// An added picture's size and the size the player fits it to in a box:
// {"ok", "width", "height", "fitted": {"width", "height"}}.
const char* tevra_fit_picture(const char* name, int boxWidth, int boxHeight);

}  // extern "C"

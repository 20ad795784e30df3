// The packer as a library for the studio page: one session of files held in
// memory (no file system), the quiz read from one of them, checked, built into
// a quiz executable, unpacked from one, written back as quiz.toml, and typed
// answers judged. Compiled to WebAssembly for the page; plain C++ natively.
//
// Texts cross as NUL-terminated UTF-8. A function returning `const char*`
// gives JSON (or TOML for tevra_write_toml) that stays valid until the next
// call; byte buffers are read through a pointer and a size. Every JSON reply
// holds "ok"; findings are {"severity": "error"|"warning", "text": "..."},
// the text worded as `tevra-pack check` words it.
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

// The quiz read, checked with the files added: {"ok", "findings"}, as `check`.
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

}  // extern "C"

#include "tools/quiz_blocks.h"

#include "quiz/block_decoder.h"
#include "quiz/block_encoder.h"
#include "quiz/builtin_block.h"
#include "tools/quiz_source_text.h"

namespace {

// Bytes past the end code are never decoded. When the block is scrambled they
// must keep the stored form from decoding by chance, or the loader would take
// it as it stands: a run of ones reads as a code above any free code, and the
// second fill serves in the rare case where the first one still decodes.
constexpr unsigned char kFills[] = {0xFF, 0x7F};

// The built-in block is encoded as it stands and padded to its fixed size; its
// scrambling covers the padding too, since the loader descrambles all of it.
bool StoreBuiltinBlock(const std::string& text, bool scramble, int* key_position,
                       std::vector<unsigned char>* block, std::string* error) {
  std::vector<unsigned char> encoded;
  int unused_position = 0;
  if (!EncodeQuizBlock(text, false, &unused_position, &encoded, error)) return false;
  if (encoded.size() > kBuiltinBlockSize) {
    *error = "the link and the footer compress to " + std::to_string(encoded.size()) +
             " bytes, over the " + std::to_string(kBuiltinBlockSize) +
             " of the built-in block: shorten them";
    return false;
  }
  for (const unsigned char fill : kFills) {
    *block = encoded;
    block->resize(kBuiltinBlockSize, fill);
    if (!scramble) return true;
    int position = *key_position;
    DescrambleQuizBlock(block->data(), block->size(), &position);
    std::vector<unsigned char> stored_form;
    if (DecodeQuizBlock(block->data(), block->size(), &stored_form) != kBlockOk) {
      *key_position = position;
      return true;
    }
  }
  *error = "the built-in block decodes as stored once scrambled: set scramble = false";
  return false;
}

bool StoreBlock(const char* what, const std::string& text, bool scramble, int* key_position,
                std::vector<unsigned char>* block, std::string* error) {
  if (EncodeQuizBlock(text, scramble, key_position, block, error)) return true;
  *error = std::string(what) + ": " + *error;
  return false;
}

}  // namespace

bool BuildStoredQuiz(const QuizSource& source, StoredQuiz* stored, std::string* error) {
  const QuizTexts texts = WriteQuizTexts(DecodedQuizOf(source));
  // One key position runs through the three blocks in load order.
  int key_position = 0;
  StoredQuiz result;
  if (!StoreBuiltinBlock(texts.builtin, source.scramble, &key_position, &result.builtin, error) ||
      !StoreBlock("the quiz text", texts.quiz, source.scramble, &key_position, &result.quiz,
                  error) ||
      !StoreBlock("the reward codes", texts.codes, source.scramble, &key_position, &result.codes,
                  error)) {
    return false;
  }
  *stored = std::move(result);
  return true;
}

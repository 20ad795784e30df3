// Decoding the largest block the player accepts: 30000 bytes of quiz-like text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "quiz/block_decoder.h"
#include "quiz/block_encoder.h"

namespace {

std::string QuizLikeText(size_t size) {
  static const char kWords[][12] = {"Capitale ",
                                    "de ",
                                    "la ",
                                    "France ",
                                    "PARIS|",
                                    "question ",
                                    "r\xE9ponse|",
                                    "\xE9t\xE9 ",
                                    "mus\xE9"
                                    "e|",
                                    "1789|\r\n"};
  std::string text;
  uint32_t seed = 1;
  while (text.size() < size) {
    seed = seed * 1103515245u + 12345u;
    text += kWords[(seed >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
    text += static_cast<char>('a' + (seed >> 8) % 26);
  }
  text.resize(size);
  return text;
}

void BM_DecodeFullBlock(benchmark::State& state) {
  const std::string text = QuizLikeText(kQuizBlockOutputCapacity);
  std::vector<unsigned char> block, output;
  std::string error;
  int keyPosition = 0;
  if (!EncodeQuizBlock(text, false, &keyPosition, &block, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeQuizBlock(block.data(), block.size(), &output));
    benchmark::DoNotOptimize(output.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * output.size());
  state.counters["stored_bytes"] = static_cast<double>(block.size());
}
BENCHMARK(BM_DecodeFullBlock);

}  // namespace

BENCHMARK_MAIN();

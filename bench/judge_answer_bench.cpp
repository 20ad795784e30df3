// The cost of one verdict on the longest texts an answer field holds (85 bytes)
// and on the longest any text holds (259 bytes), for pairs that stop at
// different rules of the scale.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "answers/compare.h"
#include "answers/verdict.h"
#include "quiz/answer_fold.h"
#include "quiz/quiz_data.h"

namespace {

enum Pair { kEqual, kOneTypo, kSwapped, kUnrelated };

std::string Folded(std::string text) {
  FoldAnswer(text.data());
  return text;
}

std::string RandomText(int length, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> letter('A', 'Z');
  std::string text;
  for (int i = 0; i < length; ++i) text += static_cast<char>(i % 6 == 5 ? ' ' : letter(rng));
  return text;
}

void BM_JudgeAnswer(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  const std::string plain = RandomText(length, 1);
  std::string typed = plain;
  switch (state.range(1)) {
    case kOneTypo:
      typed[length / 2] = typed[length / 2] == 'Q' ? 'X' : 'Q';
      break;
    case kSwapped:
      std::swap(typed[length / 2], typed[length / 2 + 2]);
      break;
    case kUnrelated:
      typed = RandomText(length, 2);
      break;
  }
  const std::string expected = Folded(plain);
  typed = Folded(typed);
  for (auto _ : state) {
    benchmark::DoNotOptimize(JudgeAnswer(expected.c_str(), typed.c_str()));
  }
}

// The distance alone, bit-parallel and by the plain table, on one typo.
template <int (*Distance)(const char*, const char*)>
void BM_Distance(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  const std::string a = RandomText(length, 1);
  std::string b = a;
  b[length / 2] = b[length / 2] == 'Q' ? 'X' : 'Q';
  for (auto _ : state) benchmark::DoNotOptimize(Distance(a.c_str(), b.c_str()));
}

void Pairs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"bytes", "pair"});
  for (int length : {kAnswerFieldLength, kMaxTextLength}) {
    for (int pair : {kEqual, kOneTypo, kSwapped, kUnrelated}) b->Args({length, pair});
  }
}

}  // namespace

BENCHMARK(BM_JudgeAnswer)->Apply(Pairs);
BENCHMARK_TEMPLATE(BM_Distance, EditDistance)->Arg(kAnswerFieldLength)->Arg(kMaxTextLength);
BENCHMARK_TEMPLATE(BM_Distance, EditDistanceByRows)->Arg(kAnswerFieldLength)->Arg(kMaxTextLength);
BENCHMARK_MAIN();

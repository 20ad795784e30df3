// Start-up benchmark (not a test): starts a program again and again and times
// each run from CreateProcess to its first painted window.
//   startup_timer PROGRAM.exe RUNS [LAST_ANSWER]
// A run ends when the frame of class "Tevra" is visible, the feedback label of
// answer field LAST_ANSWER (from 1) reads a verdict other than "?", and the
// program is idle, its first paint done. Prints each
// time and the median in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "answers/verdict.h"
#include "app/control_ids.h"
#include "tests/e2e/quiz_process.h"

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// One run, in milliseconds; negative when the program did not get there.
double TimeOneRun(const std::string& exe, const std::string& directory, int lastAnswer) {
  LARGE_INTEGER start, shown;
  QueryPerformanceCounter(&start);
  QuizProcess program(exe, directory);
  if (!program.running()) return -1;
  if (lastAnswer > 0) {
    HWND panel = program.panel();
    std::string verdict = panel ? program.Text(panel, kFeedbackLabelBaseId + lastAnswer) : "";
    if (verdict.empty() || verdict == kWordEmpty) return -1;
  }
  QueryPerformanceCounter(&shown);
  program.Close();
  return Milliseconds(start, shown);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_timer PROGRAM.exe RUNS [LAST_ANSWER]\n");
    return 2;
  }
  const std::string exe = argv[1];
  const int runs = std::atoi(argv[2]);
  const int lastAnswer = argc > 3 ? std::atoi(argv[3]) : 0;
  char directory[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, directory);

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    double ms = TimeOneRun(exe, directory, lastAnswer);
    if (ms < 0) {
      std::fprintf(stderr, "run %d: no painted window with its verdicts\n", i + 1);
      return 1;
    }
    std::printf("run %d: %.1f ms\n", i + 1, ms);
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  double median = runs % 2 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
  std::printf("median of %d runs: %.1f ms\n", runs, median);
  return 0;
}

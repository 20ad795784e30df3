// The fuzz targets outside libFuzzer: runs one target on each file named on the
// command line, and on an empty input. Builds with tests link every target with
// this, so that a target that no longer builds or fails on a plain quiz shows in
// their test run rather than in the next fuzzing campaign.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// As libFuzzer does, an empty input comes with a pointer that is not null.
void RunInput(const std::vector<uint8_t>& input) {
  static const uint8_t kNothing = 0;
  LLVMFuzzerTestOneInput(input.empty() ? &kNothing : input.data(), input.size());
}

}  // namespace

int main(int argc, char** argv) {
  RunInput({});
  for (int i = 1; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
      return 1;
    }
    const std::vector<uint8_t> input((std::istreambuf_iterator<char>(file)), {});
    RunInput(input);
  }
  return 0;
}

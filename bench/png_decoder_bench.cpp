// The PNG decoder against libpng, libspng and stb_image on the same files, decoded from memory,
// in one run: quiz-sized pictures, a photo, large RGB and RGBA pictures, palette, grey, 16-bit
// and interlaced cases. Throughput counts the image's pixels at one byte per channel, the same
// for every decoder, so that the ratios printed at the end compare like with like.
//
// Outputs: this decoder the DIB bytes the player hands to CreateDIBSection; libpng its own rows
// (16-bit stripped to 8, palette indices kept); libspng 8-bit RGB or RGBA for truecolour and
// the PNG's own samples otherwise; stb_image its default (palettes expanded to RGB).
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <png.h>
#include <spng.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "media/png_decoder.h"
#include "tests/media/libpng_memory_reader.h"

namespace {

const std::string kCorpusDir = TEVRA_BENCH_DIR "/png-corpus";

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct Sample {
  std::string name;
  std::vector<uint8_t> file;
  uint32_t width = 0, height = 0;
  int channels = 0;
};

int64_t PixelBytes(const Sample& s) {
  return int64_t{s.width} * s.height * s.channels;
}

void DecodeTevra(benchmark::State& state, const Sample* s) {
  std::vector<uint8_t> bits;
  for (auto _ : state) {
    PngImage png;
    PngInit(&png);
    PngBitmapInfo info;
    if (!PngLoadResource(&png, s->file.data(), static_cast<uint32_t>(s->file.size())) ||
        !PngDecode(&png) || !PngBuildBitmapInfo(&png, &info)) {
      state.SkipWithError("decode failed");
      break;
    }
    bits.resize(size_t{PngDibRowBytes(info)} * png.height);
    PngReconstructRows(&png, bits.data(), bits.size());
    benchmark::DoNotOptimize(bits.data());
    PngCleanup(&png);
  }
  state.SetBytesProcessed(state.iterations() * PixelBytes(*s));
}

void DecodeLibpng(benchmark::State& state, const Sample* s) {
  std::vector<uint8_t> pixels;
  std::vector<png_bytep> rows;
  for (auto _ : state) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    MemoryReader reader{&s->file, 0};
    if (setjmp(png_jmpbuf(png))) {
      png_destroy_read_struct(&png, &info, nullptr);
      state.SkipWithError("libpng failed");
      break;
    }
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    png_set_strip_16(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    pixels.resize(rowBytes * s->height);
    rows.resize(s->height);
    for (uint32_t y = 0; y < s->height; ++y) rows[y] = pixels.data() + y * rowBytes;
    png_read_image(png, rows.data());
    benchmark::DoNotOptimize(pixels.data());
    png_destroy_read_struct(&png, &info, nullptr);
  }
  state.SetBytesProcessed(state.iterations() * PixelBytes(*s));
}

void DecodeSpng(benchmark::State& state, const Sample* s) {
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    spng_ctx* ctx = spng_ctx_new(0);
    spng_set_png_buffer(ctx, s->file.data(), s->file.size());
    spng_ihdr ihdr;
    spng_get_ihdr(ctx, &ihdr);
    const int format = ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR         ? SPNG_FMT_RGB8
                       : ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA ? SPNG_FMT_RGBA8
                                                                            : SPNG_FMT_PNG;
    size_t size = 0;
    spng_decoded_image_size(ctx, format, &size);
    pixels.resize(size);
    if (spng_decode_image(ctx, pixels.data(), size, format, 0) != 0) {
      spng_ctx_free(ctx);
      state.SkipWithError("libspng failed");
      break;
    }
    benchmark::DoNotOptimize(pixels.data());
    spng_ctx_free(ctx);
  }
  state.SetBytesProcessed(state.iterations() * PixelBytes(*s));
}

void DecodeStb(benchmark::State& state, const Sample* s) {
  for (auto _ : state) {
    int w, h, n;
    stbi_uc* pixels =
        stbi_load_from_memory(s->file.data(), static_cast<int>(s->file.size()), &w, &h, &n, 0);
    if (!pixels) {
      state.SkipWithError("stb_image failed");
      break;
    }
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  state.SetBytesProcessed(state.iterations() * PixelBytes(*s));
}

std::vector<Sample> LoadCorpus() {
  // Made once per build folder: ImageMagick takes longer than the benchmark to draw it.
  const std::string command = "test -e " + kCorpusDir + "/quiz-300x300-rgb8.png || " +
                              TEVRA_SOURCE_DIR "/scripts/make-png-samples --bench " + kCorpusDir;
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "png_decoder_bench: could not make the corpus (%s)\n", command.c_str());
    std::exit(1);
  }
  std::vector<std::string> names;
  DIR* dir = opendir(kCorpusDir.c_str());
  for (dirent* e = dir ? readdir(dir) : nullptr; e; e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) names.push_back(name);
  }
  if (dir) closedir(dir);
  std::sort(names.begin(), names.end());
  std::vector<Sample> samples;
  for (const std::string& name : names) {
    Sample s;
    s.name = name.substr(0, name.size() - 4);
    s.file = ReadFile(kCorpusDir + "/" + name);
    PngImage png;
    PngInit(&png);
    if (!PngLoadResource(&png, s.file.data(), static_cast<uint32_t>(s.file.size()))) continue;
    s.width = png.width;
    s.height = png.height;
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    s.channels = channels[png.colourType];
    PngCleanup(&png);
    samples.push_back(std::move(s));
  }
  return samples;
}

// Prints, after the usual table, each decoder's MB/s per image and its ratio to the fastest
// of the three other decoders.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name = run.benchmark_name();
      const size_t slash = name.find('/');
      const auto rate = run.counters.find("bytes_per_second");
      if (slash == std::string::npos || rate == run.counters.end()) continue;
      rates_[name.substr(slash + 1)][name.substr(0, slash)] = rate->second.value / 1e6;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-30s %9s %9s %9s %9s %14s\n", "image (MB/s)", "tevra", "libpng", "spng", "stb",
                "tevra/fastest");
    for (const auto& [image, byDecoder] : rates_) {
      double fastestPeer = 0;
      for (const auto& [decoder, mbps] : byDecoder) {
        if (decoder != "tevra") fastestPeer = std::max(fastestPeer, mbps);
      }
      auto get = [&](const char* d) {
        const auto it = byDecoder.find(d);
        return it == byDecoder.end() ? 0.0 : it->second;
      };
      std::printf("%-30s %9.1f %9.1f %9.1f %9.1f %14.2f\n", image.c_str(), get("tevra"),
                  get("libpng"), get("spng"), get("stb"),
                  fastestPeer > 0 ? get("tevra") / fastestPeer : 0.0);
    }
  }

 private:
  std::map<std::string, std::map<std::string, double>> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<Sample> samples = LoadCorpus();
  for (const Sample& s : samples) {
    benchmark::RegisterBenchmark(("tevra/" + s.name).c_str(), DecodeTevra, &s);
    benchmark::RegisterBenchmark(("libpng/" + s.name).c_str(), DecodeLibpng, &s);
    benchmark::RegisterBenchmark(("spng/" + s.name).c_str(), DecodeSpng, &s);
    benchmark::RegisterBenchmark(("stb/" + s.name).c_str(), DecodeStb, &s);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

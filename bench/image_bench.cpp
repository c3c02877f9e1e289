// The image search on a whole picture, as ratios to trying every attribute
// pair on four 8x8 cells, measured in the same run. A whole picture should
// take at most 250 ms of one core in 8x8 and 8x4 and 1 s in any height, and
// the search dither at most 2 s; those are absolute times, so they are read
// off the figures, not set here.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>

// The header's enumerator ColourMetric::Srgb trips GCC's -Wshadow against the type Rgb.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "convert/image_conversion.h"
#pragma GCC diagnostic pop
#include "ratio_reporter.h"
#include "support/cell_brute_force.h"

namespace {

using namespace chromaloom;

constexpr const char* Baseline = "BM_BruteForceCells/4";

const Raster& Photo() {
  static const Raster image = test_support::PhotoLikeImage();
  return image;
}

// Four 8x8 cells of the same photo, every one of the 128 x 128 attribute pairs.
void BM_BruteForceCells(benchmark::State& state) {
  const int cells = static_cast<int>(state.range(0));
  for (auto _ : state)
    for (int i = 0; i < cells; ++i)
      benchmark::DoNotOptimize(test_support::BruteForceCellError(Photo(), 8 + 4 * i, 64 + 16 * i, 8, 0.0));
}
BENCHMARK(BM_BruteForceCells)->Arg(4)->Unit(benchmark::kMillisecond);

// Random colours: the worst case for the search's bounds.
const Raster& Noise() {
  static const Raster image = test_support::RandomImage(5);
  return image;
}

void ConvertPicture(benchmark::State& state, const Raster* source, int height, Dithering dither) {
  ImageConversionOptions options;
  options.CellHeight = height;
  options.Dither = dither;
  for (auto _ : state) benchmark::DoNotOptimize(ConvertImage(*source, options));
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, double> targets;
  for (int h : {8, 4, 2, 1})
    for (const auto& [name, dither] :
         {std::pair{"none", Dithering::None}, std::pair{"floyd-steinberg", Dithering::FloydSteinberg}}) {
      const std::string full = "BM_ConvertImage/" + std::to_string(h) + "/" + name;
      benchmark::RegisterBenchmark(full.c_str(), ConvertPicture, &Photo(), h, dither)->Unit(benchmark::kMillisecond);
    }
  // The search tries many attribute pairs per cell, over several passes.
  benchmark::RegisterBenchmark("BM_ConvertImage/8/search", ConvertPicture, &Photo(), 8, Dithering::Search)
      ->Unit(benchmark::kMillisecond);
  for (int h : {8, 1}) {
    const std::string full = "BM_ConvertNoise/" + std::to_string(h) + "/none";
    benchmark::RegisterBenchmark(full.c_str(), ConvertPicture, &Noise(), h, Dithering::None)
        ->Unit(benchmark::kMillisecond);
  }
  return RunBenchmarksWithRatios(argc, argv, Baseline, targets);
}

// The image search on a whole picture, as ratios to trying every attribute
// pair on a few 8x8 cells, measured in the same run.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>

// The header's enumerator ColourMetric::Rgb trips GCC's -Wshadow against the type Rgb.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "editing/image_conversion.h"
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

void ConvertPicture(benchmark::State& state, int height, Dithering dither) {
  ImageConversionOptions options;
  options.CellHeight = height;
  options.Dither = dither;
  for (auto _ : state) benchmark::DoNotOptimize(ConvertImage(Photo(), options));
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, double> targets;
  for (int h : {8, 4, 2, 1})
    for (const auto& [name, dither] :
         {std::pair{"none", Dithering::None}, std::pair{"floyd-steinberg", Dithering::FloydSteinberg}}) {
      const std::string full = "BM_ConvertImage/" + std::to_string(h) + "/" + name;
      benchmark::RegisterBenchmark(full.c_str(), ConvertPicture, h, dither)->Unit(benchmark::kMillisecond);
    }
  return RunBenchmarksWithRatios(argc, argv, Baseline, targets);
}

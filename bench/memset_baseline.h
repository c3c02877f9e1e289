// Baselines of the rendering benchmarks, measured in the same run as what
// is compared with them: a memset of the area a 1280 x 960 canvas window
// shows, and one of the zoom-4 editor image (4096 x 3072 pixels).
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ratio_reporter.h"

namespace chromaloom {

constexpr const char* MemsetBaseline = "BM_MemsetEditorImage/4";
constexpr const char* VisibleAreaBaseline = "BM_MemsetVisibleArea";
constexpr int VisibleWidth = 1280, VisibleHeight = 960;

// One memset of the whole image, with a value that changes every time.
inline void MemsetOnce(std::vector<std::uint32_t>& image, int& value) {
  std::memset(image.data(), ++value & 0xFF, image.size() * sizeof(std::uint32_t));
  benchmark::DoNotOptimize(image.data());
  benchmark::ClobberMemory();
}

inline void MemsetPixels(benchmark::State& state, std::size_t pixels) {
  std::vector<std::uint32_t> image(pixels);
  int value = 0;
  for (auto _ : state) MemsetOnce(image, value);
}

inline void BM_MemsetVisibleArea(benchmark::State& state) {
  MemsetPixels(state, static_cast<std::size_t>(VisibleWidth) * VisibleHeight);
}

// Times paint against a memset of the visible area, turn about in every
// iteration, and reports the ratio of the two itself, so that the machine
// changing speed during the run moves neither. The time shown is paint's
// alone; register with ->UseManualTime().
template <class Paint>
void TimeAgainstVisibleAreaMemset(benchmark::State& state, Paint paint) {
  using Clock = std::chrono::steady_clock;
  std::vector<std::uint32_t> area(static_cast<std::size_t>(VisibleWidth) * VisibleHeight);
  double painting = 0, memsetting = 0;
  int value = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    paint();
    benchmark::ClobberMemory();
    const auto painted = Clock::now();
    MemsetOnce(area, value);
    const double seconds = std::chrono::duration<double>(painted - start).count();
    painting += seconds;
    memsetting += std::chrono::duration<double>(Clock::now() - painted).count();
    state.SetIterationTime(seconds);
  }
  if (memsetting > 0) state.counters[OwnRatioCounter] = painting / memsetting;
}

// Register with ->Arg(4): the argument is the zoom level.
inline void BM_MemsetEditorImage(benchmark::State& state) {
  const int z = 4 * static_cast<int>(state.range(0));
  MemsetPixels(state, static_cast<std::size_t>(256 * z) * 192 * z);
}

}  // namespace chromaloom

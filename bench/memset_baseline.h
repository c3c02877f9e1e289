// Baselines of the rendering benchmarks, measured in the same run as what
// is compared with them: a memset of the area a 1280 x 960 canvas window
// shows, and one of the zoom-4 editor image (4096 x 3072 pixels).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace chromaloom {

constexpr const char* MemsetBaseline = "BM_MemsetEditorImage/4";
constexpr const char* VisibleAreaBaseline = "BM_MemsetVisibleArea";
constexpr int VisibleWidth = 1280, VisibleHeight = 960;

inline void MemsetPixels(benchmark::State& state, std::size_t pixels) {
  std::vector<std::uint32_t> image(pixels);
  int value = 0;
  for (auto _ : state) {
    std::memset(image.data(), ++value & 0xFF, image.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
  }
}

inline void BM_MemsetVisibleArea(benchmark::State& state) {
  MemsetPixels(state, static_cast<std::size_t>(VisibleWidth) * VisibleHeight);
}

// Register with ->Arg(4): the argument is the zoom level.
inline void BM_MemsetEditorImage(benchmark::State& state) {
  const int z = 4 * static_cast<int>(state.range(0));
  MemsetPixels(state, static_cast<std::size_t>(256 * z) * 192 * z);
}

}  // namespace chromaloom

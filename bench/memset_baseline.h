// The baseline of the rendering benchmarks: a memset of the largest editor
// image (zoom 4: 4096 x 3072 pixels), measured in the same run as what is
// compared with it.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace chromaloom {

constexpr const char* MemsetBaseline = "BM_MemsetEditorImage/4";

// Register with ->Arg(4): the argument is the zoom level.
inline void BM_MemsetEditorImage(benchmark::State& state) {
  const int z = 4 * static_cast<int>(state.range(0));
  std::vector<std::uint32_t> image(static_cast<std::size_t>(256 * z) * 192 * z);
  int value = 0;
  for (auto _ : state) {
    std::memset(image.data(), ++value & 0xFF, image.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace chromaloom

// Rendering costs as ratios to a memset of the largest editor image, measured
// in the same run, because these machines are noisy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iomanip>
#include <iostream>
#include <map>
#include <random>
#include <vector>

#include "editing/editor.h"

namespace {

using chromaloom::Editor;

constexpr const char* Baseline = "BM_MemsetEditorImage/4";

// Upper bounds of the ratio to the baseline.
const std::map<std::string, double> Targets = {
    {"BM_RedrawFull/4", 2.0},
    {"BM_RedrawOverlayWipe/4", 0.15},
    {"BM_RenderCell/4", 0.005},
};

void FillRandom(Editor& e) {
  std::mt19937 rng(1);
  for (int s = 0; s < 2; ++s) {
    for (auto& b : e.Document.Pixels[s].Bytes) b = static_cast<std::uint8_t>(rng());
    for (auto& a : e.Document.Attrs[s].Entries)
      a = {static_cast<std::uint8_t>(rng() % 15), static_cast<std::uint8_t>(rng() % 15)};
  }
}

void PrepareEditor(Editor& e, int zoom) {
  FillRandom(e);
  e.View.CharGridOn = true;
  e.View.PixelGridOn = true;
  e.SetZoom(zoom);
  e.Redraw(true);
}

void BM_MemsetEditorImage(benchmark::State& state) {
  const int z = 4 * static_cast<int>(state.range(0));
  std::vector<std::uint32_t> image(static_cast<std::size_t>(256 * z) * 192 * z);
  int value = 0;
  for (auto _ : state) {
    std::memset(image.data(), ++value & 0xFF, image.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemsetEditorImage)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RedrawFull(benchmark::State& state) {
  Editor e;
  PrepareEditor(e, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    e.Redraw(true);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawFull)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RedrawOverlayWipe(benchmark::State& state) {
  Editor e;
  PrepareEditor(e, static_cast<int>(state.range(0)));
  const int w = e.Render.EditorImage.Width(), h = e.Render.EditorImage.Height();
  for (auto _ : state) {
    // Only the wipe is timed; drawing the rubber band is the drawing tool's cost.
    state.PauseTiming();
    e.Render.DrawOverlayLine({0, 0}, {w - 1, h - 1}, e.View.Scale(), chromaloom::MakeRgb(255, 0, 0));
    state.ResumeTiming();
    e.Redraw(false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawOverlayWipe)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RenderCell(benchmark::State& state) {
  Editor e;
  e.Document.CharMode = 8;  // the largest cells
  PrepareEditor(e, static_cast<int>(state.range(0)));
  int cell = 0;
  for (auto _ : state) {
    e.Render.RenderCell(cell % 32, (cell / 32 % 24) * 8);
    ++cell;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderCell)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RenderAll(benchmark::State& state) {
  Editor e;
  FillRandom(e);
  for (auto _ : state) {
    e.Render.RenderAll();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderAll)->Unit(benchmark::kMicrosecond);

// Prints the usual table, then every result as a ratio to the baseline.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.error_occurred == false) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto base = times_.find(Baseline);
    if (base == times_.end() || base->second <= 0) return;
    std::ostream& out = GetOutputStream();
    out << "\nRatio to " << Baseline << " (same run):\n";
    for (const auto& [name, time] : times_) {
      out << "  " << std::left << std::setw(28) << name << std::fixed << std::setprecision(4) << time / base->second;
      if (const auto target = Targets.find(name); target != Targets.end())
        out << "  (target <= " << target->second << ": " << (time / base->second <= target->second ? "met" : "MISSED")
            << ")";
      out << "\n";
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

// What the undo history costs: the memory 1000 pencil strokes leave in it
// (the history_bytes counter; it must stay under 2 MB), and the time a
// stroke's step takes, as a ratio to copying a whole picture in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "editing/canvas_tools.h"
#include "picture/document.h"
#include "ratio_reporter.h"
#include "render/view.h"

namespace {

using namespace chromaloom;

constexpr const char *Baseline = "BM_CopyPicture";

void BM_CopyPicture(benchmark::State &state) {
  Picture picture;
  Picture copy;
  for (auto _ : state) {
    picture.Pixels[0].Bytes[0]++;
    copy = picture;
    benchmark::DoNotOptimize(copy);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyPicture)->Unit(benchmark::kMicrosecond);

// Strokes of 20 pointer moves each, at random places, through the canvas
// handlers as the window drives them, each move's cells rendered.
void DrawStrokes(Document &document, View &view, int strokes, std::mt19937 &rng) {
  ToolState tools;
  Pickers pickers;
  SetCharColour(pickers, 3);
  tools.Current = ToolKind::Paint;
  const Canvas canvas{document, tools, pickers, view.Scale(), view.Mixing()};
  std::uniform_int_distribution<int> x(0, 255), y(0, 191), step(-3, 3);
  for (int stroke = 0; stroke < strokes; ++stroke) {
    Point at{x(rng), y(rng)};
    CanvasMouseDown(canvas, {true, false, false}, at);
    view.Render.RenderTouched(document.TakeTouched());
    for (int move = 0; move < 20; ++move) {
      at = {std::clamp(at.X + step(rng), 0, 255), std::clamp(at.Y + step(rng), 0, 191)};
      CanvasMouseMove(canvas, {true, false, false}, at);
      view.Render.RenderTouched(document.TakeTouched());
    }
    CanvasMouseUp(tools);
    view.Render.RenderTouched(document.TakeTouched());
  }
}

void BM_PencilStrokesIntoHistory(benchmark::State &state) {
  const int strokes = static_cast<int>(state.range(0));
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Document document;
    View view(document.Picture());
    view.Render.Redraw(true);
    std::mt19937 rng(7);
    state.ResumeTiming();
    DrawStrokes(document, view, strokes, rng);
    bytes = document.HistoryBytes();
  }
  state.counters["history_bytes"] = static_cast<double>(bytes);
  state.counters["strokes"] = strokes;
}
BENCHMARK(BM_PencilStrokesIntoHistory)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return RunBenchmarksWithRatios(argc, argv, Baseline, {}); }

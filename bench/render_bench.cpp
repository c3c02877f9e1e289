// Rendering costs as ratios to a memset of the largest editor image, measured
// in the same run, because these machines are noisy.
#include <benchmark/benchmark.h>

#include "editing/drawing.h"
#include "memset_baseline.h"
#include "picture/picture.h"
#include "ratio_reporter.h"
#include "render/view.h"
#include "support/random_picture.h"

namespace {

using chromaloom::Picture;
using chromaloom::View;

Picture RandomPicture(int cellHeight) { return chromaloom::test_support::RandomPicture(cellHeight, 1); }

void PrepareView(View& view, int zoom) {
  view.SetCharGrid(true);
  view.SetPixelGrid(true);
  view.SetZoom(zoom);
  view.Render.Redraw(true);
}

using chromaloom::BM_MemsetEditorImage;
BENCHMARK(BM_MemsetEditorImage)->Arg(4)->Unit(benchmark::kMicrosecond);

// A full redraw, with or without the flicker map over the picture.
void RedrawFull(benchmark::State& state, bool flickerMap) {
  const Picture picture = RandomPicture(1);
  View view(picture);
  view.SetFlickerMap(flickerMap);
  PrepareView(view, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    view.Render.Redraw(true);
    benchmark::ClobberMemory();
  }
}

void BM_RedrawFull(benchmark::State& state) { RedrawFull(state, false); }
BENCHMARK(BM_RedrawFull)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RedrawOverlayWipe(benchmark::State& state) {
  const Picture picture = RandomPicture(1);
  View view(picture);
  PrepareView(view, static_cast<int>(state.range(0)));
  const int w = view.Render.EditorImage.Width(), h = view.Render.EditorImage.Height();
  for (auto _ : state) {
    // Only the wipe is timed; drawing the rubber band is the drawing tool's cost.
    state.PauseTiming();
    view.Render.DrawOverlayLine({0, 0}, {w - 1, h - 1}, view.Scale(), chromaloom::MakeRgb(255, 0, 0));
    state.ResumeTiming();
    view.Render.Redraw(false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawOverlayWipe)->Arg(4)->Unit(benchmark::kMicrosecond);

// One cell after another, with or without the flicker map.
void RenderCells(benchmark::State& state, bool flickerMap) {
  const Picture picture = RandomPicture(8);  // the largest cells
  View view(picture);
  view.SetFlickerMap(flickerMap);
  PrepareView(view, static_cast<int>(state.range(0)));
  int cell = 0;
  for (auto _ : state) {
    view.Render.RenderCell(cell % 32, (cell / 32 % 24) * 8);
    ++cell;
    benchmark::ClobberMemory();
  }
}

void BM_RenderCell(benchmark::State& state) { RenderCells(state, false); }
BENCHMARK(BM_RenderCell)->Arg(4)->Unit(benchmark::kMicrosecond);

// Another profile: every raster rendered again and the canvas rescaled.
void BM_SwitchMixing(benchmark::State& state) {
  const Picture picture = RandomPicture(1);
  View view(picture);
  PrepareView(view, static_cast<int>(state.range(0)));
  const chromaloom::MixingProfile profiles[] = {chromaloom::AverageMixing(), chromaloom::LinearMixing()};
  int k = 0;
  for (auto _ : state) {
    view.SetMixing(profiles[++k % 2]);
    view.Render.Redraw(false);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SwitchMixing)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RedrawFullFlickerMap(benchmark::State& state) { RedrawFull(state, true); }
BENCHMARK(BM_RedrawFullFlickerMap)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RenderCellFlickerMap(benchmark::State& state) { RenderCells(state, true); }
BENCHMARK(BM_RenderCellFlickerMap)->Arg(4)->Unit(benchmark::kMicrosecond);

void BM_RenderAll(benchmark::State& state) {
  const Picture picture = RandomPicture(1);
  View view(picture);
  for (auto _ : state) {
    view.Render.RenderAll();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderAll)->Unit(benchmark::kMicrosecond);

// A flood fill over the whole picture (one colour everywhere) and its
// painting, in PIX and RGB mode; the change is rolled back each time.
void BM_FloodFillWholePicture(benchmark::State& state) {
  chromaloom::Document document(RandomPicture(1));
  const chromaloom::Raster shown(chromaloom::PictureWidth, chromaloom::PictureHeight);
  chromaloom::Pickers pickers;
  pickers.SelectedCharColour = 3;
  pickers.CurrentColours = {1, 2, 3, 4};
  for (auto _ : state) {
    chromaloom::Change change(document, "Flood Fill");
    const chromaloom::PixelSet region = chromaloom::FloodRegion(shown, {128, 96});
    chromaloom::PaintMask(change, pickers, chromaloom::ToolKind::FloodFill, region, chromaloom::Pattern::Ordered25);
    benchmark::DoNotOptimize(document.Picture());
  }
}
BENCHMARK(BM_FloodFillWholePicture)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // Upper bounds of the ratio to the baseline. A profile switch costs at
  // most a full redraw; the flicker map adds at most a fifth to a full
  // redraw and doubles a cell render at most. A whole-picture flood fill
  // stays under 5 ms, about 2.7 memsets of the zoom-4 image here.
  return chromaloom::RunBenchmarksWithRatios(argc, argv, chromaloom::MemsetBaseline,
                                             {
                                                 {"BM_RedrawFull/4", 2.0},
                                                 {"BM_RedrawOverlayWipe/4", 0.15},
                                                 {"BM_RenderCell/4", 0.005},
                                                 {"BM_SwitchMixing/4", 2.0},
                                                 {"BM_RedrawFullFlickerMap/4", 2.4},
                                                 {"BM_RenderCellFlickerMap/4", 0.01},
                                                 {"BM_FloodFillWholePicture", 2.5},
                                             });
}

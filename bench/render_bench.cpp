// Rendering costs as ratios to a memset of the largest editor image, measured
// in the same run, because these machines are noisy.
#include <benchmark/benchmark.h>

#include "convert/cell_painter.h"
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

// Free colour: one 8x8 cell of 64 different colours solved for a stroke
// over half its pixels, the worst case a stroke meets.
void BM_FreeColourCell(benchmark::State& state) {
  chromaloom::CellPaint cell;
  for (int p = 0; p < 64; ++p)
    cell.Shown[static_cast<std::size_t>(p)] = chromaloom::MakeRgb(37 * p % 256, 91 * p % 256, 173 * p % 256);
  cell.Stroke = 0x00FF00FF00FF00FFu;
  cell.Chosen = chromaloom::MixedColourTable[3][12];
  const chromaloom::CellPainter painter(chromaloom::MixedColourTable, chromaloom::ColourMetric::Srgb, 0.5);
  for (auto _ : state) benchmark::DoNotOptimize(painter.Solve(cell));
}
BENCHMARK(BM_FreeColourCell)->Unit(benchmark::kMicrosecond);

// A flood fill of the whole picture in free colour: every cell solved.
void BM_FreeColourFloodFill(benchmark::State& state) {
  chromaloom::Document document(RandomPicture(1));
  const chromaloom::Raster shown(chromaloom::PictureWidth, chromaloom::PictureHeight);
  chromaloom::Pickers pickers;
  pickers.FreeColourMode = true;
  pickers.FreeColour = chromaloom::MixedColourTable[5][10];
  for (auto _ : state) {
    chromaloom::Change change(document, "Flood Fill");
    chromaloom::PaintMask(change, pickers, chromaloom::ToolKind::FloodFill, chromaloom::FloodRegion(shown, {0, 0}),
                          chromaloom::Pattern::Solid);
    benchmark::DoNotOptimize(document.Picture());
  }
}
BENCHMARK(BM_FreeColourFloodFill)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Upper bounds of the ratio to the baseline. A profile switch costs at
  // most a full redraw; the flicker map adds at most a fifth to a full
  // redraw and doubles a cell render at most. A whole-picture flood fill
  // stays under 5 ms, about 2.7 memsets of the zoom-4 image here; a
  // free-colour cell under 0.2 ms (0.1 memsets), a free-colour fill of the
  // whole picture under 300 ms (150 memsets).
  return chromaloom::RunBenchmarksWithRatios(argc, argv, chromaloom::MemsetBaseline,
                                             {
                                                 {"BM_RedrawFull/4", 2.0},
                                                 {"BM_RedrawOverlayWipe/4", 0.15},
                                                 {"BM_RenderCell/4", 0.005},
                                                 {"BM_SwitchMixing/4", 2.0},
                                                 {"BM_RedrawFullFlickerMap/4", 2.4},
                                                 {"BM_RenderCellFlickerMap/4", 0.01},
                                                 {"BM_FloodFillWholePicture", 2.5},
                                                 {"BM_FreeColourCell", 0.1},
                                                 {"BM_FreeColourFloodFill", 150.0},
                                             });
}

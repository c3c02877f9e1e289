// Rendering costs as ratios to a memset of the area a 1280 x 960 canvas
// window shows, measured in the same run, because these machines are noisy;
// the paints of that area time the memset turn about with themselves.
#include <benchmark/benchmark.h>

#include <algorithm>

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

using chromaloom::BM_MemsetVisibleArea;
BENCHMARK(BM_MemsetVisibleArea)->Unit(benchmark::kMicrosecond);

// What the window paints when the canvas is shown whole: the visible area
// (or the whole editor image where it is smaller), grids on, with or
// without the flicker map, with or without the selection's ants and a
// rubber band over it.
void PaintVisibleArea(benchmark::State& state, bool flickerMap, bool overlay) {
  const Picture picture = RandomPicture(1);
  View view(picture);
  view.SetFlickerMap(flickerMap);
  PrepareView(view, static_cast<int>(state.range(0)));
  chromaloom::Renderer& render = view.Render;
  if (overlay) {
    chromaloom::EditorOverlay band;
    band.Band = chromaloom::EditorOverlay::Shape::Line;
    band.To = {render.EditorWidth() - 1, render.EditorHeight() - 1};
    band.PenWidth = view.Scale();
    band.Ants = true;
    band.AntsArea = {8, 8, render.EditorWidth() - 16, render.EditorHeight() - 16};
    render.ShowOverlay(band, 0, view.Ants());
  }
  const int w = std::min(chromaloom::VisibleWidth, render.EditorWidth());
  const int h = std::min(chromaloom::VisibleHeight, render.EditorHeight());
  const chromaloom::Rect area{(render.EditorWidth() - w) / 2, (render.EditorHeight() - h) / 2, w, h};
  chromaloom::Raster out(w, h);
  chromaloom::TimeAgainstVisibleAreaMemset(state, [&] {
    render.PaintEditor(area, out);
    benchmark::DoNotOptimize(out.Row(0));
  });
}

void BM_PaintVisibleArea(benchmark::State& state) { PaintVisibleArea(state, false, false); }
BENCHMARK(BM_PaintVisibleArea)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Arg(4)
    ->Arg(6)
    ->Arg(8)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

void BM_PaintVisibleAreaFlickerMap(benchmark::State& state) { PaintVisibleArea(state, true, false); }
BENCHMARK(BM_PaintVisibleAreaFlickerMap)->Arg(4)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_PaintVisibleAreaOverlay(benchmark::State& state) { PaintVisibleArea(state, false, true); }
BENCHMARK(BM_PaintVisibleAreaOverlay)->Arg(4)->UseManualTime()->Unit(benchmark::kMicrosecond);

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

// Another profile: every raster rendered again.
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
  // Upper bounds of the ratio to the baseline (about 50 us here). Painting
  // what a 1280 x 960 window shows costs at most 1.5 memsets of it at any
  // zoom, with the flicker map or an overlay at most 2. A cell render and a
  // profile switch (every raster again) touch only the 256 x 192 rasters. A
  // whole-picture flood fill stays under 5 ms, a free-colour cell under
  // 0.2 ms, a free-colour fill of the whole picture under 300 ms.
  return chromaloom::RunBenchmarksWithRatios(argc, argv, chromaloom::VisibleAreaBaseline,
                                             {
                                                 {"BM_PaintVisibleArea/1", 1.5},
                                                 {"BM_PaintVisibleArea/2", 1.5},
                                                 {"BM_PaintVisibleArea/3", 1.5},
                                                 {"BM_PaintVisibleArea/4", 1.5},
                                                 {"BM_PaintVisibleArea/6", 1.5},
                                                 {"BM_PaintVisibleArea/8", 1.5},
                                                 {"BM_PaintVisibleAreaFlickerMap/4", 2.0},
                                                 {"BM_PaintVisibleAreaOverlay/4", 2.0},
                                                 {"BM_RenderCell/4", 0.05},
                                                 {"BM_RenderCellFlickerMap/4", 0.1},
                                                 {"BM_SwitchMixing/4", 5.0},
                                                 {"BM_FloodFillWholePicture", 100.0},
                                                 {"BM_FreeColourCell", 4.0},
                                                 {"BM_FreeColourFloodFill", 6000.0},
                                             });
}

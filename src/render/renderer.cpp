#include "render/renderer.h"

#include "render/flicker_map.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <utility>

namespace chromaloom {

namespace {
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);
// Symmetry axes, their handles and the text caret: a colour ZX pictures rarely hold.
constexpr Rgb GuideColour = MakeRgb(255, 64, 255);
}  // namespace

Renderer::Renderer(const Picture& picture, const ViewState& view) : picture_(picture), view_(view) { FollowZoom(); }

void Renderer::FollowZoom() {
  overlayTiles_.Reset(EditorWidth(), EditorHeight());
  damage_.Reset(EditorWidth(), EditorHeight());
  damage_.MarkAll();
  overlayShown_ = false;
}

// Renders lines firstLine .. firstLine+lines-1 of one column, all within one cell.
void Renderer::RenderCellRasters(int col, int firstLine, int lines, bool screens) {
  rastersDamaged_ = true;
  const AttrEntry& a0 = picture_.AttrAt(0, col, firstLine);
  const AttrEntry& a1 = picture_.AttrAt(1, col, firstLine);
  const CharPalette mixed = MakeCharPalette(a0.Paper, a0.Ink, a1.Paper, a1.Ink, view_.Mixing.Table);
  const Rgb paper0 = ZxRgb(a0.Paper), ink0 = ZxRgb(a0.Ink);
  const Rgb paper1 = ZxRgb(a1.Paper), ink1 = ZxRgb(a1.Ink);
  // The map's colour depends only on the entry, so each cell tints four colours, not every pixel.
  const bool map = view_.FlickerMapOn;
  screensMatchPicture_ = screensMatchPicture_ && screens;
  CharPalette tinted{};
  if (map)
    for (int k = 0; k < 4; ++k)
      tinted[k] = FlickerTint(mixed[k], FlickerLevelOf(k & 2 ? ink0 : paper0, k & 1 ? ink1 : paper1));
  for (int y = firstLine; y < firstLine + lines; ++y) {
    const int bits0 = picture_.Pixels[0].At(col, y);
    const int bits1 = picture_.Pixels[1].At(col, y);
    Rgb* mixedRow = MixedRaster.Row(y) + col * 8;
    Rgb* previewTop = PreviewRaster.Row(2 * y) + col * 16;
    Rgb* previewBottom = PreviewRaster.Row(2 * y + 1) + col * 16;
    Rgb* screen0Row = ScreenRaster0.Row(y) + col * 8;
    Rgb* screen1Row = ScreenRaster1.Row(y) + col * 8;
    Rgb* mapRow = FlickerMapRaster.Row(y) + col * 8;
    for (int p = 0; p < 8; ++p) {
      const int b0 = (bits0 >> (7 - p)) & 1;
      const int b1 = (bits1 >> (7 - p)) & 1;
      const Rgb m = mixed[2 * b0 + b1];
      mixedRow[p] = m;
      previewTop[2 * p] = previewTop[2 * p + 1] = m;
      previewBottom[2 * p] = previewBottom[2 * p + 1] = m;
      if (screens) {
        screen0Row[p] = b0 ? ink0 : paper0;
        screen1Row[p] = b1 ? ink1 : paper1;
      }
      if (map) mapRow[p] = tinted[2 * b0 + b1];
    }
  }
}

void Renderer::RenderAll() {
  // The corrector's sources are the screens: here they are rendered whatever is shown.
  for (int col = 0; col < ByteColumns; ++col) {
    const int n = picture_.CellHeightAt(col);
    for (int y = 0; y < PictureHeight; y += n) RenderCellRasters(col, y, n, true);
  }
  screensMatchPicture_ = true;
  CorrectorSource0.CopyFrom(ScreenRaster0, ScreenRaster0.Bounds(), 0, 0);
  CorrectorSource1.CopyFrom(ScreenRaster1, ScreenRaster1.Bounds(), 0, 0);
  mapMatchesPicture_ = view_.FlickerMapOn;
  previewMatchesRaster_ = false;
  damage_.MarkAll();
}

// The screens alone are kept while the canvas shows one or the map reads them.
bool Renderer::ScreensShown() const { return view_.Shown != ScreenView::Mixed || view_.FlickerMapOn; }

void Renderer::Redraw(bool full) {
  // The map raster and the screens wait until something shows them.
  if (full || (view_.FlickerMapOn && !mapMatchesPicture_) || (ScreensShown() && !screensMatchPicture_)) RenderAll();
  HideOverlay();
  damage_.MarkAll();
  ShowPreview();
}

void Renderer::HideOverlay() {
  overlayShown_ = false;
  overlayTiles_.ForEachTile([this](Rect r) { damage_.Mark(r); });
  overlayTiles_.Clear();
  damage_.Mark(floatArea_);
  floatArea_ = {};
}

void Renderer::RenderTouched(const TouchedPlaces& touched) {
  // A damaged cell height has no cells to render.
  if (!IsValidCellHeight(picture_.CellHeight)) return;
  if (touched.Whole()) {
    Redraw(true);
    return;
  }
  std::bitset<PlaceCount> rendered;  // by each cell's first place
  for (const int place : touched.Places()) {
    const int col = place / PictureHeight;
    const int first = picture_.AttrLineOf(col, place % PictureHeight);
    if (rendered[static_cast<std::size_t>(PlaceOf(col, first))]) continue;
    rendered[static_cast<std::size_t>(PlaceOf(col, first))] = true;
    RenderCell(col, first);
  }
}

void Renderer::RenderCell(int col, int line) {
  if (col < 0 || col >= ByteColumns || line < 0 || line >= PictureHeight) return;
  const int firstLine = picture_.AttrLineOf(col, line);
  const int lines = picture_.CellHeightAt(col);
  RenderCellRasters(col, firstLine, lines, ScreensShown());
  mapMatchesPicture_ = mapMatchesPicture_ && view_.FlickerMapOn;
  const int z = view_.Scale();
  MarkEditor({col * 8 * z, firstLine * z, 8 * z, lines * z});
  const Rect previewCell{col * 16, firstLine * 2, 16, lines * 2};
  PreviewImage.CopyFrom(PreviewRaster, previewCell, previewCell.X, previewCell.Y);
  previewDamaged_ = true;
}

void Renderer::ShowPreview() {
  if (previewMatchesRaster_) return;
  PreviewImage.CopyFrom(PreviewRaster, PreviewRaster.Bounds(), 0, 0);
  previewMatchesRaster_ = true;
  previewDamaged_ = true;
}

void Renderer::RedrawCorrector(bool full) {
  if (full) RenderAll();
  CorrectorScreen0.ScaleFrom(CorrectorSource0, 2, 2, 0, 0);
  CorrectorScreen1.ScaleFrom(CorrectorSource1, 2, 2, 0, 0);
  correctorsDamaged_ = true;
}

Point Renderer::DrawZoomSelector(Point cell, int selectorSize, int scrollBoxWidth, int scrollBoxHeight,
                                 const std::array<Raster, 3>& zoomIcons) {
  const int s = std::clamp(selectorSize, MinSelectorSize, MaxSelectorSize);
  const int fw = (scrollBoxWidth / 64) * 16 / s * 8;
  const int fh = (scrollBoxHeight / 64) * 16 / s * 8;
  if (cell.X >= 0 && cell.X * 16 < PreviewWidth && cell.Y >= 0 && cell.Y * 16 < PreviewHeight) {
    // A frame larger than the picture would push the position off its top-left.
    cell.X = std::max(0, std::min(cell.X, 32 - fw / 16));
    cell.Y = std::max(0, std::min(cell.Y, 24 - fh / 16));
  }
  ShowPreview();
  previewMatchesRaster_ = false;
  const int left = cell.X * 16, top = cell.Y * 16;
  auto dot = [](int along) { return (along & 1) ? Grey : White; };
  auto put = [this](int x, int y, Rgb c) {
    if (PreviewImage.Contains(x, y)) PreviewImage.At(x, y) = c;
  };
  for (int k = 0; k < fh; ++k) {
    put(left, top + k, dot(top + k));
    put(left + fw - 1, top + k, dot(top + k));
  }
  for (int k = 0; k < fw; ++k) {
    put(left + k, top, dot(left + k));
    put(left + k, top + fh - 1, dot(left + k));
  }
  const Raster& icon = zoomIcons[std::clamp(s / 4 - 2, 0, 2)];
  PreviewImage.CopyFrom(icon, icon.Bounds(), left, top);
  return cell;
}

void Renderer::UpdateZoomMagnifier(int x, int y) {
  magnifierAt_ = {x, y};
  const int z = view_.Scale();
  const int px = std::clamp(FloorDiv(x, z) - 44, 0, 168);
  const int py = std::clamp(FloorDiv(y, z) - 44, 0, 104);
  MagnifierImage.CopyFrom(PreviewImage, {2 * px, 2 * py, MagnifierSize, MagnifierSize}, 0, 0);
  magnifierDamaged_ = true;
}

void Renderer::RefreshMagnifier() { UpdateZoomMagnifier(magnifierAt_.X, magnifierAt_.Y); }

void Renderer::MarkEditor(Rect r) { damage_.Mark(r); }

namespace {

// Where the overlay's strokes go: drawn into its tiles, and what they cover
// marked to be repainted.
struct OverlaySurface {
  Rect Bounds;  // the editor image
  OverlayTiles& Tiles;
  TileSet& Cover;

  void Fill(Rect r, Rgb colour) const {
    Cover.Mark(r);
    Tiles.Fill(r, colour);
  }
};

// A round pen exactly Width pixels across, like a wide line pen of a
// canvas: the pixels whose centres lie within Width / 2 of the pen's
// centre, which is the point's pixel centre for odd widths and its top-left
// corner for even ones. Worked in doubled coordinates to stay in integers.
// Made once per shape, as an ellipse is hundreds of lines.
struct RoundPen {
  int Width, Reach;      // Reach: pixels above and left of the point
  std::vector<int> Cut;  // row k of the pen (0 at the top) leaves out Cut[k] pixels at each end

  explicit RoundPen(int width) : Width(std::max(1, width)), Reach(Width / 2), Cut(static_cast<std::size_t>(Width)) {
    const int centre2 = Width % 2;  // the centre, doubled, from the point's corner
    for (int k = 0; k < Width; ++k) {
      const int y2 = 2 * (k - Reach) + 1 - centre2;  // pixel centre minus pen centre, doubled
      int left = 0;
      while (left < Reach) {
        const int x2 = 2 * (left - Reach) + 1 - centre2;
        if (x2 * x2 + y2 * y2 <= Width * Width) break;
        ++left;
      }
      Cut[static_cast<std::size_t>(k)] = left;
    }
  }
};

// The pen stamped at every point of the line. Pen and line are convex, so
// what they cover on each row is one run: the runs are gathered first and
// each drawn once, instead of a pen's worth of rows at every point.
void DrawLine(const OverlaySurface& surface, Point from, Point to, const RoundPen& pen, Rgb colour) {
  const int top = std::min(from.Y, to.Y) - pen.Reach;
  struct Run {
    int Left = std::numeric_limits<int>::max(), Right = std::numeric_limits<int>::min();
  };
  std::vector<Run> runs(static_cast<std::size_t>(std::abs(to.Y - from.Y) + pen.Width));
  ForEachLinePoint(from, to, [&](Point p) {
    for (int k = 0; k < pen.Width; ++k) {
      Run& run = runs[static_cast<std::size_t>(p.Y - pen.Reach + k - top)];
      const int cut = pen.Cut[static_cast<std::size_t>(k)];
      run.Left = std::min(run.Left, p.X - pen.Reach + cut);
      run.Right = std::max(run.Right, p.X - pen.Reach + pen.Width - cut);
    }
  });
  for (std::size_t row = 0; row < runs.size(); ++row)
    if (runs[row].Left < runs[row].Right)
      surface.Fill({runs[row].Left, top + static_cast<int>(row), runs[row].Right - runs[row].Left, 1}, colour);
}

void DrawRectOutline(const OverlaySurface& surface, Point corner0, Point corner1, const RoundPen& pen, Rgb colour) {
  const Point corner2{corner1.X, corner0.Y}, corner3{corner0.X, corner1.Y};
  DrawLine(surface, corner0, corner2, pen, colour);
  DrawLine(surface, corner2, corner1, pen, colour);
  DrawLine(surface, corner1, corner3, pen, colour);
  DrawLine(surface, corner3, corner0, pen, colour);
}

// The ellipse inscribed in the rectangle with corners c0 and c1.
void DrawEllipse(const OverlaySurface& surface, Point c0, Point c1, const RoundPen& pen, Rgb colour) {
  const double cx = (c0.X + c1.X) / 2.0, cy = (c0.Y + c1.Y) / 2.0;
  const double rx = std::abs(c1.X - c0.X) / 2.0, ry = std::abs(c1.Y - c0.Y) / 2.0;
  // A chain of short pen strokes, about one per 8 canvas pixels of the outline.
  const int steps = static_cast<int>(std::clamp(std::numbers::pi * (rx + ry) / 8.0, 8.0, 512.0));
  auto at = [&](int i) {
    const double t = 2.0 * std::numbers::pi * i / steps;
    return Point{static_cast<int>(std::lround(cx + rx * std::cos(t))),
                 static_cast<int>(std::lround(cy + ry * std::sin(t)))};
  };
  Point previous = at(0);
  for (int i = 1; i <= steps; ++i) {
    const Point next = at(i);
    DrawLine(surface, previous, next, pen, colour);
    previous = next;
  }
}

void DrawAnts(const OverlaySurface& surface, Rect r, int phase, const AntsStrips& strips) {
  DrawMarchingAnts([&surface](int x, int y, Rgb colour) { surface.Fill({x, y, 1, 1}, colour); }, r, phase, strips);
}

// The strokes: everything but a float's pixels, which are painted from the
// float itself (it can be as large as the picture).
void DrawStrokes(const OverlaySurface& surface, const EditorOverlay& overlay, int antsPhase, const AntsStrips& strips) {
  switch (overlay.Band) {
    case EditorOverlay::Shape::None:
      break;
    case EditorOverlay::Shape::Line:
      DrawLine(surface, overlay.From, overlay.To, RoundPen(overlay.PenWidth), overlay.Colour);
      break;
    case EditorOverlay::Shape::Rect:
      DrawRectOutline(surface, overlay.From, overlay.To, RoundPen(overlay.PenWidth), overlay.Colour);
      break;
    case EditorOverlay::Shape::Ellipse:
      DrawEllipse(surface, overlay.From, overlay.To, RoundPen(overlay.PenWidth), overlay.Colour);
      break;
  }
  if (!overlay.BrushOutline.IsEmpty()) {
    const Rect b = overlay.BrushOutline;
    const Point c0{b.X, b.Y}, c1{b.Right() - 1, b.Bottom() - 1};
    if (overlay.BrushRound)
      DrawEllipse(surface, c0, c1, RoundPen(1), overlay.BrushColour);
    else
      DrawRectOutline(surface, c0, c1, RoundPen(1), overlay.BrushColour);
  }
  const int w = surface.Bounds.W, h = surface.Bounds.H, handle = overlay.AxisHandleSize;
  if (overlay.AxisX) {
    surface.Fill({*overlay.AxisX, 0, 1, h}, GuideColour);
    surface.Fill({*overlay.AxisX - handle / 2, 0, handle, handle}, GuideColour);
  }
  if (overlay.AxisY) {
    surface.Fill({0, *overlay.AxisY, w, 1}, GuideColour);
    surface.Fill({0, *overlay.AxisY - handle / 2, handle, handle}, GuideColour);
  }
  if (!overlay.Caret.IsEmpty()) surface.Fill(overlay.Caret, GuideColour);
  if (overlay.Ants) DrawAnts(surface, overlay.AntsArea, antsPhase, strips);
  if (overlay.Floats) DrawAnts(surface, overlay.FloatOutline, antsPhase, strips);
}

}  // namespace

void Renderer::ShowOverlay(const EditorOverlay& overlay, int antsPhase, const AntsStrips& strips) {
  const bool phaseShown = !(overlay.Ants || overlay.Floats) || antsPhase == shownAntsPhase_;
  if (overlayShown_ && overlay == shownOverlay_ && phaseShown) return;
  HideOverlay();
  shownOverlay_ = overlay;
  shownAntsPhase_ = antsPhase;
  overlayShown_ = true;
  const int z = view_.Scale();
  if (overlay.Floats) {
    floatArea_ =
        Rect{overlay.FloatAt.X, overlay.FloatAt.Y, overlay.FloatPixels.Width() * z, overlay.FloatPixels.Height() * z}
            .Intersected(EditorBounds());
    damage_.Mark(floatArea_);
  }
  DrawStrokes({EditorBounds(), overlayTiles_, damage_}, overlay, antsPhase, strips);
}

void Renderer::PaintEditor(Rect area, Raster& out) const {
  if (out.Width() != area.W || out.Height() != area.H) out.Resize(area.W, area.H);
  PaintPicture(area, out);
  if (!overlayShown_) return;
  // The float under the strokes, as the tools draw it.
  if (shownOverlay_.Floats && !floatArea_.Intersected(area).IsEmpty())
    out.ScaleFrom(shownOverlay_.FloatPixels, view_.Scale(), view_.Scale(), shownOverlay_.FloatAt.X - area.X,
                  shownOverlay_.FloatAt.Y - area.Y);
  overlayTiles_.PaintOver(area, out);
}

Raster Renderer::EditorImage() const {
  Raster image(EditorWidth(), EditorHeight());
  PaintEditor(EditorBounds(), image);
  return image;
}

Damage Renderer::TakeDamage() {
  Damage result;
  damage_.TakeRuns([&result](Rect r) { result.Editor.push_back(r); });
  result.Preview = std::exchange(previewDamaged_, false);
  result.Magnifier = std::exchange(magnifierDamaged_, false);
  result.Correctors = std::exchange(correctorsDamaged_, false);
  result.Rasters = std::exchange(rastersDamaged_, false);
  return result;
}

}  // namespace chromaloom

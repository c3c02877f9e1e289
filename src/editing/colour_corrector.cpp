#include "editing/colour_corrector.h"

#include <algorithm>
#include <utility>

#include "editing/colour_pickers.h"
#include "picture/palette_images.h"
#include "picture/picture.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);

constexpr int ViewScale = 2;                          // the corrector images show each screen at 2:1
constexpr int DetailScale = 4;                        // the detail images show cells at 4:1
constexpr int DetailCellWidth = 8 * DetailScale + 1;  // one cell plus its grid line

// Enlarges area of src by factor into dst at (dx, dy); both sides clipped.
void ScaleArea(Raster& dst, const Raster& src, Rect area, int factor, int dx, int dy) {
  const Rect clipped = area.Intersected(src.Bounds());
  const Rect scaled{dx + (clipped.X - area.X) * factor, dy + (clipped.Y - area.Y) * factor, clipped.W * factor,
                    clipped.H * factor};
  const Rect target = scaled.Intersected(dst.Bounds());
  for (int y = target.Y; y < target.Bottom(); ++y) {
    const Rgb* from = src.Row(area.Y + (y - dy) / factor);
    Rgb* to = dst.Row(y);
    for (int x = target.X; x < target.Right(); ++x) to[x] = from[area.X + (x - dx) / factor];
  }
}

// Black, framed, with a white one-pixel diagonal cross-hatch: what a
// neighbour outside the picture leaves visible.
void Hatch(Raster& image) {
  for (int y = 0; y < image.Height(); ++y) {
    Rgb* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      const bool frame = x == 0 || y == 0 || x == image.Width() - 1 || y == image.Height() - 1;
      const bool hatch = ((x + y) & 7) == 0 || ((x - y) & 7) == 0;
      row[x] = !frame && hatch ? White : Black;
    }
  }
}

// Char-grid dots: the colour follows the parity along the line.
Rgb GridDot(int along) { return (along & 1) ? Grey : White; }

void DrawDetailGrid(Raster& image, int h) {
  const int across = 4 * h;
  const int height = 3 * across + 2;
  for (const int y : {across, 2 * across + 1})
    for (int x = 0; x < CorrectorDetailSize; ++x)
      if (image.Contains(x, y)) image.At(x, y) = GridDot(x);
  for (const int x : {DetailCellWidth - 1, 2 * DetailCellWidth - 1})
    for (int y = 0; y < height; ++y)
      if (image.Contains(x, y)) image.At(x, y) = GridDot(y);
}

Rect CellOnCorrectorImage(const CorrectorCellArea& cell) {
  return {cell.Column * 8 * ViewScale, cell.Row * cell.Height * ViewScale, 8 * ViewScale, cell.Height * ViewScale};
}

Rect CellOnScreenRaster(const CorrectorCellArea& cell) {
  return {cell.Column * 8, cell.Row * cell.Height, 8, cell.Height};
}

}  // namespace

CorrectorState::CorrectorState() {
  for (Raster& strip : Strips) strip = CleanZxStrip();
}

CorrectorCellArea CorrectorCellInPicture(const Picture& picture, const CorrectorState& corrector) {
  const int h = IsValidCellHeight(picture.CellHeight) ? picture.CellHeight : 8;
  return {std::clamp(corrector.Column, 0, ByteColumns - 1), std::clamp(corrector.Row, 0, PictureHeight / h - 1), h};
}

Rect CorrectorCellOnImage(const Picture& picture, const CorrectorState& corrector) {
  return CellOnCorrectorImage(CorrectorCellInPicture(picture, corrector));
}

void ChooseCorrectorCell(CorrectorState& corrector, const Picture& picture, CorrectorSurfaces surfaces, int x, int y) {
  // The old cell's outline goes: its area is copied back from the screens.
  const CorrectorCellArea old = CorrectorCellInPicture(picture, corrector);
  const Rect oldArea = CellOnCorrectorImage(old);
  const Rect source = CellOnScreenRaster(old);
  ScaleArea(surfaces.Screen0, surfaces.Source0, source, ViewScale, oldArea.X, oldArea.Y);
  ScaleArea(surfaces.Screen1, surfaces.Source1, source, ViewScale, oldArea.X, oldArea.Y);

  const int h = old.Height;
  x = std::clamp(x, 0, ByteColumns * 8 * ViewScale - 1);
  y = std::clamp(y, 0, PictureHeight * ViewScale - 1);
  corrector.Column = x / 8 / ViewScale;
  corrector.Row = y / h / ViewScale;
  UpdateCorrectorDetails(corrector, picture, surfaces.Source0, surfaces.Source1);
}

void UpdateCorrectorDetails(CorrectorState& corrector, const Picture& picture, const Raster& source0,
                            const Raster& source1) {
  const CorrectorCellArea cell = CorrectorCellInPicture(picture, corrector);
  const int h = cell.Height;

  const AttrEntry& a0 = picture.AttrAt(0, cell.Column, cell.Row * h);
  const AttrEntry& a1 = picture.AttrAt(1, cell.Column, cell.Row * h);
  const ZxColour marked[4] = {a0.Paper, a0.Ink, a1.Paper, a1.Ink};
  for (std::size_t i = 0; i < corrector.Strips.size(); ++i) {
    corrector.Strips[i] = CleanZxStrip();
    DrawMarker(corrector.Strips[i], marked[i], 0);
  }

  const std::pair<Raster*, const Raster*> details[2] = {{&corrector.Detail0, &source0}, {&corrector.Detail1, &source1}};
  for (const auto& [detail, screen] : details) {
    Hatch(*detail);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int column = cell.Column + dx, row = cell.Row + dy;
        if (column < 0 || column >= ByteColumns || row < 0 || row >= PictureHeight / h) continue;
        ScaleArea(*detail, *screen, {column * 8, row * h, 8, h}, DetailScale, DetailCellWidth * (dx + 1),
                  (DetailScale * h + 1) * (dy + 1));
      }
    }
    DrawDetailGrid(*detail, h);
  }
}

void ExchangeCorrectorCell(const CorrectorState& corrector, Document& document) {
  const CorrectorCellArea cell = CorrectorCellInPicture(document.Picture(), corrector);
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Exchange Cells"));
  Planes& picture = change.EditPlanes();
  for (int k = 0; k < cell.Height; ++k) {
    const int line = cell.Row * cell.Height + k;
    std::swap(picture.Pixels[0].At(cell.Column, line), picture.Pixels[1].At(cell.Column, line));
    std::swap(picture.Attrs[0].At(cell.Column, line), picture.Attrs[1].At(cell.Column, line));
  }
  change.Commit();
}

}  // namespace chromaloom

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "render/view.h"
#include "render/zoom_icons.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);

void Prepare(View& view, int zoom, bool pixelGrid, bool charGrid) {
  view.SetPixelGrid(pixelGrid);
  view.SetCharGrid(charGrid);
  view.SetZoom(zoom);
  view.Render.Redraw(true);
}

struct ViewCase {
  int Mode, Zoom;
  bool PixelGrid, CharGrid;
};
const ViewCase ViewCases[] = {
    {1, 1, true, true},   {1, 4, true, true},  {8, 2, true, false}, {4, 3, false, true},
    {2, 4, false, false}, {1, 3, false, true}, {2, 2, true, true},  {8, 4, true, true},
};

// An overlay of every kind the tools show, across the editor image.
EditorOverlay EveryKindOfOverlay(int w, int h, int z) {
  EditorOverlay overlay;
  overlay.Band = EditorOverlay::Shape::Line;
  overlay.From = {0, 0};
  overlay.To = {w - 1, h - 1};
  overlay.PenWidth = z;
  overlay.Colour = MakeRgb(1, 2, 3);
  overlay.BrushOutline = {5, 7, w / 2, h / 3};
  overlay.BrushColour = MakeRgb(9, 9, 9);
  overlay.Ants = true;
  overlay.AntsArea = {13, 17, 301, 97};
  overlay.AxisX = w / 3;
  overlay.AxisHandleSize = 2 * z;
  return overlay;
}

TEST(Redraw, TakesTheOverlayOff) {
  for (const auto& c : ViewCases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " zoom " << c.Zoom);
    const Picture picture = chromaloom::test_support::RandomPicture(c.Mode, 7u + c.Mode + c.Zoom);
    View wiped(picture), fresh(picture);
    Prepare(wiped, c.Zoom, c.PixelGrid, c.CharGrid);
    Prepare(fresh, c.Zoom, c.PixelGrid, c.CharGrid);
    Renderer& render = wiped.Render;
    render.ShowOverlay(EveryKindOfOverlay(render.EditorWidth(), render.EditorHeight(), wiped.Scale()), 8, wiped.Ants());
    ASSERT_NE(render.EditorImage(), fresh.Render.EditorImage());
    render.Redraw(false);
    EXPECT_TRUE(render.EditorImage() == fresh.Render.EditorImage());
    EXPECT_TRUE(render.PreviewImage == fresh.Render.PreviewImage);
  }
}

// The window repaints only what the renderer reports damaged: after any
// run of edits, overlays and view changes, a screen kept that way shows
// what a fresh paint of the whole editor image shows; and any area painted
// alone is that area of the whole.
TEST(Damage, RepaintingWhatIsReportedKeepsTheScreenEqualToAFreshPaint) {
  Picture picture = chromaloom::test_support::RandomPicture(2, 31);
  View view(picture);
  Prepare(view, 2, true, true);
  Renderer& render = view.Render;
  Raster screen = render.EditorImage();
  render.TakeDamage();
  const auto repaint = [&] {
    Raster area;
    for (const Rect& r : render.TakeDamage().Editor) {
      render.PaintEditor(r, area);
      screen.CopyFrom(area, area.Bounds(), r.X, r.Y);
    }
    return screen == render.EditorImage();
  };
  const int w = render.EditorWidth(), h = render.EditorHeight();
  EditorOverlay band = EveryKindOfOverlay(w, h, view.Scale());
  render.ShowOverlay(band, 0, view.Ants());
  EXPECT_TRUE(repaint()) << "an overlay shown";
  render.ShowOverlay(band, 4, view.Ants());
  EXPECT_TRUE(repaint()) << "the ants moved on";
  band.To = {w / 2, 3};
  band.Floats = true;
  band.FloatPixels = Raster(9, 5);
  band.FloatPixels.FillRect(band.FloatPixels.Bounds(), MakeRgb(200, 10, 10));
  band.FloatAt = {w - 20, h - 20};
  band.FloatOutline = {w - 21, h - 21, 9 * view.Scale() + 2, 5 * view.Scale() + 2};
  render.ShowOverlay(band, 4, view.Ants());
  EXPECT_TRUE(repaint()) << "another band, a float off the edge";
  for (const auto& [x, y] : {std::pair{10, 13}, {100, 13}, {255, 191}}) {
    picture.SetPixelBit(0, x, y, !picture.GetPixelBit(0, x, y));
    picture.SetAttr(1, x / 8, picture.AttrLineOf(x / 8, y), 13, 2);
    render.RenderCell(x / 8, y);
  }
  EXPECT_TRUE(repaint()) << "cells rendered under the overlay";
  render.ShowOverlay(EditorOverlay{}, 4, view.Ants());
  EXPECT_TRUE(repaint()) << "the overlay gone";
  view.SetCharGrid(false);
  render.Redraw(false);
  EXPECT_TRUE(repaint()) << "a grid off";
  const Raster whole = render.EditorImage();
  for (const Rect r : {Rect{0, 0, 1, 1}, Rect{37, 5, 300, 1}, Rect{w - 17, h - 33, 17, 33}, Rect{w - 5, 10, 40, 9}}) {
    Raster area;
    render.PaintEditor(r, area);
    const Rect inside = r.Intersected(render.EditorBounds());
    Raster clipped(inside.W, inside.H), paintedInside(inside.W, inside.H);
    clipped.CopyFrom(whole, inside, 0, 0);
    paintedInside.CopyFrom(area, {inside.X - r.X, inside.Y - r.Y, inside.W, inside.H}, 0, 0);
    EXPECT_TRUE(paintedInside == clipped) << r.X << "," << r.Y;
  }
}

TEST(Redraw, AWipeAfterAViewChangeRescalesEverything) {
  const Picture picture = chromaloom::test_support::RandomPicture(1, 4);
  View view(picture);
  Prepare(view, 2, false, false);
  view.SetPixelGrid(true);  // the flag changed without a full redraw
  view.Render.Redraw(false);
  View fresh(picture);
  Prepare(fresh, 2, true, false);
  EXPECT_TRUE(view.Render.EditorImage() == fresh.Render.EditorImage());
}

TEST(RenderCell, MatchesAFullRedrawAfterAnEdit) {
  for (const auto& c : ViewCases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " zoom " << c.Zoom);
    Picture picture = chromaloom::test_support::RandomPicture(c.Mode, 99u + c.Mode);
    View cellwise(picture);
    Prepare(cellwise, c.Zoom, c.PixelGrid, c.CharGrid);
    // Edit pixels and attributes of a side cell and a central cell.
    for (const auto& [x, y] : {std::pair{10, 13}, {100, 13}, {255, 191}, {64, 0}}) {
      picture.SetPixelBit(0, x, y, !picture.GetPixelBit(0, x, y));
      picture.SetAttr(1, x / 8, picture.AttrLineOf(x / 8, y), 13, 2);
      cellwise.Render.RenderCell(x / 8, y);
    }
    View full(picture);
    Prepare(full, c.Zoom, c.PixelGrid, c.CharGrid);
    EXPECT_TRUE(cellwise.Render.EditorImage() == full.Render.EditorImage());
    EXPECT_TRUE(cellwise.Render.PreviewImage == full.Render.PreviewImage);
    EXPECT_TRUE(cellwise.Render.MixedRaster == full.Render.MixedRaster);
  }
}

TEST(RenderCell, LeavesTheCorrectorViewsAloneAndUpdatesTheScreens) {
  Picture picture;
  View view(picture);
  Renderer& render = view.Render;
  ASSERT_EQ(render.EditorWidth(), 1024);  // a fresh view is at zoom level 1
  render.Redraw(true);
  render.RedrawCorrector(false);
  const Raster corrector0 = render.CorrectorScreen0;
  const Raster screen0 = render.CorrectorSource0;
  picture.SetAttr(0, 12, 40, 0, 14);
  picture.SetPixelBit(0, 100, 40, true);
  render.RenderCell(12, 40);
  EXPECT_EQ(render.MixedRaster.At(100, 40), MixColours(14, 0));
  EXPECT_EQ(render.PreviewRaster.At(201, 81), MixColours(14, 0));
  EXPECT_EQ(render.PreviewImage.At(200, 80), MixColours(14, 0));
  EXPECT_EQ(render.EditorImage().At(100 * 4 + 3, 40 * 4 + 3), MixColours(14, 0));
  EXPECT_TRUE(render.CorrectorScreen0 == corrector0);
  EXPECT_TRUE(render.CorrectorSource0 == screen0);
  // The screens wait while nothing shows them, are brought up to date when
  // a screen view shows, and then follow each cell at once.
  EXPECT_EQ(render.ScreenRaster0.At(100, 40), ZxRgb(0));
  view.SetShown(ScreenView::Screen1);
  render.Redraw(false);
  EXPECT_EQ(render.ScreenRaster0.At(100, 40), ZxRgb(14));
  picture.SetPixelBit(0, 101, 40, true);
  render.RenderCell(12, 40);
  EXPECT_EQ(render.ScreenRaster0.At(101, 40), ZxRgb(14));
  EXPECT_EQ(render.ScreenRaster0.At(102, 40), ZxRgb(0));
}

TEST(RenderAll, MixesTheScreensAndShowsEachScreenPlain) {
  Picture picture;
  picture.CellHeight = 8;
  View view(picture);
  Renderer& render = view.Render;
  picture.SetAttr(0, 2, 16, /*paper*/ 1, /*ink*/ 8);
  picture.SetAttr(1, 2, 16, /*paper*/ 11, /*ink*/ 4);
  picture.SetPixelBit(0, 17, 20, true);
  render.RenderAll();
  EXPECT_EQ(render.MixedRaster.At(17, 20), MixColours(8, 11));  // INK0 + PAPER1
  EXPECT_EQ(render.MixedRaster.At(18, 20), MixColours(1, 11));  // PAPER0 + PAPER1
  EXPECT_EQ(render.ScreenRaster0.At(17, 20), ZxRgb(8));
  EXPECT_EQ(render.ScreenRaster1.At(17, 20), ZxRgb(11));
  EXPECT_EQ(render.PreviewRaster.At(35, 41), MixColours(8, 11));
  // Line 23 is still in the cell coloured by line 16.
  picture.SetPixelBit(1, 17, 23, true);
  render.RenderAll();
  EXPECT_EQ(render.MixedRaster.At(17, 23), MixColours(1, 4));
}

TEST(RenderAll, SideColumnsIn8x1UseTheEntryOfTheirEightLineCell) {
  Picture picture;  // 8x1 at start
  View view(picture);
  picture.SetAttr(0, 0, 8, 0, 0);
  picture.SetAttr(1, 0, 8, 14, 0);
  picture.SetAttr(1, 0, 9, 2, 0);  // not shown: line 9 is inside the cell of line 8
  picture.SetAttr(1, 8, 9, 4, 0);  // shown: central cells are one line high
  view.Render.RenderAll();
  EXPECT_EQ(view.Render.MixedRaster.At(0, 9), MixColours(0, 14));
  EXPECT_EQ(view.Render.MixedRaster.At(64, 9), MixColours(0, 4));
  EXPECT_EQ(view.Render.MixedRaster.At(64, 8), MixColours(0, 0));
}

TEST(Grids, PixelGridMarksEveryBlocksTopRowAndLeftColumn) {
  Picture picture;
  for (auto& entry : picture.Attrs[0].Entries) entry = {14, 14};
  for (auto& entry : picture.Attrs[1].Entries) entry = {14, 14};
  View view(picture);
  Prepare(view, 1, true, false);
  const Raster& img = view.Render.EditorImage();
  ASSERT_EQ(img.Width(), 1024);
  ASSERT_EQ(img.Height(), 768);
  const Rgb shown = ZxRgb(14);
  for (int y = 0; y < 768; y += 37)
    for (int x = 0; x < 1024; x += 13) {
      const bool onGrid = x % 4 == 0 || y % 4 == 0;
      EXPECT_EQ(img.At(x, y) != shown, onGrid) << x << "," << y;
    }
}

TEST(Grids, CharGridLiesOverThePixelGridWithDottedColours) {
  const Picture picture;
  View view(picture);
  Prepare(view, 2, true, true);
  const int z = view.Scale();
  const Raster& img = view.Render.EditorImage();
  EXPECT_EQ(img.At(8 * z, 0), White);
  EXPECT_EQ(img.At(8 * z, 1), Grey);
  EXPECT_EQ(img.At(z, z), Black);
  EXPECT_EQ(img.At(z, z + 1), Grey);
  EXPECT_EQ(img.At(z + 1, z), Grey);  // horizontal pixel line, odd x
  // No line along the right or bottom edge.
  EXPECT_EQ(img.At(img.Width() - 1, 3), MixColours(0, 0));
  EXPECT_EQ(img.At(3, img.Height() - 1), MixColours(0, 0));
}

// The grid rule pixel by pixel, written independently of the renderer: the
// whole pixel grid (horizontal, then vertical lines), then the whole char
// grid over it (horizontal segments per the cell rule, then vertical lines).
Rgb GridRulePixel(int x, int y, int z, int h, Rgb shown, bool pixelGrid = true, bool charGrid = true) {
  auto dot = [](int along, Rgb even) { return (along & 1) ? Grey : even; };
  Rgb c = shown;
  if (pixelGrid && y % z == 0) c = dot(x, Black);
  if (pixelGrid && x % z == 0) c = dot(y, Black);
  const int col = x / (8 * z);
  if (charGrid && y % (CellHeightAt(h, col) * z) == 0) c = dot(x, White);
  if (charGrid && x % (8 * z) == 0) c = dot(y, White);
  return c;
}

// Any area, at any zoom, with either grid or both: each pixel is the shown
// picture pixel under it, with the grid rule over it.
TEST(Grids, EveryAreaOfAPictureFollowsTheRule) {
  const Picture picture = test_support::RandomPicture(1, 7);
  std::mt19937 rng(11);
  for (const int zoom : ZoomLevels)
    for (const int grids : {0, 1, 2, 3}) {
      View view(picture);
      Prepare(view, zoom, grids & 1, grids & 2);
      const int z = view.Scale();
      const bool shownGrids = z >= MinGridScale;
      const Renderer& render = view.Render;
      std::uniform_int_distribution<int> size(1, 300);
      int wrong = 0;
      Raster img;
      for (int k = 0; k < 6; ++k) {
        const int w = std::min(size(rng), render.EditorWidth()), ht = std::min(size(rng), render.EditorHeight());
        const Rect area{std::uniform_int_distribution<int>(0, render.EditorWidth() - w)(rng),
                        std::uniform_int_distribution<int>(0, render.EditorHeight() - ht)(rng), w, ht};
        render.PaintEditor(area, img);
        for (int y = 0; y < area.H; ++y)
          for (int x = 0; x < area.W; ++x) {
            const int ex = area.X + x, ey = area.Y + y;
            const Rgb shown = render.MixedRaster.At(ex / z, ey / z);
            wrong += img.At(x, y) !=
                     GridRulePixel(ex, ey, z, 1, shown, shownGrids && (grids & 1), shownGrids && (grids & 2));
          }
      }
      EXPECT_EQ(wrong, 0) << "zoom " << zoom << ", grids " << grids;
    }
}

TEST(Grids, BothGridsFollowTheRuleAtEveryZoomAndCellHeight) {
  for (const int h : {8, 4, 2, 1}) {
    for (const int zoom : {1, 2, 3, 4, 6, 8}) {
      Picture picture;
      picture.CellHeight = static_cast<std::uint8_t>(h);
      View view(picture);
      Prepare(view, zoom, true, true);
      const int z = view.Scale();
      const Renderer& render = view.Render;
      // The whole image up to zoom 4; beyond, a window's worth at two corners.
      const int w = render.EditorWidth(), ht = render.EditorHeight();
      const std::vector<Rect> areas = zoom <= 4 ? std::vector<Rect>{render.EditorBounds()}
                                                : std::vector<Rect>{{0, 0, 1280, 960}, {w - 1280, ht - 960, 1280, 960}};
      int wrong = 0;
      Raster img;
      for (const Rect& area : areas) {
        render.PaintEditor(area, img);
        for (int y = 0; y < area.H; ++y)
          for (int x = 0; x < area.W; ++x)
            wrong += img.At(x, y) != GridRulePixel(area.X + x, area.Y + y, z, h, MixColours(0, 0));
      }
      EXPECT_EQ(wrong, 0) << "8x" << h << " at zoom " << zoom;
    }
  }
}

// A band is the round pen stamped at every point of its line: the pixels
// whose centres lie within half the pen's width of the point (its pixel's
// centre for odd widths, its corner for even ones).
TEST(Overlay, ABandIsThePenStampedAlongItsLine) {
  const Picture picture;  // all black: the band is whatever is not
  View view(picture);
  Prepare(view, 1, false, false);
  Renderer& render = view.Render;
  const Rgb band = MakeRgb(255, 0, 255);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> x(-20, render.EditorWidth() + 20), y(-20, render.EditorHeight() + 20);
  for (const int pen : {1, 2, 3, 4, 7, 8, 16}) {
    EditorOverlay overlay;
    overlay.Band = EditorOverlay::Shape::Line;
    overlay.From = {x(rng), y(rng)};
    overlay.To = {x(rng), y(rng)};
    overlay.PenWidth = pen;
    overlay.Colour = band;
    render.ShowOverlay(overlay, 0, view.Ants());
    std::vector<bool> stamped(static_cast<std::size_t>(render.EditorWidth() * render.EditorHeight()));
    ForEachLinePoint(overlay.From, overlay.To, [&](Point p) {
      for (int py = p.Y - pen; py <= p.Y + pen; ++py)
        for (int px = p.X - pen; px <= p.X + pen; ++px) {
          const int dx2 = 2 * (px - p.X) + 1 - pen % 2, dy2 = 2 * (py - p.Y) + 1 - pen % 2;
          if (dx2 * dx2 + dy2 * dy2 <= pen * pen && px >= 0 && py >= 0 && px < render.EditorWidth() &&
              py < render.EditorHeight())
            stamped[static_cast<std::size_t>(py * render.EditorWidth() + px)] = true;
        }
    });
    const Raster img = render.EditorImage();
    int wrong = 0;
    for (int py = 0; py < img.Height(); ++py)
      for (int px = 0; px < img.Width(); ++px)
        wrong += (img.At(px, py) == band) != stamped[static_cast<std::size_t>(py * img.Width() + px)];
    EXPECT_EQ(wrong, 0) << "pen " << pen;
  }
}

// Horizontal char-grid lines crossing column col, as picture lines.
std::vector<int> CharGridRows(const View& view, int col) {
  std::vector<int> rows;
  const int z = view.Scale();
  const int x = col * 8 * z + 3;  // clear of vertical lines
  for (int line = 0; line < 192; ++line)
    if (view.Render.EditorImage().At(x, line * z) == Grey) rows.push_back(line);  // odd x: grey dot
  return rows;
}

TEST(Grids, CharGridFollowsTheCellRule) {
  Picture picture;
  View view(picture);
  Prepare(view, 1, false, true);  // 8x1
  EXPECT_EQ(CharGridRows(view, 0).size(), 24u);
  EXPECT_EQ(CharGridRows(view, 31).size(), 24u);
  EXPECT_EQ(CharGridRows(view, 8).size(), 192u);
  EXPECT_EQ(CharGridRows(view, 23).size(), 192u);
  picture.CellHeight = 4;
  view.Render.Redraw(true);
  for (int col : {0, 12, 31}) EXPECT_EQ(CharGridRows(view, col).size(), 48u);
}

TEST(Magnifier, ShowsTheCornersOfThePreview) {
  const Picture picture = chromaloom::test_support::RandomPicture(8, 5);
  View view(picture);
  Renderer& render = view.Render;
  view.SetZoom(2);
  render.Redraw(true);
  const Raster& preview = render.PreviewImage;
  render.UpdateZoomMagnifier(0, 0);
  EXPECT_EQ(render.MagnifierImage.At(0, 0), preview.At(0, 0));
  EXPECT_EQ(render.MagnifierImage.At(175, 175), preview.At(175, 175));
  const int z = view.Scale();
  render.UpdateZoomMagnifier(256 * z - 1, 192 * z - 1);
  EXPECT_TRUE(render.MagnifierImage == [&] {
    Raster expected(176, 176);
    expected.CopyFrom(preview, {336, 208, 176, 176}, 0, 0);
    return expected;
  }());
  // Off the image to the left and above clamps to the corner, no fault.
  render.UpdateZoomMagnifier(-50, -1);
  EXPECT_EQ(render.MagnifierImage.At(0, 0), preview.At(0, 0));
}

TEST(ZoomSelector, FrameSizeAndClamping) {
  struct Case {
    Point Cell;
    int Size, W, H;
    Point Clamped;
    int FrameW, FrameH;
  } cases[] = {
      {{25, 20}, 8, 800, 600, {20, 15}, 192, 144}, {{3, 4}, 8, 800, 600, {3, 4}, 192, 144},
      {{31, 23}, 16, 800, 600, {26, 20}, 96, 72},  {{10, 10}, 12, 800, 600, {10, 10}, 128, 96},
      {{10, 10}, 8, 4000, 3000, {0, 0}, 992, 744},  // frame larger than the picture
  };
  const std::array<Raster, 3> icons = MakeSelectorIcons();
  const Picture picture;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Cell.X << "," << c.Cell.Y << " size " << c.Size);
    View view(picture);
    view.Render.Redraw(true);
    ASSERT_TRUE(view.SetZoomSelectorSize(c.Size));
    view.DrawZoomSelector(c.Cell, c.W, c.H);
    const Point clamped = view.ZoomSelectorCell();
    EXPECT_EQ(clamped, c.Clamped);
    const Raster& img = view.Render.PreviewImage;
    const int left = clamped.X * 16, top = clamped.Y * 16;
    const int right = left + c.FrameW - 1, bottom = top + c.FrameH - 1;
    if (right < 512 && bottom < 384) {
      EXPECT_EQ(img.At(right, top + 31), Grey);
      EXPECT_EQ(img.At(right, top + 30), White);
      EXPECT_EQ(img.At(left + 30, bottom), White);
      if (img.Contains(right + 1, bottom + 1)) {
        EXPECT_EQ(img.At(right + 1, bottom + 1), MixColours(0, 0)) << "nothing outside the frame";
      }
    }
    EXPECT_EQ(img.At(left, top), icons[c.Size / 4 - 2].At(0, 0));
    EXPECT_EQ(img.At(left + 21, top + 21), icons[c.Size / 4 - 2].At(21, 21));
  }
}

TEST(ZoomSelector, ShowPreviewWipesTheFrame) {
  const Picture picture;
  View view(picture);
  view.Render.Redraw(true);
  view.DrawZoomSelector({2, 2}, 800, 600);
  ASSERT_FALSE(view.Render.PreviewImage == view.Render.PreviewRaster);
  view.Render.ShowPreview();
  EXPECT_TRUE(view.Render.PreviewImage == view.Render.PreviewRaster);
}

TEST(Damage, RepaintsOnlyWhatChanged) {
  const Picture picture;
  View view(picture);
  Renderer& render = view.Render;
  view.SetZoom(4);
  render.Redraw(true);
  Damage first = render.TakeDamage();
  ASSERT_FALSE(first.Editor.empty());
  EXPECT_TRUE(first.Preview);
  render.RenderCell(12, 40);
  const Damage cell = render.TakeDamage();
  Rect united;
  for (const Rect& r : cell.Editor) united = united.United(r);
  // The cell is 8 x 1 picture pixels at scale 16.
  EXPECT_EQ(united, (Rect{12 * 128, 40 * 16, 128, 16}));
  EXPECT_TRUE(render.TakeDamage().Editor.empty());
}

}  // namespace
}  // namespace chromaloom

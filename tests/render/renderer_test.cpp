#include <gtest/gtest.h>

#include "editing/editor.h"
#include "render/zoom_icons.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb Grey = MakeRgb(128, 128, 128);
constexpr Rgb White = MakeRgb(255, 255, 255);

void Prepare(Editor& e, const Picture& picture, int zoom, bool pixelGrid, bool charGrid) {
  e.Document = picture;
  e.View.PixelGridOn = pixelGrid;
  e.View.CharGridOn = charGrid;
  e.SetZoom(zoom);
  e.Redraw(true);
}

struct ViewCase {
  int Mode, Zoom;
  bool PixelGrid, CharGrid;
};
const ViewCase ViewCases[] = {
    {1, 1, true, true}, {1, 4, true, true}, {8, 2, true, false}, {4, 3, false, true},
    {2, 4, false, false}, {1, 3, false, true}, {2, 2, true, true}, {8, 4, true, true},
};

TEST(Redraw, OverlayWipeGivesTheSameImageAsAFullRescale) {
  for (const auto& c : ViewCases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " zoom " << c.Zoom);
    const Picture picture = chromaloom::test_support::RandomPicture(c.Mode, 7u + c.Mode + c.Zoom);
    Editor wiped, fresh;
    Prepare(wiped, picture, c.Zoom, c.PixelGrid, c.CharGrid);
    Prepare(fresh, picture, c.Zoom, c.PixelGrid, c.CharGrid);
    const int w = wiped.Render.EditorImage.Width(), h = wiped.Render.EditorImage.Height();
    wiped.Render.DrawOverlayLine({0, 0}, {w - 1, h - 1}, wiped.View.Scale(), MakeRgb(1, 2, 3));
    wiped.Render.DrawOverlayRectOutline({5, 7}, {w / 2 + 3, h / 3 + 1}, wiped.View.Scale(), MakeRgb(9, 9, 9));
    wiped.Render.DrawEditorAnts({13, 17, 301, 97}, 8, wiped.Ants);
    ASSERT_NE(wiped.Render.EditorImage, fresh.Render.EditorImage);
    wiped.Redraw(false);
    EXPECT_TRUE(wiped.Render.EditorImage == fresh.Render.EditorImage);
    EXPECT_TRUE(wiped.Render.PreviewImage == fresh.Render.PreviewImage);
  }
}

TEST(Redraw, AWipeAfterAViewChangeRescalesEverything) {
  const Picture picture = chromaloom::test_support::RandomPicture(1, 4);
  Editor e;
  Prepare(e, picture, 2, false, false);
  e.View.PixelGridOn = true;  // the flag changed without a full redraw
  e.Redraw(false);
  Editor fresh;
  Prepare(fresh, picture, 2, true, false);
  EXPECT_TRUE(e.Render.EditorImage == fresh.Render.EditorImage);
}

TEST(RenderCell, MatchesAFullRedrawAfterAnEdit) {
  for (const auto& c : ViewCases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " zoom " << c.Zoom);
    Picture picture = chromaloom::test_support::RandomPicture(c.Mode, 99u + c.Mode);
    Editor cellwise;
    Prepare(cellwise, picture, c.Zoom, c.PixelGrid, c.CharGrid);
    // Edit pixels and attributes of a side cell and a central cell.
    for (const auto& [x, y] : {std::pair{10, 13}, {100, 13}, {255, 191}, {64, 0}}) {
      Picture& doc = cellwise.Document;
      doc.SetPixelBit(0, x, y, !doc.GetPixelBit(0, x, y));
      doc.SetAttr(1, x / 8, doc.AttrLineOf(x / 8, y), 13, 2);
      cellwise.Render.RenderCell(x / 8, y);
    }
    Editor full;
    Prepare(full, cellwise.Document, c.Zoom, c.PixelGrid, c.CharGrid);
    EXPECT_TRUE(cellwise.Render.EditorImage == full.Render.EditorImage);
    EXPECT_TRUE(cellwise.Render.PreviewImage == full.Render.PreviewImage);
    EXPECT_TRUE(cellwise.Render.MixedRaster == full.Render.MixedRaster);
  }
}

TEST(RenderCell, LeavesTheCorrectorViewsAlone) {
  Editor e;
  e.Redraw(true);
  e.Render.RedrawCorrector(false);
  const Raster corrector0 = e.Render.CorrectorScreen0;
  const Raster screen0 = e.Render.ScreenRaster0;
  e.Document.SetAttr(0, 12, 40, 0, 14);
  e.Document.SetPixelBit(0, 100, 40, true);
  e.Render.RenderCell(12, 40);
  EXPECT_EQ(e.Render.MixedRaster.At(100, 40), MixColours(14, 0));
  EXPECT_EQ(e.Render.PreviewRaster.At(201, 81), MixColours(14, 0));
  EXPECT_EQ(e.Render.PreviewImage.At(200, 80), MixColours(14, 0));
  EXPECT_EQ(e.Render.EditorImage.At(100 * 4 + 3, 40 * 4 + 3), MixColours(14, 0));
  EXPECT_TRUE(e.Render.CorrectorScreen0 == corrector0);
  EXPECT_TRUE(e.Render.ScreenRaster0 == screen0);
}

TEST(RenderAll, MixesTheScreensAndShowsEachScreenPlain) {
  Editor e;
  e.Document.CharMode = 8;
  e.Document.SetAttr(0, 2, 16, /*paper*/ 1, /*ink*/ 8);
  e.Document.SetAttr(1, 2, 16, /*paper*/ 11, /*ink*/ 4);
  e.Document.SetPixelBit(0, 17, 20, true);
  e.Render.RenderAll();
  EXPECT_EQ(e.Render.MixedRaster.At(17, 20), MixColours(8, 11));   // INK0 + PAPER1
  EXPECT_EQ(e.Render.MixedRaster.At(18, 20), MixColours(1, 11));   // PAPER0 + PAPER1
  EXPECT_EQ(e.Render.ScreenRaster0.At(17, 20), ZxRgb(8));
  EXPECT_EQ(e.Render.ScreenRaster1.At(17, 20), ZxRgb(11));
  EXPECT_EQ(e.Render.PreviewRaster.At(35, 41), MixColours(8, 11));
  // Line 23 is still in the cell coloured by line 16.
  e.Document.SetPixelBit(1, 17, 23, true);
  e.Render.RenderAll();
  EXPECT_EQ(e.Render.MixedRaster.At(17, 23), MixColours(1, 4));
}

TEST(RenderAll, SideColumnsIn8x1UseTheEntryOfTheirEightLineCell) {
  Editor e;  // 8x1 at start
  e.Document.SetAttr(0, 0, 8, 0, 0);
  e.Document.SetAttr(1, 0, 8, 14, 0);
  e.Document.SetAttr(1, 0, 9, 2, 0);  // not shown: line 9 is inside the cell of line 8
  e.Document.SetAttr(1, 8, 9, 4, 0);  // shown: central cells are one line high
  e.Render.RenderAll();
  EXPECT_EQ(e.Render.MixedRaster.At(0, 9), MixColours(0, 14));
  EXPECT_EQ(e.Render.MixedRaster.At(64, 9), MixColours(0, 4));
  EXPECT_EQ(e.Render.MixedRaster.At(64, 8), MixColours(0, 0));
}

TEST(Grids, PixelGridMarksEveryBlocksTopRowAndLeftColumn) {
  Editor e;
  e.Document.SetAttr(0, 0, 0, 14, 14);
  for (auto& entry : e.Document.Attrs[0].Entries) entry = {14, 14};
  for (auto& entry : e.Document.Attrs[1].Entries) entry = {14, 14};
  Prepare(e, e.Document, 1, true, false);
  const Raster& img = e.Render.EditorImage;
  ASSERT_EQ(img.Width(), 1024);
  ASSERT_EQ(img.Height(), 768);
  const Rgb picture = ZxRgb(14);
  for (int y = 0; y < 768; y += 37)
    for (int x = 0; x < 1024; x += 13) {
      const bool onGrid = x % 4 == 0 || y % 4 == 0;
      EXPECT_EQ(img.At(x, y) != picture, onGrid) << x << "," << y;
    }
}

TEST(Grids, CharGridLiesOverThePixelGridWithDottedColours) {
  Editor e;
  Prepare(e, e.Document, 2, true, true);
  const int z = e.View.Scale();
  const Raster& img = e.Render.EditorImage;
  EXPECT_EQ(img.At(8 * z, 0), White);
  EXPECT_EQ(img.At(8 * z, 1), Grey);
  EXPECT_EQ(img.At(z, z), Black);
  EXPECT_EQ(img.At(z, z + 1), Grey);
  EXPECT_EQ(img.At(z + 1, z), Grey);  // horizontal pixel line, odd x
  // No line along the right or bottom edge.
  EXPECT_EQ(img.At(img.Width() - 1, 3), MixColours(0, 0));
  EXPECT_EQ(img.At(3, img.Height() - 1), MixColours(0, 0));
}

// Horizontal char-grid lines crossing column col, as picture lines.
std::vector<int> CharGridRows(const Editor& e, int col) {
  std::vector<int> rows;
  const int z = e.View.Scale();
  const int x = col * 8 * z + 3;  // clear of vertical lines
  for (int line = 0; line < 192; ++line)
    if (e.Render.EditorImage.At(x, line * z) == Grey) rows.push_back(line);  // odd x: grey dot
  return rows;
}

TEST(Grids, CharGridFollowsTheCellRule) {
  Editor e;
  Prepare(e, e.Document, 1, false, true);  // 8x1
  EXPECT_EQ(CharGridRows(e, 0).size(), 24u);
  EXPECT_EQ(CharGridRows(e, 31).size(), 24u);
  EXPECT_EQ(CharGridRows(e, 8).size(), 192u);
  EXPECT_EQ(CharGridRows(e, 23).size(), 192u);
  e.Document.CharMode = 4;
  e.Redraw(true);
  for (int col : {0, 12, 31}) EXPECT_EQ(CharGridRows(e, col).size(), 48u);
}

TEST(Magnifier, ShowsTheCornersOfThePreview) {
  Editor e;
  e.Document = chromaloom::test_support::RandomPicture(8, 5);
  e.SetZoom(2);
  e.Redraw(true);
  const Raster& preview = e.Render.PreviewImage;
  e.Render.UpdateZoomMagnifier(0, 0);
  EXPECT_EQ(e.Render.MagnifierImage.At(0, 0), preview.At(0, 0));
  EXPECT_EQ(e.Render.MagnifierImage.At(175, 175), preview.At(175, 175));
  const int z = e.View.Scale();
  e.Render.UpdateZoomMagnifier(256 * z - 1, 192 * z - 1);
  EXPECT_TRUE(e.Render.MagnifierImage == [&] {
    Raster expected(176, 176);
    expected.CopyFrom(preview, {336, 208, 176, 176}, 0, 0);
    return expected;
  }());
  // Off the image to the left and above clamps to the corner, no fault.
  e.Render.UpdateZoomMagnifier(-50, -1);
  EXPECT_EQ(e.Render.MagnifierImage.At(0, 0), preview.At(0, 0));
}

TEST(ZoomSelector, FrameSizeAndClamping) {
  struct Case {
    Point Cell;
    int Size, W, H;
    Point Clamped;
    int FrameW, FrameH;
  } cases[] = {
      {{25, 20}, 8, 800, 600, {20, 15}, 192, 144},
      {{3, 4}, 8, 800, 600, {3, 4}, 192, 144},
      {{31, 23}, 16, 800, 600, {26, 20}, 96, 72},
      {{10, 10}, 12, 800, 600, {10, 10}, 128, 96},
      {{10, 10}, 8, 4000, 3000, {0, 0}, 992, 744},  // frame larger than the picture
  };
  for (const auto& c : cases) {
    Editor e;
    e.Redraw(true);
    const Point clamped = e.Render.DrawZoomSelector(c.Cell, c.Size, c.W, c.H, e.SelectorIcons);
    EXPECT_EQ(clamped, c.Clamped) << c.Cell.X << "," << c.Cell.Y << " size " << c.Size;
    const Raster& img = e.Render.PreviewImage;
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
    EXPECT_EQ(img.At(left, top), e.SelectorIcons[c.Size / 4 - 2].At(0, 0));
    EXPECT_EQ(img.At(left + 21, top + 21), e.SelectorIcons[c.Size / 4 - 2].At(21, 21));
  }
}

TEST(ZoomSelector, ShowPreviewWipesTheFrame) {
  Editor e;
  e.Redraw(true);
  e.Render.DrawZoomSelector({2, 2}, 8, 800, 600, e.SelectorIcons);
  e.Render.ShowPreview();
  EXPECT_TRUE(e.Render.PreviewImage == e.Render.PreviewRaster);
}

TEST(Damage, RepaintsOnlyWhatChanged) {
  Editor e;
  e.SetZoom(4);
  e.Redraw(true);
  Damage first = e.Render.TakeDamage();
  ASSERT_FALSE(first.Editor.empty());
  EXPECT_TRUE(first.Preview);
  e.Render.RenderCell(12, 40);
  const Damage cell = e.Render.TakeDamage();
  Rect united;
  for (const Rect& r : cell.Editor) united = united.United(r);
  // The cell is 8 x 1 picture pixels at scale 16.
  EXPECT_EQ(united, (Rect{12 * 128, 40 * 16, 128, 16}));
  EXPECT_TRUE(e.Render.TakeDamage().Editor.empty());
}

}  // namespace
}  // namespace chromaloom

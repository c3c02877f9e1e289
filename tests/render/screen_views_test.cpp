// The canvas's screen views, its flicker map and its mixing profiles.
#include <gtest/gtest.h>

#include "render/flicker_map.h"
#include "render/picture_bitmap.h"
#include "render/view.h"
#include "support/mixing_definition.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

long AreaOf(const Damage& damage) {
  long area = 0;
  for (const Rect& d : damage.Editor) area += static_cast<long>(d.W) * d.H;
  return area;
}

// The editor image without grids is the raster enlarged, pixel for pixel.
void ExpectEnlarged(const Raster& editor, const Raster& raster, int z) {
  ASSERT_EQ(editor.Width(), raster.Width() * z);
  int wrong = 0;
  for (int y = 0; y < editor.Height(); ++y)
    for (int x = 0; x < editor.Width(); ++x) wrong += editor.At(x, y) != raster.At(x / z, y / z);
  EXPECT_EQ(wrong, 0);
}

TEST(ScreenViews, TheCanvasShowsTheChosenRasterEnlarged) {
  const Picture picture = test_support::RandomPicture(2, 31);
  View view(picture);
  view.SetZoom(2);
  view.Render.Redraw(true);
  const struct {
    ScreenView Shown;
    const Raster* Source;
  } cases[] = {{ScreenView::Screen0, &view.Render.ScreenRaster0},
               {ScreenView::Screen1, &view.Render.ScreenRaster1},
               {ScreenView::Mixed, &view.Render.MixedRaster}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Shown));
    view.SetShown(c.Shown);
    view.Render.TakeDamage();
    view.Render.Redraw(false);  // a view change alone repaints the whole canvas
    const Rect all = view.Render.EditorBounds();
    EXPECT_EQ(AreaOf(view.Render.TakeDamage()), static_cast<long>(all.W) * all.H);
    ExpectEnlarged(view.Render.EditorImage(), *c.Source, view.Scale());
  }
}

TEST(ScreenViews, EachScreenIsItsPlainColours) {
  Picture picture;
  picture.SetAttr(0, 3, 16, /*paper*/ 1, /*ink*/ 14);
  picture.SetAttr(1, 3, 16, /*paper*/ 9, /*ink*/ 4);
  picture.SetPixelBit(0, 24, 16, true);
  picture.SetPixelBit(1, 25, 16, true);
  View view(picture);
  view.Render.Redraw(true);
  const Renderer& r = view.Render;
  EXPECT_EQ(r.ScreenRaster0.At(24, 16), ZxRgb(14));
  EXPECT_EQ(r.ScreenRaster0.At(25, 16), ZxRgb(1));
  EXPECT_EQ(r.ScreenRaster1.At(24, 16), ZxRgb(9));
  EXPECT_EQ(r.ScreenRaster1.At(25, 16), ZxRgb(4));
}

// Drawing works in every view: a cell render gives what a full one would.
TEST(ScreenViews, ACellRenderInAnyViewEqualsAFullRender) {
  for (const ScreenView shown : {ScreenView::Screen0, ScreenView::Screen1, ScreenView::Mixed}) {
    for (const bool map : {false, true}) {
      SCOPED_TRACE(testing::Message() << "view " << static_cast<int>(shown) << " map " << map);
      Picture picture = test_support::RandomPicture(4, 5);
      View cellwise(picture);
      cellwise.SetShown(shown);
      cellwise.SetFlickerMap(map);
      cellwise.SetCharGrid(true);
      cellwise.SetZoom(3);
      cellwise.Render.Redraw(true);
      cellwise.Render.TakeDamage();
      for (const auto& [x, y] : {std::pair{10, 13}, {200, 190}}) {
        picture.SetPixelBit(shown == ScreenView::Screen1 ? 1 : 0, x, y, !picture.GetPixelBit(0, x, y));
        picture.SetAttr(1, x / 8, picture.AttrLineOf(x / 8, y), 13, 0);
        cellwise.Render.RenderCell(x / 8, y);
      }
      // Only the two cells are repainted.
      EXPECT_EQ(AreaOf(cellwise.Render.TakeDamage()), 2L * (8 * 12) * (4 * 12));
      View full(picture);
      full.SetShown(shown);
      full.SetFlickerMap(map);
      full.SetCharGrid(true);
      full.SetZoom(3);
      full.Render.Redraw(true);
      EXPECT_TRUE(cellwise.Render.EditorImage() == full.Render.EditorImage());
      // The screens alone are kept only while something shows them.
      if (shown != ScreenView::Mixed || map) {
        EXPECT_TRUE(cellwise.Render.ScreenRaster0 == full.Render.ScreenRaster0);
        EXPECT_TRUE(cellwise.Render.ScreenRaster1 == full.Render.ScreenRaster1);
      }
    }
  }
}

TEST(FlickerLevel, FollowsTheLumaDifferenceOfTheTwoScreens) {
  const struct {
    ZxColour A, B;
    FlickerLevel Level;
  } cases[] = {
      {0, 14, FlickerLevel::Strong},                                   // black and bright white
      {14, 0, FlickerLevel::Strong},   {0, 13, FlickerLevel::Strong},  // black and white: 202
      {0, 7, FlickerLevel::Strong},                                    // black and green: 119
      {0, 3, FlickerLevel::Visible},                                   // black and red: 60
      {13, 14, FlickerLevel::Visible},                                 // white and bright white: 52
      {0, 1, FlickerLevel::Calm},                                      // black and blue: 23
      {1, 2, FlickerLevel::Calm},                                      // blue and bright blue: 6
  };
  for (const auto& c : cases)
    EXPECT_EQ(FlickerLevelOf(ZxRgb(c.A), ZxRgb(c.B)), c.Level) << int(c.A) << ", " << int(c.B);
  for (int a = 0; a < ZxColourCount; ++a)
    EXPECT_EQ(FlickerLevelOf(ZxRgb(static_cast<ZxColour>(a)), ZxRgb(static_cast<ZxColour>(a))), FlickerLevel::Calm)
        << a;
}

// Cells built to flicker: screen 0 black, screen 1 bright white in the
// strong cell; the same colour on both screens in the calm one.
Picture FlickerCells() {
  Picture picture;
  picture.CellHeight = 8;
  picture.SetAttr(0, 0, 0, 0, 0);
  picture.SetAttr(1, 0, 0, 14, 14);
  picture.SetAttr(0, 1, 0, 5, 5);
  picture.SetAttr(1, 1, 0, 5, 5);
  picture.SetAttr(0, 2, 0, 3, 3);  // red on black: visible
  return picture;
}

TEST(FlickerMap, GreysCalmPixelsTintsTheOthersAndLeavesTheMixedPicture) {
  const Picture picture = FlickerCells();
  View view(picture);
  view.SetZoom(1);
  view.Render.Redraw(true);
  const Raster mixedBefore = view.Render.MixedRaster;
  const Raster plain = view.Render.EditorImage();
  view.SetFlickerMap(true);
  view.Render.Redraw(false);
  const Raster& shown = view.Render.EditorImage();
  const int z = view.Scale();
  // Grey by Rec. 601 luma, then half-way to red (strong) or amber (visible).
  const auto grey = [](Rgb c) { return (299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c) + 500) / 1000; };
  const int strong = grey(MixColours(0, 14)), calm = grey(MixColours(5, 5)), visible = grey(MixColours(3, 0));
  const struct {
    int Column;
    Rgb Expected;
  } cases[] = {
      {0, MakeRgb((strong + 255 + 1) / 2, (strong + 1) / 2, (strong + 1) / 2)},
      {1, MakeRgb(calm, calm, calm)},
      {2, MakeRgb((visible + 255 + 1) / 2, (visible + 192 + 1) / 2, (visible + 1) / 2)},
      {3, MakeRgb(0, 0, 0)},
  };
  for (const auto& c : cases)
    for (const auto& [x, y] : {std::pair{0, 0}, {7, 7}})
      EXPECT_EQ(shown.At((c.Column * 8 + x) * z + 1, y * z + 1), c.Expected) << c.Column;
  EXPECT_TRUE(view.Render.MixedRaster == mixedBefore);
  view.SetFlickerMap(false);
  view.Render.Redraw(false);
  EXPECT_TRUE(view.Render.EditorImage() == plain);
}

TEST(FlickerMap, CountsTheStrongPixels) {
  const Picture picture = FlickerCells();
  View view(picture);
  view.Render.Redraw(true);
  // Column 0 of the top 8-line cell row (8 x 8 in 8x8 mode) is strong.
  EXPECT_EQ(CountStrongFlicker(view.Render.ScreenRaster0, view.Render.ScreenRaster1), 64);
  EXPECT_EQ(CountStrongFlicker(view.Render.ScreenRaster0, view.Render.ScreenRaster0), 0);
  EXPECT_EQ(CountStrongFlicker(view.Render.ScreenRaster0, Raster(3, 3)), 0);
}

using test_support::MixedByDefinition;

TEST(MixingOnTheCanvas, EveryPixelIsMixedByTheProfile) {
  const Picture picture = test_support::RandomPicture(1, 77);
  for (const MixingProfile& profile : {OwnMixing(), AverageMixing(), LinearMixing()}) {
    SCOPED_TRACE(profile.Name);
    View view(picture);
    view.SetZoom(2);
    view.Render.Redraw(true);
    view.SetMixing(profile);
    view.Render.Redraw(false);
    const int z = view.Scale();
    const Raster canvas = view.Render.EditorImage();
    int wrong = 0;
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x) {
        const AttrEntry& a0 = picture.CellAttr(0, x, y);
        const AttrEntry& a1 = picture.CellAttr(1, x, y);
        const Rgb expected = MixedByDefinition(profile.Kind, picture.GetPixelBit(0, x, y) ? a0.Ink : a0.Paper,
                                               picture.GetPixelBit(1, x, y) ? a1.Ink : a1.Paper);
        wrong += canvas.At(x * z + z - 1, y * z) != expected;
        wrong += view.Render.PreviewImage.At(2 * x + 1, 2 * y + 1) != expected;
      }
    EXPECT_EQ(wrong, 0);
    // The bitmap export of the picture alone mixes alike, its border too.
    EXPECT_TRUE(RenderMixedPicture(picture, profile) == view.Render.MixedRaster);
    const BorderPair border = picture.GetBorderPair();
    EXPECT_EQ(RenderBitmap(picture, 5, profile).At(0, 0),
              MixedByDefinition(profile.Kind, BorderColourIndex(border.Screen0), BorderColourIndex(border.Screen1)));
  }
}

}  // namespace
}  // namespace chromaloom

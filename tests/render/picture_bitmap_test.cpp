#include "render/picture_bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "render/view.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

// The converter renders from the picture alone; its bitmaps must be the
// ones the editor exports from its own mixed raster.
TEST(PictureBitmap, EqualsTheEditorsBitmapAtEverySize) {
  for (const int mode : {1, 2, 4, 8}) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    const Picture picture = test_support::RandomPicture(mode, 600u + mode);
    View view(picture);
    view.SetZoom(3);  // any zoom: the mixed raster does not depend on it
    view.Render.Redraw(true);
    ASSERT_TRUE(RenderMixedPicture(picture) == view.Render.MixedRaster);
    for (int i = 0; i < static_cast<int>(BitmapSizes.size()); ++i) {
      SCOPED_TRACE(testing::Message() << "size " << i);
      const Raster fromView = BuildBitmap(view.Render.MixedRaster, picture.BorderDisplayColour(), i);
      EXPECT_TRUE(RenderBitmap(picture, i) == fromView);
    }
  }
}

// Each screen alone is the editor's screen raster inside that screen's own
// border colour.
TEST(PictureBitmap, FramedScreenIsTheScreenRasterInItsBorder) {
  const struct {
    int Column, Row;
    Rgb Border0, Border1;
  } borders[] = {
      {0, 1, MakeRgb(0, 0, 0), MakeRgb(202, 202, 202)},
      {7, 2, MakeRgb(0, 202, 202), MakeRgb(0, 202, 0)},
      {1, 1, MakeRgb(0, 0, 202), MakeRgb(0, 0, 202)},
  };
  for (const int mode : {1, 8}) {
    Picture picture = test_support::RandomPicture(mode, 700u + mode);
    View view(picture);
    view.Render.RenderAll();
    for (const auto& border : borders) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << ", border " << border.Column << "," << border.Row);
      ASSERT_TRUE(picture.SetBorderChoice(border.Column, border.Row));
      for (const int screen : {0, 1}) {
        const Raster framed = RenderFramedScreen(picture, screen);
        const Rgb colour = screen == 0 ? border.Border0 : border.Border1;
        EXPECT_EQ(ScreenBorderColour(picture, screen), colour);
        ASSERT_EQ(framed.Width(), 320);
        ASSERT_EQ(framed.Height(), 240);
        Raster inside(PictureWidth, PictureHeight);
        inside.CopyFrom(framed, {32, 24, PictureWidth, PictureHeight}, 0, 0);
        EXPECT_TRUE(inside == (screen == 0 ? view.Render.ScreenRaster0 : view.Render.ScreenRaster1));
        int borderPixels = 0;
        for (int y = 0; y < framed.Height(); ++y)
          for (int x = 0; x < framed.Width(); ++x)
            if (x < 32 || x >= 288 || y < 24 || y >= 216) borderPixels += framed.At(x, y) == colour;
        EXPECT_EQ(borderPixels, 320 * 240 - 256 * 192);
      }
    }
  }
}

TEST(PictureBitmap, OnlyScreens0And1CanBeFramed) {
  const Picture picture;
  for (const int screen : {-1, 2}) {
    EXPECT_THROW(RenderFramedScreen(picture, screen), std::invalid_argument);
    EXPECT_THROW(ScreenBorderColour(picture, screen), std::invalid_argument);
  }
}

}  // namespace
}  // namespace chromaloom

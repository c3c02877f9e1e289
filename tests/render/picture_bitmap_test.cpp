#include "render/picture_bitmap.h"

#include <gtest/gtest.h>

#include "formats/bmp_format.h"
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

}  // namespace
}  // namespace chromaloom

#include "render/view.h"

#include <gtest/gtest.h>

#include "picture/document.h"

namespace chromaloom {
namespace {

TEST(View, StartsBlackIn8x1AtZoomLevel1) {
  const Document doc;
  const View view(doc.Picture());
  EXPECT_EQ(doc.Picture(), Picture{});
  EXPECT_EQ(view.ZoomLevel(), 1);
  EXPECT_EQ(view.Scale(), 4);
  EXPECT_EQ(view.Render.EditorImage.Width(), 1024);
  EXPECT_EQ(view.Render.EditorImage.Height(), 768);
  EXPECT_EQ(view.ZoomSelectorSize(), 8);
  EXPECT_FALSE(view.Settings().CharGridOn);
  EXPECT_FALSE(view.Settings().PixelGridOn);
}

TEST(View, ZoomSizesTheEditorImage) {
  const Picture picture;
  View view(picture);
  for (int level : {4, 2, 3, 1}) {
    view.SetZoom(level);
    EXPECT_EQ(view.Render.EditorImage.Width(), 1024 * level);
    EXPECT_EQ(view.Render.EditorImage.Height(), 768 * level);
  }
  for (int bad : {0, 5, -1}) {
    view.SetZoom(bad);
    EXPECT_EQ(view.ZoomLevel(), 1);
  }
}

TEST(View, SelectorSizeStaysWithinEightToSixteen) {
  const Picture picture;
  View view(picture);
  for (const int size : {16, 12, 8}) {
    EXPECT_TRUE(view.SetZoomSelectorSize(size));
    EXPECT_EQ(view.ZoomSelectorSize(), size);
  }
  for (const int bad : {7, 17, 0, -8}) {
    EXPECT_FALSE(view.SetZoomSelectorSize(bad));
    EXPECT_EQ(view.ZoomSelectorSize(), 8);
  }
}

}  // namespace
}  // namespace chromaloom

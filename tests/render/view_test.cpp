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
  EXPECT_EQ(view.Render.EditorWidth(), 1024);
  EXPECT_EQ(view.Render.EditorHeight(), 768);
  EXPECT_EQ(view.ZoomSelectorSize(), 8);
  EXPECT_FALSE(view.Settings().CharGridOn);
  EXPECT_FALSE(view.Settings().PixelGridOn);
}

TEST(View, ZoomSizesTheEditorImage) {
  const Picture picture;
  View view(picture);
  // Levels 1 to 4 are 4 to 16 screen pixels a picture pixel; 2:1 and 1:1 below them.
  const struct {
    int Level, Scale;
  } levels[] = {{4, 16}, {2, 8}, {ZoomLevel1to1, 1}, {3, 12}, {ZoomLevel2to1, 2}, {1, 4}};
  for (const auto& [level, scale] : levels) {
    view.SetZoom(level);
    EXPECT_EQ(view.Render.EditorWidth(), 256 * scale);
    EXPECT_EQ(view.Render.EditorHeight(), 192 * scale);
  }
  for (int bad : {5, -2}) {
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

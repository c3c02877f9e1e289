// The animated export read back through giflib's own decoder.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "files/animated_gif.h"
#include "render/picture_bitmap.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

int ReadGif(GifFileType* gif, GifByteType* into, int length) {
  auto* rest = static_cast<std::span<const std::uint8_t>*>(gif->UserData);
  const std::size_t n = std::min(static_cast<std::size_t>(length), rest->size());
  std::memcpy(into, rest->data(), n);
  *rest = rest->subspan(n);
  return static_cast<int>(n);
}

class AnimatedGif : public testing::TestWithParam<std::pair<int, int>> {};  // cell height, size index

// Screen 0 then screen 1, 20 ms each, looping; each frame is its screen as
// the Flicker window shows it alone, enlarged to the bitmap size, in its own border colour.
TEST_P(AnimatedGif, HoldsBothScreensTwentyMillisecondsEachLooping) {
  const auto [cellHeight, sizeIndex] = GetParam();
  Picture picture = test_support::RandomPicture(cellHeight, 60u + cellHeight);
  picture.SetBorderChoice(7, 2);  // cyan and green: the frames' borders differ
  const Bytes bytes = EncodeAnimation(RenderScreenBitmaps(picture, sizeIndex), FileKind::Gif);
  EXPECT_EQ(EncodeAnimation(RenderScreenBitmaps(picture, sizeIndex), FileKind::Gif), bytes);  // deterministic
  std::span<const std::uint8_t> rest(bytes);
  int error = 0;
  GifFileType* gif = DGifOpen(&rest, ReadGif, &error);
  ASSERT_TRUE(gif && DGifSlurp(gif) == GIF_OK && rest.empty());
  const BitmapSize& size = BitmapSizes[static_cast<std::size_t>(sizeIndex)];
  const int width = size.W + 2 * size.X, height = size.H + 2 * size.Y, scale = size.W / PictureWidth;
  ASSERT_EQ(gif->ImageCount, 2);
  ASSERT_TRUE(gif->SWidth == width && gif->SHeight == height);
  const ExtensionBlock* loop = gif->SavedImages[0].ExtensionBlocks;  // NETSCAPE2.0, count 0: forever
  ASSERT_EQ(gif->SavedImages[0].ExtensionBlockCount, 3);
  EXPECT_TRUE(loop[0].Function == APPLICATION_EXT_FUNC_CODE && !std::memcmp(loop[0].Bytes, "NETSCAPE2.0", 11));
  EXPECT_TRUE(loop[1].ByteCount == 3 && !std::memcmp(loop[1].Bytes, "\1\0\0", 3));
  for (int s = 0; s < 2; ++s) {
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, s, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 2);
    const SavedImage& frame = gif->SavedImages[s];
    ASSERT_TRUE(frame.ImageDesc.Width == width && frame.ImageDesc.Height == height && !frame.ImageDesc.ColorMap);
    const Raster screen = RenderFramedScreen(picture, s);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const GifColorType c = gif->SColorMap->Colors[frame.RasterBits[static_cast<std::size_t>(y) * width + x]];
        const int px = x - size.X, py = y - size.Y;
        const Rgb expected = px >= 0 && py >= 0 && px < size.W && py < size.H
                                 ? screen.At(ScreenBorderWidth + px / scale, ScreenBorderHeight + py / scale)
                                 : ScreenBorderColour(picture, s);
        wrong += MakeRgb(c.Red, c.Green, c.Blue) != expected;
      }
    EXPECT_EQ(wrong, 0) << "screen " << s;
  }
  DGifCloseFile(gif, &error);
}

INSTANTIATE_TEST_SUITE_P(SizesAndCellHeights, AnimatedGif,
                         testing::Values(std::pair{8, 0}, std::pair{1, 0}, std::pair{4, 1}, std::pair{2, 5},
                                         std::pair{1, 6}));

}  // namespace
}  // namespace chromaloom

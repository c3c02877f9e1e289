// The animated exports read back through giflib's DGifSlurp and libwebp's WebPAnimDecoder.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "files/animations.h"
#include "render/picture_bitmap.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

struct Animation {
  std::vector<Raster> Frames;
  std::vector<int> Ends;  // milliseconds
  bool Loops = false;     // forever
};

int ReadGif(GifFileType* gif, GifByteType* into, int length) {
  auto* rest = static_cast<std::span<const std::uint8_t>*>(gif->UserData);
  const std::size_t n = std::min(static_cast<std::size_t>(length), rest->size());
  std::memcpy(into, rest->data(), n);
  *rest = rest->subspan(n);
  return static_cast<int>(n);
}

Animation ReadBack(FileKind kind, const std::vector<std::uint8_t>& bytes) {
  Animation a;
  int error = 0, end = 0;
  if (kind == FileKind::Gif) {
    std::span<const std::uint8_t> rest(bytes);
    GifFileType* gif = DGifOpen(&rest, ReadGif, &error);
    EXPECT_TRUE(gif && DGifSlurp(gif) == GIF_OK && rest.empty() && gif->SavedImages[0].ExtensionBlockCount == 3);
    const ExtensionBlock* loop = gif->SavedImages[0].ExtensionBlocks;  // NETSCAPE2.0, count 0
    a.Loops = !std::memcmp(loop[0].Bytes, "NETSCAPE2.0", 11) && !std::memcmp(loop[1].Bytes, "\1\0\0", 3);
    for (int i = 0; i < gif->ImageCount; ++i) {
      GraphicsControlBlock control{};
      EXPECT_EQ(DGifSavedExtensionToGCB(gif, i, &control), GIF_OK);
      a.Ends.push_back(end += 10 * control.DelayTime);
      Raster& frame = a.Frames.emplace_back(gif->SWidth, gif->SHeight);
      for (std::size_t p = 0; p < frame.Pixels().size(); ++p) {
        const GifColorType c = gif->SColorMap->Colors[gif->SavedImages[i].RasterBits[p]];
        frame.Pixels()[p] = MakeRgb(c.Red, c.Green, c.Blue);
      }
    }
    DGifCloseFile(gif, &error);
    return a;
  }
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_BGRA;  // 0xAARRGGBB words on this little-endian machine
  const WebPData data{bytes.data(), bytes.size()};
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  WebPAnimInfo info{};
  EXPECT_TRUE(decoder && WebPAnimDecoderGetInfo(decoder, &info));
  a.Loops = info.loop_count == 0;
  for (std::uint8_t* pixels = nullptr; WebPAnimDecoderGetNext(decoder, &pixels, &end);) {
    a.Ends.push_back(end);
    Raster& frame = a.Frames.emplace_back(static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height));
    std::memcpy(frame.Pixels().data(), pixels, frame.Pixels().size() * 4);
  }
  WebPAnimDecoderDelete(decoder);
  return a;
}

class AnimatedExport : public testing::TestWithParam<std::tuple<FileKind, int, int>> {};  // cell height, size

// Screen 0 then screen 1, 20 ms each, looping; each frame is its screen as the Flicker
// window shows it alone (RenderFramedScreen), enlarged to the bitmap size, in its own border colour.
TEST_P(AnimatedExport, HoldsBothScreensTwentyMillisecondsEachLooping) {
  const auto [kind, cellHeight, sizeIndex] = GetParam();
  Picture picture = test_support::RandomPicture(cellHeight, 60u + cellHeight);
  picture.SetBorderChoice(7, 2);  // cyan and green: the frames' borders differ
  const auto bytes = EncodeAnimation(RenderScreenBitmaps(picture, sizeIndex), kind);
  EXPECT_EQ(EncodeAnimation(RenderScreenBitmaps(picture, sizeIndex), kind), bytes);  // deterministic
  const Animation back = ReadBack(kind, bytes);
  EXPECT_TRUE(back.Loops);
  ASSERT_EQ(back.Ends, (std::vector<int>{20, 40}));  // one end a frame
  const BitmapSize& size = BitmapSizes[static_cast<std::size_t>(sizeIndex)];
  for (int s = 0; s < 2; ++s) {
    const Raster screen = RenderFramedScreen(picture, s), &frame = back.Frames[static_cast<std::size_t>(s)];
    ASSERT_TRUE(frame.Width() == size.W + 2 * size.X && frame.Height() == size.H + 2 * size.Y);
    int wrong = 0;
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x) {
        const int px = (x - size.X) * PictureWidth / size.W, py = (y - size.Y) * PictureHeight / size.H;
        const bool inside = x >= size.X && y >= size.Y && px < PictureWidth && py < PictureHeight;
        wrong += frame.At(x, y) !=
                 (inside ? screen.At(ScreenBorderWidth + px, ScreenBorderHeight + py) : ScreenBorderColour(picture, s));
      }
    EXPECT_EQ(wrong, 0) << "screen " << s;
  }
}

INSTANTIATE_TEST_SUITE_P(SizesAndCellHeights, AnimatedExport,
                         testing::Combine(testing::Values(FileKind::Gif, FileKind::Webp), testing::Values(8, 1),
                                          testing::Values(0, 1, 6)));

}  // namespace
}  // namespace chromaloom

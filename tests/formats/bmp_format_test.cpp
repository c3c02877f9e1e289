#include "formats/bmp_format.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "render/picture_bitmap.h"

namespace chromaloom {
namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& f, std::size_t at) {
  return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (static_cast<std::uint32_t>(f[at + 3]) << 24);
}
std::uint32_t Le16(const std::vector<std::uint8_t>& f, std::size_t at) { return f[at] | (f[at + 1] << 8); }

// Decodes the kind of file WriteBmp makes, checking its headers on the way.
Raster DecodeBmp(const std::vector<std::uint8_t>& f) {
  EXPECT_GE(f.size(), 54u);
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(Le32(f, 2), f.size());
  EXPECT_EQ(Le32(f, 6), 0u);
  EXPECT_EQ(Le32(f, 10), 54u);
  EXPECT_EQ(Le32(f, 14), 40u);
  const int w = static_cast<int>(Le32(f, 18));
  const int h = static_cast<int>(Le32(f, 22));
  EXPECT_EQ(Le16(f, 26), 1u);
  EXPECT_EQ(Le16(f, 28), 24u);
  EXPECT_EQ(Le32(f, 30), 0u);
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  EXPECT_EQ(Le32(f, 34), stride * static_cast<std::size_t>(h));
  EXPECT_EQ(f.size(), 54 + stride * static_cast<std::size_t>(h));
  Raster image(w, h);
  for (int y = 0; y < h; ++y) {
    const std::size_t row = 54 + stride * static_cast<std::size_t>(h - 1 - y);  // bottom-up
    for (int x = 0; x < w; ++x) {
      const std::size_t p = row + static_cast<std::size_t>(x) * 3;
      image.At(x, y) = MakeRgb(f[p + 2], f[p + 1], f[p]);
    }
    for (std::size_t pad = static_cast<std::size_t>(w) * 3; pad < stride; ++pad) EXPECT_EQ(f[row + pad], 0);
  }
  return image;
}

Raster RandomMixedRaster() {
  std::mt19937 rng(4);
  std::uniform_int_distribution<int> colour(0, 14);
  Raster r(256, 192);
  for (Rgb& p : r.Pixels()) p = MixColours(static_cast<ZxColour>(colour(rng)), static_cast<ZxColour>(colour(rng)));
  return r;
}

TEST(BmpFormat, SmallRasterBytesExactly) {
  // 3 x 2: each row is 9 bytes of BGR padded to 12, bottom row first.
  Raster r(3, 2);
  r.At(0, 0) = MakeRgb(1, 2, 3);
  r.At(2, 0) = MakeRgb(4, 5, 6);
  r.At(0, 1) = MakeRgb(7, 8, 9);
  r.At(2, 1) = MakeRgb(254, 157, 0);
  const std::vector<std::uint8_t> f = WriteBmp(r);
  ASSERT_EQ(f.size(), 54u + 24u);
  EXPECT_EQ(Le32(f, 38), 2835u);
  EXPECT_EQ(Le32(f, 42), 2835u);
  const std::vector<std::uint8_t> pixels(f.begin() + 54, f.end());
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{9, 8, 7, 0, 0, 0, 0, 157, 254, 0, 0, 0,  //
                                               3, 2, 1, 0, 0, 0, 6, 5,   4,   0, 0, 0}));
  EXPECT_EQ(DecodeBmp(f), r);
}

TEST(BmpFormat, UnborderedSizesAreThePictureEnlarged) {
  const Raster mixed = RandomMixedRaster();
  const Rgb border = MakeRgb(0, 202, 115);
  for (int index = 0; index < 5; ++index) {
    const Raster image = DecodeBmp(WriteBmp(BuildBitmap(mixed, border, index)));
    const int f = index + 1;
    ASSERT_EQ(image.Width(), 256 * f);
    ASSERT_EQ(image.Height(), 192 * f);
    if (f == 1) {
      EXPECT_EQ(image, mixed);
    }
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        ASSERT_EQ(image.At(x, y), mixed.At(x / f, y / f)) << "size " << index << " at " << x << "," << y;
  }
}

TEST(BmpFormat, BorderedSizesFrameThePicture) {
  const Raster mixed = RandomMixedRaster();
  const Rgb border = MakeRgb(0, 202, 115);
  struct Case {
    int index, width, height, x, y, factor;
  };
  for (const Case c : {Case{5, 640, 480, 64, 48, 2}, Case{6, 800, 600, 16, 12, 3}, Case{7, 1024, 768, 128, 96, 3},
                       Case{8, 1280, 960, 128, 96, 4}}) {
    const Raster image = DecodeBmp(WriteBmp(BuildBitmap(mixed, border, c.index)));
    ASSERT_EQ(image.Width(), c.width);
    ASSERT_EQ(image.Height(), c.height);
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const bool inside = x >= c.x && x < c.width - c.x && y >= c.y && y < c.height - c.y;
        const Rgb expected = inside ? mixed.At((x - c.x) / c.factor, (y - c.y) / c.factor) : border;
        ASSERT_EQ(image.At(x, y), expected) << "size " << c.index << " at " << x << "," << y;
      }
  }
}

TEST(BmpFormat, RefusesBadArguments) {
  const Raster mixed(256, 192);
  for (int index : {-1, 9, 100}) EXPECT_THROW(BuildBitmap(mixed, 0, index), std::invalid_argument);
  for (const Raster& wrong : {Raster(255, 192), Raster(256, 193), Raster()})
    EXPECT_THROW(BuildBitmap(wrong, 0, 0), std::invalid_argument);
  EXPECT_THROW(WriteBmp(Raster()), std::invalid_argument);
}

}  // namespace
}  // namespace chromaloom

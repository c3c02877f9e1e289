#include "convert/image_fitting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "picture/picture.h"

namespace chromaloom {
namespace {

constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb White = MakeRgb(255, 255, 255);
constexpr Rgb Red = MakeRgb(255, 0, 0);
constexpr Rgb Green = MakeRgb(0, 255, 0);
constexpr Rgb Blue = MakeRgb(0, 0, 255);

Raster RandomImage(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  Raster r(w, h);
  for (Rgb& p : r.Pixels()) p = 0xFF000000u | (rng() & 0xFFFFFFu);
  return r;
}

// A smooth known picture: every channel stays in 2..253.
Rgb Base(int x, int y) { return MakeRgb(2 + x % 250, 2 + y % 250, 2 + (x + y) % 250); }

// base(x / k, y / k) with offsets that cancel over every k x k block, so
// only a true block mean gives base back; the rest of the canvas is red.
Raster BlockPattern(int w, int h, int k) {
  Raster r(w, h, Red);
  const int left = (w - PictureWidth * k) / 2, top = (h - PictureHeight * k) / 2;
  for (int y = 0; y < PictureHeight * k; ++y)
    for (int x = 0; x < PictureWidth * k; ++x) {
      const int dx = x % k;
      const int d = k == 1 ? 0 : (dx == 0 ? -2 : dx == k - 1 ? 2 : 0);
      const Rgb b = Base(x / k, y / k);
      r.At(left + x, top + y) = MakeRgb(RedOf(b) + d, GreenOf(b) - d, BlueOf(b) + d);
    }
  return r;
}

int CountOf(const Raster& r, Rgb c) {
  int n = 0;
  for (Rgb p : r.Pixels()) n += p == c;
  return n;
}

double MeanOf(const Raster& r, int (*channel)(Rgb)) {
  double sum = 0;
  for (Rgb p : r.Pixels()) sum += channel(p);
  return sum / static_cast<double>(r.Pixels().size());
}

TEST(ImageFitting, ExactSizeIsUsedAsIsInEveryMode) {
  const Raster image = RandomImage(PictureWidth, PictureHeight, 1);
  for (FitMode mode : {FitMode::Fit, FitMode::Crop, FitMode::Stretch}) EXPECT_EQ(FitToPicture(image, mode), image);
}

TEST(ImageFitting, MultiplesAndBorderedSizesAverageWholeBlocks) {
  struct Case {
    int w, h, k;
  } cases[] = {{512, 384, 2}, {768, 576, 3}, {1024, 768, 4}, {1280, 960, 5}, {320, 240, 1}, {320, 256, 1},
               {352, 296, 1}, {384, 288, 1}, {640, 480, 2},  {640, 512, 2},  {704, 592, 2}, {768, 576, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const Raster source = BlockPattern(c.w, c.h, c.k);
    for (FitMode mode : {FitMode::Fit, FitMode::Crop, FitMode::Stretch}) {
      const Raster fitted = FitToPicture(source, mode);
      ASSERT_EQ(fitted.Width(), PictureWidth);
      ASSERT_EQ(fitted.Height(), PictureHeight);
      int wrong = 0;
      for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x) wrong += fitted.At(x, y) != Base(x, y);
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(ImageFitting, FitLetterboxesCropFillsStretchIgnoresTheAspect) {
  // Wide: a red quarter, a green half, a blue quarter.
  Raster wide(512, 192, Green);
  wide.FillRect({0, 0, 128, 192}, Red);
  wide.FillRect({384, 0, 128, 192}, Blue);
  Raster tall(100, 300, White);

  struct Case {
    const char* name;
    const Raster* image;
    FitMode mode;
    Rect inside;  // where the image lands
    Rgb centre;   // the colour at the middle
    int black;    // pixels left black
  } cases[] = {
      {"wide fit", &wide, FitMode::Fit, {0, 48, 256, 96}, Green, 256 * 96},
      {"wide crop", &wide, FitMode::Crop, {0, 0, 256, 192}, Green, 0},
      {"wide stretch", &wide, FitMode::Stretch, {0, 0, 256, 192}, Green, 0},
      {"tall fit", &tall, FitMode::Fit, {96, 0, 64, 192}, White, 192 * 192},
      {"tall crop", &tall, FitMode::Crop, {0, 0, 256, 192}, White, 0},
      {"tall stretch", &tall, FitMode::Stretch, {0, 0, 256, 192}, White, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Raster fitted = FitToPicture(*c.image, c.mode);
    EXPECT_EQ(CountOf(fitted, Black), c.black);
    EXPECT_EQ(fitted.At(128, 96), c.centre);
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x) {
        const bool in = x >= c.inside.X && x < c.inside.Right() && y >= c.inside.Y && y < c.inside.Bottom();
        ASSERT_EQ(fitted.At(x, y) == Black, !in) << x << "," << y;
      }
  }
  // The outer quarters: cut off by crop, squeezed into 64 columns each by stretch.
  const Raster cropped = FitToPicture(wide, FitMode::Crop);
  EXPECT_EQ(CountOf(cropped, Green), PictureWidth * PictureHeight);
  const Raster stretched = FitToPicture(wide, FitMode::Stretch);
  EXPECT_EQ(CountOf(stretched, Red), 64 * PictureHeight);
  EXPECT_EQ(CountOf(stretched, Blue), 64 * PictureHeight);
  EXPECT_EQ(stretched.At(63, 0), Red);
  EXPECT_EQ(stretched.At(64, 0), Green);
}

TEST(ImageFitting, AreaAveragingKeepsTheMeanColour) {
  struct Case {
    int w, h;
  } cases[] = {{300, 201}, {257, 193}, {1000, 3}, {77, 999}, {255, 191}, {511, 385}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const Raster source = RandomImage(c.w, c.h, static_cast<unsigned>(c.w * 7 + c.h));
    const Raster fitted = FitToPicture(source, FitMode::Stretch);
    for (auto channel : {RedOf, GreenOf, BlueOf}) EXPECT_NEAR(MeanOf(fitted, channel), MeanOf(source, channel), 0.5);
  }
}

TEST(ImageFitting, FinePatternsAverageInsteadOfAliasing) {
  // Single-pixel checks a little larger than the picture: picking pixels
  // would give pure black and white, averaging gives greys.
  Raster checks(300, 250);
  for (int y = 0; y < 250; ++y)
    for (int x = 0; x < 300; ++x) checks.At(x, y) = (x + y) % 2 ? White : Black;
  const Raster fitted = FitToPicture(checks, FitMode::Stretch);
  for (Rgb p : fitted.Pixels()) {
    ASSERT_GT(RedOf(p), 40);
    ASSERT_LT(RedOf(p), 215);
  }
}

TEST(ImageFitting, TinyImagesFill) {
  Raster dot(1, 1, Red);
  Raster strip(3, 1000, Blue);
  struct Case {
    const char* name;
    const Raster* image;
    FitMode mode;
    int coloured;
  } cases[] = {
      {"1x1 fit", &dot, FitMode::Fit, 192 * 192},         {"1x1 crop", &dot, FitMode::Crop, 256 * 192},
      {"1x1 stretch", &dot, FitMode::Stretch, 256 * 192}, {"3x1000 fit", &strip, FitMode::Fit, 1 * 192},
      {"3x1000 crop", &strip, FitMode::Crop, 256 * 192},  {"3x1000 stretch", &strip, FitMode::Stretch, 256 * 192},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Raster fitted = FitToPicture(*c.image, c.mode);
    ASSERT_EQ(fitted.Width(), PictureWidth);
    ASSERT_EQ(fitted.Height(), PictureHeight);
    const Rgb colour = c.image->At(0, 0);
    EXPECT_EQ(CountOf(fitted, colour), c.coloured);
    EXPECT_EQ(CountOf(fitted, Black), PictureWidth * PictureHeight - c.coloured);
  }
}

TEST(ImageFitting, FitToSizeIsFitToPictureOnAnyTarget) {
  const Raster odd = RandomImage(300, 200, 7);
  for (FitMode mode : {FitMode::Fit, FitMode::Crop, FitMode::Stretch})
    EXPECT_EQ(FitToSize(odd, mode, PictureWidth, PictureHeight), FitToPicture(odd, mode));
  // Only FitToPicture knows the bordered sizes: 320 x 240 is resampled here, not cut.
  const Raster bordered = BlockPattern(320, 240, 1);
  EXPECT_NE(FitToSize(bordered, FitMode::Stretch, PictureWidth, PictureHeight),
            FitToPicture(bordered, FitMode::Stretch));

  // A whole multiple of a small target averages its blocks.
  const Raster image = RandomImage(36, 24, 8);
  const Raster small = FitToSize(image, FitMode::Crop, 12, 8);
  ASSERT_EQ(small.Width(), 12);
  ASSERT_EQ(small.Height(), 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) {
      int r = 0;
      for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 3; ++dx) r += RedOf(image.At(3 * x + dx, 3 * y + dy));
      ASSERT_EQ(RedOf(small.At(x, y)), (r + 4) / 9);
    }
  // A wide image fits a square between black bars above and below.
  const Raster bars = FitToSize(Raster(20, 8, White), FitMode::Fit, 10, 10);
  EXPECT_EQ(CountOf(bars, White), 40);
  EXPECT_EQ(CountOf(bars, Black), 60);
  EXPECT_EQ(bars.At(0, 0), Black);
  EXPECT_EQ(bars.At(0, 5), White);
  EXPECT_EQ(FitToSize(image, FitMode::Fit, 0, 5).Width(), 0);
}

TEST(ImageFitting, ModeNames) {
  struct Case {
    const char* name;
    std::optional<FitMode> mode;
  } cases[] = {{"fit", FitMode::Fit}, {"crop", FitMode::Crop}, {"stretch", FitMode::Stretch},
               {"Fit", std::nullopt}, {"", std::nullopt},      {"stretch ", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(FitModeNamed(c.name), c.mode) << c.name;
}

}  // namespace
}  // namespace chromaloom

// The header's enumerator ColourMetric::Rgb trips GCC's -Wshadow against the type Rgb.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#include "editing/image_conversion.h"
#pragma GCC diagnostic pop

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "formats/mg_format.h"
#include "support/cell_brute_force.h"

namespace chromaloom {
namespace {

using test_support::BruteForceCellError;
using test_support::CellError;
using test_support::PhotoLikeImage;
using test_support::RandomImage;
using test_support::ShownColours;

struct Cell {
  int Col, Line;
};

enum class Source { Random, Photo, OneSetTwice, TwoSets };

// Pixels drawn at random from the four mixes of a screen-0 and a screen-1
// colour pair, so the optimum is exactly zero.
Raster MixesOf(std::array<ZxColour, 2> screen0, std::array<ZxColour, 2> screen1, unsigned seed) {
  std::mt19937 rng(seed);
  Raster image(PictureWidth, PictureHeight);
  for (Rgb& p : image.Pixels()) p = MixedColourTable[screen0[rng() % 2]][screen1[rng() % 2]];
  return image;
}

struct ExactCase {
  const char* Name;
  Source Kind;
  int CellHeight;
  double FlickerWeight;
  std::vector<Cell> Cells;  // (column, first line of the cell)
};

TEST(ImageConversionExact, EveryCellMatchesTheBruteForceOptimum) {
  const std::vector<ExactCase> cases = {
      {"random 8x8", Source::Random, 8, 0.0, {{0, 0}, {13, 96}, {31, 184}}},
      {"photo 8x8", Source::Photo, 8, 0.0, {{11, 64}, {23, 128}, {4, 152}}},
      {"random 8x4", Source::Random, 4, 0.0, {{5, 20}, {30, 188}}},
      {"photo 8x4", Source::Photo, 4, 0.0, {{11, 68}, {24, 120}, {5, 140}}},
      {"random 8x2", Source::Random, 2, 0.0, {{9, 2}, {17, 100}}},
      {"photo 8x2", Source::Photo, 2, 0.0, {{12, 70}, {23, 130}, {6, 160}}},
      {"random 8x1 middle", Source::Random, 1, 0.0, {{8, 0}, {23, 191}, {15, 77}}},
      {"photo 8x1 middle", Source::Photo, 1, 0.0, {{11, 71}, {22, 131}, {16, 40}}},
      {"random 8x1 side", Source::Random, 1, 0.0, {{0, 8}, {7, 96}, {24, 0}, {31, 184}}},
      {"photo 8x1 side", Source::Photo, 1, 0.0, {{3, 136}, {26, 120}}},
      {"one pair on both screens 8x8", Source::OneSetTwice, 8, 0.0, {{3, 40}, {28, 0}}},
      {"one pair on both screens 8x1", Source::OneSetTwice, 1, 0.0, {{10, 41}, {30, 8}}},
      {"two pairs 8x4", Source::TwoSets, 4, 0.0, {{6, 44}, {19, 180}}},
      {"two pairs 8x2", Source::TwoSets, 2, 0.0, {{14, 2}}},
      {"photo 8x4 flicker 0.25", Source::Photo, 4, 0.25, {{11, 68}, {24, 120}}},
      {"photo 8x1 flicker 1", Source::Photo, 1, 1.0, {{12, 75}, {2, 64}}},
  };
  const Raster photo = PhotoLikeImage();
  const Raster random = RandomImage(5);
  const Raster oneSetTwice = MixesOf({4, 6}, {4, 6}, 3);  // bright red and magenta
  const Raster twoSets = MixesOf({3, 11}, {2, 14}, 4);    // normal and bright
  for (const ExactCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const Raster& source = c.Kind == Source::Photo         ? photo
                           : c.Kind == Source::Random      ? random
                           : c.Kind == Source::OneSetTwice ? oneSetTwice
                                                           : twoSets;
    ImageConversionOptions options;
    options.CellHeight = c.CellHeight;
    options.FlickerWeight = c.FlickerWeight;
    const Planes result = ConvertImage(source, options).Result;
    for (const Cell& cell : c.Cells) {
      SCOPED_TRACE("column " + std::to_string(cell.Col) + " line " + std::to_string(cell.Line));
      const int h = CellHeightAt(c.CellHeight, cell.Col);
      ASSERT_EQ(AttrLineOf(c.CellHeight, cell.Col, cell.Line), cell.Line);
      const double optimum = BruteForceCellError(source, cell.Col, cell.Line, h, c.FlickerWeight);
      const double found = CellError(result, c.CellHeight, source, cell.Col, cell.Line, h, c.FlickerWeight);
      if (c.FlickerWeight == 0.0)
        EXPECT_EQ(found, optimum);  // whole numbers: no rounding at all
      else
        EXPECT_NEAR(found, optimum, 1e-5 * optimum);
    }
  }
}

const std::array<Dithering, 4> AllDithers = {Dithering::None, Dithering::Ordered, Dithering::FloydSteinberg,
                                             Dithering::Atkinson};

TEST(ImageConversionResult, IsAValidPictureInEveryHeightAndDither) {
  const Raster photo = PhotoLikeImage();
  for (int h : {8, 4, 2, 1})
    for (Dithering d : AllDithers) {
      SCOPED_TRACE("height " + std::to_string(h) + " dither " + std::to_string(static_cast<int>(d)));
      ImageConversionOptions options;
      options.CellHeight = h;
      options.Dither = d;
      const Planes result = ConvertImage(photo, options).Result;
      for (int s = 0; s < 2; ++s)
        for (int col = 0; col < ByteColumns; ++col)
          for (int line = 0; line < PictureHeight; ++line) {
            const AttrEntry& e = result.Attrs[s].At(col, line);
            ASSERT_EQ(e, result.Attrs[s].At(col, AttrLineOf(h, col, line)));
            const InkPaper back = FromZxAttrByte(ZxAttrByte(e.Ink, e.Paper));
            ASSERT_EQ(back.Ink, e.Ink);
            ASSERT_EQ(back.Paper, e.Paper);
          }
      Picture picture;
      static_cast<Planes&>(picture) = result;
      picture.CharMode = static_cast<std::uint8_t>(h);
      const ImportedPicture again = ReadMg(h == 1 ? WriteMg1(picture) : WriteMg(picture));
      EXPECT_EQ(again.CharMode, h);
      EXPECT_EQ(again.Planes, result);
    }
}

TEST(ImageConversionResult, StatsAreTheMeansOfTheShownPicture) {
  const Raster photo = PhotoLikeImage();
  for (double w : {0.0, 1.0}) {
    ImageConversionOptions options;
    options.CellHeight = 2;
    options.FlickerWeight = w;
    const ImageConversion conversion = ConvertImage(photo, options);
    double error = 0, flicker = 0;
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x) {
        const auto c = ShownColours(conversion.Result, 2, x, y);
        error += test_support::PixelError(photo.At(x, y), c[0], c[1], 0.0);
        const double dl = test_support::Luma601(c[0]) - test_support::Luma601(c[1]);
        flicker += dl * dl;
      }
    constexpr double pixels = PictureWidth * PictureHeight;
    EXPECT_NEAR(conversion.Stats.MeanColourError, error / pixels, 1e-3);
    EXPECT_NEAR(conversion.Stats.MeanFlicker, flicker / pixels, 1e-6);
  }
}

// The mixed picture as it is shown, in 8-bit RGB.
std::vector<std::array<double, 3>> Shown(const Planes& planes, int cellHeight) {
  std::vector<std::array<double, 3>> image(PictureWidth * PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const auto c = ShownColours(planes, cellHeight, x, y);
      const Rgb m = MixedColourTable[c[0]][c[1]];
      image[y * PictureWidth + x] = {double(RedOf(m)), double(GreenOf(m)), double(BlueOf(m))};
    }
  return image;
}

// 5 x 5 box blur, as the eye sees a fine pattern from a distance.
std::vector<std::array<double, 3>> Blurred(const std::vector<std::array<double, 3>>& image) {
  std::vector<std::array<double, 3>> out(image.size());
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      std::array<double, 3> sum{};
      int n = 0;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
          const int tx = x + dx, ty = y + dy;
          if (tx < 0 || ty < 0 || tx >= PictureWidth || ty >= PictureHeight) continue;
          for (int k = 0; k < 3; ++k) sum[k] += image[ty * PictureWidth + tx][k];
          ++n;
        }
      for (int k = 0; k < 3; ++k) out[y * PictureWidth + x][k] = sum[k] / n;
    }
  return out;
}

double BlurredError(const Raster& source, const Planes& planes, int cellHeight) {
  std::vector<std::array<double, 3>> src(PictureWidth * PictureHeight);
  for (int i = 0; i < PictureWidth * PictureHeight; ++i) {
    const Rgb c = source.Pixels()[i];
    src[i] = {double(RedOf(c)), double(GreenOf(c)), double(BlueOf(c))};
  }
  const auto a = Blurred(src), b = Blurred(Shown(planes, cellHeight));
  double total = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    for (int k = 0; k < 3; ++k) total += (a[i][k] - b[i][k]) * (a[i][k] - b[i][k]);
  return total / static_cast<double>(a.size());
}

Raster SmoothGradient() {
  Raster image(PictureWidth, PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x)
      image.At(x, y) = MakeRgb(x * 255 / 255, 40 + y * 150 / 191, 200 - x * 120 / 255);
  return image;
}

TEST(ImageConversionDither, LowersTheBlurredErrorOfAGradientAndRepeatsExactly) {
  const Raster gradient = SmoothGradient();
  for (int h : {8, 1}) {
    ImageConversionOptions options;
    options.CellHeight = h;
    const double plain = BlurredError(gradient, ConvertImage(gradient, options).Result, h);
    for (Dithering d : {Dithering::Ordered, Dithering::FloydSteinberg, Dithering::Atkinson}) {
      SCOPED_TRACE("height " + std::to_string(h) + " dither " + std::to_string(static_cast<int>(d)));
      options.Dither = d;
      const ImageConversion first = ConvertImage(gradient, options);
      const double dithered = BlurredError(gradient, first.Result, h);
      std::cout << "  blurred mean error, height " << h << ", dither " << static_cast<int>(d) << ": " << dithered
                << " (none: " << plain << ")\n";
      EXPECT_LT(dithered, plain);
      const ImageConversion second = ConvertImage(gradient, options);
      EXPECT_EQ(second.Result, first.Result);
      EXPECT_EQ(second.Stats.MeanColourError, first.Stats.MeanColourError);
    }
  }
}

TEST(ImageConversionFlicker, WeightLowersMeanFlickerInBothMetrics) {
  const Raster photo = PhotoLikeImage();
  for (ColourMetric metric : {ColourMetric::Rgb, ColourMetric::Lab}) {
    std::vector<ImageConversionStats> stats;
    for (double w : {0.0, 0.25, 1.0}) {
      ImageConversionOptions options;
      options.Metric = metric;
      options.FlickerWeight = w;
      stats.push_back(ConvertImage(photo, options).Stats);
      std::cout << "  " << (metric == ColourMetric::Rgb ? "rgb" : "lab") << " w=" << w
                << ": mean error " << stats.back().MeanColourError << ", mean flicker " << stats.back().MeanFlicker
                << "\n";
    }
    EXPECT_LT(stats[1].MeanFlicker, stats[0].MeanFlicker);
    EXPECT_LT(stats[2].MeanFlicker, stats[1].MeanFlicker);
    // The colour error may only grow when flicker is traded for it.
    EXPECT_GE(stats[1].MeanColourError, stats[0].MeanColourError);
    EXPECT_GE(stats[2].MeanColourError, stats[1].MeanColourError);
  }
}

TEST(ImageConversionInput, BadArgumentsAreRefused) {
  const Raster photo = PhotoLikeImage();
  struct BadCase {
    const char* Name;
    Raster Source;
    ImageConversionOptions Options;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<BadCase> cases = {
      {"too narrow", Raster(255, 192), {}},
      {"too tall", Raster(256, 193), {}},
      {"empty", Raster(), {}},
      {"cell height 0", photo, {0, Dithering::None, ColourMetric::Rgb, 0.0}},
      {"cell height 3", photo, {3, Dithering::None, ColourMetric::Rgb, 0.0}},
      {"cell height 16", photo, {16, Dithering::None, ColourMetric::Rgb, 0.0}},
      {"negative weight", photo, {8, Dithering::None, ColourMetric::Rgb, -0.5}},
      {"NaN weight", photo, {8, Dithering::None, ColourMetric::Rgb, nan}},
      {"huge weight", photo, {8, Dithering::None, ColourMetric::Rgb, 1e30}},
      {"unknown dither", photo, {8, static_cast<Dithering>(9), ColourMetric::Rgb, 0.0}},
      {"unknown metric", photo, {8, Dithering::None, static_cast<ColourMetric>(7), 0.0}},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_THROW(ConvertImage(c.Source, c.Options), std::invalid_argument);
  }
}

TEST(ImageConversionNames, OnlyTheExactSpellingsAreKnown) {
  const std::vector<std::pair<std::string, std::optional<Dithering>>> dithers = {
      {"none", Dithering::None},        {"ordered", Dithering::Ordered},
      {"floyd-steinberg", Dithering::FloydSteinberg}, {"atkinson", Dithering::Atkinson},
      {"None", std::nullopt},           {"floyd", std::nullopt},
      {"", std::nullopt},               {"atkinson ", std::nullopt}};
  for (const auto& [name, expected] : dithers) EXPECT_EQ(DitheringNamed(name), expected) << name;
  const std::vector<std::pair<std::string, std::optional<ColourMetric>>> metrics = {
      {"rgb", ColourMetric::Rgb}, {"lab", ColourMetric::Lab}, {"RGB", std::nullopt}, {"", std::nullopt},
      {"cielab", std::nullopt}};
  for (const auto& [name, expected] : metrics) EXPECT_EQ(ColourMetricNamed(name), expected) << name;
}

}  // namespace
}  // namespace chromaloom

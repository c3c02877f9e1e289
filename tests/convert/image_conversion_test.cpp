#include "convert/image_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
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
#include "formats/zx_screen_format.h"
#include "support/cell_brute_force.h"

namespace chromaloom {
namespace {

using test_support::BruteForceCellError;
using test_support::CellError;
using test_support::PhotoLikeImage;
using test_support::RandomImage;
using test_support::ShownColours;

// Pixels drawn at random from the four mixes of a screen-0 and a screen-1
// colour pair, so the optimum is exactly zero.
Rgb MixOf(std::array<ZxColour, 2> screen0, std::array<ZxColour, 2> screen1, std::mt19937& rng) {
  const ZxColour a = screen0[rng() % 2];
  return MixedColourTable[a][screen1[rng() % 2]];
}

// Left half photo-like; right half, top to bottom: mixes of one pair on both
// screens, mixes of two different pairs, random colours.
Raster ExactnessImage() {
  Raster image = PhotoLikeImage();
  const Raster random = RandomImage(5);
  std::mt19937 rng(3);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = PictureWidth / 2; x < PictureWidth; ++x)
      image.At(x, y) = y < 64    ? MixOf({4, 6}, {4, 6}, rng)    // bright red and magenta
                       : y < 128 ? MixOf({3, 11}, {2, 14}, rng)  // normal, then bright
                                 : random.At(x, y);
  return image;
}

struct Cell {
  const char* Region;
  int Col, Line;  // the cell's first line
};

struct ExactCase {
  int CellHeight;
  double FlickerWeight;
  ColourMetric Metric;
  std::vector<Cell> Cells;
};

TEST(ImageConversionExact, EveryCellMatchesTheBruteForceOptimum) {
  const std::vector<ExactCase> cases = {
      {8,
       0.0,
       ColourMetric::Srgb,
       {{"photo", 11, 64},
        {"photo", 4, 152},
        {"random", 20, 128},
        {"random", 31, 184},
        {"one pair twice", 28, 0},
        {"two pairs", 19, 64}}},
      {4,
       0.0,
       ColourMetric::Srgb,
       {{"photo", 11, 68},
        {"photo", 5, 140},
        {"random", 17, 132},
        {"random", 30, 188},
        {"one pair twice", 25, 40},
        {"two pairs", 19, 112}}},
      {2,
       0.0,
       ColourMetric::Srgb,
       {{"photo", 12, 70},
        {"photo", 6, 160},
        {"random", 17, 130},
        {"random", 22, 190},
        {"one pair twice", 18, 2},
        {"two pairs", 16, 66}}},
      {1,
       0.0,
       ColourMetric::Srgb,
       {{"photo", 11, 71},
        {"photo", 12, 75},
        {"random", 16, 128},
        {"random", 23, 191},
        {"one pair twice", 17, 41},
        {"two pairs", 20, 100},
        // side columns: 8x8 cells
        {"photo side", 3, 136},
        {"photo side", 0, 8},
        {"random side", 24, 128},
        {"random side", 31, 184},
        {"one pair twice side", 30, 8},
        {"two pairs side", 26, 64}}},
      {4, 0.25, ColourMetric::Srgb, {{"photo", 11, 68}, {"random", 24, 132}}},
      {8, 0.0, ColourMetric::Lab, {{"photo", 11, 64}, {"random", 20, 128}, {"two pairs", 19, 64}}},
      {2, 0.5, ColourMetric::Lab, {{"photo", 12, 70}, {"random", 22, 190}}},
      {1, 1.0, ColourMetric::Srgb, {{"photo", 12, 75}, {"photo side", 2, 64}, {"random", 17, 150}}},
  };
  const Raster source = ExactnessImage();
  for (const ExactCase& c : cases) {
    const bool lab = c.Metric == ColourMetric::Lab;
    SCOPED_TRACE("height " + std::to_string(c.CellHeight) + " flicker weight " + std::to_string(c.FlickerWeight) +
                 (lab ? " lab" : " rgb"));
    ImageConversionOptions options;
    options.Metric = c.Metric;
    options.CellHeight = c.CellHeight;
    options.FlickerWeight = c.FlickerWeight;
    const Planes result = ConvertImage(source, options).Result;
    for (const Cell& cell : c.Cells) {
      SCOPED_TRACE(std::string(cell.Region) + " column " + std::to_string(cell.Col) + " line " +
                   std::to_string(cell.Line));
      const int h = CellHeightAt(c.CellHeight, cell.Col);
      ASSERT_EQ(AttrLineOf(c.CellHeight, cell.Col, cell.Line), cell.Line);
      const double optimum = BruteForceCellError(source, cell.Col, cell.Line, h, c.FlickerWeight, lab);
      const double found = CellError(result, c.CellHeight, source, cell.Col, cell.Line, h, c.FlickerWeight, lab);
      if (c.FlickerWeight == 0.0 && !lab)
        EXPECT_EQ(found, optimum);  // whole numbers: no rounding at all
      else
        EXPECT_NEAR(found, optimum, 1e-4 * optimum + 1e-3);  // the search sums floats
    }
  }
}

TEST(ImageConversionResult, IsAValidPictureInEveryHeightAndDither) {
  const Raster photo = PhotoLikeImage();
  const std::vector<std::pair<int, Dithering>> cases = {
      {8, Dithering::None},           {4, Dithering::Ordered}, {2, Dithering::FloydSteinberg}, {1, Dithering::Atkinson},
      {1, Dithering::FloydSteinberg}, {8, Dithering::Search},  {1, Dithering::Search}};
  for (const auto& [h, d] : cases) {
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
    picture.CellHeight = static_cast<std::uint8_t>(h);
    const ImportedPicture again = ReadMg(h == 1 ? WriteMg1(picture) : WriteMg(picture));
    EXPECT_EQ(again.CellHeight, h);
    EXPECT_EQ(again.Planes, result);
    // An 8x8 picture goes through the ZX screens of a .img as well.
    if (h == 8) {
      EXPECT_EQ(ReadZxScreen(WriteImg(picture), false, true).Planes, result);
    }
  }
}

// Without diffusion every cell is chosen alone, so a part converts exactly as
// the same cells of the whole picture; with diffusion the whole picture as
// one part is the whole conversion.
TEST(ImageConversionPart, MatchesTheWholePicturesCells) {
  const Raster source = ExactnessImage();
  constexpr int first = 6, columns = 4, lines = 16;  // crosses the 8x1 side columns' edge
  Raster part(columns * 8, lines);
  part.CopyFrom(source, {first * 8, 0, columns * 8, lines}, 0, 0);
  for (const int h : {8, 4, 2, 1})
    for (const Dithering d : {Dithering::None, Dithering::Ordered}) {
      SCOPED_TRACE("height " + std::to_string(h) + " dither " + std::to_string(static_cast<int>(d)));
      ImageConversionOptions options;
      options.CellHeight = h;
      options.Dither = d;
      options.Metric = h == 2 ? ColourMetric::Lab : ColourMetric::Srgb;
      const Planes whole = ConvertImage(source, options).Result;
      const Planes got = ConvertImagePart(part, first, options).Result;
      for (int s = 0; s < 2; ++s)
        for (int col = 0; col < ByteColumns; ++col)
          for (int line = 0; line < PictureHeight; ++line) {
            const bool inside = col >= first && col < first + columns && line < lines;
            ASSERT_EQ(got.Attrs[s].At(col, line), inside ? whole.Attrs[s].At(col, line) : AttrEntry{});
            ASSERT_EQ(got.Pixels[s].At(col, line), inside ? whole.Pixels[s].At(col, line) : 0);
          }
    }
  ImageConversionOptions options;
  options.CellHeight = 1;
  options.Dither = Dithering::Atkinson;
  const ImageConversion whole = ConvertImage(source, options);
  const ImageConversion asPart = ConvertImagePart(source, 0, options);
  EXPECT_EQ(asPart.Result, whole.Result);
  EXPECT_EQ(asPart.Stats.MeanColourError, whole.Stats.MeanColourError);
  EXPECT_EQ(asPart.Stats.MeanFlicker, whole.Stats.MeanFlicker);
}

TEST(ImageConversionPart, OnlyWholeCellsInsideThePictureAreTaken) {
  struct PartCase {
    Raster Source;
    int First, CellHeight;
  };
  // In 8x1 the side columns (0..7, 24..31) keep 8-line cells.
  const std::vector<PartCase> bad = {{Raster(12, 8), 0, 8},  {Raster(8, 12), 0, 8},  {Raster(), 0, 8},
                                     {Raster(16, 8), 31, 8}, {Raster(8, 200), 0, 8}, {Raster(8, 8), -1, 8},
                                     {Raster(264, 8), 0, 8}, {Raster(8, 2), 3, 4},   {Raster(16, 1), 7, 1},
                                     {Raster(16, 1), 23, 1}, {Raster(8, 8), 32, 8}};
  for (const PartCase& c : bad) {
    SCOPED_TRACE(std::to_string(c.Source.Width()) + " x " + std::to_string(c.Source.Height()) + " from column " +
                 std::to_string(c.First) + " in 8x" + std::to_string(c.CellHeight));
    ImageConversionOptions options;
    options.CellHeight = c.CellHeight;
    EXPECT_THROW(ConvertImagePart(c.Source, c.First, options), std::invalid_argument);
  }
  ImageConversionOptions options;
  EXPECT_NO_THROW(ConvertImagePart(Raster(8, 192), 31, options));
  options.CellHeight = 1;
  EXPECT_NO_THROW(ConvertImagePart(Raster(128, 1), 8, options));
  options.CellHeight = 2;
  EXPECT_NO_THROW(ConvertImagePart(Raster(16, 2), 0, options));
}

TEST(ImageConversionResult, StatsAreTheMeansOfTheShownPicture) {
  const Raster photo = PhotoLikeImage();
  ImageConversionOptions options;
  options.CellHeight = 2;
  options.FlickerWeight = 1.0;  // the flicker term must stay out of the colour error
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

// One 8-bit channel of a 256 x 192 image, row by row.
using Channel = std::vector<double>;

// The mixed picture as it is shown.
std::array<Channel, 3> Shown(const Planes& planes, int cellHeight) {
  std::array<Channel, 3> image;
  for (Channel& c : image) c.resize(PictureWidth * PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const auto c = ShownColours(planes, cellHeight, x, y);
      const Rgb m = MixedColourTable[c[0]][c[1]];
      image[0][y * PictureWidth + x] = RedOf(m);
      image[1][y * PictureWidth + x] = GreenOf(m);
      image[2][y * PictureWidth + x] = BlueOf(m);
    }
  return image;
}

// The mean over a window of 5 along one axis, cut at the edges.
Channel BoxAlong(const Channel& in, int step, int length, int other, int otherStep) {
  Channel out(in.size());
  for (int o = 0; o < other; ++o)
    for (int i = 0; i < length; ++i) {
      double sum = 0;
      int n = 0;
      for (int d = -2; d <= 2; ++d)
        if (i + d >= 0 && i + d < length) {
          sum += in[o * otherStep + (i + d) * step];
          ++n;
        }
      out[o * otherStep + i * step] = sum / n;
    }
  return out;
}

// 5 x 5 box blur, as the eye sees a fine pattern from a distance.
std::array<Channel, 3> Blurred(std::array<Channel, 3> image) {
  for (Channel& c : image)
    c = BoxAlong(BoxAlong(c, 1, PictureWidth, PictureHeight, PictureWidth), PictureWidth, PictureHeight, PictureWidth,
                 1);
  return image;
}

std::array<Channel, 3> Channels(const Raster& source) {
  std::array<Channel, 3> image;
  for (Channel& c : image) c.resize(PictureWidth * PictureHeight);
  for (int i = 0; i < PictureWidth * PictureHeight; ++i) {
    const Rgb c = source.Pixels()[i];
    image[0][i] = RedOf(c);
    image[1][i] = GreenOf(c);
    image[2][i] = BlueOf(c);
  }
  return image;
}

double BlurredError(const std::array<Channel, 3>& blurredSource, const Planes& planes, int cellHeight) {
  const auto shown = Blurred(Shown(planes, cellHeight));
  double total = 0;
  for (int k = 0; k < 3; ++k)
    for (std::size_t i = 0; i < shown[k].size(); ++i) {
      const double d = blurredSource[k][i] - shown[k][i];
      total += d * d;
    }
  return total / (PictureWidth * PictureHeight);
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
  ImageConversionOptions options;
  options.CellHeight = 1;  // both cell heights at once: 8x1 and the side columns' 8x8
  const auto blurred = Blurred(Channels(gradient));
  const Planes none = ConvertImage(gradient, options).Result;
  EXPECT_EQ(ConvertImage(gradient, options).Result, none);
  const double plain = BlurredError(blurred, none, 1);
  for (Dithering d : {Dithering::Ordered, Dithering::FloydSteinberg, Dithering::Atkinson}) {
    SCOPED_TRACE("dither " + std::to_string(static_cast<int>(d)));
    options.Dither = d;
    const ImageConversion first = ConvertImage(gradient, options);
    const double dithered = BlurredError(blurred, first.Result, 1);
    std::cout << "  blurred mean error, dither " << static_cast<int>(d) << ": " << dithered << " (none: " << plain
              << ")\n";
    EXPECT_LT(dithered, plain);
    const ImageConversion second = ConvertImage(gradient, options);
    EXPECT_EQ(second.Result, first.Result);
    EXPECT_EQ(second.Stats.MeanColourError, first.Stats.MeanColourError);
  }
}

// The blurred error as the stats define it, computed here independently:
// linear light scaled to 0..255, a 7 x 7 Gaussian of sigma 1 taken directly
// with clamped coordinates, the squared RGB distance per pixel.
std::array<Channel, 3> GaussianBlurredLinear(std::array<Channel, 3> image) {
  for (Channel& c : image)
    for (double& v : c) {
      v /= 255.0;
      v = 255.0 * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
  double sum = 0;
  for (int i = -3; i <= 3; ++i)
    for (int j = -3; j <= 3; ++j) sum += std::exp(-0.5 * (i * i + j * j));
  std::array<Channel, 3> out;
  for (int k = 0; k < 3; ++k) {
    out[k].assign(image[k].size(), 0.0);
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x)
        for (int i = -3; i <= 3; ++i)
          for (int j = -3; j <= 3; ++j) {
            const int sx = std::clamp(x + j, 0, PictureWidth - 1), sy = std::clamp(y + i, 0, PictureHeight - 1);
            out[k][y * PictureWidth + x] += std::exp(-0.5 * (i * i + j * j)) / sum * image[k][sy * PictureWidth + sx];
          }
  }
  return out;
}

double GaussianBlurredError(const Raster& source, const Planes& planes, int cellHeight) {
  const auto a = GaussianBlurredLinear(Channels(source)), b = GaussianBlurredLinear(Shown(planes, cellHeight));
  double total = 0;
  for (int k = 0; k < 3; ++k)
    for (std::size_t i = 0; i < a[k].size(); ++i) total += (a[k][i] - b[k][i]) * (a[k][i] - b[k][i]);
  return total / (PictureWidth * PictureHeight);
}

struct SearchCase {
  const char* Name;
  Raster Source;
  double MostOfNone;  // the search's blurred error at most this share of no dither's
};

// The search starts from the best of the other dithers and only keeps what
// lowers the blurred error, so it ends at or below every one of them; none of
// those is worse than no dither at all.
TEST(ImageConversionSearch, EndsBelowEveryOtherDitherAndRepeatsExactly) {
  const std::vector<SearchCase> cases = {
      {"photo", PhotoLikeImage(), 0.45}, {"gradient", SmoothGradient(), 0.45}, {"noise", RandomImage(5), 0.35}};
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ImageConversionOptions options;
    options.Dither = Dithering::Search;
    const ImageConversion search = ConvertImage(c.Source, options);
    std::cout << "  " << c.Name << ": search " << search.Stats.MeanBlurredError;
    options.Dither = Dithering::None;
    const double none = ConvertImage(c.Source, options).Stats.MeanBlurredError;
    EXPECT_LE(search.Stats.MeanBlurredError, c.MostOfNone * none);
    for (const auto& [name, d] : DitherChoices) {
      if (d == Dithering::Search) continue;
      options.Dither = d;
      const double other = ConvertImage(c.Source, options).Stats.MeanBlurredError;
      std::cout << ", " << name << " " << other;
      EXPECT_LE(search.Stats.MeanBlurredError, other) << name;
      EXPECT_LE(other, none) << name << " is worse than none";
    }
    std::cout << "\n";
    options.Dither = Dithering::Search;
    const ImageConversion again = ConvertImage(c.Source, options);
    EXPECT_EQ(again.Result, search.Result);
    EXPECT_EQ(again.Stats.MeanBlurredError, search.Stats.MeanBlurredError);
  }
}

// A picture the screens show exactly: nothing to improve, so the search
// must stop where it started, at no error at all.
TEST(ImageConversionSearch, StopsAtAnExactPicture) {
  std::mt19937 rng(8);
  Raster exact(PictureWidth, PictureHeight);
  for (Rgb& p : exact.Pixels()) p = MixOf({4, 6}, {2, 14}, rng);
  ImageConversionOptions options;
  options.Dither = Dithering::Search;
  const ImageConversion search = ConvertImage(exact, options);
  EXPECT_EQ(search.Stats.MeanBlurredError, 0.0);
  options.Dither = Dithering::None;
  EXPECT_EQ(search.Result, ConvertImage(exact, options).Result);
}

// Colours each model can show, cell by cell, come back exactly only when
// the search is made for that model.
TEST(ImageConversionMixing, APictureShownInAModelIsFoundExactlyForThatModel) {
  for (const NamedMixing& named : NamedMixings) {
    SCOPED_TRACE(named.Name);
    const MixingProfile mixing = NamedMixingOf(named.Kind);
    std::mt19937 rng(11);
    Raster exact(PictureWidth, PictureHeight);
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x)
        exact.At(x, y) = mixing.Table[std::array{3, 11}[rng() % 2]][std::array{1, 13}[rng() % 2]];  // normal colours
    ImageConversionOptions options;
    options.Mixing = mixing;
    const ImageConversion found = ConvertImage(exact, options);
    EXPECT_EQ(found.Stats.MeanColourError, 0.0);
    int wrong = 0;
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x)
        wrong += mixing.Table[ScreenColourAt(found.Result, 8, 0, x, y)][ScreenColourAt(found.Result, 8, 1, x, y)] !=
                 exact.At(x, y);
    EXPECT_EQ(wrong, 0);
    options.Mixing = named.Kind == MixingKind::Own ? AverageMixing() : OwnMixing();
    EXPECT_GT(ConvertImage(exact, options).Stats.MeanColourError, 0.0);
  }
  ImageConversionOptions lopsided;
  lopsided.Mixing.Table[1][2] = MakeRgb(1, 2, 3);
  EXPECT_THROW(ConvertImage(RandomImage(1), lopsided), std::invalid_argument);
}

TEST(ImageConversionStats, BlurredErrorAgreesWithAnIndependentModel) {
  const std::vector<std::pair<int, Dithering>> cases = {
      {8, Dithering::None}, {4, Dithering::FloydSteinberg}, {1, Dithering::Ordered}, {8, Dithering::Search}};
  const Raster photo = PhotoLikeImage();
  for (const auto& [h, d] : cases) {
    SCOPED_TRACE("height " + std::to_string(h) + " dither " + std::to_string(static_cast<int>(d)));
    ImageConversionOptions options;
    options.CellHeight = h;
    options.Dither = d;
    const ImageConversion result = ConvertImage(photo, options);
    const double expected = GaussianBlurredError(photo, result.Result, h);
    EXPECT_NEAR(result.Stats.MeanBlurredError, expected, 1e-4 * expected);
  }
}

TEST(ImageConversionFlicker, WeightLowersMeanFlickerInBothMetrics) {
  const Raster photo = PhotoLikeImage();
  for (ColourMetric metric : {ColourMetric::Srgb, ColourMetric::Lab}) {
    std::vector<ImageConversionStats> stats;
    for (double w : {0.0, 0.25, 1.0}) {
      ImageConversionOptions options;
      options.Metric = metric;
      options.FlickerWeight = w;
      stats.push_back(ConvertImage(photo, options).Stats);
      std::cout << "  " << (metric == ColourMetric::Srgb ? "rgb" : "lab") << " w=" << w << ": mean error "
                << stats.back().MeanColourError << ", mean flicker " << stats.back().MeanFlicker << "\n";
    }
    EXPECT_LT(stats[1].MeanFlicker, stats[0].MeanFlicker);
    EXPECT_LT(stats[2].MeanFlicker, stats[1].MeanFlicker);
    // The colour error may only grow when flicker is traded for it, and only
    // a little: by less than a tenth of the flicker taken away.
    for (size_t i = 1; i < stats.size(); ++i) {
      EXPECT_GE(stats[i].MeanColourError, stats[i - 1].MeanColourError);
      const double errorAdded = stats[i].MeanColourError - stats[0].MeanColourError;
      const double flickerRemoved = stats[0].MeanFlicker - stats[i].MeanFlicker;
      EXPECT_LT(errorAdded, 0.1 * flickerRemoved);
    }
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
      {"cell height 0", photo, {0, Dithering::None, ColourMetric::Srgb, 0.0}},
      {"cell height 3", photo, {3, Dithering::None, ColourMetric::Srgb, 0.0}},
      {"cell height 16", photo, {16, Dithering::None, ColourMetric::Srgb, 0.0}},
      {"negative weight", photo, {8, Dithering::None, ColourMetric::Srgb, -0.5}},
      {"NaN weight", photo, {8, Dithering::None, ColourMetric::Srgb, nan}},
      {"huge weight", photo, {8, Dithering::None, ColourMetric::Srgb, 1e30}},
      {"unknown dither", photo, {8, static_cast<Dithering>(9), ColourMetric::Srgb, 0.0}},
      {"unknown metric", photo, {8, Dithering::None, static_cast<ColourMetric>(7), 0.0}},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_THROW(ConvertImage(c.Source, c.Options), std::invalid_argument);
  }
}

TEST(ImageConversionNames, OnlyTheExactSpellingsAreKnown) {
  const std::vector<std::pair<std::string, std::optional<Dithering>>> dithers = {
      {"none", Dithering::None},
      {"ordered", Dithering::Ordered},
      {"floyd-steinberg", Dithering::FloydSteinberg},
      {"atkinson", Dithering::Atkinson},
      {"search", Dithering::Search},
      {"None", std::nullopt},
      {"floyd", std::nullopt},
      {"", std::nullopt},
      {"atkinson ", std::nullopt}};
  for (const auto& [name, expected] : dithers) EXPECT_EQ(DitheringNamed(name), expected) << name;
  const std::vector<std::pair<std::string, std::optional<ColourMetric>>> metrics = {{"rgb", ColourMetric::Srgb},
                                                                                    {"lab", ColourMetric::Lab},
                                                                                    {"RGB", std::nullopt},
                                                                                    {"", std::nullopt},
                                                                                    {"cielab", std::nullopt}};
  for (const auto& [name, expected] : metrics) EXPECT_EQ(ColourMetricNamed(name), expected) << name;
}

}  // namespace
}  // namespace chromaloom

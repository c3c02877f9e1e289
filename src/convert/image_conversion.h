// Any RGB image of 256 x 192 pixels as a Gigascreen or MultiGigaScreen
// picture: per attribute cell the exact best pair of attributes and pixel
// bits on both screens, with optional dithering and a weight against flicker.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "convert/option_choice.h"
#include "picture/mixing_profile.h"
#include "picture/picture.h"
#include "picture/raster.h"
#include "picture/translated_text.h"

namespace chromaloom {

// Search starts from the best of the others as the eye sees it (the blurred
// error below) and changes attributes and pixels while that error drops.
enum class Dithering { None, Ordered, FloydSteinberg, Atkinson, Search };
enum class ColourMetric { Srgb, Lab };  // squared 8-bit sRGB distance, or CIE L*a*b* (D65)

inline constexpr std::array<OptionChoice<Dithering>, 5> DitherChoices = {{
    {QT_TRANSLATE_NOOP("Options", "none"), Dithering::None},
    {QT_TRANSLATE_NOOP("Options", "ordered"), Dithering::Ordered},
    {QT_TRANSLATE_NOOP("Options", "floyd-steinberg"), Dithering::FloydSteinberg},
    {QT_TRANSLATE_NOOP("Options", "atkinson"), Dithering::Atkinson},
    {QT_TRANSLATE_NOOP("Options", "search"), Dithering::Search},
}};
inline constexpr std::array<OptionChoice<ColourMetric>, 2> MetricChoices = {
    {{"rgb", ColourMetric::Srgb}, {"lab", ColourMetric::Lab}}};
// The models an image can be converted for, by the names --mixing takes.
inline constexpr auto MixingChoices = [] {
  std::array<OptionChoice<MixingKind>, NamedMixings.size()> choices{};
  for (std::size_t i = 0; i < choices.size(); ++i) choices[i] = {NamedMixings[i].Name, NamedMixings[i].Kind};
  return choices;
}();

// The flicker weight's range, the same in the import dialog and the converter;
// larger weights would overflow the float sums of a cell.
inline constexpr double MaxFlickerWeight = 1000.0;

struct ImageConversionOptions {
  int CellHeight = 8;  // 8, 4, 2 or 1; in 8x1 the side columns keep 8x8 cells
  Dithering Dither = Dithering::None;
  ColourMetric Metric = ColourMetric::Srgb;
  double FlickerWeight = 0.0;  // 0: off, up to MaxFlickerWeight
  MixingProfile Mixing{};      // the colours the result is judged by; must be symmetric
  friend bool operator==(const ImageConversionOptions&, const ImageConversionOptions&) = default;
};

// Means over the picture's 256 x 192 pixels.
struct ImageConversionStats {
  double MeanColourError = 0.0;  // squared distance in the chosen metric
  double MeanFlicker = 0.0;      // squared luminance difference of the two screens' colours
  // Source and shown picture in linear light (0..255), each blurred by a
  // Gaussian of sigma 1 pixel (7 taps, edges clamped): the squared RGB distance.
  double MeanBlurredError = 0.0;
};

struct ImageConversion {
  Planes Result;
  ImageConversionStats Stats;
};

// source must be 256 x 192 (see FitToPicture); throws std::invalid_argument otherwise.
ImageConversion ConvertImage(const Raster& source, const ImageConversionOptions& options);
// The same on one part of the picture: source holds the pixels of byte columns
// firstColumn on, lines 0 on, whole cells of the cell height that fit inside
// 256 x 192 (throws std::invalid_argument otherwise). Result has the part's cells in
// place and the rest blank; dithering spreads error within the part only;
// Stats are means over the part. Small parts keep the fuzz target fast.
ImageConversion ConvertImagePart(const Raster& source, int firstColumn, const ImageConversionOptions& options);

// Option names as DitherChoices and MetricChoices spell them; nullopt for any other.
std::optional<Dithering> DitheringNamed(std::string_view name);
std::optional<ColourMetric> ColourMetricNamed(std::string_view name);

}  // namespace chromaloom

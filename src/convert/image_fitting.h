// Any image brought to the picture's 256 x 192 pixels.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "convert/option_choice.h"
#include "picture/raster.h"
#include "picture/translated_text.h"

namespace chromaloom {

enum class FitMode { Fit, Crop, Stretch };
inline constexpr std::array<OptionChoice<FitMode>, 3> FitChoices = {
    {{QT_TRANSLATE_NOOP("Options", "fit"), FitMode::Fit},
     {QT_TRANSLATE_NOOP("Options", "crop"), FitMode::Crop},
     {QT_TRANSLATE_NOOP("Options", "stretch"), FitMode::Stretch}}};

// Exactly 256 x 192 is used as is; whole multiples are reduced by averaging
// blocks; the bordered sizes emulators save (320 x 240, 320 x 256, 352 x 296,
// 384 x 288 and their doubles) have the picture cut from their centre first;
// anything else is resampled by area averaging: fit letterboxes in black,
// crop fills and cuts the middle, stretch ignores the aspect.
Raster FitToPicture(const Raster& image, FitMode mode);
// The same onto any width x height, without the bordered sizes: what
// FitToPicture does after them, and small enough for a fast fuzz target.
Raster FitToSize(const Raster& image, FitMode mode, int width, int height);

// The whole image averaged onto width x height pixels (each output pixel is
// the mean of the source area it covers).
Raster ScaleByArea(const Raster& image, int width, int height);

std::optional<FitMode> FitModeNamed(std::string_view name);

}  // namespace chromaloom

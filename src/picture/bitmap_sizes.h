// The sizes a bitmap export offers: the picture enlarged by a whole factor,
// optionally framed in the border colour. Here, below render/ and formats/,
// because the renderer draws them and the converter and the window list them.
#pragma once

#include <array>

#include "picture/translated_text.h"

namespace chromaloom {

struct BitmapSize {
  int W;  // enlarged picture
  int H;
  int X;  // border at left and right
  int Y;  // border at top and bottom
  const char* Caption;
};

inline constexpr std::array<BitmapSize, 9> BitmapSizes = {{
    {256, 192, 0, 0, QT_TRANSLATE_NOOP("BitmapSizes", "256 x 192 without border")},
    {512, 384, 0, 0, QT_TRANSLATE_NOOP("BitmapSizes", "512 x 384 without border")},
    {768, 576, 0, 0, QT_TRANSLATE_NOOP("BitmapSizes", "768 x 576 without border")},
    {1024, 768, 0, 0, QT_TRANSLATE_NOOP("BitmapSizes", "1024 x 768 without border")},
    {1280, 960, 0, 0, QT_TRANSLATE_NOOP("BitmapSizes", "1280 x 960 without border")},
    {512, 384, 64, 48, QT_TRANSLATE_NOOP("BitmapSizes", "640 x 480 (512x384 with border)")},
    {768, 576, 16, 12, QT_TRANSLATE_NOOP("BitmapSizes", "800 x 600 (768x576 with border)")},
    {768, 576, 128, 96, QT_TRANSLATE_NOOP("BitmapSizes", "1024 x 768 (768x576 with border)")},
    {1024, 768, 128, 96, QT_TRANSLATE_NOOP("BitmapSizes", "1280 x 960 (1024x768 with border)")},
}};

}  // namespace chromaloom

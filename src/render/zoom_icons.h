// The 22 x 22 zoom icons: shown on the zoom buttons and in the corner of
// the preview's zoom selector.
#pragma once

#include <array>

#include "picture/raster.h"

namespace chromaloom {

constexpr int ZoomIconSize = 22;

Raster MakeZoomIcon(int zoomLevel);  // 1..4
// The icons of zoom levels 2, 3 and 4, as the zoom selector uses them.
std::array<Raster, 3> MakeSelectorIcons();

}  // namespace chromaloom

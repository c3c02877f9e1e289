#pragma once

namespace chromaloom {

constexpr int MinZoomLevel = 1;
constexpr int MaxZoomLevel = 4;
constexpr int MinSelectorSize = 8;
constexpr int MaxSelectorSize = 16;

// How the picture is looked at; the picture itself is never touched here.
struct ViewState {
  int ZoomLevel = 1;
  bool CharGridOn = false;
  bool PixelGridOn = false;
  int SelectorSize = 8;  // the Scale of zoom level 2, 3 or 4
  int SelectorColumn = 0;
  int SelectorRow = 0;

  // Editor image pixels per picture pixel.
  int Scale() const { return 4 * ZoomLevel; }
};

}  // namespace chromaloom

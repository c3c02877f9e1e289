// How strongly a pixel flickers: the luminance difference between its
// screen-0 and screen-1 colours, in three steps, and the tint the flicker
// map lays over the canvas for each.
#pragma once

#include <cstdint>

#include "picture/raster.h"
#include "picture/zx_colour.h"

namespace chromaloom {

enum class FlickerLevel { Calm, Visible, Strong };

// Rec. 601 luma of the 8-bit values, in thousandths (0 .. 255000).
constexpr int LumaMilli(Rgb c) { return 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c); }

// Thresholds on the luma difference, 0..255. Below 32 (about an eighth of
// the range) the eye barely sees the alternation: blue against black is 23,
// so it stays calm. From 96 on it shimmers at any viewing distance: green
// against black (119) and every pair across black and white. Between them
// lie the visible pairs, such as red on black (60) or a colour against its
// bright form (white 202 against bright white 254 is 52).
constexpr int VisibleFlickerLuma = 32;
constexpr int StrongFlickerLuma = 96;

constexpr FlickerLevel FlickerLevelOf(Rgb screen0, Rgb screen1) {
  const int d = LumaMilli(screen0) - LumaMilli(screen1);
  const int difference = d < 0 ? -d : d;
  if (difference >= StrongFlickerLuma * 1000) return FlickerLevel::Strong;
  if (difference >= VisibleFlickerLuma * 1000) return FlickerLevel::Visible;
  return FlickerLevel::Calm;
}

// Every pixel goes to the grey of its luma, so the picture stays readable
// while no colour of its own can pass for a tint; visible pixels then go
// half-way to amber and strong ones half-way to red.
constexpr Rgb FlickerTint(Rgb shown, FlickerLevel level) {
  const int grey = (LumaMilli(shown) + 500) / 1000;
  if (level == FlickerLevel::Calm) return MakeRgb(grey, grey, grey);
  const Rgb tint = level == FlickerLevel::Strong ? MakeRgb(255, 0, 0) : MakeRgb(255, 192, 0);
  return MakeRgb((grey + RedOf(tint) + 1) / 2, (grey + GreenOf(tint) + 1) / 2, (grey + BlueOf(tint) + 1) / 2);
}

// The pixels whose screens differ strongly, counted over two equal-sized rasters.
int CountStrongFlicker(const Raster& screen0, const Raster& screen1);

}  // namespace chromaloom

// The moving dashed outline of the selection and of the corrector cell.
#pragma once

#include <functional>

#include "picture/raster.h"

namespace chromaloom {

constexpr int AntsPeriod = 16;

// Dash strips long enough for the largest editor image: 8 white, 8 black.
struct AntsStrips {
  Raster H{4112, 1};  // AntsStripH
  Raster V{1, 3088};  // AntsStripV
  AntsStrips();
};

// Next phase of the 100 ms tick: 0, 4, 8, 12, then 0 again.
constexpr int NextAntsPhase(int phase) { return (phase + 4) % AntsPeriod; }

// A one-pixel outline of r whose dashes run clockwise as the phase grows.
// Pixels outside the surface are skipped.
void DrawMarchingAnts(Raster& surface, Rect r, int phase, const AntsStrips& strips);
// The same pixels, each handed to put.
void DrawMarchingAnts(const std::function<void(int x, int y, Rgb colour)>& put, Rect r, int phase,
                      const AntsStrips& strips);

}  // namespace chromaloom

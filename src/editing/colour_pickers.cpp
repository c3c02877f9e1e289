#include "editing/colour_pickers.h"

#include "picture/palette_images.h"
#include "picture/picture.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

constexpr int GradientWidth = 76;
constexpr int GradientHeight = 229;
constexpr int GradientSwatchSize = 9;
constexpr int MarkerInset = 4;
constexpr int MarkerSize = 8;
constexpr Rgb Black = MakeRgb(0, 0, 0);
constexpr Rgb White = MakeRgb(255, 255, 255);
// Alpha 0: the locator's background shows whatever lies behind the image.
constexpr Rgb Clear = 0;

// Swatch corners of the gradient locator, [screen-0 colour a][screen-1 colour b].
constexpr Point GradientCorners[ZxColourCount][ZxColourCount] = {
    {{47, 56},
     {2, 110},
     {11, 110},
     {2, 218},
     {11, 218},
     {2, 83},
     {11, 83},
     {2, 164},
     {11, 164},
     {2, 137},
     {11, 137},
     {2, 191},
     {11, 191},
     {2, 56},
     {11, 56}},
    {{2, 110},
     {20, 110},
     {29, 110},
     {2, 83},
     {11, 65},
     {20, 101},
     {29, 92},
     {2, 137},
     {11, 155},
     {20, 119},
     {29, 128},
     {2, 56},
     {65, 191},
     {56, 110},
     {29, 11}},
    {{11, 110},
     {29, 110},
     {38, 110},
     {11, 101},
     {11, 83},
     {29, 101},
     {38, 92},
     {11, 119},
     {11, 137},
     {29, 119},
     {38, 128},
     {65, 110},
     {11, 56},
     {47, 110},
     {38, 11}},
    {{2, 218},
     {2, 83},
     {11, 101},
     {20, 218},
     {29, 218},
     {20, 65},
     {29, 74},
     {2, 191},
     {11, 173},
     {2, 56},
     {65, 137},
     {20, 209},
     {29, 200},
     {56, 218},
     {29, 47}},
    {{11, 218},
     {11, 65},
     {11, 83},
     {29, 218},
     {38, 218},
     {29, 65},
     {38, 74},
     {11, 209},
     {11, 191},
     {65, 218},
     {11, 56},
     {29, 209},
     {38, 200},
     {47, 218},
     {38, 47}},
    {{2, 83},
     {20, 101},
     {29, 101},
     {20, 65},
     {29, 65},
     {20, 83},
     {29, 83},
     {2, 56},
     {65, 164},
     {56, 110},
     {47, 128},
     {56, 218},
     {47, 200},
     {56, 83},
     {29, 2}},
    {{11, 83},
     {29, 92},
     {38, 92},
     {29, 74},
     {38, 74},
     {29, 83},
     {38, 83},
     {65, 83},
     {11, 56},
     {47, 92},
     {38, 11},
     {47, 74},
     {38, 47},
     {47, 83},
     {38, 2}},
    {{2, 164},
     {2, 137},
     {11, 119},
     {2, 191},
     {11, 209},
     {2, 56},
     {65, 83},
     {20, 164},
     {29, 164},
     {20, 155},
     {29, 146},
     {20, 173},
     {29, 182},
     {56, 164},
     {29, 29}},
    {{11, 164},
     {11, 155},
     {11, 137},
     {11, 173},
     {11, 191},
     {65, 164},
     {11, 56},
     {29, 164},
     {38, 164},
     {29, 155},
     {38, 146},
     {29, 173},
     {38, 182},
     {47, 164},
     {38, 29}},
    {{2, 137},
     {20, 119},
     {29, 119},
     {2, 56},
     {65, 218},
     {56, 110},
     {47, 92},
     {20, 155},
     {29, 155},
     {20, 137},
     {29, 137},
     {56, 164},
     {47, 182},
     {56, 137},
     {29, 20}},
    {{11, 137},
     {29, 128},
     {38, 128},
     {65, 137},
     {11, 56},
     {47, 128},
     {38, 11},
     {29, 146},
     {38, 146},
     {29, 137},
     {38, 137},
     {47, 146},
     {38, 29},
     {47, 137},
     {38, 20}},
    {{2, 191},
     {2, 56},
     {65, 110},
     {20, 209},
     {29, 209},
     {56, 218},
     {47, 74},
     {20, 173},
     {29, 173},
     {56, 164},
     {47, 146},
     {20, 191},
     {29, 191},
     {56, 191},
     {29, 38}},
    {{11, 191},
     {65, 191},
     {11, 56},
     {29, 200},
     {38, 200},
     {47, 200},
     {38, 47},
     {29, 182},
     {38, 182},
     {47, 182},
     {38, 29},
     {29, 191},
     {38, 191},
     {47, 191},
     {38, 38}},
    {{2, 56},
     {56, 110},
     {47, 110},
     {56, 218},
     {47, 218},
     {56, 83},
     {47, 83},
     {56, 164},
     {47, 164},
     {56, 137},
     {47, 137},
     {56, 191},
     {47, 191},
     {20, 56},
     {29, 56}},
    {{11, 56},
     {29, 11},
     {38, 11},
     {29, 47},
     {38, 47},
     {29, 2},
     {38, 2},
     {29, 29},
     {38, 29},
     {29, 20},
     {38, 20},
     {29, 38},
     {38, 38},
     {29, 56},
     {38, 56}},
};

void DrawFullPaletteMarkers(Raster& full, const ColourSet& c) {
  DrawMarker(full, c.PAP0, c.PAP1);
  DrawMarker(full, c.PAP0, c.INK1);
  DrawMarker(full, c.INK0, c.PAP1);
  DrawMarker(full, c.INK0, c.INK1);
}

void FillBlinkCells(PickerImages& images, Rgb colour) {
  for (const Point cell : images.Blink.Cells) images.Full.FillRect({cell.X, cell.Y, SwatchSize, SwatchSize}, colour);
}

// Sets PAPER (bit 0) or INK (bit 1) of one screen; the other colour of that
// screen follows its brightness.
void SetScreenColour(ColourSet& colours, int screen, int bit, ZxColour colour) {
  ZxColour& paper = screen == 0 ? colours.PAP0 : colours.PAP1;
  ZxColour& ink = screen == 0 ? colours.INK0 : colours.INK1;
  if (bit == 0) {
    paper = colour;
    MatchBrightness(ink, paper);
  } else {
    ink = colour;
    MatchBrightness(paper, ink);
  }
}

// The locator's levels are nudged off the palette's so the two images never
// share an exact colour; black is drawn as (1, 2, 3).
int GradientLevel(int level) {
  switch (level) {
    case 115:
      return 117;
    case 157:
      return 158;
    case 202:
      return 204;
    case 230:
      return 232;
    default:
      return level;
  }
}

Rgb GradientColour(Rgb mixed) {
  if (mixed == Black) return MakeRgb(1, 2, 3);
  return MakeRgb(GradientLevel(RedOf(mixed)), GradientLevel(GreenOf(mixed)), GradientLevel(BlueOf(mixed)));
}

bool InSwatch(Point corner, int x, int y) {
  return x >= corner.X && x < corner.X + GradientSwatchSize && y >= corner.Y && y < corner.Y + GradientSwatchSize;
}

}  // namespace

void DrawMarker(Raster& image, int column, int row) {
  const int x = column * SwatchSize + MarkerInset;
  const int y = row * SwatchSize + MarkerInset;
  image.FillRect({x, y, MarkerSize, MarkerSize}, Black);
  image.FillRect({x + 1, y + 1, MarkerSize - 2, MarkerSize - 2}, White);
}

Point GradientSwatchCorner(int a, int b) {
  // Off the image, so no click finds a pair outside the colour range.
  if (!IsValidZxColour(a) || !IsValidZxColour(b)) return {-GradientSwatchSize, -GradientSwatchSize};
  return GradientCorners[a][b];
}

Raster MakeGradientImage(const MixedColourTableType& table) {
  Raster image(GradientWidth, GradientHeight, Clear);
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Point corner = GradientCorners[a][b];
      image.FillRect({corner.X, corner.Y, GradientSwatchSize, GradientSwatchSize}, GradientColour(table[a][b]));
    }
  return image;
}

// The start-up look: all current colours black, border choice (0, 0).
PickerImages::PickerImages()
    : Full(MakeFullPaletteImage()),
      Border(MakeBorderPaletteImage()),
      Gradient(MakeGradientImage()),
      CleanFull(Full),
      CleanBorder(Border) {
  for (Raster& strip : Strips) {
    strip = CleanZxStrip();
    DrawMarker(strip, 0, 0);
  }
  DrawFullPaletteMarkers(Full, ColourSet{});
  DrawMarker(Border, 0, 0);
}

Rgb SelectedCharColourRgb(const Pickers& pickers, const MixingProfile& mixing) {
  const ColourSet& c = pickers.CurrentColours;
  const ZxColour screen0 = pickers.ScreenBit(0) != 0 ? c.INK0 : c.PAP0;
  const ZxColour screen1 = pickers.ScreenBit(1) != 0 ? c.INK1 : c.PAP1;
  return mixing.Mix(screen0, screen1);
}

void ShowMixing(PickerImages& images, const MixingProfile& mixing, const ColourSet& colours, BorderChoice border) {
  images.Blink.Running = false;
  images.CleanFull = MakeFullPaletteImage(mixing.Table);
  images.CleanBorder = MakeBorderPaletteImage(mixing.Table);
  images.Gradient = MakeGradientImage(mixing.Table);
  RefreshColourPickers(images, colours);
  RefreshBorderPicker(images, border);
}

void RefreshColourPickers(PickerImages& images, const ColourSet& c) {
  const ZxColour stripColours[4] = {c.PAP0, c.INK0, c.PAP1, c.INK1};
  for (int i = 0; i < 4; ++i) {
    Raster& strip = images.Strips[static_cast<std::size_t>(i)];
    strip = CleanZxStrip();
    DrawMarker(strip, stripColours[i], 0);
  }
  images.Full = images.CleanFull;
  DrawFullPaletteMarkers(images.Full, c);
}

void RefreshBorderPicker(PickerImages& images, BorderChoice choice) {
  images.Border = images.CleanBorder;
  DrawMarker(images.Border, choice.Column, choice.Row);
}

void PickFullPalette(Pickers& pickers, PickerImages& images, int x, int y) {
  const int size = ZxColourCount * SwatchSize;
  if (x < 0 || y < 0 || x >= size || y >= size) return;
  pickers.LastPaintedSpot = {};
  const int k = pickers.SelectedCharColour;
  SetScreenColour(pickers.CurrentColours, 0, (k >> 1) & 1, static_cast<ZxColour>(x / SwatchSize));
  SetScreenColour(pickers.CurrentColours, 1, k & 1, static_cast<ZxColour>(y / SwatchSize));
  RefreshColourPickers(images, pickers.CurrentColours);
}

void PickStrip(Pickers& pickers, PickerImages& images, StripKind strip, int x) {
  const int index = static_cast<int>(strip);
  if (index < 0 || index > 3) return;
  if (x < 0 || x >= ZxColourCount * SwatchSize) return;
  pickers.LastPaintedSpot = {};
  // Strips run PAP0, INK0, PAP1, INK1: screen in the high bit, PAPER/INK in the low.
  SetScreenColour(pickers.CurrentColours, index / 2, index % 2, static_cast<ZxColour>(x / SwatchSize));
  RefreshColourPickers(images, pickers.CurrentColours);
}

void SetCharColour(Pickers& pickers, int k) {
  if (k < 0 || k > 3) return;
  pickers.SelectedCharColour = k;
  pickers.LastPaintedSpot = {};
}

void ApplyCharBits(Pickers& pickers, int screen, int bit) {
  if ((screen != 0 && screen != 1) || (bit != 0 && bit != 1)) return;
  int& k = pickers.SelectedCharColour;
  const int bit0 = screen == 0 ? bit : (k >> 1) & 1;
  const int bit1 = screen == 1 ? bit : k & 1;
  k = 2 * bit0 + bit1;
}

void SelectBorder(Document& document, PickerImages& images, int column, int row) {
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Border"));
  const bool taken = change.SetBorderChoice(column, row);
  change.Commit();
  if (taken) RefreshBorderPicker(images, document.Picture().Border);
}

void PickBorder(Document& document, PickerImages& images, int x, int y) {
  if (x < 0 || y < 0) return;
  SelectBorder(document, images, x / SwatchSize, y / SwatchSize);
}

bool LocateGradientColour(PickerImages& images, const ColourSet& colours, int x, int y) {
  BlinkState& blink = images.Blink;
  if (blink.Running) {
    blink.Running = false;
    FillBlinkCells(images, blink.RestoreColour);
    DrawFullPaletteMarkers(images.Full, colours);
  }
  blink.Cells.clear();
  blink.Countdown = 20;
  int firstA = -1;
  int firstB = -1;
  for (int b = 0; b < ZxColourCount; ++b)
    for (int a = 0; a < ZxColourCount; ++a) {
      if (!InSwatch(GradientCorners[a][b], x, y)) continue;
      if (blink.Cells.empty()) {
        firstA = a;
        firstB = b;
      }
      blink.Cells.push_back({a * SwatchSize, b * SwatchSize});
    }
  if (!blink.Cells.empty()) {
    blink.RestoreColour = images.CleanFull.At(firstA * SwatchSize, firstB * SwatchSize);
    blink.Running = true;
  }
  return blink.Running;
}

bool LocatorBlinkTick(PickerImages& images, const ColourSet& colours) {
  BlinkState& blink = images.Blink;
  if (!blink.Running || blink.Countdown <= 0) {
    blink.Running = false;
    return false;
  }
  FillBlinkCells(images, blink.Countdown % 2 == 0 ? White : blink.RestoreColour);
  DrawFullPaletteMarkers(images.Full, colours);
  --blink.Countdown;
  return true;
}

}  // namespace chromaloom

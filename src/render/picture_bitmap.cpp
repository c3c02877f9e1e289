#include "render/picture_bitmap.h"

#include <stdexcept>
#include <string>

namespace chromaloom {

namespace {

void CheckScreen(int screen) {
  if (screen != 0 && screen != 1) throw std::invalid_argument("screen " + std::to_string(screen) + " is not 0 or 1");
}

// 256 x 192 at (dx, dy) of out; colours(a0, a1) gives a cell's four colours
// in colour-index order k = 2*bit0 + bit1.
template <typename CellColours>
void RenderPicture(const Picture& picture, CellColours colours, Raster& out, int dx, int dy) {
  for (int col = 0; col < ByteColumns; ++col) {
    for (int y = 0; y < PictureHeight; ++y) {
      const int cellLine = picture.AttrLineOf(col, y);
      const CharPalette palette = colours(picture.AttrAt(0, col, cellLine), picture.AttrAt(1, col, cellLine));
      const int bits0 = picture.Pixels[0].At(col, y);
      const int bits1 = picture.Pixels[1].At(col, y);
      Rgb* row = out.Row(dy + y) + dx + col * 8;
      for (int p = 0; p < 8; ++p) row[p] = palette[2 * ((bits0 >> (7 - p)) & 1) + ((bits1 >> (7 - p)) & 1)];
    }
  }
}

void RenderMixed(const Picture& picture, const MixingProfile& mixing, Raster& out, int dx, int dy) {
  RenderPicture(
      picture,
      [&mixing](const AttrEntry& a0, const AttrEntry& a1) {
        return MakeCharPalette(a0.Paper, a0.Ink, a1.Paper, a1.Ink, mixing.Table);
      },
      out, dx, dy);
}

}  // namespace

Raster RenderMixedPicture(const Picture& picture, const MixingProfile& mixing) {
  Raster mixed(PictureWidth, PictureHeight);
  RenderMixed(picture, mixing, mixed, 0, 0);
  return mixed;
}

Raster RenderFramedMixed(const Picture& picture, const MixingProfile& mixing) {
  Raster framed(FramedScreenWidth, FramedScreenHeight, mixing.BorderColour(picture));
  RenderMixed(picture, mixing, framed, ScreenBorderWidth, ScreenBorderHeight);
  return framed;
}

Raster BuildBitmap(const Raster& mixedRaster, Rgb borderColour, int sizeIndex) {
  if (sizeIndex < 0 || sizeIndex >= static_cast<int>(BitmapSizes.size()))
    throw std::invalid_argument("bitmap size index " + std::to_string(sizeIndex) + " is not 0..8");
  if (mixedRaster.Width() != PictureWidth || mixedRaster.Height() != PictureHeight)
    throw std::invalid_argument("the mixed raster must be 256 x 192");

  const BitmapSize& size = BitmapSizes[sizeIndex];
  Raster image(size.W + 2 * size.X, size.H + 2 * size.Y, borderColour);
  image.ScaleFrom(mixedRaster, size.W / PictureWidth, size.H / PictureHeight, size.X, size.Y);
  return image;
}

Raster RenderBitmap(const Picture& picture, int sizeIndex, const MixingProfile& mixing) {
  return BuildBitmap(RenderMixedPicture(picture, mixing), mixing.BorderColour(picture), sizeIndex);
}

Rgb ScreenBorderColour(const Picture& picture, int screen) {
  CheckScreen(screen);
  const BorderPair pair = picture.GetBorderPair();
  return ZxRgb(BorderColourIndex(screen == 0 ? pair.Screen0 : pair.Screen1));
}

namespace {

// Screen 0 or 1 alone at (dx, dy) of out: only this screen's bit of the colour index counts.
void RenderScreen(const Picture& picture, int screen, Raster& out, int dx, int dy) {
  const auto colours = [screen](const AttrEntry& a0, const AttrEntry& a1) {
    const Rgb paper0 = ZxRgb(a0.Paper), ink0 = ZxRgb(a0.Ink), paper1 = ZxRgb(a1.Paper), ink1 = ZxRgb(a1.Ink);
    return screen == 0 ? CharPalette{paper0, paper0, ink0, ink0} : CharPalette{paper1, ink1, paper1, ink1};
  };
  RenderPicture(picture, colours, out, dx, dy);
}

}  // namespace

Raster RenderFramedScreen(const Picture& picture, int screen) {
  Raster framed(FramedScreenWidth, FramedScreenHeight, ScreenBorderColour(picture, screen));
  RenderScreen(picture, screen, framed, ScreenBorderWidth, ScreenBorderHeight);
  return framed;
}

std::array<Raster, 2> RenderScreenBitmaps(const Picture& picture, int sizeIndex) {
  std::array<Raster, 2> frames;
  Raster alone(PictureWidth, PictureHeight);
  for (int screen = 0; screen < 2; ++screen) {
    RenderScreen(picture, screen, alone, 0, 0);
    frames[static_cast<std::size_t>(screen)] = BuildBitmap(alone, ScreenBorderColour(picture, screen), sizeIndex);
  }
  return frames;
}

}  // namespace chromaloom

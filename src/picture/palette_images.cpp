#include "picture/palette_images.h"

#include "picture/picture.h"

namespace chromaloom {

namespace {
void FillSwatch(Raster& image, int column, int row, Rgb colour) {
  image.FillRect({column * SwatchSize, row * SwatchSize, SwatchSize, SwatchSize}, colour);
}
}  // namespace

Raster MakeZxStripImage() {
  Raster image(ZxColourCount * SwatchSize, SwatchSize);
  for (int c = 0; c < ZxColourCount; ++c) FillSwatch(image, c, 0, ZxRgb(static_cast<ZxColour>(c)));
  return image;
}

Raster MakeFullPaletteImage() {
  Raster image(ZxColourCount * SwatchSize, ZxColourCount * SwatchSize);
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) FillSwatch(image, a, b, MixedColourTable[a][b]);
  return image;
}

Raster MakeBorderPaletteImage() {
  Raster image(BorderColumns * SwatchSize, BorderRows * SwatchSize);
  for (int i = 0; i < BorderColumns; ++i)
    for (int j = 0; j < BorderRows; ++j) {
      const BorderPair pair = BorderPairTable[i][j];
      FillSwatch(image, i, j, BorderRgb(pair.Screen0, pair.Screen1));
    }
  return image;
}

const Raster& CleanZxStrip() {
  static const Raster image = MakeZxStripImage();
  return image;
}

const Raster& CleanFullPalette() {
  static const Raster image = MakeFullPaletteImage();
  return image;
}

const Raster& CleanBorderPalette() {
  static const Raster image = MakeBorderPaletteImage();
  return image;
}

}  // namespace chromaloom

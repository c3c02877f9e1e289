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

Raster MakeFullPaletteImage(const MixedColourTableType& table) {
  Raster image(ZxColourCount * SwatchSize, ZxColourCount * SwatchSize);
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) FillSwatch(image, a, b, table[a][b]);
  return image;
}

Raster MakeBorderPaletteImage(const MixedColourTableType& table) {
  Raster image(BorderColumns * SwatchSize, BorderRows * SwatchSize);
  for (int i = 0; i < BorderColumns; ++i)
    for (int j = 0; j < BorderRows; ++j) {
      const BorderPair pair = BorderPairTable[i][j];
      FillSwatch(image, i, j, BorderRgb(pair.Screen0, pair.Screen1, table));
    }
  return image;
}

const Raster& CleanZxStrip() {
  static const Raster image = MakeZxStripImage();
  return image;
}

}  // namespace chromaloom

#include "render/picture_bitmap.h"

#include "formats/bmp_format.h"

namespace chromaloom {

Raster RenderMixedPicture(const Picture& picture, const MixingProfile& mixing) {
  Raster mixed(PictureWidth, PictureHeight);
  for (int col = 0; col < ByteColumns; ++col) {
    for (int y = 0; y < PictureHeight; ++y) {
      const int cellLine = picture.AttrLineOf(col, y);
      const AttrEntry& a0 = picture.AttrAt(0, col, cellLine);
      const AttrEntry& a1 = picture.AttrAt(1, col, cellLine);
      const CharPalette palette = MakeCharPalette(a0.Paper, a0.Ink, a1.Paper, a1.Ink, mixing.Table);
      const int bits0 = picture.Pixels[0].At(col, y);
      const int bits1 = picture.Pixels[1].At(col, y);
      Rgb* row = mixed.Row(y) + col * 8;
      for (int p = 0; p < 8; ++p) row[p] = palette[2 * ((bits0 >> (7 - p)) & 1) + ((bits1 >> (7 - p)) & 1)];
    }
  }
  return mixed;
}

Raster RenderBitmap(const Picture& picture, int sizeIndex, const MixingProfile& mixing) {
  return BuildBitmap(RenderMixedPicture(picture, mixing), mixing.BorderColour(picture), sizeIndex);
}

}  // namespace chromaloom

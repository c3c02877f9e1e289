// Shared checks of the clipboard and transform tests.
#pragma once

#include "editing/editing_fixture.h"

namespace chromaloom::test_support {

inline const Planes& PlanesOf(const Picture& p) { return p; }

// The mixed raster is a full render of the picture as it is now.
inline bool ShowsItsPicture(const EditingFixture& fx) {
  View fresh(fx.Doc.Picture());
  fresh.Render.Redraw(true);
  return fx.Display.Render.MixedRaster == fresh.Render.MixedRaster;
}

inline void SetRectangle(CellSelection& s, int left, int top, int width, int height) {
  s.Left = left;
  s.Top = top;
  s.Width = width;
  s.Height = height;
}

// Byte columns and pixel lines, both ends included.
struct Box {
  int FirstCol = 0, LastCol = -1, FirstLine = 0, LastLine = -1;
  bool Contains(int col, int line) const {
    return col >= FirstCol && col <= LastCol && line >= FirstLine && line <= LastLine;
  }
};

// Places outside the box whose pixel byte or attribute entry differs on either screen.
inline int ChangesOutside(const Planes& a, const Planes& b, Box box) {
  int changes = 0;
  for (int col = 0; col < ByteColumns; ++col)
    for (int line = 0; line < PictureHeight; ++line)
      for (int s = 0; s < 2; ++s)
        if (!box.Contains(col, line) && (a.Pixels[s].At(col, line) != b.Pixels[s].At(col, line) ||
                                         !(a.Attrs[s].At(col, line) == b.Attrs[s].At(col, line))))
          ++changes;
  return changes;
}

// A pixel as (screen 0 bit, screen 1 bit).
inline int PairAt(const Planes& p, int x, int y) {
  return ((p.Pixels[0].At(x / 8, y) & PixelMask(x)) ? 1 : 0) | ((p.Pixels[1].At(x / 8, y) & PixelMask(x)) ? 2 : 0);
}

}  // namespace chromaloom::test_support

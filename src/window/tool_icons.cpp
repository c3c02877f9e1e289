#include "window/tool_icons.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "editing/pixel_font.h"
#include "picture/zx_colour.h"
#include "render/zoom_icons.h"
#include "window/image_view.h"

namespace chromaloom {

namespace {

constexpr int IconSize = 22;

QColor Zx(ZxColour c) { return QColor::fromRgb(ZxRgb(c)); }
QColor Mix(ZxColour a, ZxColour b) { return QColor::fromRgb(MixColours(a, b)); }
QColor Grey(int level) { return QColor(level, level, level); }

// ZX colour indices: 2n-1 normal, 2n bright.
constexpr ZxColour Black = 0, Blue = 1, Red = 3, Magenta = 5, Green = 7, Cyan = 9, Yellow = 11, White = 13;
constexpr ZxColour Bright(ZxColour normal) { return static_cast<ZxColour>(normal + 1); }

const QColor Ink = Grey(0);
const QColor Dark = Grey(64);

// Pixel-exact drawing on a transparent image; every shape is whole pixels.
class Canvas {
 public:
  Canvas(int w, int h) : image_(w, h, QImage::Format_ARGB32) {
    image_.fill(Qt::transparent);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
  }

  void Fill(int x, int y, int w, int h, const QColor& c) { painter_.fillRect(x, y, w, h, c); }
  void Dot(int x, int y, const QColor& c) { Fill(x, y, 1, 1, c); }

  // Makes an area transparent again, so a shape in front hides one behind.
  void Clear(int x, int y, int w, int h) {
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.fillRect(x, y, w, h, Qt::transparent);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }

  void Frame(int x, int y, int w, int h, const QColor& c, int t = 1) {
    Fill(x, y, w, t, c);
    Fill(x, y + h - t, w, t, c);
    Fill(x, y, t, h, c);
    Fill(x + w - t, y, t, h, c);
  }

  // Bresenham, both end points included.
  void Line(int x0, int y0, int x1, int y1, const QColor& c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      Dot(x0, y0, c);
      if (x0 == x1 && y0 == y1) break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  }

  // Rows of characters; each character is looked up in the key, others are skipped.
  void Art(int x, int y, std::initializer_list<const char*> rows, std::initializer_list<std::pair<char, QColor>> key) {
    int row = y;
    for (const char* line : rows) {
      for (int col = 0; line[col] != '\0'; ++col)
        for (const auto& [ch, colour] : key)
          if (line[col] == ch) Dot(x + col, row, colour);
      ++row;
    }
  }

  QPixmap Take() {
    painter_.end();
    return QPixmap::fromImage(image_);
  }

 private:
  QImage image_;
  QPainter painter_;
};

// A tiny landscape: sky, sun, hill. Shared by the two preview icons.
void DrawLandscape(Canvas& c, int x, int y, int w, int h) {
  c.Fill(x, y, w, h, Zx(Bright(Cyan)));
  c.Fill(x + w - 5, y + 1, 3, 3, Zx(Bright(Yellow)));
  const int hillTop = y + h / 2;
  for (int col = 0; col < w; ++col) {
    const int rise = std::abs(col - w / 3) / 2;
    c.Fill(x + col, hillTop + rise, 1, y + h - hillTop - rise, Zx(Green));
  }
}

}  // namespace

QPixmap ZoomIcon(int level) {
  const Raster icon = MakeZoomIcon(level);
  return QPixmap::fromImage(WrapRaster(icon).copy());
}

namespace {

// A white square crossed by blue lines every step pixels.
void DrawGrid(Canvas& c, int step) {
  for (int i = 1; i <= 19; i += step) {
    c.Fill(i, 1, 1, 19, Zx(Blue));
    c.Fill(1, i, 19, 1, Zx(Blue));
  }
}

}  // namespace

QPixmap CharGridIcon() {
  Canvas c(IconSize, IconSize);
  c.Fill(1, 1, 19, 19, Zx(Bright(White)));
  DrawGrid(c, 9);
  return c.Take();
}

QPixmap PixelGridIcon() {
  Canvas c(IconSize, IconSize);
  c.Fill(1, 1, 19, 19, Zx(Bright(White)));
  // A few set pixels, each a 2 x 2 cell between the lines.
  static constexpr int Cells[][2] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {1, 4}, {4, 1}};
  for (const auto& cell : Cells) c.Fill(2 + 3 * cell[0], 2 + 3 * cell[1], 2, 2, Ink);
  DrawGrid(c, 3);
  return c.Take();
}

QPixmap PaletteIcon() {
  Canvas c(IconSize, IconSize);
  const QColor swatches[16] = {
      Zx(Black),
      Zx(Blue),
      Zx(Red),
      Zx(Magenta),
      Zx(Green),
      Zx(Cyan),
      Zx(Yellow),
      Zx(White),
      Mix(Blue, Red),
      Mix(Red, Yellow),
      Mix(Green, Blue),
      Mix(Black, Bright(Red)),
      Mix(Black, Cyan),
      Mix(Yellow, White),
      Mix(Magenta, Green),
      Mix(Black, Bright(White)),
  };
  c.Fill(1, 1, 21, 21, Ink);
  for (int i = 0; i < 16; ++i) c.Fill(2 + 5 * (i % 4), 2 + 5 * (i / 4), 4, 4, swatches[i]);
  return c.Take();
}

QPixmap BorderPaletteIcon() {
  Canvas c(IconSize, IconSize);
  // A screen framed by a border striped through the seven ZX colours.
  static constexpr ZxColour Stripes[7] = {Blue, Red, Magenta, Green, Cyan, Yellow, White};
  for (int i = 0; i < 7; ++i) c.Fill(2, 4 + 2 * i, 18, 2, Zx(Bright(Stripes[i])));
  c.Frame(1, 3, 20, 16, Ink);
  c.Fill(6, 8, 10, 6, Ink);
  return c.Take();
}

QPixmap PreviewIcon() {
  Canvas c(IconSize, IconSize);
  // A small monitor showing a picture.
  c.Fill(1, 2, 20, 15, Dark);
  c.Frame(1, 2, 20, 15, Ink);
  DrawLandscape(c, 3, 4, 16, 11);
  c.Fill(9, 17, 4, 2, Dark);
  c.Fill(6, 19, 10, 2, Dark);
  c.Fill(6, 20, 10, 1, Ink);
  return c.Take();
}

QPixmap MagnifierIcon() {
  Canvas c(IconSize, IconSize);
  DrawLandscape(c, 1, 1, 16, 12);
  c.Frame(0, 0, 18, 14, Ink);
  // A lens over the picture's corner showing big pixels.
  const int cx = 13, cy = 13;
  for (int y = 0; y < IconSize; ++y)
    for (int x = 0; x < IconSize; ++x) {
      const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 <= 16)
        c.Dot(x, y, ((x - cx + 8) / 3 + (y - cy + 8) / 3) % 2 == 0 ? Zx(Green) : Zx(Bright(Cyan)));
      else if (d2 <= 30)
        c.Dot(x, y, Ink);
    }
  for (int i = 17; i <= 21; ++i) c.Fill(i - 1, i, 2, 1, Zx(Red));
  return c.Take();
}

QPixmap PencilIcon() {
  Canvas c(IconSize, IconSize);
  // Along the pencil s = x - y runs from the tip (-17) to the end (17);
  // across it d = x + y - 21 runs from -3 to 3.
  for (int y = 0; y < IconSize; ++y)
    for (int x = 0; x < IconSize; ++x) {
      const int s = x - y, d = x + y - 21;
      const int across = std::abs(d);
      if (s < -17 || s > 17 || across > 3) continue;
      QColor colour;
      if (s < -10) {  // sharpened tip
        const int half = (s + 17) / 2;
        if (across > half) continue;
        colour = s <= -15 ? Ink : (across == half ? Dark : QColor(230, 190, 130));
      } else if (across == 3 || s == 17) {
        colour = Ink;
      } else if (s >= 11) {
        colour = QColor(240, 140, 160);  // rubber
      } else if (s >= 8) {
        colour = d < 0 ? Grey(230) : Grey(150);  // metal band
      } else {
        colour = d < 0 ? Zx(Bright(Yellow)) : (d == 0 ? Zx(Yellow) : QColor(160, 140, 0));
      }
      c.Dot(x, y, colour);
    }
  return c.Take();
}

QPixmap LineIcon() {
  Canvas c(IconSize, IconSize);
  c.Line(3, 18, 18, 3, Ink);
  c.Line(4, 18, 18, 4, Ink);
  c.Fill(1, 17, 4, 4, Zx(Bright(Red)));
  c.Fill(17, 1, 4, 4, Zx(Bright(Red)));
  return c.Take();
}

QPixmap RectIcon() {
  Canvas c(IconSize, IconSize);
  c.Frame(2, 4, 18, 14, Ink, 2);
  return c.Take();
}

QPixmap FillCellIcon() {
  Canvas c(IconSize, IconSize);
  // A bucket pouring paint into one 8 x 8 cell.
  c.Frame(12, 12, 10, 10, Ink);
  c.Fill(13, 13, 8, 8, Zx(Bright(Red)));
  c.Art(0, 1,
        {
            "....####......",
            "...#....#.....",
            "..#......#....",
            ".############.",
            ".#rrrrrrrrrr#r",
            ".#lggggggggd#r",
            "..#lgggggd#..r",
            "..#lgggggd#..r",
            "..#lgggggd#..r",
            "...#lgggd#...r",
            "...#######...r",
        },
        {{'#', Ink}, {'r', Zx(Bright(Red))}, {'g', Grey(170)}, {'l', Grey(230)}, {'d', Grey(110)}});
  return c.Take();
}

QPixmap SelectIcon() {
  Canvas c(IconSize, IconSize);
  // A dashed outline: 3 pixels on, 2 off, walking round the rectangle.
  const int x0 = 2, y0 = 4, x1 = 19, y1 = 17;
  int step = 0;
  auto dash = [&](int x, int y) {
    if (step++ % 5 < 3) c.Dot(x, y, Ink);
  };
  for (int x = x0; x < x1; ++x) dash(x, y0);
  for (int y = y0; y < y1; ++y) dash(x1, y);
  for (int x = x1; x > x0; --x) dash(x, y1);
  for (int y = y1; y > y0; --y) dash(x0, y);
  return c.Take();
}

QPixmap FitIcon() {
  Canvas c(IconSize, IconSize);
  // A picture held by the four corners of the window it fits.
  for (const auto& [x, y, dx, dy] : {std::array{1, 2, 1, 1}, {20, 2, -1, 1}, {1, 19, 1, -1}, {20, 19, -1, -1}}) {
    c.Fill(std::min(x, x + 4 * dx), y, 5, 1, Ink);
    c.Fill(x, std::min(y, y + 4 * dy), 1, 5, Ink);
  }
  c.Fill(5, 6, 12, 10, Zx(Bright(Cyan)));
  c.Fill(5, 12, 12, 4, Zx(Green));
  c.Frame(5, 6, 12, 10, Dark);
  return c.Take();
}

QPixmap EllipseIcon() {
  Canvas c(IconSize, IconSize);
  // A two-pixel ring between two ellipses, tested at pixel centres.
  const double cx = 11.0, cy = 11.0;
  auto inside = [&](double px, double py, double a, double b) {
    const double u = (px - cx) / a, v = (py - cy) / b;
    return u * u + v * v <= 1.0;
  };
  for (int y = 0; y < IconSize; ++y)
    for (int x = 0; x < IconSize; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (inside(px, py, 10.0, 7.0) && !inside(px, py, 8.0, 5.0)) c.Dot(x, y, Ink);
    }
  return c.Take();
}

QPixmap FloodFillIcon() {
  Canvas c(IconSize, IconSize);
  // A bucket tipped over at 45 degrees; along its axis s = x + y runs from the
  // base (7) to the mouth (20), across it d = x - y, and it widens towards the mouth.
  constexpr int base = 7, mouth = 20;
  auto inside = [](int x, int y) {
    const int s = x + y, d = x - y;
    return s >= base && s <= mouth && std::abs(d) <= 4 + (s - base) / 4;
  };
  for (int y = 0; y < IconSize; ++y)
    for (int x = 0; x < IconSize; ++x) {
      if (!inside(x, y)) continue;
      const int s = x + y, d = x - y;
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      if (edge)
        c.Dot(x, y, Ink);
      else if (s >= mouth - 2)
        c.Dot(x, y, Zx(Bright(Red)));  // the paint seen in the mouth
      else
        c.Dot(x, y, d > 1 ? Grey(230) : (d < -1 ? Grey(110) : Grey(170)));
    }
  // The paint runs off the lower lip and spreads into a pool.
  c.Fill(6, 14, 2, 4, Zx(Bright(Red)));
  c.Art(1, 18,
        {
            "....rrrrrrrrrr....",
            ".rrrrrrrrrrrrrrrr.",
            "rrrrrrrrrrrrrrrrrr",
        },
        {{'r', Zx(Bright(Red))}});
  return c.Take();
}

QPixmap TextIcon() {
  Canvas c(IconSize, IconSize);
  // The text tool's own built-in A, each pixel drawn 2 x 2.
  const Glyph& a = BuiltinGlyph(U'A');
  for (int row = 0; row < 8; ++row)
    for (int b = 0; b < 8; ++b)
      if (a[static_cast<std::size_t>(row)] & (0x80 >> b)) c.Fill(3 + 2 * b, 4 + 2 * row, 2, 2, Ink);
  return c.Take();
}

QPixmap FilledShapesIcon() {
  Canvas c(IconSize, IconSize);
  // A solid ellipse behind a solid rectangle; a clear gap keeps the two apart.
  const double cx = 13.0, cy = 8.5, a = 8.0, b = 6.5;
  for (int y = 0; y < IconSize; ++y)
    for (int x = 0; x < IconSize; ++x) {
      const double u = (x + 0.5 - cx) / a, v = (y + 0.5 - cy) / b;
      if (u * u + v * v <= 1.0) c.Dot(x, y, Ink);
    }
  c.Clear(0, 9, 14, 12);
  c.Fill(1, 10, 12, 10, Ink);
  return c.Take();
}

namespace {

// A round dot of the given diameter; the squared radius is cut a little so
// small dots keep their corners off.
void DrawDisc(Canvas& c, int x, int y, int size, const QColor& colour) {
  const double half = size / 2.0, limit = half * half - 0.5;
  for (int j = 0; j < size; ++j)
    for (int i = 0; i < size; ++i) {
      const double u = i + 0.5 - half, v = j + 0.5 - half;
      if (u * u + v * v <= limit) c.Dot(x + i, y + j, colour);
    }
}

}  // namespace

QPixmap BrushIcon() {
  Canvas c(IconSize, IconSize);
  // Square dots growing along the top row, round ones along the bottom.
  int x = 2;
  for (int size : {1, 2, 4, 6}) {
    c.Fill(x, 9 - size, size, size, Ink);
    x += size + 2;
  }
  x = 2;
  for (int size : {3, 5, 7}) {
    DrawDisc(c, x, 19 - size, size, Ink);
    x += size + 2;
  }
  return c.Take();
}

QPixmap PatternIcon() {
  Canvas c(IconSize, IconSize);
  // A swatch of a two-pixel checkerboard.
  c.Fill(2, 2, 18, 18, Zx(Bright(White)));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x + y) % 2 == 0) c.Fill(3 + 2 * x, 3 + 2 * y, 2, 2, Ink);
  c.Frame(2, 2, 18, 18, Ink);
  return c.Take();
}

QPixmap FreeColourIcon(Rgb colour) {
  Canvas c(IconSize, IconSize);
  // The colour in a frame of four colours: any colour, not one of four entries.
  c.Fill(1, 1, 10, 10, Zx(Bright(Red)));
  c.Fill(11, 1, 10, 10, Zx(Bright(Green)));
  c.Fill(1, 11, 10, 10, Zx(Bright(Blue)));
  c.Fill(11, 11, 10, 10, Zx(Bright(Yellow)));
  c.Fill(5, 5, 12, 12, QColor::fromRgb(colour));
  c.Frame(5, 5, 12, 12, Ink);
  return c.Take();
}

QPixmap ConvertBrushIcon() {
  Canvas c(IconSize, IconSize);
  // A smooth blend above, the same blend in two-colour cells below.
  for (int x = 0; x < 18; ++x) {
    const int level = 40 + x * 12;
    c.Fill(2 + x, 2, 1, 8, QColor(level, 80, 255 - level));
  }
  for (int cell = 0; cell < 3; ++cell)
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool ink = (x + y) % 2 == 0 && (x + 6 * cell) * 2 > 6 + y;
        c.Dot(2 + 6 * cell + x, 12 + y, ink ? Zx(Bright(Red)) : Zx(Blue));
      }
  c.Frame(1, 1, 20, 20, Ink);
  return c.Take();
}

QPixmap SymmetryIcon() {
  Canvas c(IconSize, IconSize);
  // A dashed axis down the middle, a triangle on one side and its mirror image on the other.
  for (int y = 2; y < 20; y += 4) c.Fill(10, y, 2, 2, Ink);
  for (int y = 4; y <= 17; ++y) {
    const int w = (y - 4) / 2 + 1;
    c.Fill(9 - w, y, w, 1, Ink);
    c.Fill(13, y, w, 1, Ink);
  }
  return c.Take();
}

QPixmap ResizeIcon(bool maximise) {
  Canvas c(16, 13);
  // A window outline with a thick title bar.
  auto window = [&c](int x, int y, int w, int h) {
    c.Clear(x, y, w, h);
    c.Frame(x, y, w, h, Ink);
    c.Fill(x, y, w, 2, Ink);
  };
  if (maximise) {
    window(2, 1, 12, 11);
  } else {
    window(6, 1, 9, 8);
    window(2, 4, 9, 8);
  }
  return c.Take();
}

QIcon ProgramIcon() {
  // Two screens overlapping; where they overlap the eye sees their mix.
  auto make = [](int size) {
    Canvas c(size, size);
    const int side = size * 5 / 8, off = size - side - size / 16;
    const int a = size / 16;
    const QColor first = Zx(Bright(Magenta)), second = Zx(Bright(Yellow));
    c.Fill(a, a, side, side, first);
    c.Fill(off, off, side, side, second);
    c.Fill(off, off, a + side - off, a + side - off, Mix(Bright(Magenta), Bright(Yellow)));
    c.Frame(a, a, side, side, Ink);
    c.Frame(off, off, side, side, Ink);
    return c.Take();
  };
  QIcon icon;
  icon.addPixmap(make(32));
  icon.addPixmap(make(16));
  return icon;
}

}  // namespace chromaloom

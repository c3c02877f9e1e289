#include "editing/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "editing/editing_fixture.h"
#include "editing/pixel_font.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using test_support::EditingFixture;
constexpr int W = PictureWidth, H = PictureHeight;
using Grid = std::vector<char>;  // W x H, row by row

std::size_t At(int x, int y) { return static_cast<std::size_t>(y) * W + x; }
template <typename Has>
Grid GridOf(Has has) {
  Grid g(W * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) g[At(x, y)] = has(x, y);
  return g;
}
Grid Bits(const PixelSet& s) {
  return GridOf([&](int x, int y) { return s.Has({x, y}); });
}
Grid ScreenBits(const Picture& p, int s) {
  return GridOf([&](int x, int y) { return p.GetPixelBit(s, x, y); });
}

// A 4-connected flood of a w x h grid from seed through the pixels pass allows.
template <typename Pass>
Grid Flood4(int w, int h, Point seed, Pass pass) {
  Grid seen(static_cast<std::size_t>(w * h));
  std::deque<Point> todo{seed};
  seen[static_cast<std::size_t>(seed.Y * w + seed.X)] = 1;
  while (!todo.empty()) {
    const Point p = todo.front();
    todo.pop_front();
    for (const Point n : {Point{p.X - 1, p.Y}, {p.X + 1, p.Y}, {p.X, p.Y - 1}, {p.X, p.Y + 1}})
      if (n.X >= 0 && n.Y >= 0 && n.X < w && n.Y < h && !seen[static_cast<std::size_t>(n.Y * w + n.X)] && pass(n)) {
        seen[static_cast<std::size_t>(n.Y * w + n.X)] = 1;
        todo.push_back(n);
      }
  }
  return seen;
}

// Boxes as inclusive corners: the edge sizes, then random ones.
struct Box {
  int X0, Y0, X1, Y1;
  bool AtLeast3x3() const { return X1 - X0 >= 2 && Y1 - Y0 >= 2; }
};

// Calls check(box, outline, filled ellipse) for each box; every other box is
// given by its other two corners, in reverse.
template <typename Check>
void ForEachEllipse(Check check) {
  std::vector<Box> boxes = {{0, 0, 0, 0},     {5, 5, 5, 6},     {9, 0, 9, 191}, {0, 9, 1, 9}, {0, 100, 255, 100},
                            {40, 40, 41, 41}, {0, 0, 255, 191}, {3, 3, 5, 5},   {0, 0, 7, 3}, {10, 10, 13, 16}};
  std::mt19937 rng(2024);
  for (int i = 0; i < 400; ++i) {
    const int w = std::uniform_int_distribution(1, W)(rng), h = std::uniform_int_distribution(1, H)(rng);
    const int x = std::uniform_int_distribution(0, W - w)(rng), y = std::uniform_int_distribution(0, H - h)(rng);
    boxes.push_back({x, y, x + w - 1, y + h - 1});
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const Box b = boxes[i];
    SCOPED_TRACE(testing::Message() << b.X1 - b.X0 + 1 << "x" << b.Y1 - b.Y0 + 1 << " at " << b.X0 << "," << b.Y0);
    const Point c0 = i % 2 ? Point{b.X1, b.Y0} : Point{b.X0, b.Y0}, c1 = i % 2 ? Point{b.X0, b.Y1} : Point{b.X1, b.Y1};
    PixelSet outline, filled;
    AddEllipse(outline, c0, c1, {}, false);
    AddEllipse(filled, c0, c1, {}, true);
    check(b, Bits(outline), Bits(filled));
  }
}

// In its box, touching every side, symmetric about both axes, and closed:
// a 4-connected fill from outside (the box in a one-pixel ring) never
// reaches the centre of a box of 3 x 3 or more.
TEST(Ellipse, OutlineStaysInItsBoxTouchesEverySideIsSymmetricAndClosed) {
  ForEachEllipse([](const Box& b, const Grid& g, const Grid&) {
    bool left = false, right = false, top = false, bottom = false, inside = true, symmetric = true;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        if (!g[At(x, y)]) continue;
        inside &= x >= b.X0 && x <= b.X1 && y >= b.Y0 && y <= b.Y1;
        left |= x == b.X0, right |= x == b.X1, top |= y == b.Y0, bottom |= y == b.Y1;
        if (inside) symmetric &= g[At(b.X0 + b.X1 - x, y)] && g[At(x, b.Y0 + b.Y1 - y)];
      }
    EXPECT_TRUE(inside && symmetric && left && right && top && bottom);
    if (!b.AtLeast3x3()) return;
    const int w = b.X1 - b.X0 + 3, h = b.Y1 - b.Y0 + 3;
    const Grid outside = Flood4(w, h, {0, 0}, [&](Point p) {
      return p.X == 0 || p.Y == 0 || p.X == w - 1 || p.Y == h - 1 || !g[At(b.X0 + p.X - 1, b.Y0 + p.Y - 1)];
    });
    EXPECT_FALSE(outside[static_cast<std::size_t>((h - 1) / 2 * w + (w - 1) / 2)]);
  });
}

// Thin: an outline pixel has at most two outline 8-neighbours, except at
// the tips (the box's middle rows and columns), where a narrow box's short
// run meets the curve: there three at most; and nowhere a 2 x 2 block.
int ThickPixels(const Box& b, const Grid& g) {
  const auto on = [&](int x, int y) { return x >= 0 && y >= 0 && x < W && y < H && g[At(x, y)]; };
  const auto middle = [](int v, int lo, int hi) { return std::abs(2 * v - lo - hi) <= 1; };
  int thick = 0;
  for (int y = b.Y0; y <= b.Y1; ++y)
    for (int x = b.X0; x <= b.X1; ++x) {
      if (!on(x, y)) continue;
      int n = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) n += (dx || dy) && on(x + dx, y + dy);
      const bool tip = middle(x, b.X0, b.X1) || middle(y, b.Y0, b.Y1);
      const bool block = on(x + 1, y) && on(x, y + 1) && on(x + 1, y + 1);
      thick += (n > 2 && !tip) || block || n > 3;
    }
  return thick;
}

TEST(Ellipse, OutlineIsOnePixelWide) {
  ForEachEllipse(
      [](const Box& b, const Grid& g, const Grid&) { EXPECT_EQ(b.AtLeast3x3() ? ThickPixels(b, g) : 0, 0); });
}

TEST(Ellipse, FilledAddsEachRowBetweenItsOutermostOutlinePixels) {
  ForEachEllipse([](const Box&, Grid g, const Grid& filled) {
    for (int y = 0; y < H; ++y) {
      int lo = W, hi = -1;
      for (int x = 0; x < W; ++x)
        if (g[At(x, y)]) lo = std::min(lo, x), hi = std::max(hi, x);
      for (int x = lo; x <= hi; ++x) g[At(x, y)] = 1;
    }
    EXPECT_TRUE(filled == g);
  });
}

TEST(FloodRegion, EqualsABreadthFirstFillOfTheSeedsColour) {
  std::mt19937 rng(7);
  for (const int colours : {2, 3, 4}) {
    // Two colours weighted 3:2 make large regions, more make small ones.
    Raster shown(W, H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) shown.At(x, y) = MakeRgb(0, 0, static_cast<int>(rng() % 5) % colours);
    std::vector<Point> seeds = {{0, 0}, {W - 1, H - 1}};
    for (int i = 0; i < 20; ++i) seeds.push_back({static_cast<int>(rng() % W), static_cast<int>(rng() % H)});
    for (const Point seed : seeds) {
      SCOPED_TRACE(testing::Message() << colours << " colours, seed " << seed.X << "," << seed.Y);
      const Grid region = Flood4(W, H, seed, [&](Point p) { return shown.At(p.X, p.Y) == shown.At(seed.X, seed.Y); });
      EXPECT_TRUE(Bits(FloodRegion(shown, seed)) == region);
    }
    for (const Point off : {Point{-1, 0}, {W, 5}, {0, H}, {5, -1}}) EXPECT_TRUE(FloodRegion(shown, off).Empty());
  }
}

TEST(Brush, SquareCoversNByNAndRoundIsASymmetricDiscInsideIt) {
  const Point c{100, 80};
  for (int n = 1; n <= MaxBrushSize; ++n) {
    SCOPED_TRACE(n);
    PixelSet square, round;
    AddBrushStamp(square, c, {n, BrushShape::Square});
    AddBrushStamp(round, c, {n, BrushShape::Round});
    // The centre is the middle pixel, or left of and above the middle.
    const int left = c.X - (n - 1) / 2, top = c.Y - (n - 1) / 2;
    int inSquare = 0, disc = 0, strays = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const bool inBox = x >= left && x < left + n && y >= top && y < top + n, has = round.Has({x, y});
        inSquare += inBox && square.Has({x, y});
        // Outside the square, or without its mirror images in the square.
        strays +=
            inBox ? has != round.Has({2 * left + n - 1 - x, y}) || has != round.Has({x, 2 * top + n - 1 - y}) : has;
        // Pixel centres in the disc of diameter n: (2d + 1 - n)^2 sums to at most n^2.
        const int u = 2 * (x - left) + 1 - n, v = 2 * (y - top) + 1 - n;
        disc += inBox && u * u + v * v <= n * n;
      }
    EXPECT_EQ(inSquare, n * n);
    EXPECT_EQ(square.Count(), n * n);
    EXPECT_EQ(strays, 0);
    EXPECT_EQ(round.Count(), disc);
  }
}

TEST(PixelSet, AddsTheMirrorsOnThePictureForEachSymmetry) {
  using S = SymmetryMode;
  const struct {
    Symmetry Sym;
    Point P;
    std::set<std::pair<int, int>> Expected;
  } cases[] = {
      // Even axes run between pixels, odd ones through pixel AxisX2 / 2; mirrors off the picture are left out.
      {{S::None, 256, 192}, {10, 20}, {{10, 20}}},
      {{S::LeftRight, 256, 192}, {10, 20}, {{10, 20}, {245, 20}}},
      {{S::LeftRight, 101, 192}, {49, 7}, {{49, 7}, {51, 7}}},
      {{S::LeftRight, 101, 192}, {50, 7}, {{50, 7}}},
      {{S::TopBottom, 256, 192}, {10, 20}, {{10, 20}, {10, 171}}},
      {{S::TopBottom, 256, 61}, {3, 30}, {{3, 30}}},
      {{S::FourWay, 256, 192}, {0, 0}, {{0, 0}, {255, 0}, {0, 191}, {255, 191}}},
      {{S::FourWay, 101, 61}, {50, 10}, {{50, 10}, {50, 50}}},
      {{S::FourWay, 101, 61}, {50, 30}, {{50, 30}}},
      {{S::LeftRight, 40, 192}, {100, 5}, {{100, 5}}},
      {{S::FourWay, 40, 30}, {10, 100}, {{10, 100}, {29, 100}}},
      {{S::FourWay, 512, 384}, {5, 5}, {{5, 5}}},
  };
  for (const auto& c : cases) {
    PixelSet set(c.Sym);
    set.Add(c.P);
    std::set<std::pair<int, int>> got;
    set.ForEach([&](Point p) { got.insert({p.X, p.Y}); });
    EXPECT_EQ(got, c.Expected) << static_cast<int>(c.Sym.Mode) << " " << c.Sym.AxisX2 << "," << c.Sym.AxisY2;
    EXPECT_EQ(set.Count(), static_cast<int>(c.Expected.size()));
  }
}

TEST(Pattern, TakesItsShareOfSecondEntriesAnchoredToThePicture) {
  const std::pair<Pattern, int> shares[] = {{Pattern::Solid, 0},           {Pattern::Checkerboard, 8},
                                            {Pattern::Ordered25, 12},      {Pattern::Ordered75, 4},
                                            {Pattern::HorizontalLines, 8}, {Pattern::VerticalLines, 8}};
  for (const auto& [pattern, second] : shares) {
    SCOPED_TRACE(static_cast<int>(pattern));
    int count = 0;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) count += TakesSecondEntry(pattern, {x, y});
    EXPECT_EQ(count, second);
    // A 4 x 4 tile repeated from the picture's corner, whatever paints it.
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        ASSERT_EQ(TakesSecondEntry(pattern, {x, y}), TakesSecondEntry(pattern, {x % 4, y % 4}));
  }
}

TEST(PaintMask, PaintsEachPixelAsThePencilWithThePatternsEntry) {
  unsigned seed = 0;
  for (const int h : {8, 4, 2, 1})
    for (const auto& [pix, rgb] : {std::pair{true, false}, {false, true}, {true, true}})
      for (const Pattern pattern : {Pattern::Solid, Pattern::Checkerboard, Pattern::Ordered25, Pattern::Ordered75,
                                    Pattern::HorizontalLines, Pattern::VerticalLines}) {
        SCOPED_TRACE(testing::Message() << "8x" << h << " pix " << pix << " rgb " << rgb << " pattern "
                                        << static_cast<int>(pattern));
        const Picture original = test_support::RandomPicture(h, ++seed);
        std::mt19937 rng(seed);
        // Corners, a side column of 8x1 on both sides, the middle, and random pixels.
        static_assert(IsSideColumn(3 / 8) && IsSideColumn(250 / 8) && !IsSideColumn(131 / 8));
        std::vector<Point> pixels = {{0, 0}, {W - 1, H - 1}, {W - 1, 0}, {0, H - 1}, {3, 100}, {250, 77}, {131, 64}};
        for (int i = 0; i < 80; ++i) pixels.push_back({static_cast<int>(rng() % W), static_cast<int>(rng() % H)});
        PixelSet mask;
        for (const Point p : pixels) mask.Add(p);
        Pickers pickers;
        const auto colour = [&] { return static_cast<ZxColour>(rng() % 15); };
        pickers.CurrentColours = {colour(), colour(), colour(), colour()};
        pickers.SelectedCharColour = static_cast<int>(rng() % 4);
        pickers.PatternEntry = (pickers.SelectedCharColour + 1 + static_cast<int>(rng() % 3)) % 4;
        std::tie(pickers.EditModePix, pickers.EditModeRgb) = std::tie(pix, rgb);
        Document masked(original), pencilled(original);
        Change byMask(masked, "Mask"), byPencil(pencilled, "Pencil");
        Pickers maskPickers = pickers;
        PaintMask(byMask, maskPickers, ToolKind::Paint, mask, pattern);
        for (const Point p : pixels) {
          Pickers one = pickers;  // an empty LastPaintedSpot
          if (TakesSecondEntry(pattern, p)) one.SelectedCharColour = pickers.PatternEntry;
          EXPECT_TRUE(PaintPixel(byPencil, one, ToolKind::Paint, p));
        }
        EXPECT_TRUE(masked.Picture() != original);
        EXPECT_TRUE(masked.Picture() == pencilled.Picture());
      }
}

// The convert brush takes whole cells, both screens, from the converted
// picture; cells the stroke does not touch keep theirs.
TEST(PaintMask, TheConvertBrushCopiesTheCellsItTouches) {
  for (const int h : {8, 4, 2, 1}) {
    SCOPED_TRACE(h);
    const Picture original = test_support::RandomPicture(h, 70u + static_cast<unsigned>(h));
    const Picture converted = test_support::RandomPicture(h, 80u + static_cast<unsigned>(h));
    Document document(original);
    PixelSet stroke;
    AddLine(stroke, {2, 5}, {60, 100}, {3, BrushShape::Round});
    Pickers pickers;
    Change change(document, "Convert Brush");
    PaintMask(change, pickers, ToolKind::ConvertBrush, stroke, Pattern::Solid, {.Converted = &converted});
    change.Commit();
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const int col = x / 8, ch = original.CellHeightAt(col), top = y / ch * ch;
        bool touched = false;
        for (int l = top; l < top + ch; ++l)
          for (int b = 0; b < 8; ++b) touched |= stroke.Has({col * 8 + b, l});
        const Picture& from = touched ? converted : original;
        for (int s = 0; s < 2; ++s) {
          ASSERT_EQ(document.Picture().GetPixelBit(s, x, y), from.GetPixelBit(s, x, y)) << x << "," << y;
          ASSERT_EQ(document.Picture().CellAttr(s, x, y), from.CellAttr(s, x, y)) << x << "," << y;
        }
      }
  }
}

// Presses in the middle of picture pixel p.
void Press(EditingFixture& fx, Point p, MouseButtons buttons = {true, false, false}) {
  const int z = fx.Display.Scale();
  CanvasMouseDown(fx.Canvas(), buttons, {p.X * z + z / 2, p.Y * z + z / 2});
  CanvasMouseUp(fx.Tools);
}

TEST(CanvasTools, ShiftMakesTheEllipsesBoxASquareAsWideAsItsLargerSide) {
  const std::pair<Point, Point> cases[] = {{{10, 20}, {60, 45}}, {{200, 100}, {120, 120}}, {{130, 100}, {100, 0}}};
  for (const auto& [a, b] : cases) {
    EditingFixture fx(Picture{});
    fx.Tools.Current = ToolKind::Ellipse;
    fx.Colours.SelectedCharColour = 1;
    Press(fx, a);
    Press(fx, b, {true, false, false, true});
    const int side = std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y));
    PixelSet expected;
    AddEllipse(expected, a, {b.X < a.X ? a.X - side : a.X + side, b.Y < a.Y ? a.Y - side : a.Y + side}, {}, false);
    EXPECT_TRUE(ScreenBits(fx.Doc.Picture(), 1) == Bits(expected)) << a.X << "," << a.Y << " -> " << b.X << "," << b.Y;
  }
}

// Typed letters show at once; a cancel takes them all back out, no step left.
TEST(CanvasTools, TextShowsAsTypedAndCancelLeavesNothing) {
  EditingFixture fx(Picture{});
  fx.Tools.Current = ToolKind::Text;
  fx.Colours.SelectedCharColour = 3;
  Press(fx, {37, 21});
  TypeText(fx.Canvas(), U"Hi");
  EXPECT_EQ(ScreenBits(fx.Doc.Picture(), 0)[At(37 + 1, 21)], (BuiltinGlyph(U'H')[0] & 0x40) != 0);
  EXPECT_TRUE(fx.Doc.Picture() != Picture{});
  CancelText(fx.Tools);
  EXPECT_TRUE(fx.Doc.Picture() == Picture{});
  EXPECT_EQ(fx.Doc.UndoStepCount(), 0U);
}

TEST(CanvasTools, TheAxisFollowsItsHandleAndTheKeyToHalfPixelsWithoutPainting) {
  const Picture original = test_support::RandomPicture(2, 9);
  EditingFixture fx(original);
  const int z = fx.Display.Scale();
  fx.Tools.Options.Symmetry = {SymmetryMode::LeftRight, 256, 192};
  CanvasMouseDown(fx.Canvas(), {true, false, false}, {128 * z, 2});  // on the handle at the top
  CanvasMouseMove(fx.Canvas(), {true, false, false}, {101 * z + z / 2, 300});
  CanvasMouseUp(fx.Tools);
  EXPECT_EQ(fx.Tools.Options.Symmetry.AxisX2, 2 * 101 + 1);  // through the middle of pixel 101
  CanvasMouseMove(fx.Canvas(), {}, {50 * z, 40 * z + 1});
  MoveAxesTo(fx.Tools, z);
  EXPECT_EQ(fx.Tools.Options.Symmetry.AxisX2, 100);            // between pixels 49 and 50
  EXPECT_EQ(fx.Tools.Options.Symmetry.AxisY2, PictureHeight);  // the mode has no horizontal axis
  EXPECT_TRUE(fx.Doc.Picture() == original);
  EXPECT_EQ(fx.Doc.UndoStepCount(), 0U);
}

}  // namespace
}  // namespace chromaloom

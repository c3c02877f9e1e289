// Draws chromaLoom's sample picture, a sunset over mountains and a lake with
// the title, and writes it as .mgs: the RGB scene is drawn here, then the
// editor's own conversion turns it into two screens, so the mixed colours
// that one ZX screen cannot show do the work.
//   chromaloom_sample_picture OUT.mgs
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "convert/image_conversion.h"
#include "formats/mgs_format.h"

namespace chromaloom {
namespace {

struct Colour {
  double R, G, B;
};

Colour Blend(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

Rgb ToRgb(Colour c) {
  const auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
  return MakeRgb(channel(c.R), channel(c.G), channel(c.B));
}

// The sky from the top down: night blue, violet, pink, orange, gold.
Colour SkyAt(double t) {
  const Colour stops[] = {{20, 10, 90}, {90, 30, 150}, {220, 60, 150}, {250, 130, 60}, {255, 220, 90}};
  const double scaled = std::clamp(t, 0.0, 1.0) * 4.0;
  const int i = std::min(3, static_cast<int>(scaled));
  return Blend(stops[i], stops[i + 1], scaled - i);
}

constexpr int Horizon = 132;
constexpr int SunX = 128, SunY = 112, SunRadius = 40;

// The far and the near ridge: heights above the horizon along x.
double FarRidge(int x) { return 30 + 14 * std::sin(x * 0.045) + 8 * std::sin(x * 0.11 + 1.3); }
double NearRidge(int x) { return 14 + 12 * std::sin(x * 0.03 + 2.0) + 5 * std::sin(x * 0.13); }

// The scene above the water at (x, y).
Colour SceneAt(int x, int y) {
  Colour colour = SkyAt(static_cast<double>(y) / Horizon);
  const double dx = x - SunX, dy = y - SunY;
  const double distance = std::sqrt(dx * dx + dy * dy);
  // A soft glow round the sun, then the disc with the bands of a setting sun.
  if (distance < SunRadius + 22) colour = Blend(colour, {255, 200, 120}, 0.45 * (1.0 - (distance - SunRadius) / 22));
  const int below = y - (SunY - 24);
  const bool band = below > 0 && below % 8 < 1 + below / 12;
  if (distance <= SunRadius && !band) colour = Blend({255, 250, 170}, {255, 150, 60}, (y - (SunY - SunRadius)) / 80.0);
  if (y > Horizon - FarRidge(x)) colour = Blend({120, 40, 130}, {70, 20, 100}, (y - (Horizon - 40)) / 40.0);
  if (y > Horizon - NearRidge(x)) colour = {30, 10, 60};
  return colour;
}

// 5 x 7 letters of the title, a row of bits each (bit 4 the leftmost).
struct Glyph {
  char Letter;
  unsigned char Rows[7];
};
constexpr Glyph Font[] = {
    {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}}, {'h', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'r', {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}}, {'o', {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}},
    {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11}}, {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
};

const Glyph* GlyphOf(char letter) {
  for (const Glyph& glyph : Font)
    if (glyph.Letter == letter) return &glyph;
  return nullptr;
}

// The title at (left, top), each font pixel scale x scale, with a dark shadow.
void DrawTitle(Raster& image, std::string_view text, int left, int top, int scale) {
  for (const auto& [offset, colour] : {std::pair{2, MakeRgb(20, 0, 60)}, std::pair{0, MakeRgb(255, 255, 255)}})
    for (std::size_t i = 0; i < text.size(); ++i) {
      const Glyph* glyph = GlyphOf(text[i]);
      if (!glyph) continue;
      for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 5; ++column)
          if (glyph->Rows[row] & (0x10 >> column))
            image.FillRect(
                {left + offset + (static_cast<int>(i) * 6 + column) * scale, top + offset + row * scale, scale, scale},
                colour);
    }
}

Raster DrawScene() {
  Raster image(PictureWidth, PictureHeight);
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      if (y < Horizon) {
        image.At(x, y) = ToRgb(SceneAt(x, y));
        continue;
      }
      // The lake: deep water darkening towards the viewer, the ridge's
      // mirror image near the shore and the sun's glitter in broken streaks.
      const int depth = y - Horizon;
      Colour water = Blend({110, 40, 140}, {15, 10, 70}, depth / 60.0);
      const bool shore = depth < NearRidge(x) * 0.6;
      if (shore) water = {30, 10, 60};
      const double spread = SunRadius * (0.6 + depth / 50.0);
      const double wave = std::sin(x * 0.35 + depth * 1.7) + std::sin(x * 0.11 - depth * 0.8);
      // No glitter in the shore's shadow, where a cell would need too many colours.
      if (!shore && depth > 4 && std::abs(x - SunX) < spread && depth % 3 != 2 &&
          wave > 0.3 + std::abs(x - SunX) / spread)
        water = Blend({255, 240, 150}, {250, 140, 60}, depth / 60.0);
      image.At(x, y) = ToRgb(water);
    }
  DrawTitle(image, "chromaLoom", 8 + (PictureWidth - 16 - 59 * 3) / 2, 10, 3);
  return image;
}

}  // namespace
}  // namespace chromaloom

int main(int argc, char** argv) {
  using namespace chromaloom;
  if (argc != 2) {
    std::fprintf(stderr, "usage: chromaloom_sample_picture OUT.mgs\n");
    return 2;
  }
  try {
    ImageConversionOptions options;
    options.CellHeight = 2;
    options.Dither = Dithering::Ordered;
    options.FlickerWeight = 0.1;
    Picture picture;
    static_cast<Planes&>(picture) = ConvertImage(DrawScene(), options).Result;
    picture.CellHeight = 2;
    picture.Border = {1, 0};  // the night blue of the sky's top
    const std::vector<std::uint8_t> bytes = WriteMgs(picture);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "chromaloom_sample_picture: %s\n", e.what());
    return 1;
  }
  return 0;
}

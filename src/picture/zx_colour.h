// The colour model: ZX colour indices, their RGB, the mix the eye sees
// when two screens alternate, and the ZX attribute byte conversions.
#pragma once

#include <array>
#include <cstdint>

namespace chromaloom {

// 0xFFRRGGBB, the pixel format of every raster.
using Rgb = std::uint32_t;

// 0 black; 2n-1 normal and 2n bright form of ZX colour n = 1..7.
using ZxColour = std::uint8_t;

constexpr int ZxColourCount = 15;

constexpr Rgb MakeRgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}
constexpr int RedOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>(c & 0xFF); }

constexpr bool IsValidZxColour(int c) { return c >= 0 && c < ZxColourCount; }

// ZX colour number 0..7 of an index (blue bit 0, red bit 1, green bit 2).
constexpr int ZxColourNumber(ZxColour c) { return (c + 1) / 2; }
constexpr bool IsBright(ZxColour c) { return c != 0 && c % 2 == 0; }

constexpr ZxColour NormalTwin(ZxColour c) { return static_cast<ZxColour>(c == 0 ? 0 : c - 1 + c % 2); }
constexpr ZxColour BrightTwin(ZxColour c) { return static_cast<ZxColour>(c == 0 ? 0 : c + c % 2); }

// Index from a ZX colour number 0..7 and a BRIGHT bit; black stays 0.
constexpr ZxColour ZxColourIndex(int n, int bright) {
  const int c = 2 * n - 1 + bright;
  return static_cast<ZxColour>(c < 0 ? 0 : c);
}

constexpr std::uint8_t InkBits(ZxColour c) {
  return static_cast<std::uint8_t>(ZxColourNumber(c) | (IsBright(c) ? 64 : 0));
}
constexpr std::uint8_t PaperBits(ZxColour c) {
  return static_cast<std::uint8_t>((ZxColourNumber(c) << 3) | (IsBright(c) ? 64 : 0));
}
// BRIGHT is set when either colour is bright; FLASH never.
constexpr std::uint8_t ZxAttrByte(ZxColour ink, ZxColour paper) {
  return static_cast<std::uint8_t>(InkBits(ink) | PaperBits(paper));
}

struct InkPaper {
  ZxColour Ink = 0;
  ZxColour Paper = 0;
  friend bool operator==(const InkPaper&, const InkPaper&) = default;
};
// FLASH is ignored; INK and PAPER share the byte's one BRIGHT bit.
constexpr InkPaper FromZxAttrByte(std::uint8_t a) {
  const int bright = (a >> 6) & 1;
  return {ZxColourIndex(a & 7, bright), ZxColourIndex((a >> 3) & 7, bright)};
}

// The screen colour of an index: 202 per primary when normal, 254 when bright.
constexpr Rgb ZxRgb(ZxColour c) {
  const int n = ZxColourNumber(c);
  const int level = IsBright(c) ? 254 : 202;
  return MakeRgb((n & 2) ? level : 0, (n & 4) ? level : 0, (n & 1) ? level : 0);
}

// One channel as the eye mixes it; levels are 0, 202 or 254.
constexpr int MixChannel(int x, int y) {
  if (x > y) {
    const int t = x;
    x = y;
    y = t;
  }
  if (x == 0) return y == 0 ? 0 : (y == 202 ? 115 : 157);
  if (x == 202) return y == 202 ? 202 : 230;
  return 254;
}

constexpr Rgb MixColours(ZxColour screen0, ZxColour screen1) {
  const Rgb a = ZxRgb(screen0);
  const Rgb b = ZxRgb(screen1);
  return MakeRgb(MixChannel(RedOf(a), RedOf(b)), MixChannel(GreenOf(a), GreenOf(b)), MixChannel(BlueOf(a), BlueOf(b)));
}

// Indexed [screen 0 colour][screen 1 colour]; every renderer and picker reads it.
using MixedColourTableType = std::array<std::array<Rgb, ZxColourCount>, ZxColourCount>;
constexpr MixedColourTableType BuildMixedColourTable() {
  MixedColourTableType table{};
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b)
      table[a][b] = MixColours(static_cast<ZxColour>(a), static_cast<ZxColour>(b));
  return table;
}
inline constexpr MixedColourTableType MixedColourTable = BuildMixedColourTable();

// The four mixed colours of a cell, in colour-index order k = 2*bit0 + bit1.
using CharPalette = std::array<Rgb, 4>;
// The table is the view's mixing profile; the picture's own by default.
constexpr CharPalette MakeCharPalette(ZxColour paper0, ZxColour ink0, ZxColour paper1, ZxColour ink1,
                                      const MixedColourTableType& table = MixedColourTable) {
  return {table[paper0][paper1], table[paper0][ink1], table[ink0][paper1], table[ink0][ink1]};
}

// Keeps INK and PAPER of one screen at one brightness; black has no bright form.
constexpr void MatchBrightness(ZxColour& target, ZxColour reference) {
  if (target == 0 || reference == 0) return;
  target = IsBright(reference) ? BrightTwin(target) : NormalTwin(target);
}

// A ZX border colour 0..7 shown as its normal index.
constexpr ZxColour BorderColourIndex(int n) { return ZxColourIndex(n, 0); }
constexpr Rgb BorderRgb(int screen0Border, int screen1Border, const MixedColourTableType& table = MixedColourTable) {
  return table[BorderColourIndex(screen0Border)][BorderColourIndex(screen1Border)];
}

}  // namespace chromaloom

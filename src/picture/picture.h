// The one document: two ZX screens (pixels and per-line attributes), the
// attribute cell height and the border choice.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "picture/zx_colour.h"

namespace chromaloom {

constexpr int PictureWidth = 256;
constexpr int PictureHeight = 192;
constexpr int ByteColumns = 32;

// 32 x 192 bytes, column-major (col*192 + line); bit 7 is the leftmost pixel.
struct PixelPlane {
  std::array<std::uint8_t, ByteColumns * PictureHeight> Bytes{};

  std::uint8_t& At(int col, int line) { return Bytes[col * PictureHeight + line]; }
  std::uint8_t At(int col, int line) const { return Bytes[col * PictureHeight + line]; }
  bool Bit(int x, int y) const;
  void SetBit(int x, int y, bool on);
  friend bool operator==(const PixelPlane&, const PixelPlane&) = default;
};

struct AttrEntry {
  ZxColour Paper = 0;
  ZxColour Ink = 0;
  friend bool operator==(const AttrEntry&, const AttrEntry&) = default;
};

// One (PAPER, INK) entry per (column, line) in every mode; column-major.
struct AttrPlane {
  std::array<AttrEntry, ByteColumns * PictureHeight> Entries{};

  AttrEntry& At(int col, int line) { return Entries[col * PictureHeight + line]; }
  const AttrEntry& At(int col, int line) const { return Entries[col * PictureHeight + line]; }
  friend bool operator==(const AttrPlane&, const AttrPlane&) = default;
};

constexpr bool IsValidCellHeight(int h) { return h == 1 || h == 2 || h == 4 || h == 8; }

// In 8x1 mode the side columns keep 8-line cells.
constexpr bool IsSideColumn(int col) { return col < 8 || col > 23; }
constexpr int CellHeightAt(int cellHeight, int col) { return (cellHeight == 1 && IsSideColumn(col)) ? 8 : cellHeight; }
// First line of the cell holding (col, line): the line whose entry colours the cell.
constexpr int AttrLineOf(int cellHeight, int col, int line) {
  const int h = CellHeightAt(cellHeight, col);
  return (line / h) * h;
}

constexpr std::uint8_t PixelMask(int x) { return static_cast<std::uint8_t>(0x80 >> (x % 8)); }

struct BorderPair {
  int Screen0 = 0;
  int Screen1 = 0;
  friend bool operator==(const BorderPair&, const BorderPair&) = default;
};

constexpr int BorderColumns = 9;
constexpr int BorderRows = 3;
// [column i][row j]; all 27 pairs are distinct.
inline constexpr BorderPair BorderPairTable[BorderColumns][BorderRows] = {
    {{0, 0}, {0, 7}, {7, 7}}, {{0, 1}, {1, 1}, {1, 7}}, {{0, 2}, {2, 2}, {2, 7}},
    {{0, 3}, {3, 3}, {3, 7}}, {{0, 4}, {4, 4}, {4, 7}}, {{0, 5}, {5, 5}, {5, 7}},
    {{0, 6}, {6, 6}, {6, 7}}, {{3, 1}, {3, 2}, {5, 4}}, {{5, 1}, {6, 2}, {6, 4}},
};

struct BorderChoice {
  int Column = 0;
  int Row = 0;
  friend bool operator==(const BorderChoice&, const BorderChoice&) = default;
};
// Scans column by column, row by row, like the loaders do.
std::optional<BorderChoice> FindBorderChoice(BorderPair pair);

// The four planes; undo, clipboard and transforms copy exactly this.
struct Planes {
  std::array<PixelPlane, 2> Pixels{};
  std::array<AttrPlane, 2> Attrs{};
  friend bool operator==(const Planes&, const Planes&) = default;
};

// The colour screen s shows at picture pixel (x, y) under the cell rule of
// cellHeight: the cell's INK where the pixel is set, its PAPER elsewhere.
inline ZxColour ScreenColourAt(const Planes& planes, int cellHeight, int s, int x, int y) {
  const AttrEntry& a = planes.Attrs[s].At(x / 8, AttrLineOf(cellHeight, x / 8, y));
  return planes.Pixels[s].Bit(x, y) ? a.Ink : a.Paper;
}

struct Picture : Planes {
  std::uint8_t CellHeight = 1;
  BorderChoice Border{};

  bool GetPixelBit(int s, int x, int y) const { return Pixels[s].Bit(x, y); }
  void SetPixelBit(int s, int x, int y, bool bit) { Pixels[s].SetBit(x, y, bit); }
  const AttrEntry& AttrAt(int s, int col, int line) const { return Attrs[s].At(col, line); }
  void SetAttr(int s, int col, int line, ZxColour paper, ZxColour ink) { Attrs[s].At(col, line) = {paper, ink}; }
  int CellHeightAt(int col) const { return chromaloom::CellHeightAt(CellHeight, col); }
  int AttrLineOf(int col, int line) const { return chromaloom::AttrLineOf(CellHeight, col, line); }
  const AttrEntry& CellAttr(int s, int x, int y) const { return AttrAt(s, x / 8, AttrLineOf(x / 8, y)); }
  ZxColour ScreenColourAt(int s, int x, int y) const { return chromaloom::ScreenColourAt(*this, CellHeight, s, x, y); }
  // k = 2*bit0 + bit1 selects the cell's CharPalette entry.
  int ColourIndexAt(int x, int y) const { return 2 * GetPixelBit(0, x, y) + GetPixelBit(1, x, y); }

  BorderPair GetBorderPair() const { return BorderPairTable[Border.Column][Border.Row]; }
  Rgb BorderDisplayColour() const;
  // Ignores a choice outside the table; returns whether it was taken.
  bool SetBorderChoice(int column, int row);
  void ClearPicture() { static_cast<Planes&>(*this) = Planes{}; }

  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace chromaloom

// One-screen multicolour pictures as the zxart.ee renderer reads them: 6144
// bytes of pixels, then one attribute byte per 8 pixels of each cell row,
// rows in order. .mlt (8x1), .ifl (8x2) and .mc4 (8x4) keep the pixels in
// the screen's line interleave, .mc (8x1) line after line; .atr holds the
// 768 attributes of an 8x8 screen alone, shown over a fixed checkerboard.
// A file is read onto both screens; a writer writes screen 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/file_kinds.h"
#include "formats/imported_picture.h"
#include "picture/picture.h"

namespace chromaloom {

enum class PixelOrder { Interleaved, Linear, Checkerboard };  // Checkerboard: no pixels in the file

struct OneScreenLayout {
  int CellHeight = 8;
  PixelOrder Pixels = PixelOrder::Interleaved;
  const char* Name = "";  // the extension, in messages
};

struct OneScreenKind {
  FileKind Kind;
  OneScreenLayout Layout;
};
inline constexpr std::array<OneScreenKind, 5> OneScreenKinds = {{
    {FileKind::Mlt, {1, PixelOrder::Interleaved, ".mlt"}},
    {FileKind::Mc, {1, PixelOrder::Linear, ".mc"}},
    {FileKind::Ifl, {2, PixelOrder::Interleaved, ".ifl"}},
    {FileKind::Mc4, {4, PixelOrder::Interleaved, ".mc4"}},
    {FileKind::Atr, {8, PixelOrder::Checkerboard, ".atr"}},
}};

constexpr bool HoldsOneScreen(FileKind kind) {
  for (const OneScreenKind& k : OneScreenKinds)
    if (k.Kind == kind) return true;
  return false;
}

constexpr OneScreenLayout OneScreenLayoutOf(FileKind kind) {
  for (const OneScreenKind& k : OneScreenKinds)
    if (k.Kind == kind) return k.Layout;
  throw std::invalid_argument("not a one-screen multicolour kind");
}

constexpr std::size_t OneScreenFileLength(const OneScreenLayout& layout) {
  const std::size_t attrs = ByteColumns * (PictureHeight / layout.CellHeight);
  return layout.Pixels == PixelOrder::Checkerboard ? attrs : ByteColumns * PictureHeight + attrs;
}
// What a reader of the kind looks at: one byte more than the file, so a
// longer file is told apart from an exact one.
constexpr std::size_t OneScreenReadCap(FileKind kind) { return OneScreenFileLength(OneScreenLayoutOf(kind)) + 1; }

// The pixels of an .atr: INK where x + y is odd.
constexpr bool CheckerboardInk(int x, int y) { return (x + y) % 2 == 1; }

// Exactly the layout's length, or FormatError. Note says what the picture
// could not keep as the file has it.
ImportedPicture ReadOneScreen(std::span<const std::uint8_t> bytes, const OneScreenLayout& layout);
// Screen 0. Throws std::invalid_argument for a picture the layout cannot hold:
// finer cells than the layout's, or (.atr) pixels other than the checkerboard.
std::vector<std::uint8_t> WriteOneScreen(const Picture& picture, const OneScreenLayout& layout);

template <FileKind Kind>
ImportedPicture ReadOneScreenAs(std::span<const std::uint8_t> bytes) {
  return ReadOneScreen(bytes, OneScreenLayoutOf(Kind));
}
template <FileKind Kind>
std::vector<std::uint8_t> WriteOneScreenAs(const Picture& picture) {
  return WriteOneScreen(picture, OneScreenLayoutOf(Kind));
}

// An 8x1 picture's side columns keep 8x8 cells: each side cell of screen s
// whose eight lines carry different attributes is solved again for the
// colours its lines show, exactly where one attribute can show them.
struct SideColumnFit {
  int Solved = 0;   // cells that had more than one attribute
  int Changed = 0;  // of those, cells that now show some pixel in another colour
};
SideColumnFit FitSideColumns(Planes& planes, int screen);

}  // namespace chromaloom

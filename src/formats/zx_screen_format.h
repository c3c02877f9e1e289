// ZX screens: .scr (one screen), .img (two), plain or behind a Hobeta header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/imported_picture.h"

namespace chromaloom {

constexpr std::size_t ZxPixelAreaLength = 6144;
constexpr std::size_t ZxAttrAreaLength = 768;
constexpr std::size_t ZxScreenLength = ZxPixelAreaLength + ZxAttrAreaLength;  // 6912
constexpr std::size_t HobetaHeaderLength = 17;

// Offset of pixel line y within the ZX pixel area (the screen's line interleave).
constexpr int ZxLineOffset(int y) { return (y & 7) * 256 + (y & 0x38) * 4 + (y & 0xC0) * 32; }

// An attribute entry as the ZX byte that carries it, and back. The byte has one
// BRIGHT bit, so a cell with one bright colour comes back with both bright.
constexpr std::uint8_t ZxAttrByteOf(const AttrEntry& entry) { return ZxAttrByte(entry.Ink, entry.Paper); }
constexpr AttrEntry AttrEntryFromZx(std::uint8_t attr) {
  const InkPaper colours = FromZxAttrByte(attr);
  return {colours.Paper, colours.Ink};
}

using ZxPixelBlock = std::array<std::uint8_t, ZxPixelAreaLength>;
ZxPixelBlock MakeZxPixelBlock(const PixelPlane& plane);
PixelPlane PixelPlaneFromZx(std::span<const std::uint8_t, ZxPixelAreaLength> block);

std::size_t ZxScreenFileLength(bool hobeta, bool twoScreens);
// Always an 8x8 picture; a one-screen file gives two equal screens.
ImportedPicture ReadZxScreen(std::span<const std::uint8_t> bytes, bool hobeta, bool twoScreens);
// Two ZX screens, attributes from each 8x8 cell's first line.
std::vector<std::uint8_t> WriteImg(const Picture& picture);

}  // namespace chromaloom

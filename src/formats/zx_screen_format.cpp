#include "formats/zx_screen_format.h"

#include <string>

#include "formats/format_error.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

constexpr int CellRows = PictureHeight / 8;

const char* VariantName(bool hobeta, bool twoScreens) {
  if (twoScreens) return hobeta ? "Hobeta .$img" : ".img";
  return hobeta ? "Hobeta .$scr" : ".scr";
}

// One ZX screen (pixels, then 24 x 32 attributes) into screen s; every line of a
// cell gets the cell's entry.
void ReadScreen(std::span<const std::uint8_t, ZxScreenLength> screen, Planes& planes, int s) {
  planes.Pixels[s] = PixelPlaneFromZx(screen.first<ZxPixelAreaLength>());
  const auto attrs = screen.subspan<ZxPixelAreaLength, ZxAttrAreaLength>();
  for (int row = 0; row < CellRows; ++row)
    for (int col = 0; col < ByteColumns; ++col) {
      const AttrEntry entry = AttrEntryFromZx(attrs[row * ByteColumns + col]);
      for (int line = row * 8; line < row * 8 + 8; ++line) planes.Attrs[s].At(col, line) = entry;
    }
}

}  // namespace

ZxPixelBlock MakeZxPixelBlock(const PixelPlane& plane) {
  ZxPixelBlock block{};
  for (int line = 0; line < PictureHeight; ++line)
    for (int col = 0; col < ByteColumns; ++col) block[ZxLineOffset(line) + col] = plane.At(col, line);
  return block;
}

PixelPlane PixelPlaneFromZx(std::span<const std::uint8_t, ZxPixelAreaLength> block) {
  PixelPlane plane;
  for (int line = 0; line < PictureHeight; ++line)
    for (int col = 0; col < ByteColumns; ++col) plane.At(col, line) = block[ZxLineOffset(line) + col];
  return plane;
}

std::size_t ZxScreenFileLength(bool hobeta, bool twoScreens) {
  return (hobeta ? HobetaHeaderLength : 0) + (twoScreens ? 2 : 1) * ZxScreenLength;
}

ImportedPicture ReadZxScreen(std::span<const std::uint8_t> bytes, bool hobeta, bool twoScreens) {
  const std::size_t needed = ZxScreenFileLength(hobeta, twoScreens);
  if (bytes.size() < needed)
    throw FormatError(
        QT_TRANSLATE_NOOP("Messages", "file is %1 bytes, a %2 needs %3"),
        {std::to_string(bytes.size()), std::string(VariantName(hobeta, twoScreens)), std::to_string(needed)});

  // The Hobeta header is skipped without a look: ZX disk tools fill it in many ways.
  const std::size_t first = hobeta ? HobetaHeaderLength : 0;
  const std::size_t second = twoScreens ? first + ZxScreenLength : first;

  ImportedPicture result;
  result.CellHeight = 8;
  ReadScreen(bytes.subspan(first).first<ZxScreenLength>(), result.Planes, 0);
  ReadScreen(bytes.subspan(second).first<ZxScreenLength>(), result.Planes, 1);
  return result;
}

std::vector<std::uint8_t> WriteImg(const Picture& picture) {
  std::vector<std::uint8_t> out;
  out.reserve(2 * ZxScreenLength);
  for (int s = 0; s < 2; ++s) {
    const ZxPixelBlock block = MakeZxPixelBlock(picture.Pixels[s]);
    out.insert(out.end(), block.begin(), block.end());
    // One byte per 8x8 cell, taken from the cell's first line.
    for (int row = 0; row < CellRows; ++row)
      for (int col = 0; col < ByteColumns; ++col) out.push_back(ZxAttrByteOf(picture.Attrs[s].At(col, row * 8)));
  }
  return out;
}

}  // namespace chromaloom

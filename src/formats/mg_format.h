// MultiGigaScreen files (.mg1, .mg2, .mg4, .mg8) with the 256-byte "MGH" header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/imported_picture.h"

namespace chromaloom {

constexpr std::size_t MgHeaderLength = 256;
constexpr std::size_t MgMaxLength = 24832;  // the longest layout: 8x1 rows in WriteMg
constexpr std::size_t Mg1FileLength = 19456;

// Length of the WriteMg layout at cell height h (1, 2, 4 or 8); 0 for any other h.
constexpr std::size_t MgFileLength(int h) {
  if (h != 1 && h != 2 && h != 4 && h != 8) return 0;
  return MgHeaderLength + 2 * 6144 + 2 * 32 * static_cast<std::size_t>(192 / h);
}
// How many bytes ReadMg needs for a header mode byte: mode 1 reads the .mg1 layout.
constexpr std::size_t MgReadLength(int modeByte) { return modeByte == 1 ? Mg1FileLength : MgFileLength(modeByte); }

// Throws std::invalid_argument for a cell height or border choice no file can hold.
void CheckWritable(const Picture& picture);
// .mg1 layout: 8x1 middle columns, 8x8 side columns; the header keeps the picture's mode.
std::vector<std::uint8_t> WriteMg1(const Picture& picture);
// .mg2/.mg4/.mg8 layout: 192/h rows of 32 attributes at the picture's cell height h.
std::vector<std::uint8_t> WriteMg(const Picture& picture);
// The layout follows the header's mode byte, never the name; the border is not read.
ImportedPicture ReadMg(std::span<const std::uint8_t> bytes);

}  // namespace chromaloom

// ReadMg on any bytes: a FormatError or a picture that exports back to itself.
// The input is also applied as edits to a valid file of the mode its first byte
// picks: then 3 bytes an edit (16-bit offset, value); a leftover byte cuts that
// many bytes off the end.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "edited_file.h"
#include "formats/format_error.h"
#include "formats/mg_format.h"

using namespace chromaloom;

namespace {

std::vector<std::uint8_t> ValidFile(std::uint8_t mode) {
  Picture picture;
  picture.CellHeight = mode;
  return mode == 1 ? WriteMg1(picture) : WriteMg(picture);
}

void Check(std::span<const std::uint8_t> bytes) {
  ImportedPicture read;
  try {
    read = ReadMg(bytes);
  } catch (const FormatError&) {
    return;
  }
  if (!IsValidCellHeight(read.CellHeight)) std::abort();
  for (const AttrPlane& plane : read.Planes.Attrs)
    for (const AttrEntry& e : plane.Entries)
      if (!IsValidZxColour(e.Ink) || !IsValidZxColour(e.Paper)) std::abort();
  Picture picture;
  static_cast<Planes&>(picture) = read.Planes;
  picture.CellHeight = read.CellHeight;
  // Every cell carries one entry on all its lines, so its own layout loses nothing.
  const ImportedPicture again = ReadMg(read.CellHeight == 1 ? WriteMg1(picture) : WriteMg(picture));
  if (!(again.Planes == read.Planes) || again.CellHeight != read.CellHeight) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::vector<std::uint8_t>, 4> valid = {ValidFile(1), ValidFile(2), ValidFile(4),
                                                                 ValidFile(8)};
  Check(std::span(data, size));
  if (size > 0) Check(Edited(valid[data[0] % 4], data + 1, size - 1));
  return 0;
}

// The one-screen multicolour readers (.mlt .mc .ifl .mc4 .atr) on any bytes,
// also applied as edits to a full-length file: 3 bytes an edit (16-bit
// offset, value); a leftover byte cuts that many bytes off the end. A file
// read is written back: the same bytes, but for FLASH and 8x1 side cells
// that were solved again.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "edited_file.h"
#include "formats/format_error.h"
#include "formats/one_screen_format.h"

using namespace chromaloom;

namespace {

void Check(std::span<const std::uint8_t> bytes, FileKind kind) {
  const OneScreenLayout layout = OneScreenLayoutOf(kind);
  ImportedPicture read;
  try {
    read = ReadOneScreen(bytes, layout);
  } catch (const FormatError&) {
    // Only a file of another length is refused.
    if (bytes.size() == OneScreenFileLength(layout)) std::abort();
    return;
  }
  if (bytes.size() != OneScreenFileLength(layout) || read.CellHeight != layout.CellHeight) std::abort();
  const Planes& planes = read.Planes;
  if (!(planes.Pixels[0] == planes.Pixels[1]) || !(planes.Attrs[0] == planes.Attrs[1])) std::abort();
  for (const AttrEntry& e : planes.Attrs[0].Entries)
    if (!IsValidZxColour(e.Ink) || !IsValidZxColour(e.Paper)) std::abort();
  Picture picture;
  static_cast<Planes&>(picture) = planes;
  picture.CellHeight = read.CellHeight;
  // The side cells of an 8x1 picture read are whole: nothing is left to solve.
  Planes again = planes;
  if (layout.CellHeight == 1 && FitSideColumns(again, 0).Solved != 0) std::abort();
  const std::vector<std::uint8_t> written = WriteOneScreen(picture, layout);
  if (written.size() != bytes.size()) std::abort();
  // Every byte comes back but FLASH, a BRIGHT that shows nothing, and the
  // side columns' bytes of an 8x1 file whose side cells were solved again.
  const std::size_t attrStart = layout.Pixels == PixelOrder::Checkerboard ? 0 : ByteColumns * PictureHeight;
  bool sidesSolved = false;
  for (const chromaloom::UserText& note : read.Notes)
    sidesSolved |= note.English().find("side columns") != std::string::npos;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (sidesSolved && IsSideColumn(static_cast<int>(i % ByteColumns))) continue;
    if (i < attrStart ? written[i] != bytes[i] : !(FromZxAttrByte(written[i]) == FromZxAttrByte(bytes[i])))
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const FileKind kind : {FileKind::Mlt, FileKind::Mc, FileKind::Ifl, FileKind::Mc4, FileKind::Atr}) {
    Check(std::span(data, size), kind);
    const std::vector<std::uint8_t> full(OneScreenFileLength(OneScreenLayoutOf(kind)), 0x38);
    Check(Edited(full, data, size), kind);
  }
  return 0;
}

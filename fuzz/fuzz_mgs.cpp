// ReadMgs on any bytes: a FormatError or a picture that writes back to itself.
// Random bytes rarely reach the full length of a picture, so the input is also
// applied as edits to a valid file: 3 bytes an edit (16-bit offset, value); a
// leftover byte cuts that many bytes off the end.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "edited_file.h"
#include "formats/format_error.h"
#include "formats/mgs_format.h"

using namespace chromaloom;

namespace {

void Check(std::span<const std::uint8_t> bytes) {
  ImportedPicture read;
  try {
    read = ReadMgs(bytes);
  } catch (const FormatError&) {
    return;
  }
  if (!IsValidCellHeight(read.CellHeight)) std::abort();
  Picture picture;
  static_cast<Planes&>(picture) = read.Planes;
  picture.CellHeight = read.CellHeight;
  if (read.Border)
    if (const auto choice = FindBorderChoice(*read.Border)) picture.SetBorderChoice(choice->Column, choice->Row);
  // Every colour was checked, so the writer must accept the picture and the reader get it back.
  const ImportedPicture again = ReadMgs(WriteMgs(picture));
  if (!(again.Planes == read.Planes) || again.CellHeight != read.CellHeight) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::uint8_t> valid = WriteMgs(Picture{});
  Check(std::span(data, size));
  Check(Edited(valid, data, size));
  return 0;
}

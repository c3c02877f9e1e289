// ReadZxScreen in all four variants on any bytes, also applied as edits to a
// full-length file: 3 bytes an edit (16-bit offset, value); a leftover byte cuts
// that many bytes off the end.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "edited_file.h"
#include "formats/format_error.h"
#include "formats/zx_screen_format.h"

using namespace chromaloom;

namespace {

void Check(std::span<const std::uint8_t> bytes, bool hobeta, bool twoScreens) {
  try {
    const ImportedPicture read = ReadZxScreen(bytes, hobeta, twoScreens);
    if (read.CellHeight != 8) std::abort();
    for (const AttrPlane& plane : read.Planes.Attrs)
      for (const AttrEntry& e : plane.Entries)
        if (!IsValidZxColour(e.Ink) || !IsValidZxColour(e.Paper)) std::abort();
    if (!twoScreens && !(read.Planes == Planes{{read.Planes.Pixels[0], read.Planes.Pixels[0]},
                                               {read.Planes.Attrs[0], read.Planes.Attrs[0]}}))
      std::abort();
  } catch (const FormatError&) {
    // Only a short file is refused.
    if (bytes.size() >= ZxScreenFileLength(hobeta, twoScreens)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (bool hobeta : {false, true})
    for (bool twoScreens : {false, true}) {
      Check(std::span(data, size), hobeta, twoScreens);
      const std::vector<std::uint8_t> full(ZxScreenFileLength(hobeta, twoScreens), 0);
      Check(Edited(full, data, size), hobeta, twoScreens);
    }
  return 0;
}

// Writes a random picture of a cell height as .mgs and as the preview's
// snapshot, for scripts/emulator-shots.sh. With VIEWER.bin, that build of
// zx/viewer.asm runs instead of the embedded one (the timing sweep), the
// picture's settings kept.
//
// The viewer rewrites only the middle 16 columns between lines, so at cell
// heights 2 and 4 the side columns show each 8-line row's first cell; the
// picture keeps its side columns in 8-line cells there, unless
// EMULATOR_PICTURE_FULL_SIDES is set (to see how far off those are).
//
// Usage: emulator_picture CELL_HEIGHT SEED OUT.mgs OUT.z80 [VIEWER.bin]
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "files/file_io.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "spectrum/spectrum_files.h"
#include "support/random_picture.h"

int main(int argc, char** argv) {
  using namespace chromaloom;
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: %s CELL_HEIGHT SEED OUT.mgs OUT.z80 [VIEWER.bin]\n", argv[0]);
    return 2;
  }
  try {
    Picture picture =
        test_support::RandomPicture(std::atoi(argv[1]), static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    // A ZX attribute has one BRIGHT bit for ink and paper: keep to colours
    // the machine can show, as the renderer then draws them too.
    for (AttrPlane& plane : picture.Attrs)
      for (AttrEntry& entry : plane.Entries) entry = AttrEntryFromZx(ZxAttrByteOf(entry));
    if (!std::getenv("EMULATOR_PICTURE_FULL_SIDES"))
      for (AttrPlane& plane : picture.Attrs)
        for (int col = 0; col < ByteColumns; ++col)
          if (IsSideColumn(col))
            for (int line = 0; line < PictureHeight; ++line) plane.At(col, line) = plane.At(col, line / 8 * 8);
    ViewerMemory memory = MakeViewerMemory(picture);
    if (argc == 6) {
      const std::vector<std::uint8_t> viewer = ReadFileBytes(argv[5], ZxBankLength);
      // The first 7 bytes are the jump and the settings this picture filled in.
      for (std::size_t i = 7; i < viewer.size(); ++i) memory.Viewer[i] = viewer[i];
    }
    WriteFileAtomically(argv[3], WriteMgs(picture));
    WriteFileAtomically(argv[4], WriteSnapshotOf(memory, picture.GetBorderPair().Screen0, FileKind::Z80));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

// Writes a random picture of a cell height as .mgs and as the preview's
// snapshot (or its .szx, or its tape), for scripts/emulator-shots.sh: for
// the 128K, or for the Pentagon 128 when EMULATOR_SHOTS_MACHINE=pentagon;
// with plus2a, the 128K's snapshot names a +2A instead, on which the viewer
// must refuse to run.
// With VIEWER.bin, that build of the viewer for the picture's machine and
// cell height (zx/viewer.asm, zx/full_width_viewer.asm, or
// zx/pentagon_viewer.asm) runs instead of the embedded one: the timing sweep.
//
// Usage: emulator_picture CELL_HEIGHT SEED OUT.mgs OUT.z80|OUT.szx|OUT.tap [VIEWER.bin]
#include <libspectrum.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "spectrum/spectrum_files.h"
#include "support/random_picture.h"

namespace {

// The same snapshot naming another machine, through libspectrum.
std::vector<std::uint8_t> RenamedMachine(const std::vector<std::uint8_t>& bytes, chromaloom::FileKind kind,
                                         libspectrum_machine machine) {
  const std::unique_ptr<libspectrum_snap, decltype(&libspectrum_snap_free)> snap(libspectrum_snap_alloc(),
                                                                                 libspectrum_snap_free);
  const libspectrum_id_t type =
      kind == chromaloom::FileKind::Z80 ? LIBSPECTRUM_ID_SNAPSHOT_Z80 : LIBSPECTRUM_ID_SNAPSHOT_SZX;
  if (libspectrum_snap_read(snap.get(), bytes.data(), bytes.size(), type, nullptr) != LIBSPECTRUM_ERROR_NONE)
    throw std::runtime_error("libspectrum could not read the snapshot back");
  libspectrum_snap_set_machine(snap.get(), machine);
  libspectrum_byte* buffer = nullptr;
  std::size_t length = 0;
  int flags = 0;
  if (libspectrum_snap_write(&buffer, &length, &flags, snap.get(), type, nullptr, 0) != LIBSPECTRUM_ERROR_NONE)
    throw std::runtime_error("libspectrum could not write the snapshot");
  std::vector<std::uint8_t> renamed(buffer, buffer + length);
  libspectrum_free(buffer);
  return renamed;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace chromaloom;
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: %s CELL_HEIGHT SEED OUT.mgs OUT.z80|OUT.szx|OUT.tap [VIEWER.bin]\n", argv[0]);
    return 2;
  }
  try {
    Picture picture =
        test_support::RandomPicture(std::atoi(argv[1]), static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    // A ZX attribute has one BRIGHT bit for ink and paper: keep to colours
    // the machine can show, as the renderer then draws them too.
    for (AttrPlane& plane : picture.Attrs)
      for (AttrEntry& entry : plane.Entries) entry = AttrEntryFromZx(ZxAttrByteOf(entry));
    const std::string program = argv[4];
    const bool tape = program.ends_with(".tap");
    if (tape && argc == 6) throw std::invalid_argument("a tape carries the embedded viewer only");
    WriteFileAtomically(argv[3], WriteMgs(picture));
    if (tape) {
      WriteFileAtomically(program, WriteTape(picture));
    } else {
      const std::string named = std::getenv("EMULATOR_SHOTS_MACHINE") ? std::getenv("EMULATOR_SHOTS_MACHINE") : "";
      const ZxMachine machine = named == "pentagon" ? ZxMachine::Pentagon128 : ZxMachine::Spectrum128;
      const ViewerMemory memory = argc == 6
                                      ? MakeViewerMemory(picture, machine, ReadFileBytes(argv[5], 2 * ZxBankLength))
                                      : MakeViewerMemory(picture, machine);
      const FileKind kind = program.ends_with(".szx") ? FileKind::Szx : FileKind::Z80;
      std::vector<std::uint8_t> snapshot = WriteSnapshotOf(memory, kind);
      if (named == "plus2a") snapshot = RenamedMachine(snapshot, kind, LIBSPECTRUM_MACHINE_PLUS2A);
      WriteFileAtomically(program, snapshot);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}

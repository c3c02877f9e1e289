// A picture as files that run on a Spectrum: our viewer with both screens,
// as a snapshot (.z80, .szx) or a tape with a BASIC loader (.tap), all
// written through libspectrum. On the 128K the viewer shows every cell
// height exactly (8x1 with 8-line side cells, as .mg1 has them); the
// Pentagon 128 has a viewer of its own for 8x2, 8x4 and 8x8.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/file_kinds.h"
#include "picture/picture.h"

namespace chromaloom {

constexpr std::size_t ZxBankLength = 16384;
using ZxBank = std::array<std::uint8_t, ZxBankLength>;

// Where the viewer lives and how it is started.
constexpr std::uint16_t ViewerStart = 0x8000;  // bank 2
constexpr std::uint16_t ViewerStack = 0xBD00;
constexpr std::uint8_t ViewerPaging = 0x10;  // port 0x7FFD: 48K ROM, bank 0 at 0xC000, screen 0
constexpr int Screen0Bank = 5;
constexpr int Screen1Bank = 7;
constexpr int ViewerBank = 2;
constexpr int RaceCodeBank = 0;  // the race code for screen 0 at 8x2 and 8x4

enum class ZxMachine { Spectrum128, Pentagon128 };

// The RAM banks the viewer needs; the others are left empty.
struct ViewerMemory {
  ZxMachine Machine = ZxMachine::Spectrum128;
  ZxBank Screen0{};   // bank 5: screen 0 as the hardware reads it
  ZxBank Screen1{};   // bank 7: screen 1
  ZxBank Viewer{};    // bank 2: the viewer and its settings from 0x8000
  ZxBank RaceCode{};  // bank 0: the race code for screen 0 at 8x2 and 8x4
};

// The viewer for the machine with the picture in it. Throws
// std::invalid_argument for a picture no viewer can show (cell height,
// border choice or a colour outside their ranges) and for an 8x1 picture on
// the Pentagon, whose viewer shows 8x2, 8x4 and 8x8.
ViewerMemory MakeViewerMemory(const Picture& picture, ZxMachine machine);
// The same with another build of that machine's viewer (a timing sweep);
// throws std::invalid_argument when it does not fit.
ViewerMemory MakeViewerMemory(const Picture& picture, ZxMachine machine, std::span<const std::uint8_t> viewer);

// .z80 or .szx for the machine; another kind throws std::invalid_argument.
std::vector<std::uint8_t> WriteSnapshot(const Picture& picture, FileKind kind,
                                        ZxMachine machine = ZxMachine::Spectrum128);
// The snapshot of memory made by MakeViewerMemory, starting with screen 0's border.
std::vector<std::uint8_t> WriteSnapshotOf(const ViewerMemory& memory, FileKind kind);
// A .tap for the 128K: a BASIC loader that loads the viewer, screen 0 and,
// with bank 7 paged in, screen 1, then starts the viewer.
std::vector<std::uint8_t> WriteTape(const Picture& picture);

// Our own 16 KB ROM for the emulator, built from zx/rom.asm.
const ZxBank& OwnRom();

}  // namespace chromaloom

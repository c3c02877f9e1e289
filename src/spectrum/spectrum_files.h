// A picture as files that run on a 128K Spectrum: our viewer with both
// screens, as a snapshot (.z80, .szx) or a tape with a BASIC loader (.tap),
// all written through libspectrum.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// The three RAM banks the viewer needs; the other five are left empty.
struct ViewerMemory {
  ZxBank Screen0{};  // bank 5: screen 0 as the hardware reads it
  ZxBank Screen1{};  // bank 7: screen 1
  ZxBank Viewer{};   // bank 2: the viewer and its settings from 0x8000
  std::size_t ViewerLength = 0;  // bytes of Viewer in use
};

// Throws std::invalid_argument for a picture no viewer can show (cell
// height, border choice or a colour outside their ranges).
ViewerMemory MakeViewerMemory(const Picture& picture);

// .z80 or .szx; another kind throws std::invalid_argument.
std::vector<std::uint8_t> WriteSnapshot(const Picture& picture, FileKind kind);
// The snapshot of memory made by MakeViewerMemory, the border port set to border.
std::vector<std::uint8_t> WriteSnapshotOf(const ViewerMemory& memory, int border, FileKind kind);
// A .tap: a BASIC loader that loads the viewer, screen 0 and, with bank 7
// paged in, screen 1, then starts the viewer.
std::vector<std::uint8_t> WriteTape(const Picture& picture);

// The bytes of any kind written from the picture alone: the table's own
// writers and the Spectrum programs; nullopt for bitmaps and kinds never written.
std::optional<std::vector<std::uint8_t>> WriteFileOfKind(const Picture& picture, FileKind kind);

// Our own 16 KB ROM for the emulator, built from zx/rom.asm.
const ZxBank& OwnRom();

}  // namespace chromaloom

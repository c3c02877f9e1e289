#include "spectrum/spectrum_files.h"

#include <libspectrum.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>

#include "formats/mg_format.h"
#include "formats/zx_screen_format.h"
#include "picture/translated_text.h"
#include "spectrum/full_width_viewer_binary.h"
#include "spectrum/pentagon_viewer_binary.h"
#include "spectrum/rom_binary.h"
#include "spectrum/viewer_binary.h"

namespace chromaloom {

namespace {

// Offsets in bank 2 of the settings both viewers read, and of the tables
// of zx/viewer.asm.
constexpr std::size_t Border0Offset = 2;
constexpr std::size_t Border1Offset = 3;
constexpr std::size_t CellHeightOffset = 6;
constexpr std::size_t MiddleTableOffset[2] = {0x2000, 0x3000};  // 0xA000 and 0xB000
constexpr int MiddleFirstColumn = 8;
constexpr int MiddleColumns = 16;
constexpr std::size_t ViewerUsedLength = 0x3C00;  // up to 0xBC00, below the stack
static_assert(MiddleTableOffset[1] + MiddleColumns * PictureHeight <= ViewerUsedLength);

// What zx/pentagon_viewer.asm says of itself at 0x8008: where the race code
// of each screen starts at 8x2 and 8x4, its block lengths, and where a
// block holds each column's attribute byte.
constexpr std::size_t RaceCodeStartOffset = 8;  // 8x2 screen 0, 8x2 screen 1, 8x4 screen 0, 8x4 screen 1
constexpr std::size_t BlockLengthOffset = 16;   // 8x2, 8x4
constexpr std::size_t ColumnOffsetsOffset = 20;
// zx/full_width_viewer.asm at 0x8008: where each screen's race code and
// its line 0 start, the block length, and where a block holds each
// column's byte.
constexpr std::size_t FullWidthStartOffset = 8;
constexpr std::size_t FullWidthTopOffset = 12;
constexpr std::size_t FullWidthBlockLengthOffset = 16;
constexpr std::size_t FullWidthColumnsOffset = 18;

constexpr std::size_t RaceViewerMaxLength = 2 * ZxBankLength;  // bank 2, then bank 0 at 0xC000
constexpr std::uint16_t RaceCodeAddress = 0xC000;

constexpr std::uint16_t Screen1Address = 0xC000;  // bank 7 paged in by the loader
constexpr std::uint8_t LoaderPagingBank7 = 0x17;  // 48K ROM, bank 7 at 0xC000

void StartLibspectrum() {
  static std::once_flag started;
  std::call_once(started, [] {
    if (libspectrum_init() != LIBSPECTRUM_ERROR_NONE) throw std::runtime_error("libspectrum could not start");
  });
}

void CheckColours(const Picture& picture) {
  for (const AttrPlane& plane : picture.Attrs)
    for (const AttrEntry& entry : plane.Entries)
      if (!IsValidZxColour(entry.Ink) || !IsValidZxColour(entry.Paper))
        throw UnusableValue(UserText::Of(
            QT_TRANSLATE_NOOP("Messages", "cannot export a picture with a colour outside the 15 ZX colours")));
}

int WordAt(const ZxBank& bank, std::size_t at) { return bank[at] | (bank[at + 1] << 8); }

// Bytes handed to libspectrum, which frees them itself.
libspectrum_byte* LibspectrumCopy(const std::uint8_t* data, std::size_t length) {
  auto* copy = libspectrum_new(libspectrum_byte, length);
  std::copy(data, data + length, copy);
  return copy;
}

std::vector<std::uint8_t> TakeLibspectrumBuffer(libspectrum_byte* buffer, std::size_t length) {
  std::vector<std::uint8_t> bytes(buffer, buffer + length);
  libspectrum_free(buffer);
  return bytes;
}

void Check(libspectrum_error error, const char* what) {
  if (error != LIBSPECTRUM_ERROR_NONE) throw std::runtime_error(std::string("libspectrum could not ") + what);
}

// ---- The tape ----

constexpr std::uint8_t HeaderFlag = 0x00;
constexpr std::uint8_t DataFlag = 0xFF;

// One standard ROM block: flag, payload, XOR checksum.
void AppendRomBlock(libspectrum_tape* tape, std::uint8_t flag, const std::vector<std::uint8_t>& payload) {
  std::vector<std::uint8_t> data;
  data.reserve(payload.size() + 2);
  data.push_back(flag);
  data.insert(data.end(), payload.begin(), payload.end());
  std::uint8_t sum = 0;
  for (const std::uint8_t b : data) sum ^= b;
  data.push_back(sum);
  libspectrum_tape_block* block = libspectrum_tape_block_alloc(LIBSPECTRUM_TAPE_BLOCK_ROM);
  libspectrum_tape_block_set_data_length(block, data.size());
  libspectrum_tape_block_set_data(block, LibspectrumCopy(data.data(), data.size()));
  libspectrum_tape_block_set_pause(block, 1000);
  libspectrum_tape_append_block(tape, block);
}

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, std::size_t value) {
  out[at] = static_cast<std::uint8_t>(value & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// A header block then its data block. type 0: program (param1 the autostart
// line, param2 the program's length); type 3: bytes (param1 the address).
void AppendFile(libspectrum_tape* tape, std::uint8_t type, std::string_view name, const std::vector<std::uint8_t>& data,
                std::size_t param1, std::size_t param2) {
  std::vector<std::uint8_t> header(17, ' ');
  header[0] = type;
  std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(name.size(), 10)),
            header.begin() + 1);
  PutWord(header, 11, data.size());
  PutWord(header, 13, param1);
  PutWord(header, 15, param2);
  AppendRomBlock(tape, HeaderFlag, header);
  AppendRomBlock(tape, DataFlag, data);
}

// BASIC keywords as the ROM stores them.
constexpr std::uint8_t Clear = 0xFD, Load = 0xEF, Code = 0xAF, ScreenS = 0xAA, Poke = 0xF4, Out = 0xDF,
                       Randomize = 0xF9, Usr = 0xC0;

// A number as BASIC keeps it: its digits, then 0x0E and the small-integer form.
void AppendNumber(std::vector<std::uint8_t>& line, int value) {
  for (const char digit : std::to_string(value)) line.push_back(static_cast<std::uint8_t>(digit));
  line.insert(line.end(),
              {0x0E, 0x00, 0x00, static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8), 0x00});
}

constexpr int LoaderLine = 10;
constexpr int BankmVariable = 23388;  // the 128's copy of port 0x7FFD, which its tape routines restore
constexpr int PagingPort = 0x7FFD;

// 10 CLEAR 32767: LOAD ""CODE : LOAD ""SCREEN$ : POKE 23388,23: OUT 32765,23:
//    LOAD ""CODE : POKE 23388,16: OUT 32765,16: RANDOMIZE USR 32768
// with bank 0's race code loaded at 49152 before the USR when there is one.
std::vector<std::uint8_t> LoaderProgram(bool raceCode) {
  std::vector<std::uint8_t> text;
  const auto statement = [&text](std::initializer_list<std::uint8_t> bytes) {
    if (!text.empty()) text.push_back(':');
    text.insert(text.end(), bytes);
  };
  const auto poke = [&](int address, int value) {
    statement({Poke});
    AppendNumber(text, address);
    text.push_back(',');
    AppendNumber(text, value);
  };
  const auto out = [&](int value) {
    statement({Out});
    AppendNumber(text, PagingPort);
    text.push_back(',');
    AppendNumber(text, value);
  };
  statement({Clear});
  AppendNumber(text, ViewerStart - 1);
  statement({Load, '"', '"', Code});
  statement({Load, '"', '"', ScreenS});
  poke(BankmVariable, LoaderPagingBank7);
  out(LoaderPagingBank7);
  statement({Load, '"', '"', Code});
  poke(BankmVariable, ViewerPaging);
  out(ViewerPaging);
  if (raceCode) statement({Load, '"', '"', Code});
  statement({Randomize, Usr});
  AppendNumber(text, ViewerStart);
  text.push_back(0x0D);
  std::vector<std::uint8_t> program = {0, LoaderLine, 0, 0};
  PutWord(program, 2, text.size());
  program.insert(program.end(), text.begin(), text.end());
  return program;
}

// 128K: every line's middle attributes, as the cell holding the line has them.
void FillMiddleTables(const Picture& picture, ZxBank& viewer) {
  for (int s = 0; s < 2; ++s)
    for (int line = 0; line < PictureHeight; ++line)
      for (int i = 0; i < MiddleColumns; ++i) {
        const int col = MiddleFirstColumn + i;
        viewer[MiddleTableOffset[s] + line * MiddleColumns + i] =
            ZxAttrByteOf(picture.Attrs[s].At(col, picture.AttrLineOf(col, line)));
      }
}

// The byte at a Z80 address of a race-code viewer's banks.
std::uint8_t& RaceCodeByte(ViewerMemory& memory, std::size_t address) {
  if (address >= ViewerStart && address < RaceCodeAddress) return memory.Viewer[address - ViewerStart];
  if (address >= RaceCodeAddress && address < RaceCodeAddress + ZxBankLength)
    return memory.RaceCode[address - RaceCodeAddress];
  throw std::invalid_argument("the viewer's race code lies outside its banks");
}

// Pentagon: each cell's 32 attributes into the race code's block of the
// cell's first line.
void FillRaceCode(const Picture& picture, ViewerMemory& memory) {
  const int height = picture.CellHeight;
  const std::size_t tall = height == 4 ? 1 : 0;
  const std::size_t blockLength = WordAt(memory.Viewer, BlockLengthOffset + 2 * tall);
  for (int s = 0; s < 2; ++s) {
    const std::size_t first = WordAt(memory.Viewer, RaceCodeStartOffset + 4 * tall + 2 * s);
    for (int line = 0; line < PictureHeight; line += height) {
      const std::size_t block = first + static_cast<std::size_t>(line / height) * blockLength;
      for (int col = 0; col < ByteColumns; ++col)
        RaceCodeByte(memory, block + memory.Viewer[ColumnOffsetsOffset + col]) =
            ZxAttrByteOf(picture.Attrs[s].At(col, line));
    }
  }
}

// 128K at 8x2 and 8x4: line 0's attributes into the table the viewer copies
// before each race, and every second line's from line 2 into the block of
// that cell boundary (an 8x4 cell fills two blocks alike).
void FillFullWidthRaceCode(const Picture& picture, ViewerMemory& memory) {
  const std::size_t blockLength = WordAt(memory.Viewer, FullWidthBlockLengthOffset);
  for (int s = 0; s < 2; ++s) {
    const auto attr = [&](int col, int line) {
      return ZxAttrByteOf(picture.Attrs[s].At(col, picture.AttrLineOf(col, line)));
    };
    const std::size_t top = WordAt(memory.Viewer, FullWidthTopOffset + 2 * s);
    const std::size_t first = WordAt(memory.Viewer, FullWidthStartOffset + 2 * s);
    for (int col = 0; col < ByteColumns; ++col) RaceCodeByte(memory, top + col) = attr(col, 0);
    for (int line = 2; line < PictureHeight; line += 2) {
      const auto n = static_cast<std::size_t>(line / 2 - 1);
      for (int col = 0; col < ByteColumns; ++col)
        RaceCodeByte(memory, first + n * blockLength + memory.Viewer[FullWidthColumnsOffset + col]) = attr(col, line);
    }
  }
}

bool RacesFullWidth(ZxMachine machine, int cellHeight) {
  return machine == ZxMachine::Spectrum128 && (cellHeight == 2 || cellHeight == 4);
}

std::span<const std::uint8_t> OwnViewer(ZxMachine machine, int cellHeight) {
  if (machine == ZxMachine::Pentagon128) return PentagonViewerBinary;
  return RacesFullWidth(machine, cellHeight) ? std::span<const std::uint8_t>(FullWidthViewerBinary) : ViewerBinary;
}

}  // namespace

ViewerMemory MakeViewerMemory(const Picture& picture, ZxMachine machine) {
  return MakeViewerMemory(picture, machine, OwnViewer(machine, picture.CellHeight));
}

ViewerMemory MakeViewerMemory(const Picture& picture, ZxMachine machine, std::span<const std::uint8_t> viewer) {
  static_assert(ViewerBinary.size() <= MiddleTableOffset[0], "the viewer's code runs into its tables");
  static_assert(PentagonViewerBinary.size() <= RaceViewerMaxLength);
  static_assert(FullWidthViewerBinary.size() <= RaceViewerMaxLength);
  CheckWritable(picture);
  CheckColours(picture);
  const bool pentagon = machine == ZxMachine::Pentagon128;
  if (pentagon && picture.CellHeight == 1)
    throw UnusableValue(UserText::Of(
        QT_TRANSLATE_NOOP("Messages", "the Pentagon viewer shows cell heights 8x2, 8x4 and 8x8, not 8x1")));
  const bool fullWidth = RacesFullWidth(machine, picture.CellHeight);
  if (viewer.size() > (pentagon || fullWidth ? RaceViewerMaxLength : MiddleTableOffset[0]))
    throw std::invalid_argument("the viewer is too long for its banks");
  ViewerMemory memory;
  memory.Machine = machine;
  // Each screen as the hardware reads it: the two halves of a .img.
  const std::vector<std::uint8_t> screens = WriteImg(picture);
  std::copy_n(screens.begin(), ZxScreenLength, memory.Screen0.begin());
  std::copy_n(screens.begin() + ZxScreenLength, ZxScreenLength, memory.Screen1.begin());
  const std::size_t inBank2 = std::min(viewer.size(), ZxBankLength);
  std::copy_n(viewer.begin(), inBank2, memory.Viewer.begin());
  std::copy(viewer.begin() + static_cast<std::ptrdiff_t>(inBank2), viewer.end(), memory.RaceCode.begin());
  const BorderPair border = picture.GetBorderPair();
  memory.Viewer[Border0Offset] = static_cast<std::uint8_t>(border.Screen0);
  memory.Viewer[Border1Offset] = static_cast<std::uint8_t>(border.Screen1);
  memory.Viewer[CellHeightOffset] = picture.CellHeight;
  if (pentagon && picture.CellHeight != 8) FillRaceCode(picture, memory);
  if (fullWidth) FillFullWidthRaceCode(picture, memory);
  if (!pentagon && !fullWidth) FillMiddleTables(picture, memory.Viewer);
  return memory;
}

std::vector<std::uint8_t> WriteSnapshot(const Picture& picture, FileKind kind, ZxMachine machine) {
  return WriteSnapshotOf(MakeViewerMemory(picture, machine), kind);
}

std::vector<std::uint8_t> WriteSnapshotOf(const ViewerMemory& memory, FileKind kind) {
  if (kind != FileKind::Z80 && kind != FileKind::Szx)
    throw std::invalid_argument(std::string("a snapshot is .z80 or .szx, not ") + FileKindName(kind));
  StartLibspectrum();
  const std::unique_ptr<libspectrum_snap, decltype(&libspectrum_snap_free)> snap(libspectrum_snap_alloc(),
                                                                                 libspectrum_snap_free);
  libspectrum_snap_set_machine(
      snap.get(), memory.Machine == ZxMachine::Pentagon128 ? LIBSPECTRUM_MACHINE_PENT : LIBSPECTRUM_MACHINE_128);
  for (int page = 0; page < 8; ++page) {
    const ZxBank empty{};
    const ZxBank& bank = page == Screen0Bank    ? memory.Screen0
                         : page == Screen1Bank  ? memory.Screen1
                         : page == ViewerBank   ? memory.Viewer
                         : page == RaceCodeBank ? memory.RaceCode
                                                : empty;
    libspectrum_snap_set_pages(snap.get(), page, LibspectrumCopy(bank.data(), bank.size()));
  }
  // The viewer's first instruction with interrupts off; it sets up IM 2 itself.
  libspectrum_snap_set_pc(snap.get(), ViewerStart);
  libspectrum_snap_set_sp(snap.get(), ViewerStack);
  libspectrum_snap_set_iff1(snap.get(), 0);
  libspectrum_snap_set_iff2(snap.get(), 0);
  libspectrum_snap_set_im(snap.get(), 1);
  libspectrum_snap_set_out_128_memoryport(snap.get(), ViewerPaging);
  // The border the viewer starts with, screen 0's.
  libspectrum_snap_set_out_ula(snap.get(), static_cast<libspectrum_byte>(memory.Viewer[Border0Offset] & 7));
  libspectrum_byte* buffer = nullptr;
  std::size_t length = 0;
  int flags = 0;
  const libspectrum_id_t type = kind == FileKind::Z80 ? LIBSPECTRUM_ID_SNAPSHOT_Z80 : LIBSPECTRUM_ID_SNAPSHOT_SZX;
  Check(libspectrum_snap_write(&buffer, &length, &flags, snap.get(), type, nullptr, 0), "write the snapshot");
  return TakeLibspectrumBuffer(buffer, length);
}

std::vector<std::uint8_t> WriteTape(const Picture& picture) {
  const ViewerMemory memory = MakeViewerMemory(picture, ZxMachine::Spectrum128);
  StartLibspectrum();
  const std::unique_ptr<libspectrum_tape, decltype(&libspectrum_tape_free)> tape(libspectrum_tape_alloc(),
                                                                                 libspectrum_tape_free);
  const std::size_t viewerLength = OwnViewer(ZxMachine::Spectrum128, picture.CellHeight).size();
  const std::size_t raceCodeLength = viewerLength > ZxBankLength ? viewerLength - ZxBankLength : 0;
  const std::vector<std::uint8_t> program = LoaderProgram(raceCodeLength > 0);
  AppendFile(tape.get(), 0, "chromaLoom", program, LoaderLine, program.size());
  const std::vector<std::uint8_t> viewer(memory.Viewer.begin(),
                                         memory.Viewer.begin() + static_cast<std::ptrdiff_t>(ViewerUsedLength));
  AppendFile(tape.get(), 3, "viewer", viewer, ViewerStart, 32768);
  const auto screenBytes = [](const ZxBank& bank) {
    return std::vector<std::uint8_t>(bank.begin(), bank.begin() + ZxScreenLength);
  };
  AppendFile(tape.get(), 3, "screen 0", screenBytes(memory.Screen0), 0x4000, 32768);
  AppendFile(tape.get(), 3, "screen 1", screenBytes(memory.Screen1), Screen1Address, 32768);
  if (raceCodeLength > 0)
    AppendFile(tape.get(), 3, "race code",
               std::vector<std::uint8_t>(memory.RaceCode.begin(),
                                         memory.RaceCode.begin() + static_cast<std::ptrdiff_t>(raceCodeLength)),
               RaceCodeAddress, 32768);
  libspectrum_byte* buffer = nullptr;
  std::size_t length = 0;
  Check(libspectrum_tape_write(&buffer, &length, tape.get(), LIBSPECTRUM_ID_TAPE_TAP), "write the tape");
  return TakeLibspectrumBuffer(buffer, length);
}

const ZxBank& OwnRom() {
  static_assert(RomBinary.size() == ZxBankLength, "zx/rom.asm must fill exactly 16 KB");
  return RomBinary;
}

}  // namespace chromaloom

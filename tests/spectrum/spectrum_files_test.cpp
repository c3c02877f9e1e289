#include <gtest/gtest.h>
#include <libspectrum.h>

#include <array>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/zx_screen_format.h"
#include "spectrum/file_encoding.h"
#include "spectrum/spectrum_files.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using chromaloom::test_support::RandomPicture;
using Bytes = std::vector<std::uint8_t>;

// The viewer's settings and tables in bank 2, as zx/viewer.asm reads them.
constexpr std::size_t Border0At = 2, Border1At = 3, CellHeightAt = 6;
constexpr std::size_t TableAt[2] = {0x2000, 0x3000};

struct Snapshot {
  std::unique_ptr<libspectrum_snap, decltype(&libspectrum_snap_free)> Snap{libspectrum_snap_alloc(),
                                                                           libspectrum_snap_free};
  const std::uint8_t* Page(int n) const { return libspectrum_snap_pages(Snap.get(), n); }
};

Snapshot ReadSnapshot(const Bytes& bytes, FileKind kind) {
  Snapshot s;
  const libspectrum_id_t type = kind == FileKind::Z80 ? LIBSPECTRUM_ID_SNAPSHOT_Z80 : LIBSPECTRUM_ID_SNAPSHOT_SZX;
  EXPECT_EQ(libspectrum_snap_read(s.Snap.get(), bytes.data(), bytes.size(), type, nullptr), LIBSPECTRUM_ERROR_NONE);
  return s;
}

// Each pixel of the screen where the ULA looks for it, each attribute byte
// from the cell's first line (the side columns' every line in 8x1).
void ExpectScreen(const std::uint8_t* bank, const Picture& picture, int screen) {
  ASSERT_NE(bank, nullptr);
  int wrongPixels = 0, wrongAttrs = 0;
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const bool bit = (bank[(y & 7) * 256 + ((y >> 3) & 7) * 32 + (y >> 6) * 2048 + x / 8] >> (7 - x % 8)) & 1;
      wrongPixels += bit != picture.GetPixelBit(screen, x, y);
    }
  for (int row = 0; row < 24; ++row)
    for (int col = 0; col < 32; ++col) {
      const AttrEntry& cell = picture.AttrAt(screen, col, row * 8);
      wrongAttrs += bank[6144 + row * 32 + col] != ZxAttrByte(cell.Ink, cell.Paper);
    }
  EXPECT_EQ(wrongPixels, 0) << "screen " << screen;
  EXPECT_EQ(wrongAttrs, 0) << "screen " << screen;
}

// The 16 middle attributes of every line, as the line's own cell has them.
void ExpectMiddleTables(const std::uint8_t* bank2, const Picture& picture) {
  int wrong = 0;
  for (int s = 0; s < 2; ++s)
    for (int y = 0; y < PictureHeight; ++y)
      for (int col = 8; col < 24; ++col) {
        const AttrEntry& cell = picture.CellAttr(s, col * 8, y);
        wrong += bank2[TableAt[s] + y * 16 + (col - 8)] != ZxAttrByte(cell.Ink, cell.Paper);
      }
  EXPECT_EQ(wrong, 0);
}

// Runs the Pentagon viewer's race code of one screen as the processor
// would, timing aside, and returns the attribute bytes each block (one per
// cell boundary) wrote, by attribute address. Only the instructions the
// race code is made of are known; any other fails the test.
std::vector<std::map<int, std::uint8_t>> RunRaceCode(const Snapshot& s, int screen, int cellHeight) {
  std::vector<std::uint8_t> memory(0x10000, 0);
  const auto place = [&](int address, int page) {
    const std::uint8_t* bank = s.Page(page);
    if (bank) std::copy(bank, bank + ZxBankLength, memory.begin() + address);
  };
  place(0x4000, 5);
  place(0x8000, 2);
  place(0xC000, screen == 0 ? 0 : 7);  // the paging of that screen's frames
  const auto word = [&](int at) { return memory[at] | (memory[at + 1] << 8); };
  // AF BC DE HL, then the other set, then IX IY.
  std::array<int, 10> regs{};
  const auto reg = [&](int code) -> int& { return regs[code]; };
  int sp = 0, pc = word(0x8008 + (cellHeight == 4 ? 4 : 0) + 2 * screen);
  const int start = pc;
  std::vector<std::map<int, std::uint8_t>> blocks;
  const auto push = [&](int value) {
    memory[--sp & 0xFFFF] = static_cast<std::uint8_t>(value >> 8);
    memory[--sp & 0xFFFF] = static_cast<std::uint8_t>(value);
    for (int at : {sp + 1, sp}) {
      EXPECT_TRUE(!blocks.empty() && !blocks.back().count(at)) << "a byte written twice at " << at;
      if (!blocks.empty()) blocks.back()[at] = memory[at];
    }
  };
  const auto pop = [&] {
    const int value = word(sp);
    sp += 2;
    return value;
  };
  // The index in regs of BC, DE, HL and AF for the register set in use.
  bool otherSet = false, otherAf = false;
  const auto pairIndex = [&](int opcodePair) {  // 0 BC, 1 DE, 2 HL, 3 AF
    if (opcodePair == 3) return otherAf ? 4 : 0;
    return 1 + opcodePair + (otherSet ? 4 : 0);
  };
  for (int steps = 0; steps < 200000; ++steps) {
    const int op = memory[pc];
    if (op == 0x18) {  // JR e: a block starts with the jump over its data
      if (memory[pc + 1] == 20) blocks.emplace_back();
      pc += 2 + static_cast<std::int8_t>(memory[pc + 1]);
    } else if (op == 0x31) {
      sp = word(pc + 1), pc += 3;
    } else if ((op & 0xCF) == 0x01) {  // LD rr,nn
      reg(pairIndex((op >> 4) & 3)) = word(pc + 1), pc += 3;
    } else if ((op & 0xCF) == 0xC1) {  // POP rr
      reg(pairIndex((op >> 4) & 3)) = pop(), pc += 1;
    } else if ((op & 0xCF) == 0xC5) {  // PUSH rr
      push(reg(pairIndex((op >> 4) & 3))), pc += 1;
    } else if ((op == 0xDD || op == 0xFD) && (memory[pc + 1] == 0xE1 || memory[pc + 1] == 0xE5)) {
      int& index = regs[op == 0xDD ? 8 : 9];
      if (memory[pc + 1] == 0xE1)
        index = pop();
      else
        push(index);
      pc += 2;
    } else if (op == 0xD9) {
      otherSet = !otherSet, pc += 1;
    } else if (op == 0x08) {
      otherAf = !otherAf, pc += 1;
    } else if (op == 0x06) {  // LD B,n
      reg(pairIndex(0)) = (memory[pc + 1] << 8) | (reg(pairIndex(0)) & 0xFF), pc += 2;
    } else if (op == 0x10) {  // DJNZ
      int& bc = reg(pairIndex(0));
      bc = (((bc >> 8) - 1) & 0xFF) << 8 | (bc & 0xFF);
      pc += (bc >> 8) ? 2 + static_cast<std::int8_t>(memory[pc + 1]) : 2;
    } else if (op == 0x00) {
      pc += 1;
    } else if (op == 0xC3 && (word(pc + 1) < start || word(pc + 1) >= pc)) {
      return blocks;  // back to the frame loop
    } else {
      ADD_FAILURE() << "unexpected opcode " << op << " at " << pc;
      return blocks;
    }
  }
  ADD_FAILURE() << "the race code does not end";
  return blocks;
}

// Each block writes the whole attribute row of its cell boundary's line,
// every column once, with the picture's attributes of that line.
void ExpectRaceCode(const Snapshot& s, const Picture& picture) {
  const int height = picture.CellHeight;
  for (int screen = 0; screen < 2; ++screen) {
    const std::vector<std::map<int, std::uint8_t>> blocks = RunRaceCode(s, screen, height);
    ASSERT_EQ(blocks.size(), static_cast<std::size_t>(PictureHeight / height)) << "screen " << screen;
    int wrong = 0;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
      const int line = static_cast<int>(k) * height;
      const int row = (screen == 0 ? 0x5800 : 0xD800) + line / 8 * 32;
      ASSERT_EQ(blocks[k].size(), 32u) << "block " << k;
      for (int col = 0; col < 32; ++col) {
        const auto written = blocks[k].find(row + col);
        const AttrEntry& cell = picture.AttrAt(screen, col, line);
        wrong += written == blocks[k].end() || written->second != ZxAttrByte(cell.Ink, cell.Paper);
      }
    }
    EXPECT_EQ(wrong, 0) << "screen " << screen;
  }
}

TEST(SpectrumSnapshot, HoldsBothScreensTheViewerAndItsStart) {
  struct Case {
    int Mode;
    ZxMachine Machine;
  };
  const Case cases[] = {{8, ZxMachine::Spectrum128}, {4, ZxMachine::Spectrum128}, {2, ZxMachine::Spectrum128},
                        {1, ZxMachine::Spectrum128}, {4, ZxMachine::Pentagon128}, {2, ZxMachine::Pentagon128}};
  for (const FileKind kind : {FileKind::Z80, FileKind::Szx}) {
    for (const auto& [mode, machine] : cases) {
      const bool pentagon = machine == ZxMachine::Pentagon128;
      SCOPED_TRACE(std::string(FileKindName(kind)) + " 8x" + std::to_string(mode) + (pentagon ? " Pentagon" : ""));
      const Picture picture = RandomPicture(mode, 70u + mode);
      const Snapshot s = ReadSnapshot(WriteSnapshot(picture, kind, machine), kind);
      libspectrum_snap* snap = s.Snap.get();
      // At 8x2 and 8x4 bank 0 holds screen 0's race code; the 128K's is
      // checked beat by beat in beam_race_test.
      const bool raceCode = mode == 2 || mode == 4;
      EXPECT_EQ(libspectrum_snap_machine(snap), pentagon ? LIBSPECTRUM_MACHINE_PENT : LIBSPECTRUM_MACHINE_128);
      EXPECT_EQ(libspectrum_snap_pc(snap), 0x8000);
      EXPECT_EQ(libspectrum_snap_sp(snap), 0xBD00);
      EXPECT_EQ(libspectrum_snap_iff1(snap), 0);
      EXPECT_EQ(libspectrum_snap_out_128_memoryport(snap), 0x10);  // bank 0 at 0xC000, screen 0, unlocked
      EXPECT_EQ(libspectrum_snap_out_ula(snap) & 7, picture.GetBorderPair().Screen0);
      ExpectScreen(s.Page(5), picture, 0);
      ExpectScreen(s.Page(7), picture, 1);
      const std::uint8_t* viewer = s.Page(2);
      ASSERT_NE(viewer, nullptr);
      EXPECT_EQ(viewer[0], 0x18);  // JR over the settings
      EXPECT_EQ(viewer[Border0At], picture.GetBorderPair().Screen0);
      EXPECT_EQ(viewer[Border1At], picture.GetBorderPair().Screen1);
      EXPECT_EQ(viewer[CellHeightAt], mode);
      if (pentagon)
        ExpectRaceCode(s, picture);
      else if (!raceCode)
        ExpectMiddleTables(viewer, picture);
      for (const int page : {0, 1, 3, 4, 6}) {
        if (raceCode && page == 0) continue;
        const std::uint8_t* bank = s.Page(page);
        if (!bank) continue;  // a format may leave an empty bank out
        EXPECT_EQ(std::count(bank, bank + ZxBankLength, 0), static_cast<long>(ZxBankLength)) << "bank " << page;
      }
    }
  }
}

TEST(SpectrumFiles, AreByteStableAndFollowThePicture) {
  const Picture picture = RandomPicture(1, 5);
  Picture other = picture;
  other.SetAttr(1, 12, 101, 3, 9);  // one middle attribute of one line
  Picture otherBorder = picture;
  otherBorder.SetBorderChoice((picture.Border.Column + 1) % BorderColumns, picture.Border.Row);
  for (const FileKind kind : {FileKind::Z80, FileKind::Szx, FileKind::Tap}) {
    SCOPED_TRACE(FileKindName(kind));
    const Bytes first = *EncodeFile(kind, picture);
    EXPECT_EQ(*EncodeFile(kind, picture), first);
    EXPECT_NE(*EncodeFile(kind, other), first);
    EXPECT_NE(*EncodeFile(kind, otherBorder), first);
  }
}

struct TapeBlock {
  Bytes Data;  // flag, payload, checksum
};

std::vector<TapeBlock> ReadTape(const Bytes& bytes) {
  std::unique_ptr<libspectrum_tape, decltype(&libspectrum_tape_free)> tape(libspectrum_tape_alloc(),
                                                                           libspectrum_tape_free);
  EXPECT_EQ(libspectrum_tape_read(tape.get(), bytes.data(), bytes.size(), LIBSPECTRUM_ID_TAPE_TAP, nullptr),
            LIBSPECTRUM_ERROR_NONE);
  std::vector<TapeBlock> blocks;
  libspectrum_tape_iterator it;
  for (libspectrum_tape_block* b = libspectrum_tape_iterator_init(&it, tape.get()); b;
       b = libspectrum_tape_iterator_next(&it)) {
    EXPECT_EQ(libspectrum_tape_block_type(b), LIBSPECTRUM_TAPE_BLOCK_ROM);
    const std::uint8_t* data = libspectrum_tape_block_data(b);
    blocks.push_back({Bytes(data, data + libspectrum_tape_block_data_length(b))});
  }
  return blocks;
}

int Word(const Bytes& data, std::size_t at) { return data[at] | (data[at + 1] << 8); }

// The program's text with each number's hidden 5-byte form left out.
std::string ProgramText(const Bytes& program) {
  std::string text;
  for (std::size_t i = 4; i + 1 < program.size(); ++i) {
    if (program[i] == 0x0E) {
      i += 5;
      continue;
    }
    text.push_back(static_cast<char>(program[i]));
  }
  return text;
}

TEST(SpectrumTape, LoadsTheViewerAndBothScreensThenRunsIt) {
  for (const int mode : {8, 4, 1}) {
    SCOPED_TRACE(mode);
    const Picture picture = RandomPicture(mode, 90u + mode);
    const std::vector<TapeBlock> blocks = ReadTape(WriteTape(picture));
    const bool raceCode = mode == 4;  // the full-width viewer's bank 0, loaded last
    const std::size_t fileCount = raceCode ? 5 : 4;
    ASSERT_EQ(blocks.size(), 2 * fileCount);
    struct File {
      int Type;
      std::string Name;
      int Param1;
    };
    const File files[] = {{0, "chromaLoom", 10},
                          {3, "viewer    ", 0x8000},
                          {3, "screen 0  ", 0x4000},
                          {3, "screen 1  ", 0xC000},
                          {3, "race code ", 0xC000}};
    for (std::size_t f = 0; f < fileCount; ++f) {
      const Bytes& header = blocks[2 * f].Data;
      const Bytes& data = blocks[2 * f + 1].Data;
      ASSERT_EQ(header.size(), 19u);
      EXPECT_EQ(header[0], 0x00);
      EXPECT_EQ(data[0], 0xFF);
      for (const Bytes* block : {&header, &data}) {
        std::uint8_t sum = 0;
        for (const std::uint8_t b : *block) sum ^= b;
        EXPECT_EQ(sum, 0) << "checksum of " << files[f].Name;
      }
      EXPECT_EQ(header[1], files[f].Type);
      EXPECT_EQ(std::string(header.begin() + 2, header.begin() + 12), files[f].Name);
      EXPECT_EQ(Word(header, 12), static_cast<int>(data.size() - 2)) << files[f].Name;
      EXPECT_EQ(Word(header, 14), files[f].Param1) << files[f].Name;
    }
    // The 128K viewer's banks 2, 5, 7 and, at 8x4, 0: what the snapshot holds.
    const ViewerMemory memory = MakeViewerMemory(picture, ZxMachine::Spectrum128);
    const auto payload = [&](std::size_t block) {
      return Bytes(blocks[block].Data.begin() + 1, blocks[block].Data.end() - 1);
    };
    const Bytes viewer = payload(3);
    EXPECT_EQ(viewer, Bytes(memory.Viewer.begin(), memory.Viewer.begin() + static_cast<long>(viewer.size())));
    EXPECT_GE(viewer.size(), TableAt[1] + 16 * 192);
    if (!raceCode) ExpectMiddleTables(viewer.data(), picture);
    EXPECT_EQ(payload(5), Bytes(memory.Screen0.begin(), memory.Screen0.begin() + ZxScreenLength));
    EXPECT_EQ(payload(7), Bytes(memory.Screen1.begin(), memory.Screen1.begin() + ZxScreenLength));
    const Snapshot s = ReadSnapshot(WriteSnapshot(picture, FileKind::Z80), FileKind::Z80);
    EXPECT_EQ(viewer, Bytes(s.Page(2), s.Page(2) + viewer.size()));
    if (raceCode) {
      const Bytes race = payload(9);
      EXPECT_GT(race.size(), 95u * 80);  // a block of code for every second line
      EXPECT_EQ(race, Bytes(s.Page(0), s.Page(0) + race.size()));
    }
    // The loader: line 10, tokens as the ROM keeps them, bank 7 paged in for screen 1.
    const Bytes program = payload(1);
    EXPECT_EQ(program[0] * 256 + program[1], 10);
    EXPECT_EQ(Word(program, 2), static_cast<int>(program.size() - 4));
    EXPECT_EQ(program.back(), 0x0D);
    const std::string expected =
        "\xFD"
        "32767:\xEF\"\"\xAF:\xEF\"\"\xAA:\xF4"
        "23388,23:\xDF"
        "32765,23:\xEF\"\"\xAF:\xF4"
        "23388,16:\xDF"
        "32765,16:" +
        std::string(raceCode ? "\xEF\"\"\xAF:" : "") +
        "\xF9\xC0"
        "32768";
    EXPECT_EQ(ProgramText(program), expected);
  }
}

TEST(SpectrumFiles, RefuseAPictureNoViewerCanShow) {
  Picture badMode = RandomPicture(8, 1);
  badMode.CellHeight = 3;
  Picture badBorder = RandomPicture(4, 2);
  badBorder.Border = {BorderColumns, 0};
  Picture badColour = RandomPicture(1, 3);
  badColour.SetAttr(0, 31, 191, 15, 0);
  for (const Picture* picture : {&badMode, &badBorder, &badColour})
    for (const FileKind kind : {FileKind::Z80, FileKind::Szx, FileKind::Tap})
      EXPECT_THROW(EncodeFile(kind, *picture), std::invalid_argument) << FileKindName(kind);
  EXPECT_THROW(WriteSnapshot(RandomPicture(8, 4), FileKind::Tap), std::invalid_argument);
  EXPECT_THROW(WriteSnapshot(RandomPicture(8, 4), FileKind::Mg8), std::invalid_argument);
}

TEST(ViewerMemory, TakesEachMachinesViewerOrRefusesWhatItCannotHold) {
  const Picture tall = RandomPicture(4, 8), thin = RandomPicture(1, 9);
  // A sweep's build of a viewer goes where the embedded one goes, on both
  // machines that race at 8x4.
  for (const ZxMachine machine : {ZxMachine::Pentagon128, ZxMachine::Spectrum128}) {
    const ViewerMemory own = MakeViewerMemory(tall, machine);
    Bytes both(own.Viewer.begin(), own.Viewer.end());
    both.insert(both.end(), own.RaceCode.begin(), own.RaceCode.end());
    const ViewerMemory rebuilt = MakeViewerMemory(tall, machine, both);
    EXPECT_EQ(rebuilt.Viewer, own.Viewer);
    EXPECT_EQ(rebuilt.RaceCode, own.RaceCode);
  }
  EXPECT_THROW(MakeViewerMemory(thin, ZxMachine::Pentagon128), std::invalid_argument);
  EXPECT_THROW(MakeViewerMemory(tall, ZxMachine::Pentagon128, Bytes(2 * ZxBankLength + 1)), std::invalid_argument);
  EXPECT_THROW(MakeViewerMemory(thin, ZxMachine::Spectrum128, Bytes(TableAt[0] + 1)), std::invalid_argument);
  EXPECT_THROW(MakeViewerMemory(tall, ZxMachine::Spectrum128, Bytes(2 * ZxBankLength + 1)), std::invalid_argument);
  // A layout that points the race code outside its banks (here: all zeros).
  EXPECT_THROW(MakeViewerMemory(tall, ZxMachine::Pentagon128, Bytes(64)), std::invalid_argument);
}

// Our ROM: DI, then HALT for good, the interrupt and NMI entries harmless.
TEST(OwnRom, SitsStillFromReset) {
  const ZxBank& rom = OwnRom();
  EXPECT_EQ(rom[0], 0xF3);     // DI
  EXPECT_EQ(rom[1], 0x76);     // HALT
  EXPECT_EQ(rom[0x38], 0xFB);  // EI
  EXPECT_EQ(rom[0x39], 0xC9);  // RET
  EXPECT_EQ(rom[0x66], 0xED);  // RETN
  EXPECT_EQ(rom[0x67], 0x45);
}

}  // namespace
}  // namespace chromaloom

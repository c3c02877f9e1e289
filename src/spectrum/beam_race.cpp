#include "spectrum/beam_race.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/zx_screen_format.h"

namespace chromaloom {

namespace {

// Fuse's 128K: line_times[0] = 8874, 24 lines of top border, a left border
// of 24 T-states and the 65432100 pattern read one T-state ahead.
int UlaDelay(long t) {
  constexpr long LineZero = 8874;
  if (t < LineZero) return 0;
  const long line = (t - LineZero) / LineLength128;
  if (line < 24 || line >= 24 + PictureHeight) return 0;
  const long through = (t - LineZero + 8) % LineLength128;
  if (through < 23 || through >= 151) return 0;
  constexpr int Pattern[8] = {5, 4, 3, 2, 1, 0, 0, 6};
  return Pattern[through % 8];
}

struct Write {
  long T;
  int Bank;
  int Offset;
  std::uint8_t Value;
};

class Machine {
 public:
  explicit Machine(const ViewerMemory& memory) {
    banks_[Screen0Bank] = memory.Screen0;
    banks_[Screen1Bank] = memory.Screen1;
    banks_[ViewerBank] = memory.Viewer;
    banks_[RaceCodeBank] = memory.RaceCode;
    Page(ViewerPaging);
    pc_ = ViewerStart;
    sp_ = ViewerStack;
  }

  // One frame from its interrupt; the writes to a screen bank and the
  // screen shown, as they happened.
  void RunFrame() {
    writes_.clear();
    if (iff1_) Interrupt();
    while (t_ < FrameLength128) Step();
    t_ -= FrameLength128;
  }

  const std::vector<Write>& Writes() const { return writes_; }
  int ShownBank() const { return shownBank_; }
  const ZxBank& Bank(int n) const { return banks_[n]; }

 private:
  std::uint8_t& At(std::uint16_t address) {
    const int bank = address < 0x4000 ? -1 : address < 0x8000 ? 5 : address < 0xC000 ? 2 : pagedBank_;
    if (bank < 0) return rom_;  // the viewer never reads or writes the ROM
    return banks_[bank][address & 0x3FFF];
  }
  bool Contended(std::uint16_t address) const {
    return (address >= 0x4000 && address < 0x8000) || (address >= 0xC000 && pagedBank_ % 2 == 1);
  }
  void Wait(std::uint16_t address, int tStates) {
    if (Contended(address)) t_ += UlaDelay(t_);
    t_ += tStates;
  }
  std::uint8_t Fetch() {
    Wait(pc_, 4);
    return At(pc_++);
  }
  std::uint8_t Read(std::uint16_t address) {
    Wait(address, 3);
    return At(address);
  }
  std::uint8_t Operand() { return Read(pc_++); }
  std::uint16_t Operand16() {
    const std::uint8_t low = Operand();
    return static_cast<std::uint16_t>(low | Operand() << 8);
  }
  void WriteByte(std::uint16_t address, std::uint8_t value) {
    Wait(address, 3);
    At(address) = value;
    const int bank = address < 0x8000 ? 5 : address >= 0xC000 ? pagedBank_ : -1;
    if (bank == Screen0Bank || bank == Screen1Bank) writes_.push_back({t_, bank, address & 0x3FFF, value});
  }
  void Internal(std::uint16_t address, int tStates) {
    for (int i = 0; i < tStates; ++i) Wait(address, 1);
  }
  void Push(std::uint16_t value) {
    WriteByte(--sp_, static_cast<std::uint8_t>(value >> 8));
    WriteByte(--sp_, static_cast<std::uint8_t>(value));
  }
  std::uint16_t Pop() {
    const std::uint8_t low = Read(sp_++);
    return static_cast<std::uint16_t>(low | Read(sp_++) << 8);
  }
  // Fuse's port timing: the high byte may be contended, and the ULA's ports
  // (low bit 0) wait for it again.
  void PortCycle(std::uint16_t port) {
    const bool high = port >= 0x4000 && port < 0x8000, ula = (port & 1) == 0;
    if (high && ula) {
      Wait(port, 1);
      Wait(port, 3);
    } else if (high) {
      for (int i = 0; i < 4; ++i) Wait(port, 1);
    } else if (ula) {
      t_ += 1;
      Wait(0x4000, 3);
    } else {
      t_ += 4;
    }
  }
  void Out(std::uint16_t port, std::uint8_t value) {
    PortCycle(port);
    if (port == 0x7FFD) Page(value);
  }
  // A port nothing answers: the 128K's ULA leaves the attribute it is
  // fetching on the bus while the beam draws the picture, else 0xFF.
  std::uint8_t In(std::uint16_t port) {
    PortCycle(port);
    const long fromTop = t_ - 8874 - 24 * LineLength128;
    const long line = fromTop / LineLength128, through = (t_ - 8874 + 8) % LineLength128;
    if (fromTop < 0 || line >= PictureHeight || through < 23 || through >= 151) return 0xFF;
    const auto cell = static_cast<std::size_t>(0x1800 + (line / 8) * 32 + (through - 23) / 4);
    return banks_[shownBank_][cell];
  }
  void Page(std::uint8_t value) {
    pagedBank_ = value & 7;
    shownBank_ = (value & 8) ? Screen1Bank : Screen0Bank;
  }
  void Interrupt() {
    if (halted_) {
      ++pc_;
      halted_ = false;
    }
    iff1_ = false;
    t_ += 7;
    Push(pc_);
    const std::uint16_t vector = static_cast<std::uint16_t>(i_ << 8 | 0xFF);
    const std::uint8_t low = Read(vector);
    pc_ = static_cast<std::uint16_t>(low | Read(static_cast<std::uint16_t>(vector + 1)) << 8);
  }

  std::uint16_t Pair(int n) const {  // BC, DE, HL, SP
    return n == 3 ? sp_ : static_cast<std::uint16_t>(r_[2 * n] << 8 | r_[2 * n + 1]);
  }
  void SetPair(int n, std::uint16_t v) {
    if (n == 3) {
      sp_ = v;
    } else {
      r_[2 * n] = static_cast<std::uint8_t>(v >> 8);
      r_[2 * n + 1] = static_cast<std::uint8_t>(v);
    }
  }
  // PUSH and POP take AF in place of SP.
  std::uint16_t StackPair(int n) const { return n == 3 ? static_cast<std::uint16_t>(a_ << 8 | f_) : Pair(n); }
  void SetStackPair(int n, std::uint16_t v) {
    if (n == 3) {
      a_ = static_cast<std::uint8_t>(v >> 8);
      f_ = static_cast<std::uint8_t>(v);
    } else {
      SetPair(n, v);
    }
  }
  void SetLogic(std::uint8_t v) {
    a_ = v;
    f_ = v == 0 ? 0x40 : 0;
  }
  bool Zero() const { return (f_ & 0x40) != 0; }
  std::uint8_t& Reg(int n) { return n == 7 ? a_ : r_[n]; }  // B C D E H L - A; (HL) is not a register here

  // A relative jump taken: five more T-states on the operand's address.
  void Jump(std::int8_t e) {
    Internal(static_cast<std::uint16_t>(pc_ - 1), 5);
    pc_ = static_cast<std::uint16_t>(pc_ + e);
  }

  void Unknown(int op) {
    throw std::runtime_error("the 128K model does not know the instruction " + std::to_string(op) + " at " +
                             std::to_string(pc_ - 1));
  }

  void Step() {
    if (halted_) {
      Wait(pc_, 4);  // HALT runs as NOPs on the instruction after it
      return;
    }
    const std::uint8_t op = Fetch();
    if ((op & 0xCF) == 0x01) return SetPair(op >> 4, Operand16());  // LD rr,nn
    if ((op & 0xCF) == 0xC1) return SetStackPair((op >> 4) & 3, Pop());
    if ((op & 0xCF) == 0xC5) {  // PUSH rr
      Internal(static_cast<std::uint16_t>(i_ << 8), 1);
      Push(StackPair((op >> 4) & 3));
      return;
    }
    if ((op & 0xC7) == 0x06 && op != 0x36) {  // LD r,n
      Reg((op >> 3) & 7) = Operand();
      return;
    }
    if ((op & 0xC0) == 0x40 && op != 0x76 && (op & 7) != 6 && ((op >> 3) & 7) != 6) {  // LD r,r'
      Reg((op >> 3) & 7) = Reg(op & 7);
      return;
    }
    switch (op) {
      case 0x00:
        return;
      case 0x08:
        std::swap(a_, a2_);
        std::swap(f_, f2_);
        return;
      case 0xD9:
        std::swap(r_, r2_);
        return;
      case 0x0B:
      case 0x1B:
      case 0x2B:
        Internal(static_cast<std::uint16_t>(i_ << 8), 2);
        SetPair(op >> 4, static_cast<std::uint16_t>(Pair(op >> 4) - 1));
        return;
      case 0x03:
      case 0x13:
      case 0x23:
        Internal(static_cast<std::uint16_t>(i_ << 8), 2);
        SetPair(op >> 4, static_cast<std::uint16_t>(Pair(op >> 4) + 1));
        return;
      case 0x19:
        Internal(static_cast<std::uint16_t>(i_ << 8), 7);
        SetPair(2, static_cast<std::uint16_t>(Pair(2) + Pair(1)));
        return;
      case 0x0F:
        a_ = static_cast<std::uint8_t>(a_ >> 1 | a_ << 7);
        return;
      case 0x10: {  // DJNZ
        Internal(static_cast<std::uint16_t>(i_ << 8), 1);
        const auto e = static_cast<std::int8_t>(Operand());
        if (--r_[0] != 0) Jump(e);
        return;
      }
      case 0x18:
      case 0x20: {  // JR e, JR NZ,e
        const auto e = static_cast<std::int8_t>(Operand());
        if (op == 0x18 || !Zero()) Jump(e);
        return;
      }
      case 0x22: {
        const std::uint16_t address = Operand16();
        WriteByte(address, r_[5]);
        WriteByte(static_cast<std::uint16_t>(address + 1), r_[4]);
        return;
      }
      case 0x32:
        WriteByte(Operand16(), a_);
        return;
      case 0x3A:
        a_ = Read(Operand16());
        return;
      case 0x2A: {
        const std::uint16_t address = Operand16();
        r_[5] = Read(address);
        r_[4] = Read(static_cast<std::uint16_t>(address + 1));
        return;
      }
      case 0xB7:
        SetLogic(a_);
        return;
      case 0xE9:
        pc_ = Pair(2);
        return;
      case 0xDD:
      case 0xFD:
        return Indexed(op == 0xDD ? ix_ : iy_);
      case 0x36:
        WriteByte(Pair(2), Operand());
        return;
      case 0x77:
        WriteByte(Pair(2), a_);
        return;
      case 0x7E:
        a_ = Read(Pair(2));
        return;
      case 0x76:
        halted_ = true;
        --pc_;
        return;
      case 0x85:
        a_ = static_cast<std::uint8_t>(a_ + r_[5]);
        return;
      case 0xAF:
        SetLogic(0);
        return;
      case 0xB1:
        SetLogic(a_ | r_[1]);
        return;
      case 0xC6:
        a_ = static_cast<std::uint8_t>(a_ + Operand());
        return;
      case 0xE6:
        SetLogic(a_ & Operand());
        return;
      case 0xEE:
        SetLogic(a_ ^ Operand());
        return;
      case 0xFE:
        f_ = a_ == Operand() ? 0x40 : 0;
        return;
      case 0xC2: {
        const std::uint16_t to = Operand16();
        if (!Zero()) pc_ = to;
        return;
      }
      case 0xC3:
        pc_ = Operand16();
        return;
      case 0xD3:
        Out(static_cast<std::uint16_t>(a_ << 8 | Operand()), a_);
        return;
      case 0xDB:
        a_ = In(static_cast<std::uint16_t>(a_ << 8 | Operand()));
        return;
      case 0xA2:
        SetLogic(a_ & r_[2]);
        return;
      case 0x3C:
        a_ = static_cast<std::uint8_t>(a_ + 1);
        f_ = a_ == 0 ? 0x40 : 0;
        return;
      case 0xC0:
        Internal(static_cast<std::uint16_t>(i_ << 8), 1);
        if (!Zero()) pc_ = Pop();
        return;
      case 0xCD: {
        const std::uint16_t to = Operand16();
        Internal(static_cast<std::uint16_t>(pc_ - 1), 1);
        Push(pc_);
        pc_ = to;
        return;
      }
      case 0xF3:
        iff1_ = false;
        return;
      case 0xFB:
        iff1_ = true;
        return;
      case 0xED:
        return Extended();
      default:
        Unknown(op);
    }
  }

  // The few IX and IY instructions the viewers use.
  void Indexed(std::uint16_t& index) {
    const std::uint8_t op = Fetch();
    switch (op) {
      case 0x21:
        index = Operand16();
        return;
      case 0xE5:
        Internal(static_cast<std::uint16_t>(i_ << 8), 1);
        Push(index);
        return;
      case 0xE1:
        index = Pop();
        return;
      default:
        Unknown(0xDD00 | op);
    }
  }

  void Extended() {
    const std::uint8_t op = Fetch();
    switch (op) {
      case 0x47:
        Internal(static_cast<std::uint16_t>(i_ << 8), 1);
        i_ = a_;
        return;
      case 0x5E:
        return;   // IM 2, the only mode the viewer uses
      case 0x57:  // LD A,I: a pad of 9 T-states
        Internal(static_cast<std::uint16_t>(i_ << 8), 1);
        a_ = i_;
        return;
      case 0x79:
        Out(Pair(0), a_);
        return;
      case 0x4D:  // RETI
        iff1_ = true;
        pc_ = Pop();
        return;
      case 0xB0: {  // LDIR
        const std::uint8_t v = Read(Pair(2));
        WriteByte(Pair(1), v);
        Internal(Pair(1), 2);
        SetPair(0, static_cast<std::uint16_t>(Pair(0) - 1));
        if (Pair(0) != 0) {
          Internal(Pair(1), 5);
          pc_ = static_cast<std::uint16_t>(pc_ - 2);
        }
        SetPair(1, static_cast<std::uint16_t>(Pair(1) + 1));
        SetPair(2, static_cast<std::uint16_t>(Pair(2) + 1));
        return;
      }
      default:
        Unknown(0xED00 | op);
    }
  }

  std::array<ZxBank, 8> banks_{};
  std::uint8_t rom_ = 0xFF;
  int pagedBank_ = 0, shownBank_ = Screen0Bank;
  std::array<std::uint8_t, 6> r_{}, r2_{};  // B C D E H L
  std::uint8_t a_ = 0, f_ = 0, a2_ = 0, f2_ = 0, i_ = 0;
  std::uint16_t pc_ = 0, sp_ = 0, ix_ = 0, iy_ = 0;
  bool iff1_ = false, halted_ = false;
  long t_ = 0;
  std::vector<Write> writes_;
};

constexpr int AttributesOffset = 0x1800;

void Narrow(std::optional<long>& margin, long value) { margin = margin ? std::min(*margin, value) : value; }

}  // namespace

BeamRace RunViewerOn128(const ViewerMemory& memory, const Picture& picture, int warmUp, int frames,
                        std::optional<MovedWrites> moved) {
  Machine machine(memory);
  BeamRace race;
  for (int frame = 0; frame < warmUp + frames; ++frame) {
    const ZxBank before = machine.Bank(Screen0Bank), before1 = machine.Bank(Screen1Bank);
    machine.RunFrame();
    if (frame < warmUp) continue;
    ++race.FramesChecked;
    const int bank = machine.ShownBank();
    const int screen = bank == Screen1Bank ? 1 : 0;
    ZxBank shown = bank == Screen1Bank ? before1 : before;
    std::vector<Write> shifted;
    if (moved) {
      shifted = machine.Writes();
      for (Write& w : shifted)
        if (w.Offset >= AttributesOffset && (w.Offset - AttributesOffset) % ByteColumns == moved->Column)
          w.T += moved->By;
      std::stable_sort(shifted.begin(), shifted.end(), [](const Write& a, const Write& b) { return a.T < b.T; });
    }
    const std::vector<Write>& writes = moved ? shifted : machine.Writes();
    std::size_t next = 0;
    for (int line = 0; line < PictureHeight; ++line)
      for (int column = 0; column < ByteColumns; ++column) {
        const long read = AttributeReadTime(line, column);
        for (; next < writes.size() && writes[next].T < read; ++next)
          if (writes[next].Bank == bank) shown[static_cast<std::size_t>(writes[next].Offset)] = writes[next].Value;
        const auto cell = static_cast<std::size_t>(AttributesOffset + (line / 8) * ByteColumns + column);
        const std::uint8_t wanted = ZxAttrByteOf(picture.Attrs[screen].At(column, picture.AttrLineOf(column, line)));
        if (shown[cell] != wanted && !race.FirstWrong)
          race.FirstWrong = WrongAttribute{race.FramesChecked - 1, line, column};
      }
    // Each write counts for the first line whose read comes after it.
    for (const Write& w : writes) {
      if (w.Bank != bank || w.Offset < AttributesOffset) continue;
      const int column = (w.Offset - AttributesOffset) % ByteColumns, row = (w.Offset - AttributesOffset) / ByteColumns;
      for (int line = row * 8; line < row * 8 + 8; ++line)
        if (w.T < AttributeReadTime(line, column)) {
          if (line > row * 8) Narrow(race.EarlyMargin[column], w.T - AttributeReadTime(line - 1, column));
          Narrow(race.LateMargin[column], AttributeReadTime(line, column) - 1 - w.T);
          break;
        }
    }
  }
  return race;
}

}  // namespace chromaloom

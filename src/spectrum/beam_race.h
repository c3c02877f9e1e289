// Our 128K viewer run on a model of the 128K instead of an emulator: the
// Z80 steps through the viewer's own bytes, each M-cycle waiting for the
// ULA on contended memory as Fuse times it (6,5,4,3,2,1,0,0 over the 128
// T-states a line of the picture is fetched), and the beam takes each
// attribute as Fuse's display does, once per line, as it passes the cell.
// A frame is exact when every line shows, in every column, the attribute of
// the picture's cell there on the screen on view.
#pragma once

#include <array>
#include <optional>

#include "spectrum/spectrum_files.h"

namespace chromaloom {

// 128K timing, in T-states from the frame interrupt.
constexpr long FrameLength128 = 70908;
constexpr long LineLength128 = 228;
// When the beam has passed column 0 of picture line 0: a write before it is
// seen on that line, a write at or after it from the next line on.
constexpr long FirstAttributeRead128 = 14366;

constexpr long AttributeReadTime(int line, int column) {
  return FirstAttributeRead128 + LineLength128 * line + 4 * column;
}

struct WrongAttribute {
  int Frame = 0;  // counted from the first frame checked
  int Line = 0;
  int Column = 0;
};

struct BeamRace {
  int FramesChecked = 0;
  std::optional<WrongAttribute> FirstWrong;
  // Per column, the fewest T-states any write of it could move earlier
  // (after the beam's read of the line above) or later (before the beam's
  // read of its own line) and still be seen where it is; empty columns
  // were never written.
  std::array<std::optional<long>, 32> EarlyMargin{}, LateMargin{};
};

// A planted fault, to show the check fails: every write to one attribute
// column counts as landing By T-states later (earlier when negative).
struct MovedWrites {
  int Column = 0;
  long By = 0;
};

// Runs memory's viewer from its start for warmUp frames, then checks the
// next frames against picture. Throws std::runtime_error on an instruction
// the model does not know (it knows what the viewers use).
BeamRace RunViewerOn128(const ViewerMemory& memory, const Picture& picture, int warmUp, int frames,
                        std::optional<MovedWrites> moved = std::nullopt);

}  // namespace chromaloom

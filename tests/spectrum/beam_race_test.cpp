#include "spectrum/beam_race.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/random_picture.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using test_support::RandomPicture;

std::string Describe(const BeamRace& race) {
  if (!race.FirstWrong) return "exact";
  return "frame " + std::to_string(race.FirstWrong->Frame) + " line " + std::to_string(race.FirstWrong->Line) +
         " column " + std::to_string(race.FirstWrong->Column);
}

// The built viewers, at every cell height that races, on both screens: each
// column they write lands with room on both sides (printed), and the same
// writes moved 4 T-states past either edge of their window are caught at
// that column.
TEST(BeamRace, EveryViewerShowsThePictureExactlyOnThe128K) {
  for (int height : {1, 2, 4}) {
    SCOPED_TRACE("8x" + std::to_string(height));
    const Picture picture = RandomPicture(height, 5);
    const ViewerMemory memory = MakeViewerMemory(picture, ZxMachine::Spectrum128);
    const BeamRace race = RunViewerOn128(memory, picture, 3, 4);
    EXPECT_EQ(race.FramesChecked, 4);
    EXPECT_FALSE(race.FirstWrong) << Describe(race);
    const int first = height == 1 ? 8 : 0, last = height == 1 ? 23 : 31;  // 8x1: the middle 16
    std::printf("8x%d margins (early/late) by column:", height);
    for (int c = first; c <= last; ++c) {
      ASSERT_TRUE(race.EarlyMargin[c] && race.LateMargin[c]) << c;
      std::printf(" %d:%ld/%ld", c, *race.EarlyMargin[c], *race.LateMargin[c]);
      for (const long by : {-*race.EarlyMargin[c] - 4, *race.LateMargin[c] + 4}) {
        const BeamRace moved = RunViewerOn128(memory, picture, 3, 2, MovedWrites{c, by});
        ASSERT_TRUE(moved.FirstWrong) << "column " << c << " moved " << by;
        EXPECT_EQ(moved.FirstWrong->Column, c) << Describe(moved);
      }
    }
    std::printf("\n");
  }
}

std::vector<std::uint8_t> AssembleViewer(const test_support::TempDir& dir, const std::string& name, long raceStart) {
  const std::string out = dir.File(name + std::to_string(raceStart) + ".bin");
  const std::string command = std::string(CHROMALOOM_PASMO) + " -I " + CHROMALOOM_ZX_SOURCE +
                              " --equ RACE_START=" + std::to_string(raceStart) + " --bin " + CHROMALOOM_ZX_SOURCE +
                              "/" + name + ".asm " + out + " > " + dir.File("pasmo.log");
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream file(out, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// Fuse shows each viewer exactly for a range of race starts and for no
// other (the README's sweeps); the model, knowing nothing of Fuse but its
// timing tables, must find the same range, and name where the starts just
// outside it go wrong. The full-width viewer's range is one 8 T-state cycle:
// its blocks hold themselves in step with the beam, so every start in it
// ends in the same rhythm.
TEST(BeamRace, AgreesWithFusesSweepsOfTheViewers) {
  const test_support::TempDir dir;
  struct Sweep {
    std::string Viewer;
    int CellHeight;
    long First, Last;  // as Fuse shows them
  };
  for (const Sweep& sweep : {Sweep{"viewer", 1, 14086, 14136}, Sweep{"full_width_viewer", 2, 14465, 14472},
                             Sweep{"full_width_viewer", 4, 14462, 14472}}) {
    SCOPED_TRACE(sweep.Viewer);
    const Picture picture = RandomPicture(sweep.CellHeight, 9);
    long first = 0, last = 0;
    for (long start = sweep.First - 6; start <= sweep.Last + 6; ++start) {
      const auto viewer = AssembleViewer(dir, sweep.Viewer, start);
      ASSERT_FALSE(viewer.empty()) << start;
      const BeamRace race = RunViewerOn128(MakeViewerMemory(picture, ZxMachine::Spectrum128, viewer), picture, 3, 2);
      if (race.FirstWrong) {
        if (start == sweep.First - 1 || start == sweep.Last + 1)
          std::printf("%s start %ld: %s\n", sweep.Viewer.c_str(), start, Describe(race).c_str());
        continue;
      }
      if (!first) first = start;
      EXPECT_EQ(last == 0 || last == start - 1, true) << "a gap before " << start;
      last = start;
    }
    EXPECT_EQ(first, sweep.First);
    EXPECT_EQ(last, sweep.Last);
  }
}

}  // namespace
}  // namespace chromaloom

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

// Fuse shows today's viewer exactly for race starts 14086 to 14136 and for
// no other (the sweep in the README); the model, knowing nothing of Fuse
// but its timing tables, must find the same range, and name where a start
// just outside it goes wrong.
TEST(BeamRace, AgreesWithFusesSweepOfTheViewer) {
  const test_support::TempDir dir;
  const Picture picture = RandomPicture(1, 9);
  long first = 0, last = 0;
  for (long start = 14080; start <= 14142; ++start) {
    const auto viewer = AssembleViewer(dir, "viewer", start);
    ASSERT_FALSE(viewer.empty()) << start;
    const BeamRace race = RunViewerOn128(MakeViewerMemory(picture, ZxMachine::Spectrum128, viewer), picture, 3, 2);
    if (race.FirstWrong) {
      if (start == 14085 || start == 14137) std::printf("start %ld: %s\n", start, Describe(race).c_str());
      continue;
    }
    if (!first) first = start;
    EXPECT_EQ(last == 0 || last == start - 1, true) << "a gap before " << start;
    last = start;
  }
  EXPECT_EQ(first, 14086);
  EXPECT_EQ(last, 14136);
}

TEST(BeamRace, SweepFullWidth) {
  const test_support::TempDir dir;
  const Picture picture = RandomPicture(2, 9);
  for (long start = 14440; start <= 14520; ++start) {
    const auto viewer = AssembleViewer(dir, "full_width_viewer", start);
    const BeamRace race = RunViewerOn128(MakeViewerMemory(picture, ZxMachine::Spectrum128, viewer), picture, 3, 2);
    std::printf("start %ld: %s\n", start, Describe(race).c_str());
  }
}

}  // namespace
}  // namespace chromaloom

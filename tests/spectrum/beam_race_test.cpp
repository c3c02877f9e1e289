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

// The built viewer, at every cell height it races, on both screens: each
// middle column is written with room on both sides, which is printed.
TEST(BeamRace, TheViewerShowsItsTablesExactlyOnThe128K) {
  for (int height : {1, 2, 4}) {
    SCOPED_TRACE("8x" + std::to_string(height));
    const BeamRace race = RunViewerOn128(MakeViewerMemory(RandomPicture(height, 5), ZxMachine::Spectrum128), 3, 4);
    EXPECT_EQ(race.FramesChecked, 4);
    EXPECT_FALSE(race.FirstWrong) << Describe(race);
    std::printf("8x%d margins (early/late) by column:", height);
    for (int c = 8; c < 24; ++c) {
      ASSERT_TRUE(race.EarlyMargin[c] && race.LateMargin[c]) << c;
      EXPECT_GE(*race.EarlyMargin[c], 0);
      EXPECT_GE(*race.LateMargin[c], 0);
      std::printf(" %d:%ld/%ld", c, *race.EarlyMargin[c], *race.LateMargin[c]);
    }
    std::printf("\n");
  }
}

std::vector<std::uint8_t> AssembleViewer(const test_support::TempDir& dir, long raceStart) {
  const std::string out = dir.File("viewer" + std::to_string(raceStart) + ".bin");
  const std::string command = std::string(CHROMALOOM_PASMO) + " -I " + CHROMALOOM_ZX_SOURCE +
                              " --equ RACE_START=" + std::to_string(raceStart) + " --bin " + CHROMALOOM_ZX_SOURCE +
                              "/viewer.asm " + out + " > " + dir.File("pasmo.log");
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
    const auto viewer = AssembleViewer(dir, start);
    ASSERT_FALSE(viewer.empty()) << start;
    const BeamRace race = RunViewerOn128(MakeViewerMemory(picture, ZxMachine::Spectrum128, viewer), 3, 2);
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

}  // namespace
}  // namespace chromaloom

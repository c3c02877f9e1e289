#include "picture/mixing_profile.h"

#include <gtest/gtest.h>

#include "support/mixing_definition.h"

namespace chromaloom {
namespace {

TEST(MixingProfile, EachProfileMixesEveryPairByItsDefinition) {
  for (const MixingProfile& profile : {OwnMixing(), AverageMixing(), LinearMixing()}) {
    SCOPED_TRACE(profile.Name);
    for (int a = 0; a < ZxColourCount; ++a)
      for (int b = 0; b < ZxColourCount; ++b) {
        const Rgb expected =
            test_support::MixedByDefinition(profile.Kind, static_cast<ZxColour>(a), static_cast<ZxColour>(b));
        ASSERT_EQ(profile.Table[a][b], expected) << a << ", " << b;
        ASSERT_EQ(profile.Mix(a, b), expected) << a << ", " << b;
      }
  }
}

TEST(MixingProfile, ChannelsGiveTheKnownValues) {
  const struct {
    int X, Y, Average, Linear;
  } cases[] = {
      {0, 0, 0, 0}, {0, 202, 101, 148}, {0, 254, 127, 187}, {202, 254, 228, 230}, {254, 254, 254, 254}, {0, 1, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AverageChannel(c.X, c.Y), c.Average) << c.X << ", " << c.Y;
    EXPECT_EQ(AverageChannel(c.Y, c.X), c.Average) << c.X << ", " << c.Y;
    EXPECT_EQ(LinearChannel(c.X, c.Y), c.Linear) << c.X << ", " << c.Y;
  }
}

TEST(MixingProfile, TheOwnProfileIsThePicturesTableAndTheDefault) {
  EXPECT_EQ(MixingProfile{}.Table, MixedColourTable);
  EXPECT_EQ(OwnMixing(), MixingProfile{});
  EXPECT_EQ(MixingNamed("own"), OwnMixing());
  EXPECT_EQ(MixingNamed("average"), AverageMixing());
  EXPECT_EQ(MixingNamed("linear"), LinearMixing());
  for (const char* other : {"", "Own", "linear ", "file.txt"}) EXPECT_FALSE(MixingNamed(other)) << other;
}

TEST(MixingProfile, ABorderIsMixedByTheProfile) {
  Picture picture;
  picture.SetBorderChoice(1, 2);  // pair (1, 7): blue with white
  EXPECT_EQ(OwnMixing().BorderColour(picture), picture.BorderDisplayColour());
  EXPECT_EQ(AverageMixing().BorderColour(picture), MakeRgb(101, 101, 202));
  EXPECT_EQ(LinearMixing().BorderColour(picture), MakeRgb(148, 148, 202));
}

TEST(MixingProfile, AColourPastTheTableFallsBackToTheOwnRule) {
  for (const MixingProfile& profile : {AverageMixing(), LinearMixing()}) {
    EXPECT_EQ(profile.Mix(15, 0), MixColours(15, 0));
    EXPECT_EQ(profile.Mix(3, 200), MixColours(3, 200));
    EXPECT_EQ(profile.Mix(-1, 3), MixColours(static_cast<ZxColour>(-1), 3));
  }
}

}  // namespace
}  // namespace chromaloom

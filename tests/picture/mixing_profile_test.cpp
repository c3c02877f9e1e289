#include "picture/mixing_profile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace chromaloom {
namespace {

// The sRGB transfer function as its definition gives it, for the test's own sums.
double Linear(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double Encoded(double l) { return l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055; }

TEST(MixingProfile, EachProfileMixesEveryPairByItsDefinition) {
  const struct {
    MixingProfile Profile;
    double (*Channel)(int, int);
  } cases[] = {
      {OwnMixing(), [](int x, int y) { return static_cast<double>(MixChannel(x, y)); }},
      {AverageMixing(), [](int x, int y) { return std::floor((x + y) / 2.0 + 0.5); }},
      {LinearMixing(), [](int x, int y) { return std::round(255 * Encoded((Linear(x) + Linear(y)) / 2)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Profile.Name);
    for (int a = 0; a < ZxColourCount; ++a)
      for (int b = 0; b < ZxColourCount; ++b) {
        const Rgb x = ZxRgb(static_cast<ZxColour>(a)), y = ZxRgb(static_cast<ZxColour>(b));
        const Rgb expected = MakeRgb(static_cast<int>(c.Channel(RedOf(x), RedOf(y))),
                                     static_cast<int>(c.Channel(GreenOf(x), GreenOf(y))),
                                     static_cast<int>(c.Channel(BlueOf(x), BlueOf(y))));
        ASSERT_EQ(c.Profile.Table[a][b], expected) << a << ", " << b;
        ASSERT_EQ(c.Profile.Mix(a, b), expected) << a << ", " << b;
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

#include "picture/mixing_profile.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "support/mixing_definition.h"

namespace chromaloom {
namespace {

TEST(MixingProfile, EachProfileMixesEveryPairByItsDefinition) {
  std::vector<MixingProfile> profiles = {OwnMixing(), AverageMixing(), LinearMixing()};
  for (const test_support::SiteModel& model : test_support::SiteModels) profiles.push_back(NamedMixingOf(model.Kind));
  for (const MixingProfile& profile : profiles) {
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

// Black with normal blue is 0x96 on the site (0x73 in the own table).
TEST(MixingProfile, ALevelsTextGivesItsTableAndABadOneIsNamed) {
  EXPECT_EQ(BlueOf(NamedMixingOf(MixingKind::Srgb).Table[0][1]), 0x96);
  const MixingProfile plain = LevelsMixing("00,96,cd,E8,ff,BC");
  EXPECT_EQ(plain.Kind, MixingKind::Levels);
  EXPECT_EQ(plain.Table, NamedMixingOf(MixingKind::Srgb).Table);
  const struct {
    const char* Text;
    const char* Problem;
  } bad[] = {
      {"00,96,CD,E8,FF", "six levels (ZZ,ZN,NN,NB,BB,ZB), not 5"},
      {"00,96,CD,E8,FG,BC", "\"FG\" is not a hex value"},
      {"00,96,CD,E8,FF,100", "\"100\" is not a hex value"},
      {"00,96,CD,E8,FF,BC:FF,00,00;00,FF,00;00,00", "nine values (three rows of three), not 8"},
      {"00,96,CD,E8,FF,BC:FF,00,00,00;FF,00,00;00,FF", "three rows"},
      {"00,96,CD,E8,FF,BC:FF:00", "at most one colour matrix"},
  };
  for (const auto& c : bad) {
    try {
      LevelsMixing(c.Text);
      ADD_FAILURE() << c.Text << " was taken";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(c.Problem), std::string::npos) << c.Text << ": " << e.what();
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
  for (const NamedMixing& named : NamedMixings) {
    EXPECT_EQ(MixingNamed(named.Name)->Kind, named.Kind);
    EXPECT_TRUE(IsSymmetric(MixingNamed(named.Name)->Table)) << named.Name;
  }
  for (const char* other : {"", "Own", "linear ", "file.txt", "SRGB"}) EXPECT_FALSE(MixingNamed(other)) << other;
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

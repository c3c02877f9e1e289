#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/converter_options.h"

namespace chromaloom {
namespace {

using Args = std::vector<std::string>;

ConverterOptions WithFiles(Args files) {
  ConverterOptions options;
  options.Files = std::move(files);
  return options;
}

TEST(ConverterOptions, DoubleDashEndsTheOptions) {
  ConverterOptions modeAndFiles = WithFiles({"--info", "b.mgs"});
  modeAndFiles.Mode = 4;
  ConverterOptions everything = WithFiles({"a", "b"});
  everything.Mode = 1;
  everything.Border = BorderChoice{8, 2};
  everything.BmpSize = 9;
  const std::pair<Args, ConverterOptions> cases[] = {
      {{"--", "-x.mgs", "-y.mgs"}, WithFiles({"-x.mgs", "-y.mgs"})},
      {{"--mode", "4", "--", "--info", "b.mgs"}, modeAndFiles},
      {{"a.mgs", "--", "--"}, WithFiles({"a.mgs", "--"})},
      {{"--", "--bmp-size=3", "-h"}, WithFiles({"--bmp-size=3", "-h"})},
      {{"--"}, WithFiles({})},
      {{"-", "b.mgs"}, WithFiles({"-", "b.mgs"})},
      {{"--border=8,2", "a", "--bmp-size", "9", "--mode=1", "--", "b"}, everything},
  };
  for (const auto& [args, expected] : cases) {
    std::string label;
    for (const auto& arg : args) label += arg + " ";
    EXPECT_TRUE(ParseArgs(args) == expected) << label;
  }
}

TEST(ConverterOptions, ImageOptionsAreReadByName) {
  ConverterOptions all = WithFiles({"in.png", "out.mg4"});
  all.Mode = 4;
  all.Fit = FitMode::Crop;
  all.Dither = Dithering::FloydSteinberg;
  all.Metric = ColourMetric::Lab;
  all.Flicker = 0.25;
  all.Stats = true;
  ConverterOptions stretchAtkinson = WithFiles({"a.jpg", "b.mgs"});
  stretchAtkinson.Fit = FitMode::Stretch;
  stretchAtkinson.Dither = Dithering::Atkinson;
  stretchAtkinson.Flicker = 0.0;
  ConverterOptions plain = WithFiles({"a.gif", "b.img"});
  plain.Fit = FitMode::Fit;
  plain.Dither = Dithering::None;
  plain.Metric = ColourMetric::Srgb;
  plain.Flicker = 1000.0;
  ConverterOptions ordered = WithFiles({"a.bmp", "b.mg1"});
  ordered.Dither = Dithering::Ordered;
  ConverterOptions searched = WithFiles({"a.png", "b.mg8"});
  searched.Dither = Dithering::Search;
  const std::pair<Args, ConverterOptions> cases[] = {
      {{"in.png", "out.mg4", "--mode", "4", "--fit", "crop", "--dither", "floyd-steinberg", "--metric", "lab",
        "--flicker", "0.25", "--stats"},
       all},
      {{"--fit=stretch", "--dither=atkinson", "--flicker=0", "a.jpg", "b.mgs"}, stretchAtkinson},
      {{"--fit", "fit", "--dither", "none", "--metric", "rgb", "--flicker", "1000", "a.gif", "b.img"}, plain},
      {{"--dither", "ordered", "a.bmp", "b.mg1"}, ordered},
      {{"--dither=search", "a.png", "b.mg8"}, searched},
      {{"a.png", "b.mgs"}, WithFiles({"a.png", "b.mgs"})},
  };
  for (const auto& [args, expected] : cases) {
    std::string label;
    for (const auto& arg : args) label += arg + " ";
    EXPECT_TRUE(ParseArgs(args) == expected) << label;
  }
}

TEST(ConverterOptions, MixingTakesANameOrAFile) {
  for (const std::string value : {"own", "average", "linear", "crt.txt", "./-odd", "Average"}) {
    for (const Args& args : {Args{"--mixing", value, "a.mgs", "b.bmp"}, Args{"a.mgs", "--mixing=" + value, "b.bmp"}}) {
      ConverterOptions expected = WithFiles({"a.mgs", "b.bmp"});
      expected.Mixing = value;
      EXPECT_EQ(ParseArgs(args), expected) << value;
    }
  }
  EXPECT_FALSE(ParseArgs({"a.mgs", "b.bmp"}).Mixing);
}

TEST(ConverterOptions, BadCommandLinesSayWhatIsWrong) {
  const std::pair<Args, std::string> cases[] = {
      {{"-x.mgs", "--", "y.mgs"}, "unknown option -x.mgs"},
      {{"a.mgs", "---"}, "unknown option ---"},
      {{"--mode"}, "--mode needs a value"},
      {{"--mode", "--", "a", "b"}, "--mode needs a number, not \"--\""},
      {{"--mode", "4x"}, "--mode needs a number, not \"4x\""},
      {{"--mode=3"}, "--mode must be 8, 4, 2 or 1"},
      {{"--border", "9,0"}, "--border needs I in 0..8 and J in 0..2"},
      {{"--border", "1"}, "--border needs I,J"},
      {{"--bmp-size=0"}, "--bmp-size must be 1..9"},
      {{"--bmp-size", "99999999999"}, "--bmp-size needs a number, not \"99999999999\""},
      {{"--fit", "zoom"}, "--fit must be fit, crop or stretch, not \"zoom\""},
      {{"--fit=Crop"}, "--fit must be fit, crop or stretch, not \"Crop\""},
      {{"--fit"}, "--fit needs a value"},
      {{"--dither", "floyd"}, "--dither must be none, ordered, floyd-steinberg, atkinson or search, not \"floyd\""},
      {{"--dither="}, "--dither must be none, ordered, floyd-steinberg, atkinson or search, not \"\""},
      {{"--metric", "xyz"}, "--metric must be rgb or lab, not \"xyz\""},
      {{"--metric"}, "--metric needs a value"},
      {{"--flicker", "-1"}, "--flicker needs a number from 0 to 1000, not \"-1\""},
      {{"--flicker", "nan"}, "--flicker needs a number from 0 to 1000, not \"nan\""},
      {{"--flicker", "inf"}, "--flicker needs a number from 0 to 1000, not \"inf\""},
      {{"--flicker", "0.5x"}, "--flicker needs a number from 0 to 1000, not \"0.5x\""},
      {{"--flicker="}, "--flicker needs a number from 0 to 1000, not \"\""},
      {{"--flicker", "1e999"}, "--flicker needs a number from 0 to 1000, not \"1e999\""},
      {{"--flicker", "1e300"}, "--flicker needs a number from 0 to 1000, not \"1e300\""},
      {{"--flicker", "1000.5"}, "--flicker needs a number from 0 to 1000, not \"1000.5\""},
      {{"--stats=1"}, "--stats takes no value"},
      {{"--mixing"}, "--mixing needs a value"},
      {{"--mixing="}, "--mixing needs a model's name or levels, or a profile FILE, not \"\""},
      {{"--mixing", "--", "a", "b"}, "--mixing needs a model's name or levels, or a profile FILE, not \"--\""},
      {{"--mixing", "-p.txt"}, "--mixing needs a model's name or levels, or a profile FILE, not \"-p.txt\""},
  };
  for (const auto& [args, message] : cases) {
    std::string got;
    try {
      ParseArgs(args);
    } catch (const UsageError& e) {
      got = e.what();
    }
    EXPECT_EQ(got, message) << args.front();
  }
}

}  // namespace
}  // namespace chromaloom

// The converter's --mixing: bitmaps mixed by the chosen profile.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>

#include "formats/mgs_format.h"
#include "formats/mixing_profile_file.h"
#include "support/converter_run.h"
#include "support/mixing_definition.h"
#include "support/random_picture.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using test_support::Convert;
using test_support::MixedByDefinition;
using test_support::Outcome;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

// A 24-bit bitmap's pixel: rows bottom-up, blue, green, red.
Rgb BmpPixel(const Bytes& bmp, int width, int height, int x, int y) {
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  const std::size_t at = 54 + rowBytes * static_cast<std::size_t>(height - 1 - y) + 3 * static_cast<std::size_t>(x);
  return MakeRgb(bmp.at(at + 2), bmp.at(at + 1), bmp.at(at));
}

// Every picture pixel of a 256 x 192 bitmap, from the colours of its two screens.
template <typename Mix>
int WrongPixels(const Bytes& bmp, const Picture& picture, Mix mix) {
  int wrong = 0;
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) {
      const AttrEntry& a0 = picture.CellAttr(0, x, y);
      const AttrEntry& a1 = picture.CellAttr(1, x, y);
      wrong += BmpPixel(bmp, 256, 192, x, y) !=
               mix(picture.GetPixelBit(0, x, y) ? a0.Ink : a0.Paper, picture.GetPixelBit(1, x, y) ? a1.Ink : a1.Paper);
    }
  return wrong;
}

struct Fixture {
  TempDir Dir;
  Picture Shown = test_support::RandomPicture(4, 12);
  Fixture() { WriteBytes(Dir.File("p.mgs"), WriteMgs(Shown)); }
  std::string In() const { return Dir.File("p.mgs"); }
};

TEST(ConverterMixing, EachNamedProfileMixesTheBitmapByItsDefinition) {
  Fixture fx;
  const struct {
    const char* Value;
    MixingKind Kind;
  } cases[] = {{"own", MixingKind::Own},
               {"average", MixingKind::Average},
               {"linear", MixingKind::Linear},
               {"srgb", MixingKind::Srgb},
               {"pulsar", MixingKind::Pulsar},
               {"orthodox", MixingKind::Orthodox},
               {"alone", MixingKind::Alone},
               {"electroscale", MixingKind::Electroscale},
               {"00,96,CD,E8,FF,BC", MixingKind::Srgb}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    const std::string out = fx.Dir.File(std::string(c.Value) + ".bmp");
    const Outcome run = Convert({"--mixing", c.Value, fx.In(), out});
    ASSERT_EQ(run.Status, 0) << run.Err;
    const Bytes bmp = ReadBytes(out);
    EXPECT_EQ(WrongPixels(bmp, fx.Shown, [&](ZxColour a, ZxColour b) { return MixedByDefinition(c.Kind, a, b); }), 0);
    // With a border, the border is mixed alike.
    const std::string framed = fx.Dir.File(std::string(c.Value) + "-framed.bmp");
    ASSERT_EQ(Convert({"--bmp-size", "6", "--mixing=" + std::string(c.Value), fx.In(), framed}).Status, 0);
    const BorderPair pair = fx.Shown.GetBorderPair();
    EXPECT_EQ(BmpPixel(ReadBytes(framed), 640, 480, 3, 3),
              MixedByDefinition(c.Kind, BorderColourIndex(pair.Screen0), BorderColourIndex(pair.Screen1)));
  }
  // Without the option the bitmap is the own table's, byte for byte.
  ASSERT_EQ(Convert({fx.In(), fx.Dir.File("default.bmp")}).Status, 0);
  EXPECT_EQ(ReadBytes(fx.Dir.File("default.bmp")), ReadBytes(fx.Dir.File("own.bmp")));
}

// A PNG is mixed the same way: its pixels are the bitmap's.
TEST(ConverterMixing, APngHoldsTheMixedBitmapsPixels) {
  Fixture fx;
  for (const char* value : {"average", "linear"}) {
    SCOPED_TRACE(value);
    const std::string bmp = fx.Dir.File(std::string(value) + ".bmp"), png = fx.Dir.File(std::string(value) + ".png");
    ASSERT_EQ(Convert({"--bmp-size", "6", "--mixing", value, fx.In(), bmp}).Status, 0);
    ASSERT_EQ(Convert({"--bmp-size", "6", "--mixing", value, fx.In(), png}).Status, 0);
    const Bytes bitmap = ReadBytes(bmp);
    const QImage image = QImage(QString::fromStdString(png), "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.width(), 640);
    ASSERT_EQ(image.height(), 480);
    int wrong = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        wrong += (image.pixel(x, y) & 0xFFFFFFu) != (BmpPixel(bitmap, 640, 480, x, y) & 0xFFFFFFu);
    EXPECT_EQ(wrong, 0);
  }
}

TEST(ConverterMixing, AProfileFileGivesItsOwnColours) {
  Fixture fx;
  MixedColourTableType table{};
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) table[a][b] = MakeRgb(a * 16, b * 16, 7);
  WriteBytes(fx.Dir.File("crt.txt"), [&] {
    const std::string text = MixingProfileText(table);
    return Bytes(text.begin(), text.end());
  }());
  const Outcome run = Convert({"--mixing", fx.Dir.File("crt.txt"), fx.In(), fx.Dir.File("o.bmp")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(WrongPixels(ReadBytes(fx.Dir.File("o.bmp")), fx.Shown, [&](ZxColour a, ZxColour b) { return table[a][b]; }),
            0);
}

TEST(ConverterMixing, ABadValueIsAUsageErrorAndABadFileFailsWithItsLine) {
  Fixture fx;
  WriteBytes(fx.Dir.File("short.txt"), Bytes{'0', ',', '0', ',', '0', '\n'});
  WriteBytes(fx.Dir.File("empty.txt"), {});
  const std::string out = fx.Dir.File("o.bmp");
  const struct {
    std::vector<std::string> Args;
    int Status;
    std::string Message;
  } cases[] = {
      {{"--mixing=", fx.In(), out}, 2, "--mixing needs a model's name or levels, or a profile FILE"},
      {{"--mixing", "-", fx.In(), out}, 2, "--mixing needs a model's name"},
      {{"--mixing", "average", fx.In(), fx.Dir.File("o.mgs")},
       2,
       "--mixing applies to image inputs and bitmap outputs only"},
      {{"--mixing", "average", fx.In(), fx.Dir.File("o.gif")}, 2, "an animation shows each screen unmixed"},
      {{"--mixing", "00,96,CD,E8,FF", fx.In(), out}, 2, "--mixing 00,96,CD,E8,FF: a model has six levels"},
      {{"--mixing", "00,96,CD,E8,FF,BX", fx.In(), out}, 2, "\"BX\" is not a hex value"},
      {{"--mixing", "00,96,CD,E8,FF,BC:FF,00,00;00,FF,00;00,00", fx.In(), out}, 2, "nine values"},
      {{"--mixing", fx.Dir.File("none.txt"), fx.In(), out}, 1, "none.txt"},
      {{"--mixing", fx.Dir.File("short.txt"), fx.In(), out},
       1,
       "short.txt\": Error file format: mixing profile line 1: 1 colour separated"},
      {{"--mixing", fx.Dir.File("empty.txt"), fx.In(), out}, 1, "line 1: the file ends after 0 rows"},
      {{"--mixing", fx.Dir.File(""), fx.In(), out}, 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args[1]);
    const Outcome run = Convert(c.Args);
    EXPECT_EQ(run.Status, c.Status) << run.Err;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(fx.Dir.File("o.mgs")));
  }
}

}  // namespace
}  // namespace chromaloom

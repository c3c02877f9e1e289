#include "formats/zx_screen_format.h"

#include <gtest/gtest.h>

#include "format_test_support.h"

namespace chromaloom {
namespace {

using test_support::ExpectFormatError;
using test_support::RandomPicture;
using test_support::SharedBright;

// A ZX screen with a marker byte on a few lines and the given attribute everywhere.
std::vector<std::uint8_t> MakeScreen(std::uint8_t attr, std::uint8_t marker) {
  std::vector<std::uint8_t> screen(ZxScreenLength, 0);
  std::fill(screen.begin() + ZxPixelAreaLength, screen.end(), attr);
  screen[256] = marker;                                  // line 1, column 0
  screen[6143] = static_cast<std::uint8_t>(marker + 1);  // line 191, column 31
  return screen;
}

TEST(ZxScreenFormat, LineInterleave) {
  struct Case {
    int line;
    int offset;
  };
  for (const Case c : {Case{0, 0}, Case{1, 256}, Case{7, 1792}, Case{8, 32}, Case{9, 288}, Case{63, 2016},
                       Case{64, 2048}, Case{128, 4096}, Case{191, 6112}})
    EXPECT_EQ(ZxLineOffset(c.line), c.offset) << "line " << c.line;
}

TEST(ZxScreenFormat, AttributeConversion) {
  struct Case {
    std::uint8_t attr;
    ZxColour ink;
    ZxColour paper;
  };
  for (const Case c : {Case{0x47, 14, 0}, Case{0x40, 0, 0}, Case{0xC7, 14, 0}, Case{0x07, 13, 0}, Case{0x87, 13, 0},
                       Case{0x38, 0, 13}, Case{0x79, 2, 14}, Case{0x0A, 3, 1}, Case{0xFF, 14, 14}}) {
    const std::vector<std::uint8_t> scr = MakeScreen(c.attr, 0);
    const ImportedPicture read = ReadZxScreen(scr, false, false);
    for (int s = 0; s < 2; ++s)
      EXPECT_EQ(read.Planes.Attrs[s].At(17, 100), (AttrEntry{c.paper, c.ink})) << std::hex << int{c.attr};
  }
}

TEST(ZxScreenFormat, ReadsAllFourVariants) {
  const std::vector<std::uint8_t> a = MakeScreen(0x47, 0x5A);
  const std::vector<std::uint8_t> b = MakeScreen(0x0A, 0x3C);
  std::vector<std::uint8_t> hobetaHeader(HobetaHeaderLength, 0xEE);

  std::vector<std::uint8_t> scr = a;
  std::vector<std::uint8_t> hscr = hobetaHeader;
  hscr.insert(hscr.end(), a.begin(), a.end());
  std::vector<std::uint8_t> img = a;
  img.insert(img.end(), b.begin(), b.end());
  std::vector<std::uint8_t> himg = hobetaHeader;
  himg.insert(himg.end(), img.begin(), img.end());

  const ImportedPicture one = ReadZxScreen(scr, false, false);
  EXPECT_EQ(one.CellHeight, 8);
  EXPECT_FALSE(one.Border.has_value());
  EXPECT_EQ(one.Planes.Pixels[0].At(0, 1), 0x5A);
  EXPECT_EQ(one.Planes.Pixels[0].At(31, 191), 0x5B);
  EXPECT_EQ(one.Planes.Pixels[0], one.Planes.Pixels[1]);
  EXPECT_EQ(one.Planes.Attrs[0], one.Planes.Attrs[1]);

  // The Hobeta header, whatever it holds, changes nothing; extra bytes neither.
  EXPECT_EQ(ReadZxScreen(hscr, true, false).Planes, one.Planes);
  scr.insert(scr.end(), 500, 0x99);
  EXPECT_EQ(ReadZxScreen(scr, false, false).Planes, one.Planes);

  const ImportedPicture two = ReadZxScreen(img, false, true);
  EXPECT_EQ(two.CellHeight, 8);
  EXPECT_EQ(two.Planes.Pixels[0].At(0, 1), 0x5A);
  EXPECT_EQ(two.Planes.Pixels[1].At(0, 1), 0x3C);
  EXPECT_EQ(two.Planes.Attrs[0].At(0, 0), (AttrEntry{0, 14}));
  EXPECT_EQ(two.Planes.Attrs[1].At(31, 191), (AttrEntry{1, 3}));
  EXPECT_EQ(ReadZxScreen(himg, true, true).Planes, two.Planes);
}

TEST(ZxScreenFormat, ImgWriterLayout) {
  Picture p;
  p.CellHeight = 1;
  p.Pixels[0].At(0, 1) = 0x81;
  p.Pixels[1].At(31, 191) = 0x7E;
  p.SetAttr(0, 3, 16, /*paper*/ 1, /*ink*/ 2);
  p.SetAttr(0, 3, 17, 5, 5);  // not a first line: never written
  p.SetAttr(1, 31, 184, 0, 1);
  p.SetAttr(1, 0, 0, 14, 0);

  const std::vector<std::uint8_t> f = WriteImg(p);
  ASSERT_EQ(f.size(), 13824u);
  EXPECT_EQ(f[256], 0x81);
  EXPECT_EQ(f[6912 + 6112 + 31], 0x7E);
  EXPECT_EQ(f[6144 + 2 * 32 + 3], 0x49);
  EXPECT_EQ(f[6912 + 6144 + 23 * 32 + 31], 0x01);
  EXPECT_EQ(f[6912 + 6144], 0x78);
  EXPECT_EQ(std::count(f.begin() + 6144, f.begin() + 6912, 0), 767);
}

TEST(ZxScreenFormat, ImgRoundTripShowsTheSamePicture) {
  for (std::uint8_t mode : test_support::AllCellHeights) {
    const Picture original = RandomPicture(mode, 40u + mode);
    const ImportedPicture read = ReadZxScreen(WriteImg(original), false, true);
    EXPECT_EQ(read.CellHeight, 8);
    for (int s = 0; s < 2; ++s) {
      EXPECT_EQ(read.Planes.Pixels[s], original.Pixels[s]);
      for (int col = 0; col < 32; ++col)
        for (int line = 0; line < 192; ++line)
          ASSERT_EQ(read.Planes.Attrs[s].At(col, line), SharedBright(original.AttrAt(s, col, line / 8 * 8)))
              << "mode " << int{mode} << " screen " << s << " col " << col << " line " << line;
    }
  }
}

TEST(ZxScreenFormat, RefusesShortFiles) {
  for (bool hobeta : {false, true})
    for (bool two : {false, true}) {
      const std::size_t n = ZxScreenFileLength(hobeta, two);
      const std::vector<std::uint8_t> full(n, 0x47);
      for (std::size_t cut : test_support::CutLengths(n)) {
        if (cut >= n) continue;
        ExpectFormatError(
            [&] { ReadZxScreen(std::span(full).first(cut), hobeta, two); },
            "hobeta " + std::to_string(hobeta) + " two " + std::to_string(two) + " cut " + std::to_string(cut));
      }
      EXPECT_NO_THROW(ReadZxScreen(full, hobeta, two));
    }
  EXPECT_EQ(test_support::FormatErrorText([] { ReadZxScreen(std::vector<std::uint8_t>(6928), true, false); }),
            "Error file format: file is 6928 bytes, a Hobeta .$scr needs 6929");
}

}  // namespace
}  // namespace chromaloom

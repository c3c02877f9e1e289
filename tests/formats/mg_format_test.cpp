#include "formats/mg_format.h"

#include <gtest/gtest.h>

#include "format_test_support.h"
#include "formats/zx_screen_format.h"

namespace chromaloom {
namespace {

using test_support::ExpectFormatError;
using test_support::RandomPicture;
using test_support::SharedBright;

// The file the preview and the matching export would write for this picture's mode.
std::vector<std::uint8_t> WriteOwnLayout(const Picture& p) { return p.CellHeight == 1 ? WriteMg1(p) : WriteMg(p); }

TEST(MgFormat, HeaderAndLengths) {
  struct Case {
    std::uint8_t mode;
    bool mg1;
    std::size_t length;
  };
  for (const Case c : {Case{8, false, 14080}, Case{4, false, 15616}, Case{2, false, 18688}, Case{1, false, 24832},
                       Case{1, true, 19456}, Case{2, true, 19456}, Case{8, true, 19456}}) {
    Picture p = RandomPicture(c.mode, c.mode);
    p.SetBorderChoice(7, 2);  // the pair (5, 4)
    const std::vector<std::uint8_t> f = c.mg1 ? WriteMg1(p) : WriteMg(p);
    const std::string label = "mode " + std::to_string(c.mode) + (c.mg1 ? " mg1" : "");
    ASSERT_EQ(f.size(), c.length) << label;
    EXPECT_EQ(std::vector<std::uint8_t>(f.begin(), f.begin() + 7),
              (std::vector<std::uint8_t>{'M', 'G', 'H', 1, c.mode, 5, 4}))
        << label;
    EXPECT_EQ(std::count(f.begin() + 7, f.begin() + 255, 0), 248) << label;
    EXPECT_EQ(f[255], 0xFF) << label;
    EXPECT_EQ(f[256 + 256], p.Pixels[0].At(0, 1)) << label;
    EXPECT_EQ(f[6400 + 6112 + 31], p.Pixels[1].At(31, 191)) << label;
  }
  EXPECT_EQ(MgReadLength(1), 19456u);
  EXPECT_EQ(MgReadLength(8), 14080u);
  EXPECT_EQ(MgReadLength(3), 0u);
}

TEST(MgFormat, AttributeBytesSitWhereViewersLookForThem) {
  Picture p;
  p.SetAttr(0, 8, 5, /*paper*/ 1, /*ink*/ 2);  // middle, screen 0: 0x49
  p.SetAttr(1, 23, 191, 0, 1);                 // middle, screen 1: 0x01
  p.SetAttr(0, 7, 16, 14, 0);                  // side, screen 0, row 2: 0x78
  p.SetAttr(1, 24, 184, 1, 2);                 // side, screen 1, row 23: 0x49
  p.SetAttr(1, 24, 185, 14, 14);               // not a first line of a side cell

  p.CellHeight = 1;
  const std::vector<std::uint8_t> mg1 = WriteMg1(p);
  EXPECT_EQ(mg1[12544 + 5 * 16 + 0], 0x49);
  EXPECT_EQ(mg1[15616 + 191 * 16 + 15], 0x01);
  EXPECT_EQ(mg1[18688 + 2 * 16 + 7], 0x78);
  EXPECT_EQ(mg1[19072 + 23 * 16 + 8], 0x49);
  EXPECT_EQ(std::count_if(mg1.begin() + 12544, mg1.end(), [](std::uint8_t b) { return b != 0; }), 4);

  p.CellHeight = 4;  // 48 rows: entries of lines 0, 4, 8, ...
  const std::vector<std::uint8_t> mg4 = WriteMg(p);
  EXPECT_EQ(mg4[12544 + 4 * 32 + 7], 0x78);           // line 16 is row 4
  EXPECT_EQ(mg4[12544 + 1536 + 46 * 32 + 24], 0x49);  // line 184 is row 46
  EXPECT_EQ(std::count_if(mg4.begin() + 12544, mg4.end(), [](std::uint8_t b) { return b != 0; }), 2);
}

TEST(MgFormat, RoundTripInTheOwnLayoutShowsTheSamePicture) {
  for (std::uint8_t mode : test_support::AllCellHeights) {
    const Picture original = RandomPicture(mode, 60u + mode);
    const ImportedPicture read = ReadMg(WriteOwnLayout(original));
    EXPECT_EQ(read.CellHeight, mode);
    EXPECT_FALSE(read.Border.has_value());
    for (int s = 0; s < 2; ++s) {
      EXPECT_EQ(read.Planes.Pixels[s], original.Pixels[s]) << "mode " << int{mode};
      for (int col = 0; col < 32; ++col)
        for (int line = 0; line < 192; ++line) {
          const int first = original.AttrLineOf(col, line);
          ASSERT_EQ(read.Planes.Attrs[s].At(col, line), SharedBright(original.AttrAt(s, col, first)))
              << "mode " << int{mode} << " screen " << s << " col " << col << " line " << line;
        }
    }
  }
}

TEST(MgFormat, LayoutFollowsTheModeByteNotTheWriter) {
  // An 8x8 picture in the .mg1 layout reads as mode 8; an 8x1 one written
  // with WriteMg reads with the .mg1 layout. Pixels survive either way.
  const Picture mode8 = RandomPicture(8, 5);
  const ImportedPicture a = ReadMg(WriteMg1(mode8));
  EXPECT_EQ(a.CellHeight, 8);
  EXPECT_EQ(a.Planes.Pixels, mode8.Pixels);

  const Picture mode1 = RandomPicture(1, 6);
  const std::vector<std::uint8_t> wide = WriteMg(mode1);
  const ImportedPicture b = ReadMg(wide);
  EXPECT_EQ(b.CellHeight, 1);
  EXPECT_EQ(b.Planes.Pixels, mode1.Pixels);
  // Middle column 8, line 0 takes the first byte after the pixels: row 0, column 0 of WriteMg.
  EXPECT_EQ(b.Planes.Attrs[0].At(8, 0), AttrEntryFromZx(wide[12544]));

  // The same bytes under any name give the same picture: there is no name here at all,
  // and the border bytes and header padding are ignored.
  std::vector<std::uint8_t> f = WriteMg(mode8);
  f[3] = 9;
  f[5] = 7;
  f[6] = 7;
  f[100] = 0x55;
  f[255] = 0;
  EXPECT_EQ(ReadMg(f).Planes, ReadMg(WriteMg(mode8)).Planes);
}

TEST(MgFormat, ExtraBytesAreIgnored) {
  const Picture p = RandomPicture(8, 9);
  std::vector<std::uint8_t> f = WriteMg(p);
  ASSERT_EQ(f.size(), 14080u);
  const ImportedPicture exact = ReadMg(f);
  f.insert(f.end(), 3000, 0xFF);
  EXPECT_EQ(ReadMg(f).Planes, exact.Planes);
}

TEST(MgFormat, RefusesBadFiles) {
  for (std::uint8_t mode : test_support::AllCellHeights) {
    const std::vector<std::uint8_t> good = WriteOwnLayout(RandomPicture(mode, mode));
    for (std::size_t n : test_support::CutLengths(good.size())) {
      if (n >= good.size()) continue;
      ExpectFormatError([&] { ReadMg(std::span(good).first(n)); },
                        "mode " + std::to_string(mode) + " cut to " + std::to_string(n));
    }
  }
  const std::vector<std::uint8_t> good = WriteMg(RandomPicture(8, 1));
  ExpectFormatError([&] { ReadMg(std::span(good).first(14000)); }, "mode 8 cut to 14000");

  for (const char* magic : {"MGS", "mgh", "MGh", "\0\0\0"}) {
    std::vector<std::uint8_t> f = good;
    std::copy(magic, magic + 3, f.begin());
    ExpectFormatError([&] { ReadMg(f); }, std::string("magic ") + magic);
  }
  // A long, valid-looking file refused for its mode byte alone.
  std::vector<std::uint8_t> big = WriteMg(RandomPicture(1, 1));
  for (int mode = 0; mode < 256; ++mode) {
    if (IsValidCellHeight(mode)) continue;
    big[4] = static_cast<std::uint8_t>(mode);
    ExpectFormatError([&] { ReadMg(big); }, "mode " + std::to_string(mode));
  }
  EXPECT_EQ(test_support::FormatErrorText([&] { ReadMg(std::span(good).first(14000)); }),
            "Error file format: file is 14000 bytes, an 8x8 MultiGigaScreen picture needs 14080");
}

TEST(MgFormat, WritersRefuseABrokenPicture) {
  Picture badMode;
  badMode.CellHeight = 0;
  Picture badBorder;
  badBorder.Border = {0, 3};
  for (const Picture* p : {&badMode, &badBorder}) {
    EXPECT_THROW(WriteMg(*p), std::invalid_argument);
    EXPECT_THROW(WriteMg1(*p), std::invalid_argument);
  }
}

}  // namespace
}  // namespace chromaloom

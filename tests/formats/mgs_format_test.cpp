#include "formats/mgs_format.h"

#include <gtest/gtest.h>

#include "format_test_support.h"
#include "formats/format_error.h"

namespace chromaloom {
namespace {

using test_support::ExpectFormatError;
using test_support::FormatErrorText;
using test_support::RandomPicture;

TEST(MgsFormat, RoundTripKeepsEveryByteInEveryMode) {
  for (std::uint8_t mode : test_support::AllCellHeights) {
    const Picture original = RandomPicture(mode, 100u + mode);
    const std::vector<std::uint8_t> file = WriteMgs(original);
    ASSERT_EQ(file.size(), 36871u);

    const ImportedPicture read = ReadMgs(file);
    EXPECT_EQ(read.Planes, static_cast<const Planes&>(original)) << "mode " << int{mode};
    EXPECT_EQ(read.CellHeight, mode);
    ASSERT_TRUE(read.Border.has_value());
    EXPECT_EQ(*read.Border, original.GetBorderPair());
    EXPECT_EQ(FindBorderChoice(*read.Border), original.Border);
  }
}

TEST(MgsFormat, WritesTheDocumentedLayout) {
  Picture p;
  p.CellHeight = 4;
  p.SetBorderChoice(7, 2);  // the pair (5, 4)
  p.Pixels[0].At(0, 0) = 0xA1;
  p.Pixels[0].At(31, 0) = 0xB2;
  p.Pixels[0].At(0, 1) = 0xC3;
  p.Pixels[1].At(31, 191) = 0xD4;
  p.SetAttr(0, 0, 0, /*paper*/ 3, /*ink*/ 14);
  p.SetAttr(0, 1, 0, 5, 6);
  p.SetAttr(1, 31, 191, 9, 12);

  const std::vector<std::uint8_t> f = WriteMgs(p);
  ASSERT_EQ(f.size(), 36871u);
  const std::vector<std::uint8_t> header(f.begin(), f.begin() + 7);
  EXPECT_EQ(header, (std::vector<std::uint8_t>{'M', 'G', 'S', 1, 4, 5, 4}));
  // Pixels line by line, 32 bytes a line, not interleaved.
  EXPECT_EQ(f[7], 0xA1);
  EXPECT_EQ(f[7 + 31], 0xB2);
  EXPECT_EQ(f[7 + 32], 0xC3);
  EXPECT_EQ(f[6151 + 6143], 0xD4);
  // Attributes INK first, then PAPER.
  EXPECT_EQ(f[12295], 14);
  EXPECT_EQ(f[12296], 3);
  EXPECT_EQ(f[12297], 6);
  EXPECT_EQ(f[12298], 5);
  EXPECT_EQ(f[36869], 12);
  EXPECT_EQ(f[36870], 9);
}

TEST(MgsFormat, ReadsOlderAndNewerVersions) {
  const Picture original = RandomPicture(2, 7);
  std::vector<std::uint8_t> v1 = WriteMgs(original);

  // Version 0: no border bytes, planes start at offset 5.
  std::vector<std::uint8_t> v0 = v1;
  v0.erase(v0.begin() + 5, v0.begin() + 7);
  v0[3] = 0;
  ASSERT_EQ(v0.size(), 36869u);
  const ImportedPicture old = ReadMgs(v0);
  EXPECT_EQ(old.Planes, static_cast<const Planes&>(original));
  EXPECT_EQ(old.CellHeight, 2);
  EXPECT_FALSE(old.Border.has_value());

  // Version 2 and above read as version 1.
  for (int v : {2, 9, 255}) {
    const auto version = static_cast<std::uint8_t>(v);
    std::vector<std::uint8_t> newer = v1;
    newer[3] = version;
    const ImportedPicture read = ReadMgs(newer);
    EXPECT_EQ(read.Planes, static_cast<const Planes&>(original)) << int{version};
    EXPECT_EQ(read.Border, original.GetBorderPair());
  }

  // Extra bytes after the planes are ignored.
  v1.insert(v1.end(), 1000, 0xEE);
  EXPECT_EQ(ReadMgs(v1).Planes, static_cast<const Planes&>(original));
}

TEST(MgsFormat, BorderPairOutsideTheTableIsPassedOn) {
  std::vector<std::uint8_t> f = WriteMgs(Picture{});
  f[5] = 7;
  f[6] = 0;  // (7, 0) is not in the table: the caller keeps its border
  const ImportedPicture read = ReadMgs(f);
  ASSERT_TRUE(read.Border.has_value());
  EXPECT_EQ(*read.Border, (BorderPair{7, 0}));
  EXPECT_FALSE(FindBorderChoice(*read.Border).has_value());
}

TEST(MgsFormat, RefusesBadFiles) {
  const std::vector<std::uint8_t> good = WriteMgs(RandomPicture(8, 3));
  std::vector<std::uint8_t> v0 = good;
  v0.erase(v0.begin() + 5, v0.begin() + 7);
  v0[3] = 0;

  for (std::size_t n : test_support::CutLengths(good.size())) {
    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    ExpectFormatError([&] { ReadMgs(cut); }, "v1 cut to " + std::to_string(n));
  }
  for (std::size_t n : test_support::CutLengths(v0.size())) {
    const std::vector<std::uint8_t> cut(v0.begin(), v0.begin() + static_cast<std::ptrdiff_t>(n));
    ExpectFormatError([&] { ReadMgs(cut); }, "v0 cut to " + std::to_string(n));
  }
  // A v1 file as long as a v0 one is still two bytes short.
  ExpectFormatError([&] { ReadMgs(std::span(good).first(MgsLengthV0)); }, "v1 of v0 length");

  for (const char* magic : {"MGX", "mgs", "MGH", "\0GS"}) {
    std::vector<std::uint8_t> f = good;
    std::copy(magic, magic + 3, f.begin());
    ExpectFormatError([&] { ReadMgs(f); }, std::string("magic ") + magic);
  }

  for (int mode = 0; mode < 256; ++mode) {
    if (IsValidCellHeight(mode)) continue;
    std::vector<std::uint8_t> f = good;
    f[4] = static_cast<std::uint8_t>(mode);
    ExpectFormatError([&] { ReadMgs(f); }, "mode " + std::to_string(mode));
  }

  // Colour bytes above 14 at the first and last INK and PAPER of each screen.
  struct Bad {
    std::vector<std::uint8_t> file;
    std::size_t offset;
  };
  for (const Bad& base : {Bad{good, 12295}, Bad{good, 12296}, Bad{good, 24581}, Bad{good, 24582}, Bad{good, 24583},
                          Bad{good, 36869}, Bad{good, 36870}, Bad{v0, 12293}, Bad{v0, 36868}}) {
    for (int v : {15, 16, 128, 255}) {
      const auto value = static_cast<std::uint8_t>(v);
      std::vector<std::uint8_t> f = base.file;
      f[base.offset] = value;
      ExpectFormatError([&] { ReadMgs(f); }, "colour " + std::to_string(value) + " at " + std::to_string(base.offset));
    }
  }
}

TEST(MgsFormat, ErrorsSayWhatIsWrong) {
  const std::vector<std::uint8_t> good = WriteMgs(Picture{});
  std::vector<std::uint8_t> badMode = good;
  badMode[4] = 3;
  std::vector<std::uint8_t> badColour = good;
  badColour[36870] = 200;
  EXPECT_EQ(FormatErrorText([&] { ReadMgs(std::span(good).first(100)); }),
            "Error file format: file is 100 bytes, a version 1 picture needs 36871");
  EXPECT_EQ(FormatErrorText([&] { ReadMgs(badMode); }),
            "Error file format: char size byte is 3, it must be 1, 2, 4 or 8");
  EXPECT_EQ(FormatErrorText([&] { ReadMgs(badColour); }),
            "Error file format: colour byte 200 at offset 36870 (screen 1, line 191, column 31 PAPER) is not a colour "
            "index 0..14");
}

TEST(MgsFormat, WriterRefusesAPictureItsReaderWouldRefuse) {
  Picture badMode;
  badMode.CellHeight = 3;
  Picture badColour;
  badColour.SetAttr(1, 31, 191, 0, 15);
  Picture badBorder;
  badBorder.Border = {9, 0};
  for (const Picture* p : {&badMode, &badColour, &badBorder}) EXPECT_THROW(WriteMgs(*p), std::invalid_argument);
}

}  // namespace
}  // namespace chromaloom

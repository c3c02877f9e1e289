#include "formats/one_screen_format.h"

#include <gtest/gtest.h>

#include "formats/format_error.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

constexpr FileKind Kinds[] = {FileKind::Mlt, FileKind::Mc, FileKind::Ifl, FileKind::Mc4, FileKind::Atr};

// Random, INK and PAPER of one brightness (as the byte has one BRIGHT bit);
// an .atr's pixels are its checkerboard.
Picture PictureFor(const OneScreenLayout& layout, int cellHeight, unsigned seed) {
  Picture p = test_support::RandomPicture(cellHeight, seed);
  for (AttrPlane& plane : p.Attrs)
    for (AttrEntry& e : plane.Entries) MatchBrightness(e.Ink, e.Paper);
  for (int s = 0; s < 2 && layout.Pixels == PixelOrder::Checkerboard; ++s)
    for (int y = 0; y < PictureHeight; ++y)
      for (int x = 0; x < PictureWidth; ++x) p.SetPixelBit(s, x, y, (x + y) & 1);
  return p;
}

// The colour a file shows at (x, y), from the layout as the renderer reads it.
ZxColour FileColourAt(const std::vector<std::uint8_t>& file, const OneScreenLayout& layout, int x, int y) {
  const int third = y / 64, charRow = y / 8 % 8, pixelLine = y % 8;
  std::size_t attrs = 6144;
  bool ink = (x + y) & 1;
  if (layout.Pixels == PixelOrder::Checkerboard) {
    attrs = 0;
  } else {
    const int row = layout.Pixels == PixelOrder::Linear ? y : third * 64 + pixelLine * 8 + charRow;
    ink = (file[static_cast<std::size_t>(row * 32 + x / 8)] >> (7 - x % 8)) & 1;
  }
  const std::uint8_t a = file[attrs + static_cast<std::size_t>(y / layout.CellHeight * 32 + x / 8)];
  return ZxColourIndex(ink ? a & 7 : (a >> 3) & 7, (a >> 6) & 1);
}

TEST(OneScreenFormat, BytesShowScreenZeroAndReadBackOntoBothScreens) {
  for (const FileKind kind : Kinds)
    for (const int h : {8, 4, 2, 1}) {
      const OneScreenLayout layout = OneScreenLayoutOf(kind);
      if (h < layout.CellHeight) continue;
      SCOPED_TRACE(testing::Message() << layout.Name << " from 8x" << h);
      const Picture picture = PictureFor(layout, h, 7u * h + static_cast<unsigned>(kind));
      const std::vector<std::uint8_t> file = *WritePictureFile(picture, kind);
      ASSERT_EQ(file.size(), OneScreenFileLength(layout));
      int wrong = 0;
      for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x)
          wrong += FileColourAt(file, layout, x, y) != picture.ScreenColourAt(0, x, y);
      EXPECT_EQ(wrong, 0);
      // Screen 1 is written as screen 0 of a picture holding it there.
      Picture swapped = picture;
      swapped.Pixels[0] = picture.Pixels[1];
      swapped.Attrs[0] = picture.Attrs[1];
      EXPECT_EQ(*WritePictureFile(picture, kind, 1), *WritePictureFile(swapped, kind));
      EXPECT_NE(*WritePictureFile(picture, kind, 1), file);
      // Read back whole, but for 8x2 and 8x4 side cells, which an 8x1 picture keeps 8 lines high.
      const ImportedPicture back = ReadPictureFile(kind, file);
      EXPECT_EQ(back.CellHeight, layout.CellHeight);
      if (layout.CellHeight == 1 && h != 1 && h != 8) continue;
      EXPECT_EQ(back.Note, "");
      for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x)
          for (int s = 0; s < 2; ++s)
            wrong += ScreenColourAt(back.Planes, back.CellHeight, s, x, y) != picture.ScreenColourAt(0, x, y);
      EXPECT_EQ(wrong, 0);
      Picture again;
      static_cast<Planes&>(again) = back.Planes;
      again.CellHeight = back.CellHeight;
      EXPECT_EQ(*WritePictureFile(again, kind), file);
    }
}

TEST(OneScreenFormat, RefusesOtherLengthsFinerCellsAndOtherPixelsUnderAttributes) {
  for (const FileKind kind : Kinds) {
    const OneScreenLayout layout = OneScreenLayoutOf(kind);
    SCOPED_TRACE(layout.Name);
    const std::size_t n = OneScreenFileLength(layout);
    for (const std::size_t size : {std::size_t{0}, n - 1, n + 1, 2 * n})
      EXPECT_THROW(ReadPictureFile(kind, std::vector<std::uint8_t>(size, 0x38)), FormatError) << size;
    for (const int h : {1, 2, 4}) {
      if (h < layout.CellHeight) {
        EXPECT_THROW(WritePictureFile(PictureFor(layout, h, 3), kind), std::invalid_argument);
      }
    }
  }
  Picture dotted = PictureFor(OneScreenLayoutOf(FileKind::Atr), 8, 5);
  dotted.Attrs[0].At(3, 40) = {1, 6};  // a cell whose INK and PAPER differ, so its pixels show
  dotted.SetPixelBit(0, 24, 40, !dotted.GetPixelBit(0, 24, 40));
  EXPECT_THROW(WritePictureFile(dotted, FileKind::Atr), std::invalid_argument);
  EXPECT_NO_THROW(WritePictureFile(dotted, FileKind::Atr, 1));
}

TEST(OneScreenFormat, EightLineSideCellsAreSolvedForTheColoursTheyShow) {
  std::vector<std::uint8_t> file(12288, 0);
  const auto attr = [&](int col, int line) -> std::uint8_t& { return file[6144 + line * 32 + col]; };
  for (int line = 0; line < 192; ++line)
    for (int col = 0; col < 32; ++col) attr(col, line) = 0x38;  // white paper, black ink, bits clear
  // Column 0, lines 0-7: blue paper, then red paper: two colours, one pair.
  for (int line = 4; line < 8; ++line) attr(0, line) = 0x10;
  attr(0, 0) = 0x08;
  for (int line = 1; line < 4; ++line) attr(0, line) = 0x08;
  // Column 31, lines 8-15: three colours cannot stay.
  attr(31, 8) = 0x08, attr(31, 9) = 0x10, attr(31, 10) = 0x20;
  // Column 12 is a middle column: its 8x1 cells stay as they are.
  attr(12, 0) = 0x08, attr(12, 1) = 0x10, attr(12, 2) = 0x20;
  const ImportedPicture read = ReadPictureFile(FileKind::Mlt, file);
  EXPECT_NE(read.Note.find("2 cells of the file had several and 1 now shows"), std::string::npos) << read.Note;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(ScreenColourAt(read.Planes, 1, 0, x, y), y < 4 ? 1 : 3);
      EXPECT_EQ(ScreenColourAt(read.Planes, 1, 0, 8 * 12 + x, y), y == 0 ? 1 : y == 1 ? 3 : y == 2 ? 7 : 13);
    }
  Planes again = read.Planes;
  EXPECT_EQ(FitSideColumns(again, 0).Solved, 0);
}

}  // namespace
}  // namespace chromaloom

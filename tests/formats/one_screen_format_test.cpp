#include "formats/one_screen_format.h"

#include <gtest/gtest.h>

#include "formats/format_error.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

constexpr FileKind Kinds[] = {FileKind::Mlt, FileKind::Mc, FileKind::Ifl, FileKind::Mc4, FileKind::Atr};

// Random, INK and PAPER of one brightness (the byte has one BRIGHT bit); an .atr's pixels are its checkerboard.
Picture PictureFor(const OneScreenLayout& layout, int cellHeight, unsigned seed) {
  Picture p = test_support::RandomPicture(cellHeight, seed);
  for (int s = 0; s < 2; ++s) {
    for (AttrEntry& e : p.Attrs[s].Entries) MatchBrightness(e.Ink, e.Paper);
    for (int i = 0; i < PictureWidth * PictureHeight && layout.Pixels == PixelOrder::Checkerboard; ++i)
      p.SetPixelBit(s, i % PictureWidth, i / PictureWidth, (i % PictureWidth + i / PictureWidth) & 1);
  }
  return p;
}

// The colour a file shows at (x, y), from the layout as the renderer reads it.
ZxColour FileColourAt(const std::vector<std::uint8_t>& file, const OneScreenLayout& layout, int x, int y) {
  const int zxRow = y / 64 * 64 + y % 8 * 8 + y / 8 % 8, row = layout.Pixels == PixelOrder::Linear ? y : zxRow;
  const bool checkerboard = layout.Pixels == PixelOrder::Checkerboard;
  const bool ink = checkerboard ? (x + y) & 1 : (file[row * 32 + x / 8] >> (7 - x % 8)) & 1;
  const std::uint8_t a = file[(checkerboard ? 0 : 6144) + y / layout.CellHeight * 32 + x / 8];
  return ZxColourIndex(ink ? a & 7 : (a >> 3) & 7, (a >> 6) & 1);
}

TEST(OneScreenFormat, BytesShowTheScreenWrittenAndReadBackOntoBothScreens) {
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
      Picture swapped = picture;  // screen 1 is written as screen 0 of a picture holding it there
      swapped.Pixels[0] = picture.Pixels[1];
      swapped.Attrs[0] = picture.Attrs[1];
      EXPECT_EQ(*WritePictureFile(picture, kind, 1), *WritePictureFile(swapped, kind));
      EXPECT_NE(*WritePictureFile(picture, kind, 1), file);
      // Read back whole, but for 8x2 and 8x4 side cells, which an 8x1 picture keeps 8 lines high.
      Picture back;
      const ImportedPicture read = ReadPictureFile(kind, file);
      static_cast<Planes&>(back) = read.Planes;
      back.CellHeight = read.CellHeight;
      EXPECT_EQ(back.CellHeight, layout.CellHeight);
      EXPECT_TRUE(back.Pixels[0] == back.Pixels[1] && back.Attrs[0] == back.Attrs[1]);
      if (layout.CellHeight == 1 && h != 1 && h != 8) continue;
      EXPECT_TRUE(read.Notes.empty());
      EXPECT_EQ(*WritePictureFile(back, kind), file);
    }
}

TEST(OneScreenFormat, RefusesOtherLengthsFinerCellsAndOtherPixelsUnderAttributes) {
  for (const FileKind kind : Kinds) {
    const OneScreenLayout layout = OneScreenLayoutOf(kind);
    SCOPED_TRACE(layout.Name);
    const std::size_t n = OneScreenFileLength(layout);
    for (const std::size_t size : {std::size_t{0}, n - 1, n + 1, 2 * n})
      EXPECT_THROW(ReadPictureFile(kind, std::vector<std::uint8_t>(size, 0x38)), FormatError) << size;
    for (int h = 1; h < layout.CellHeight; h *= 2)
      EXPECT_THROW(WritePictureFile(PictureFor(layout, h, 3), kind), std::invalid_argument) << h;
  }
  Picture dotted = PictureFor(OneScreenLayoutOf(FileKind::Atr), 8, 5);
  dotted.Attrs[0].At(3, 40) = {1, 5};  // INK and PAPER differ, so the pixels show
  dotted.SetPixelBit(0, 24, 40, !dotted.GetPixelBit(0, 24, 40));
  EXPECT_THROW(WritePictureFile(dotted, FileKind::Atr), std::invalid_argument);
}

TEST(OneScreenFormat, EightLineSideCellsAreSolvedForTheColoursTheyShow) {
  std::vector<std::uint8_t> file(12288, 0x38);  // white PAPER, pixels clear
  std::fill(file.begin(), file.begin() + 6144, 0);
  const auto attr = [&](int col, int line) -> std::uint8_t& { return file[6144 + line * 32 + col]; };
  for (int line = 0; line < 8; ++line) attr(0, line) = line < 4 ? 0x08 : 0x10;  // blue, red: one pair holds both
  attr(31, 8) = 0x08, attr(31, 9) = 0x10, attr(31, 10) = 0x20;                  // four colours cannot stay
  attr(12, 0) = 0x08, attr(12, 1) = 0x10, attr(12, 2) = 0x20;                   // a middle column keeps 8x1 cells
  const ImportedPicture read = ReadPictureFile(FileKind::Mlt, file);
  ASSERT_EQ(read.Notes.size(), 1u);
  const std::string note = read.Notes[0].English();
  EXPECT_NE(note.find("2 cells of the file had several and 1 now shows"), std::string::npos) << note;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(ScreenColourAt(read.Planes, 1, 0, x, y), y < 4 ? 1 : 3);
      EXPECT_EQ(ScreenColourAt(read.Planes, 1, 1, 96 + x, y), y == 0 ? 1 : y == 1 ? 3 : y == 2 ? 7 : 13);
    }
}

}  // namespace
}  // namespace chromaloom

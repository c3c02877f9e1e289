// chromaloom-convert --thumbnail: the mixed picture in its border, as file
// managers show it.
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/file_kinds.h"
#include "formats/mgs_format.h"
#include "render/picture_bitmap.h"
#include "support/converter_run.h"
#include "support/random_picture.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;

QImage ReadPng(const std::string& path) {
  QImage image(QString::fromStdString(path), "PNG");
  return image.convertToFormat(QImage::Format_RGB32);
}

// The picture at 1x in a 32 x 24 border, as the renderer and the border colour make it.
Rgb FramedAt(const Picture& picture, const Raster& mixed, int x, int y) {
  const int px = x - 32, py = y - 24;
  if (px < 0 || py < 0 || px >= PictureWidth || py >= PictureHeight) return picture.BorderDisplayColour();
  return mixed.At(px, py);
}

// Every kind the converter reads gives the same thumbnail of the same picture.
TEST(ConverterThumbnail, EveryPictureKindAtWholeMultiplesIsThePictureInItsBorder) {
  TempDir dir;
  Picture picture = RandomPicture(8, 31);
  picture.SetBorderChoice(3, 1);
  WriteBytes(dir.File("p.mgs"), WriteMgs(picture));
  // The same 8x8 picture in every other kind, written by the converter itself.
  for (const char* kind : {"p.img", "p.mg8"}) ASSERT_EQ(Convert({dir.File("p.mgs"), dir.File(kind)}).Status, 0);
  const std::vector<std::uint8_t> img = ReadBytes(dir.File("p.img"));
  const std::vector<std::uint8_t> hobetaHeader(17, 0);
  std::vector<std::uint8_t> hobetaImg = hobetaHeader;
  hobetaImg.insert(hobetaImg.end(), img.begin(), img.end());
  WriteBytes(dir.File("p.$img"), hobetaImg);
  const std::vector<std::uint8_t> scr(img.begin(), img.begin() + 6912);  // screen 0 alone
  WriteBytes(dir.File("p.scr"), scr);
  std::vector<std::uint8_t> hobetaScr = hobetaHeader;
  hobetaScr.insert(hobetaScr.end(), scr.begin(), scr.end());
  WriteBytes(dir.File("p.$scr"), hobetaScr);
  for (const char* mode : {"1", "2", "4"})
    ASSERT_EQ(Convert({"--mode", mode, dir.File("p.mgs"), dir.File(std::string("p.mg") + mode)}).Status, 0);

  for (const char* input : {"p.mgs", "p.img", "p.$img", "p.scr", "p.$scr", "p.mg1", "p.mg2", "p.mg4", "p.mg8"})
    for (const int size : {320, 640}) {
      SCOPED_TRACE(std::string(input) + " at " + std::to_string(size));
      const std::string out = dir.File("thumb.png");
      std::filesystem::remove(out);
      const Outcome o = Convert({"--thumbnail", std::to_string(size), dir.File(input), out});
      ASSERT_EQ(o.Status, 0) << o.Err;
      const QImage thumb = ReadPng(out);
      ASSERT_EQ(thumb.width(), size);
      ASSERT_EQ(thumb.height(), size * 3 / 4);
      // What the file holds: .img keeps 8x8 ZX attributes only, and only
      // .mgs stores a border (the others show the default one).
      const auto kind = FileKindFromName(input);
      ASSERT_TRUE(kind);
      const ImportedPicture read = ReadPictureFile(*kind, ReadBytes(dir.File(input)));
      Picture shown;
      static_cast<Planes&>(shown) = read.Planes;
      shown.CellHeight = static_cast<std::uint8_t>(read.CellHeight);
      if (*kind == FileKind::Mgs) shown.Border = picture.Border;
      const Raster shownMixed = RenderMixedPicture(shown);
      const int k = size / 320;
      int wrong = 0;
      for (int y = 0; y < thumb.height(); ++y)
        for (int x = 0; x < thumb.width(); ++x)
          wrong += (thumb.pixel(x, y) & 0xFFFFFFu) != (FramedAt(shown, shownMixed, x / k, y / k) & 0xFFFFFFu);
      EXPECT_EQ(wrong, 0);
    }
}

// Other sizes average areas: a flat area stays its colour, the border stays
// the border's, and the thumbnail keeps the 4:3 shape.
TEST(ConverterThumbnail, OtherSizesAverageAreasAndKeepTheShape) {
  TempDir dir;
  Picture picture;
  picture.CellHeight = 8;
  picture.SetBorderChoice(1, 1);
  // Paper 2 on screen 0 and paper 6 on screen 1 everywhere, no ink.
  for (int s = 0; s < 2; ++s)
    for (auto& entry : picture.Attrs[s].Entries) entry = {static_cast<ZxColour>(s == 0 ? 2 : 6), 0};
  WriteBytes(dir.File("flat.mgs"), WriteMgs(picture));
  const Rgb paper = RenderMixedPicture(picture).At(0, 0);
  const Rgb border = picture.BorderDisplayColour();
  for (const int size : {128, 256, 500, 1000}) {
    SCOPED_TRACE(size);
    const std::string out = dir.File("t.png");
    ASSERT_EQ(Convert({"--thumbnail", std::to_string(size), dir.File("flat.mgs"), out}).Status, 0);
    const QImage thumb = ReadPng(out);
    EXPECT_EQ(thumb.width(), size);
    EXPECT_EQ(thumb.height(), (size * 240 + 160) / 320);
    EXPECT_EQ(thumb.pixel(size / 2, thumb.height() / 2) & 0xFFFFFFu, paper & 0xFFFFFFu);
    EXPECT_EQ(thumb.pixel(0, 0) & 0xFFFFFFu, border & 0xFFFFFFu);
    EXPECT_EQ(thumb.pixel(size - 1, thumb.height() - 1) & 0xFFFFFFu, border & 0xFFFFFFu);
  }
}

TEST(ConverterThumbnail, ImagesAreConvertedFirst) {
  TempDir dir;
  WriteBytes(dir.File("q.png"), Encoded(Quadrants(256, 192, {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu}), "PNG"));
  ASSERT_EQ(Convert({dir.File("q.png"), dir.File("q.mgs")}).Status, 0);
  ASSERT_EQ(Convert({"--thumbnail", "320", dir.File("q.png"), dir.File("a.png")}).Status, 0);
  ASSERT_EQ(Convert({"--thumbnail", "320", dir.File("q.mgs"), dir.File("b.png")}).Status, 0);
  EXPECT_EQ(ReadPng(dir.File("a.png")), ReadPng(dir.File("b.png")));
}

// A bad file makes no thumbnail and exits 1; a bad size is a usage error.
TEST(ConverterThumbnail, BadInputMakesNoThumbnail) {
  TempDir dir;
  WriteBytes(dir.File("short.mgs"), {'M', 'G', 'S', 1});
  WriteBytes(dir.File("empty.scr"), {});
  WriteBytes(dir.File("good.mgs"), WriteMgs(RandomPicture(4, 2)));
  std::filesystem::create_directory(dir.File("folder.png"));
  const struct {
    std::vector<std::string> Args;
    int Status;
  } cases[] = {
      {{"--thumbnail", "128", dir.File("short.mgs"), dir.File("out.png")}, 1},
      {{"--thumbnail", "128", dir.File("empty.scr"), dir.File("out.png")}, 1},
      {{"--thumbnail", "128", dir.File("missing.mgs"), dir.File("out.png")}, 1},
      {{"--thumbnail", "128", dir.File("good.mgs"), dir.File("folder.png")}, 1},
      {{"--thumbnail", "0", dir.File("good.mgs"), dir.File("out.png")}, 2},
      {{"--thumbnail", "4096", dir.File("good.mgs"), dir.File("out.png")}, 2},
      {{"--thumbnail", "big", dir.File("good.mgs"), dir.File("out.png")}, 2},
      {{"--thumbnail", "128", dir.File("good.mgs")}, 2},
      {{"--thumbnail", "128", dir.File("notes.txt"), dir.File("out.png")}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args[1] + " " + c.Args[2]);
    const Outcome o = Convert(c.Args);
    EXPECT_EQ(o.Status, c.Status) << o.Err;
    EXPECT_FALSE(o.Err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
  }
}

}  // namespace
}  // namespace chromaloom

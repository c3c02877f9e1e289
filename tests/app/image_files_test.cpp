#include "files/image_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "files/non_regular_paths.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;

constexpr std::array<QRgb, 4> Colours = {qRgb(250, 20, 10), qRgb(10, 240, 30), qRgb(20, 30, 230), qRgb(240, 240, 240)};

std::string Failure(const std::string& path) {
  try {
    ReadImageFile(path);
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

bool Near(Rgb got, QRgb want, int tolerance) {
  return std::abs(RedOf(got) - qRed(want)) <= tolerance && std::abs(GreenOf(got) - qGreen(want)) <= tolerance &&
         std::abs(BlueOf(got) - qBlue(want)) <= tolerance;
}

TEST(ImageFiles, ReadsEveryKindWithItsColours) {
  TempDir dir;
  const QImage image = Quadrants(40, 30, Colours);
  struct Case {
    const char* name;
    Bytes bytes;
    int tolerance;  // 0: lossless
  } cases[] = {
      {"a.png", Encoded(image, "PNG"), 0},
      {"a.bmp", Encoded(image, "BMP"), 0},
      {"a.tiff", Encoded(image, "TIFF"), 0},
      {"a.jpg", Encoded(image, "JPEG", 95), 12},
      {"a.webp", Encoded(image, "WEBP", 90), 12},
      // The content decides, not the name.
      {"png-named.jpg", Encoded(image, "PNG"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_FALSE(c.bytes.empty()) << "Qt could not write it";
    WriteBytes(dir.File(c.name), c.bytes);
    const Raster raster = ReadImageFile(dir.File(c.name));
    ASSERT_EQ(raster.Width(), 40);
    ASSERT_EQ(raster.Height(), 30);
    // Quadrant centres, and for lossless kinds every pixel.
    for (int q = 0; q < 4; ++q)
      EXPECT_TRUE(Near(raster.At(10 + 20 * (q % 2), 7 + 15 * (q / 2)), Colours[q], c.tolerance)) << q;
    if (c.tolerance == 0) {
      for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(raster.At(x, y), 0xFF000000u | (image.pixel(x, y) & 0xFFFFFFu));
    }
  }
}

TEST(ImageFiles, GifGivesItsFirstFrame) {
  TempDir dir;
  const std::array<std::array<std::uint8_t, 3>, 4> table = {{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}}};
  WriteBytes(dir.File("a.gif"), Gif(2, 2, table, {{0, 1, 2, 3}, {3, 3, 3, 3}}));
  const Raster raster = ReadImageFile(dir.File("a.gif"));
  ASSERT_EQ(raster.Width(), 2);
  ASSERT_EQ(raster.Height(), 2);
  EXPECT_EQ(raster.At(0, 0), MakeRgb(0, 0, 0));
  EXPECT_EQ(raster.At(1, 0), MakeRgb(255, 0, 0));
  EXPECT_EQ(raster.At(0, 1), MakeRgb(0, 255, 0));
  EXPECT_EQ(raster.At(1, 1), MakeRgb(0, 0, 255));
}

TEST(ImageFiles, TransparencyIsLaidOnBlack) {
  TempDir dir;
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 128, 0, 128));
  image.setPixel(1, 0, qRgba(255, 255, 255, 0));
  image.setPixel(2, 0, qRgba(10, 20, 30, 255));
  WriteBytes(dir.File("a.png"), Encoded(image, "PNG"));
  const Raster raster = ReadImageFile(dir.File("a.png"));
  EXPECT_TRUE(Near(raster.At(0, 0), qRgb(128, 64, 0), 1));
  EXPECT_EQ(raster.At(1, 0), MakeRgb(0, 0, 0));
  EXPECT_EQ(raster.At(2, 0), MakeRgb(10, 20, 30));
}

TEST(ImageFiles, JpegEndsAreCheckedNotTrailingBytes) {
  TempDir dir;
  const Bytes jpeg = Encoded(Quadrants(64, 48, Colours), "JPEG", 90);
  ASSERT_GT(jpeg.size(), 100u);
  ASSERT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  ASSERT_EQ(jpeg.back(), 0xD9);
  Bytes trailing = jpeg;
  trailing.insert(trailing.end(), {'t', 'a', 'i', 'l', 0xFF, 0x00});
  struct Case {
    const char* name;
    Bytes bytes;
    bool whole;
  } cases[] = {
      {"whole.jpg", jpeg, true},
      {"trailing.jpg", trailing, true},
      {"no-end-marker.jpg", Bytes(jpeg.begin(), jpeg.end() - 2), false},
      {"half.jpg", Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2)), false},
      {"last-byte-gone.jpg", Bytes(jpeg.begin(), jpeg.end() - 1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir.File(c.name), c.bytes);
    const std::string message = Failure(dir.File(c.name));
    if (c.whole)
      EXPECT_EQ(message, "");
    else
      EXPECT_NE(message.find("cut short"), std::string::npos) << message;
  }
}

Bytes Head(const Bytes& bytes, std::size_t n) {
  return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
}

// Qt fills what a cut-short BMP, GIF or PNG lacks with black and accepts it.
TEST(ImageFiles, CutShortImagesAreRefusedWholeOnesRead) {
  TempDir dir;
  const QImage image = Quadrants(256, 192, Colours);
  const Bytes bmp = Encoded(image, "BMP"), png = Encoded(image, "PNG");
  const Bytes bmp8 = Encoded(image.convertToFormat(QImage::Format_Indexed8), "BMP");
  const std::array<std::array<std::uint8_t, 3>, 4> table = {{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}}};
  const Bytes gif = Gif(64, 48, table, {std::vector<std::uint8_t>(64 * 48, 1)});
  const Bytes animated =
      Gif(64, 48, table, {std::vector<std::uint8_t>(64 * 48, 1), std::vector<std::uint8_t>(64 * 48, 2)});
  ASSERT_EQ(gif.back(), 0x3B);
  Bytes badSum = png;
  badSum[40] ^= 1;  // in the second chunk, whose check sum then disagrees
  struct Case {
    const char* name;
    Bytes bytes;
    const char* reason;  // nullptr: read
  } cases[] = {
      {"whole.bmp", bmp, nullptr},
      {"whole8.bmp", bmp8, nullptr},
      {"64-bytes.bmp", Head(bmp, 64), "the BMP data is cut short"},
      {"last-byte-gone.bmp", Head(bmp, bmp.size() - 1), "the BMP data is cut short"},
      {"palette-cut.bmp", Head(bmp8, 200), "the BMP data is cut short"},
      {"header-cut.bmp", Head(bmp, 20), "the BMP data is cut short"},
      {"whole.gif", gif, nullptr},
      {"no-trailer.gif", Head(gif, gif.size() - 1), nullptr},
      {"second-frame-cut.gif", Head(animated, animated.size() - 20), nullptr},
      {"half.gif", Head(gif, gif.size() / 2), "the GIF data is cut short"},
      {"no-end-block.gif", Head(gif, gif.size() - 2), "the GIF data is cut short"},
      {"screen-only.gif", Head(gif, 20), "the GIF data is cut short"},
      {"whole.png", png, nullptr},
      {"half.png", Head(png, png.size() / 2), "the PNG data is cut short"},
      {"no-end.png", Head(png, png.size() - 12), "the PNG data is cut short"},
      {"bad-sum.png", badSum, "the PNG data is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir.File(c.name), c.bytes);
    const std::string message = Failure(dir.File(c.name));
    if (c.reason)
      EXPECT_EQ(message, "Cannot read image \"" + dir.File(c.name) + "\": " + c.reason);
    else
      EXPECT_EQ(message, "");
  }
}

TEST(ImageFiles, BadFilesNameThemselvesAndTheReason) {
  TempDir dir;
  Bytes corrupt = Encoded(Quadrants(64, 48, Colours), "PNG");
  ASSERT_GT(corrupt.size(), 80u);
  // Past the header: the image data and its checksum no longer agree.
  for (std::size_t i = 50; i < corrupt.size() - 12; ++i) corrupt[i] = static_cast<std::uint8_t>(corrupt[i] ^ 0x5A);
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    const char* reason;
  } cases[] = {
      {"empty.png", [](const std::string& p) { WriteBytes(p, {}); }, "the file is empty"},
      {"text.png",
       [](const std::string& p) {
         WriteBytes(p, {'h', 'e', 'l', 'l', 'o'});
       },
       "not an image"},
      {"corrupt.png", [&](const std::string& p) { WriteBytes(p, corrupt); }, "\": "},
      {"huge.png", [](const std::string& p) { WriteBytes(p, PngHeaderOnly(30000, 30000)); }, "30000 x 30000 pixels"},
      {"wide.png", [](const std::string& p) { WriteBytes(p, PngHeaderOnly(8193, 2)); }, "8193 x 2 pixels"},
      {"tall.png", [](const std::string& p) { WriteBytes(p, PngHeaderOnly(1, 8193)); }, "1 x 8193 pixels"},
      {"many.png", [](const std::string& p) { WriteBytes(p, PngHeaderOnly(8192, 8000)); }, "64 megapixels"},
      {"header-only.png", [](const std::string& p) { WriteBytes(p, PngHeaderOnly(20, 20)); }, "\": "},
      {"folder.png", [](const std::string& p) { std::filesystem::create_directory(p); }, "a folder"},
      {"pipe.png", [](const std::string& p) { MakeFifo(p); }, "a FIFO"},
      {"missing.png", [](const std::string&) {}, "No such file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    c.make(path);
    const std::string message = Failure(path);
    EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    // Something follows the name: the reason is never blank.
    EXPECT_LT(message.find("\": ") + 4, message.size()) << message;
  }
}

TEST(ImageFiles, TheLargestSidesAllowedAreRead) {
  TempDir dir;
  struct Case {
    int w, h;
  } cases[] = {{8192, 1}, {1, 8192}};
  for (const Case& c : cases) {
    QImage image(c.w, c.h, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    WriteBytes(dir.File("edge.png"), Encoded(image, "PNG"));
    const Raster raster = ReadImageFile(dir.File("edge.png"));
    EXPECT_EQ(raster.Width(), c.w);
    EXPECT_EQ(raster.Height(), c.h);
    EXPECT_EQ(raster.At(c.w - 1, c.h - 1), MakeRgb(1, 2, 3));
  }
}

// Above 16 megapixels the reader scales the image down to at least 4 times
// the picture each way, keeping its aspect; smaller images come whole.
TEST(ImageFiles, OnlyVeryLargeImagesAreDecodedScaledDown) {
  TempDir dir;
  struct Case {
    int w, h, readW, readH;
  } cases[] = {{4000, 4000, 4000, 4000}, {6000, 4000, 1152, 768}, {2100, 8000, 1024, 3901}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
    QImage image(c.w, c.h, QImage::Format_RGB32);
    image.fill(Colours[0]);
    for (int y = c.h / 2; y < c.h; ++y) std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), c.w, Colours[1]);
    WriteBytes(dir.File("large.png"), Encoded(image, "PNG"));
    const Raster raster = ReadImageFile(dir.File("large.png"));
    ASSERT_EQ(raster.Width(), c.readW);
    ASSERT_EQ(raster.Height(), c.readH);
    EXPECT_TRUE(Near(raster.At(c.readW / 2, c.readH / 4), Colours[0], 1));
    EXPECT_TRUE(Near(raster.At(c.readW / 2, c.readH * 3 / 4), Colours[1], 1));
  }
}

}  // namespace
}  // namespace chromaloom

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/converter.h"
#include "convert/image_conversion.h"
#include "convert/image_fitting.h"
#include "files/image_files.h"
#include "formats/file_kinds.h"
#include "support/converter_run.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace chromaloom {
namespace {

using namespace chromaloom::test_support;

// A smooth photo-like image that is not 256 x 192, so it is fitted first.
QImage Photo(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x + y) * 127 / (w + h) + 64));
  return image;
}

// The images of every kind the tests write, in dir.
std::vector<std::string> WriteImages(const TempDir& dir) {
  const QImage photo = Photo(300, 200);
  WriteBytes(dir.File("photo.png"), Encoded(photo, "PNG"));
  WriteBytes(dir.File("photo.jpg"), Encoded(photo, "JPEG", 90));
  WriteBytes(dir.File("photo.bmp"), Encoded(photo, "BMP"));
  WriteBytes(dir.File("photo.gif"), Gif(4, 3, {{{0, 0, 0}, {250, 10, 10}, {10, 250, 10}, {240, 240, 240}}},
                                        {{0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2}}));
  return {"photo.png", "photo.jpg", "photo.bmp", "photo.gif"};
}

TEST(ConverterImages, EveryImageBecomesAPictureOfTheChosenCellHeight) {
  TempDir dir;
  struct Case {
    std::vector<std::string> options;
    const char* output;
    int height;
  } cases[] = {
      {{}, "o.mgs", 8},
      {{"--mode", "4"}, "o.mgs", 4},
      {{"--mode=2", "--fit", "crop"}, "o.mgs", 2},
      {{"--mode", "1", "--fit", "stretch", "--dither", "atkinson"}, "o.mgs", 1},
      {{"--mode", "4", "--dither", "floyd-steinberg"}, "o.mg4", 4},
      {{"--mode", "2", "--metric", "lab", "--flicker", "0.5"}, "o.mg2", 2},
      {{"--dither", "ordered"}, "o.mg8", 8},
      {{"--dither", "search"}, "o.mgs", 8},
      {{"--mode", "1"}, "o.mg1", 1},
      {{"--mixing", "pulsar", "--mode", "2"}, "o.mg2", 2},
  };
  for (const std::string& input : WriteImages(dir))
    for (const Case& c : cases) {
      SCOPED_TRACE(input + " -> " + c.output + " in 8x" + std::to_string(c.height));
      std::filesystem::remove(dir.File(c.output));
      std::vector<std::string> args = c.options;
      args.push_back(dir.File(input));
      args.push_back(dir.File(c.output));
      const Outcome run = Convert(args);
      ASSERT_EQ(run.Status, 0) << run.Err;
      EXPECT_EQ(run.Err, "");
      const Bytes written = ReadBytes(dir.File(c.output));
      const FileKind kind = *FileKindFromName(c.output);
      const ImportedPicture picture = ReadPictureFile(kind, written);
      EXPECT_EQ(picture.CellHeight, c.height);
    }
}

TEST(ConverterImages, ImagesAlsoBecomeBitmapsAndScreens) {
  TempDir dir;
  WriteImages(dir);
  struct Case {
    std::vector<std::string> options;
    const char* output;
    std::size_t size;
  } cases[] = {
      {{}, "o.bmp", 54 + 256 * 192 * 3},
      {{"--bmp-size", "2"}, "o.bmp", 0},
      {{}, "o.img", 13824},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.output));
    std::vector<std::string> args = c.options;
    args.push_back(dir.File("photo.png"));
    args.push_back(dir.File(c.output));
    const Outcome run = Convert(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    const Bytes written = ReadBytes(dir.File(c.output));
    if (c.size)
      EXPECT_EQ(written.size(), c.size);
    else
      EXPECT_GT(written.size(), 54u + 256 * 192 * 3);
  }
}

TEST(ConverterImages, AnImageIsConvertedForTheChosenMixing) {
  TempDir dir;
  WriteImages(dir);
  ASSERT_EQ(Convert({"--mixing", "srgb", dir.File("photo.png"), dir.File("o.mgs")}).Status, 0);
  ImageConversionOptions options;
  options.Mixing = *MixingNamed("srgb");
  const ImageConversion expected =
      ConvertImage(FitToPicture(ReadImageFile(dir.File("photo.png")), FitMode::Fit), options);
  EXPECT_EQ(ReadPictureFile(FileKind::Mgs, ReadBytes(dir.File("o.mgs"))).Planes, expected.Result);
}

TEST(ConverterImages, StatsPrintsTheMeanErrorAndFlicker) {
  TempDir dir;
  WriteImages(dir);
  const Outcome run = Convert({"--stats", dir.File("photo.png"), dir.File("o.mgs")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out, "");
  std::istringstream lines(run.Err);
  for (const char* label : {"mean colour error: ", "mean flicker: ", "mean blurred error: "}) {
    std::string line;
    ASSERT_TRUE(std::getline(lines, line)) << run.Err;
    ASSERT_EQ(line.rfind(label, 0), 0u) << line;
    std::size_t used = 0;
    const double value = std::stod(line.substr(std::string(label).size()), &used);
    EXPECT_EQ(used, line.size() - std::string(label).size()) << line;
    EXPECT_TRUE(std::isfinite(value) && value >= 0) << line;
  }
  std::string rest;
  EXPECT_FALSE(std::getline(lines, rest)) << rest;
}

TEST(ConverterImages, BadOptionsAreUsageErrorsAndWriteNothing) {
  TempDir dir;
  WriteImages(dir);
  const std::string png = dir.File("photo.png"), out = dir.File("o.mgs");
  ASSERT_EQ(Convert({png, dir.File("p.mgs")}).Status, 0);
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--fit", "zoom", png, out}, "--fit must be"},
      {{"--dither", "floyd", png, out}, "--dither must be"},
      {{"--metric", "hsv", png, out}, "--metric must be"},
      {{"--flicker", "-0.5", png, out}, "--flicker needs a number from 0 to 1000"},
      {{"--flicker", "lots", png, out}, "--flicker needs a number from 0 to 1000"},
      // Refused before the image is looked at.
      {{"--flicker", "1e300", dir.File("missing.png"), out}, "--flicker needs a number from 0 to 1000"},
      {{"--thumbnail", "64", png, dir.File("o.jpg")}, "name the output .png"},
      {{"--mode", "3", png, out}, "--mode must be"},
      {{"--stats", dir.File("p.mgs"), out}, "apply to image inputs only"},
      {{"--fit", "crop", dir.File("p.mgs"), out}, "apply to image inputs only"},
      {{"--info", png}, "is an image"},
      {{"--mixing", "00,96,CD", png, out}, "six levels"},
      {{png, dir.File("o.jpg")}, "does not write JPEG"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const Outcome run = Convert(c.args);
    EXPECT_EQ(run.Status, ExitUsage);
    EXPECT_NE(run.Err.find(c.message), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("(see --help)\n"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.jpg")));
  }
}

TEST(ConverterImages, BadImagesFailClearlyAndChangeNothing) {
  TempDir dir;
  Bytes corrupt = Encoded(Photo(64, 48), "PNG");
  for (std::size_t i = 50; i < corrupt.size() - 12; ++i) corrupt[i] = static_cast<std::uint8_t>(corrupt[i] ^ 0x5A);
  const Bytes jpeg = Encoded(Photo(64, 48), "JPEG", 90);
  const Bytes earlier = {1, 2, 3};
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    const char* reason;
  } cases[] = {
      {"corrupt.png", [&](const std::string& p) { WriteBytes(p, corrupt); }, "\": "},
      {"truncated.jpg",
       [&](const std::string& p) {
         WriteBytes(p, Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() * 3 / 4)));
       },
       "cut short"},
      {"zero.png", [](const std::string& p) { WriteBytes(p, {}); }, "empty"},
      {"huge.png", [](const std::string& p) { WriteBytes(p, PngHeaderOnly(30000, 30000)); }, "30000 x 30000"},
      {"folder.gif", [](const std::string& p) { std::filesystem::create_directory(p); }, "a folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string input = dir.File(c.name);
    c.make(input);
    for (const char* output : {"new.mgs", "old.mg4"}) {
      WriteBytes(dir.File("old.mg4"), earlier);
      std::filesystem::remove(dir.File("new.mgs"));
      const Outcome run = Convert({"--stats", input, dir.File(output)});
      EXPECT_EQ(run.Status, ExitFailed);
      EXPECT_NE(run.Err.find("\"" + input + "\""), std::string::npos) << run.Err;
      EXPECT_NE(run.Err.find(c.reason), std::string::npos) << run.Err;
      EXPECT_EQ(run.Err.find("mean colour error"), std::string::npos) << run.Err;
      EXPECT_FALSE(std::filesystem::exists(dir.File("new.mgs")));
      EXPECT_EQ(ReadBytes(dir.File("old.mg4")), earlier);
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2) << "a temporary file was left";
    }
    std::filesystem::remove_all(input);
  }
}

// The program itself: libpng, libjpeg and libtiff print nothing of their own
// beside the one line that names the file.
TEST(ConverterImages, TheProgramSaysOneLineAboutABadImage) {
  TempDir dir;
  const Bytes png = Encoded(Photo(64, 48), "PNG");
  Bytes jpeg = Encoded(Photo(64, 48), "JPEG", 90);
  // Damaged entropy data with the markers whole: decoded, with libjpeg's warnings.
  for (std::size_t i = jpeg.size() - 200; i < jpeg.size() - 100; ++i)
    if (jpeg[i] != 0xFF && jpeg[i - 1] != 0xFF) jpeg[i] = static_cast<std::uint8_t>(jpeg[i] * 7 + 1);
  const Bytes tiff = Encoded(Photo(64, 48), "TIFF");
  struct Case {
    const char* name;
    Bytes bytes;
    int status;
  } cases[] = {
      {"cut.png", Bytes(png.begin(), png.end() - 30), ExitFailed},
      {"damaged.jpg", jpeg, ExitOk},
      {"cut.tiff", Bytes(tiff.begin(), tiff.begin() + static_cast<std::ptrdiff_t>(tiff.size() / 2)), ExitFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir.File(c.name), c.bytes);
    const std::string command = std::string(CHROMALOOM_CONVERT_EXE) + " '" + dir.File(c.name) + "' '" +
                                dir.File("out.mgs") + "' 2>'" + dir.File("err.txt") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), c.status);
    const Bytes err = ReadBytes(dir.File("err.txt"));
    const std::string text(err.begin(), err.end());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), c.status == ExitOk ? 0 : 1) << text;
    if (c.status != ExitOk) {
      EXPECT_EQ(text.rfind("chromaloom-convert: Cannot read image \"" + dir.File(c.name), 0), 0u) << text;
    }
  }
}

TEST(ConverterImages, HelpListsTheImagesAndTheirOptions) {
  const Outcome run = Convert({"--help"});
  ASSERT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("Images: .bmp .png .jpg .jpeg .gif .webp .tif .tiff"), std::string::npos) << run.Out;
  for (const char* option : {"--fit", "--dither", "--metric", "--flicker", "--stats", "floyd-steinberg", "lab"})
    EXPECT_NE(run.Out.find(option), std::string::npos) << option;
  const std::string reads = run.Out.substr(run.Out.find("Reads:"), run.Out.find("Images:") - run.Out.find("Reads:"));
  EXPECT_EQ(reads.find(".png"), std::string::npos) << reads;
}

}  // namespace
}  // namespace chromaloom

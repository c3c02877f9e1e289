#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/converter.h"
#include "files/animations.h"
#include "files/image_files.h"
#include "files/non_regular_paths.h"
#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "picture/bitmap_sizes.h"
#include "render/picture_bitmap.h"
#include "spectrum/spectrum_files.h"
#include "support/converter_run.h"
#include "support/random_picture.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using chromaloom::test_support::Convert;
using chromaloom::test_support::EntryAt;
using chromaloom::test_support::FilledFifo;
using chromaloom::test_support::MakeFifo;
using chromaloom::test_support::MakeFullDeviceNode;
using chromaloom::test_support::Outcome;
using chromaloom::test_support::RandomPicture;
using chromaloom::test_support::ReadBytes;
using chromaloom::test_support::TempDir;
using chromaloom::test_support::TinyFileSystem;
using chromaloom::test_support::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

int Lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

TEST(Converter, NativeRoundTripIsByteExact) {
  TempDir dir;
  for (int mode : {8, 4, 2, 1}) {
    const Bytes mgs = WriteMgs(RandomPicture(mode, 40u + mode));
    WriteBytes(dir.File("in.MGS"), mgs);
    const Outcome run = Convert({dir.File("in.MGS"), dir.File("out.mgs")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir.File("out.mgs")), mgs);
  }
}

TEST(Converter, WritesWhatTheEditorsExportsWrite) {
  TempDir dir;
  const Picture picture = RandomPicture(2, 8);
  WriteBytes(dir.File("p.mgs"), WriteMgs(picture));
  Picture as8 = picture;
  as8.CellHeight = 8;
  struct Case {
    std::vector<std::string> Options;
    std::string Output;
    Bytes Expected;
  } cases[] = {
      {{}, "o.mg2", WriteMg(picture)},
      {{}, "o.mg8", WriteMg(picture)},  // data follows the picture's mode, not the name
      {{}, "o.mg1", WriteMg1(picture)},
      {{}, "o.img", WriteImg(picture)},
      {{"--mode", "8"}, "o.mg4", WriteMg(as8)},
      {{"--mode=8"}, "o.IMG", WriteImg(as8)},
      {{}, "o.z80", WriteSnapshot(picture, FileKind::Z80)},
      {{}, "o.SZX", WriteSnapshot(picture, FileKind::Szx)},
      {{"--pentagon"}, "p.z80", WriteSnapshot(picture, FileKind::Z80, ZxMachine::Pentagon128)},
      {{}, "o.tap", WriteTape(picture)},
      {{"--mode", "8"}, "o8.tap", WriteTape(as8)},
      {{}, "o.gif", EncodeAnimation(RenderScreenBitmaps(picture, 0), FileKind::Gif)},
      {{"--bmp-size", "7"}, "o.webp", EncodeAnimation(RenderScreenBitmaps(picture, 6), FileKind::Webp)},
  };
  for (const auto& c : cases) {
    auto args = c.Options;
    args.push_back(dir.File("p.mgs"));
    args.push_back(dir.File(c.Output));
    const Outcome run = Convert(args);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir.File(c.Output)), c.Expected) << c.Output;
  }
}

TEST(Converter, ImportsEveryZxFormatAsTheEditorDoes) {
  TempDir dir;
  const Picture source = RandomPicture(8, 12);
  const Bytes img = WriteImg(source);
  // Hobeta: the same bytes behind a 17-byte header that nobody reads.
  auto behindHeader = [](const Bytes& data, std::uint8_t fill) {
    Bytes out(17 + data.size(), fill);
    std::copy(data.begin(), data.end(), out.begin() + 17);
    return out;
  };
  const Bytes hobeta = behindHeader(img, 0);
  const Bytes scr(img.begin(), img.begin() + 6912);
  const Bytes hobetaScr = behindHeader(scr, 0xAA);
  WriteBytes(dir.File("a.img"), img);
  WriteBytes(dir.File("a.$img"), hobeta);
  WriteBytes(dir.File("a.scr"), scr);
  WriteBytes(dir.File("a.$SCR"), hobetaScr);
  WriteBytes(dir.File("a.mg8"), WriteMg(source));
  // Every ZX import gives the same .img back; the .scr ones twice screen 0.
  Bytes scrTwice(2 * scr.size());
  std::copy(scr.begin(), scr.end(), scrTwice.begin());
  std::copy(scr.begin(), scr.end(), scrTwice.begin() + 6912);
  const std::pair<std::string, Bytes> cases[] = {
      {"a.img", img}, {"a.$img", img}, {"a.scr", scrTwice}, {"a.$SCR", scrTwice}, {"a.mg8", img}};
  for (const auto& [input, expected] : cases) {
    const Outcome run = Convert({dir.File(input), dir.File("back.img")});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir.File("back.img")), expected) << input;
  }
  // An import keeps the start-up border; --border picks a swatch afterwards.
  ASSERT_EQ(Convert({"--border", "7,2", dir.File("a.mg8"), dir.File("b.mgs")}).Status, 0);
  const Bytes mgs = ReadBytes(dir.File("b.mgs"));
  ASSERT_EQ(mgs.size(), MgsLengthV1);
  EXPECT_EQ(mgs[4], 8);
  EXPECT_EQ(mgs[5], 5);
  EXPECT_EQ(mgs[6], 4);
}

TEST(Converter, BitmapSizesAndBorder) {
  TempDir dir;
  Picture picture = RandomPicture(4, 3);
  picture.SetBorderChoice(7, 2);
  WriteBytes(dir.File("p.mgs"), WriteMgs(picture));
  const std::pair<std::string, std::pair<int, int>> sizes[] = {
      {"1", {256, 192}}, {"5", {1280, 960}}, {"8", {1024, 768}}, {"9", {1280, 960}}};
  for (const auto& [n, size] : sizes) {
    ASSERT_EQ(Convert({"--bmp-size", n, dir.File("p.mgs"), dir.File("p.bmp")}).Status, 0);
    const Bytes bmp = ReadBytes(dir.File("p.bmp"));
    ASSERT_GE(bmp.size(), 54u);
    auto u32 = [&](int at) { return bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24; };
    EXPECT_EQ(u32(18), size.first) << n;
    EXPECT_EQ(u32(22), size.second) << n;
    EXPECT_EQ(bmp.size(), 54u + static_cast<std::size_t>(size.first) * 3 * size.second);
  }
  // Size 8 has a border: its first stored pixel (bottom-left) is the border colour, as BGR.
  ASSERT_EQ(Convert({"--bmp-size", "8", dir.File("p.mgs"), dir.File("p.bmp")}).Status, 0);
  const Bytes bmp = ReadBytes(dir.File("p.bmp"));
  EXPECT_EQ(bmp[54], 115);
  EXPECT_EQ(bmp[55], 202);
  EXPECT_EQ(bmp[56], 0);
}

// A PNG output holds exactly the pixels of the BMP output at every size.
TEST(Converter, PngHoldsTheBitmapsPixelsAtEverySize) {
  TempDir dir;
  Picture picture = RandomPicture(2, 9);
  picture.SetBorderChoice(3, 1);
  WriteBytes(dir.File("p.mgs"), WriteMgs(picture));
  for (int n = 1; n <= static_cast<int>(BitmapSizes.size()); ++n) {
    SCOPED_TRACE(n);
    const std::string size = std::to_string(n);
    for (const char* output : {"p.bmp", "p.png"})
      ASSERT_EQ(Convert({"--bmp-size", size, dir.File("p.mgs"), dir.File(output)}).Status, 0) << output;
    const Bytes png = ReadBytes(dir.File("p.png"));
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    const Raster fromPng = ReadImageFile(dir.File("p.png"));
    const BitmapSize& chosen = BitmapSizes[static_cast<std::size_t>(n - 1)];
    EXPECT_EQ(fromPng.Width(), chosen.W + 2 * chosen.X);
    EXPECT_EQ(fromPng.Height(), chosen.H + 2 * chosen.Y);
    EXPECT_TRUE(fromPng == ReadImageFile(dir.File("p.bmp")));
  }
}

TEST(Converter, RejectedInputsFailWithOneLineAndWriteNothing) {
  TempDir dir;
  const Bytes good = WriteMgs(RandomPicture(1, 2));
  Bytes badMode = good;
  badMode[4] = 3;
  Bytes badMagic = good;
  badMagic[0] = 'X';
  Bytes badColour = good;
  badColour.back() = 15;
  WriteBytes(dir.File("colour.mgs"), badColour);
  WriteBytes(dir.File("short.mgs"), Bytes(good.begin(), good.begin() + 1000));
  WriteBytes(dir.File("mode.mgs"), badMode);
  WriteBytes(dir.File("magic.mgs"), badMagic);
  WriteBytes(dir.File("empty.mg4"), {});
  WriteBytes(dir.File("short.$img"), Bytes(13840, 0));
  std::filesystem::create_directory(dir.File("folder.scr"));
  WriteBytes(dir.File("keep.mgs"), good);
  for (const std::string name :
       {"short.mgs", "mode.mgs", "magic.mgs", "colour.mgs", "empty.mg4", "short.$img", "folder.scr", "missing.img"}) {
    for (const std::string output : {"new.mgs", "keep.mgs"}) {
      const Outcome run = Convert({dir.File(name), dir.File(output)});
      EXPECT_EQ(run.Status, 1) << name;
      EXPECT_EQ(Lines(run.Err), 1) << run.Err;
      EXPECT_NE(run.Err.find(dir.File(name)), std::string::npos) << run.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.mgs")));
    EXPECT_EQ(ReadBytes(dir.File("keep.mgs")), good);
  }
  const Outcome formatError = Convert({dir.File("mode.mgs"), dir.File("x.mgs")});
  EXPECT_NE(formatError.Err.find("Error file format"), std::string::npos);
}

TEST(Converter, TruncatedFilesOfEveryFormatAreRejected) {
  TempDir dir;
  const Picture picture = RandomPicture(1, 9);
  const Bytes img = WriteImg(picture);
  const std::pair<std::string, Bytes> files[] = {
      {"cut.mgs", WriteMgs(picture)},
      {"cut.img", img},
      {"cut.$img", Bytes(13841, 0)},
      {"cut.scr", Bytes(img.begin(), img.begin() + 6912)},
      {"cut.$scr", Bytes(6929, 0)},
      {"cut.mg1", WriteMg1(picture)},
      {"cut.mg2", WriteMg(RandomPicture(2, 9))},
      {"cut.mg8", WriteMg(RandomPicture(8, 9))},
  };
  for (const auto& [name, whole] : files) {
    const std::size_t n = whole.size();
    for (const std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{256}, n / 2, n - 1}) {
      WriteBytes(dir.File(name), Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
      const Outcome run = Convert({dir.File(name), dir.File("out.mgs")});
      EXPECT_EQ(run.Status, 1) << name << " cut to " << length;
      EXPECT_NE(run.Err.find("Error file format"), std::string::npos) << run.Err;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.mgs")));
}

TEST(Converter, AFileThatCannotBeReadIsRejected) {
  TempDir dir;
  std::string path = dir.File("locked.mgs");
  WriteBytes(path, WriteMgs(RandomPicture(8, 1)));
  std::filesystem::permissions(path, std::filesystem::perms::none);
  if (::geteuid() == 0) {
    // Root reads past permissions; a file whose reads fail stands in.
    path = dir.File("broken.mgs");
    std::filesystem::create_symlink("/proc/self/mem", path);
  }
  const Outcome run = Convert({path, dir.File("out.mgs")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(Lines(run.Err), 1);
  EXPECT_NE(run.Err.find("Cannot read \"" + path + "\""), std::string::npos) << run.Err;
}

TEST(Converter, AnUnwritableOutputFailsWithStatus1) {
  TempDir dir;
  WriteBytes(dir.File("p.mgs"), WriteMgs(RandomPicture(8, 1)));
  const Outcome run = Convert({dir.File("p.mgs"), dir.File("no/such/dir/out.mgs")});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(Lines(run.Err), 1);
  EXPECT_NE(run.Err.find("out.mgs"), std::string::npos);
}

TEST(Converter, UsageErrorsGiveStatus2) {
  TempDir dir;
  WriteBytes(dir.File("p.mgs"), WriteMgs(RandomPicture(8, 1)));
  const std::string in = dir.File("p.mgs");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {in},
      {in, dir.File("a.mgs"), dir.File("b.mgs")},
      {"--mode", "3", in, dir.File("o.mgs")},
      {"--mode", in, dir.File("o.mgs")},
      {"--border", "9,0", in, dir.File("o.mgs")},
      {"--border", "1", in, dir.File("o.mgs")},
      {"--bmp-size", "0", in, dir.File("o.bmp")},
      {"--bmp-size", "10", in, dir.File("o.bmp")},
      {"--frobnicate", in, dir.File("o.mgs")},
      {"--pentagon", in, dir.File("o.tap")},
      {in, dir.File("o.txt")},
      {in, dir.File("o.scr")},
      {dir.File("p.txt"), dir.File("o.mgs")},
      {"--info"},
  };
  for (const auto& args : cases) {
    const Outcome run = Convert(args);
    EXPECT_EQ(run.Status, 2) << (args.empty() ? "" : args.back());
    EXPECT_EQ(Lines(run.Err), 1) << run.Err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.mgs")));
}

TEST(Converter, InfoHelpAndVersion) {
  TempDir dir;
  Picture picture = RandomPicture(4, 6);
  picture.SetBorderChoice(7, 2);
  WriteBytes(dir.File("p.mgs"), WriteMgs(picture));
  const Outcome info = Convert({"--info", dir.File("p.mgs")});
  ASSERT_EQ(info.Status, 0) << info.Err;
  EXPECT_NE(info.Out.find("char mode: 8x4"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("border pair: 5,4 (swatch 7,2)"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("36871 bytes"), std::string::npos) << info.Out;
  EXPECT_EQ(Convert({"--info", dir.File("missing.mgs")}).Status, 1);

  const Outcome help = Convert({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("Usage: chromaloom-convert"), std::string::npos);
  const Outcome version = Convert({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_NE(version.Out.find("0.91"), std::string::npos);
}

TEST(Converter, TheProgramReportsItsStatus) {
  TempDir dir;
  WriteBytes(dir.File("p.scr"), Bytes(6912, 0x55));
  const std::string exe = CHROMALOOM_CONVERT_EXE;
  auto status = [](const std::string& command) { return WEXITSTATUS(std::system(command.c_str())); };
  EXPECT_EQ(status(exe + " '" + dir.File("p.scr") + "' '" + dir.File("p.mg8") + "' 2>/dev/null"), 0);
  EXPECT_EQ(ReadBytes(dir.File("p.mg8")).size(), 14080u);
  EXPECT_EQ(status(exe + " '" + dir.File("none.scr") + "' '" + dir.File("q.mg8") + "' 2>/dev/null"), 1);
  EXPECT_EQ(status(exe + " --mode 5 a.mgs b.mgs 2>/dev/null"), 2);
}

TEST(Converter, OutputsThatAreNotRegularFilesAreLeftAsTheyAre) {
  TempDir dir;
  WriteBytes(dir.File("p.mgs"), WriteMgs(RandomPicture(8, 4)));
  MakeFifo(dir.File("fifo.mgs"));
  std::filesystem::create_symlink("fifo.mgs", dir.File("to-fifo.mgs"));
  std::filesystem::create_symlink("loop.mgs", dir.File("loop.mgs"));
  std::filesystem::create_directory(dir.File("folder.bmp"));
  std::filesystem::create_directory(dir.File("folder.png"));
  const std::pair<std::string, std::string> cases[] = {
      {"fifo.mgs", "it is a FIFO, not a regular file"},
      {"to-fifo.mgs", "it is a symlink to a FIFO, not a regular file"},
      {"loop.mgs", "symlink loop"},
      {"folder.bmp", "it is a folder, not a regular file"},
      {"folder.png", "it is a folder, not a regular file"},
  };
  for (const auto& [name, reason] : cases) {
    const std::string output = dir.File(name);
    const auto before = EntryAt(output);
    const Outcome run = Convert({dir.File("p.mgs"), output});
    EXPECT_EQ(run.Status, 1) << name;
    EXPECT_EQ(Lines(run.Err), 1) << run.Err;
    EXPECT_NE(run.Err.find("Cannot write \"" + output + "\": "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find(reason), std::string::npos) << run.Err;
    EXPECT_EQ(EntryAt(output), before) << name;
  }
}

TEST(Converter, ASymlinkToADeviceStaysALinkToThatDevice) {
  TempDir dir;
  WriteBytes(dir.File("good.mgs"), WriteMgs(RandomPicture(8, 4)));
  if (const std::string why = MakeFullDeviceNode(dir.File("device.mgs")); !why.empty()) GTEST_SKIP() << why;
  std::filesystem::create_symlink("device.mgs", dir.File("out.mgs"));
  for (const std::string name : {"out.mgs", "device.mgs"}) {
    const std::string output = dir.File(name);
    const Outcome run = Convert({dir.File("good.mgs"), output});
    EXPECT_EQ(run.Status, 1) << name;
    EXPECT_NE(run.Err.find("Cannot write \"" + output + "\": "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("character device, not a regular file"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(EntryAt(dir.File("out.mgs")).LinkText, "device.mgs");
  EXPECT_TRUE(std::filesystem::is_character_file(dir.File("device.mgs")));
  EXPECT_EQ(EntryAt(dir.File("device.mgs")).Device, ::makedev(1, 7));
}

TEST(Converter, ASymlinkToAFileKeepsTheLinkAndUpdatesTheFile) {
  TempDir dir;
  const Bytes mgs = WriteMgs(RandomPicture(4, 6));
  WriteBytes(dir.File("p.mgs"), mgs);
  WriteBytes(dir.File("real.mgs"), Bytes(10, 0));
  std::filesystem::create_symlink("real.mgs", dir.File("link.mgs"));
  const Outcome run = Convert({dir.File("p.mgs"), dir.File("link.mgs")});
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(EntryAt(dir.File("link.mgs")).LinkText, "real.mgs");
  EXPECT_EQ(ReadBytes(dir.File("real.mgs")), mgs);
}

TEST(Converter, AFifoAsInputIsRefusedAndLeftUnread) {
  TempDir dir;
  // A whole valid picture waits in the FIFO: reading it would convert it.
  const FilledFifo fifo(dir.File("fifo.mgs"), WriteMgs(RandomPicture(8, 5)));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{dir.File("fifo.mgs"), dir.File("o.mgs")}, {"--info", dir.File("fifo.mgs")}}) {
    // In a child with an alarm, so a read that blocks fails instead of hanging.
    const test_support::ChildResult child = test_support::RunInChild(
        [&](int out) {
          const Outcome run = Convert(args);
          test_support::WriteText(out, run.Err);
          return run.Status;
        },
        30, false);
    ASSERT_TRUE(child.Finished) << "the read blocked";
    EXPECT_EQ(child.Status, 1);
    EXPECT_EQ(child.Text,
              "chromaloom-convert: Cannot read \"" + dir.File("fifo.mgs") + "\": it is a FIFO, not a regular file\n");
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.mgs")));
  EXPECT_EQ(fifo.Waiting(), MgsLengthV1);
}

TEST(Converter, AFullDiskReportsTheSystemsReason) {
  TempDir dir;
  const TinyFileSystem disk(dir.Path() / "disk", "size=16k");
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
  WriteBytes(dir.File("p.mgs"), WriteMgs(RandomPicture(2, 7)));
  for (const std::string name : {"o.mgs", "o.bmp", "o.png"}) {
    const Outcome run = Convert({"--bmp-size", "9", dir.File("p.mgs"), disk.File(name)});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "chromaloom-convert: Cannot write \"" + disk.File(name) + "\": No space left on device\n");
  }
  EXPECT_EQ(test_support::EntriesIn(dir.Path() / "disk"), 0);
}

TEST(Converter, NamesThatAreNotUtf8AreUsedAsGiven) {
  TempDir dir;
  const Bytes mgs = WriteMgs(RandomPicture(2, 11));
  const std::string input = dir.File("bad\xff.mgs");
  WriteBytes(input, mgs);
  const std::pair<std::string, Bytes> outputs[] = {{"copy\xfe.mgs", mgs},
                                                   {"latin\xe9.mg2", WriteMg(RandomPicture(2, 11))}};
  for (const auto& [name, expected] : outputs) {
    const Outcome run = Convert({input, dir.File(name)});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(ReadBytes(dir.File(name)), expected);
  }
  const Outcome info = Convert({"--info", input});
  ASSERT_EQ(info.Status, 0) << info.Err;
  EXPECT_NE(info.Out.find("file: " + input + "\n"), std::string::npos);
  EXPECT_EQ(test_support::EntriesIn(dir.Path()), 3);
}

TEST(Converter, DoubleDashEndsTheOptions) {
  TempDir dir;
  const Picture picture = RandomPicture(4, 13);
  WriteBytes(dir.File("-x.mgs"), WriteMgs(picture));
  WriteBytes(dir.File("--help.mgs"), WriteMgs(picture));
  Picture as8 = picture;
  as8.CellHeight = 8;
  struct Case {
    std::string Args;
    std::string Output;
    Bytes Expected;
  } cases[] = {
      {"-- -x.mgs -y.mgs", "-y.mgs", WriteMgs(picture)},
      {"--mode 8 -- -x.mgs --out.mg8", "--out.mg8", WriteMg(as8)},
      {"-- --help.mgs -z.mg4", "-z.mg4", WriteMg(picture)},
  };
  const std::string exe = CHROMALOOM_CONVERT_EXE;
  for (const Case& c : cases) {
    const std::string command = "cd '" + dir.Path().string() + "' && " + exe + " " + c.Args + " 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0) << c.Args;
    EXPECT_EQ(ReadBytes(dir.File(c.Output)), c.Expected) << c.Args;
  }
  // Before the double dash a name that starts with a dash is still an unknown option.
  EXPECT_EQ(Convert({dir.File("p.mgs"), "-y.mgs"}).Status, 2);
}

// The program in a child as a shell starts it, SIGXFSZ at its default,
// under a file size limit of 20 KiB.
test_support::ChildResult RunUnderSizeLimit(std::vector<std::string> args, bool asNobody) {
  return test_support::RunInChild(
      [&](int out) {
        ::dup2(out, STDERR_FILENO);
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{20 * 1024, 20 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 124;
        std::vector<char*> argv{const_cast<char*>(CHROMALOOM_CONVERT_EXE)};
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        return 127;
      },
      0, asNobody);
}

// A write past the size limit fails with a message, and neither the
// temporary file nor the in-place rewrite in a read-only folder harms the
// old file.
TEST(Converter, AFileSizeLimitFailsTheWriteAndKeepsTheOldFile) {
  TempDir dir;
  const std::filesystem::path locked = dir.Path() / "locked";
  std::filesystem::create_directory(locked);
  WriteBytes(dir.File("p.mgs"), WriteMgs(RandomPicture(8, 9)));
  const Bytes old = WriteMgs(RandomPicture(4, 3));
  for (const auto& folder : {dir.Path(), locked}) {
    WriteBytes((folder / "keep.mgs").string(), old);
    std::filesystem::permissions(folder / "keep.mgs", std::filesystem::perms::all);
  }
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                           std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  for (const auto& folder : {dir.Path(), locked}) {
    const std::string output = (folder / "keep.mgs").string();
    const int entries = test_support::EntriesIn(folder);
    // Root writes into any folder; nobody must rewrite the file in place.
    const auto run = RunUnderSizeLimit({dir.File("p.mgs"), output}, folder == locked && ::geteuid() == 0);
    EXPECT_EQ(run.Status, 1) << output;
    EXPECT_EQ(run.Text, "chromaloom-convert: Cannot write \"" + output + "\": File too large\n");
    EXPECT_EQ(ReadBytes(output), old) << output;
    EXPECT_EQ(test_support::EntriesIn(folder), entries) << output;
  }
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

TEST(Converter, AFileNobodyMayWriteIsNotReplaced) {
  TempDir dir;
  const Bytes old = WriteMgs(RandomPicture(4, 3)), next = WriteMgs(RandomPicture(8, 9));
  WriteBytes(dir.File("p.mgs"), next);
  using std::filesystem::perms;
  for (const perms mode : {perms::owner_read | perms::group_read | perms::others_read, perms::owner_read, perms::none,
                           perms::owner_read | perms::owner_write}) {
    WriteBytes(dir.File("f.mgs"), old);
    std::filesystem::permissions(dir.File("f.mgs"), mode);
    const bool writable = (mode & perms::owner_write) != perms::none;
    EXPECT_EQ(Convert({dir.File("p.mgs"), dir.File("f.mgs")}).Err,
              writable ? "" : "chromaloom-convert: Cannot write \"" + dir.File("f.mgs") + "\": it is read-only\n");
    EXPECT_EQ(ReadBytes(dir.File("f.mgs")), writable ? next : old);
    EXPECT_EQ(std::filesystem::status(dir.File("f.mgs")).permissions(), mode);
    std::filesystem::remove(dir.File("f.mgs"));
  }
}

// A newline or a terminal command in a name can neither split the message
// nor reach the terminal.
TEST(Converter, MessagesShowControlCharactersInNamesEscaped) {
  TempDir dir;
  WriteBytes(dir.File("p.mgs"), WriteMgs(RandomPicture(8, 9)));
  std::filesystem::create_directory(dir.File("a\nb\x1b[31m.mgs"));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{dir.File("in\n\x1b]0;x\a.mgs"), dir.File("o.mgs")}, "in\\n\\x1b]0;x\\x07.mgs\""},
      {{dir.File("p.mgs"), dir.File("a\nb\x1b[31m.mgs")}, "a\\nb\\x1b[31m.mgs\""},
      {{dir.File("p.mgs"), dir.File("t\tq\x7f\xc2\x9b\xc3\xa9\xff.xyz")}, "t\\tq\\x7f\\xc2\\x9b\xc3\xa9\xff.xyz\""},
  };
  for (const auto& [args, shown] : cases) {
    const Outcome run = Convert(args);
    EXPECT_EQ(Lines(run.Err), 1) << run.Err;
    EXPECT_NE(run.Err.find(shown), std::string::npos) << run.Err;
  }
}

}  // namespace
}  // namespace chromaloom

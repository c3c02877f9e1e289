// Compares screenshots of Fuse running the preview's snapshot with the
// picture's two screens: each shot must hold screen 0 or screen 1 in its
// border, pixel for pixel at Fuse's 1:1 scale, and both must appear. Fuse's
// palette is not ours (0xC0 for a normal primary, about 0xF8 for a bright
// one), so both sides are compared as ZX colours: each channel off, normal
// or bright. scripts/emulator-shots.sh takes the shots and runs this.
//
// With --refused in place of the picture, each shot must show instead the
// 128K viewers' refusal on another machine: a black frame, and white only
// on character row 12, columns 8 to 22, where the message stands.
//
// Usage: emulator_shots_check PICTURE.mgs|--refused SHOT.png...
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "files/file_io.h"
#include "files/image_files.h"
#include "render/picture_bitmap.h"
#include "shots_check.h"

namespace {

using namespace chromaloom;

// 0 off, 1 normal, 2 bright per channel, as one number.
int ZxLevels(Rgb c) {
  const auto level = [](int v) { return v < 64 ? 0 : v < 224 ? 1 : 2; };
  return level(RedOf(c)) * 9 + level(GreenOf(c)) * 3 + level(BlueOf(c));
}

struct Match {
  QPoint At;
  int Wrong = 0;              // pixels of another ZX colour than the screen's
  int WrongSide = 0;          // of those, in columns 0..7 and 24..31 of the picture
  QPoint FirstWrong{-1, -1};  // in the framed screen
};

Match Compare(const QImage& shot, const Raster& screen, QPoint at) {
  Match m{at};
  for (int y = 0; y < screen.Height(); ++y) {
    const auto* row = reinterpret_cast<const Rgb*>(shot.constScanLine(at.y() + y)) + at.x();
    for (int x = 0; x < screen.Width(); ++x) {
      if (ZxLevels(row[x]) == ZxLevels(screen.At(x, y))) continue;
      if (m.Wrong++ == 0) m.FirstWrong = {x, y};
      const int col = (x - ScreenBorderWidth) / 8;
      const bool inPicture = x >= ScreenBorderWidth && x < ScreenBorderWidth + PictureWidth &&
                             y >= ScreenBorderHeight && y < ScreenBorderHeight + PictureHeight;
      if (inPicture && IsSideColumn(col)) ++m.WrongSide;
    }
  }
  return m;
}

// The best place of screen within the top-left 16 x 16 pixels of the shot
// (Fuse's window stands at the corner of the empty display).
Match BestMatch(const QImage& shot, const Raster& screen) {
  Match best{{0, 0}, screen.Width() * screen.Height() + 1};
  for (int top = 0; top < 16 && top + screen.Height() <= shot.height(); ++top)
    for (int left = 0; left < 16 && left + screen.Width() <= shot.width(); ++left) {
      const Match m = Compare(shot, screen, {left, top});
      if (m.Wrong < best.Wrong) best = m;
      if (best.Wrong == 0) return best;
    }
  return best;
}

// Whether shot holds the refusal with the frame's corner at at.
bool ShowsRefusal(const QImage& shot, QPoint at) {
  const QRect message(ScreenBorderWidth + 8 * 8, ScreenBorderHeight + 12 * 8, 15 * 8, 8);
  constexpr int Black = 0, BrightWhite = 26;
  int white = 0;
  for (int y = 0; y < FramedScreenHeight; ++y) {
    const auto* row = reinterpret_cast<const Rgb*>(shot.constScanLine(at.y() + y)) + at.x();
    for (int x = 0; x < FramedScreenWidth; ++x) {
      const int level = ZxLevels(row[x]);
      if (level == BrightWhite && message.contains(x, y))
        ++white;
      else if (level != Black)
        return false;
    }
  }
  return white > 100;
}

int CheckRefusal(int shots, char** paths) {
  int refused = 0;
  for (int i = 0; i < shots; ++i) {
    const QImage shot = QImage(QString::fromLocal8Bit(paths[i])).convertToFormat(QImage::Format_RGB32);
    bool found = false;
    for (int top = 0; top < 16 && !found && top + FramedScreenHeight <= shot.height(); ++top)
      for (int left = 0; left < 16 && !found && left + FramedScreenWidth <= shot.width(); ++left)
        found = ShowsRefusal(shot, {left, top});
    std::printf("%s: %s\n", paths[i], found ? "the refusal" : "not the refusal");
    refused += found;
  }
  std::printf("the refusal in %d of %d shots\n", refused, shots);
  return refused == shots ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s PICTURE.mgs SHOT.png...\n", argv[0]);
    return 2;
  }
  if (std::string(argv[1]) == "--refused") return CheckRefusal(argc - 2, argv + 2);
  const std::optional<Picture> picture = test_support::ReadShotsPicture(argv[1]);
  if (!picture) return 2;
  const Raster screens[2] = {RenderFramedScreen(*picture, 0), RenderFramedScreen(*picture, 1)};
  // EMULATOR_SHOTS_EXPECTED=stem writes the two screens as stem0.png and stem1.png to compare by eye.
  if (const char* stem = std::getenv("EMULATOR_SHOTS_EXPECTED"))
    for (int s = 0; s < 2; ++s)
      WriteFileAtomically(std::string(stem) + std::to_string(s) + ".png", EncodeBitmap(screens[s], FileKind::Png));
  int seen[3] = {0, 0, 0};  // screen 0, screen 1, neither
  for (int i = 2; i < argc; ++i) {
    const QImage shot = QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_RGB32);
    const Match m[2] = {BestMatch(shot, screens[0]), BestMatch(shot, screens[1])};
    const int closer = m[1].Wrong < m[0].Wrong ? 1 : 0;
    const int found = m[closer].Wrong == 0 ? closer : 2;
    ++seen[found];
    if (found == 2)
      std::printf(
          "%s: neither screen; closest screen %d with %d pixels wrong (%d in the side columns), "
          "the first at %d,%d\n",
          argv[i], closer, m[closer].Wrong, m[closer].WrongSide, m[closer].FirstWrong.x(), m[closer].FirstWrong.y());
    else
      std::printf("%s: screen %d at %d,%d\n", argv[i], found, m[found].At.x(), m[found].At.y());
  }
  return test_support::ShotsVerdict(seen);
}

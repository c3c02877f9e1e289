// Compares screenshots of the Flicker window with a picture's two screens:
// each shot must hold screen 0 or screen 1, border included, pixel for pixel
// at the zoom, and both must appear. scripts/flicker-shots.sh takes the shots
// under Xvfb and runs this.
//
// Usage: flicker_shots_check PICTURE.mgs ZOOM SHOT.png...
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "render/picture_bitmap.h"
#include "shots_check.h"

namespace {

using namespace chromaloom;

// Where the whole of `screen` lies in the shot, pixel for pixel, if anywhere.
std::optional<QPoint> FindScreen(const QImage& shot, const Raster& screen) {
  for (int top = 0; top + screen.Height() <= shot.height(); ++top) {
    for (int left = 0; left + screen.Width() <= shot.width(); ++left) {
      bool same = true;
      for (int y = 0; same && y < screen.Height(); ++y) {
        const auto* row = reinterpret_cast<const Rgb*>(shot.constScanLine(top + y)) + left;
        for (int x = 0; same && x < screen.Width(); ++x) same = (row[x] | 0xFF000000u) == screen.At(x, y);
      }
      if (same) return QPoint(left, top);
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s PICTURE.mgs ZOOM SHOT.png...\n", argv[0]);
    return 2;
  }
  const int zoom = std::atoi(argv[2]);
  if (zoom < 1 || zoom > 4) {
    std::fprintf(stderr, "zoom %s is not 1 to 4\n", argv[2]);
    return 2;
  }
  const std::optional<Picture> picture = test_support::ReadShotsPicture(argv[1]);
  if (!picture) return 2;
  Raster screens[2];
  for (int s = 0; s < 2; ++s) {
    const Raster framed = RenderFramedScreen(*picture, s);
    screens[s] = Raster(framed.Width() * zoom, framed.Height() * zoom);
    screens[s].ScaleFrom(framed, zoom, zoom, 0, 0);
  }
  int seen[3] = {0, 0, 0};  // screen 0, screen 1, neither
  for (int i = 3; i < argc; ++i) {
    const QImage shot = QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_RGB32);
    int found = 2;
    std::optional<QPoint> at;
    for (int s = 0; s < 2 && found == 2; ++s)
      if ((at = FindScreen(shot, screens[s]))) found = s;
    ++seen[found];
    if (found == 2) {
      std::printf("%s: neither screen\n", argv[i]);
    } else {
      std::printf("%s: screen %d at %d,%d\n", argv[i], found, at->x(), at->y());
    }
  }
  return test_support::ShotsVerdict(seen);
}

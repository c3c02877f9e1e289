#include "convert/image_fitting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "picture/picture.h"

namespace chromaloom {

namespace {

constexpr int W = PictureWidth;
constexpr int H = PictureHeight;

// Emulator screenshots: the 256 x 192 picture sits in the middle of a border.
constexpr std::array<std::array<int, 2>, 4> BorderedSizes = {{{320, 240}, {320, 256}, {352, 296}, {384, 288}}};

// Each k x k block becomes one pixel, the mean of its channels rounded.
Raster AverageBlocks(const Raster& image, int left, int top, int k, int outW, int outH) {
  Raster out(outW, outH);
  const int area = k * k;
  for (int y = 0; y < outH; ++y)
    for (int x = 0; x < outW; ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < k; ++dy) {
        const Rgb* row = image.Row(top + y * k + dy) + left + x * k;
        for (int dx = 0; dx < k; ++dx) {
          r += RedOf(row[dx]);
          g += GreenOf(row[dx]);
          b += BlueOf(row[dx]);
        }
      }
      out.At(x, y) = MakeRgb((r + area / 2) / area, (g + area / 2) / area, (b + area / 2) / area);
    }
  return out;
}

// For each of count output cells over [start, start + span) of the source
// axis, the source pixels it covers and how much of each.
struct Tap {
  int Index;
  double Weight;
};
std::vector<std::vector<Tap>> AreaTaps(int sourceLength, double start, double span, int count) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(count));
  const double step = span / count;
  for (int i = 0; i < count; ++i) {
    const double from = start + i * step;
    const double to = from + step;
    const int first = std::clamp(static_cast<int>(std::floor(from)), 0, sourceLength - 1);
    const int last = std::clamp(static_cast<int>(std::ceil(to)) - 1, first, sourceLength - 1);
    double total = 0.0;
    for (int s = first; s <= last; ++s) {
      const double w = std::min(to, s + 1.0) - std::max(from, static_cast<double>(s));
      if (w > 0.0) {
        taps[i].push_back({s, w});
        total += w;
      }
    }
    if (taps[i].empty()) taps[i].push_back({first, total = 1.0});
    for (Tap& t : taps[i]) t.Weight /= total;
  }
  return taps;
}

int Channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

// The source area [x0, x0 + sw) x [y0, y0 + sh) averaged onto dw x dh pixels
// placed at (dx, dy) of a black raster of outW x outH. Separable: rows
// first, then columns.
Raster Resample(const Raster& image, double x0, double y0, double sw, double sh, int dx, int dy, int dw, int dh,
                int outW, int outH) {
  const auto across = AreaTaps(image.Width(), x0, sw, dw);
  const auto down = AreaTaps(image.Height(), y0, sh, dh);
  const int firstRow = down.front().front().Index;
  const int lastRow = down.back().back().Index;
  std::vector<double> rows(static_cast<std::size_t>(lastRow - firstRow + 1) * dw * 3);
  for (int y = firstRow; y <= lastRow; ++y) {
    const Rgb* src = image.Row(y);
    double* dst = &rows[static_cast<std::size_t>(y - firstRow) * dw * 3];
    for (int x = 0; x < dw; ++x)
      for (const Tap& t : across[x]) {
        dst[3 * x] += t.Weight * RedOf(src[t.Index]);
        dst[3 * x + 1] += t.Weight * GreenOf(src[t.Index]);
        dst[3 * x + 2] += t.Weight * BlueOf(src[t.Index]);
      }
  }
  Raster out(outW, outH);
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x) {
      double r = 0, g = 0, b = 0;
      for (const Tap& t : down[y]) {
        const double* p = &rows[(static_cast<std::size_t>(t.Index - firstRow) * dw + x) * 3];
        r += t.Weight * p[0];
        g += t.Weight * p[1];
        b += t.Weight * p[2];
      }
      out.At(dx + x, dy + y) = MakeRgb(Channel(r), Channel(g), Channel(b));
    }
  return out;
}

bool IsWholeMultiple(int w, int h, int width, int height) {
  return w % width == 0 && h % height == 0 && w / width == h / height;
}

}  // namespace

Raster FitToPicture(const Raster& image, FitMode mode) {
  const int w = image.Width();
  const int h = image.Height();
  // Whole multiples come first: 768 x 576 is three times the picture, not a bordered 384 x 288 doubled.
  if (w > 0 && h > 0 && !IsWholeMultiple(w, h, W, H))
    for (const auto& size : BorderedSizes)
      for (int k : {1, 2})
        if (w == size[0] * k && h == size[1] * k)
          return AverageBlocks(image, (w - W * k) / 2, (h - H * k) / 2, k, W, H);
  return FitToSize(image, mode, W, H);
}

Raster FitToSize(const Raster& image, FitMode mode, int width, int height) {
  const int w = image.Width();
  const int h = image.Height();
  if (width <= 0 || height <= 0) return Raster(std::max(width, 0), std::max(height, 0));
  if (w <= 0 || h <= 0) return Raster(width, height);
  if (w == width && h == height) return image;
  if (IsWholeMultiple(w, h, width, height)) return AverageBlocks(image, 0, 0, w / width, width, height);

  switch (mode) {
    case FitMode::Stretch:
      return Resample(image, 0, 0, w, h, 0, 0, width, height, width, height);
    case FitMode::Fit: {
      const double scale = std::min(static_cast<double>(width) / w, static_cast<double>(height) / h);
      const int dw = std::clamp(static_cast<int>(std::lround(w * scale)), 1, width);
      const int dh = std::clamp(static_cast<int>(std::lround(h * scale)), 1, height);
      return Resample(image, 0, 0, w, h, (width - dw) / 2, (height - dh) / 2, dw, dh, width, height);
    }
    case FitMode::Crop: {
      const double scale = std::max(static_cast<double>(width) / w, static_cast<double>(height) / h);
      const double sw = std::min(width / scale, static_cast<double>(w));
      const double sh = std::min(height / scale, static_cast<double>(h));
      return Resample(image, (w - sw) / 2, (h - sh) / 2, sw, sh, 0, 0, width, height, width, height);
    }
  }
  return Raster(width, height);
}

Raster ScaleByArea(const Raster& image, int width, int height) {
  if (image.Width() <= 0 || image.Height() <= 0 || width <= 0 || height <= 0)
    return Raster(std::max(width, 0), std::max(height, 0));
  return Resample(image, 0, 0, image.Width(), image.Height(), 0, 0, width, height, width, height);
}

std::optional<FitMode> FitModeNamed(std::string_view name) { return ChoiceNamed<FitMode>(FitChoices, name); }

}  // namespace chromaloom

// FitToSize on small images onto small targets, the fitting FitToPicture
// does after its bordered sizes: the first two bytes pick the image's width
// and height (1..64 each), the next two the target's (1..32 each), the rest
// fill the pixels, three bytes each, repeating. Every mode must give a whole
// opaque raster of the target's size, and area averaging never leaves the
// range of the source's channels (fit may add black bars), so a flat image
// stays that colour. Small sizes keep the fuzzer at thousands of inputs a
// second; the bordered sizes have unit tests.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "convert/image_fitting.h"
#include "picture/picture.h"

using namespace chromaloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const int w = 1 + data[0] % 64;
  const int h = 1 + data[1] % 64;
  const int targetW = 1 + data[2] % 32;
  const int targetH = 1 + data[3] % 32;
  const std::span<const std::uint8_t> rest(data + 4, size - 4);
  Raster image(w, h);
  std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
  for (std::size_t i = 0; i < image.Pixels().size(); ++i) {
    Rgb colour = MakeRgb(0, 0, 0);
    if (rest.size() >= 3) {
      const std::size_t at = (i * 3) % (rest.size() - rest.size() % 3);
      colour = MakeRgb(rest[at], rest[at + 1], rest[at + 2]);
    }
    image.Pixels()[i] = colour;
    const std::array<int, 3> c{RedOf(colour), GreenOf(colour), BlueOf(colour)};
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], c[k]);
      high[k] = std::max(high[k], c[k]);
    }
  }
  for (FitMode mode : {FitMode::Fit, FitMode::Crop, FitMode::Stretch}) {
    const Raster fitted = FitToSize(image, mode, targetW, targetH);
    if (fitted.Width() != targetW || fitted.Height() != targetH) std::abort();
    for (Rgb p : fitted.Pixels()) {
      if ((p >> 24) != 0xFF) std::abort();
      if (mode == FitMode::Fit && p == MakeRgb(0, 0, 0)) continue;
      const std::array<int, 3> c{RedOf(p), GreenOf(p), BlueOf(p)};
      for (int k = 0; k < 3; ++k)
        if (c[k] < low[k] || c[k] > high[k]) std::abort();
    }
  }
  return 0;
}

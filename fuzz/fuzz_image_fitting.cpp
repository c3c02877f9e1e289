// FitToPicture on arbitrary small images: the first two bytes pick the
// width and height (1..256 each), the rest fill the pixels, three bytes
// each, repeating. Every mode must give a whole opaque 256 x 192 picture,
// and a flat image must stay that colour wherever the image lands.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "convert/image_fitting.h"
#include "picture/picture.h"

using namespace chromaloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int w = data[0] + 1;
  const int h = data[1] + 1;
  const std::span<const std::uint8_t> rest(data + 2, size - 2);
  Raster image(w, h);
  bool flat = true;
  for (std::size_t i = 0; i < image.Pixels().size(); ++i) {
    Rgb colour = MakeRgb(0, 0, 0);
    if (rest.size() >= 3) {
      const std::size_t at = (i * 3) % (rest.size() - rest.size() % 3);
      colour = MakeRgb(rest[at], rest[at + 1], rest[at + 2]);
    }
    image.Pixels()[i] = colour;
    flat = flat && colour == image.Pixels()[0];
  }
  for (FitMode mode : {FitMode::Fit, FitMode::Crop, FitMode::Stretch}) {
    const Raster fitted = FitToPicture(image, mode);
    if (fitted.Width() != PictureWidth || fitted.Height() != PictureHeight) std::abort();
    for (Rgb p : fitted.Pixels()) {
      if ((p >> 24) != 0xFF) std::abort();
      if (flat && p != image.Pixels()[0] && (mode != FitMode::Fit || p != MakeRgb(0, 0, 0))) std::abort();
    }
  }
  return 0;
}

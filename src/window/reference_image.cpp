#include "window/reference_image.h"

#include <algorithm>

namespace chromaloom {

void ReferenceImage::ScaleAbout(QPointF at, double factor, int z) {
  const double scale = std::clamp(Place.Scale * factor, MinReferenceScale, MaxReferenceScale);
  const QPointF fixed = at / z;  // the picture point under the pointer
  Place.TopLeft = fixed - (fixed - Place.TopLeft) * (scale / Place.Scale);
  Place.Scale = scale;
}

void ReferenceImage::FitPicture(int pictureWidth, int pictureHeight) {
  if (Image.isNull()) return;
  Place.Scale = std::clamp(
      std::min(static_cast<double>(pictureWidth) / Image.width(), static_cast<double>(pictureHeight) / Image.height()),
      MinReferenceScale, MaxReferenceScale);
  Place.TopLeft = {0, 0};
}

}  // namespace chromaloom

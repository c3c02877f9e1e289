// An image shown faded over the canvas to draw after. It belongs to the
// view, never to the picture: no save or export holds it.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace chromaloom {

// Where a reference image lies over a picture, as the settings keep it.
struct ReferencePlacement {
  QString ImagePath;
  QPointF TopLeft;     // in picture pixels
  double Scale = 1.0;  // picture pixels per image pixel
  int Opacity = 50;    // percent
  bool Shown = true;
  friend bool operator==(const ReferencePlacement&, const ReferencePlacement&) = default;
};

inline constexpr double MinReferenceScale = 1.0 / 64, MaxReferenceScale = 64.0;

struct ReferenceImage {
  QImage Image;  // null: none
  ReferencePlacement Place;

  bool IsShown() const { return !Image.isNull() && Place.Shown; }
  // Its rectangle on the canvas at scale z (canvas pixels per picture pixel).
  QRectF OnCanvas(int z) const { return {Place.TopLeft * z, QSizeF(Image.size()) * Place.Scale * z}; }
  // A drag on the canvas at scale z moves it by the drag's length.
  void MoveBy(QPointF canvasDelta, int z) { Place.TopLeft += canvasDelta / z; }
  // Scaled by a factor, the canvas point at stays where it is.
  void ScaleAbout(QPointF at, double factor, int z);
  // Laid over the whole picture, as large as fits.
  void FitPicture(int pictureWidth, int pictureHeight);
};

}  // namespace chromaloom

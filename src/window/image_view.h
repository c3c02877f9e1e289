// Shows one of the core's rasters 1:1, without smoothing, and reports the
// mouse in raster pixels.
#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

#include "picture/raster.h"
#include "window/reference_image.h"

namespace chromaloom {

// How the top byte of a raster's pixels is read. Ignored: every pixel is
// opaque. Premultiplied: it is the alpha of a premultiplied pixel, so a pixel
// of 0 lets what lies behind the view show through.
enum class RasterAlpha { Ignored, Premultiplied };

// A core raster as a QImage sharing its pixels (the raster must outlive it).
QImage WrapRaster(const Raster& raster, RasterAlpha alpha = RasterAlpha::Ignored);

class ImageView : public QWidget {
  Q_OBJECT
 public:
  ImageView(const Raster& raster, QWidget* parent, RasterAlpha alpha = RasterAlpha::Ignored);

  // Follows the raster's size after it changed (a zoom change).
  void SyncSize();
  const Raster& Shown() const { return *raster_; }
  // The raster pixel under a mouse event.
  QPoint RasterPoint(const QMouseEvent* event) const;
  // Repaints the parts of the widget that show these areas of the raster.
  void RepaintRasterAreas(const std::vector<Rect>& areas);
  // An image painted over the raster (faded, smoothed) where it lies at
  // raster scale z; nullptr: none.
  void ShowReference(const ReferenceImage* reference, int z);

 signals:
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override { emit MouseDown(event); }
  void mouseMoveEvent(QMouseEvent* event) override { emit MouseMove(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { emit MouseUp(event); }

 private:
  QRect WidgetArea(Rect area) const;
  const Raster* raster_;
  RasterAlpha alpha_;
  const ReferenceImage* reference_ = nullptr;
  int referenceScale_ = 1;
};

}  // namespace chromaloom

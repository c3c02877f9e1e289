// Shows one of the core's rasters 1:1, without smoothing, or a surface too
// large to hold that is painted area by area as the widget shows it, and
// reports the mouse in raster pixels.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
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
  // A painted surface: size gives its size in raster pixels, paint fills out
  // (resized to the area) with an area of it.
  using AreaPainter = std::function<void(Rect area, Raster& out)>;
  ImageView(std::function<QSize()> size, AreaPainter paint, QWidget* parent);

  // Follows the raster's size after it changed (a zoom change).
  void SyncSize();
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
  QSize SurfaceSize() const;
  const Raster* raster_ = nullptr;
  std::function<QSize()> size_;
  AreaPainter paint_;
  Raster painted_;  // the last area painted, kept to reuse its memory
  RasterAlpha alpha_ = RasterAlpha::Ignored;
  const ReferenceImage* reference_ = nullptr;
  int referenceScale_ = 1;
};

}  // namespace chromaloom

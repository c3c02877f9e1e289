#include "window/image_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QtMath>
#include <QPainter>

#include "window/tool_icons.h"

namespace chromaloom {

ImageView::ImageView(const Raster& raster, QWidget* parent) : QWidget(parent), raster_(&raster) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted from the raster
  setMouseTracking(true);
  SyncSize();
}

void ImageView::SyncSize() {
  // One raster pixel per device pixel, also where the screen scales widgets.
  const qreal ratio = devicePixelRatioF();
  setFixedSize(qRound(raster_->Width() / ratio), qRound(raster_->Height() / ratio));
}

QPoint ImageView::RasterPoint(const QMouseEvent* event) const {
  const QPointF p = event->position() * devicePixelRatioF();
  return {qFloor(p.x()), qFloor(p.y())};
}

void ImageView::RepaintRasterArea(Rect area) {
  const qreal ratio = devicePixelRatioF();
  const int left = qFloor(area.X / ratio), top = qFloor(area.Y / ratio);
  const int right = qCeil(area.Right() / ratio), bottom = qCeil(area.Bottom() / ratio);
  update(QRect(left, top, right - left, bottom - top));
}

void ImageView::paintEvent(QPaintEvent* event) {
  QImage image = WrapRaster(*raster_);
  image.setDevicePixelRatio(devicePixelRatioF());
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const QRect area = event->rect();
  const qreal ratio = devicePixelRatioF();
  const QRect source(qFloor(area.x() * ratio), qFloor(area.y() * ratio), qCeil(area.width() * ratio),
                     qCeil(area.height() * ratio));
  painter.drawImage(area, image, source);
}

}  // namespace chromaloom

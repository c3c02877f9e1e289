#include "window/image_view.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

namespace chromaloom {

QImage WrapRaster(const Raster& raster, RasterAlpha alpha) {
  const int w = raster.Width();
  const int h = raster.Height();
  const QImage::Format format =
      alpha == RasterAlpha::Premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  // The const-data constructor keeps the raster's buffer; a write to the
  // image would detach it instead of touching the raster.
  return QImage(reinterpret_cast<const uchar*>(raster.Pixels().data()), w, h, w * 4, format);
}

ImageView::ImageView(const Raster& raster, QWidget* parent, RasterAlpha alpha)
    : QWidget(parent), raster_(&raster), alpha_(alpha) {
  // An opaque raster paints every pixel itself; a see-through one needs what lies behind painted first.
  setAttribute(Qt::WA_OpaquePaintEvent, alpha == RasterAlpha::Ignored);
  setMouseTracking(true);
  SyncSize();
}

ImageView::ImageView(std::function<QSize()> size, AreaPainter paint, QWidget* parent)
    : QWidget(parent), size_(std::move(size)), paint_(std::move(paint)) {
  setAttribute(Qt::WA_OpaquePaintEvent, true);
  setMouseTracking(true);
  SyncSize();
}

QSize ImageView::SurfaceSize() const { return raster_ ? QSize(raster_->Width(), raster_->Height()) : size_(); }

void ImageView::SyncSize() {
  // One raster pixel per device pixel, also where the screen scales widgets.
  const qreal ratio = devicePixelRatioF();
  const QSize size = SurfaceSize();
  setFixedSize(qRound(size.width() / ratio), qRound(size.height() / ratio));
}

QPoint ImageView::RasterPoint(const QMouseEvent* event) const {
  const QPointF p = event->position() * devicePixelRatioF();
  return {qFloor(p.x()), qFloor(p.y())};
}

QRect ImageView::WidgetArea(Rect area) const {
  const qreal ratio = devicePixelRatioF();
  const int left = qFloor(area.X / ratio), top = qFloor(area.Y / ratio);
  const int right = qCeil(area.Right() / ratio), bottom = qCeil(area.Bottom() / ratio);
  return {left, top, right - left, bottom - top};
}

void ImageView::RepaintRasterAreas(const std::vector<Rect>& areas) {
  if (areas.empty()) return;
  // The areas come in rows, sorted and apart, as a region keeps them.
  std::vector<QRect> rects;
  rects.reserve(areas.size());
  for (const Rect& area : areas) rects.push_back(WidgetArea(area));
  QRegion region;
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  update(region);
}

void ImageView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  const qreal ratio = devicePixelRatioF();
  const QRect surface(QPoint(0, 0), SurfaceSize());
  // Only the rectangles to be repainted.
  for (const QRect& area : event->region()) {
    const QRect source = QRect(qFloor(area.x() * ratio), qFloor(area.y() * ratio), qCeil(area.width() * ratio),
                               qCeil(area.height() * ratio))
                             .intersected(surface);
    if (source.isEmpty()) continue;
    if (raster_) {
      QImage image = WrapRaster(*raster_, alpha_);
      image.setDevicePixelRatio(ratio);
      painter.drawImage(area, image, source);
      continue;
    }
    // Painted from and to multiples of 8 pixels, so that every row is
    // whole, aligned vector stores; only what was asked for is shown.
    const int left = source.left() / 8 * 8, right = std::min(surface.width(), (source.right() + 8) / 8 * 8);
    paint_({left, source.y(), right - left, source.height()}, painted_);
    QImage image = WrapRaster(painted_);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(source.topLeft()) / ratio, image,
                      QRectF(source.x() - left, 0, source.width(), source.height()));
  }
  if (reference_ && reference_->IsShown()) {
    painter.setClipRegion(event->region());
    painter.setOpacity(reference_->Place.Opacity / 100.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF target = reference_->OnCanvas(referenceScale_);
    painter.drawImage(QRectF(target.topLeft() / ratio, target.size() / ratio), reference_->Image);
  }
}

void ImageView::ShowReference(const ReferenceImage* reference, int z) {
  reference_ = reference;
  referenceScale_ = z;
  update();
}

}  // namespace chromaloom

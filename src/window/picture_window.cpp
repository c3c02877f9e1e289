#include "window/picture_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

#include <utility>

#include "window/image_view.h"
#include "window/tool_icons.h"
#include "window/widget_colours.h"

namespace chromaloom {

PictureWindow::PictureWindow(const Renderer& render, PanelDragger& dragger, QWidget* parent) : FreePanel(parent) {
  setObjectName("pictureWindow");
  MinWidth = 524;
  MinHeight = 414;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(contentsMargins());
  layout->setSpacing(0);

  auto* caption = new CaptionStrip(QCoreApplication::translate("Editor", "Picture"), this);
  caption->setObjectName("pictureCaption");
  layout->addWidget(caption);
  resizeIcon_ = new QLabel(caption);
  resizeIcon_->setObjectName("maximiseIcon");
  resizeIcon_->setFixedSize(16, 13);
  resizeIcon_->setPixmap(ResizeIcon(false));
  resizeIcon_->setCursor(Qt::PointingHandCursor);
  // The press toggles; it must not start a drag of the strip.
  resizeIcon_->installEventFilter(this);
  caption->layout()->addWidget(resizeIcon_);
  dragger.AddHandle(caption, this, [this] { return !IsMaximised(); });

  scrollBox_ = new QScrollArea(this);
  scrollBox_->setObjectName("pictureScrollBox");
  scrollBox_->setFrameShape(QFrame::NoFrame);
  scrollBox_->setWidgetResizable(false);
  scrollBox_->setAlignment(Qt::AlignCenter);
  SetBackground(scrollBox_->viewport(), WorkSpaceColour);
  scrollBox_->viewport()->installEventFilter(this);
  scrollBox_->installEventFilter(this);
  layout->addWidget(scrollBox_, 1);

  canvasFrame_ = new QFrame;
  canvasFrame_->setObjectName("canvasFrame");
  canvasFrame_->setFrameShape(QFrame::Box);
  canvasFrame_->setLineWidth(1);
  canvas_ = new ImageView([&render] { return QSize(render.EditorWidth(), render.EditorHeight()); },
                          [&render](Rect area, Raster& out) { render.PaintEditor(area, out); }, canvasFrame_);
  canvas_->setObjectName("canvas");
  canvas_->move(1, 1);
  scrollBox_->setWidget(canvasFrame_);
  // The middle button, or the left one with the pan key held, drags the view
  // about; the tools never see that drag.
  connect(canvas_, &ImageView::MouseDown, this, [this](QMouseEvent* event) {
    if (reference_ && reference_->IsShown() && event->modifiers().testFlag(Qt::AltModifier) &&
        (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
      const QPointF at(canvas_->RasterPoint(event));
      referenceDrag_ = ReferenceDrag{at, at, event->button() == Qt::RightButton};
      return;
    }
    if (event->button() == Qt::MiddleButton || (panKeyHeld_ && event->button() == Qt::LeftButton)) {
      panFrom_ = event->globalPosition().toPoint();
      panScroll_ = {scrollBox_->horizontalScrollBar()->value(), scrollBox_->verticalScrollBar()->value()};
      return;
    }
    if (!panFrom_) emit CanvasPressed(canvas_->RasterPoint(event), event->buttons());
  });
  connect(canvas_, &ImageView::MouseMove, this, [this](QMouseEvent* event) {
    if (referenceDrag_) {
      const QPointF to(canvas_->RasterPoint(event)), moved = to - referenceDrag_->Last;
      referenceDrag_->Last = to;
      // Up enlarges: twice as large for 200 canvas pixels.
      if (referenceDrag_->Scales)
        emit ReferenceScaled(referenceDrag_->Anchor, std::exp2(-moved.y() / 200.0));
      else
        emit ReferenceMoved(moved);
      return;
    }
    if (panFrom_)
      PanTo(event->globalPosition().toPoint());
    else
      emit CanvasMoved(canvas_->RasterPoint(event), event->buttons());
  });
  connect(canvas_, &ImageView::MouseUp, this, [this] {
    if (referenceDrag_)
      referenceDrag_.reset();
    else if (panFrom_)
      panFrom_.reset();
    else
      emit CanvasReleased();
  });

  SetAlign(PanelAlign::Client);
}

void PictureWindow::Maximise() {
  floatingBounds_ = geometry();
  SetAlign(PanelAlign::Client);
  resizeIcon_->setPixmap(ResizeIcon(false));
}

void PictureWindow::Restore() {
  SetAlign(PanelAlign::None);
  setGeometry(floatingBounds_);
  resizeIcon_->setPixmap(ResizeIcon(true));
}

void PictureWindow::SetFloatingBounds(const QRect& bounds) {
  floatingBounds_ = QRect(bounds.topLeft(), bounds.size().expandedTo(QSize(MinWidth, MinHeight)));
}

void PictureWindow::ScrollToOrigin() { ScrollTo(0, 0); }

void PictureWindow::ScrollTo(int x, int y) {
  scrollBox_->horizontalScrollBar()->setValue(x);
  scrollBox_->verticalScrollBar()->setValue(y);
}

void PictureWindow::ScrollCanvasTo(int x, int y) {
  canvasFrame_->adjustSize();
  ScrollTo(x, y);
}

void PictureWindow::FollowCanvasSize() {
  ScrollToOrigin();
  canvas_->SyncSize();
  canvasFrame_->setFixedSize(canvas_->width() + 2, canvas_->height() + 2);
  Centre();
}

void PictureWindow::Centre() {
  // The scroll box centres a smaller frame itself; a larger one starts at its edge.
  scrollBox_->widget()->adjustSize();
  if (canvasFrame_->width() >= scrollBox_->viewport()->width()) scrollBox_->horizontalScrollBar()->setValue(0);
  if (canvasFrame_->height() >= scrollBox_->viewport()->height()) scrollBox_->verticalScrollBar()->setValue(0);
}

QSize PictureWindow::ScrollBoxSize() const { return scrollBox_->size(); }

QRect PictureWindow::ShownCanvas(const QWidget* relativeTo) const {
  const QWidget* viewport = scrollBox_->viewport();
  const QRect frame(canvasFrame_->mapTo(viewport, QPoint(0, 0)), canvasFrame_->size());
  const QRect shown = frame & viewport->rect();
  return QRect(viewport->mapTo(relativeTo, shown.topLeft()), shown.size());
}

bool PictureWindow::ShowsWhole(QSize canvas) const {
  // The box is measured whole: a canvas that fits shows no scroll bars.
  const QSize frame = canvas + QSize(2, 2);
  return frame.width() <= scrollBox_->width() && frame.height() <= scrollBox_->height();
}

QPointF PictureWindow::ViewCentre() const {
  const QWidget* viewport = scrollBox_->viewport();
  return {viewport->width() / 2.0, viewport->height() / 2.0};
}

QPointF PictureWindow::CanvasPointAt(QPointF viewPoint) const {
  return canvas_->mapFrom(scrollBox_->viewport(), viewPoint);
}

void PictureWindow::ShowCanvasPointAt(QPointF canvasPoint, QPointF viewPoint) {
  // A frame larger than the viewport sits at minus the scroll position; the
  // canvas sits inside the frame's one-pixel line. The scroll bars clamp.
  scrollBox_->widget()->adjustSize();
  const QPointF scroll = canvasPoint + QPointF(canvas_->pos()) - viewPoint;
  ScrollTo(static_cast<int>(std::lround(scroll.x())), static_cast<int>(std::lround(scroll.y())));
}

void PictureWindow::RepaintCanvas(const std::vector<Rect>& areas) { canvas_->RepaintRasterAreas(areas); }

void PictureWindow::ShowReference(const ReferenceImage* reference, int z) {
  reference_ = reference;
  canvas_->ShowReference(reference, z);
}

void PictureWindow::PanTo(QPoint globalAt) {
  const QPoint moved = globalAt - *panFrom_;
  scrollBox_->horizontalScrollBar()->setValue(panScroll_.x() - moved.x());
  scrollBox_->verticalScrollBar()->setValue(panScroll_.y() - moved.y());
  if (!moved.isNull()) emit Panned();
}

bool PictureWindow::ShowsPictureAt(const QWidget* widget) const { return widget == canvasFrame_ || widget == canvas_; }

void PictureWindow::WatchFirstPaint(std::function<void()> painted) {
  firstPaint_ = std::move(painted);
  canvas_->installEventFilter(this);
}

bool PictureWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (watched == resizeIcon_) {
        emit MaximiseToggled();
        return true;
      }
      break;
    case QEvent::Resize:
      // The box, not its viewport: scroll bars that come with a zoom step
      // shrink the viewport, and must not undo the step's scroll.
      if (watched == scrollBox_) Centre();
      break;
    case QEvent::Wheel: {
      // Wheel turns over the canvas reach the viewport after the canvas ignored them.
      auto* wheel = static_cast<QWheelEvent*>(event);
      if (watched != scrollBox_->viewport() || !wheel->modifiers().testFlag(Qt::ControlModifier)) break;
      wheelTurn_ += wheel->angleDelta().y();
      const int notches = wheelTurn_ / QWheelEvent::DefaultDeltasPerStep;
      wheelTurn_ -= notches * QWheelEvent::DefaultDeltasPerStep;
      if (notches != 0) emit ZoomWheeled(wheel->position(), notches);
      return true;  // with Ctrl the scroll box would page
    }
    case QEvent::Paint:
      if (watched == canvas_ && firstPaint_) {
        canvas_->removeEventFilter(this);
        std::exchange(firstPaint_, {})();
      }
      break;
    default:
      break;
  }
  return FreePanel::eventFilter(watched, event);
}

}  // namespace chromaloom

#include "window/preview_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

#include "window/image_view.h"
#include "window/widget_colours.h"

namespace chromaloom {

PreviewWindow::PreviewWindow(const Raster& preview, PanelDragger& dragger, QWidget* parent)
    : ToolWindow("previewWindow", {24, 56, 650, 510}, parent) {
  dragger.AddHandle(this, this);
  AddCaption("previewCaption", QCoreApplication::translate("Editor", "Preview and Zoom Selector"), contentsRect().top(),
             dragger);
  border_ = new QFrame(this);
  border_->setObjectName("previewBorder");
  border_->setGeometry(4, 4 + CaptionStrip::StripHeight, 642, 481);
  border_->setMouseTracking(true);
  border_->installEventFilter(this);
  preview_ = new ImageView(preview, border_);
  preview_->setObjectName("preview");
  preview_->setToolTip(QCoreApplication::translate(
      "Editor", "The whole picture; click to show the part under the zoom selector in the editor"));
  preview_->move(65, 50);
  connect(preview_, &ImageView::MouseMove, this,
          [this](QMouseEvent* event) { emit PointerMoved(preview_->RasterPoint(event)); });
  connect(preview_, &ImageView::MouseDown, this, [this] { emit Pressed(); });
}

void PreviewWindow::ShowBorderColour(const QColor& colour) { SetBackground(border_, colour); }

void PreviewWindow::RepaintPreview() { preview_->update(); }

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == border_ && event->type() == QEvent::MouseMove) emit PointerOverBorder();
  return ToolWindow::eventFilter(watched, event);
}

}  // namespace chromaloom

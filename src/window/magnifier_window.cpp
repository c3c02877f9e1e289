#include "window/magnifier_window.h"

#include <QCoreApplication>

#include "render/renderer.h"
#include "window/image_view.h"

namespace chromaloom {

MagnifierWindow::MagnifierWindow(const Raster& magnifier, PanelDragger& dragger, QWidget* parent)
    : ToolWindow("magnifierWindow", {552, 112, 193, 209}, parent) {
  AddCaption("magnifierCaption", QCoreApplication::translate("Editor", "Preview Zoom"), contentsRect().top(), dragger);
  magnifier_ = new ImageView(magnifier, this);
  magnifier_->setObjectName("magnifier");
  magnifier_->setToolTip(QCoreApplication::translate("Editor", "The picture under the pointer, enlarged"));
  magnifier_->move((193 - MagnifierSize) / 2, 4 + CaptionStrip::StripHeight + 4);
}

void MagnifierWindow::RepaintMagnifier() { magnifier_->update(); }

}  // namespace chromaloom

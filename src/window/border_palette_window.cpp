#include "window/border_palette_window.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include "window/image_view.h"

namespace chromaloom {

BorderPaletteWindow::BorderPaletteWindow(const Raster& borderPalette, PanelDragger& dragger, QWidget* parent)
    : ToolWindow("borderPaletteWindow", {345, 43, 164, 94}, parent) {
  dragger.AddHandle(this, this);
  const QRect inside = contentsRect();
  AddCaption("borderPaletteCaption", QCoreApplication::translate("Palette", "Border Palette"), inside.top(), dragger);
  palette_ = new ImageView(borderPalette, this);
  palette_->setObjectName("borderPalette");
  palette_->setToolTip(QCoreApplication::translate(
      "Palette",
      "The border: each swatch mixes a border colour of screen 0 with one of screen 1; click to "
      "choose"));
  palette_->move(inside.left() + (inside.width() - 144) / 2,
                 inside.top() + CaptionStrip::StripHeight + (inside.height() - CaptionStrip::StripHeight - 48) / 2);
  connect(palette_, &ImageView::MouseDown, this,
          [this](QMouseEvent* event) { emit PalettePressed(palette_->RasterPoint(event)); });
}

void BorderPaletteWindow::RepaintPalette() { palette_->update(); }

}  // namespace chromaloom

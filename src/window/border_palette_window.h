// The border palette: the border colour pairs, the chosen one marked.
#pragma once

#include <QPoint>

#include "picture/raster.h"
#include "window/floating_panel.h"

namespace chromaloom {

class ImageView;

class BorderPaletteWindow : public ToolWindow {
  Q_OBJECT
 public:
  BorderPaletteWindow(const Raster& borderPalette, PanelDragger& dragger, QWidget* parent);
  void RepaintPalette();

 signals:
  void PalettePressed(QPoint at);

 private:
  ImageView* palette_ = nullptr;
};

}  // namespace chromaloom

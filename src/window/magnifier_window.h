// The magnifier ("Preview Zoom"): the preview around the canvas pointer, enlarged.
#pragma once

#include "picture/raster.h"
#include "window/floating_panel.h"

namespace chromaloom {

class ImageView;

class MagnifierWindow : public ToolWindow {
  Q_OBJECT
 public:
  MagnifierWindow(const Raster& magnifier, PanelDragger& dragger, QWidget* parent);
  void RepaintMagnifier();

 private:
  ImageView* magnifier_ = nullptr;
};

}  // namespace chromaloom

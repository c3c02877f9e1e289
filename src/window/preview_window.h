// The preview with the zoom selector: the whole picture at 2:1 on its border
// colour. The selector frame follows the pointer over the picture; a press
// zooms the canvas to the frame.
#pragma once

#include <QColor>
#include <QPoint>

#include "picture/raster.h"
#include "window/floating_panel.h"

namespace chromaloom {

class ImageView;

class PreviewWindow : public ToolWindow {
  Q_OBJECT
 public:
  PreviewWindow(const Raster& preview, PanelDragger& dragger, QWidget* parent);
  void ShowBorderColour(const QColor& colour);
  void RepaintPreview();

 signals:
  void PointerMoved(QPoint at);
  void Pressed();
  // Over the border around the picture.
  void PointerOverBorder();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFrame* border_ = nullptr;
  ImageView* preview_ = nullptr;
};

}  // namespace chromaloom

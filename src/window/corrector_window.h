// The colour corrector: both screens side by side at 2:1, the chosen cell's
// neighbourhood and colours, and the exchange button. It shows what it is
// told and reports presses in raster pixels.
#pragma once

#include <QPoint>

#include <array>

#include "picture/raster.h"
#include "window/floating_panel.h"

class QLabel;

namespace chromaloom {

class ImageView;

// The rasters the corrector shows; they must outlive the window.
struct CorrectorImages {
  const Raster& Screen0;
  const Raster& Screen1;
  const Raster& Detail0;
  const Raster& Detail1;
  const std::array<Raster, 4>& Strips;  // PAP0, INK0, PAP1, INK1
};

class CorrectorWindow : public ToolWindow {
  Q_OBJECT
 public:
  CorrectorWindow(const CorrectorImages& images, PanelDragger& dragger, QWidget* parent);

  // The detail frames show the rows of cellHeight in use.
  void SizeDetailFrames(int cellHeight);
  // The outline of the cell (column, row of cellHeight lines) on both screens.
  void RepaintCell(int column, int row, int cellHeight);
  void RepaintImages();

 signals:
  // A press on either screen, in its raster's pixels.
  void CellPressed(QPoint at);
  void ExchangeCellsClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* closeIcon_ = nullptr;
  std::array<ImageView*, 2> screens_{};
  std::array<QFrame*, 2> detailFrames_{};
  std::array<ImageView*, 2> details_{};
  std::array<ImageView*, 4> strips_{};
};

}  // namespace chromaloom

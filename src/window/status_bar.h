// The status bar along the bottom: the four mixed colours of the cell under
// the pointer, where the pointer is, in picture pixels and in cells, what
// the canvas shows, the picture's cell height and the zoom level.
#pragma once

#include <QFrame>
#include <QSize>

#include <array>
#include <string>

#include "picture/zx_colour.h"

class QLabel;
class QTimer;

namespace chromaloom {

class StatusBar : public QFrame {
  Q_OBJECT
 public:
  explicit StatusBar(QWidget* parent);
  static constexpr int BarHeight = 22;

  // X, Y, cell X, cell Y, as the canvas words them.
  void ShowPosition(const std::array<std::string, 4>& texts);
  void ShowCellPalette(const CharPalette& colours);
  // "Char size 8x4" and "Zoom x2".
  void ShowCellHeightAndZoom(int cellHeight, int zoomLevel);
  // The selection's size in cells while one is shown; an empty size clears it.
  void ShowSelectionSize(QSize cells);
  // A short note ("Saved NAME") that goes away after a few seconds.
  void ShowMessage(const QString& text);
  // "Mixed", "Screen 0" or "Screen 1", and the flicker map's share of
  // strong pixels while it is on.
  void ShowScreenView(const QString& view, const QString& flickerMap);

 private:
  QLabel* message_ = nullptr;
  QLabel* view_ = nullptr;
  QLabel* flickerMap_ = nullptr;
  QTimer* messageTimer_ = nullptr;
  std::array<QFrame*, 4> cellSwatches_{};
  std::array<QLabel*, 4> position_{};
  QLabel* cellHeight_ = nullptr;
  QLabel* zoom_ = nullptr;
  QLabel* selection_ = nullptr;
};

}  // namespace chromaloom

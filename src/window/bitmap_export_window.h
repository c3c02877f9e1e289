// Bitmap export: the nine sizes to choose from, the mixing profile the
// bitmap is made with, Ok and Cancel. The chosen size stays until another
// is chosen.
#pragma once

#include <array>

#include "window/floating_panel.h"

class QLabel;
class QRadioButton;

namespace chromaloom {

class BitmapExportWindow : public ToolWindow {
  Q_OBJECT
 public:
  BitmapExportWindow(PanelDragger& dragger, QWidget* parent);
  void Open();
  // 0..8, the row of BitmapSizes.
  int ChosenSize() const;
  // Indexes out of 0..8 are ignored.
  void SetChosenSize(int sizeIndex);
  // The name of the view's mixing profile, which the export uses.
  void ShowMixing(const QString& name);

 signals:
  // Ok: the window closes itself only when the owner says the export is done.
  void ExportAsked(int sizeIndex);

 private:
  std::array<QRadioButton*, 9> sizes_{};
  QLabel* mixing_ = nullptr;
};

}  // namespace chromaloom

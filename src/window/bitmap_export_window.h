// Bitmap export (BMP, PNG or the animated GIF, whichever opened it): the
// nine sizes to choose from, the mixing profile the bitmap is made with (an
// animation says its frames instead), Ok and Cancel.
// The chosen size stays until another is chosen.
#pragma once

#include <array>

#include <QString>

#include "formats/file_kinds.h"
#include "window/floating_panel.h"

class QLabel;
class QRadioButton;

namespace chromaloom {

class BitmapExportWindow : public ToolWindow {
  Q_OBJECT
 public:
  BitmapExportWindow(PanelDragger& dragger, QWidget* parent);
  // Shows the panel for a kind the table exports as a bitmap, captioned as its menu item.
  void Open(FileKind kind);
  // 0..8, the row of BitmapSizes.
  int ChosenSize() const;
  // Indexes out of 0..8 are ignored.
  void SetChosenSize(int sizeIndex);
  // The name of the view's mixing profile, which the export uses.
  void ShowMixing(const QString& name);

 signals:
  // Ok: the window closes itself only when the owner says the export is done.
  void ExportAsked(FileKind kind, int sizeIndex);

 private:
  std::array<QRadioButton*, 9> sizes_{};
  CaptionStrip* caption_ = nullptr;
  FileKind kind_ = FileKind::Bmp;
  QLabel* mixing_ = nullptr;
  QString mixingName_;
};

}  // namespace chromaloom

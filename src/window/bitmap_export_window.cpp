#include "window/bitmap_export_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "picture/bitmap_sizes.h"

namespace chromaloom {

BitmapExportWindow::BitmapExportWindow(PanelDragger& dragger, QWidget* parent)
    : ToolWindow("bitmapExportWindow", {152, 48, 225, 377}, parent) {
  const QRect inside = contentsRect();
  caption_ = AddCaption("bitmapExportCaption", QCoreApplication::translate("FileKinds", InfoOf(kind_).ExportCaption),
                        inside.top(), dragger);
  int y = inside.top() + CaptionStrip::StripHeight + 8;
  auto* prompt = new QLabel(QCoreApplication::translate("Export", "Select resolution and options:"), this);
  prompt->setObjectName("sizePrompt");
  prompt->setGeometry(inside.left() + 8, y, inside.width() - 16, 18);
  y += 26;
  for (int i = 0; i < 9; ++i, y += 28) {
    sizes_[i] = new QRadioButton(
        QCoreApplication::translate("BitmapSizes", BitmapSizes[static_cast<std::size_t>(i)].Caption), this);
    sizes_[i]->setObjectName(QString("bitmapSize%1").arg(i + 1));
    sizes_[i]->setGeometry(inside.left() + 4, y, inside.width() - 4, 22);
    sizes_[i]->setToolTip(QCoreApplication::translate("Export", "The size of the written image"));
  }
  sizes_[0]->setChecked(true);
  mixing_ = new QLabel(this);
  mixing_->setObjectName("mixingLabel");
  mixing_->setGeometry(inside.left() + 8, y + 2, inside.width() - 16, 18);
  ShowMixing(QCoreApplication::translate("Options", "own table"));
  const int buttonsTop = inside.bottom() - 34;
  auto* ok = new QPushButton(QCoreApplication::translate("Export", "Ok"), this);
  ok->setObjectName("okButton");
  ok->setGeometry(inside.left() + 20, buttonsTop, 80, 26);
  ok->setToolTip(QCoreApplication::translate("Export", "Choose a file name and write the image at the chosen size"));
  auto* cancel = new QPushButton(QCoreApplication::translate("Export", "Cancel"), this);
  cancel->setObjectName("cancelButton");
  cancel->setGeometry(inside.right() - 100, buttonsTop, 80, 26);
  cancel->setToolTip(QCoreApplication::translate("Export", "Close without writing"));
  connect(ok, &QPushButton::clicked, this, [this] { emit ExportAsked(kind_, ChosenSize()); });
  connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

void BitmapExportWindow::ShowMixing(const QString& name) {
  mixingName_ = name;
  // An animation shows the screens one at a time: nothing is mixed.
  mixing_->setText(IsAnimatedExport(kind_)
                       ? QCoreApplication::translate("Export", "Screens 0 and 1 in turn, 20 ms each")
                       : QCoreApplication::translate("Export", "Mixing: ") + name);
}

void BitmapExportWindow::Open(FileKind kind) {
  kind_ = kind;
  // A panel's title, not a menu item: without the item's "...".
  caption_->SetCaption(QCoreApplication::translate("FileKinds", InfoOf(kind).ExportCaption).remove("..."));
  ShowMixing(mixingName_);
  show();
  raise();
}

int BitmapExportWindow::ChosenSize() const {
  int chosen = 0;
  for (int i = 0; i < 9; ++i)
    if (sizes_[i]->isChecked()) chosen = i;
  return chosen;
}

void BitmapExportWindow::SetChosenSize(int sizeIndex) {
  if (sizeIndex >= 0 && sizeIndex < static_cast<int>(sizes_.size()))
    sizes_[static_cast<std::size_t>(sizeIndex)]->setChecked(true);
}

}  // namespace chromaloom

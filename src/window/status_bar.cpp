#include "window/status_bar.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

#include "render/renderer.h"
#include "window/widget_colours.h"

namespace chromaloom {

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
  setObjectName("statusBar");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  SetBackground(this, palette().color(QPalette::Button));
  auto* caption = new QLabel(QCoreApplication::translate("Palette", "Current Char Palette:"), this);
  caption->setGeometry(6, 2, 130, 18);
  const QString tips[] = {
      QCoreApplication::translate("Palette", "P0+P1: paper of screen 0 mixed with paper of screen 1"),
      QCoreApplication::translate("Palette", "P0+I1: paper of screen 0 mixed with ink of screen 1"),
      QCoreApplication::translate("Palette", "I0+P1: ink of screen 0 mixed with paper of screen 1"),
      QCoreApplication::translate("Palette", "I0+I1: ink of screen 0 mixed with ink of screen 1")};
  caption->setToolTip(QCoreApplication::translate("Palette", "The four mixed colours of the cell under the pointer"));
  for (int k = 0; k < 4; ++k) {
    QFrame* swatch = new QFrame(this);
    swatch->setObjectName(QString("cellSwatch%1").arg(k));
    swatch->setGeometry(140 + k * 20, 3, 16, 16);
    swatch->setFrameShape(QFrame::Box);
    SetBackground(swatch, Qt::black);
    swatch->setToolTip(QCoreApplication::translate("Palette", "%1, in the cell under the pointer").arg(tips[k]));
    cellSwatches_[k] = swatch;
  }
  // The labels sit in a row at fixed places, like the bar's other fields.
  const auto label = [this](const char* name, const QString& text, int x, int width) {
    auto* made = new QLabel(text, this);
    made->setObjectName(name);
    made->setGeometry(x, 2, width, 18);
    return made;
  };
  position_ = {label("statusX", "X: 000", 240, 60), label("statusY", "Y:000", 300, 60),
               label("statusCellX", "Ax: 00", 360, 60), label("statusCellY", "Ay: 00", 420, 60)};
  view_ = label("statusView", QCoreApplication::translate("Palette", "Mixed"), 480, 60);
  cellHeight_ = label("statusCellHeight", "", 540, 90);
  zoom_ = label("statusZoom", "", 630, 60);
  flickerMap_ = label("statusFlickerMap", "", 690, 160);
  selection_ = label("statusSelection", "", 850, 170);
  message_ = label("statusMessage", "", 1020, 400);
  messageTimer_ = new QTimer(this);
  messageTimer_->setSingleShot(true);
  messageTimer_->setInterval(4000);
  connect(messageTimer_, &QTimer::timeout, message_, &QLabel::clear);
}

void StatusBar::ShowMessage(const QString& text) {
  message_->setText(text);
  messageTimer_->start();
}

void StatusBar::ShowScreenView(const QString& view, const QString& flickerMap) {
  if (view_->text() != view) view_->setText(view);
  if (flickerMap_->text() != flickerMap) flickerMap_->setText(flickerMap);
}

void StatusBar::ShowPosition(const std::array<std::string, 4>& texts) {
  for (int i = 0; i < 4; ++i) position_[i]->setText(QString::fromStdString(texts[i]));
}

void StatusBar::ShowSelectionSize(QSize cells) {
  const QString text =
      cells.isEmpty()
          ? QString()
          : QCoreApplication::translate("Palette", "Selection: %1 x %2 cells").arg(cells.width()).arg(cells.height());
  if (selection_->text() != text) selection_->setText(text);
}

void StatusBar::ShowCellPalette(const CharPalette& colours) {
  for (int k = 0; k < 4; ++k) SetBackground(cellSwatches_[k], ToQColor(colours[k]));
}

void StatusBar::ShowCellHeightAndZoom(int cellHeight, int zoomLevel) {
  // Shown after every command; QLabel skips a text it already has.
  cellHeight_->setText(QCoreApplication::translate("Palette", "Char size 8x%1").arg(cellHeight));
  zoom_->setText(zoomLevel >= 1 ? QCoreApplication::translate("Palette", "Zoom x%1").arg(zoomLevel)
                                : QCoreApplication::translate("Palette", "Zoom %1:1").arg(ZoomScale(zoomLevel)));
}

}  // namespace chromaloom

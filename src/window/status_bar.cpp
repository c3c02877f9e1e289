#include "window/status_bar.h"

#include <QCoreApplication>
#include <QStringList>

#include <QLabel>
#include <QTimer>
#include <algorithm>

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
  // The fields after them take the room their widest text needs in the
  // interface's language, and at least the room the English one has.
  const auto widest = [this](int width, const QStringList& texts) {
    for (const QString& text : texts) width = std::max(width, fontMetrics().horizontalAdvance(text) + 4);
    return width;
  };
  int x = 480;
  const auto next = [&](const char* name, const QString& text, int width) {
    QLabel* made = label(name, text, x, width);
    x += width;
    return made;
  };
  const QString mixed = QCoreApplication::translate("Palette", "Mixed");
  view_ = next("statusView", mixed,
               widest(60, {mixed, QCoreApplication::translate("Editor", "Screen 0"),
                           QCoreApplication::translate("Editor", "Screen 1")}));
  cellHeight_ =
      next("statusCellHeight", "", widest(90, {QCoreApplication::translate("Palette", "Char size 8x%1").arg(8)}));
  zoom_ = next("statusZoom", "",
               widest(60, {QCoreApplication::translate("Palette", "Zoom x%1").arg(4),
                           QCoreApplication::translate("Palette", "Zoom %1:1").arg(2)}));
  flickerMap_ = next("statusFlickerMap", "",
                     widest(160, {QCoreApplication::translate("Editor", "Strong flicker: %1 %").arg("100.0")}));
  selection_ = next("statusSelection", "",
                    widest(170, {QCoreApplication::translate("Palette", "Selection: %1 x %2 cells").arg(32).arg(24)}));
  message_ = next("statusMessage", "", 400);
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

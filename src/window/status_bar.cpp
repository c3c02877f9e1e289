#include "window/status_bar.h"

#include <QLabel>
#include <QTimer>

#include "window/widget_colours.h"

namespace chromaloom {

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
  setObjectName("statusBar");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  SetBackground(this, palette().color(QPalette::Button));
  auto* caption = new QLabel("Current Char Palette:", this);
  caption->setGeometry(6, 2, 130, 18);
  for (int k = 0; k < 4; ++k) {
    QFrame* swatch = new QFrame(this);
    swatch->setObjectName(QString("cellSwatch%1").arg(k));
    swatch->setGeometry(140 + k * 20, 3, 16, 16);
    swatch->setFrameShape(QFrame::Box);
    SetBackground(swatch, Qt::black);
    cellSwatches_[k] = swatch;
  }
  const struct {
    const char* Name;
    const char* Text;
    int X;
  } labels[] = {{"statusX", "X: 000", 240}, {"statusY", "Y:000", 300}, {"statusCellX", "Ax: 00", 360},
                {"statusCellY", "Ay: 00", 420}};
  for (int i = 0; i < 4; ++i) {
    position_[i] = new QLabel(labels[i].Text, this);
    position_[i]->setObjectName(labels[i].Name);
    position_[i]->setGeometry(labels[i].X, 2, 60, 18);
  }
  view_ = new QLabel("Mixed", this);
  view_->setObjectName("statusView");
  view_->setGeometry(480, 2, 60, 18);
  cellHeight_ = new QLabel(this);
  cellHeight_->setObjectName("statusCellHeight");
  cellHeight_->setGeometry(540, 2, 90, 18);
  zoom_ = new QLabel(this);
  zoom_->setObjectName("statusZoom");
  zoom_->setGeometry(630, 2, 60, 18);
  flickerMap_ = new QLabel(this);
  flickerMap_->setObjectName("statusFlickerMap");
  flickerMap_->setGeometry(690, 2, 160, 18);
  message_ = new QLabel(this);
  message_->setObjectName("statusMessage");
  message_->setGeometry(850, 2, 400, 18);
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

void StatusBar::ShowCellPalette(const CharPalette& colours) {
  for (int k = 0; k < 4; ++k) SetBackground(cellSwatches_[k], ToQColor(colours[k]));
}

void StatusBar::ShowCellHeightAndZoom(int cellHeight, int zoomLevel) {
  // Shown after every command; QLabel skips a text it already has.
  cellHeight_->setText(QString("Char size 8x%1").arg(cellHeight));
  zoom_->setText(QString("Zoom x%1").arg(zoomLevel));
}

}  // namespace chromaloom

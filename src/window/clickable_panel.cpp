#include "window/clickable_panel.h"

#include <QMouseEvent>

namespace chromaloom {

ClickablePanel::ClickablePanel(QWidget* parent) : QFrame(parent) {
  setAutoFillBackground(true);
  SetLowered(false);
}

void ClickablePanel::SetColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
}

QColor ClickablePanel::Colour() const { return palette().color(QPalette::Window); }

void ClickablePanel::SetLowered(bool lowered) {
  lowered_ = lowered;
  setFrameShape(QFrame::Panel);
  setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
  setLineWidth(lowered ? 2 : 1);
}

void ClickablePanel::mousePressEvent(QMouseEvent* event) {
  leftPressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
  // A click ends inside the panel, like a button's.
  if (leftPressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
  leftPressed_ = false;
  event->accept();
}

}  // namespace chromaloom

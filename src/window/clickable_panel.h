// A coloured panel that reports a completed left click and can look lowered.
#pragma once

#include <QFrame>

namespace chromaloom {

class ClickablePanel : public QFrame {
  Q_OBJECT
 public:
  explicit ClickablePanel(QWidget* parent = nullptr);
  void SetColour(const QColor& colour);
  QColor Colour() const;
  // Shows a lowered inner bevel while on.
  void SetLowered(bool lowered);
  bool IsLowered() const { return lowered_; }

 signals:
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool lowered_ = false;
  bool leftPressed_ = false;
};

}  // namespace chromaloom

// The screen pointer as the keyboard drives it: where it is, moving it, and
// clicking where it stands. Replaceable, so tests can watch the moves.
#pragma once

#include <QPoint>
#include <Qt>

#include <memory>

class QWidget;

namespace chromaloom {

class PointerDevice {
 public:
  virtual ~PointerDevice() = default;
  virtual QPoint Position() const = 0;
  virtual void MoveTo(QPoint screenPosition) = 0;
  // A press and release at the pointer, delivered after the current event.
  virtual void ClickWith(Qt::MouseButton button) = 0;
  // The widget under the pointer's current screen position.
  virtual QWidget* WidgetUnderPointer() const = 0;
};

std::unique_ptr<PointerDevice> MakeSystemPointer();

}  // namespace chromaloom

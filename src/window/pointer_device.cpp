#include "window/pointer_device.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace chromaloom {

namespace {

class SystemPointer : public PointerDevice {
 public:
  QPoint Position() const override { return QCursor::pos(); }

  // The window system then reports the move to the widget under the pointer.
  void MoveTo(QPoint screenPosition) override { QCursor::setPos(screenPosition); }

  void ClickWith(Qt::MouseButton button) override {
    const QPoint at = QCursor::pos();
    QWidget* target = QApplication::widgetAt(at);
    if (!target) return;
    Post(target, QEvent::MouseButtonPress, at, button, button);
    Post(target, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }

  QWidget* WidgetUnderPointer() const override { return QApplication::widgetAt(QCursor::pos()); }

 private:
  static void Post(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local = target->mapFromGlobal(QPointF(global));
    QCoreApplication::postEvent(target, new QMouseEvent(type, local, QPointF(global), button, held, {}));
  }
};

}  // namespace

std::unique_ptr<PointerDevice> MakeSystemPointer() { return std::make_unique<SystemPointer>(); }

}  // namespace chromaloom

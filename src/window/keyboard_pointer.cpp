#include "window/keyboard_pointer.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>

#include "window/key_bindings.h"

namespace chromaloom {

namespace {
constexpr int MaxStepCount = 5;  // capped before each move adds one
}  // namespace

KeyboardPointer::KeyboardPointer(QWidget& window, const QMenuBar& menus, std::function<bool(const KeyPress&)> runKeys)
    : QObject(&window), window_(window), menus_(menus), runKeys_(std::move(runKeys)), device_(MakeSystemPointer()) {
  qApp->installEventFilter(this);
}

KeyboardPointer::~KeyboardPointer() { qApp->removeEventFilter(this); }

bool KeyboardPointer::KeyPressed(const QKeyEvent& event) {
  if (textInput_ && textInput_(event)) return true;
  if (event.key() == Qt::Key_Space && event.modifiers() == Qt::NoModifier && panKeyHeld_) {
    if (!spaceDown_) {
      spaceDown_ = true;
      spacePanned_ = false;
      panKeyHeld_(true);
    }
    return true;
  }
  // X11 sends some repeats of a held key as a release and a press at the
  // same moment, not marked as repeats.
  if (lastRelease_ && lastRelease_->Key == event.key() && lastRelease_->Time == event.timestamp())
    stepCount_ = lastRelease_->StepCount;
  lastRelease_.reset();
  stepCount_ = std::min(stepCount_, MaxStepCount);
  return runKeys_(KeyPress::From(event.key(), event.nativeScanCode(), event.modifiers()));
}

void KeyboardPointer::KeyReleased(const QKeyEvent& event) {
  // A held key repeats as press and release pairs; only the real release counts.
  if (event.isAutoRepeat()) return;
  if (event.key() == Qt::Key_Space && spaceDown_) {
    spaceDown_ = false;
    panKeyHeld_(false);
    if (!spacePanned_) runKeys_(KeyPress::From(event.key(), event.nativeScanCode(), Qt::NoModifier));
  }
  lastRelease_ = KeyRelease{event.key(), event.timestamp(), stepCount_};
  stepCount_ = 0;
}

bool KeyboardPointer::RunShortcutAtPlace(const QKeyEvent& event) {
  const QKeyCombination placed = RecordedKey(event.key(), event.nativeScanCode(), event.modifiers());
  if (placed.key() == event.key()) return false;
  const QKeySequence keys(placed);
  for (QAction* action : window_.findChildren<QAction*>()) {
    if (action->isEnabled() && action->shortcuts().contains(keys)) {
      action->trigger();
      return true;
    }
  }
  return false;
}

void KeyboardPointer::Step(int dx, int dy, int scale) {
  const int step = scale * ++stepCount_;
  MoveBy(dx * step, dy * step);
}

void KeyboardPointer::MoveBy(int dx, int dy) { device_->MoveTo(device_->Position() + QPoint(dx, dy)); }

bool KeyboardPointer::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  // Keys of the window itself and of any of its controls.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != &window_) return false;
  const auto& key = *static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyRelease) {
    KeyReleased(key);
    return false;
  }
  // A key no row matches does nothing either: no control gets it (the
  // scroll box would scroll), except the menu bar while the keyboard walks
  // its menus, and a lone modifier, which may open that walk.
  const bool inMenuBar = widget == &menus_ || menus_.isAncestorOf(widget);
  const bool modifierOnly = key.key() == Qt::Key_Alt || key.key() == Qt::Key_Control || key.key() == Qt::Key_Shift ||
                            key.key() == Qt::Key_Meta;
  return KeyPressed(key) || RunShortcutAtPlace(key) || !(inMenuBar || modifierOnly);
}

}  // namespace chromaloom

// The keyboard side of the window: every key press of the window and its
// controls goes to the command table first, and the pointer moves and clicks
// from the keys, faster while a key is held.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

#include "window/key_table.h"
#include "window/pointer_device.h"

class QKeyEvent;
class QMenuBar;
class QWidget;

namespace chromaloom {

class KeyboardPointer : public QObject {
  Q_OBJECT
 public:
  // runKeys runs every command whose key row takes the press and says
  // whether any did. Watches the keys of window and its controls.
  KeyboardPointer(QWidget& window, const QMenuBar& menus, std::function<bool(const KeyPress&)> runKeys);
  ~KeyboardPointer() override;

  // Space held lets a drag pan the picture: held(true) at its press,
  // held(false) at its release. A Space press and release with no pan between
  // runs as a key of its own at the release.
  void SetPanKey(std::function<void(bool held)> held) { panKeyHeld_ = std::move(held); }
  void MarkPanned() { spacePanned_ = true; }
  // Letters for a text being typed, before any command sees the key; returns
  // whether they were taken.
  void SetTextInput(std::function<bool(const QKeyEvent&)> input) { textInput_ = std::move(input); }

  // Replaced to watch the pointer.
  void SetDevice(std::unique_ptr<PointerDevice> device) { device_ = std::move(device); }
  const PointerDevice& Device() const { return *device_; }

  // A key no command takes does nothing at all; returns whether one did.
  bool KeyPressed(const QKeyEvent& event);
  void KeyReleased(const QKeyEvent& event);
  int StepCount() const { return stepCount_; }

  // Each held repeat moves one more step of scale screen pixels.
  void Step(int dx, int dy, int scale);
  void MoveBy(int dx, int dy);
  void Click(Qt::MouseButton button) { device_->ClickWith(button); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A layout without Latin letters (Russian) gives Ctrl+S as Ctrl+Ы, which
  // Qt matches to no menu shortcut where the keyboard has no Latin layout:
  // the menu item whose shortcut is the key at that place runs instead.
  bool RunShortcutAtPlace(const QKeyEvent& event);
  QWidget& window_;
  const QMenuBar& menus_;
  std::function<bool(const KeyPress&)> runKeys_;
  std::unique_ptr<PointerDevice> device_;
  std::function<void(bool)> panKeyHeld_;
  std::function<bool(const QKeyEvent&)> textInput_;
  bool spaceDown_ = false;
  bool spacePanned_ = false;
  int stepCount_ = 0;
  // The last real release, so a held key's repeat that comes as a release
  // and a press at the same moment keeps the pointer's pace.
  struct KeyRelease {
    int Key = 0;
    unsigned long Time = 0;
    int StepCount = 0;
  };
  std::optional<KeyRelease> lastRelease_;
};

}  // namespace chromaloom

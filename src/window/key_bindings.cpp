#include "window/key_bindings.h"

#include <QKeySequence>

namespace chromaloom {

namespace {

constexpr Qt::KeyboardModifiers CountedModifiers =
    Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier | Qt::KeypadModifier;

QKeyCombination Counted(QKeyCombination keys) {
  return QKeyCombination(keys.keyboardModifiers() & CountedModifiers, keys.key());
}

}  // namespace

const KeyBindings::Key* KeyBindings::Find(std::string_view name) const {
  const auto found = keys_.find(name);
  return found == keys_.end() ? nullptr : &found->second;
}

void KeyBindings::Reset(std::string_view name) {
  const auto found = keys_.find(name);
  if (found != keys_.end()) keys_.erase(found);
}

QString KeyToText(const KeyBindings::Key& key) {
  return key ? QKeySequence(*key).toString(QKeySequence::PortableText) : QString();
}

std::optional<KeyBindings::Key> KeyFromText(const QString& text) {
  if (text.isEmpty()) return KeyBindings::Key();
  const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
  if (sequence.count() != 1 || !IsUsableKey(sequence[0])) return std::nullopt;
  // Text Qt reads only in part ("Ctrl+Foo" gives a key of its own) does not
  // write back the same.
  if (sequence.toString(QKeySequence::PortableText).compare(text, Qt::CaseInsensitive) != 0) return std::nullopt;
  return KeyBindings::Key(Counted(sequence[0]));
}

bool IsUsableKey(QKeyCombination keys) {
  switch (keys.key()) {
    case Qt::Key_unknown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
      return false;
    default:
      return keys.key() != Qt::Key(0);
  }
}

QKeyCombination RecordedKey(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers) {
  return QKeyCombination(modifiers & CountedModifiers, static_cast<Qt::Key>(RowKey(key, scanCode, modifiers)));
}

bool PressIsKey(const KeyPress& press, QKeyCombination keys) {
  const Qt::KeyboardModifiers m = keys.keyboardModifiers();
  return press.Key == keys.key() && press.Ctrl == m.testFlag(Qt::ControlModifier) &&
         press.Alt == m.testFlag(Qt::AltModifier) && press.Shift == m.testFlag(Qt::ShiftModifier) &&
         press.Meta == m.testFlag(Qt::MetaModifier) && press.Keypad == m.testFlag(Qt::KeypadModifier);
}

bool SameKey(QKeyCombination a, QKeyCombination b) { return Counted(a) == Counted(b); }

QString KeyDisplayText(QKeyCombination keys) { return QKeySequence(keys).toString(QKeySequence::NativeText); }

QString CaptionKeyText(QKeyCombination keys) {
  QString text;
  const Qt::KeyboardModifiers m = keys.keyboardModifiers();
  if (m.testFlag(Qt::ControlModifier)) text += "CTRL+";
  if (m.testFlag(Qt::AltModifier)) text += "ALT+";
  if (m.testFlag(Qt::ShiftModifier)) text += "SHIFT+";
  if (m.testFlag(Qt::MetaModifier)) text += "META+";
  if (m.testFlag(Qt::KeypadModifier)) text += "NUM+";
  switch (keys.key()) {
    case Qt::Key_Left:
      return text + "CursorLeft";
    case Qt::Key_Right:
      return text + "CursorRight";
    case Qt::Key_Up:
      return text + "CursorUp";
    case Qt::Key_Down:
      return text + "CursorDown";
    default:
      return text + QKeySequence(keys.key()).toString(QKeySequence::PortableText).toUpper();
  }
}

}  // namespace chromaloom

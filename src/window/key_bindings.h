// The keys the user gave commands in place of their defaults. A command
// with a user key takes that one key combination and none of its default
// keys; a command without one keeps the command table's keys.
#pragma once

#include <QKeyCombination>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "window/key_table.h"

namespace chromaloom {

class KeyBindings {
 public:
  // One key combination, or nullopt for no key at all.
  using Key = std::optional<QKeyCombination>;

  // The user's key of a command; nullptr while it keeps its default keys.
  const Key* Find(std::string_view name) const;
  void Set(std::string_view name, Key key) { keys_.insert_or_assign(std::string(name), key); }
  void Reset(std::string_view name);
  void ResetAll() { keys_.clear(); }
  const std::map<std::string, Key, std::less<>>& All() const { return keys_; }
  bool operator==(const KeyBindings&) const = default;

 private:
  std::map<std::string, Key, std::less<>> keys_;
};

// As the settings file keeps a key: "Ctrl+Shift+S", and "" for no key.
QString KeyToText(const KeyBindings::Key& key);
// nullopt when the text names no single usable key combination.
std::optional<KeyBindings::Key> KeyFromText(const QString& text);

// A combination a command can have: a real key, not a lone modifier.
bool IsUsableKey(QKeyCombination keys);
// The key a press records, as the key rows see it: a letter or digit by its
// place where the layout names it otherwise, and only the modifiers that count.
QKeyCombination RecordedKey(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers);
// The press is exactly this combination, modifiers and all.
bool PressIsKey(const KeyPress& press, QKeyCombination keys);
bool SameKey(QKeyCombination a, QKeyCombination b);

// "Ctrl+K" as menus and help show it.
QString KeyDisplayText(QKeyCombination keys);
// "CTRL+CursorLeft" as the captions that carry their key write it.
QString CaptionKeyText(QKeyCombination keys);

}  // namespace chromaloom

// A key press as the command table's key rows look at it.
#pragma once

#include <Qt>

namespace chromaloom {

// The key a row looks at. A Latin letter or a digit counts as the layout
// names it; whatever else a layout or Shift makes of a letter or digit key
// (the "@" of Shift+2, a Cyrillic letter, the "&" of an AZERTY digit row)
// counts by the key's place on the keyboard, so Shift is never looked at and
// the rows work on any layout. scanCode is the platform's key code (X11 and
// Wayland: evdev + 8); 0 when unknown.
int RowKey(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers);

struct KeyPress {
  int Key = 0;
  bool Ctrl = false;
  bool Alt = false;
  // Only a user's key looks at these; the table's rows do not.
  bool Shift = false;
  bool Meta = false;
  bool Keypad = false;
  int Digit = -1;  // 0..9 on the main row; the keypad's digits are not digits here
  static KeyPress From(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers);
};

// What some rows look at besides the key, read when the row is reached.
struct KeyState {
  bool PreviewShown = false;
  int SelectorSize = 0;
  bool PasteFloats = false;
};

}  // namespace chromaloom

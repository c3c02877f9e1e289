#include "window/key_table.h"

#include <string_view>

namespace chromaloom {

namespace {

bool IsLatinLetterOrDigit(int key) {
  return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

// The main block's letter, digit and punctuation keys by their place, as a US
// layout names them: a Russian layout puts letters on [ ] ; ' ` , and . too.
int KeyAtPlace(unsigned scanCode) {
  static constexpr struct {
    unsigned FirstCode;
    const char* Keys;
  } Rows[] = {{10, "1234567890-="}, {24, "QWERTYUIOP[]"}, {38, "ASDFGHJKL;'`"}, {52, "ZXCVBNM,./"}};
  for (const auto& row : Rows) {
    const std::string_view keys(row.Keys);
    if (scanCode >= row.FirstCode && scanCode < row.FirstCode + keys.size()) return keys[scanCode - row.FirstCode];
  }
  return 0;
}

// Where the platform gives no key code: the digit row's shifted US symbols.
int DigitOfShiftedSymbol(int key) {
  static constexpr int Symbols[] = {Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
                                    Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
                                    Qt::Key_Asterisk,   Qt::Key_ParenLeft};
  for (int digit = 0; digit < 10; ++digit)
    if (Symbols[digit] == key) return Qt::Key_0 + digit;
  return 0;
}

}  // namespace

int RowKey(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers) {
  if (IsLatinLetterOrDigit(key) || modifiers.testFlag(Qt::KeypadModifier)) return key;
  if (const int placed = KeyAtPlace(scanCode)) return placed;
  if (scanCode == 0 && modifiers.testFlag(Qt::ShiftModifier))
    if (const int digit = DigitOfShiftedSymbol(key)) return digit;
  return key;
}

KeyPress KeyPress::From(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers) {
  KeyPress press;
  key = RowKey(key, scanCode, modifiers);
  press.Key = key;
  press.Ctrl = modifiers.testFlag(Qt::ControlModifier);
  press.Alt = modifiers.testFlag(Qt::AltModifier);
  press.Shift = modifiers.testFlag(Qt::ShiftModifier);
  press.Meta = modifiers.testFlag(Qt::MetaModifier);
  press.Keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (!modifiers.testFlag(Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) press.Digit = key - Qt::Key_0;
  return press;
}

}  // namespace chromaloom

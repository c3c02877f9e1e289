#include "window/key_table.h"

#include <QAction>

#include <string_view>

#include "render/renderer.h"

namespace chromaloom {

namespace {

bool IsLatinLetterOrDigit(int key) {
  return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

// The main block's letter and digit keys by their place, as a US layout names them.
int KeyAtPlace(unsigned scanCode) {
  static constexpr struct {
    unsigned FirstCode;
    const char* Keys;
  } Rows[] = {{10, "1234567890"}, {24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
  for (const auto& row : Rows) {
    const std::string_view keys(row.Keys);
    if (scanCode >= row.FirstCode && scanCode < row.FirstCode + keys.size()) return keys[scanCode - row.FirstCode];
  }
  return 0;
}

// Where the platform gives no key code: the digit row's shifted US symbols.
int DigitOfShiftedSymbol(int key) {
  static constexpr int Symbols[] = {Qt::Key_ParenRight, Qt::Key_Exclam,  Qt::Key_At,       Qt::Key_NumberSign,
                                    Qt::Key_Dollar,     Qt::Key_Percent, Qt::Key_AsciiCircum, Qt::Key_Ampersand,
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
  if (!modifiers.testFlag(Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) press.Digit = key - Qt::Key_0;
  return press;
}

namespace {

using State = KeyState;

// The key without Ctrl (Alt and Shift do not matter).
template <int Key>
bool Plain(const KeyPress& p, const State&) {
  return p.Key == Key && !p.Ctrl;
}
template <int Key>
bool WithCtrl(const KeyPress& p, const State&) {
  return p.Key == Key && p.Ctrl;
}
// The key whatever the modifiers.
template <int Key>
bool Any(const KeyPress& p, const State&) {
  return p.Key == Key;
}
// A letter or a main-row digit, without Ctrl.
template <int Key, int Digit>
bool PlainOrDigit(const KeyPress& p, const State&) {
  return (p.Key == Key || p.Digit == Digit) && !p.Ctrl;
}
template <int Digit>
bool CtrlDigit(const KeyPress& p, const State&) {
  return p.Digit == Digit && p.Ctrl;
}
template <int Digit>
bool AnyDigit(const KeyPress& p, const State&) {
  return p.Digit == Digit;
}

bool EscOrCtrlD(const KeyPress& p, const State&) { return p.Key == Qt::Key_Escape || (p.Key == Qt::Key_D && p.Ctrl); }
bool UpWhileSelectorCanGrow(const KeyPress& p, const State& s) {
  return p.Key == Qt::Key_Up && s.PreviewShown && s.SelectorSize < MaxSelectorSize;
}
bool DownWhileSelectorCanShrink(const KeyPress& p, const State& s) {
  return p.Key == Qt::Key_Down && s.PreviewShown && s.SelectorSize > MinSelectorSize;
}
bool ReturnOrDigit5(const KeyPress& p, const State&) {
  return (p.Key == Qt::Key_Return || p.Key == Qt::Key_Enter || p.Digit == 5) && !p.Ctrl;
}
bool VOrF12(const KeyPress& p, const State&) {
  return (p.Key == Qt::Key_V || p.Key == Qt::Key_F12) && !p.Ctrl && !p.Alt;
}
bool AltV(const KeyPress& p, const State&) { return p.Key == Qt::Key_V && p.Alt; }
// Right, Up and Down wipe what overlays drew; Left does not.
bool RightUpOrDown(const KeyPress& p, const State&) {
  return p.Key == Qt::Key_Right || p.Key == Qt::Key_Up || p.Key == Qt::Key_Down;
}

constexpr KeyRow Rows[] = {
    {Plain<Qt::Key_P>, KeyCommand::ChoosePencil},
    {Plain<Qt::Key_N>, KeyCommand::ChooseFillCell},
    {Plain<Qt::Key_S>, KeyCommand::ChooseSelection},
    {Plain<Qt::Key_L>, KeyCommand::ChooseLine},
    {Plain<Qt::Key_J>, KeyCommand::ChooseRect},
    {Any<Qt::Key_Escape>, KeyCommand::EndShape},
    {EscOrCtrlD, KeyCommand::RemoveSelection},
    {UpWhileSelectorCanGrow, KeyCommand::GrowSelector},
    {DownWhileSelectorCanShrink, KeyCommand::ShrinkSelector},
    {PlainOrDigit<Qt::Key_O, 6>, KeyCommand::PointerLeft},
    {PlainOrDigit<Qt::Key_P, 7>, KeyCommand::PointerRight},
    {PlainOrDigit<Qt::Key_A, 8>, KeyCommand::PointerDown},
    {PlainOrDigit<Qt::Key_Q, 9>, KeyCommand::PointerUp},
    {PlainOrDigit<Qt::Key_Space, 0>, KeyCommand::ClickLeft},
    {ReturnOrDigit5, KeyCommand::ClickRight},
    {CtrlDigit<6>, KeyCommand::NudgeLeft},
    {CtrlDigit<7>, KeyCommand::NudgeRight},
    {CtrlDigit<8>, KeyCommand::NudgeDown},
    {CtrlDigit<9>, KeyCommand::NudgeUp},
    {Any<Qt::Key_Delete>, KeyCommand::DeleteSelection},
    {WithCtrl<Qt::Key_C>, KeyCommand::Copy},
    {WithCtrl<Qt::Key_V>, KeyCommand::Paste},
    {WithCtrl<Qt::Key_Left>, KeyCommand::RotatePixelsLeft},
    {WithCtrl<Qt::Key_Right>, KeyCommand::RotatePixelsRight},
    {WithCtrl<Qt::Key_Up>, KeyCommand::RotatePixelsUp},
    {WithCtrl<Qt::Key_Down>, KeyCommand::RotatePixelsDown},
    {WithCtrl<Qt::Key_Z>, KeyCommand::Undo},
    {AnyDigit<1>, KeyCommand::ChooseEntry1},
    {AnyDigit<2>, KeyCommand::ChooseEntry2},
    {AnyDigit<3>, KeyCommand::ChooseEntry3},
    {AnyDigit<4>, KeyCommand::ChooseEntry4},
    {Plain<Qt::Key_C>, KeyCommand::TogglePalette},
    {VOrF12, KeyCommand::TogglePreview},
    {AltV, KeyCommand::ToggleMagnifier},
    {Plain<Qt::Key_B>, KeyCommand::ToggleBorderPalette},
    {Plain<Qt::Key_G>, KeyCommand::ToggleCharGrid},
    {Plain<Qt::Key_H>, KeyCommand::TogglePixelGrid},
    {Plain<Qt::Key_W>, KeyCommand::TogglePix},
    {Plain<Qt::Key_E>, KeyCommand::ToggleRgb},
    {RightUpOrDown, KeyCommand::RedrawCanvas},
    {Plain<Qt::Key_X>, KeyCommand::CycleScreenView},
    {Plain<Qt::Key_M>, KeyCommand::ToggleFlickerMap},
};

constexpr struct {
  KeyCommand Command;
  const char* Action;
} MenuActions[] = {
    {KeyCommand::RemoveSelection, "removeSelectionAction"},
    {KeyCommand::DeleteSelection, "deleteAction"},
    {KeyCommand::Copy, "copyAction"},
    {KeyCommand::Paste, "pasteAction"},
    {KeyCommand::RotatePixelsLeft, "rotatePixelsLeftAction"},
    {KeyCommand::RotatePixelsRight, "rotatePixelsRightAction"},
    {KeyCommand::RotatePixelsUp, "rotatePixelsUpAction"},
    {KeyCommand::RotatePixelsDown, "rotatePixelsDownAction"},
    {KeyCommand::Undo, "undoAction"},
    {KeyCommand::ToggleFlickerMap, "flickerMapAction"},
};

}  // namespace

std::span<const KeyRow> KeyTable() { return Rows; }

const char* MenuActionOf(KeyCommand command) {
  for (const auto& entry : MenuActions)
    if (entry.Command == command) return entry.Action;
  return nullptr;
}

const KeyRow* RowTaking(QKeyCombination keys) {
  const KeyPress press = KeyPress::From(keys.key(), 0, keys.keyboardModifiers());
  // The selector rows look at the preview and the selector size.
  static constexpr KeyState States[] = {{false, 0}, {true, MinSelectorSize}, {true, MaxSelectorSize}};
  for (const KeyRow& row : Rows)
    for (const KeyState& state : States)
      if (row.Matches(press, state)) return &row;
  return nullptr;
}

void SetMenuShortcut(QAction& action, const QKeySequence& keys) {
  if (keys.isEmpty()) return;
  const KeyRow* row = RowTaking(keys[0]);
  if (!row) {
    action.setShortcut(keys);
    return;
  }
  // Text after a tab is drawn where a menu shows shortcuts.
  const char* runs = MenuActionOf(row->Command);
  if (runs && action.objectName() == QLatin1String(runs))
    action.setText(action.text() + '\t' + keys.toString(QKeySequence::NativeText));
}

}  // namespace chromaloom

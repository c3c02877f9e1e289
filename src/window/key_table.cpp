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

// Each row names its key and what it does, for Help > Keys.
constexpr KeyRow Rows[] = {
    {Plain<Qt::Key_P>, KeyCommand::ChoosePencil, "P", "Choose the pencil"},
    {Plain<Qt::Key_N>, KeyCommand::ChooseFillCell, "N", "Choose Fill Char"},
    {Plain<Qt::Key_S>, KeyCommand::ChooseSelection, "S", "Choose the selection tool"},
    {Plain<Qt::Key_L>, KeyCommand::ChooseLine, "L", "Choose the line"},
    {Plain<Qt::Key_J>, KeyCommand::ChooseRect, "J", "Choose the rectangle"},
    {Any<Qt::Key_Escape>, KeyCommand::EndShape, "Esc", "End the line or rectangle being drawn"},
    {EscOrCtrlD, KeyCommand::RemoveSelection, "Esc or Ctrl+D", "Remove the selection"},
    {UpWhileSelectorCanGrow, KeyCommand::GrowSelector, "Up", "Grow the preview's zoom selector (preview shown)"},
    {DownWhileSelectorCanShrink, KeyCommand::ShrinkSelector, "Down",
     "Shrink the preview's zoom selector (preview shown)"},
    {PlainOrDigit<Qt::Key_O, 6>, KeyCommand::PointerLeft, "O or 6", "Move the pointer left, faster while held"},
    {PlainOrDigit<Qt::Key_P, 7>, KeyCommand::PointerRight, "P or 7", "Move the pointer right, faster while held"},
    {PlainOrDigit<Qt::Key_A, 8>, KeyCommand::PointerDown, "A or 8", "Move the pointer down, faster while held"},
    {PlainOrDigit<Qt::Key_Q, 9>, KeyCommand::PointerUp, "Q or 9", "Move the pointer up, faster while held"},
    {PlainOrDigit<Qt::Key_Space, 0>, KeyCommand::ClickLeft, "Space or 0", "Left click where the pointer is"},
    {ReturnOrDigit5, KeyCommand::ClickRight, "Enter or 5", "Right click where the pointer is"},
    {CtrlDigit<6>, KeyCommand::NudgeLeft, "Ctrl+6", "Move the pointer one screen pixel left"},
    {CtrlDigit<7>, KeyCommand::NudgeRight, "Ctrl+7", "Move the pointer one screen pixel right"},
    {CtrlDigit<8>, KeyCommand::NudgeDown, "Ctrl+8", "Move the pointer one screen pixel down"},
    {CtrlDigit<9>, KeyCommand::NudgeUp, "Ctrl+9", "Move the pointer one screen pixel up"},
    {Any<Qt::Key_Delete>, KeyCommand::DeleteSelection, "Delete", "Delete the selected cells"},
    {WithCtrl<Qt::Key_C>, KeyCommand::Copy, "Ctrl+C", "Copy the selection"},
    {WithCtrl<Qt::Key_V>, KeyCommand::Paste, "Ctrl+V", "Paste at the pointer"},
    {WithCtrl<Qt::Key_Left>, KeyCommand::RotatePixelsLeft, "Ctrl+Left", "Rotate the selected pixels left"},
    {WithCtrl<Qt::Key_Right>, KeyCommand::RotatePixelsRight, "Ctrl+Right", "Rotate the selected pixels right"},
    {WithCtrl<Qt::Key_Up>, KeyCommand::RotatePixelsUp, "Ctrl+Up", "Rotate the selected pixels up"},
    {WithCtrl<Qt::Key_Down>, KeyCommand::RotatePixelsDown, "Ctrl+Down", "Rotate the selected pixels down"},
    {WithCtrl<Qt::Key_Z>, KeyCommand::Undo, "Ctrl+Z", "Undo"},
    {AnyDigit<1>, KeyCommand::ChooseEntry1, "1", "Paint with char palette entry PAP0+PAP1"},
    {AnyDigit<2>, KeyCommand::ChooseEntry2, "2", "Paint with char palette entry PAP0+INK1"},
    {AnyDigit<3>, KeyCommand::ChooseEntry3, "3", "Paint with char palette entry INK0+PAP1"},
    {AnyDigit<4>, KeyCommand::ChooseEntry4, "4", "Paint with char palette entry INK0+INK1"},
    {Plain<Qt::Key_C>, KeyCommand::TogglePalette, "C", "Show or hide the full palette"},
    {VOrF12, KeyCommand::TogglePreview, "V or F12", "Show or hide the preview and zoom selector"},
    {AltV, KeyCommand::ToggleMagnifier, "Alt+V", "Show or hide the magnifier"},
    {Plain<Qt::Key_B>, KeyCommand::ToggleBorderPalette, "B", "Show or hide the border palette"},
    {Plain<Qt::Key_G>, KeyCommand::ToggleCharGrid, "G", "Show or hide the char grid"},
    {Plain<Qt::Key_H>, KeyCommand::TogglePixelGrid, "H", "Show or hide the pixel grid"},
    {Plain<Qt::Key_W>, KeyCommand::TogglePix, "W", "Switch PIX mode on or off"},
    {Plain<Qt::Key_E>, KeyCommand::ToggleRgb, "E", "Switch RGB mode on or off"},
    {RightUpOrDown, KeyCommand::RedrawCanvas, "Right, Up or Down", "Redraw the picture (wipes rubber bands)"},
    {Plain<Qt::Key_F>, KeyCommand::ToggleFlicker, "F", "Show or hide the Flicker window"},
    {Plain<Qt::Key_X>, KeyCommand::CycleScreenView, "X", "Show the mixed picture, screen 0 or screen 1 in turn"},
    {Plain<Qt::Key_M>, KeyCommand::ToggleFlickerMap, "M", "Show or hide the flicker map"},
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
    {KeyCommand::ToggleFlicker, "flickerAction"},
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

void SetMenuShortcut(QAction& action, const QKeySequence& keys, const QList<QKeySequence>& moreKeys) {
  QList<QKeySequence> free;
  for (const QKeySequence& sequence : QList<QKeySequence>{keys} + moreKeys) {
    if (sequence.isEmpty()) continue;
    const KeyRow* row = RowTaking(sequence[0]);
    if (!row) {
      free << sequence;
      continue;
    }
    // Text after a tab is drawn where a menu shows shortcuts.
    const char* runs = MenuActionOf(row->Command);
    if (sequence == keys && runs && action.objectName() == QLatin1String(runs))
      action.setText(action.text() + '\t' + keys.toString(QKeySequence::NativeText));
  }
  if (!free.isEmpty()) action.setShortcuts(free);
}

}  // namespace chromaloom

#include "window/key_table.h"

#include "render/renderer.h"

namespace chromaloom {

KeyPress KeyPress::From(int key, Qt::KeyboardModifiers modifiers) {
  KeyPress press;
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
};

}  // namespace

std::span<const KeyRow> KeyTable() { return Rows; }

const char* MenuActionOf(KeyCommand command) {
  for (const auto& entry : MenuActions)
    if (entry.Command == command) return entry.Action;
  return nullptr;
}

}  // namespace chromaloom

// Every key of the editor as one table. The window walks the rows in order
// and runs the command of each row that matches, so one key can do several
// things (P chooses the pencil and moves the pointer right).
#pragma once

#include <QKeySequence>
#include <QList>
#include <Qt>

#include <span>

class QAction;

namespace chromaloom {

enum class KeyCommand {
  ChoosePencil,
  ChooseFillCell,
  ChooseSelection,
  ChooseLine,
  ChooseRect,
  EndShape,
  RemoveSelection,
  GrowSelector,
  ShrinkSelector,
  // The pointer by accelerating steps of the zoom's scale, and clicks where it stands.
  PointerLeft,
  PointerRight,
  PointerDown,
  PointerUp,
  ClickLeft,
  ClickRight,
  // The pointer by one screen pixel.
  NudgeLeft,
  NudgeRight,
  NudgeDown,
  NudgeUp,
  DeleteSelection,
  Copy,
  Paste,
  RotatePixelsLeft,
  RotatePixelsRight,
  RotatePixelsUp,
  RotatePixelsDown,
  Undo,
  ChooseEntry1,
  ChooseEntry2,
  ChooseEntry3,
  ChooseEntry4,
  TogglePalette,
  TogglePreview,
  ToggleMagnifier,
  ToggleBorderPalette,
  ToggleCharGrid,
  TogglePixelGrid,
  TogglePix,
  ToggleRgb,
  RedrawCanvas,
  ToggleFlicker,
  // Mixed, screen 0, screen 1, and round again.
  CycleScreenView,
  ToggleFlickerMap,
};

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
  int Digit = -1;  // 0..9 on the main row; the keypad's digits are not digits here
  static KeyPress From(int key, unsigned scanCode, Qt::KeyboardModifiers modifiers);
};

// What some rows look at besides the key, read when the row is reached.
struct KeyState {
  bool PreviewShown = false;
  int SelectorSize = 0;
};

struct KeyRow {
  bool (*Matches)(const KeyPress& press, const KeyState& state);
  KeyCommand Command;
  const char* Keys;  // as Help > Keys shows them
  const char* Does;
};

std::span<const KeyRow> KeyTable();

// The object name of the menu action that runs this command, or nullptr.
// A key with a menu command triggers that action, so both take one path.
const char* MenuActionOf(KeyCommand command);

// The first row that takes this key combination in some state of the rows'
// conditions, or nullptr when the key is free for a menu shortcut.
const KeyRow* RowTaking(QKeyCombination keys);

// Gives a menu action its shortcut (and any further ones, which the menu
// does not show), unless a row of the table takes the key: the row wins
// then, and the menu shows the key only when that row runs this very action.
void SetMenuShortcut(QAction& action, const QKeySequence& keys, const QList<QKeySequence>& moreKeys = {});

}  // namespace chromaloom

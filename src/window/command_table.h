// Every command of the editor as one row: its name, caption, keys, tool-bar
// button, state and the function it runs. The menus, the tool bar, the key
// handler, Help > Keys and the tooltips are all made from this table, so a
// key is written once and a new command is one row and its function.
#pragma once

#include <QKeyCombination>
#include <QPixmap>
#include <QString>

#include <span>
#include <string_view>
#include <vector>

#include "window/key_bindings.h"
#include "window/key_table.h"

namespace chromaloom {

class DocumentController;
class KeyboardPointer;
class MainWindow;
class PanelController;

// What a command reaches.
struct CommandTarget {
  MainWindow& Window;
  DocumentController& Document;
  PanelController& Panels;
  KeyboardPointer& Pointer;
};

// A key the editor handles itself, with the conditions under which it
// matches. The handler walks the rows in table order and runs every row
// that matches, so one key can do several things (P chooses the pencil and
// moves the pointer right).
struct CommandKey {
  bool (*Matches)(const KeyPress& press, const KeyState& state) = nullptr;
  const char* Keys = "";  // as Help > Keys shows them
  const char* Does = "";
};

// A button on the tool bar. The tooltip gets the command's first key added:
// "PerChar Grid (use hotkey 'G')".
struct CommandButton {
  int X = -1;                // from the bar's left edge; < 0: no button
  int FixedWidth = 0;        // 0: the square size
  const char* Text = "";     // shown where there is no icon
  const char* ToolTip = "";  // empty: none
  QPixmap (*Icon)() = nullptr;
  bool Shown = true;
  // Zoom levels look checked; the other buttons look pressed while on.
  bool LooksChecked = false;
};

struct Command {
  // The object name of its menu item or its tool-bar button, and its id.
  const char* Name;
  // The menu's text; empty for a command that is no menu item. A caption
  // ending in a parenthesis carries its keys there: "Copy (CTRL+C)".
  const char* Caption = "";
  CommandKey Key = {};
  // A desktop shortcut of the menu item, and one more the menu does not
  // show; a key row of the table that takes the same key wins.
  QKeyCombination Shortcut = {};
  QKeyCombination MoreShortcut = {};
  CommandButton Button = {};
  void (*Run)(CommandTarget& target) = nullptr;
  // Empty: always enabled.
  bool (*Enabled)(const CommandTarget& target) = nullptr;
  // Set for a command that is on or off (a grid, a panel, a choice).
  bool (*Checked)(const CommandTarget& target) = nullptr;
  // Commands of one choice (the screen shown, the mixing) share a group.
  const char* ChoiceGroup = "";

  bool HasKey() const { return Key.Matches != nullptr; }
  bool HasButton() const { return Button.X >= 0; }
  bool IsMenuItem() const { return *Caption != '\0'; }
};

// The table, in the order the key handler walks it.
std::span<const Command> Commands();
const Command* FindCommand(std::string_view name);
// A caption, tooltip or key text of the table in the language of the interface.
QString CommandText(const char* text);

// The tooltip a command's button shows: its text and its first key.
QString ButtonToolTip(const Command& command, const KeyBindings& bindings = {});

// The first command whose key row takes this key combination in some state
// of the rows' conditions, or nullptr when the key is free for a shortcut.
const Command* CommandTakingKey(QKeyCombination keys);

// Keys the user may change ------------------------------------------------

// A command the user can name and so give a key: one with a caption, a
// tooltip or a key row.
bool IsBindable(const Command& command);
// Its name as the user reads it: the menu path and caption without its
// keys ("Edit > Copy"), else the button's tooltip, else what its key does.
QString CommandTitle(const Command& command);
// Whether the caption carries its keys ("Copy (CTRL+C)").
bool CaptionCarriesKeys(const Command& command);
// The menu caption, its key part following the user's key; the table's own
// caption while the command keeps its default keys.
QString MenuCaption(const Command& command, const KeyBindings& bindings);
// The keys the command takes, as the user reads them ("V or F12"); empty
// for none.
QString CommandKeysText(const Command& command, const KeyBindings& bindings);
// Whether a user key of the command is taken by the key handler (a command
// with a key row or no menu item) rather than as its menu item's shortcut.
bool UserKeyGoesThroughRows(const Command& command);
// Whether the command runs on this press: its user key, else its key row.
bool CommandTakesPress(const Command& command, const KeyBindings& bindings, const KeyPress& press,
                       const KeyState& state);
// The first command other than except that takes the key with these
// bindings: a user key, a key row in some state, or a desktop shortcut.
const Command* CommandTakingKey(QKeyCombination keys, const KeyBindings& bindings, const Command* except);
// What would stop a command from having this key, as a message to the user;
// empty when the key is free.
QString KeyRefusal(QKeyCombination keys, const KeyBindings& bindings, const Command& command);
// Bindings as read from a file, with every entry a user could not have made
// dropped: unknown commands, unusable keys and keys another command takes.
KeyBindings UsableBindings(const KeyBindings& read);
// The key that makes a new picture of the char size in use.
QKeyCombination NewPictureKey();

// The menu bar's layout: each entry names a command of the table, a
// submenu (with its items) or a separator (no name). The import and export
// menus are filled from the table of file kinds.
struct MenuEntry {
  const char* Name = nullptr;  // nullptr: a separator
  const char* Caption = "";    // a submenu's caption
  std::vector<MenuEntry> Items = {};
  bool IsSeparator() const { return Name == nullptr; }
  bool IsSubmenu() const { return *Caption != '\0'; }
};
const std::vector<MenuEntry>& MenuLayout();

}  // namespace chromaloom

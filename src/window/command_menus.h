// The menu bar made from the command table's layout: one action per
// command, named as its row, with the row's caption and shortcuts. The
// import and export menus get one item per file kind of the kinds table.
#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

#include "formats/file_kinds.h"
#include "window/command_table.h"

class QAction;
class QMenuBar;

namespace chromaloom {

struct MenuHandlers {
  std::function<void(const Command&)> Run;
  std::function<void(FileKind)> Import;
  std::function<void(FileKind)> Export;
};

// Fills the bar and returns its actions by object name.
QHash<QString, QAction*> BuildMenus(QMenuBar& bar, const MenuHandlers& handlers);

// Gives a command's action its caption's key part, the key shown after a
// tab and its shortcuts, as the bindings say.
void ApplyKeys(QAction& action, const Command& command, const KeyBindings& bindings);
// The shortcuts ApplyKeys gives the action.
QList<QKeySequence> ActionShortcuts(const Command& command, const KeyBindings& bindings);

// Changes an action's caption and keeps the key text a menu shows after a tab.
void SetCaptionKeepingKeys(QAction& action, const QString& caption);

}  // namespace chromaloom

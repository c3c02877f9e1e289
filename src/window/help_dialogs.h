// Help > Keys, every key of the editor in a table, and Help > About.
#pragma once

#include <QString>

#include <vector>

#include "window/key_bindings.h"

class QMenuBar;
class QWidget;

namespace chromaloom {

struct KeyHelpRow {
  QString Keys;
  QString Does;
};

// The key table's rows in the order the handler walks them, then every
// menu item with a shortcut of its own, in menu order, then the wheel. A
// row with a user key shows that key; one with no key is left out.
std::vector<KeyHelpRow> KeyHelpRows(const QMenuBar& menus, const KeyBindings& bindings = {});

// Both open without blocking and delete themselves when closed.
void OpenKeysDialog(const QMenuBar& menus, const KeyBindings& bindings, QWidget* parent);
void OpenAboutDialog(QWidget* parent);

// "chromaLoom x0.91", the licence and the libraries with their versions.
QString AboutText();

}  // namespace chromaloom

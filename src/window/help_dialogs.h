// Help > Getting Started, Help > Keys (every key of the editor in a table)
// and Help > About.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

#include "picture/zx_colour.h"
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

// The example cell Getting Started draws: one PAPER and one INK per screen.
struct ExampleCellColours {
  ZxColour Paper0;
  ZxColour Ink0;
  ZxColour Paper1;
  ZxColour Ink1;
};
inline constexpr ExampleCellColours ExampleCell = {ZxColourIndex(6, 1), ZxColourIndex(1, 0), ZxColourIndex(2, 0),
                                                   ZxColourIndex(7, 1)};

// Screen 0's cell, screen 1's cell and the cell the eye sees, with the four
// mixed entries as swatches; Entries are the swatches in entry order
// (P0+P1, P0+I1, I0+P1, I0+I1), in the image's coordinates.
struct CellModelPicture {
  QImage Image;
  std::array<QRect, 4> Entries;
};
CellModelPicture DrawCellModel();

// All open without blocking and delete themselves when closed.
void OpenGettingStartedDialog(QWidget* parent);
void OpenKeysDialog(const QMenuBar& menus, const KeyBindings& bindings, QWidget* parent);
void OpenAboutDialog(QWidget* parent);

// "chromaLoom x0.91", the licence and the libraries with their versions.
QString AboutText();

}  // namespace chromaloom

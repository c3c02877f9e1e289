// The tool bar across the top of the window: a button for each command of
// the command table that has one (zoom levels, grids, the tool windows, the
// edit modes, the drawing tools) and the char-palette entries. The bar
// reports what was pressed and shows the state it is told. In a window too
// narrow for them, the buttons that do not fit move to an overflow menu.
#pragma once

#include <QFrame>

#include <array>
#include <utility>
#include <vector>

#include "picture/zx_colour.h"
#include "window/command_table.h"

class QMenu;
class QToolButton;

namespace chromaloom {

class ClickablePanel;

class ToolBar : public QFrame {
  Q_OBJECT
 public:
  explicit ToolBar(QWidget* parent);
  static constexpr int BarHeight = 41;

  // A zoom button looks checked while on, the others pressed. Every bar
  // button acts on a press of any mouse button and looks only as told.
  void ShowOn(const Command& command, bool on);
  // The tooltips name the keys the bindings give.
  void ShowKeys(const KeyBindings& bindings);
  void ShowEntryColours(const CharPalette& colours);
  void MarkEntry(int entry);
  // The free-colour button's swatch.
  void ShowFreeColour(Rgb colour);

 signals:
  void CommandPressed(const Command& command);
  void EntryChosen(int entry);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Shows what fits and lists the rest in the overflow menu.
  void Overflow();

  std::vector<std::pair<const Command*, QToolButton*>> buttons_;
  std::array<ClickablePanel*, 4> entries_{};
  QWidget* entrySwatches_ = nullptr;
  QToolButton* overflow_ = nullptr;
  QMenu* overflowMenu_ = nullptr;
};

}  // namespace chromaloom

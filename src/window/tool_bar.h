// The tool bar across the top of the window: zoom levels, grids, the tool
// windows, the char-palette entries, the edit modes and the drawing tools.
// Its buttons come from two tables; the bar reports what was pressed and
// shows the state it is told.
#pragma once

#include <QFrame>

#include <array>
#include <span>
#include <utility>
#include <vector>

#include "editing/tool_state.h"
#include "picture/zx_colour.h"

class QToolButton;

namespace chromaloom {

class ClickablePanel;

// Every button of the bar that is not a drawing tool.
enum class ToolBarButton {
  Zoom,  // one per level
  CharGrid,
  PixelGrid,
  Palette,
  BorderPalette,
  Preview,
  Magnifier,
  PixMode,
  RgbMode,
};

struct ToolBarButtonRow {
  ToolBarButton Id;
  const char* ObjectName;  // the zoom buttons add their level to it
  int X;
  int FixedWidth;      // 0: the square size
  const char* Text;    // shown where there is no icon
  const char* ToolTip;
  QPixmap (*Icon)();   // nullptr: text only
  int ZoomLevel;       // 1..4 for the zoom buttons; 0 for the rest
};

// The object name the button of this row has.
QString ButtonName(const ToolBarButtonRow& row);

// One row per drawing tool. What the tool does on the canvas is its code in
// editing/, found by its kind.
struct ToolRow {
  ToolKind Kind;
  const char* ObjectName;
  int X;
  const char* ToolTip;  // with its key
  QPixmap (*Icon)();
  bool Shown;
};

std::span<const ToolBarButtonRow> ToolBarButtons();
std::span<const ToolRow> Tools();

class ToolBar : public QFrame {
  Q_OBJECT
 public:
  explicit ToolBar(QWidget* parent);
  static constexpr int BarHeight = 41;

  // The zoom button of this level is checked, the others not.
  void ShowZoom(int level);
  // Grids, tool windows and edit modes look pressed while on. Every bar
  // button acts on a press of any mouse button and looks only as told.
  void ShowOn(ToolBarButton id, bool on);
  // The current tool's button stays lowered.
  void ShowTool(ToolKind kind);
  void ShowEntryColours(const CharPalette& colours);
  void MarkEntry(int entry);

 signals:
  void ZoomChosen(int level);
  void ButtonActivated(ToolBarButton id);
  void ToolChosen(ToolKind kind);
  void EntryChosen(int entry);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* AddButton(const QString& name, int x, const char* toolTip, QPixmap (*icon)());
  const std::pair<ToolKind, QToolButton*>* ToolOf(const QObject* object) const;
  const ToolBarButtonRow* RowOf(const QObject* object) const;

  std::vector<std::pair<const ToolBarButtonRow*, QToolButton*>> buttons_;
  std::vector<std::pair<ToolKind, QToolButton*>> tools_;
  std::array<ClickablePanel*, 4> entries_{};
};

}  // namespace chromaloom

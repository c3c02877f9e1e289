#include "window/tool_bar.h"

#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include "window/clickable_panel.h"
#include "window/tool_icons.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {

constexpr int ButtonSize = 32;

constexpr ToolBarButtonRow ButtonTable[] = {
    {ToolBarButton::Zoom, "zoomButton", 4, 0, "", "", [] { return ZoomIcon(1); }, 1},
    {ToolBarButton::Zoom, "zoomButton", 36, 0, "", "", [] { return ZoomIcon(2); }, 2},
    {ToolBarButton::Zoom, "zoomButton", 68, 0, "", "", [] { return ZoomIcon(3); }, 3},
    {ToolBarButton::Zoom, "zoomButton", 100, 0, "", "", [] { return ZoomIcon(4); }, 4},
    {ToolBarButton::CharGrid, "charGridButton", 140, 0, "", "PerChar Grid (use hotkey 'G')", CharGridIcon, 0},
    {ToolBarButton::PixelGrid, "pixelGridButton", 172, 0, "", "PerPixel Grid (use hotkey 'H')", PixelGridIcon, 0},
    {ToolBarButton::Palette, "paletteButton", 212, 0, "", "Full Palette Window (use hotkey 'C')", PaletteIcon, 0},
    {ToolBarButton::BorderPalette, "borderPaletteButton", 244, 0, "", "Border Palette Window (use hotkey 'B')",
     BorderPaletteIcon, 0},
    {ToolBarButton::Preview, "previewButton", 284, 0, "", "Preview and Zoom selector Window (use hotkey 'V')",
     PreviewIcon, 0},
    {ToolBarButton::Magnifier, "magnifierButton", 316, 0, "", "Preview Zoom Window (use hotkey 'ALT+V')",
     MagnifierIcon, 0},
    {ToolBarButton::PixMode, "pixButton", 572, 41, "PIX", "", nullptr, 0},
    {ToolBarButton::RgbMode, "rgbButton", 613, 49, "RGB", "", nullptr, 0},
};

constexpr ToolRow ToolTable[] = {
    {ToolKind::Paint, "paintToolButton", 668, "Pencil (use hotkey 'P')", PencilIcon, true},
    {ToolKind::Line, "lineToolButton", 700, "Line (use hotkey 'L')", LineIcon, true},
    {ToolKind::Rect, "rectToolButton", 732, "", RectIcon, true},
    {ToolKind::FillCell, "fillCellToolButton", 764, "Fill Char (use hotkey 'N')", FillCellIcon, true},
    {ToolKind::Select, "selectToolButton", 796, "Selection (use hotkey 'S')", SelectIcon, true},
    {ToolKind::Ellipse, "ellipseToolButton", 836, "", EllipseIcon, false},
};

}  // namespace

std::span<const ToolBarButtonRow> ToolBarButtons() { return ButtonTable; }

QString ButtonName(const ToolBarButtonRow& row) {
  const QString name = QString::fromLatin1(row.ObjectName);
  return row.ZoomLevel > 0 ? name + QString::number(row.ZoomLevel) : name;
}

std::span<const ToolRow> Tools() { return ToolTable; }

ToolBar::ToolBar(QWidget* parent) : QFrame(parent) {
  setObjectName("toolBar");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  SetBackground(this, palette().color(QPalette::Button));

  for (const ToolBarButtonRow& row : ButtonTable) {
    QToolButton* button = AddButton(ButtonName(row), row.X, row.ToolTip, row.Icon);
    if (row.FixedWidth > 0) button->setFixedWidth(row.FixedWidth);
    if (*row.Text) button->setText(row.Text);
    // The zoom levels show their state checked, the others with setDown;
    // either way only the window sets it (see eventFilter).
    button->setCheckable(row.ZoomLevel > 0);
    button->installEventFilter(this);
    buttons_.emplace_back(&row, button);
  }

  auto* entries = new QFrame(this);
  entries->setObjectName("entrySwatches");
  entries->setGeometry(356, 2, 213, 37);
  const char* labels[] = {"P0+P1", "P0+I1", "I0+P1", "I0+I1"};
  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(labels[k], entries);
    label->setGeometry(4 + k * 52, 0, 50, 14);
    label->setAlignment(Qt::AlignCenter);
    entries_[k] = new ClickablePanel(entries);
    entries_[k]->setObjectName(QString("entrySwatch%1").arg(k));
    entries_[k]->setGeometry(8 + k * 52, 15, 42, 20);
    connect(entries_[k], &ClickablePanel::Clicked, this, [this, k] { emit EntryChosen(k); });
  }

  // A tool is chosen by a press of any mouse button too.
  for (const ToolRow& row : ToolTable) {
    QToolButton* button = AddButton(row.ObjectName, row.X, row.ToolTip, row.Icon);
    button->setCheckable(false);
    button->installEventFilter(this);
    if (!row.Shown) button->hide();
    tools_.emplace_back(row.Kind, button);
  }
}

QToolButton* ToolBar::AddButton(const QString& name, int x, const char* toolTip, QPixmap (*icon)()) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setGeometry(x, (BarHeight - ButtonSize) / 2, ButtonSize, ButtonSize);
  if (icon) button->setIcon(icon());
  button->setIconSize(QSize(22, 22));
  button->setFocusPolicy(Qt::NoFocus);
  if (*toolTip) button->setToolTip(toolTip);
  return button;
}

void ToolBar::ShowZoom(int level) {
  for (const auto& [row, button] : buttons_)
    if (row->ZoomLevel > 0) button->setChecked(row->ZoomLevel == level);
}

void ToolBar::ShowOn(ToolBarButton id, bool on) {
  for (const auto& [row, button] : buttons_)
    if (row->Id == id) button->setDown(on);
}

void ToolBar::ShowTool(ToolKind kind) {
  for (const auto& [toolKind, button] : tools_) button->setDown(toolKind == kind);
}

void ToolBar::ShowEntryColours(const CharPalette& colours) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetColour(ToQColor(colours[k]));
}

void ToolBar::MarkEntry(int entry) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetLowered(k == entry);
}

const std::pair<ToolKind, QToolButton*>* ToolBar::ToolOf(const QObject* object) const {
  for (const auto& tool : tools_)
    if (tool.second == object) return &tool;
  return nullptr;
}

const ToolBarButtonRow* ToolBar::RowOf(const QObject* object) const {
  for (const auto& [row, button] : buttons_)
    if (button == object) return row;
  return nullptr;
}

bool ToolBar::eventFilter(QObject* watched, QEvent* event) {
  // Every button event on a bar button (press, release, double press) stops
  // here: a press of any mouse button acts, and the button keeps the look the
  // window gave it. Left to QToolButton, a release would toggle a zoom button
  // back and a press dragged off would leave a toggle looking released. The
  // second press of a double click comes as a press too, so it acts once.
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
    return QFrame::eventFilter(watched, event);
  const bool press = type == QEvent::MouseButtonPress;
  if (const auto* tool = ToolOf(watched)) {
    if (press) emit ToolChosen(tool->first);
    return true;
  }
  if (const ToolBarButtonRow* row = RowOf(watched)) {
    if (press && row->ZoomLevel > 0) emit ZoomChosen(row->ZoomLevel);
    if (press && row->ZoomLevel == 0) emit ButtonActivated(row->Id);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace chromaloom

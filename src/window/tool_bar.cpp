#include "window/tool_bar.h"

#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include "window/clickable_panel.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {
constexpr int ButtonSize = 32;
}  // namespace

ToolBar::ToolBar(QWidget* parent) : QFrame(parent) {
  setObjectName("toolBar");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  SetBackground(this, palette().color(QPalette::Button));

  for (const Command& command : Commands()) {
    if (!command.HasButton()) continue;
    const CommandButton& place = command.Button;
    auto* button = new QToolButton(this);
    button->setObjectName(command.Name);
    button->setGeometry(place.X, (BarHeight - ButtonSize) / 2, ButtonSize, ButtonSize);
    if (place.FixedWidth > 0) button->setFixedWidth(place.FixedWidth);
    if (place.Icon) button->setIcon(place.Icon());
    if (*place.Text) button->setText(place.Text);
    button->setIconSize(QSize(22, 22));
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(ButtonToolTip(command));
    // Zoom levels show their state checked, the others with setDown; either
    // way only the window sets it (see eventFilter).
    button->setCheckable(place.LooksChecked);
    button->installEventFilter(this);
    if (!place.Shown) button->hide();
    buttons_.emplace_back(&command, button);
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
}

void ToolBar::ShowOn(const Command& command, bool on) {
  for (const auto& [shown, button] : buttons_) {
    if (shown != &command) continue;
    if (command.Button.LooksChecked) {
      button->setChecked(on);
    } else {
      button->setDown(on);
    }
  }
}

void ToolBar::ShowKeys(const KeyBindings& bindings) {
  for (const auto& [command, button] : buttons_) button->setToolTip(ButtonToolTip(*command, bindings));
}

void ToolBar::ShowEntryColours(const CharPalette& colours) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetColour(ToQColor(colours[k]));
}

void ToolBar::MarkEntry(int entry) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetLowered(k == entry);
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
  for (const auto& [command, button] : buttons_) {
    if (button != watched) continue;
    if (type == QEvent::MouseButtonPress) emit CommandPressed(*command);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace chromaloom

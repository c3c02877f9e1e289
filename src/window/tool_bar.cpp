#include "window/tool_bar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <string_view>

#include "window/clickable_panel.h"
#include "window/tool_icons.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {
constexpr int ButtonSize = 32;

// A text button (PIX, RGB) that is a mode: flat and plain while off, sunken,
// highlighted and bold while on, so the state reads at a glance.
constexpr char ModeButtonStyle[] =
    "QToolButton { border: 1px solid palette(mid); border-radius: 3px; background: palette(button);"
    " color: palette(button-text); }"
    "QToolButton:checked { border: 2px inset #173f73; background: #2f6fc0; color: white; font-weight: bold; }";
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
    // Zoom levels show their state checked, the others with setDown (the mode
    // buttons with both); either way only the window sets it (see eventFilter).
    button->setCheckable(place.LooksChecked || *place.Text);
    if (*place.Text) button->setStyleSheet(ModeButtonStyle);
    button->installEventFilter(this);
    if (!place.Shown) button->hide();
    buttons_.emplace_back(&command, button);
  }

  auto* entries = new QFrame(this);
  entrySwatches_ = entries;
  entries->setObjectName("entrySwatches");
  entries->setGeometry(356, 2, 213, 37);
  const char* labels[] = {"P0+P1", "P0+I1", "I0+P1", "I0+I1"};
  const QString tips[] = {
      QCoreApplication::translate("Palette", "P0+P1: paper of screen 0 mixed with paper of screen 1"),
      QCoreApplication::translate("Palette", "P0+I1: paper of screen 0 mixed with ink of screen 1"),
      QCoreApplication::translate("Palette", "I0+P1: ink of screen 0 mixed with paper of screen 1"),
      QCoreApplication::translate("Palette", "I0+I1: ink of screen 0 mixed with ink of screen 1")};
  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(labels[k], entries);
    label->setGeometry(4 + k * 52, 0, 50, 14);
    label->setAlignment(Qt::AlignCenter);
    entries_[k] = new ClickablePanel(entries);
    entries_[k]->setObjectName(QString("entrySwatch%1").arg(k));
    entries_[k]->setGeometry(8 + k * 52, 15, 42, 20);
    const QString tip = QCoreApplication::translate(
                            "Palette", "%1.\nClick: the pencil paints with this entry in PIX mode (use hotkey '%2')")
                            .arg(tips[k])
                            .arg(k + 1);
    label->setToolTip(tip);
    entries_[k]->setToolTip(tip);
    connect(entries_[k], &ClickablePanel::Clicked, this, [this, k] { emit EntryChosen(k); });
  }

  overflow_ = new QToolButton(this);
  overflow_->setObjectName("toolBarOverflow");
  overflow_->setText("»");
  overflow_->setToolTip(
      QCoreApplication::translate("Palette", "The tool-bar buttons the window is too narrow to show"));
  overflow_->setFocusPolicy(Qt::NoFocus);
  overflow_->setPopupMode(QToolButton::InstantPopup);
  overflowMenu_ = new QMenu(overflow_);
  overflowMenu_->setObjectName("toolBarOverflowMenu");
  overflow_->setMenu(overflowMenu_);
  overflow_->hide();
}

void ToolBar::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Overflow();
}

void ToolBar::Overflow() {
  const auto fits = [this](const QWidget* part, int right) { return part->x() + part->width() <= right; };
  bool allFit = fits(entrySwatches_, width());
  for (const auto& [command, button] : buttons_) allFit = allFit && (!command->Button.Shown || fits(button, width()));
  const int right = allFit ? width() : width() - ButtonSize - 4;
  overflowMenu_->clear();
  for (const auto& [command, button] : buttons_) {
    if (!command->Button.Shown) continue;
    const bool shown = fits(button, right);
    button->setVisible(shown);
    if (shown) continue;
    const QString text = *command->Button.ToolTip ? button->toolTip() : QString::fromUtf8(command->Button.Text);
    QAction* action = overflowMenu_->addAction(button->icon(), text.isEmpty() ? button->objectName() : text);
    action->setObjectName(QString(command->Name) + "Overflow");
    action->setCheckable(true);
    action->setChecked(button->isChecked() || button->isDown());
    connect(action, &QAction::triggered, this, [this, command = command] { emit CommandPressed(*command); });
  }
  const bool entriesShown = fits(entrySwatches_, right);
  entrySwatches_->setVisible(entriesShown);
  if (!entriesShown) {
    const char* labels[] = {"P0+P1", "P0+I1", "I0+P1", "I0+I1"};
    for (int k = 0; k < 4; ++k)
      connect(overflowMenu_->addAction(QCoreApplication::translate("Palette", "Entry %1").arg(labels[k])),
              &QAction::triggered, this, [this, k] { emit EntryChosen(k); });
  }
  overflow_->setGeometry(width() - ButtonSize - 2, (BarHeight - ButtonSize) / 2, ButtonSize, ButtonSize);
  overflow_->setVisible(!allFit);
}

void ToolBar::ShowOn(const Command& command, bool on) {
  for (const auto& [shown, button] : buttons_) {
    if (shown != &command) continue;
    if (command.Button.LooksChecked) {
      button->setChecked(on);
    } else {
      button->setDown(on);
      // The mode buttons are checked too, which their style sheet shows.
      if (button->isCheckable()) button->setChecked(on);
    }
  }
  // The overflow menu's checks follow.
  for (QAction* action : overflowMenu_->actions())
    if (action->objectName() == QString(command.Name) + "Overflow") action->setChecked(on);
}

void ToolBar::ShowKeys(const KeyBindings& bindings) {
  for (const auto& [command, button] : buttons_) button->setToolTip(ButtonToolTip(*command, bindings));
}

void ToolBar::ShowEntryColours(const CharPalette& colours) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetColour(ToQColor(colours[k]));
}

void ToolBar::ShowFreeColour(Rgb colour) {
  for (const auto& [command, button] : buttons_)
    if (std::string_view(command->Name) == "freeColourButton") button->setIcon(FreeColourIcon(colour));
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

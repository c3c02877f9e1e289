#include "window/panel_controller.h"

#include <QWidget>

namespace chromaloom {

PanelController::PanelController(std::array<QWidget*, 6> panels, std::function<void(Panel)> prepare, QObject* parent)
    : QObject(parent), panels_(panels), prepare_(std::move(prepare)) {}

bool PanelController::IsShown(Panel panel) const {
  // Hidden, not invisible: the window itself may be closing or not shown yet.
  return !Widget(panel)->isHidden();
}

void PanelController::Toggle(Panel panel) {
  QWidget* widget = Widget(panel);
  if (IsShown(panel)) {
    widget->hide();
  } else {
    prepare_(panel);
    widget->show();
    widget->raise();  // over the other panels, as they come up too
    if (panel == Panel::Flicker) widget->activateWindow();
  }
  emit Toggled();
}

void PanelController::Restore(const RememberedSettings& remembered) {
  const auto restore = [this](Panel panel, const PanelPlace& place) {
    if (place.TopLeft) Widget(panel)->move(*place.TopLeft);
    if (place.Visible && !IsShown(panel)) Toggle(panel);
  };
  restore(Panel::Palette, remembered.Palette);
  restore(Panel::BorderPalette, remembered.BorderPalette);
  restore(Panel::Preview, remembered.Preview);
  restore(Panel::Magnifier, remembered.Magnifier);
}

void PanelController::Remember(RememberedSettings& current) const {
  const auto placeOf = [this](Panel panel) { return PanelPlace{IsShown(panel), Widget(panel)->pos()}; };
  current.Palette = placeOf(Panel::Palette);
  current.BorderPalette = placeOf(Panel::BorderPalette);
  current.Preview = placeOf(Panel::Preview);
  current.Magnifier = placeOf(Panel::Magnifier);
}

}  // namespace chromaloom

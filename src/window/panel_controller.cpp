#include "window/panel_controller.h"

#include <QWidget>

#include <limits>
#include <optional>

namespace chromaloom {

namespace {

long long Overlap(const QRect& a, const QRect& b) {
  const QRect both = a & b;
  return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

}  // namespace

QRect FreePlace(QSize size, const QRect& work, const std::vector<QRect>& taken) {
  constexpr int Step = 8;
  QRect best(work.topLeft(), size);
  long long bestCover = std::numeric_limits<long long>::max();
  for (int x = work.right() + 1 - size.width(); x >= work.left(); x -= Step) {
    for (int y = work.top(); y + size.height() <= work.bottom() + 1; y += Step) {
      const QRect place(QPoint(x, y), size);
      long long cover = 0;
      for (const QRect& area : taken) cover += Overlap(place, area);
      if (cover == 0) return place;
      if (cover < bestCover) {
        bestCover = cover;
        best = place;
      }
    }
  }
  return best;
}

PanelController::PanelController(std::array<QWidget*, 6> panels, std::function<void(Panel)> prepare, PanelRoom room,
                                 QObject* parent)
    : QObject(parent), panels_(panels), prepare_(std::move(prepare)), room_(std::move(room)) {
  // The Flicker window is a window of its own: the desktop places it.
  placed_.set(static_cast<std::size_t>(Panel::Flicker));
  for (std::size_t i = 0; i < panels_.size(); ++i) starts_[i] = panels_[i]->pos();
}

void PanelController::PlaceAmong(Panel panel, std::vector<QRect> others) {
  others.push_back(room_.Picture());
  QWidget* widget = Widget(panel);
  widget->setGeometry(FreePlace(widget->size(), room_.Work(), others));
  placed_.set(static_cast<std::size_t>(panel));
}

std::vector<QRect> PanelController::OthersShown(Panel panel) const {
  std::vector<QRect> others;
  for (const QWidget* other : panels_)
    if (other != Widget(panel) && !other->isHidden() && !other->isWindow()) others.push_back(other->geometry());
  return others;
}

void PanelController::ResetPlaces() {
  placed_.reset();
  placed_.set(static_cast<std::size_t>(Panel::Flicker));
  // Placed again one by one, each clear of those placed before it.
  std::vector<QRect> placedAgain;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    const auto panel = static_cast<Panel>(i);
    if (placed_[i] || !IsShown(panel)) continue;
    PlaceAmong(panel, placedAgain);
    placedAgain.push_back(Widget(panel)->geometry());
  }
}

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
    if (!placed_[static_cast<std::size_t>(panel)]) PlaceAmong(panel, OthersShown(panel));
    widget->show();
    widget->raise();  // over the other panels, as they come up too
    if (panel == Panel::Flicker) widget->activateWindow();
  }
  emit Toggled();
}

void PanelController::Restore(const RememberedSettings& remembered) {
  const auto restore = [this](Panel panel, const PanelPlace& place) {
    if (place.TopLeft) {
      Widget(panel)->move(*place.TopLeft);
      placed_.set(static_cast<std::size_t>(panel));
    }
    if (place.Visible && !IsShown(panel)) Toggle(panel);
  };
  restore(Panel::Palette, remembered.Palette);
  restore(Panel::BorderPalette, remembered.BorderPalette);
  restore(Panel::Preview, remembered.Preview);
  restore(Panel::Magnifier, remembered.Magnifier);
}

void PanelController::Remember(RememberedSettings& current) const {
  // A panel never placed keeps no place: it opens beside the picture.
  const auto placeOf = [this](Panel panel) {
    const auto i = static_cast<std::size_t>(panel);
    const bool placed = placed_[i] || Widget(panel)->pos() != starts_[i];
    return PanelPlace{IsShown(panel), placed ? std::optional(Widget(panel)->pos()) : std::nullopt};
  };
  current.Palette = placeOf(Panel::Palette);
  current.BorderPalette = placeOf(Panel::BorderPalette);
  current.Preview = placeOf(Panel::Preview);
  current.Magnifier = placeOf(Panel::Magnifier);
}

}  // namespace chromaloom

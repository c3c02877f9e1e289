// The tool windows over the picture: shown or hidden, raised when shown,
// and where each was, remembered between runs. A panel with no place of
// its own yet opens beside the picture, clear of it and of the others.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <array>
#include <bitset>
#include <functional>
#include <vector>

#include "window/editor_settings.h"

class QWidget;

namespace chromaloom {

enum class Panel { Palette, BorderPalette, Preview, Magnifier, Corrector, Flicker };

// Where a panel of this size goes inside work: the first place, right to
// left and top to bottom, clear of every taken area; failing that, the one
// covering the least of them.
QRect FreePlace(QSize size, const QRect& work, const std::vector<QRect>& taken);

// What the placement looks at, in the panels' parent's coordinates.
struct PanelRoom {
  std::function<QRect()> Work;     // where panels may go
  std::function<QRect()> Picture;  // the part of the picture on show
};

class PanelController : public QObject {
  Q_OBJECT
 public:
  // prepare runs before a panel shows, to bring its content up to date.
  PanelController(std::array<QWidget*, 6> panels, std::function<void(Panel)> prepare, PanelRoom room,
                  QObject* parent = nullptr);

  bool IsShown(Panel panel) const;
  void Toggle(Panel panel);

  // The places of the panels the settings keep.
  void Restore(const RememberedSettings& remembered);
  void Remember(RememberedSettings& current) const;
  // View > Reset Panel Places: every shown panel is placed again beside the
  // picture; a hidden one is placed when it next shows.
  void ResetPlaces();

 signals:
  void Toggled();

 private:
  QWidget* Widget(Panel panel) const { return panels_[static_cast<std::size_t>(panel)]; }
  // Beside the picture, clear of it and of others.
  void PlaceAmong(Panel panel, std::vector<QRect> others);
  std::vector<QRect> OthersShown(Panel panel) const;

  std::array<QWidget*, 6> panels_;
  std::function<void(Panel)> prepare_;
  PanelRoom room_;
  std::bitset<6> placed_;         // has a place: remembered, or given when shown
  std::array<QPoint, 6> starts_;  // where each was made; one moved from there has a place too
};

}  // namespace chromaloom

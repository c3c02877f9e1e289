// The tool windows over the picture: shown or hidden, raised when shown,
// and where each was, remembered between runs.
#pragma once

#include <QObject>

#include <array>
#include <functional>

#include "window/editor_settings.h"

class QWidget;

namespace chromaloom {

enum class Panel { Palette, BorderPalette, Preview, Magnifier, Corrector, Flicker };

class PanelController : public QObject {
  Q_OBJECT
 public:
  // prepare runs before a panel shows, to bring its content up to date.
  PanelController(std::array<QWidget*, 6> panels, std::function<void(Panel)> prepare, QObject* parent = nullptr);

  bool IsShown(Panel panel) const;
  void Toggle(Panel panel);

  // The places of the panels the settings keep.
  void Restore(const RememberedSettings& remembered);
  void Remember(RememberedSettings& current) const;

 signals:
  void Toggled();

 private:
  QWidget* Widget(Panel panel) const { return panels_[static_cast<std::size_t>(panel)]; }

  std::array<QWidget*, 6> panels_;
  std::function<void(Panel)> prepare_;
};

}  // namespace chromaloom

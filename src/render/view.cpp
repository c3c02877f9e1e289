#include "render/view.h"

#include "render/zoom_icons.h"

#include <utility>

namespace chromaloom {

View::View(const Picture& picture) : Render(picture, settings_), selectorIcons_(MakeSelectorIcons()) {}

void View::SetZoom(int level) {
  if (!IsZoomLevel(level)) return;
  settings_.ZoomLevel = level;
  Render.FollowZoom();
}

void View::DrawZoomSelector(Point cell, int scrollBoxWidth, int scrollBoxHeight) {
  const Point clamped =
      Render.DrawZoomSelector(cell, settings_.SelectorSize, scrollBoxWidth, scrollBoxHeight, selectorIcons_);
  settings_.SelectorColumn = clamped.X;
  settings_.SelectorRow = clamped.Y;
}

void View::SetMixing(MixingProfile profile) {
  settings_.Mixing = std::move(profile);
  Render.RenderAll();
}

void View::DrawCorrectorAnts(Rect area) {
  DrawMarchingAnts(Render.CorrectorScreen0, area, antsPhase_, ants_);
  DrawMarchingAnts(Render.CorrectorScreen1, area, antsPhase_, ants_);
  Render.MarkCorrectorsDamaged();
}

bool View::SetZoomSelectorSize(int size) {
  if (size < MinSelectorSize || size > MaxSelectorSize) return false;
  settings_.SelectorSize = size;
  return true;
}

}  // namespace chromaloom

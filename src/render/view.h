// How the picture is looked at: zoom, grids, the preview's zoom selector,
// the marching ants, and the renderer that keeps the display surfaces.
// Nothing here changes the picture.
#pragma once

#include <array>

#include "picture/picture.h"
#include "render/marching_ants.h"
#include "render/renderer.h"

namespace chromaloom {

class View {
  ViewState settings_;

 public:
  explicit View(const Picture& picture);
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  const ViewState& Settings() const { return settings_; }
  int ZoomLevel() const { return settings_.ZoomLevel; }
  // Editor image pixels per picture pixel.
  int Scale() const { return settings_.Scale(); }
  // A level of ZoomLevels (others are ignored); the editor image follows. Does not redraw.
  void SetZoom(int level);
  // Do not redraw.
  void SetCharGrid(bool on) { settings_.CharGridOn = on; }
  void SetPixelGrid(bool on) { settings_.PixelGridOn = on; }
  // What the canvas shows and the map over it; Redraw(false) follows them.
  ScreenView Shown() const { return settings_.Shown; }
  void SetShown(ScreenView shown) { settings_.Shown = shown; }
  bool FlickerMapOn() const { return settings_.FlickerMapOn; }
  void SetFlickerMap(bool on) { settings_.FlickerMapOn = on; }
  // The mixed colours of the canvas, the preview and the magnifier; the
  // rasters are rendered again here, Redraw(false) shows them.
  const MixingProfile& Mixing() const { return settings_.Mixing; }
  void SetMixing(MixingProfile profile);

  // The zoom selector on the preview: drawn at the cell (in 16-pixel preview
  // cells), clamped so that its frame stays on the picture; the scroll box's
  // size decides the frame's size.
  void DrawZoomSelector(Point cell, int scrollBoxWidth, int scrollBoxHeight);
  Point ZoomSelectorCell() const { return {settings_.SelectorColumn, settings_.SelectorRow}; }
  int ZoomSelectorSize() const { return settings_.SelectorSize; }
  // Sizes 8..16; returns false and changes nothing outside that range.
  bool SetZoomSelectorSize(int size);

  // The 100 ms tick moves the ants on.
  void AdvanceAnts() { antsPhase_ = NextAntsPhase(antsPhase_); }
  int AntsPhase() const { return antsPhase_; }
  const AntsStrips& Ants() const { return ants_; }
  // The tools' overlay on the canvas, the ants at their phase.
  void ShowOverlay(const EditorOverlay& overlay) { Render.ShowOverlay(overlay, antsPhase_, ants_); }
  // The selected cell's outline on both corrector images, at the ants' phase.
  void DrawCorrectorAnts(Rect area);

  // Built after the settings: its constructor reads them.
  Renderer Render;

 private:
  const AntsStrips ants_;
  const std::array<Raster, 3> selectorIcons_;
  int antsPhase_ = 0;
};

}  // namespace chromaloom

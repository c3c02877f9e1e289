// Turns the picture into RGB rasters and keeps the display surfaces current:
// the 2x preview, the corrector views and the magnifier, which the window
// shows 1:1, and the enlarged editor image with its grids and the tools'
// overlay, which is never held whole: the window has the renderer paint
// the area it shows, from the 256 x 192 rasters, when it shows it.
#pragma once

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "picture/mixing_profile.h"
#include "picture/picture.h"
#include "picture/picture_change.h"
#include "picture/raster.h"
#include "render/editor_overlay.h"
#include "render/marching_ants.h"
#include "render/overlay_tiles.h"
#include "render/tile_set.h"

namespace chromaloom {

// Levels 1 to 4 show each picture pixel as 4, 8, 12 or 16 screen pixels,
// 6 and 8 as 24 and 32; below them, 2:1 and 1:1 fit the picture on small
// screens. The zoom steps through them in this order.
constexpr int ZoomLevel1to1 = -1;
constexpr int ZoomLevel2to1 = 0;
constexpr int ZoomLevels[] = {ZoomLevel1to1, ZoomLevel2to1, 1, 2, 3, 4, 6, 8};
constexpr int MinZoomLevel = ZoomLevel1to1;
constexpr int MaxZoomLevel = 8;
constexpr bool IsZoomLevel(int level) {
  for (const int z : ZoomLevels)
    if (z == level) return true;
  return false;
}
// The level steps away through ZoomLevels, held at both ends; a level
// between two of them first goes to the nearer one in that direction.
constexpr int SteppedZoomLevel(int level, int steps) {
  constexpr int count = static_cast<int>(std::size(ZoomLevels));
  int i = 0;
  while (i + 1 < count && ZoomLevels[i + 1] <= level) ++i;
  if (ZoomLevels[i] < level && steps > 0) --steps;
  return ZoomLevels[std::clamp(i + steps, 0, count - 1)];
}
constexpr int MinSelectorSize = 8;
constexpr int MaxSelectorSize = 16;

// What the editing canvas shows: the mixed picture or one screen alone.
enum class ScreenView { Mixed, Screen0, Screen1 };

// Editor image pixels per picture pixel at a zoom level.
constexpr int ZoomScale(int level) { return level >= 1 ? 4 * level : level == ZoomLevel2to1 ? 2 : 1; }
// Below 4:1 a grid line would hide the pixels it runs over.
constexpr int MinGridScale = 4;

// What the renderer draws with: the view's settings. The picture itself is never touched here.
struct ViewState {
  ScreenView Shown = ScreenView::Mixed;
  bool FlickerMapOn = false;
  MixingProfile Mixing;
  int ZoomLevel = 1;
  bool CharGridOn = false;
  bool PixelGridOn = false;
  int SelectorSize = 8;  // the Scale of zoom level 2, 3 or 4
  int SelectorColumn = 0;
  int SelectorRow = 0;

  int Scale() const { return ZoomScale(ZoomLevel); }
};

constexpr int PreviewWidth = 512;
constexpr int PreviewHeight = 384;
constexpr int MagnifierSize = 176;

// What changed on the display surfaces since the window last asked.
struct Damage {
  std::vector<Rect> Editor;  // rectangles of the editor image
  bool Preview = false;
  bool Magnifier = false;
  bool Correctors = false;
  bool Rasters = false;  // cells were rendered again: the picture's rasters changed
};

class Renderer {
 public:
  Renderer(const Picture& picture, const ViewState& view);
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Off-screen rasters, each kept current by every render.
  Raster MixedRaster{PictureWidth, PictureHeight};
  Raster PreviewRaster{PreviewWidth, PreviewHeight};
  // The screens alone: kept current while the canvas shows one or the
  // flicker map is on, brought up to date by the Redraw that shows them.
  Raster ScreenRaster0{PictureWidth, PictureHeight};
  Raster ScreenRaster1{PictureWidth, PictureHeight};
  // The mixed picture tinted by the flicker map; rendered only while the map is on.
  Raster FlickerMapRaster{PictureWidth, PictureHeight};
  // The screens as of the last full render, which is what the corrector
  // shows: painting a cell does not reach it.
  Raster CorrectorSource0{PictureWidth, PictureHeight};
  Raster CorrectorSource1{PictureWidth, PictureHeight};

  // The editor image, painted on demand: its size at the view's scale.
  int EditorWidth() const { return PictureWidth * view_.Scale(); }
  int EditorHeight() const { return PictureHeight * view_.Scale(); }
  Rect EditorBounds() const { return {0, 0, EditorWidth(), EditorHeight()}; }
  // Paints area of the editor image (the shown raster enlarged, its grids,
  // the overlay) into out, which takes the area's size.
  void PaintEditor(Rect area, Raster& out) const;
  // The whole editor image, painted now.
  Raster EditorImage() const;

  // Display surfaces.
  Raster PreviewImage{PreviewWidth, PreviewHeight};
  Raster CorrectorScreen0{PreviewWidth, PreviewHeight};
  Raster CorrectorScreen1{PreviewWidth, PreviewHeight};
  Raster MagnifierImage{MagnifierSize, MagnifierSize};

  void RenderAll();
  // full: render from the planes first. Either way the overlay is taken
  // off and the whole editor image is to be painted again (the view's
  // settings may have changed).
  void Redraw(bool full);
  // Re-renders the one attribute cell holding (col, line).
  void RenderCell(int col, int line);
  // Re-renders the cells holding the places a change touched (everything
  // when the whole picture changed); each cell once.
  void RenderTouched(const TouchedPlaces& touched);
  void ShowPreview();
  void RedrawCorrector(bool full);
  // The corrector images were drawn on outside RedrawCorrector.
  void MarkCorrectorsDamaged() { correctorsDamaged_ = true; }
  // Follows a zoom change: the editor image has the size of the new scale.
  void FollowZoom();

  // Draws the selector frame and returns the position clamped onto the picture.
  Point DrawZoomSelector(Point cell, int selectorSize, int scrollBoxWidth, int scrollBoxHeight,
                         const std::array<Raster, 3>& zoomIcons);
  void UpdateZoomMagnifier(int x, int y);
  // The magnifier again at its last place, after the preview changed under it.
  void RefreshMagnifier();

  // The overlay as the tools now want it, over the picture until the next
  // call or Redraw; what it and the last one cover is to be painted again.
  void ShowOverlay(const EditorOverlay& overlay, int antsPhase, const AntsStrips& strips);

  Damage TakeDamage();

 private:
  // screens: the screens alone too.
  void RenderCellRasters(int col, int firstLine, int lines, bool screens);
  bool ScreensShown() const;
  // The shown raster enlarged into out, whose top-left is area's, with the grids.
  void PaintPicture(Rect area, Raster& out) const;
  // Takes the shown overlay off: what it covered is to be painted again.
  void HideOverlay();
  void MarkEditor(Rect r);

  const Picture& picture_;
  const ViewState& view_;
  mutable std::vector<Rgb> tintScratch_;  // one picture line tinted by the flicker map
  OverlayTiles overlayTiles_;             // the shown overlay's strokes as drawn
  Rect floatArea_;                        // where its float lies, if it has one
  TileSet damage_;                        // what the window has yet to repaint
  bool mapMatchesPicture_ = false;
  bool screensMatchPicture_ = false;
  bool previewMatchesRaster_ = false;
  bool previewDamaged_ = false;
  bool magnifierDamaged_ = false;
  bool correctorsDamaged_ = false;
  bool rastersDamaged_ = false;
  Point magnifierAt_{0, 0};  // the editor point it was last moved to
  // What ShowOverlay last put up, and whether it is still up.
  EditorOverlay shownOverlay_;
  int shownAntsPhase_ = 0;
  bool overlayShown_ = false;
};

}  // namespace chromaloom

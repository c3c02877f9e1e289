// Turns the picture into RGB rasters and keeps the display surfaces current:
// the enlarged editor image with its grids, the 2x preview, the corrector
// views and the magnifier. The window shows these rasters 1:1.
#pragma once

#include <array>
#include <vector>

#include "picture/mixing_profile.h"
#include "picture/picture.h"
#include "picture/picture_change.h"
#include "picture/raster.h"
#include "render/editor_overlay.h"
#include "render/marching_ants.h"
#include "render/tile_set.h"

namespace chromaloom {

// Levels 1 to 4 show each picture pixel as 4, 8, 12 or 16 screen pixels;
// below them, 2:1 and 1:1 fit the picture on small screens.
constexpr int ZoomLevel1to1 = -1;
constexpr int ZoomLevel2to1 = 0;
constexpr int MinZoomLevel = ZoomLevel1to1;
constexpr int MaxZoomLevel = 4;
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
  Raster ScreenRaster0{PictureWidth, PictureHeight};
  Raster ScreenRaster1{PictureWidth, PictureHeight};
  // The mixed picture tinted by the flicker map; rendered only while the map is on.
  Raster FlickerMapRaster{PictureWidth, PictureHeight};
  // The screens as of the last full render, which is what the corrector
  // shows: painting a cell does not reach it.
  Raster CorrectorSource0{PictureWidth, PictureHeight};
  Raster CorrectorSource1{PictureWidth, PictureHeight};

  // Display surfaces.
  Raster EditorImage;
  Raster PreviewImage{PreviewWidth, PreviewHeight};
  Raster CorrectorScreen0{PreviewWidth, PreviewHeight};
  Raster CorrectorScreen1{PreviewWidth, PreviewHeight};
  Raster MagnifierImage{MagnifierSize, MagnifierSize};

  void RenderAll();
  // full: render from the planes first; otherwise only what overlays drew
  // over is restored from the rasters (the same image as a full rescale).
  void Redraw(bool full);
  // Re-renders the one attribute cell holding (col, line), grids included.
  void RenderCell(int col, int line);
  // Re-renders the cells holding the places a change touched (everything
  // when the whole picture changed); each cell once.
  void RenderTouched(const TouchedPlaces& touched);
  void ShowPreview();
  void RedrawCorrector(bool full);
  // The corrector images were drawn on outside RedrawCorrector.
  void MarkCorrectorsDamaged() { correctorsDamaged_ = true; }
  // Follows a zoom change: the editor image takes the size of the new scale.
  void ResizeEditorImage();

  // Draws the selector frame and returns the position clamped onto the picture.
  Point DrawZoomSelector(Point cell, int selectorSize, int scrollBoxWidth, int scrollBoxHeight,
                         const std::array<Raster, 3>& zoomIcons);
  void UpdateZoomMagnifier(int x, int y);
  // The magnifier again at its last place, after the preview changed under it.
  void RefreshMagnifier();

  // Overlays on the editor image; Redraw(false) wipes them.
  void DrawOverlayLine(Point from, Point to, int penWidth, Rgb colour);
  void DrawOverlayRectOutline(Point corner0, Point corner1, int penWidth, Rgb colour);
  // The ellipse inscribed in the rectangle with corners c0 and c1.
  void DrawOverlayEllipse(Point corner0, Point corner1, int penWidth, Rgb colour);
  void DrawEditorAnts(Rect r, int phase, const AntsStrips& strips);
  // Picture pixels enlarged to the scale, their top-left at an editor image point.
  void DrawOverlayPixels(const Raster& pixels, Point at);
  // A filled box on the editor image.
  void DrawOverlayBox(Rect r, Rgb colour);
  // The overlay as the tools now want it: the last one wiped and this one
  // drawn, unless it is on the image already as it stands.
  void ShowOverlay(const EditorOverlay& overlay, int antsPhase, const AntsStrips& strips);

  Damage TakeDamage();

 private:
  void RenderCellRasters(int col, int firstLine, int lines);
  // Rescales MixedRaster into area r of the editor image and draws the grids there.
  void RestoreEditorArea(Rect r);
  void StampPen(int cx, int cy, int penWidth, Rgb colour);
  // Restores what overlays drew over.
  void WipeOverlays();
  void MarkEditor(Rect r);

  const Picture& picture_;
  const ViewState& view_;
  std::vector<Rgb> rowScratch_;
  std::vector<Rgb> mapScratch_;  // one picture line tinted by the flicker map
  TileSet overlays_;             // what overlays drew over
  TileSet damage_;               // what the window has yet to repaint
  // What the editor image was last drawn from; anything else needs a full rescale.
  struct EditorLayout {
    int Scale = 0;
    int CellHeight = 0;
    bool PixelGrid = false;
    bool CharGrid = false;
    ScreenView Shown = ScreenView::Mixed;
    bool FlickerMap = false;
    friend bool operator==(const EditorLayout&, const EditorLayout&) = default;
  };
  EditorLayout CurrentLayout() const;
  EditorLayout drawnLayout_;
  bool editorMatchesRasters_ = false;
  bool mapMatchesPicture_ = false;
  bool previewMatchesRaster_ = false;
  bool previewDamaged_ = false;
  bool magnifierDamaged_ = false;
  bool correctorsDamaged_ = false;
  bool rastersDamaged_ = false;
  Point magnifierAt_{0, 0};  // the editor point it was last moved to
  // What ShowOverlay last drew, and whether it is still on the image whole.
  EditorOverlay shownOverlay_;
  int shownAntsPhase_ = 0;
  bool overlayIntact_ = false;
};

}  // namespace chromaloom

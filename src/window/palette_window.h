// The palette window: the gradient locator, the full palette of mixed
// colours, the four ZX strips (PAP0, INK0, PAP1, INK1) with the selectors
// that pick the entry's bit on each screen, and the four char-palette
// entries. It shows what it is told and reports presses in raster pixels.
#pragma once

#include <QPoint>

#include <array>

#include "picture/raster.h"
#include "picture/zx_colour.h"
#include "window/floating_panel.h"

namespace chromaloom {

class ClickablePanel;
class ImageView;

class PaletteWindow : public ToolWindow {
  Q_OBJECT
 public:
  // The rasters shown; they must outlive the window.
  PaletteWindow(const Raster& locator, const Raster& fullPalette, const std::array<Raster, 4>& strips,
                PanelDragger& dragger, QWidget* parent);

  void ShowEntryColours(const CharPalette& colours);
  void MarkEntry(int entry);
  // Each screen's bit of the entry painted with: 0 lowers PAPn, 1 INKn.
  void MarkScreenBits(int bit0, int bit1);
  void RepaintFullPalette();
  void RepaintStrips();

 signals:
  void LocatorPressed(QPoint at);
  void FullPalettePressed(QPoint at);
  // row 0..3: PAP0, INK0, PAP1, INK1.
  void StripPressed(int row, int x);
  void ScreenBitChosen(int screen, int bit);
  void EntryChosen(int entry);

 private:
  ImageView* fullPalette_ = nullptr;
  std::array<ImageView*, 4> strips_{};
  std::array<ClickablePanel*, 4> selectors_{};
  std::array<ClickablePanel*, 4> entries_{};
};

}  // namespace chromaloom

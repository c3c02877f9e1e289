// The colours the tools paint with: the pickers, their images, the palette
// and border panels, the tool bar's swatches and the gradient locator's blink.
#pragma once

#include <QObject>

#include "editing/colour_pickers.h"

class QTimer;

namespace chromaloom {

class BorderPaletteWindow;
class Document;
class PaletteWindow;
class PreviewWindow;
class ToolBar;
class View;

// The widgets that show the colours.
struct ColourPanels {
  PaletteWindow* Palette = nullptr;
  BorderPaletteWindow* BorderPalette = nullptr;
  PreviewWindow* Preview = nullptr;
  ToolBar* Tools = nullptr;
};

class ColoursController : public QObject {
  Q_OBJECT
 public:
  // The border is picked into document; the colours follow the view's mixing.
  ColoursController(Document& document, const View& view, QObject* parent);

  chromaloom::Pickers& Pickers() { return pickers_; }
  const chromaloom::Pickers& Pickers() const { return pickers_; }
  PickerImages& Images() { return images_; }

  void Attach(const ColourPanels& panels);

  void TogglePix() { pickers_.EditModePix = !pickers_.EditModePix; }
  void ToggleRgb() { pickers_.EditModeRgb = !pickers_.EditModeRgb; }
  void ToggleFreeColour() { pickers_.FreeColourMode = !pickers_.FreeColourMode; }
  void ChooseEntry(int entry);
  // The pickers and swatches after the current colours changed.
  void ShowColours();
  void ShowEntryMarks();
  // The tool bar's free-colour button shows the free colour.
  void ShowFreeColour();
  // The colours the palettes and swatches show: the view's mixing, or in a
  // screen view that screen's plain colours.
  const MixingProfile& PaletteMixing() const;
  // After the picture's border changed (a load, undo, redo).
  void FollowBorder();
  // After the mixing changed: every colour shown is mixed again.
  void FollowMixing();
  void ShowBorderColour();
  // The gradient locator's 100 ms blink.
  void LocatorBlinkTick();

 signals:
  // The border was picked in its palette: the picture changed.
  void BorderPicked();

 private:
  Document& document_;
  const View& view_;
  chromaloom::Pickers pickers_;
  PickerImages images_;
  ColourPanels panels_;
  QTimer* locatorBlinkTimer_ = nullptr;
};

}  // namespace chromaloom

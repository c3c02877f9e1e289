#include "window/colours_controller.h"

#include <QTimer>

#include "picture/document.h"
#include "render/view.h"
#include "window/border_palette_window.h"
#include "window/palette_window.h"
#include "window/preview_window.h"
#include "window/tool_bar.h"
#include "window/widget_colours.h"

namespace chromaloom {

ColoursController::ColoursController(Document& document, const View& view, QObject* parent)
    : QObject(parent), document_(document), view_(view) {
  locatorBlinkTimer_ = new QTimer(this);
  locatorBlinkTimer_->setObjectName("locatorBlinkTimer");
  locatorBlinkTimer_->setInterval(100);
  connect(locatorBlinkTimer_, &QTimer::timeout, this, &ColoursController::LocatorBlinkTick);
}

void ColoursController::Attach(const ColourPanels& panels) {
  panels_ = panels;
  PaletteWindow* palette = panels_.Palette;
  connect(palette, &PaletteWindow::LocatorPressed, this, [this](QPoint at) {
    if (LocateGradientColour(images_, pickers_.CurrentColours, at.x(), at.y())) {
      locatorBlinkTimer_->start();
    } else {
      locatorBlinkTimer_->stop();
    }
    panels_.Palette->RepaintFullPalette();
  });
  connect(palette, &PaletteWindow::FullPalettePressed, this, [this](QPoint at) {
    PickFullPalette(pickers_, images_, at.x(), at.y());
    // The mixed colour pressed is also the free colour.
    if (at.x() >= 0 && at.y() >= 0 && at.x() < 16 * ZxColourCount && at.y() < 16 * ZxColourCount)
      pickers_.FreeColour = PaletteMixing().Mix(at.x() / 16, at.y() / 16);
    ShowColours();
    ShowFreeColour();
  });
  connect(palette, &PaletteWindow::StripPressed, this, [this](int row, int x) {
    PickStrip(pickers_, images_, static_cast<StripKind>(row), x);
    // A plain ZX colour: the free colour of the Screen 0 and Screen 1 views.
    if (x >= 0 && x < 16 * ZxColourCount) pickers_.FreeColour = ZxRgb(static_cast<ZxColour>(x / 16));
    ShowColours();
    ShowFreeColour();
  });
  connect(palette, &PaletteWindow::ScreenBitChosen, this, [this](int screen, int bit) {
    ApplyCharBits(pickers_, screen, bit);
    ShowEntryMarks();
  });
  connect(palette, &PaletteWindow::EntryChosen, this, &ColoursController::ChooseEntry);
  connect(panels_.Tools, &ToolBar::EntryChosen, this, &ColoursController::ChooseEntry);
  connect(panels_.BorderPalette, &BorderPaletteWindow::PalettePressed, this, [this](QPoint at) {
    PickBorder(document_, images_, at.x(), at.y());
    ShowBorderColour();
    panels_.BorderPalette->RepaintPalette();
    emit BorderPicked();
  });
}

void ColoursController::ShowColours() {
  RefreshColourPickers(images_, pickers_.CurrentColours);
  const ColourSet& c = pickers_.CurrentColours;
  const CharPalette mixed = MakeCharPalette(c.PAP0, c.INK0, c.PAP1, c.INK1, PaletteMixing().Table);
  panels_.Palette->ShowEntryColours(mixed);
  panels_.Tools->ShowEntryColours(mixed);
  panels_.Palette->RepaintFullPalette();
  panels_.Palette->RepaintStrips();
}

void ColoursController::ShowEntryMarks() {
  const int entry = pickers_.SelectedCharColour;
  panels_.Palette->MarkEntry(entry);
  panels_.Tools->MarkEntry(entry);
  panels_.Palette->MarkScreenBits(pickers_.ScreenBit(0), pickers_.ScreenBit(1));
}

void ColoursController::ChooseEntry(int entry) {
  SetCharColour(pickers_, entry);
  // An entry's colour is a free colour too.
  pickers_.FreeColour = SelectedCharColourRgb(pickers_, PaletteMixing());
  ShowEntryMarks();
  ShowFreeColour();
}

void ColoursController::ShowFreeColour() { panels_.Tools->ShowFreeColour(pickers_.FreeColour); }

void ColoursController::FollowBorder() {
  RefreshBorderPicker(images_, document_.Picture().Border);
  ShowBorderColour();
  panels_.BorderPalette->RepaintPalette();
}

namespace {
// One screen's plain colours as a mixing table: what a screen view shows.
MixingProfile PlainScreen(int screen) {
  MixingProfile plain;
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) plain.Table[a][b] = ZxRgb(static_cast<ZxColour>(screen == 0 ? a : b));
  return plain;
}
}  // namespace

const MixingProfile& ColoursController::PaletteMixing() const {
  static const MixingProfile plain[2] = {PlainScreen(0), PlainScreen(1)};
  if (view_.Shown() == ScreenView::Screen0) return plain[0];
  if (view_.Shown() == ScreenView::Screen1) return plain[1];
  return view_.Mixing();
}

void ColoursController::FollowMixing() {
  ShowMixing(images_, PaletteMixing(), pickers_.CurrentColours, document_.Picture().Border);
  ShowColours();
  ShowColours();
  ShowBorderColour();
  panels_.BorderPalette->RepaintPalette();
}

void ColoursController::ShowBorderColour() {
  panels_.Preview->ShowBorderColour(ToQColor(view_.Mixing().BorderColour(document_.Picture())));
}

void ColoursController::LocatorBlinkTick() {
  if (!chromaloom::LocatorBlinkTick(images_, pickers_.CurrentColours)) locatorBlinkTimer_->stop();
  panels_.Palette->RepaintFullPalette();
}

}  // namespace chromaloom

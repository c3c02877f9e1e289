#include "window/palette_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

#include "window/clickable_panel.h"
#include "window/image_view.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {
constexpr int RowHeight = 20;
}  // namespace

PaletteWindow::PaletteWindow(const Raster& locator, const Raster& fullPalette, const std::array<Raster, 4>& strips,
                             PanelDragger& dragger, QWidget* parent)
    : ToolWindow("paletteWindow", {3, 43, 342, 486}, parent) {
  dragger.AddHandle(this, this);
  const int left = contentsRect().left();
  const int top = contentsRect().top();
  AddCaption("fullPaletteCaption", QCoreApplication::translate("Palette", "Full Palette"), top, dragger);

  const int imagesTop = top + CaptionStrip::StripHeight + 2;
  // Only the swatches are drawn; the window shows between them.
  auto* locatorView = new ImageView(locator, this, RasterAlpha::Premultiplied);
  locatorView->setObjectName("gradientLocator");
  locatorView->move(left + 4, imagesTop);
  locatorView->setToolTip(QCoreApplication::translate(
      "Palette", "Mixed colours from dark to light.\nClick one to make its places blink in the full palette"));
  connect(locatorView, &ImageView::MouseDown, this,
          [this, locatorView](QMouseEvent* event) { emit LocatorPressed(locatorView->RasterPoint(event)); });
  fullPalette_ = new ImageView(fullPalette, this);
  fullPalette_->setObjectName("fullPalette");
  fullPalette_->move(left + 90, imagesTop);
  fullPalette_->setToolTip(QCoreApplication::translate(
      "Palette",
      "Every mixed colour: the column is screen 0's colour, the row screen 1's.\nClick: the "
      "chosen entry's two colours become these"));
  connect(fullPalette_, &ImageView::MouseDown, this,
          [this](QMouseEvent* event) { emit FullPalettePressed(fullPalette_->RasterPoint(event)); });

  const int stripsCaption = imagesTop + 240 + 2;
  AddCaption("screenPaletteCaption", QCoreApplication::translate("Palette", "ZX Screen's Palette"), stripsCaption,
             dragger);
  const struct {
    const char* Caption;
    const char* Selector;
    const char* Strip;
    QString Colour;
  } rows[] = {{"PAP0", "paperSelector0", "paperStrip0", QCoreApplication::translate("Palette", "PAPER of screen 0")},
              {"INK0", "inkSelector0", "inkStrip0", QCoreApplication::translate("Palette", "INK of screen 0")},
              {"PAP1", "paperSelector1", "paperStrip1", QCoreApplication::translate("Palette", "PAPER of screen 1")},
              {"INK1", "inkSelector1", "inkStrip1", QCoreApplication::translate("Palette", "INK of screen 1")}};
  for (int row = 0; row < 4; ++row) {
    const int y = stripsCaption + CaptionStrip::StripHeight + 2 + row * RowHeight;
    auto* selector = new ClickablePanel(this);
    selector->setObjectName(rows[row].Selector);
    selector->setGeometry(left + 4, y, 80, RowHeight - 2);
    auto* caption = new QLabel(rows[row].Caption, selector);
    caption->setGeometry(selector->rect());
    caption->setAlignment(Qt::AlignCenter);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    selectors_[row] = selector;
    selector->setToolTip(
        QCoreApplication::translate(
            "Palette", "Click: the pencil paints screen %1's pixel bit as %2\n(the chosen entry changes to match)")
            .arg(row / 2)
            .arg(rows[row].Colour));
    // Rows 0 and 2 pick PAPER (bit 0), rows 1 and 3 INK (bit 1) of screen row / 2.
    connect(selector, &ClickablePanel::Clicked, this, [this, row] { emit ScreenBitChosen(row / 2, row % 2); });
    strips_[row] = new ImageView(strips[row], this);
    strips_[row]->setObjectName(rows[row].Strip);
    strips_[row]->move(left + 90, y + 1);
    strips_[row]->setToolTip(
        QCoreApplication::translate("Palette", "The current %1; click a colour to change it").arg(rows[row].Colour));
    connect(strips_[row], &ImageView::MouseDown, this,
            [this, row](QMouseEvent* event) { emit StripPressed(row, strips_[row]->RasterPoint(event).x()); });
  }

  const int charCaption = stripsCaption + CaptionStrip::StripHeight + 2 + 4 * RowHeight + 2;
  AddCaption("charPaletteCaption", QCoreApplication::translate("Palette", "Char's Palette"), charCaption, dragger);
  const char* entryCaptions[] = {"PAP0+PAP1", "PAP0+INK1", "INK0+PAP1", "INK0+INK1"};
  const QString entryTips[] = {QCoreApplication::translate("Palette", "paper of screen 0 mixed with paper of screen 1"),
                               QCoreApplication::translate("Palette", "paper of screen 0 mixed with ink of screen 1"),
                               QCoreApplication::translate("Palette", "ink of screen 0 mixed with paper of screen 1"),
                               QCoreApplication::translate("Palette", "ink of screen 0 mixed with ink of screen 1")};
  const int width = (contentsRect().width() - 8) / 4;
  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(entryCaptions[k], this);
    label->setGeometry(left + 4 + k * width, charCaption + CaptionStrip::StripHeight + 2, width, 16);
    label->setAlignment(Qt::AlignCenter);
    entries_[k] = new ClickablePanel(this);
    entries_[k]->setObjectName(QString("charPaletteEntry%1").arg(k));
    const QString tip =
        QCoreApplication::translate("Palette",
                                    "%1: %2.\nClick: the pencil paints with this entry in PIX mode (use hotkey '%3')")
            .arg(entryCaptions[k], entryTips[k])
            .arg(k + 1);
    label->setToolTip(tip);
    entries_[k]->setToolTip(tip);
    const int y = charCaption + CaptionStrip::StripHeight + 20;
    entries_[k]->setGeometry(left + 6 + k * width, y, width - 4, contentsRect().bottom() - y - 2);
    connect(entries_[k], &ClickablePanel::Clicked, this, [this, k] { emit EntryChosen(k); });
  }
}

void PaletteWindow::ShowEntryColours(const CharPalette& colours) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetColour(ToQColor(colours[k]));
}

void PaletteWindow::MarkEntry(int entry) {
  for (int k = 0; k < 4; ++k) entries_[k]->SetLowered(k == entry);
}

void PaletteWindow::MarkScreenBits(int bit0, int bit1) {
  selectors_[0]->SetLowered(bit0 == 0);
  selectors_[1]->SetLowered(bit0 == 1);
  selectors_[2]->SetLowered(bit1 == 0);
  selectors_[3]->SetLowered(bit1 == 1);
}

void PaletteWindow::RepaintFullPalette() { fullPalette_->update(); }

void PaletteWindow::RepaintStrips() {
  for (ImageView* strip : strips_) strip->update();
}

}  // namespace chromaloom

// The palette window, the border palette and the char-palette panels.
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include "window/clickable_panel.h"
#include "window/floating_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {
constexpr int RowHeight = 20;
}  // namespace

void MainWindow::CreatePaletteContents() {
  Panel_Color = CreateFloatingPanel("Panel_Color", {3, 43, 342, 486});
  Dragger->AddHandle(Panel_Color, Panel_Color);
  const int left = Panel_Color->contentsRect().left();
  const int top = Panel_Color->contentsRect().top();
  Dragger->AddHandle(AddCaptionStrip(Panel_Color, "Panel1", "Full Palette", top), Panel_Color);

  const int imagesTop = top + CaptionStrip::StripHeight + 2;
  Image_PaletteGradient = new ImageView(editor_.Pickers.Gradient, Panel_Color);
  Image_PaletteGradient->setObjectName("Image_PaletteGradient");
  Image_PaletteGradient->move(left + 4, imagesTop);
  connect(Image_PaletteGradient, &ImageView::MouseDown, this, [this](QMouseEvent* event) {
    const QPoint p = Image_PaletteGradient->RasterPoint(event);
    if (StartLocatorBlink(editor_, p.x(), p.y())) Timer_GradPal->start();
    else Timer_GradPal->stop();
    Img_Palette_full->update();
  });
  Img_Palette_full = new ImageView(editor_.Pickers.Full, Panel_Color);
  Img_Palette_full->setObjectName("Img_Palette_full");
  Img_Palette_full->move(left + 90, imagesTop);
  connect(Img_Palette_full, &ImageView::MouseDown, this, [this](QMouseEvent* event) {
    const QPoint p = Img_Palette_full->RasterPoint(event);
    PickFullPalette(editor_, p.x(), p.y());
    RefreshColourPickers();
  });

  const int stripsCaption = imagesTop + 240 + 2;
  Dragger->AddHandle(AddCaptionStrip(Panel_Color, "Panel2", "ZX Screen's Palette", stripsCaption), Panel_Color);
  const char* stripNames[] = {"IMG_INK0", "IMG_PAP0", "IMG_INK1", "IMG_PAP1"};
  const char* selectorNames[] = {"PalZX_i0", "PalZX_p0", "PalZX_i1", "PalZX_p1"};
  const char* captions[] = {"PAP0", "INK0", "PAP1", "INK1"};
  ClickablePanel** selectors[] = {&PalZX_i0, &PalZX_p0, &PalZX_i1, &PalZX_p1};
  for (int row = 0; row < 4; ++row) {
    const int y = stripsCaption + CaptionStrip::StripHeight + 2 + row * RowHeight;
    auto* selector = new ClickablePanel(Panel_Color);
    selector->setObjectName(selectorNames[row]);
    selector->setGeometry(left + 4, y, 80, RowHeight - 2);
    auto* caption = new QLabel(captions[row], selector);
    caption->setGeometry(selector->rect());
    caption->setAlignment(Qt::AlignCenter);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    *selectors[row] = selector;
    // Rows 0 and 2 pick PAPER (bit 0), rows 1 and 3 INK (bit 1) of screen row / 2.
    connect(selector, &ClickablePanel::Clicked, this, [this, row] {
      ApplyCharBits(editor_, row / 2, row % 2);
      RefreshCharPaletteMarks();
    });
    PaletteStrip[row] = new ImageView(editor_.Pickers.Strips[row], Panel_Color);
    PaletteStrip[row]->setObjectName(stripNames[row]);
    PaletteStrip[row]->move(left + 90, y + 1);
    connect(PaletteStrip[row], &ImageView::MouseDown, this, [this, row](QMouseEvent* event) {
      PickStrip(editor_, static_cast<StripKind>(row), PaletteStrip[row]->RasterPoint(event).x());
      RefreshColourPickers();
    });
  }

  const int charCaption = stripsCaption + CaptionStrip::StripHeight + 2 + 4 * RowHeight + 2;
  Dragger->AddHandle(AddCaptionStrip(Panel_Color, "Panel11", "Char's Palette", charCaption), Panel_Color);
  const char* entryCaptions[] = {"PAP0+PAP1", "PAP0+INK1", "INK0+PAP1", "INK0+INK1"};
  const int width = (Panel_Color->contentsRect().width() - 8) / 4;
  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(entryCaptions[k], Panel_Color);
    label->setGeometry(left + 4 + k * width, charCaption + CaptionStrip::StripHeight + 2, width, 16);
    label->setAlignment(Qt::AlignCenter);
    Pal4Color[k] = new ClickablePanel(Panel_Color);
    Pal4Color[k]->setObjectName(QString("Pal4Color%1").arg(k));
    const int y = charCaption + CaptionStrip::StripHeight + 20;
    Pal4Color[k]->setGeometry(left + 6 + k * width, y, width - 4, Panel_Color->contentsRect().bottom() - y - 2);
    connect(Pal4Color[k], &ClickablePanel::Clicked, this, [this, k] {
      SetCharColour(editor_, k);
      RefreshCharPaletteMarks();
    });
  }
}

void MainWindow::CreateBorderContents() {
  Panel_Border = CreateFloatingPanel("Panel_Border", {345, 43, 164, 94});
  Dragger->AddHandle(Panel_Border, Panel_Border);
  const QRect inside = Panel_Border->contentsRect();
  Dragger->AddHandle(AddCaptionStrip(Panel_Border, "Panel5", "Border Palette", inside.top()), Panel_Border);
  Img_Palette_Border = new ImageView(editor_.Pickers.Border, Panel_Border);
  Img_Palette_Border->setObjectName("Img_Palette_Border");
  Img_Palette_Border->move(inside.left() + (inside.width() - 144) / 2,
                           inside.top() + CaptionStrip::StripHeight + (inside.height() - CaptionStrip::StripHeight - 48) / 2);
  connect(Img_Palette_Border, &ImageView::MouseDown, this, [this](QMouseEvent* event) {
    const QPoint p = Img_Palette_Border->RasterPoint(event);
    PickBorder(editor_, p.x(), p.y());
    ShowBorderColour();
    Img_Palette_Border->update();
  });
}

void MainWindow::ShowBorderColour() {
  SetBackground(PanelBorderPreview, ToQColor(editor_.Document.BorderDisplayColour()));
}

void MainWindow::RefreshColourPickers() {
  chromaloom::RefreshColourPickers(editor_);
  const ColourSet& c = editor_.Editing.CurrentColours;
  const CharPalette mixed = MakeCharPalette(c.PAP0, c.INK0, c.PAP1, c.INK1);
  for (int k = 0; k < 4; ++k) {
    Pal4Color[k]->SetColour(ToQColor(mixed[k]));
    CharPal_SelectedColor[k]->SetColour(ToQColor(mixed[k]));
  }
  Img_Palette_full->update();
  for (ImageView* strip : PaletteStrip) strip->update();
}

void MainWindow::RefreshCharPaletteMarks() {
  const int k = editor_.Editing.SelectedCharColour;
  for (int i = 0; i < 4; ++i) {
    Pal4Color[i]->SetLowered(i == k);
    CharPal_SelectedColor[i]->SetLowered(i == k);
  }
  const int bit0 = editor_.Editing.ScreenBit(0), bit1 = editor_.Editing.ScreenBit(1);
  PalZX_i0->SetLowered(bit0 == 0);
  PalZX_p0->SetLowered(bit0 == 1);
  PalZX_i1->SetLowered(bit1 == 0);
  PalZX_p1->SetLowered(bit1 == 1);
}

void MainWindow::Timer_GradPalTimer() {
  if (!GradientTick(editor_)) Timer_GradPal->stop();
  Img_Palette_full->update();
}

void MainWindow::TogglePaletteWindow() {
  const bool show = !Panel_Color->isVisible();
  Panel_Color->setVisible(show);
  if (show) Panel_Color->raise();
  KEY_Palette->setDown(show);
}

void MainWindow::ToggleBorderPaletteWindow() {
  const bool show = !Panel_Border->isVisible();
  Panel_Border->setVisible(show);
  if (show) Panel_Border->raise();
  KEY_BorderPalette->setDown(show);
}

}  // namespace chromaloom

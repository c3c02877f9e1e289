#include "window/document_controller.h"

#include <QTimer>

#include <algorithm>

#include "editing/picture_commands.h"
#include "render/flicker_map.h"
#include "window/bitmap_export_window.h"
#include "window/border_palette_window.h"
#include "window/corrector_window.h"
#include "window/flicker_window.h"
#include "window/magnifier_window.h"
#include "window/palette_window.h"
#include "window/picture_window.h"
#include "window/preview_window.h"
#include "window/status_bar.h"
#include "window/tool_bar.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {

// The corrector's images drawn afresh from newly rendered screens, with its details.
void RedrawCorrector(CorrectorState& corrector, const Picture& picture, Renderer& render) {
  render.RedrawCorrector(true);
  UpdateCorrectorDetails(corrector, picture, render.CorrectorSource0, render.CorrectorSource1);
}

CorrectorSurfaces CorrectorSurfacesOf(Renderer& render) {
  return {render.CorrectorScreen0, render.CorrectorScreen1, render.CorrectorSource0, render.CorrectorSource1};
}

MouseButtons ButtonsOf(Qt::MouseButtons buttons) {
  return {buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
          (buttons & ~(Qt::LeftButton | Qt::RightButton)) != Qt::NoButton};
}

}  // namespace

DocumentController::DocumentController(QWidget* window)
    : QObject(window),
      files_(
          document_, view_, pickerImages_, window, [this] { AfterPictureLoaded(); }, [this] { AfterPictureSaved(); }),
      window_(window) {
  locatorBlinkTimer_ = new QTimer(this);
  locatorBlinkTimer_->setObjectName("locatorBlinkTimer");
  locatorBlinkTimer_->setInterval(100);
  connect(locatorBlinkTimer_, &QTimer::timeout, this, &DocumentController::LocatorBlinkTick);
  files_.SetImageOpener([this](Raster image) { OpenImageDialog(std::move(image)); });
}

void DocumentController::Attach(const DocumentPanels& panels) {
  panels_ = panels;
  panels_.Corrector->SizeDetailFrames(document_.CellHeight());
  ConnectPictureWindow();
  ConnectToolWindows();
  connect(panels_.Tools, &ToolBar::EntryChosen, this, &DocumentController::ChooseEntry);
}

void DocumentController::ConnectPictureWindow() {
  PictureWindow* picture = panels_.Picture;
  connect(picture, &PictureWindow::ZoomWheeled, this,
          [this](QPointF at, int notches) { ZoomAround(view_.ZoomLevel() + notches, at); });
  // A press acts on every button held, so holding right and pressing left paints and picks.
  connect(picture, &PictureWindow::CanvasPressed, this, [this](QPoint at, Qt::MouseButtons held) {
    ShowCanvasFeedback(CanvasMouseDown(CanvasState(), ButtonsOf(held), {at.x(), at.y()}));
  });
  connect(picture, &PictureWindow::CanvasMoved, this, [this](QPoint at, Qt::MouseButtons held) {
    const CanvasFeedback feedback = CanvasMouseMove(CanvasState(), ButtonsOf(held), {at.x(), at.y()});
    // The magnifier shows the preview with this move's paint in it.
    view_.Render.RenderTouched(document_.TakeTouched());
    view_.Render.UpdateZoomMagnifier(at.x(), at.y());
    ShowCanvasFeedback(feedback);
  });
  connect(picture, &PictureWindow::CanvasReleased, this, [this] {
    CanvasMouseUp(tools_);
    Present();
  });
}

void DocumentController::ConnectToolWindows() {
  PaletteWindow* palette = panels_.Palette;
  connect(palette, &PaletteWindow::LocatorPressed, this, [this](QPoint at) {
    if (LocateGradientColour(pickerImages_, pickers_.CurrentColours, at.x(), at.y())) {
      locatorBlinkTimer_->start();
    } else {
      locatorBlinkTimer_->stop();
    }
    panels_.Palette->RepaintFullPalette();
  });
  connect(palette, &PaletteWindow::FullPalettePressed, this, [this](QPoint at) {
    PickFullPalette(pickers_, pickerImages_, at.x(), at.y());
    ShowColours();
  });
  connect(palette, &PaletteWindow::StripPressed, this, [this](int row, int x) {
    PickStrip(pickers_, pickerImages_, static_cast<StripKind>(row), x);
    ShowColours();
  });
  connect(palette, &PaletteWindow::ScreenBitChosen, this, [this](int screen, int bit) {
    ApplyCharBits(pickers_, screen, bit);
    ShowEntryMarks();
  });
  connect(palette, &PaletteWindow::EntryChosen, this, &DocumentController::ChooseEntry);

  connect(panels_.BorderPalette, &BorderPaletteWindow::PalettePressed, this, [this](QPoint at) {
    PickBorder(document_, pickerImages_, at.x(), at.y());
    ShowBorderColour();
    panels_.BorderPalette->RepaintPalette();
    Present();  // shows the border in the Flicker window too
  });

  PreviewWindow* preview = panels_.Preview;
  connect(preview, &PreviewWindow::PointerMoved, this, [this](QPoint at) {
    DrawSelectorAt({at.x() / 16, at.y() / 16});
  });
  connect(preview, &PreviewWindow::Pressed, this, &DocumentController::ZoomToSelector);
  // Over the border the selector goes away.
  connect(preview, &PreviewWindow::PointerOverBorder, this, [this] {
    view_.Render.ShowPreview();
    Present();
  });

  connect(panels_.BitmapExport, &BitmapExportWindow::ExportAsked, this, [this](FileKind kind, int sizeIndex) {
    // A failed write leaves the window open for another try.
    if (files_.ExportBitmap(kind, sizeIndex)) panels_.BitmapExport->hide();
  });

  CorrectorWindow* corrector = panels_.Corrector;
  connect(corrector, &CorrectorWindow::CellPressed, this, [this](QPoint at) {
    ChooseCorrectorCell(corrector_, document_.Picture(), CorrectorSurfacesOf(view_.Render), at.x(), at.y());
    panels_.Corrector->RepaintImages();
  });
  connect(corrector, &CorrectorWindow::ExchangeCellsClicked, this, [this] {
    ExchangeCorrectorCell(corrector_, document_);
    RedrawCorrector(corrector_, document_.Picture(), view_.Render);
    panels_.Corrector->RepaintImages();
    Present();
  });
}

void DocumentController::ShowFirstTime() {
  ShowColours();
  ShowEntryMarks();
  // The first full render makes every raster valid.
  view_.Render.Redraw(true);
  Present();
}

// View ----------------------------------------------------------------------

void DocumentController::FollowZoom() {
  panels_.Picture->FollowCanvasSize();
  emit CommandStateChanged();
}

void DocumentController::SetZoom(int level) {
  view_.SetZoom(level);
  FollowZoom();
}

void DocumentController::ZoomAround(int level, QPointF viewPoint) {
  level = std::clamp(level, MinZoomLevel, MaxZoomLevel);
  if (level == view_.ZoomLevel()) return;
  const QPointF picturePoint = panels_.Picture->CanvasPointAt(viewPoint) / view_.Scale();
  SetZoom(level);
  view_.Render.Redraw(true);
  Present();
  panels_.Picture->ShowCanvasPointAt(picturePoint * view_.Scale(), viewPoint);
}

void DocumentController::ZoomAtCentre(int level) { ZoomAround(level, panels_.Picture->ViewCentre()); }

void DocumentController::StepZoom(int steps) { ZoomAtCentre(view_.ZoomLevel() + steps); }

void DocumentController::ToggleCharGrid() {
  view_.SetCharGrid(!view_.Settings().CharGridOn);
  RedrawCanvas();
}

void DocumentController::TogglePixelGrid() {
  view_.SetPixelGrid(!view_.Settings().PixelGridOn);
  RedrawCanvas();
}

void DocumentController::RedrawCanvas() {
  view_.Render.Redraw(true);
  Present();
}

void DocumentController::ShowScreenView(ScreenView shown) {
  view_.SetShown(shown);
  ShowViewState();
  view_.Render.Redraw(false);
  Present();
}

void DocumentController::CycleScreenView() {
  const ScreenView shown = view_.Shown();
  ShowScreenView(shown == ScreenView::Mixed     ? ScreenView::Screen0
                 : shown == ScreenView::Screen0 ? ScreenView::Screen1
                                                : ScreenView::Mixed);
}

void DocumentController::ToggleFlickerMap() {
  view_.SetFlickerMap(!view_.FlickerMapOn());
  view_.Render.Redraw(false);
  ShowViewState();  // after the map's first render, which it counts
  Present();
}

void DocumentController::SetMixing(MixingProfile profile) {
  view_.SetMixing(std::move(profile));
  view_.Render.Redraw(false);
  view_.Render.RefreshMagnifier();
  ShowMixing(pickerImages_, view_.Mixing(), pickers_.CurrentColours, document_.Picture().Border);
  ShowColours();
  ShowBorderColour();
  panels_.BorderPalette->RepaintPalette();
  ShowViewState();
  Present();
}

void DocumentController::ChooseMixingFromFile() {
  // A cancelled or bad file leaves the profile as it was.
  if (auto profile = files_.ChooseMixingProfile()) SetMixing(std::move(*profile));
}

void DocumentController::ShowViewState() {
  panels_.BitmapExport->ShowMixing(QString::fromStdString(view_.Mixing().Name));
  QString flickerMap;
  if (view_.FlickerMapOn()) {
    const Renderer& render = view_.Render;
    const double share =
        100.0 * CountStrongFlicker(render.ScreenRaster0, render.ScreenRaster1) / (PictureWidth * PictureHeight);
    flickerMap = QString("Strong flicker: %1 %").arg(share, 0, 'f', 1);
  }
  const QString names[] = {"Mixed", "Screen 0", "Screen 1"};
  // The menu's checks follow the command that changed the view, not each repaint.
  panels_.Status->ShowScreenView(names[static_cast<int>(view_.Shown())], flickerMap);
}

void DocumentController::DrawSelectorAt(Point cell) {
  // The scroll box's size decides how much of the picture the frame covers.
  const QSize box = panels_.Picture->ScrollBoxSize();
  view_.DrawZoomSelector(cell, box.width(), box.height());
  Present();
}

void DocumentController::ChangeSelectorSize(int delta) {
  if (!view_.SetZoomSelectorSize(view_.ZoomSelectorSize() + delta)) return;
  DrawSelectorAt(view_.ZoomSelectorCell());
}

void DocumentController::ZoomToSelector() {
  SetZoom(view_.ZoomSelectorSize() / 4);  // sizes 8, 12, 16 are the scales of levels 2, 3, 4
  const int scale = view_.Scale();
  view_.Render.Redraw(true);
  Present();
  // The frame's top-left picture pixel becomes the top-left of the view.
  const Point cell = view_.ZoomSelectorCell();
  panels_.Picture->ScrollCanvasTo(scale * cell.X * 8, scale * cell.Y * 8);
  panels_.Preview->hide();
  emit CommandStateChanged();
}

void DocumentController::PreparePreview() {
  ShowBorderColour();
  view_.Render.ShowPreview();
  panels_.Preview->RepaintPreview();
}

void DocumentController::ShowPictureInFlicker() {
  if (!panels_.Flicker->isHidden()) panels_.Flicker->ShowPicture(document_.Picture());
}

// Drawing and colours ---------------------------------------------------------

void DocumentController::ShowCanvasFeedback(const CanvasFeedback& feedback) {
  if (feedback.StatusTexts) panels_.Status->ShowPosition(*feedback.StatusTexts);
  if (feedback.CellPalette) panels_.Status->ShowCellPalette(*feedback.CellPalette);
  if (feedback.ColoursPicked) {
    ShowColours();
    ShowEntryMarks();
  }
  Present();
}

void DocumentController::SelectTool(ToolKind kind) {
  tools_.Current = kind;
  emit CommandStateChanged();
}

void DocumentController::ShowColours() {
  RefreshColourPickers(pickerImages_, pickers_.CurrentColours);
  const ColourSet& c = pickers_.CurrentColours;
  const CharPalette mixed = MakeCharPalette(c.PAP0, c.INK0, c.PAP1, c.INK1, view_.Mixing().Table);
  panels_.Palette->ShowEntryColours(mixed);
  panels_.Tools->ShowEntryColours(mixed);
  panels_.Palette->RepaintFullPalette();
  panels_.Palette->RepaintStrips();
}

void DocumentController::ShowEntryMarks() {
  const int entry = pickers_.SelectedCharColour;
  panels_.Palette->MarkEntry(entry);
  panels_.Tools->MarkEntry(entry);
  panels_.Palette->MarkScreenBits(pickers_.ScreenBit(0), pickers_.ScreenBit(1));
}

void DocumentController::ChooseEntry(int entry) {
  SetCharColour(pickers_, entry);
  ShowEntryMarks();
}

void DocumentController::ShowBorderColour() {
  panels_.Preview->ShowBorderColour(ToQColor(view_.Mixing().BorderColour(document_.Picture())));
}

void DocumentController::RemoveSelection() {
  chromaloom::RemoveSelection(tools_.Selection);
  Present();
}

void DocumentController::Copy() {
  CopySelection(document_, tools_, clipboard_, IsPointerOverPicture());
  Present();
}

void DocumentController::Paste() {
  PasteAtPointer(document_, tools_, clipboard_, IsPointerOverPicture());
  Present();
}

void DocumentController::DeleteSelection() {
  chromaloom::DeleteSelection(document_, tools_.Selection, pickers_);
  Present();
}

void DocumentController::TransformSelection(void (*transform)(chromaloom::Document&, const CellSelection&)) {
  transform(document_, tools_.Selection);
  Present();
}

// The corrector ---------------------------------------------------------------

void DocumentController::PrepareCorrector() {
  // Sized for the current cell height and rendered afresh at each showing.
  panels_.Corrector->SizeDetailFrames(document_.CellHeight());
  RedrawCorrector(corrector_, document_.Picture(), view_.Render);
  panels_.Corrector->RepaintImages();
}

void DocumentController::MarchCorrectorAnts() {
  if (!panels_.Corrector->isVisible()) return;
  view_.DrawCorrectorAnts(CorrectorCellOnImage(document_.Picture(), corrector_));
  const CorrectorCellArea cell = CorrectorCellInPicture(document_.Picture(), corrector_);
  panels_.Corrector->RepaintCell(cell.Column, cell.Row, cell.Height);
}

void DocumentController::LocatorBlinkTick() {
  if (!chromaloom::LocatorBlinkTick(pickerImages_, pickers_.CurrentColours)) locatorBlinkTimer_->stop();
  panels_.Palette->RepaintFullPalette();
}

void DocumentController::MarchAnts() {
  view_.AdvanceAnts();
  MarchCorrectorAnts();
  Present();
}

// The picture's lifecycle ---------------------------------------------------------

void DocumentController::NewPicture(int cellHeight) {
  chromaloom::NewPicture(document_, cellHeight);
  view_.SetZoom(1);  // a new or reshaped picture is shown whole
  FollowZoom();
  Present();
}

void DocumentController::ConvertCellHeight(int cellHeight) {
  chromaloom::ConvertCellHeight(document_, cellHeight);
  view_.SetZoom(1);
  FollowZoom();
  Present();
}

void DocumentController::Undo() {
  if (document_.Undo()) AfterPictureLoaded();
}

void DocumentController::Redo() {
  if (document_.Redo()) AfterPictureLoaded();
}

void DocumentController::AfterPictureLoaded() {
  RefreshBorderPicker(pickerImages_, document_.Picture().Border);
  FollowZoom();
  ShowBorderColour();
  panels_.BorderPalette->RepaintPalette();
  ShowViewState();
  Present();
}

void DocumentController::AfterPictureSaved() {
  panels_.Status->ShowMessage("Saved " + files_.DocumentName());
  FollowDocumentState();
}

void DocumentController::OpenAnyFile(const QString& path) { files_.OpenAnyFile(path); }

void DocumentController::OpenImageDialog(Raster image) {
  ImagePictureOptions preset = importOptions_;
  preset.Conversion.CellHeight = document_.CellHeight();
  auto* dialog = new ImagePictureDialog(std::move(image), preset, window_);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    // OK is enabled only with the result of the options now set.
    if (!dialog->IsResultCurrent()) return;
    importOptions_ = *dialog->ShownOptions();
    TakeConvertedImage(document_, dialog->ShownResult()->Result, dialog->ShownOptions()->Conversion.CellHeight);
    view_.SetZoom(1);
    AfterPictureLoaded();
  });
  dialog->open();
}

QString DocumentController::Caption(const QString& programTitle) {
  const bool modified = document_.IsModified();
  captionNamesPicture_ = captionNamesPicture_ || modified || !document_.FilePath().empty();
  return captionNamesPicture_ ? QString("%1%2 — %3").arg(files_.DocumentName(), modified ? "*" : "", programTitle)
                              : programTitle;
}

void DocumentController::Present() {
  // What the document changed, then the tools' overlay over it.
  view_.Render.RenderTouched(document_.TakeTouched());
  view_.ShowOverlay(CanvasOverlay(tools_, pickers_, view_.Mixing(), view_.Scale(), document_.ValidCellHeight()));
  // The corrector repaints what it drew itself (MarchCorrectorAnts, RepaintImages).
  const Damage damage = view_.Render.TakeDamage();
  // The strong share is counted again only when the picture's rasters changed,
  // not for the ants or a shape being dragged.
  if (damage.Rasters) ShowViewState();
  panels_.Picture->RepaintCanvas(damage.Editor);
  if (damage.Preview) panels_.Preview->RepaintPreview();
  if (damage.Magnifier) panels_.Magnifier->RepaintMagnifier();
  panels_.Status->ShowCellHeightAndZoom(document_.CellHeight(), view_.ZoomLevel());
  ShowPictureInFlicker();
  FollowDocumentState();
}

void DocumentController::FollowDocumentState() {
  // The caption and the Edit menu follow the history, not every move.
  if (document_.Revision() == shownRevision_) return;
  shownRevision_ = document_.Revision();
  emit DocumentStateChanged();
}

}  // namespace chromaloom

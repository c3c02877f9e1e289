#include "window/document_controller.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUuid>

#include <algorithm>
#include <cmath>

#include "editing/drawing.h"
#include "editing/picture_commands.h"
#include "editing/transforms.h"
#include "files/image_files.h"
#include "render/flicker_map.h"
#include "window/bitmap_export_window.h"
#include "window/border_palette_window.h"
#include "window/corrector_window.h"
#include "window/flicker_window.h"
#include "window/image_view.h"
#include "window/installed_font.h"
#include "window/local_paths.h"
#include "window/magnifier_window.h"
#include "window/palette_window.h"
#include "window/picture_window.h"
#include "window/preview_window.h"
#include "window/status_bar.h"
#include "window/tool_bar.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {

// Our own mark beside the image, to tell our copy from another program's.
const QString OwnCopyFormat = QStringLiteral("application/x-chromaloom-copy");

MouseButtons ButtonsOf(Qt::MouseButtons buttons) {
  return {buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
          (buttons & ~(Qt::LeftButton | Qt::RightButton)) != Qt::NoButton,
          QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier)};
}

}  // namespace

DocumentController::DocumentController(QWidget* window)
    : QObject(window), files_(document_, window, *this), window_(window) {
  connect(&colours_, &ColoursController::BorderPicked, this, &DocumentController::Present);  // the Flicker window too
  connect(&corrector_, &CorrectorController::PictureChanged, this, &DocumentController::Present);
}

void DocumentController::Attach(const DocumentPanels& panels) {
  panels_ = panels;
  colours_.Attach({panels.Palette, panels.BorderPalette, panels.Preview, panels.Tools});
  corrector_.Attach(panels.Corrector);
  ConnectPictureWindow();
  ConnectPreview();
}

void DocumentController::ConnectPictureWindow() {
  PictureWindow* picture = panels_.Picture;
  connect(picture, &PictureWindow::ZoomWheeled, this,
          [this](QPointF at, int notches) { ZoomAround(SteppedZoomLevel(view_.ZoomLevel(), notches), at); });
  connect(picture, &PictureWindow::ReferenceMoved, this, [this](QPointF delta) {
    reference_.MoveBy(delta, view_.Scale());
    AfterReferenceChanged();
  });
  connect(picture, &PictureWindow::ReferenceScaled, this, [this](QPointF anchor, double factor) {
    reference_.ScaleAbout(anchor, factor, view_.Scale());
    AfterReferenceChanged();
  });
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

void DocumentController::ConnectPreview() {
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

  connect(panels_.BitmapExport, &BitmapExportWindow::ExportAsked, this, &DocumentController::ExportBitmap);
}

void DocumentController::ShowFirstTime() {
  colours_.ShowColours();
  colours_.ShowEntryMarks();
  // The first full render makes every raster valid.
  view_.Render.Redraw(true);
  Present();
}

// View ----------------------------------------------------------------------

void DocumentController::FollowZoom() {
  panels_.Picture->FollowCanvasSize();
  panels_.Picture->ShowReference(&reference_, view_.Scale());
  emit CommandStateChanged();
}

void DocumentController::SetZoom(int level) {
  view_.SetZoom(level);
  FollowZoom();
}

void DocumentController::ZoomAround(int level, QPointF viewPoint) {
  if (!IsZoomLevel(level) || level == view_.ZoomLevel()) return;
  const QPointF picturePoint = panels_.Picture->CanvasPointAt(viewPoint) / view_.Scale();
  SetZoom(level);
  view_.Render.Redraw(true);
  Present();
  panels_.Picture->ShowCanvasPointAt(picturePoint * view_.Scale(), viewPoint);
}

void DocumentController::ZoomAtCentre(int level) { ZoomAround(level, panels_.Picture->ViewCentre()); }

void DocumentController::StepZoom(int steps) { ZoomAtCentre(SteppedZoomLevel(view_.ZoomLevel(), steps)); }

void DocumentController::ZoomToFit() {
  int level = MaxZoomLevel;
  while (level > MinZoomLevel && !panels_.Picture->ShowsWhole(QSize(PictureWidth, PictureHeight) * ZoomScale(level)))
    level = SteppedZoomLevel(level, -1);
  ZoomAtCentre(level);
}

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
  colours_.FollowMixing();  // the palettes show what the view shows
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
  colours_.FollowMixing();
  ShowViewState();
  Present();
}

void DocumentController::ChooseMixingFromFile() {
  // A cancelled or bad file leaves the profile as it was.
  if (auto profile = files_.ChooseMixingProfile()) SetMixing(std::move(*profile));
}

void DocumentController::ChooseMixingLevels() {
  const MixingProfile& now = view_.Mixing();
  // Levels typed before, else the site's default model without its plain matrix.
  const QString shown = now.Kind == MixingKind::Levels ? QString::fromStdString(now.Name)
                                                       : QString(SiteLevelsText(MixingKind::Srgb)).section(':', 0, 0);
  if (auto profile = files_.ChooseMixingLevels(shown)) SetMixing(std::move(*profile));
}

void DocumentController::ShowViewState() {
  panels_.BitmapExport->ShowMixing(QCoreApplication::translate("Options", view_.Mixing().Name.c_str()));
  QString flickerMap;
  if (view_.FlickerMapOn()) {
    const Renderer& render = view_.Render;
    const double share =
        100.0 * CountStrongFlicker(render.ScreenRaster0, render.ScreenRaster1) / (PictureWidth * PictureHeight);
    flickerMap = QCoreApplication::translate("Editor", "Strong flicker: %1 %").arg(share, 0, 'f', 1);
  }
  const QString names[] = {QCoreApplication::translate("Editor", "Mixed"),
                           QCoreApplication::translate("Editor", "Screen 0"),
                           QCoreApplication::translate("Editor", "Screen 1")};
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
  colours_.ShowBorderColour();
  view_.Render.ShowPreview();
  panels_.Preview->RepaintPreview();
}

void DocumentController::ShowPictureInFlicker() {
  if (!panels_.Flicker->isHidden()) panels_.Flicker->ShowPicture(document_.Picture());
}

// Drawing ---------------------------------------------------------

void DocumentController::ShowCanvasFeedback(const CanvasFeedback& feedback) {
  if (feedback.StatusTexts) panels_.Status->ShowPosition(*feedback.StatusTexts);
  if (feedback.CellPalette) panels_.Status->ShowCellPalette(*feedback.CellPalette);
  if (feedback.ColoursPicked) {
    colours_.ShowColours();
    colours_.ShowEntryMarks();
    colours_.ShowFreeColour();
  }
  if (feedback.ColourNotShown)
    panels_.Status->ShowMessage(
        QCoreApplication::translate("Editor", "No attributes here show the free colour: the nearest is shown"));
  Present();
}

Canvas DocumentController::CanvasState() {
  const ScreenView shown = view_.Shown();
  const Raster& raster = shown == ScreenView::Screen0   ? view_.Render.ScreenRaster0
                         : shown == ScreenView::Screen1 ? view_.Render.ScreenRaster1
                                                        : view_.Render.MixedRaster;
  const PaintScope scope{shown == ScreenView::Screen0   ? 0
                         : shown == ScreenView::Screen1 ? 1
                                                        : -1,
                         &view_.Mixing().Table, importOptions_.Conversion.Metric,
                         importOptions_.Conversion.FlickerWeight,
                         tools_.Current == ToolKind::ConvertBrush ? Converted() : nullptr};
  return {document_, tools_, colours_.Pickers(), view_.Scale(), view_.Mixing(), &raster, scope};
}

void DocumentController::AfterOptionsChanged() {
  Present();
  emit CommandStateChanged();
}

const Planes* DocumentController::Converted() {
  if (reference_.Image.isNull() || document_.ValidCellHeight() == 0) return nullptr;
  ImageConversionOptions options = importOptions_.Conversion;
  options.CellHeight = document_.CellHeight();
  if (converted_ && converted_->Options == options) return &converted_->Result;
  // The reference as it lies over the picture, the picture's own colours where it does not reach.
  QImage laid = WrapRaster(view_.Render.MixedRaster).convertToFormat(QImage::Format_RGB32);
  {
    QPainter painter(&laid);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(reference_.OnCanvas(1), reference_.Image);
  }
  converted_ = ConvertedReference{ConvertImage(RasterFromImage(std::move(laid)), options).Result, options};
  return &converted_->Result;
}

void DocumentController::AfterReferenceChanged() {
  converted_.reset();
  panels_.Picture->ShowReference(&reference_, view_.Scale());
  const QString path = PathFromBytes(document_.FilePath());
  if (!path.isEmpty())
    emit ReferenceChanged(path, reference_.Image.isNull() ? std::nullopt : std::optional(reference_.Place));
  emit CommandStateChanged();
}

void DocumentController::LoadReferenceImage() {
  auto chosen = files_.ChooseReferenceImage();
  if (!chosen) return;
  reference_.Image = WrapRaster(chosen->second).copy();
  reference_.Place = ReferencePlacement();
  reference_.Place.ImagePath = chosen->first;
  reference_.FitPicture(PictureWidth, PictureHeight);
  AfterReferenceChanged();
}

void DocumentController::RestoreReference(const std::optional<ReferencePlacement>& placement) {
  reference_ = {};
  converted_.reset();
  if (placement) {
    if (const auto image = FileCommands::ReadReferenceImage(placement->ImagePath)) {
      reference_.Image = WrapRaster(*image).copy();
      reference_.Place = *placement;
    }
  }
  panels_.Picture->ShowReference(&reference_, view_.Scale());
  emit CommandStateChanged();
}

void DocumentController::ToggleReference() {
  reference_.Place.Shown = !reference_.Place.Shown;
  AfterReferenceChanged();
}

void DocumentController::SetReferenceOpacity(int percent) {
  reference_.Place.Opacity = std::clamp(percent, 0, 100);
  AfterReferenceChanged();
}

void DocumentController::RemoveReference() {
  reference_ = {};
  AfterReferenceChanged();
}

void DocumentController::SetBrushSize(int size) {
  tools_.Options.Brush.Size = std::clamp(size, 1, MaxBrushSize);
  AfterOptionsChanged();
}

void DocumentController::SetBrushShape(BrushShape shape) {
  tools_.Options.Brush.Shape = shape;
  AfterOptionsChanged();
}

void DocumentController::SetPattern(Pattern pattern) {
  tools_.Options.Pattern = pattern;
  AfterOptionsChanged();
}

void DocumentController::ChoosePatternEntry(int entry) {
  colours_.Pickers().PatternEntry = std::clamp(entry, 0, 3);
  colours_.Pickers().LastPaintedSpot = {};
  AfterOptionsChanged();
}

void DocumentController::SetSymmetry(SymmetryMode mode) {
  tools_.Options.Symmetry.Mode = mode;
  AfterOptionsChanged();
}

void DocumentController::MoveSymmetryAxesToPointer() {
  MoveAxesTo(tools_, view_.Scale());
  AfterOptionsChanged();
}

void DocumentController::ToggleFilled() {
  tools_.Options.Filled = !tools_.Options.Filled;
  AfterOptionsChanged();
}

void DocumentController::ChooseTextFont() {
  bool chosen = false;
  QFont start = tools_.Face ? static_cast<const InstalledTextFace&>(*tools_.Face).Font() : QFont();
  if (!tools_.Face) start.setPointSize(12);
  QFont font = QFontDialog::getFont(&chosen, start, window_,
                                    QCoreApplication::translate("Editor", "Text Font (the size in picture pixels)"));
  if (!chosen) return;
  tools_.Face = std::make_shared<InstalledTextFace>(font);
  if (tools_.Text) TypeText(CanvasState(), {});  // the letters so far in the new font
  AfterOptionsChanged();
}

void DocumentController::UseBuiltinFont() {
  tools_.Face.reset();
  if (tools_.Text) TypeText(CanvasState(), {});
  AfterOptionsChanged();
}

bool DocumentController::TypeTextKey(const QKeyEvent& key) {
  if (!tools_.Text) return false;
  const Qt::KeyboardModifiers held = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (held != Qt::NoModifier) return false;  // Ctrl+Z and the like stay commands
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CommitText(tools_);
      break;
    case Qt::Key_Escape:
      CancelText(tools_);
      break;
    case Qt::Key_Backspace:
      EraseLetter(CanvasState());
      break;
    default: {
      const QString text = key.text();
      if (text.isEmpty() || !text.at(0).isPrint()) return false;
      const QList<uint> letters = text.toUcs4();
      TypeText(CanvasState(), std::u32string(letters.begin(), letters.end()));
    }
  }
  Present();
  emit CommandStateChanged();
  return true;
}

void DocumentController::SelectTool(ToolKind kind) {
  CommitText(tools_);
  tools_.Current = kind;
  if (kind == ToolKind::ConvertBrush && reference_.Image.isNull())
    panels_.Status->ShowMessage(QCoreApplication::translate(
        "Editor", "The convert brush paints a reference image: View > Reference Image first"));
  CancelPaste();
  emit CommandStateChanged();
}

void DocumentController::RemoveSelection() {
  chromaloom::RemoveSelection(tools_.Selection);
  Present();
}

void DocumentController::Copy() {
  CopySelection(document_, tools_, clipboard_, IsPointerOverPicture());
  const int h = document_.ValidCellHeight();
  PutOnSystemClipboard(MixedArea(document_.Picture(), ClipboardArea(clipboard_, h), view_.Mixing()));
  Present();
}

void DocumentController::PutOnSystemClipboard(const Raster& image) {
  // Cells wholly off the picture make no image; the clipboard keeps what it had.
  if (image.Width() == 0) return;
  const QImage shown(reinterpret_cast<const uchar*>(image.Pixels().data()), image.Width(), image.Height(),
                     static_cast<qsizetype>(image.Width()) * 4, QImage::Format_RGB32);
  auto* data = new QMimeData;
  data->setImageData(shown.copy());  // the raster is gone before the clipboard is read
  // Spelled out too, for programs that ask for PNG bytes by name.
  try {
    const std::vector<std::uint8_t> png = EncodeBitmap(image, FileKind::Png, PngPacking::Fast);
    data->setData("image/png",
                  QByteArray(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size())));
  } catch (const FileError&) {
    // The image itself is there; the platform makes PNG bytes of it when asked.
  }
  ownCopyMark_ = QUuid::createUuid().toByteArray();
  data->setData(OwnCopyFormat, ownCopyMark_);
  QGuiApplication::clipboard()->setMimeData(data);
}

QImage DocumentController::ForeignClipboardImage() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasImage()) return {};
  if (!ownCopyMark_.isEmpty() && data->data(OwnCopyFormat) == ownCopyMark_) return {};
  return qvariant_cast<QImage>(data->imageData());
}

Point DocumentController::TopLeftCellInView(int h) const {
  const QPointF corner = panels_.Picture->CanvasPointAt({0, 0});
  const int z = view_.Scale();
  // A canvas smaller than the view sits inside it, left of and below its corner.
  const int x = std::max(0, static_cast<int>(std::ceil(corner.x())));
  const int y = std::max(0, static_cast<int>(std::ceil(corner.y())));
  return {std::min(FloorDiv(x + 8 * z - 1, 8 * z), ByteColumns - 1),
          std::min(FloorDiv(y + h * z - 1, h * z), PictureHeight / h - 1)};
}

void DocumentController::Paste() {
  if (const QImage image = ForeignClipboardImage(); !image.isNull()) {
    if (image.width() > MaxImageSide || image.height() > MaxImageSide ||
        static_cast<long long>(image.width()) * image.height() > MaxImagePixels) {
      files_.ShowError(
          QCoreApplication::translate("Editor",
                                      "The image on the clipboard is %1 x %2 pixels; at most %3 on a side and 64 "
                                      "megapixels are taken.")
              .arg(image.width())
              .arg(image.height())
              .arg(MaxImageSide));
      return;
    }
    Raster raster = RasterFromImage(image);
    if (raster.Width() == 0) {
      files_.ShowError(
          QCoreApplication::translate("Editor", "There is not enough memory to take the image on the clipboard."));
      return;
    }
    CancelPaste();
    OpenImageDialog(std::move(raster));
    return;
  }
  const int h = document_.ValidCellHeight();
  if (h == 0) {
    panels_.Status->ShowMessage(
        QCoreApplication::translate("Editor", "Nothing can be pasted into a picture with a damaged cell height"));
    return;
  }
  const Point cell = IsPointerOverPicture() ? CellUnderPointer(tools_, h) : TopLeftCellInView(h);
  if (!BeginFloatingPaste(tools_, clipboard_, cell)) {
    panels_.Status->ShowMessage(QCoreApplication::translate("Editor", "Nothing to paste: copy a selection first"));
    return;
  }
  panels_.Status->ShowMessage(QCoreApplication::translate("Editor", "Click or Enter places the paste, Esc cancels it"));
  pasteHintShown_ = true;
  Present();
}

void DocumentController::PlacePaste() {
  PlaceFloatingPaste(document_, tools_);
  Present();
}

void DocumentController::CancelPaste() {
  if (!tools_.Floating) return;
  CancelFloatingPaste(tools_);
  Present();
}

void DocumentController::DeleteSelection() {
  chromaloom::DeleteSelection(document_, tools_.Selection, colours_.Pickers());
  Present();
}

void DocumentController::TransformSelection(void (*transform)(chromaloom::Document&, const CellSelection&)) {
  transform(document_, tools_.Selection);
  Present();
}

void DocumentController::RotateSelection() {
  RotateSelection90cw(document_, tools_.Selection, colours_.Pickers());
  Present();
}

void DocumentController::MarchAnts() {
  view_.AdvanceAnts();
  corrector_.MarchAnts();
  Present();
}

// The picture's lifecycle ---------------------------------------------------------

void DocumentController::NewPicture(int cellHeight) {
  CancelFloatingPaste(tools_);
  chromaloom::NewPicture(document_, cellHeight);
  view_.SetZoom(1);  // a new or reshaped picture is shown whole
  FollowZoom();
  Present();
}

void DocumentController::ConvertCellHeight(int cellHeight) {
  CancelFloatingPaste(tools_);
  chromaloom::ConvertCellHeight(document_, cellHeight);
  view_.SetZoom(1);
  FollowZoom();
  Present();
}

void DocumentController::Undo() {
  CommitText(tools_);
  CancelPaste();
  if (document_.Undo()) AfterPictureLoaded();
}

void DocumentController::Redo() {
  CommitText(tools_);
  CancelPaste();
  if (document_.Redo()) AfterPictureLoaded();
}

void DocumentController::AfterPictureLoaded() {
  CancelFloatingPaste(tools_);
  colours_.FollowBorder();
  FollowZoom();
  ShowViewState();
  Present();
}

void DocumentController::PictureRead(const QString& path, FileKind kind, const ImportedPicture& picture) {
  TakeImportedPicture(document_, colours_.Images(), picture);
  // An .mgs is opened: the picture is that file's now. Any other kind is
  // imported into the picture as one more change.
  if (kind == FileKind::Mgs) document_.StartNewHistory(PathBytes(path));
  view_.SetZoom(1);  // a picture taken in is shown whole
  emit FileUsed(path);
  if (!picture.Notes.empty()) {
    QStringList notes;
    for (const UserText& note : picture.Notes) notes.push_back(ShownText(note));
    panels_.Status->ShowMessage(QFileInfo(path).fileName() + ": " + notes.join("; "));
  }
  if (kind == FileKind::Mgs) emit ReferenceWanted(path);
  AfterPictureLoaded();
}

void DocumentController::SampleRead(const ImportedPicture& picture) {
  TakeImportedPicture(document_, colours_.Images(), picture);
  // Untitled and unmodified: closing asks nothing, Save asks for a name, and
  // the recent files never point into the installed copy.
  document_.StartNewHistory({});
  view_.SetZoom(1);
  panels_.Status->ShowMessage(
      QCoreApplication::translate("Editor", "Sample picture: Save asks for a name of your own"));
  AfterPictureLoaded();
}

void DocumentController::ImageRead(const QString& path, Raster image) {
  emit FileUsed(path);
  OpenImageDialog(std::move(image));
}

void DocumentController::PictureSaved(const QString& path) {
  document_.MarkSaved(PathBytes(path));
  emit FileUsed(path);
  // Kept for the file it was saved as too.
  if (!reference_.Image.isNull()) emit ReferenceChanged(path, reference_.Place);
  panels_.Status->ShowMessage(QCoreApplication::translate("Editor", "Saved %1").arg(files_.DocumentName()));
  FollowDocumentState();
}

void DocumentController::FileExported(const QString& path) {
  panels_.Status->ShowMessage(QCoreApplication::translate("Editor", "Exported %1").arg(QFileInfo(path).fileName()));
}

void DocumentController::ExportBitmap(FileKind kind, int sizeIndex) {
  // A failed write leaves the window open for another try.
  if (files_.ExportBitmap(kind, sizeIndex, view_.Mixing())) panels_.BitmapExport->hide();
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
    // The picture is shown as it was made to be seen.
    if (view_.Mixing().Table != importOptions_.Conversion.Mixing.Table) SetMixing(importOptions_.Conversion.Mixing);
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
  // The hint goes with the float, however it ended.
  if (pasteHintShown_ && !tools_.Floating) {
    panels_.Status->ShowMessage({});
    pasteHintShown_ = false;
  }
  // What the document changed, then the tools' overlay over it.
  view_.Render.RenderTouched(document_.TakeTouched());
  view_.ShowOverlay(CanvasOverlay(document_.Picture(), tools_, colours_.Pickers(), view_.Mixing(), view_.Scale(),
                                  document_.ValidCellHeight()));
  // The corrector repaints what it drew itself (its ants, its images).
  const Damage damage = view_.Render.TakeDamage();
  // The strong share is counted again only when the picture's rasters changed,
  // not for the ants or a shape being dragged.
  if (damage.Rasters) ShowViewState();
  panels_.Picture->RepaintCanvas(damage.Editor);
  if (damage.Preview) panels_.Preview->RepaintPreview();
  if (damage.Magnifier) panels_.Magnifier->RepaintMagnifier();
  panels_.Status->ShowCellHeightAndZoom(document_.CellHeight(), view_.ZoomLevel());
  const CellSelection& selection = tools_.Selection;
  panels_.Status->ShowSelectionSize(selection.Shown ? QSize(selection.Width, selection.Height) : QSize());
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

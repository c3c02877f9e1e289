// The picture being edited: the document, its view, the tools and the
// clipboard, the picture's lifecycle (new, open, import, change cell height,
// save, the unsaved-changes question) and Present, which brings the panels
// up to date with what changed. The file commands and the dialogs report
// here; the colours and the corrector have controllers of their own.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "editing/canvas_tools.h"
#include "editing/clipboard.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "render/view.h"
#include "window/colours_controller.h"
#include "window/corrector_controller.h"
#include "window/file_commands.h"
#include "window/image_picture_dialog.h"
#include "window/reference_image.h"

class QImage;
class QKeyEvent;
class QWidget;

namespace chromaloom {

class BitmapExportWindow;
class BorderPaletteWindow;
class CorrectorWindow;
class FlickerWindow;
class MagnifierWindow;
class PaletteWindow;
class PictureWindow;
class PreviewWindow;
class StatusBar;
class ToolBar;

// The widgets the controller shows the picture and its state in.
struct DocumentPanels {
  PictureWindow* Picture = nullptr;
  PaletteWindow* Palette = nullptr;
  BorderPaletteWindow* BorderPalette = nullptr;
  BitmapExportWindow* BitmapExport = nullptr;
  PreviewWindow* Preview = nullptr;
  MagnifierWindow* Magnifier = nullptr;
  CorrectorWindow* Corrector = nullptr;
  FlickerWindow* Flicker = nullptr;
  StatusBar* Status = nullptr;
  ToolBar* Tools = nullptr;
};

class DocumentController : public QObject, private FileReports {
  Q_OBJECT
 public:
  // window: the parent of the dialogs and message boxes.
  explicit DocumentController(QWidget* window);

  chromaloom::Document& Document() { return document_; }
  const chromaloom::Document& Document() const { return document_; }
  chromaloom::View& View() { return view_; }
  const chromaloom::View& View() const { return view_; }
  ToolState& Tools() { return tools_; }
  const ToolState& Tools() const { return tools_; }
  ColoursController& Colours() { return colours_; }
  const ColoursController& Colours() const { return colours_; }
  CorrectorController& Corrector() { return corrector_; }
  FileCommands& Files() { return files_; }
  const FileCommands& Files() const { return files_; }
  ImagePictureOptions& ImportOptions() { return importOptions_; }

  // Connects the panels' reports; the panels are made from this controller's images.
  void Attach(const DocumentPanels& panels);
  // Asked whether the pointer is over the picture (paste and copy go there).
  void SetPointerOverPicture(std::function<bool()> over) { pointerOverPicture_ = std::move(over); }
  // The first full render, once the window shows.
  void ShowFirstTime();

  // View.
  void SetZoom(int level);
  // A level of ZoomLevels (others change nothing), the picture point at a point of the view kept there.
  void ZoomAround(int level, QPointF viewPoint);
  void ZoomAtCentre(int level);
  void StepZoom(int steps);
  // The largest level at which the whole picture shows in the picture window.
  void ZoomToFit();
  void ToggleCharGrid();
  void TogglePixelGrid();
  void ShowScreenView(ScreenView shown);
  void CycleScreenView();
  void ToggleFlickerMap();
  void SetMixing(MixingProfile profile);
  void ChooseMixingFromFile();
  void ChooseMixingLevels();
  void RedrawCanvas();
  void ChangeSelectorSize(int delta);

  // Drawing.
  void SelectTool(ToolKind kind);
  // The tools' options: brush size 1..MaxBrushSize and shape, pattern and
  // its second entry, symmetry and its axes, filled shapes, the text font.
  void SetBrushSize(int size);
  void StepBrushSize(int steps) { SetBrushSize(tools_.Options.Brush.Size + steps); }
  void SetBrushShape(BrushShape shape);
  void SetPattern(Pattern pattern);
  void ChoosePatternEntry(int entry);
  void SetSymmetry(SymmetryMode mode);
  void MoveSymmetryAxesToPointer();
  void ToggleFilled();
  // An installed font at a size in picture pixels, drawn without smoothing; or the built-in one.
  void ChooseTextFont();
  void UseBuiltinFont();
  // The reference image over the canvas: loaded (fitted over the picture),
  // shown or hidden, faded by steps of 10 % or to a value, dropped.
  const ReferenceImage& Reference() const { return reference_; }
  void LoadReferenceImage();
  void ToggleReference();
  void SetReferenceOpacity(int percent);
  void StepReferenceOpacity(int steps) { SetReferenceOpacity(reference_.Place.Opacity + 10 * steps); }
  void RemoveReference();
  // As the settings kept it for the picture's file; nullopt: none.
  void RestoreReference(const std::optional<ReferencePlacement>& placement);
  // A key while a text is typed: letters, Backspace, Enter (commit) and Esc
  // (cancel) go to the text; returns whether the key was taken.
  bool TypeTextKey(const QKeyEvent& key);
  void EndShape() { tools_.ShapeInProgress = false; }
  void RemoveSelection();
  // Copies the selection's cells, and puts a PNG of their mixed colours on
  // the system clipboard.
  void Copy();
  // An image another program put on the system clipboard opens the import
  // dialog; otherwise the copied cells float under the pointer (at the top-left
  // cell in view when the pointer is away) until placed or cancelled.
  void Paste();
  bool PasteFloats() const { return tools_.Floating.has_value(); }
  void PlacePaste();
  void CancelPaste();
  void DeleteSelection();
  void TransformSelection(void (*transform)(chromaloom::Document&, const CellSelection&));
  // The quarter turn; what it leaves uncovered is cleared as Delete clears it.
  void RotateSelection();

  // The picture's lifecycle.
  void NewPicture(int cellHeight);
  void ConvertCellHeight(int cellHeight);
  void Undo();
  void Redo();
  void OpenAnyFile(const QString& path);
  // The import dialog for an image read from a file; OK replaces the picture.
  void OpenImageDialog(Raster image);
  void ExportBitmap(FileKind kind, int sizeIndex);

  // What a panel needs before it shows.
  void PreparePreview();
  void ShowPictureInFlicker();
  // The 100 ms tick: the ants march.
  void MarchAnts();

  // The caption of the window: the picture's name, * while modified.
  QString Caption(const QString& programTitle);
  // Repaints what the core changed since the last call.
  void Present();

 signals:
  // The document's name, modified mark or history changed.
  void DocumentStateChanged();
  // A command ran that may change what a menu item or a button shows.
  void CommandStateChanged();
  // A file was opened, imported or saved (not exported).
  void FileUsed(const QString& path);
  // The picture file's reference image changed (nullopt: none), to keep for it.
  void ReferenceChanged(const QString& picturePath, const std::optional<ReferencePlacement>& placement);
  // A picture file was opened: its reference image, if one was kept, is wanted.
  void ReferenceWanted(const QString& picturePath);

 private:
  void PictureRead(const QString& path, FileKind kind, const ImportedPicture& picture) override;
  void SampleRead(const ImportedPicture& picture) override;
  void ImageRead(const QString& path, Raster image) override;
  void PictureSaved(const QString& path) override;
  void FileExported(const QString& path) override;

  void ConnectPictureWindow();
  void ConnectPreview();
  void FollowZoom();
  void AfterPictureLoaded();
  // Tells the window when the name, the modified mark or the history changed.
  void FollowDocumentState();
  void ShowViewState();
  void ShowCanvasFeedback(const CanvasFeedback& feedback);
  void DrawSelectorAt(Point cell);
  void ZoomToSelector();
  bool IsPointerOverPicture() const { return pointerOverPicture_ && pointerOverPicture_(); }
  // The cell at the top-left corner of the picture window's view, in rows of h lines.
  Point TopLeftCellInView(int h) const;
  // An image on the system clipboard that our last copy did not put there; null when none.
  QImage ForeignClipboardImage() const;
  void PutOnSystemClipboard(const Raster& image);
  Canvas CanvasState();
  // The canvas shows the reference as it is now, and the settings keep it.
  void AfterReferenceChanged();
  // Options changed: the overlay, the buttons and the menus follow.
  void AfterOptionsChanged();

  chromaloom::Document document_;
  chromaloom::View view_{document_.Picture()};  // shows document_, so built after it
  ToolState tools_;
  ReferenceImage reference_;
  // The reference image converted as the import would, for the convert
  // brush: made when the brush first needs it, dropped when the reference,
  // the cell height or the import's options change.
  struct ConvertedReference {
    Planes Result;
    ImageConversionOptions Options;  // the cell height included
  };
  std::optional<ConvertedReference> converted_;
  const Planes* Converted();
  ColoursController colours_{document_, view_, this};  // children, so tests find their timers
  CorrectorController corrector_{document_, view_, this};
  PictureClipboard clipboard_;
  QByteArray ownCopyMark_;  // marks what our last copy put on the system clipboard
  FileCommands files_;
  ImagePictureOptions importOptions_;  // the import dialog's last accepted options, offered again
  QWidget* window_;
  DocumentPanels panels_;
  std::function<bool()> pointerOverPicture_;
  bool pasteHintShown_ = false;                      // the status bar tells how to place the floating paste
  bool captionNamesPicture_ = false;                 // from the first open, save or change on
  std::uint64_t shownRevision_ = ~std::uint64_t{0};  // the document's revision the caption and menus show
};

}  // namespace chromaloom

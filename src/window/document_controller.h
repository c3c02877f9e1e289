// The picture being edited and everything that works on it: the document,
// its view, the tools, the colour pickers, the clipboard and the corrector's
// cell, the picture's lifecycle (new, open, import, change cell height,
// save, the unsaved-changes question) and Present, which brings the panels
// up to date with what changed. The file commands and the dialogs report
// here; the window only composes.
#pragma once

#include <QObject>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

#include "editing/canvas_tools.h"
#include "editing/clipboard.h"
#include "editing/colour_corrector.h"
#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "render/view.h"
#include "window/file_commands.h"
#include "window/image_picture_dialog.h"

class QTimer;
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

class DocumentController : public QObject {
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
  chromaloom::Pickers& Pickers() { return pickers_; }
  const chromaloom::Pickers& Pickers() const { return pickers_; }
  PickerImages& Images() { return pickerImages_; }
  CorrectorState& Corrector() { return corrector_; }
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
  // A level clamped to the zoom range, the picture point at a point of the view kept there.
  void ZoomAround(int level, QPointF viewPoint);
  void ZoomAtCentre(int level);
  void StepZoom(int steps);
  void ToggleCharGrid();
  void TogglePixelGrid();
  void ShowScreenView(ScreenView shown);
  void CycleScreenView();
  void ToggleFlickerMap();
  void SetMixing(MixingProfile profile);
  void ChooseMixingFromFile();
  void RedrawCanvas();
  void ChangeSelectorSize(int delta);

  // Drawing and colours.
  void SelectTool(ToolKind kind);
  void EndShape() { tools_.ShapeInProgress = false; }
  void TogglePix() { pickers_.EditModePix = !pickers_.EditModePix; }
  void ToggleRgb() { pickers_.EditModeRgb = !pickers_.EditModeRgb; }
  void ChooseEntry(int entry);
  void RemoveSelection();
  void Copy();
  void Paste();
  void DeleteSelection();
  void TransformSelection(void (*transform)(chromaloom::Document&, const CellSelection&));

  // The picture's lifecycle.
  void NewPicture(int cellHeight);
  void ConvertCellHeight(int cellHeight);
  void Undo();
  void Redo();
  void OpenAnyFile(const QString& path);
  // The import dialog for an image read from a file; OK replaces the picture.
  void OpenImageDialog(Raster image);

  // What a panel needs before it shows.
  void PrepareCorrector();
  void PreparePreview();
  void ShowPictureInFlicker();
  // The 100 ms ticks: the ants march; the gradient locator's cells blink.
  void MarchAnts();
  void LocatorBlinkTick();

  // The caption of the window: the picture's name, * while modified.
  QString Caption(const QString& programTitle);
  // Repaints what the core changed since the last call.
  void Present();

 signals:
  // The document's name, modified mark or history changed.
  void DocumentStateChanged();
  // A command ran that may change what a menu item or a button shows.
  void CommandStateChanged();

 private:
  void ConnectPictureWindow();
  void ConnectToolWindows();
  void FollowZoom();
  void AfterPictureLoaded();
  void AfterPictureSaved();
  // Tells the window when the name, the modified mark or the history changed.
  void FollowDocumentState();
  void ShowViewState();
  void ShowCanvasFeedback(const CanvasFeedback& feedback);
  void ShowColours();
  void ShowEntryMarks();
  void ShowBorderColour();
  void DrawSelectorAt(Point cell);
  void ZoomToSelector();
  void MarchCorrectorAnts();
  bool IsPointerOverPicture() const { return pointerOverPicture_ && pointerOverPicture_(); }
  Canvas CanvasState() { return {document_, tools_, pickers_, view_.Scale(), view_.Mixing()}; }

  chromaloom::Document document_;
  chromaloom::View view_{document_.Picture()};  // shows document_, so built after it
  ToolState tools_;
  chromaloom::Pickers pickers_;
  PickerImages pickerImages_;
  PictureClipboard clipboard_;
  CorrectorState corrector_;
  FileCommands files_;
  ImagePictureOptions importOptions_;  // the import dialog's last accepted options, offered again
  QWidget* window_;
  DocumentPanels panels_;
  QTimer* locatorBlinkTimer_ = nullptr;
  std::function<bool()> pointerOverPicture_;
  bool captionNamesPicture_ = false;                 // from the first open, save or change on
  std::uint64_t shownRevision_ = ~std::uint64_t{0};  // the document's revision the caption and menus show
};

}  // namespace chromaloom

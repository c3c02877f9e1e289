// The one main window. It composes the menu, the tool bar, the status bar,
// the picture window and the tool windows, and is the place where what the
// user does meets the core: every panel only shows and reports.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QPointF>
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editing/canvas_tools.h"
#include "editing/clipboard.h"
#include "editing/colour_corrector.h"
#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "render/view.h"
#include "window/file_commands.h"
#include "window/image_picture_dialog.h"
#include "window/key_table.h"
#include "window/pointer_device.h"
#include "window/user_dialogs.h"

class QAction;
class QKeyEvent;
class QTimer;

namespace chromaloom {

class BitmapExportWindow;
struct MenuItem;
class BorderPaletteWindow;
class CorrectorWindow;
class EditorSettings;
class FlickerWindow;
class MagnifierWindow;
class PaletteWindow;
class PanelDragger;
class PictureWindow;
class PreviewWindow;
class RecentFiles;
struct RememberedSettings;
class StatusBar;
class ToolBar;
enum class ToolBarButton;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // args are the command-line arguments after the program name; settingsFile
  // keeps what the editor remembers between runs (empty: nothing is kept).
  explicit MainWindow(const QStringList& args, const QString& settingsFile = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The editing state the window owns, one of each.
  Document& Doc() { return document_; }
  View& Display() { return view_; }
  ToolState& Tools() { return tools_; }
  Pickers& Colours() { return pickers_; }
  PickerImages& Images() { return pickerImages_; }
  CorrectorState& Corrector() { return corrector_; }
  // Where the open and the save dialog start.
  QString DialogFolder() const { return files_.OpenDialogStart().Folder; }
  QString SaveDialogFolder() const { return files_.SaveDialogStart().Folder; }
  const QString& ProgramFolder() const { return files_.ProgramFolder(); }
  void SetProgramFolder(const QString& folder) { files_.SetProgramFolder(folder); }
  void SetUserPreviewFolder(const QString& folder) { files_.SetUserPreviewFolder(folder); }
  // The step that asks the user; replaced to drive the commands with answers.
  void SetDialogs(std::unique_ptr<UserDialogs> dialogs) { files_.SetDialogs(std::move(dialogs)); }
  // The pointer the keyboard drives; replaced to watch it.
  void SetPointerDevice(std::unique_ptr<PointerDevice> pointer) { pointer_ = std::move(pointer); }
  // Reports the time to the canvas's first paint on stderr, then quits.
  void ProbeStartup(QElapsedTimer sinceLaunch);

  // View.
  void SetZoom(int level);
  // Ctrl+wheel, the View menu and the zoom buttons: a level clamped to
  // 1..4, the picture point at a point of the view kept there.
  void ZoomAround(int level, QPointF viewPoint);
  void StepZoom(int steps);
  void ToggleCharGrid();
  void TogglePixelGrid();
  void ToggleMaximised();
  bool IsPictureMaximised() const;
  QRect FloatingBounds() const;
  void TogglePreviewWindow();
  void ToggleMagnifier();
  // View > Flicker: the screens alternating on the display's refresh.
  void ToggleFlickerWindow();

  // Help > Keys and Help > About.
  void ShowKeysHelp();
  void ShowAbout();

  // What the canvas shows, the flicker map over it and the mixing profile
  // of the canvas, preview, magnifier, palettes and bitmap export.
  void ShowScreenView(ScreenView shown);
  void CycleScreenView();
  void ToggleFlickerMap();
  void SetMixing(MixingProfile profile);

  // Drawing and colours.
  void SelectTool(ToolKind kind);
  void TogglePaletteWindow();
  void ToggleBorderPaletteWindow();
  void TogglePix();
  void ToggleRgb();
  void Undo();
  void Redo();
  // File > Save, Save As and Quit; the saves report whether the picture was written.
  bool Save();
  bool SaveAs();
  void Quit();

  // File > New and File > Change char size.
  void NewPicture(int cellHeight);
  void ConvertCellHeight(int cellHeight);
  // Opens a file as Open or the matching import would (a drop, for one).
  void OpenAnyFile(const QString& path);
  // The image import dialog for an image read from a file; OK replaces the picture.
  void OpenImageDialog(Raster image);

  // The 100 ms tick: the ants march.
  void AntsTimerTick();
  // One blink of the gradient locator's cells on the full palette.
  void LocatorBlinkTimerTick();
  // Keys reach the window before any control; returns whether a row matched.
  // A key no row matches does nothing at all.
  bool KeyPressed(const QKeyEvent& event);
  void KeyReleased(const QKeyEvent& event);
  int PointerStepCount() const { return pointerStepCount_; }

  // Repaints what the core changed since the last call.
  void Present();

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  void SetUpViewActions();
  void ChooseMixingFromFile();
  // The View menu's checks, the status bar and the export panel follow the view.
  void ShowViewState();
  std::vector<MenuItem> ImportItems();
  std::vector<MenuItem> ExportItems();
  void CreatePanels();
  void ConnectToolBar();
  void ConnectPictureWindow();
  void ConnectToolWindows();
  void LayoutClientArea();
  QRect WorkArea() const;
  void FollowZoom();
  void AfterPictureLoaded();
  void AfterPictureSaved();
  // The caption, the Edit menu's undo and redo items and Ctrl+N follow the document.
  void ShowDocumentState();
  // The menu's actions by object name.
  QAction* Action(const char* name) const;

  // What the editor remembers between runs: read at start, written at close.
  void RestoreSettings();
  RememberedSettings CurrentSettings() const;

  void OnToolBarButton(ToolBarButton id);
  void RunKeyCommand(KeyCommand command);
  void StepPointer(int dx, int dy);
  void MovePointerBy(int dx, int dy);
  bool IsPointerOverPicture() const;
  // Runs a command on the picture or its view, then repaints what it changed.
  void RunPictureCommand(const std::function<void()>& command);
  Canvas CanvasState() { return {document_, tools_, pickers_, view_.Scale(), view_.Mixing()}; }

  void ShowCanvasFeedback(const CanvasFeedback& feedback);
  void ShowColours();
  void ShowEntryMarks();
  void ChooseEntry(int entry);
  void ShowBorderColour();
  // The flicker window follows the picture while it is shown.
  void ShowPictureInFlicker();
  void ChangeSelectorSize(int delta);
  void DrawSelectorAt(Point cell);
  void ZoomToSelector();
  void ToggleCorrector();
  void MarchCorrectorAnts();

  Document document_;
  View view_{document_.Picture()};  // shows document_, so built after it
  ToolState tools_;
  Pickers pickers_;
  PickerImages pickerImages_;
  PictureClipboard clipboard_;
  CorrectorState corrector_;
  FileCommands files_;
  std::unique_ptr<EditorSettings> settings_;
  RecentFiles* recentFiles_ = nullptr;
  // The import dialog's last accepted options, offered again.
  ImagePictureOptions importOptions_;
  // Named on the command line; opened once the window shows.
  std::optional<QString> startupFile_;
  std::unique_ptr<PointerDevice> pointer_;
  int pointerStepCount_ = 0;
  // The last real release, so a held key's repeat that comes as a release
  // and a press at the same moment keeps the pointer's pace.
  struct KeyRelease {
    int Key = 0;
    unsigned long Time = 0;
    int PointerStepCount = 0;
  };
  std::optional<KeyRelease> lastRelease_;
  bool shownOnce_ = false;
  bool captionNamesPicture_ = false;  // from the first open, save or change on
  std::uint64_t shownRevision_ = ~std::uint64_t{0};  // the document's revision the caption and menus show

  QHash<QString, QAction*> actions_;
  PanelDragger* dragger_ = nullptr;
  QWidget* clientArea_ = nullptr;
  QWidget* workSpace_ = nullptr;
  ToolBar* toolBar_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  PictureWindow* pictureWindow_ = nullptr;
  PaletteWindow* paletteWindow_ = nullptr;
  BorderPaletteWindow* borderPaletteWindow_ = nullptr;
  BitmapExportWindow* bitmapExportWindow_ = nullptr;
  PreviewWindow* previewWindow_ = nullptr;
  MagnifierWindow* magnifierWindow_ = nullptr;
  CorrectorWindow* correctorWindow_ = nullptr;
  FlickerWindow* flickerWindow_ = nullptr;
  QTimer* antsTimer_ = nullptr;
  QTimer* locatorBlinkTimer_ = nullptr;
};

}  // namespace chromaloom

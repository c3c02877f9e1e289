// The one main window: menu, tool bar, status bar, the picture window with
// its scroll box and canvas, and the floating tool panels.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "editing/canvas_tools.h"
#include "editing/colour_selection.h"
#include "editing/editor.h"
#include "formats/file_names.h"
#include "window/pointer_device.h"
#include "window/user_dialogs.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTimer;
class QToolButton;

namespace chromaloom {

class CaptionStrip;
class ClickablePanel;
class CorrectorPanel;
class FreePanel;
class ImageView;
class PanelDragger;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // args are the command-line arguments after the program name.
  explicit MainWindow(const QStringList& args, QWidget* parent = nullptr);
  ~MainWindow() override;

  Editor& Core() { return editor_; }
  // The error of a start-up file that could not be opened, for a message box.
  const QString& StartupError() const { return startupError_; }
  // Where the open and save dialogs start.
  const QString& DialogFolder() const { return OpenDialog1.Folder; }
  // The folder of the program file, with a trailing separator.
  const QString& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
  // The step that asks the user; replaced to drive the commands with answers.
  void SetDialogs(std::unique_ptr<UserDialogs> dialogs) { dialogs_ = std::move(dialogs); }
  // Reports the time to the canvas's first paint on stderr, then quits.
  void ProbeStartup(QElapsedTimer sinceLaunch);

  // View.
  void SetZoom(int level);
  void CentreEditor();
  void ToggleCharGrid();
  void TogglePixelGrid();
  void ToggleMaximised();
  bool IsPictureMaximised() const;
  QRect FloatingBounds() const { return floatingBounds_; }
  void TogglePreviewWindow();
  void ToggleZoomMagnifier();
  void ChangeSelectorSize(int delta);

  // Drawing and colours.
  void SelectInstrument(InstrumentKind kind);
  void TogglePaletteWindow();
  void ToggleBorderPaletteWindow();
  void ToggleEditModePix();
  void ToggleEditModeRgb();
  void RefreshColourPickers();
  void RefreshCharPaletteMarks();
  void UndoSwap();

  // Picture commands of the File menu.
  void NewPicture(int h);
  void ConvertCharMode(int h);
  void Open1Click();
  void LoadMgsFile(const QString& path);
  void Save1Click();
  void ImportZxScreen(bool hobeta, bool twoScreens);
  void Importfrommg1mg2mg4mg81Click();
  // Export to *.img, *.mg1, *.mg2, *.mg4, *.mg8 by kind.
  void ExportMultiGigaScreen(FileKind kind);
  void ExporttoBMP1Click();
  void Button4Click();
  void Button5Click();
  void PreviewonZX1Click();
  // Opens a file as Open or the matching Import would (a drop, for one).
  void OpenAnyFile(const QString& path);

  void Timer1Timer();
  void Timer_GradPalTimer();
  // Keys reach the window before any control; returns whether a row matched.
  bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  void FormKeyUp();
  int PointerStepCount() const { return pointerStepCount_; }
  void MovePointerBy(int dx, int dy);
  void ClickAtPointer(Qt::MouseButton button);
  // The pointer the keyboard drives; replaced to watch it.
  void SetPointerDevice(std::unique_ptr<PointerDevice> pointer) { pointer_ = std::move(pointer); }
  // The picture panel lies under the pointer (copy and paste ask).
  bool IsPointerOverPicture() const;

  // Repaints what the core changed since the last call.
  void Present();

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  void CreateToolBar();
  void CreateStatusBar();
  void CreatePictureWindow();
  void CreateFloatingPanels();
  QFrame* CreateFloatingPanel(const char* name, QRect geometry);
  CaptionStrip* AddCaptionStrip(QFrame* panel, const char* name, const QString& caption, int top);
  QToolButton* AddToolButton(const char* name, int x, const QString& tooltip, bool checkable);
  void LayoutClientArea();
  void SyncZoomWidgets();
  void OpenStartupFile(const QStringList& args);

  void Editor_IMG_PreviewMouseMove(QMouseEvent* event);
  void Editor_IMG_PreviewMouseDown(QMouseEvent* event);
  void Editor_IMG_MGSFullMouseDown(QMouseEvent* event);
  void Editor_IMG_MGSFullMouseMove(QMouseEvent* event);
  void Editor_IMG_MGSFullMouseUp(QMouseEvent* event);
  void ShowCanvasFeedback(const CanvasFeedback& feedback);
  std::optional<InstrumentKind> InstrumentOfButton(const QObject* object) const;
  void CreatePaletteContents();
  void CreateBitmapExportContents();
  void ConnectFileCommands();
  void ConnectEditCommands();
  // Runs a command on the editor, then repaints what it changed.
  void RunPictureCommand(const std::function<void(Editor&)>& command);
  std::optional<QString> AskOpenFile(const QString& filter);
  // Asks for a name, forces the extension and asks again before replacing
  // a file the forced name hits; nullopt when the user says no.
  std::optional<QString> AskSaveFile(const QString& filter, const QString& extension);
  // Runs a command that reads or writes files; failures go to a message box.
  bool RunFileCommand(const QString& path, const std::function<void()>& command);
  void ImportFile(const QString& path, FileKind kind);
  void AfterPictureLoaded();
  void CreateBorderContents();
  void ShowBorderColour();
  void DrawSelectorAtCurrentPosition();

  Editor editor_;
  QString startupError_;
  QString programFolder_;
  std::unique_ptr<UserDialogs> dialogs_;
  std::unique_ptr<PointerDevice> pointer_;
  int pointerStepCount_ = 0;
  QRect floatingBounds_{2, 42, 640, 480};
  bool shownOnce_ = false;
  bool probeStartup_ = false;
  QElapsedTimer sinceLaunch_;

 public:
  // Controls keep their layout names (also as objectName).
  QWidget* EditMode_MGS = nullptr;
  QFrame* Panel_Instruments = nullptr;
  QToolButton* KEY_Zoom1_1 = nullptr;
  QToolButton* KEY_Zoom2_1 = nullptr;
  QToolButton* KEY_Zoom3_1 = nullptr;
  QToolButton* KEY_Zoom4_1 = nullptr;
  QToolButton* Key_Grid = nullptr;
  QToolButton* Key_zGrid = nullptr;
  QToolButton* KEY_Palette = nullptr;
  QToolButton* KEY_BorderPalette = nullptr;
  QToolButton* KEY_Preview = nullptr;
  QToolButton* KEY_ZoomPreview = nullptr;
  QFrame* Panel_CurrentColors = nullptr;
  ClickablePanel* CharPal_SelectedColor[4] = {};
  QToolButton* KEY_EditMode_PIX = nullptr;
  QToolButton* KEY_EditMode_RGB = nullptr;
  QToolButton* Key_Instrument_Paint = nullptr;
  QToolButton* Key_Instrument_Line = nullptr;
  QToolButton* Key_Instrument_Rect = nullptr;
  QToolButton* Key_Instrument_FillChar = nullptr;
  QToolButton* Key_Instrument_Select = nullptr;
  QToolButton* Key_Instrument_Ellipse = nullptr;

  QFrame* Panel_StatusBar_1 = nullptr;
  QFrame* Status_Color[4] = {};
  QLabel* Status_Ax = nullptr;
  QLabel* Status_Ay = nullptr;
  QLabel* Status_Bx = nullptr;
  QLabel* Status_By = nullptr;

  QFrame* Panel_WorkSpace = nullptr;
  FreePanel* Panel_Editor_Picture = nullptr;
  CaptionStrip* Panel3 = nullptr;
  QLabel* Image6 = nullptr;
  QScrollArea* ScrollBox_EditPicture = nullptr;
  QFrame* Panel_EditPicture = nullptr;
  ImageView* Editor_IMG_MGSFull = nullptr;

  QFrame* Panel_Color = nullptr;
  ImageView* Image_PaletteGradient = nullptr;
  ImageView* Img_Palette_full = nullptr;
  // The strips in the rows "PAP0", "INK0", "PAP1", "INK1" (their layout names
  // are IMG_INK0, IMG_PAP0, IMG_INK1, IMG_PAP1) and the selectors beside them.
  ImageView* PaletteStrip[4] = {};
  ClickablePanel* PalZX_i0 = nullptr;
  ClickablePanel* PalZX_p0 = nullptr;
  ClickablePanel* PalZX_i1 = nullptr;
  ClickablePanel* PalZX_p1 = nullptr;
  ClickablePanel* Pal4Color[4] = {};
  QFrame* Panel_Border = nullptr;
  ImageView* Img_Palette_Border = nullptr;
  QFrame* Panel_Preview = nullptr;
  QFrame* PanelBorderPreview = nullptr;
  ImageView* Editor_IMG_Preview = nullptr;
  QFrame* Panel_ZoomPreview = nullptr;
  ImageView* Editor_IMG_ZoomPreview = nullptr;
  CorrectorPanel* Panel_Corrector = nullptr;
  QFrame* Panel_ExportToBmp = nullptr;
  QLabel* Size = nullptr;
  QRadioButton* RadioButton[9] = {};  // RadioButton1 .. RadioButton9
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;

  DialogMemory OpenDialog1;
  DialogMemory SaveDialog1;

  QTimer* Timer1 = nullptr;
  QTimer* Timer_GradPal = nullptr;
  PanelDragger* Dragger = nullptr;
};

}  // namespace chromaloom

#include "window/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "editing/picture_commands.h"
#include "editing/transforms.h"
#include "formats/file_kinds.h"
#include "render/flicker_map.h"
#include "window/bitmap_export_window.h"
#include "window/border_palette_window.h"
#include "window/corrector_window.h"
#include "window/editor_settings.h"
#include "window/flicker_window.h"
#include "window/floating_panel.h"
#include "window/help_dialogs.h"
#include "window/image_picture_dialog.h"
#include "window/magnifier_window.h"
#include "window/palette_window.h"
#include "window/picture_window.h"
#include "window/preview_window.h"
#include "window/recent_files.h"
#include "window/status_bar.h"
#include "window/tool_bar.h"
#include "window/tool_icons.h"
#include "window/widget_colours.h"

namespace chromaloom {

// One entry of the menu bar.
struct MenuItem {
  QString Name;  // the object name; empty for a separator
  const char* Caption;
  std::function<void()> Run;
  std::vector<MenuItem> Items;  // a submenu when not empty
  QKeySequence Keys = {};       // the shortcut, unless a key row takes it
  QList<QKeySequence> MoreKeys = {};  // further shortcuts the menu does not show
};

namespace {

constexpr int MaxPointerStepCount = 5;  // capped before each move adds one
const QString ProgramTitle = QStringLiteral("chromaLoom x" CHROMALOOM_VERSION);
constexpr int MinRestoredWidth = 320;
constexpr int MinRestoredHeight = 240;

// Changes an action's caption and keeps the key text a menu shows after a tab.
void SetCaptionKeepingKeys(QAction& action, const QString& caption) {
  const qsizetype tab = action.text().indexOf('\t');
  const QString text = tab < 0 ? caption : caption + action.text().mid(tab);
  if (action.text() != text) action.setText(text);
}

MenuItem Separator() { return {{}, "-", {}, {}}; }

// A kind's part of its menu items' object names, from its extension:
// ".img" gives "Img", ".$img" (a Hobeta file) "HobetaImg".
QString KindStem(const FileKindInfo& info) {
  QString extension = QString::fromLatin1(info.Extension.data(), static_cast<qsizetype>(info.Extension.size()));
  extension.remove(0, 1);  // the dot
  QString stem;
  if (extension.startsWith('$')) {
    stem = "Hobeta";
    extension.remove(0, 1);
  }
  if (!extension.isEmpty()) extension[0] = extension[0].toUpper();
  return stem + extension;
}

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

MainWindow::MainWindow(const QStringList& args, const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent),
      files_(
          document_, view_, pickerImages_, this, [this] { AfterPictureLoaded(); },
          [this] { AfterPictureSaved(); }),
      settings_(std::make_unique<EditorSettings>(settingsFile)) {
  setObjectName("mainWindow");
  setWindowTitle(ProgramTitle);
  setWindowIcon(ProgramIcon());
  // The layout is measured for a small 8-point face, as the controls' sizes are fixed.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  dragger_ = new PanelDragger(this);
  dragger_->setObjectName("panelDragger");
  pointer_ = MakeSystemPointer();
  setAcceptDrops(true);

  // Over the whole work area of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());

  clientArea_ = new QWidget(this);
  clientArea_->setObjectName("clientArea");
  SetBackground(clientArea_, WorkSpaceColour);
  setCentralWidget(clientArea_);

  CreateMenu();
  toolBar_ = new ToolBar(clientArea_);
  statusBar_ = new StatusBar(clientArea_);
  workSpace_ = new QFrame(clientArea_);
  workSpace_->setObjectName("workSpace");
  SetBackground(workSpace_, WorkSpaceColour);
  CreatePanels();
  ConnectToolBar();
  ConnectPictureWindow();
  ConnectToolWindows();

  antsTimer_ = new QTimer(this);
  antsTimer_->setObjectName("antsTimer");
  antsTimer_->setInterval(100);
  connect(antsTimer_, &QTimer::timeout, this, &MainWindow::AntsTimerTick);
  antsTimer_->start();
  locatorBlinkTimer_ = new QTimer(this);
  locatorBlinkTimer_->setObjectName("locatorBlinkTimer");
  locatorBlinkTimer_->setInterval(100);
  connect(locatorBlinkTimer_, &QTimer::timeout, this, &MainWindow::LocatorBlinkTimerTick);

  qApp->installEventFilter(this);
  SetZoom(1);
  LayoutClientArea();
  files_.SetImageOpener([this](Raster image) { OpenImageDialog(std::move(image)); });
  recentFiles_ = new RecentFiles(
      findChild<QMenu*>("openRecentMenu"), Action("clearRecentFilesAction"), *settings_,
      [this](const QString& path) { OpenAnyFile(path); },
      [this](const QString& message) { files_.ShowError(message); });
  files_.SetFileUsed([this](const QString& path) { recentFiles_->Add(path); });
  RestoreSettings();
  startupFile_ = files_.TakeStartupArgs(args);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

// Building ----------------------------------------------------------------

void MainWindow::CreateMenu() {
  using Transform = void (*)(Document&, const CellSelection&);
  auto transform = [this](Transform command) {
    return [this, command] { RunPictureCommand([this, command] { command(document_, tools_.Selection); }); };
  };
  const std::vector<MenuItem> menu = {
      {"fileMenu", "File", {},
       {{"newMenu", "New", {},
         {{"newPicture8x8Action", "8x8 Standart Gigascreen", [this] { NewPicture(8); }, {}},
          {"newPicture8x4Action", "8x4 MultiGigaScreen", [this] { NewPicture(4); }, {}},
          {"newPicture8x2Action", "8x2 MultiGigaScreen", [this] { NewPicture(2); }, {}},
          {"newPicture8x1Action", "8x1 MultiGigaScreen", [this] { NewPicture(1); }, {}}}},
        {"changeCellHeightMenu", "Change char size", {},
         {{"convertTo8x8Action", "Convert to 8x8", [this] { ConvertCellHeight(8); }, {}},
          {"convertTo8x4Action", "Convert to 8x4", [this] { ConvertCellHeight(4); }, {}},
          {"convertTo8x2Action", "Convert to 8x2", [this] { ConvertCellHeight(2); }, {}},
          {"convertTo8x1Action", "Convert to 8x1", [this] { ConvertCellHeight(1); }, {}}}},
        Separator(),
        {"openAction", "Open *.mgs", [this] { files_.Open(); }, {}, QKeySequence::Open},
        {"saveAction", "Save", [this] { Save(); }, {}, QKeySequence::Save},
        {"saveAsAction", "Save As *.mgs", [this] { SaveAs(); }, {}, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"openRecentMenu", "Open Recent", {},
         {Separator(), {"clearRecentFilesAction", "Clear", [this] { recentFiles_->Clear(); }, {}}}},
        Separator(),
        {"importMenu", "Import", {}, ImportItems()},
        {"exportMenu", "Export", {}, ExportItems()},
        Separator(),
        {"previewOnEmulatorAction", "Preview TRD on ZX-emul", [this] { files_.PreviewOnEmulator(); }, {}},
        Separator(),
        {"quitAction", "Quit", [this] { Quit(); }, {}, QKeySequence(Qt::CTRL | Qt::Key_Q)}}},
      {"editMenu", "Edit", {},
       {{"undoAction", "Undo", [this] { Undo(); }, {}, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"redoAction", "Redo", [this] { Redo(); }, {}, QKeySequence(Qt::CTRL | Qt::Key_Y)},
        Separator(),
        {"removeSelectionAction", "Remove selection (CTRL+D or ESC)",
         [this] { RunPictureCommand([this] { RemoveSelection(tools_.Selection); }); }, {}},
        Separator(),
        {"copyAction", "Copy (CTRL+C)",
         [this] {
           RunPictureCommand([this] { CopySelection(document_, tools_, clipboard_, IsPointerOverPicture()); });
         },
         {}},
        {"pasteAction", "Paste (CTRL+V)",
         [this] {
           RunPictureCommand([this] { PasteAtPointer(document_, tools_, clipboard_, IsPointerOverPicture()); });
         },
         {}},
        {"deleteAction", "Delete (DEL)",
         [this] { RunPictureCommand([this] { DeleteSelection(document_, tools_.Selection, pickers_); }); }, {}},
        Separator(),
        {"flipHorizontalAction", "Flip Horizontal", transform(FlipSelectionHorizontal), {}},
        {"flipVerticalAction", "Flip Vertical", transform(FlipSelectionVertical), {}},
        Separator(),
        {"rotate90Action", "Rotate 90` cw", transform(RotateSelection90cw), {}},
        Separator(),
        {"rotatePixelsRightAction", "Rotate pixels Right (CTRL+CursorRight)", transform(RotatePixelsRight), {}},
        {"rotatePixelsLeftAction", "Rotate pixels Left (CTRL+CursorLeft)", transform(RotatePixelsLeft), {}},
        {"rotatePixelsUpAction", "Rotate pixels Up (CTRL+CursorUp)", transform(RotatePixelsUp), {}},
        {"rotatePixelsDownAction", "Rotate pixels Down (CTRL+CursorDown)", transform(RotatePixelsDown), {}}}},
      {"viewMenu", "View", {},
       {{"zoomInAction", "Zoom In", [this] { StepZoom(+1); }, {}, QKeySequence(Qt::CTRL | Qt::Key_Plus),
         {QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {"zoomOutAction", "Zoom Out", [this] { StepZoom(-1); }, {}, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        Separator(),
        {"showMixedAction", "Mixed", [this] { ShowScreenView(ScreenView::Mixed); }, {}},
        {"showScreen0Action", "Screen 0", [this] { ShowScreenView(ScreenView::Screen0); }, {}},
        {"showScreen1Action", "Screen 1", [this] { ShowScreenView(ScreenView::Screen1); }, {}},
        Separator(),
        {"flickerMapAction", "Flicker Map", [this] { ToggleFlickerMap(); }, {}, QKeySequence(Qt::Key_M)},
        {"flickerAction", "Flicker", [this] { ToggleFlickerWindow(); }, {}, QKeySequence(Qt::Key_F)},
        Separator(),
        {"mixingMenu", "Mixing", {},
         {{"mixingOwnAction", "Picture's Own Table", [this] { SetMixing(OwnMixing()); }, {}},
          {"mixingAverageAction", "Average", [this] { SetMixing(AverageMixing()); }, {}},
          {"mixingLinearAction", "Linear Light", [this] { SetMixing(LinearMixing()); }, {}},
          {"mixingFileAction", "From File...", [this] { ChooseMixingFromFile(); }, {}}}}}},
      {"correctorMenu", "Color Corrector", {},
       {{"showCorrectorAction", "Show/Hide", [this] { ToggleCorrector(); }, {}}, Separator()}},
      {"helpMenu", "Help", {},
       {{"helpKeysAction", "Keys", [this] { ShowKeysHelp(); }, {}},
        {"helpAboutAction", "About chromaLoom", [this] { ShowAbout(); }, {}}}},
  };

  const std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* into,
                                                                             const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
      if (item.Name.isEmpty()) {
        into->addSeparator();
      } else if (!item.Items.empty()) {
        QMenu* sub = into->addMenu(QString::fromUtf8(item.Caption));
        sub->setObjectName(item.Name);
        sub->menuAction()->setObjectName(item.Name);
        fill(sub, item.Items);
      } else {
        auto* action = new QAction(QString::fromUtf8(item.Caption), this);
        action->setObjectName(item.Name);
        connect(action, &QAction::triggered, this, item.Run);
        SetMenuShortcut(*action, item.Keys, item.MoreKeys);
        into->addAction(action);
        actions_.insert(item.Name, action);
      }
    }
  };
  for (const MenuItem& top : menu) {
    QMenu* into = menuBar()->addMenu(QString::fromUtf8(top.Caption));
    into->setObjectName(top.Name);
    fill(into, top.Items);
  }
  SetUpViewActions();
}

// The screen views and the mixing profiles are each one choice of several.
void MainWindow::SetUpViewActions() {
  for (const auto& names : {std::vector<const char*>{"showMixedAction", "showScreen0Action", "showScreen1Action"},
                            std::vector<const char*>{"mixingOwnAction", "mixingAverageAction", "mixingLinearAction",
                                                     "mixingFileAction"}}) {
    auto* group = new QActionGroup(this);
    for (const char* name : names) {
      Action(name)->setCheckable(true);
      group->addAction(Action(name));
    }
  }
  Action("flickerMapAction")->setCheckable(true);
}

// File > Import and File > Export follow the table of file kinds: one item
// per kind with a caption, a separator where the menu group changes.
std::vector<MenuItem> MainWindow::ImportItems() {
  std::vector<MenuItem> items;
  int group = -1;
  for (const FileKindInfo& info : FileKinds) {
    if (!info.ImportCaption) continue;
    if (group >= 0 && info.MenuGroup != group) items.push_back(Separator());
    group = info.MenuGroup;
    // The one .mg import reads every layout, so it is named for the family.
    QString stem = KindStem(info);
    while (!stem.isEmpty() && stem.back().isDigit()) stem.chop(1);
    const FileKind kind = info.Kind;
    items.push_back({"import" + stem + "Action", info.ImportCaption, [this, kind] { files_.Import(kind); }, {}});
  }
  items.push_back(Separator());
  items.push_back({"importPictureAction", "Picture...", [this] { files_.ImportPicture(); }, {}});
  return items;
}

std::vector<MenuItem> MainWindow::ExportItems() {
  std::vector<MenuItem> items;
  int group = -1;
  for (const FileKindInfo& info : FileKinds) {
    if (!info.ExportCaption) continue;
    if (group >= 0 && info.MenuGroup != group) items.push_back(Separator());
    group = info.MenuGroup;
    const FileKind kind = info.Kind;
    // A bitmap is not the picture's own bytes: its size is chosen first.
    std::function<void()> run = [this, kind] { files_.Export(kind); };
    if (IsBitmapExport(kind)) run = [this, kind] { bitmapExportWindow_->Open(kind); };
    items.push_back({"export" + KindStem(info) + "Action", info.ExportCaption, run, {}});
  }
  return items;
}

void MainWindow::CreatePanels() {
  const Renderer& render = view_.Render;
  const PickerImages& images = pickerImages_;
  pictureWindow_ = new PictureWindow(render.EditorImage, *dragger_, clientArea_);
  paletteWindow_ = new PaletteWindow(images.Gradient, images.Full, images.Strips, *dragger_, clientArea_);
  borderPaletteWindow_ = new BorderPaletteWindow(images.Border, *dragger_, clientArea_);
  bitmapExportWindow_ = new BitmapExportWindow(*dragger_, clientArea_);
  previewWindow_ = new PreviewWindow(render.PreviewImage, *dragger_, clientArea_);
  magnifierWindow_ = new MagnifierWindow(render.MagnifierImage, *dragger_, clientArea_);
  const CorrectorImages correctorImages{render.CorrectorScreen0, render.CorrectorScreen1, corrector_.Detail0,
                                        corrector_.Detail1, corrector_.Strips};
  correctorWindow_ = new CorrectorWindow(correctorImages, *dragger_, clientArea_);
  correctorWindow_->SizeDetailFrames(document_.CellHeight());
  flickerWindow_ = new FlickerWindow(this);
}

void MainWindow::ConnectToolBar() {
  connect(toolBar_, &ToolBar::ZoomChosen, this,
          [this](int level) { ZoomAround(level, pictureWindow_->ViewCentre()); });
  connect(toolBar_, &ToolBar::ButtonActivated, this, &MainWindow::OnToolBarButton);
  connect(toolBar_, &ToolBar::ToolChosen, this, &MainWindow::SelectTool);
  connect(toolBar_, &ToolBar::EntryChosen, this, &MainWindow::ChooseEntry);
  toolBar_->ShowOn(ToolBarButton::PixMode, pickers_.EditModePix);
  toolBar_->ShowOn(ToolBarButton::RgbMode, pickers_.EditModeRgb);
  toolBar_->ShowTool(tools_.Current);
}

void MainWindow::ConnectPictureWindow() {
  connect(pictureWindow_, &PictureWindow::MaximiseToggled, this, &MainWindow::ToggleMaximised);
  connect(pictureWindow_, &PictureWindow::ZoomWheeled, this,
          [this](QPointF at, int notches) { ZoomAround(view_.ZoomLevel() + notches, at); });
  // A press acts on every button held, so holding right and pressing left paints and picks.
  connect(pictureWindow_, &PictureWindow::CanvasPressed, this, [this](QPoint at, Qt::MouseButtons held) {
    ShowCanvasFeedback(CanvasMouseDown(CanvasState(), ButtonsOf(held), {at.x(), at.y()}));
  });
  connect(pictureWindow_, &PictureWindow::CanvasMoved, this, [this](QPoint at, Qt::MouseButtons held) {
    const CanvasFeedback feedback = CanvasMouseMove(CanvasState(), ButtonsOf(held), {at.x(), at.y()});
    // The magnifier shows the preview with this move's paint in it.
    view_.Render.RenderTouched(document_.TakeTouched());
    view_.Render.UpdateZoomMagnifier(at.x(), at.y());
    ShowCanvasFeedback(feedback);
  });
  connect(pictureWindow_, &PictureWindow::CanvasReleased, this, [this] {
    CanvasMouseUp(tools_);
    Present();
  });
}

void MainWindow::ConnectToolWindows() {
  connect(paletteWindow_, &PaletteWindow::LocatorPressed, this, [this](QPoint at) {
    if (LocateGradientColour(pickerImages_, pickers_.CurrentColours, at.x(), at.y())) {
      locatorBlinkTimer_->start();
    } else {
      locatorBlinkTimer_->stop();
    }
    paletteWindow_->RepaintFullPalette();
  });
  connect(paletteWindow_, &PaletteWindow::FullPalettePressed, this, [this](QPoint at) {
    PickFullPalette(pickers_, pickerImages_, at.x(), at.y());
    ShowColours();
  });
  connect(paletteWindow_, &PaletteWindow::StripPressed, this, [this](int row, int x) {
    PickStrip(pickers_, pickerImages_, static_cast<StripKind>(row), x);
    ShowColours();
  });
  connect(paletteWindow_, &PaletteWindow::ScreenBitChosen, this, [this](int screen, int bit) {
    ApplyCharBits(pickers_, screen, bit);
    ShowEntryMarks();
  });
  connect(paletteWindow_, &PaletteWindow::EntryChosen, this, &MainWindow::ChooseEntry);

  connect(borderPaletteWindow_, &BorderPaletteWindow::PalettePressed, this, [this](QPoint at) {
    PickBorder(document_, pickerImages_, at.x(), at.y());
    ShowBorderColour();
    borderPaletteWindow_->RepaintPalette();
    Present();  // shows the border in the Flicker window too
  });

  connect(previewWindow_, &PreviewWindow::PointerMoved, this, [this](QPoint at) {
    DrawSelectorAt({at.x() / 16, at.y() / 16});
  });
  connect(previewWindow_, &PreviewWindow::Pressed, this, &MainWindow::ZoomToSelector);
  // Over the border the selector goes away.
  connect(previewWindow_, &PreviewWindow::PointerOverBorder, this, [this] {
    view_.Render.ShowPreview();
    Present();
  });

  connect(bitmapExportWindow_, &BitmapExportWindow::ExportAsked, this, [this](FileKind kind, int sizeIndex) {
    // A failed write leaves the window open for another try.
    if (files_.ExportBitmap(kind, sizeIndex)) bitmapExportWindow_->hide();
  });

  connect(correctorWindow_, &CorrectorWindow::CellPressed, this, [this](QPoint at) {
    ChooseCorrectorCell(corrector_, document_.Picture(), CorrectorSurfacesOf(view_.Render), at.x(), at.y());
    correctorWindow_->RepaintImages();
  });
  connect(correctorWindow_, &CorrectorWindow::ExchangeCellsClicked, this, [this] {
    ExchangeCorrectorCell(corrector_, document_);
    RedrawCorrector(corrector_, document_.Picture(), view_.Render);
    correctorWindow_->RepaintImages();
    Present();
  });
}

// Looked up after every command (the Edit menu, the view checks), so not by
// a search through every child of the window.
QAction* MainWindow::Action(const char* name) const { return actions_.value(QLatin1String(name)); }

// Layout --------------------------------------------------------------------

QRect MainWindow::WorkArea() const {
  const int w = clientArea_->width(), h = clientArea_->height();
  return {0, ToolBar::BarHeight, w, std::max(0, h - ToolBar::BarHeight - StatusBar::BarHeight)};
}

void MainWindow::LayoutClientArea() {
  const int w = clientArea_->width(), h = clientArea_->height();
  toolBar_->setGeometry(0, 0, w, ToolBar::BarHeight);
  statusBar_->setGeometry(0, h - StatusBar::BarHeight, w, StatusBar::BarHeight);
  workSpace_->setGeometry(WorkArea());
  if (IsPictureMaximised()) pictureWindow_->setGeometry(WorkArea());
  workSpace_->lower();
  pictureWindow_->stackUnder(paletteWindow_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutClientArea();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  LayoutClientArea();
  if (shownOnce_) return;
  shownOnce_ = true;
  ShowColours();
  ShowEntryMarks();
  // The first full render makes every raster valid.
  view_.Render.Redraw(true);
  Present();
  // After the show, so that a bad file's message stands over the window.
  if (const auto file = std::exchange(startupFile_, std::nullopt))
    QTimer::singleShot(0, this, [this, path = *file] { files_.OpenStartupFile(path); });
}

void MainWindow::ProbeStartup(QElapsedTimer sinceLaunch) {
  pictureWindow_->WatchFirstPaint([sinceLaunch] {
    std::fprintf(stderr, "first paint after %lld ms\n", static_cast<long long>(sinceLaunch.elapsed()));
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
}

// View ----------------------------------------------------------------------

void MainWindow::FollowZoom() {
  toolBar_->ShowZoom(view_.ZoomLevel());
  pictureWindow_->FollowCanvasSize();
  Action("zoomInAction")->setEnabled(view_.ZoomLevel() < MaxZoomLevel);
  Action("zoomOutAction")->setEnabled(view_.ZoomLevel() > MinZoomLevel);
}

void MainWindow::SetZoom(int level) {
  view_.SetZoom(level);
  FollowZoom();
}

void MainWindow::ZoomAround(int level, QPointF viewPoint) {
  level = std::clamp(level, MinZoomLevel, MaxZoomLevel);
  if (level == view_.ZoomLevel()) return;
  const QPointF picturePoint = pictureWindow_->CanvasPointAt(viewPoint) / view_.Scale();
  SetZoom(level);
  view_.Render.Redraw(true);
  Present();
  pictureWindow_->ShowCanvasPointAt(picturePoint * view_.Scale(), viewPoint);
}

void MainWindow::StepZoom(int steps) { ZoomAround(view_.ZoomLevel() + steps, pictureWindow_->ViewCentre()); }

void MainWindow::OnToolBarButton(ToolBarButton id) {
  switch (id) {
    case ToolBarButton::Zoom:  // ZoomChosen
      break;
    case ToolBarButton::CharGrid:
      ToggleCharGrid();
      break;
    case ToolBarButton::PixelGrid:
      TogglePixelGrid();
      break;
    case ToolBarButton::Palette:
      TogglePaletteWindow();
      break;
    case ToolBarButton::BorderPalette:
      ToggleBorderPaletteWindow();
      break;
    case ToolBarButton::Preview:
      TogglePreviewWindow();
      break;
    case ToolBarButton::Magnifier:
      ToggleMagnifier();
      break;
    case ToolBarButton::PixMode:
      TogglePix();
      break;
    case ToolBarButton::RgbMode:
      ToggleRgb();
      break;
  }
}

void MainWindow::ToggleCharGrid() {
  view_.SetCharGrid(!view_.Settings().CharGridOn);
  toolBar_->ShowOn(ToolBarButton::CharGrid, view_.Settings().CharGridOn);
  view_.Render.Redraw(true);
  Present();
}

void MainWindow::TogglePixelGrid() {
  view_.SetPixelGrid(!view_.Settings().PixelGridOn);
  toolBar_->ShowOn(ToolBarButton::PixelGrid, view_.Settings().PixelGridOn);
  view_.Render.Redraw(true);
  Present();
}

bool MainWindow::IsPictureMaximised() const { return pictureWindow_->IsMaximised(); }

QRect MainWindow::FloatingBounds() const { return pictureWindow_->FloatingBounds(); }

void MainWindow::ToggleMaximised() {
  pictureWindow_->ScrollToOrigin();
  if (pictureWindow_->IsMaximised()) {
    pictureWindow_->Restore();
  } else {
    pictureWindow_->Maximise();
    LayoutClientArea();
  }
}

void MainWindow::TogglePreviewWindow() {
  if (previewWindow_->isVisible()) {
    previewWindow_->hide();
    toolBar_->ShowOn(ToolBarButton::Preview, false);
    return;
  }
  ShowBorderColour();
  previewWindow_->show();
  previewWindow_->raise();
  toolBar_->ShowOn(ToolBarButton::Preview, true);
  view_.Render.ShowPreview();
  previewWindow_->RepaintPreview();
}

void MainWindow::ToggleMagnifier() {
  if (magnifierWindow_->isVisible()) {
    magnifierWindow_->hide();
    toolBar_->ShowOn(ToolBarButton::Magnifier, false);
    return;
  }
  magnifierWindow_->show();
  magnifierWindow_->raise();
  toolBar_->ShowOn(ToolBarButton::Magnifier, true);
  magnifierWindow_->RepaintMagnifier();
}

void MainWindow::ToggleFlickerWindow() {
  if (!flickerWindow_->isHidden()) {
    flickerWindow_->hide();
    return;
  }
  flickerWindow_->ShowPicture(document_.Picture());
  flickerWindow_->show();
  flickerWindow_->raise();
  flickerWindow_->activateWindow();
}

void MainWindow::ShowPictureInFlicker() {
  if (!flickerWindow_->isHidden()) flickerWindow_->ShowPicture(document_.Picture());
}

void MainWindow::ShowScreenView(ScreenView shown) {
  view_.SetShown(shown);
  ShowViewState();
  RunPictureCommand([this] { view_.Render.Redraw(false); });
}

void MainWindow::CycleScreenView() {
  const ScreenView shown = view_.Shown();
  ShowScreenView(shown == ScreenView::Mixed     ? ScreenView::Screen0
                 : shown == ScreenView::Screen0 ? ScreenView::Screen1
                                                : ScreenView::Mixed);
}

void MainWindow::ToggleFlickerMap() {
  view_.SetFlickerMap(!view_.FlickerMapOn());
  RunPictureCommand([this] {
    view_.Render.Redraw(false);
    ShowViewState();  // after the map's first render, which it counts
  });
}

void MainWindow::SetMixing(MixingProfile profile) {
  view_.SetMixing(std::move(profile));
  view_.Render.Redraw(false);
  view_.Render.RefreshMagnifier();
  ShowMixing(pickerImages_, view_.Mixing(), pickers_.CurrentColours, document_.Picture().Border);
  ShowColours();
  ShowBorderColour();
  borderPaletteWindow_->RepaintPalette();
  ShowViewState();
  Present();
}

void MainWindow::ChooseMixingFromFile() {
  // A cancelled or bad file leaves the profile as it was, and its check too.
  if (auto profile = files_.ChooseMixingProfile()) {
    SetMixing(std::move(*profile));
  } else {
    ShowViewState();
  }
}

void MainWindow::ShowViewState() {
  const ScreenView shown = view_.Shown();
  Action(shown == ScreenView::Mixed     ? "showMixedAction"
         : shown == ScreenView::Screen0 ? "showScreen0Action"
                                        : "showScreen1Action")
      ->setChecked(true);
  Action("flickerMapAction")->setChecked(view_.FlickerMapOn());
  const MixingKind kind = view_.Mixing().Kind;
  Action(kind == MixingKind::Own       ? "mixingOwnAction"
         : kind == MixingKind::Average ? "mixingAverageAction"
         : kind == MixingKind::Linear  ? "mixingLinearAction"
                                       : "mixingFileAction")
      ->setChecked(true);
  const QString mixingName = QString::fromStdString(view_.Mixing().Name);
  bitmapExportWindow_->ShowMixing(mixingName);
  QString flickerMap;
  if (view_.FlickerMapOn()) {
    const Renderer& render = view_.Render;
    const double share = 100.0 * CountStrongFlicker(render.ScreenRaster0, render.ScreenRaster1) /
                         (PictureWidth * PictureHeight);
    flickerMap = QString("Strong flicker: %1 %").arg(share, 0, 'f', 1);
  }
  const QString names[] = {"Mixed", "Screen 0", "Screen 1"};
  statusBar_->ShowScreenView(names[static_cast<int>(shown)], flickerMap);
}

void MainWindow::DrawSelectorAt(Point cell) {
  // The scroll box's size decides how much of the picture the frame covers.
  const QSize box = pictureWindow_->ScrollBoxSize();
  view_.DrawZoomSelector(cell, box.width(), box.height());
  Present();
}

void MainWindow::ChangeSelectorSize(int delta) {
  if (!view_.SetZoomSelectorSize(view_.ZoomSelectorSize() + delta)) return;
  DrawSelectorAt(view_.ZoomSelectorCell());
}

void MainWindow::ZoomToSelector() {
  SetZoom(view_.ZoomSelectorSize() / 4);  // sizes 8, 12, 16 are the scales of levels 2, 3, 4
  const int scale = view_.Scale();
  view_.Render.Redraw(true);
  Present();
  // The frame's top-left picture pixel becomes the top-left of the view.
  const Point cell = view_.ZoomSelectorCell();
  pictureWindow_->ScrollCanvasTo(scale * cell.X * 8, scale * cell.Y * 8);
  TogglePreviewWindow();
}

// Help --------------------------------------------------------------------------

void MainWindow::ShowKeysHelp() { OpenKeysDialog(*menuBar(), this); }

void MainWindow::ShowAbout() { OpenAboutDialog(this); }

// Drawing and colours ---------------------------------------------------------

void MainWindow::ShowCanvasFeedback(const CanvasFeedback& feedback) {
  if (feedback.StatusTexts) statusBar_->ShowPosition(*feedback.StatusTexts);
  if (feedback.CellPalette) statusBar_->ShowCellPalette(*feedback.CellPalette);
  if (feedback.ColoursPicked) {
    ShowColours();
    ShowEntryMarks();
  }
  Present();
}

void MainWindow::SelectTool(ToolKind kind) {
  tools_.Current = kind;
  toolBar_->ShowTool(kind);
}

void MainWindow::TogglePix() {
  pickers_.EditModePix = !pickers_.EditModePix;
  toolBar_->ShowOn(ToolBarButton::PixMode, pickers_.EditModePix);
}

void MainWindow::ToggleRgb() {
  pickers_.EditModeRgb = !pickers_.EditModeRgb;
  toolBar_->ShowOn(ToolBarButton::RgbMode, pickers_.EditModeRgb);
}

void MainWindow::TogglePaletteWindow() {
  const bool show = !paletteWindow_->isVisible();
  paletteWindow_->setVisible(show);
  if (show) paletteWindow_->raise();
  toolBar_->ShowOn(ToolBarButton::Palette, show);
}

void MainWindow::ToggleBorderPaletteWindow() {
  const bool show = !borderPaletteWindow_->isVisible();
  borderPaletteWindow_->setVisible(show);
  if (show) borderPaletteWindow_->raise();
  toolBar_->ShowOn(ToolBarButton::BorderPalette, show);
}

void MainWindow::ShowColours() {
  RefreshColourPickers(pickerImages_, pickers_.CurrentColours);
  const ColourSet& c = pickers_.CurrentColours;
  const CharPalette mixed = MakeCharPalette(c.PAP0, c.INK0, c.PAP1, c.INK1, view_.Mixing().Table);
  paletteWindow_->ShowEntryColours(mixed);
  toolBar_->ShowEntryColours(mixed);
  paletteWindow_->RepaintFullPalette();
  paletteWindow_->RepaintStrips();
}

void MainWindow::ShowEntryMarks() {
  const int entry = pickers_.SelectedCharColour;
  paletteWindow_->MarkEntry(entry);
  toolBar_->MarkEntry(entry);
  paletteWindow_->MarkScreenBits(pickers_.ScreenBit(0), pickers_.ScreenBit(1));
}

void MainWindow::ChooseEntry(int entry) {
  SetCharColour(pickers_, entry);
  ShowEntryMarks();
}

void MainWindow::ShowBorderColour() {
  previewWindow_->ShowBorderColour(ToQColor(view_.Mixing().BorderColour(document_.Picture())));
}

void MainWindow::Undo() {
  if (document_.Undo()) AfterPictureLoaded();
}

void MainWindow::Redo() {
  if (document_.Redo()) AfterPictureLoaded();
}

void MainWindow::RunPictureCommand(const std::function<void()>& command) {
  command();
  Present();
}

// The corrector ---------------------------------------------------------------

void MainWindow::ToggleCorrector() {
  if (!correctorWindow_->isHidden()) {
    correctorWindow_->hide();
    return;
  }
  // Sized for the current cell height and rendered afresh at each showing.
  correctorWindow_->SizeDetailFrames(document_.CellHeight());
  RedrawCorrector(corrector_, document_.Picture(), view_.Render);
  correctorWindow_->show();
  correctorWindow_->raise();  // over the other panels, as they come up too
  correctorWindow_->RepaintImages();
}

void MainWindow::MarchCorrectorAnts() {
  if (!correctorWindow_->isVisible()) return;
  view_.DrawCorrectorAnts(CorrectorCellOnImage(document_.Picture(), corrector_));
  const CorrectorCellArea cell = CorrectorCellInPicture(document_.Picture(), corrector_);
  correctorWindow_->RepaintCell(cell.Column, cell.Row, cell.Height);
}

// Picture commands -------------------------------------------------------------

void MainWindow::NewPicture(int cellHeight) {
  chromaloom::NewPicture(document_, cellHeight);
  view_.SetZoom(1);  // a new or reshaped picture is shown whole
  FollowZoom();
  Present();
}

void MainWindow::ConvertCellHeight(int cellHeight) {
  chromaloom::ConvertCellHeight(document_, cellHeight);
  view_.SetZoom(1);
  FollowZoom();
  Present();
}

void MainWindow::AfterPictureLoaded() {
  RefreshBorderPicker(pickerImages_, document_.Picture().Border);
  FollowZoom();
  ShowBorderColour();
  borderPaletteWindow_->RepaintPalette();
  ShowViewState();
  Present();
}

void MainWindow::AfterPictureSaved() {
  statusBar_->ShowMessage("Saved " + files_.DocumentName());
  ShowDocumentState();
}

bool MainWindow::Save() { return files_.Save(); }

bool MainWindow::SaveAs() { return files_.SaveAs(); }

void MainWindow::Quit() { close(); }

void MainWindow::ShowDocumentState() {
  shownRevision_ = document_.Revision();
  const bool modified = document_.IsModified();
  captionNamesPicture_ = captionNamesPicture_ || modified || !document_.FilePath().empty();
  const QString caption = captionNamesPicture_
                              ? QString("%1%2 — %3").arg(files_.DocumentName(), modified ? "*" : "", ProgramTitle)
                              : ProgramTitle;
  if (windowTitle() != caption) setWindowTitle(caption);

  const QString undoName = QString::fromStdString(document_.UndoName());
  const QString redoName = QString::fromStdString(document_.RedoName());
  QAction& undo = *Action("undoAction");
  QAction& redo = *Action("redoAction");
  SetCaptionKeepingKeys(undo, undoName.isEmpty() ? QString("Undo") : "Undo " + undoName);
  SetCaptionKeepingKeys(redo, redoName.isEmpty() ? QString("Redo") : "Redo " + redoName);
  undo.setEnabled(!undoName.isEmpty());
  redo.setEnabled(!redoName.isEmpty());

  // Ctrl+N makes a new picture of the cell height now in use.
  for (const int h : {8, 4, 2, 1}) {
    QAction& item = *Action(qPrintable(QString("newPicture8x%1Action").arg(h)));
    const QKeySequence keys = h == document_.CellHeight() ? QKeySequence(QKeySequence::New) : QKeySequence();
    if (item.shortcut() != keys) item.setShortcut(keys);
  }
}

void MainWindow::OpenAnyFile(const QString& path) { files_.OpenAnyFile(path); }

void MainWindow::OpenImageDialog(Raster image) {
  ImagePictureOptions preset = importOptions_;
  preset.Conversion.CellHeight = document_.CellHeight();
  auto* dialog = new ImagePictureDialog(std::move(image), preset, this);
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

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile() && FileCommands::IsKnownKind(urls.front().toLocalFile()))
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  OpenAnyFile(urls.front().toLocalFile());
}

// Remembered settings -------------------------------------------------------------

void MainWindow::RestoreSettings() {
  QRect area;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    area = QRect({0, 0}, screen->availableGeometry().size());
  const RememberedSettings remembered = settings_->Load(area);
  files_.RestoreDialogStates(remembered.OpenDialog, remembered.SaveDialog);
  bitmapExportWindow_->SetChosenSize(remembered.BitmapSize);
  if (remembered.CharGrid != view_.Settings().CharGridOn) ToggleCharGrid();
  if (remembered.PixelGrid != view_.Settings().PixelGridOn) TogglePixelGrid();
  SetZoom(remembered.ZoomLevel);
  const auto restorePanel = [this](QWidget* panel, const PanelPlace& place, void (MainWindow::*toggle)()) {
    if (place.TopLeft) panel->move(*place.TopLeft);
    if (place.Visible) (this->*toggle)();
  };
  restorePanel(paletteWindow_, remembered.Palette, &MainWindow::TogglePaletteWindow);
  restorePanel(borderPaletteWindow_, remembered.BorderPalette, &MainWindow::ToggleBorderPaletteWindow);
  restorePanel(previewWindow_, remembered.Preview, &MainWindow::TogglePreviewWindow);
  restorePanel(magnifierWindow_, remembered.Magnifier, &MainWindow::ToggleMagnifier);
  if (remembered.PictureBounds) pictureWindow_->SetFloatingBounds(*remembered.PictureBounds);
  if (!remembered.PictureMaximised) ToggleMaximised();
  // Bytes that are no geometry leave the window over the work area; so does
  // a window too small to be one a person left on purpose.
  const QRect fallback = geometry();
  if (restoreGeometry(remembered.MainGeometry) &&
      (width() < MinRestoredWidth || height() < MinRestoredHeight)) {
    setWindowState(Qt::WindowNoState);
    setGeometry(fallback);
  }
  importOptions_ = remembered.ImportOptions;
}

RememberedSettings MainWindow::CurrentSettings() const {
  RememberedSettings current;
  current.OpenDialog = files_.OpenDialogState();
  current.SaveDialog = files_.SaveDialogState();
  current.BitmapSize = bitmapExportWindow_->ChosenSize();
  current.CharGrid = view_.Settings().CharGridOn;
  current.PixelGrid = view_.Settings().PixelGridOn;
  current.ZoomLevel = view_.ZoomLevel();
  // Hidden, not invisible: the window itself may be closing.
  const auto placeOf = [](const QWidget* panel) { return PanelPlace{!panel->isHidden(), panel->pos()}; };
  current.Palette = placeOf(paletteWindow_);
  current.BorderPalette = placeOf(borderPaletteWindow_);
  current.Preview = placeOf(previewWindow_);
  current.Magnifier = placeOf(magnifierWindow_);
  current.PictureMaximised = IsPictureMaximised();
  current.PictureBounds = pictureWindow_->RestoredBounds();
  current.MainGeometry = saveGeometry();
  current.ImportOptions = importOptions_;
  return current;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!files_.MayDiscardChanges()) {
    event->ignore();
    return;
  }
  settings_->Save(CurrentSettings());
  flickerWindow_->hide();
  QMainWindow::closeEvent(event);
}

// Timers and repaint --------------------------------------------------------------

void MainWindow::AntsTimerTick() {
  view_.AdvanceAnts();
  MarchCorrectorAnts();
  Present();
}

void MainWindow::LocatorBlinkTimerTick() {
  if (!LocatorBlinkTick(pickerImages_, pickers_.CurrentColours)) locatorBlinkTimer_->stop();
  paletteWindow_->RepaintFullPalette();
}

void MainWindow::Present() {
  // What the document changed, then the tools' overlay over it.
  view_.Render.RenderTouched(document_.TakeTouched());
  view_.ShowOverlay(CanvasOverlay(tools_, pickers_, view_.Mixing(), view_.Scale(), document_.ValidCellHeight()));
  if (document_.Revision() != shownRevision_) ShowDocumentState();
  // The corrector repaints what it drew itself (MarchCorrectorAnts, RepaintImages).
  const Damage damage = view_.Render.TakeDamage();
  // The strong share is counted again only when the picture's rasters changed,
  // not for the ants or a shape being dragged.
  if (damage.Rasters) ShowViewState();
  pictureWindow_->RepaintCanvas(damage.Editor);
  if (damage.Preview) previewWindow_->RepaintPreview();
  if (damage.Magnifier) magnifierWindow_->RepaintMagnifier();
  // Here, as every command that changes either ends with a repaint.
  statusBar_->ShowCellHeightAndZoom(document_.CellHeight(), view_.ZoomLevel());
  ShowPictureInFlicker();
}

// Keys --------------------------------------------------------------------------

bool MainWindow::KeyPressed(const QKeyEvent& event) {
  const KeyPress press = KeyPress::From(event.key(), event.nativeScanCode(), event.modifiers());
  // X11 sends some repeats of a held key as a release and a press at the
  // same moment, not marked as repeats.
  if (lastRelease_ && lastRelease_->Key == event.key() && lastRelease_->Time == event.timestamp())
    pointerStepCount_ = lastRelease_->PointerStepCount;
  lastRelease_.reset();
  pointerStepCount_ = std::min(pointerStepCount_, MaxPointerStepCount);
  bool handled = false;
  for (const KeyRow& row : KeyTable()) {
    // Read at each row, as an earlier row may have changed it.
    const KeyState state{previewWindow_->isVisible(), view_.ZoomSelectorSize()};
    if (!row.Matches(press, state)) continue;
    handled = true;
    if (const char* action = MenuActionOf(row.Command)) {
      Action(action)->trigger();
    } else {
      RunKeyCommand(row.Command);
    }
  }
  return handled;
}

void MainWindow::KeyReleased(const QKeyEvent& event) {
  // A held key repeats as press and release pairs; only the real release counts.
  if (event.isAutoRepeat()) return;
  lastRelease_ = KeyRelease{event.key(), event.timestamp(), pointerStepCount_};
  pointerStepCount_ = 0;
}

void MainWindow::RunKeyCommand(KeyCommand command) {
  switch (command) {
    case KeyCommand::ChoosePencil:
      return SelectTool(ToolKind::Paint);
    case KeyCommand::ChooseFillCell:
      return SelectTool(ToolKind::FillCell);
    case KeyCommand::ChooseSelection:
      return SelectTool(ToolKind::Select);
    case KeyCommand::ChooseLine:
      return SelectTool(ToolKind::Line);
    case KeyCommand::ChooseRect:
      return SelectTool(ToolKind::Rect);
    case KeyCommand::EndShape:
      tools_.ShapeInProgress = false;
      return;
    case KeyCommand::GrowSelector:
      return ChangeSelectorSize(+4);
    case KeyCommand::ShrinkSelector:
      return ChangeSelectorSize(-4);
    case KeyCommand::PointerLeft:
      return StepPointer(-1, 0);
    case KeyCommand::PointerRight:
      return StepPointer(+1, 0);
    case KeyCommand::PointerDown:
      return StepPointer(0, +1);
    case KeyCommand::PointerUp:
      return StepPointer(0, -1);
    case KeyCommand::ClickLeft:
      return pointer_->ClickWith(Qt::LeftButton);
    case KeyCommand::ClickRight:
      return pointer_->ClickWith(Qt::RightButton);
    case KeyCommand::NudgeLeft:
      return MovePointerBy(-1, 0);
    case KeyCommand::NudgeRight:
      return MovePointerBy(+1, 0);
    case KeyCommand::NudgeDown:
      return MovePointerBy(0, +1);
    case KeyCommand::NudgeUp:
      return MovePointerBy(0, -1);
    case KeyCommand::ChooseEntry1:
      return ChooseEntry(0);
    case KeyCommand::ChooseEntry2:
      return ChooseEntry(1);
    case KeyCommand::ChooseEntry3:
      return ChooseEntry(2);
    case KeyCommand::ChooseEntry4:
      return ChooseEntry(3);
    case KeyCommand::TogglePalette:
      return TogglePaletteWindow();
    case KeyCommand::TogglePreview:
      return TogglePreviewWindow();
    case KeyCommand::ToggleMagnifier:
      return ToggleMagnifier();
    case KeyCommand::ToggleBorderPalette:
      return ToggleBorderPaletteWindow();
    case KeyCommand::ToggleCharGrid:
      return ToggleCharGrid();
    case KeyCommand::TogglePixelGrid:
      return TogglePixelGrid();
    case KeyCommand::TogglePix:
      return TogglePix();
    case KeyCommand::ToggleRgb:
      return ToggleRgb();
    case KeyCommand::RedrawCanvas:
      return RunPictureCommand([this] { view_.Render.Redraw(false); });
    case KeyCommand::CycleScreenView:
      return CycleScreenView();
    // These run through their menu actions.
    case KeyCommand::RemoveSelection:
    case KeyCommand::DeleteSelection:
    case KeyCommand::Copy:
    case KeyCommand::Paste:
    case KeyCommand::RotatePixelsLeft:
    case KeyCommand::RotatePixelsRight:
    case KeyCommand::RotatePixelsUp:
    case KeyCommand::RotatePixelsDown:
    case KeyCommand::Undo:
    case KeyCommand::ToggleFlicker:
    case KeyCommand::ToggleFlickerMap:
      return;
  }
}

void MainWindow::StepPointer(int dx, int dy) {
  // Each held repeat moves one more step of the zoom's scale.
  const int step = view_.Scale() * ++pointerStepCount_;
  MovePointerBy(dx * step, dy * step);
}

void MainWindow::MovePointerBy(int dx, int dy) { pointer_->MoveTo(pointer_->Position() + QPoint(dx, dy)); }

bool MainWindow::IsPointerOverPicture() const {
  return pictureWindow_->ShowsPictureAt(pointer_->WidgetUnderPointer());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
    // Keys of the window itself and of any of its controls.
    if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this) {
      const auto& key = *static_cast<QKeyEvent*>(event);
      if (type == QEvent::KeyRelease) {
        KeyReleased(key);
      } else {
        // A key no row matches does nothing either: no control gets it (the
        // scroll box would scroll), except the menu bar while the keyboard
        // walks its menus, and a lone modifier, which may open that walk.
        const bool inMenuBar = widget == menuBar() || menuBar()->isAncestorOf(widget);
        const bool modifierOnly = key.key() == Qt::Key_Alt || key.key() == Qt::Key_Control ||
                                  key.key() == Qt::Key_Shift || key.key() == Qt::Key_Meta;
        if (KeyPressed(key) || !(inMenuBar || modifierOnly)) return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace chromaloom

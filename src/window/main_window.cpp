#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "editing/colour_selection.h"
#include "selection/clipboard.h"
#include "selection/colour_corrector.h"
#include "selection/transforms.h"
#include "selection/undo.h"
#include "window/bitmap_export_window.h"
#include "window/border_palette_window.h"
#include "window/corrector_window.h"
#include "window/floating_panel.h"
#include "window/magnifier_window.h"
#include "window/palette_window.h"
#include "window/picture_window.h"
#include "window/preview_window.h"
#include "window/status_bar.h"
#include "window/tool_bar.h"
#include "window/tool_icons.h"
#include "window/widget_colours.h"

namespace chromaloom {

namespace {

constexpr int MaxPointerStepCount = 5;  // capped before each move adds one

struct MenuItem {
  const char* Name;  // nullptr: a separator
  const char* Caption;
  std::function<void()> Run;
  std::vector<MenuItem> Items;  // a submenu when not empty
};

MenuItem Separator() { return {nullptr, "-", {}, {}}; }

MouseButtons ButtonsOf(Qt::MouseButtons buttons) {
  return {buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
          (buttons & ~(Qt::LeftButton | Qt::RightButton)) != Qt::NoButton};
}

}  // namespace

MainWindow::MainWindow(const QStringList& args, QWidget* parent)
    : QMainWindow(parent), files_(editor_, this, [this] { AfterPictureLoaded(); }) {
  setObjectName("mainWindow");
  setWindowTitle("chromaLoom x0.91");
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
  connect(antsTimer_, &QTimer::timeout, this, &MainWindow::AntsTick);
  antsTimer_->start();
  locatorBlinkTimer_ = new QTimer(this);
  locatorBlinkTimer_->setObjectName("locatorBlinkTimer");
  locatorBlinkTimer_->setInterval(100);
  connect(locatorBlinkTimer_, &QTimer::timeout, this, &MainWindow::LocatorBlinkTick);

  qApp->installEventFilter(this);
  SetZoom(1);
  LayoutClientArea();
  startupError_ = files_.OpenStartupFile(args);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

// Building ----------------------------------------------------------------

void MainWindow::CreateMenu() {
  auto edit = [this](void (*command)(Editor&)) { return [this, command] { RunPictureCommand(command); }; };
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
        {"openAction", "Open *.mgs", [this] { files_.Open(); }, {}},
        {"saveAction", "Save *.mgs", [this] { files_.Save(); }, {}},
        Separator(),
        {"importMenu", "Import", {},
         {{"importImgAction", "Import from *.img", [this] { files_.Import(FileKind::Img); }, {}},
          {"importHobetaImgAction", "Import from *.$img", [this] { files_.Import(FileKind::HobetaImg); }, {}},
          Separator(),
          {"importScrAction", "Import from *.scr", [this] { files_.Import(FileKind::Scr); }, {}},
          {"importHobetaScrAction", "Import from *.$scr", [this] { files_.Import(FileKind::HobetaScr); }, {}},
          Separator(),
          {"importMgAction", "Import from *.mg1/mg2/mg4/mg8", [this] { files_.Import(FileKind::Mg8); }, {}}}},
        {"exportMenu", "Export", {},
         {{"exportImgAction", "Export to *.img", [this] { files_.Export(FileKind::Img); }, {}},
          Separator(),
          {"exportMg1Action", "Export to *.mg1", [this] { files_.Export(FileKind::Mg1); }, {}},
          {"exportMg2Action", "Export to *.mg2", [this] { files_.Export(FileKind::Mg2); }, {}},
          {"exportMg4Action", "Export to *.mg4", [this] { files_.Export(FileKind::Mg4); }, {}},
          {"exportMg8Action", "Export to *.mg8", [this] { files_.Export(FileKind::Mg8); }, {}},
          Separator(),
          {"exportBmpAction", "Export to *.BMP", [this] { bitmapExportWindow_->Open(); }, {}}}},
        Separator(),
        {"previewOnEmulatorAction", "Preview TRD on ZX-emul", [this] { files_.PreviewOnEmulator(); }, {}}}},
      {"editMenu", "Edit", {},
       {{"removeSelectionAction", "Remove selection (CTRL+D or ESC)", edit(RemoveSelection), {}},
        Separator(),
        {"copyAction", "Copy (CTRL+C)",
         [this] { RunPictureCommand([this](Editor& e) { CopySelection(e, IsPointerOverPicture()); }); }, {}},
        {"pasteAction", "Paste (CTRL+V)",
         [this] { RunPictureCommand([this](Editor& e) { PasteAtPointer(e, IsPointerOverPicture()); }); }, {}},
        {"deleteAction", "Delete (DEL)", edit(DeleteSelection), {}},
        Separator(),
        {"flipHorizontalAction", "Flip Horizontal", edit(FlipSelectionHorizontal), {}},
        {"flipVerticalAction", "Flip Vertical", edit(FlipSelectionVertical), {}},
        Separator(),
        {"rotate90Action", "Rotate 90` cw", edit(RotateSelection90cw), {}},
        Separator(),
        {"rotatePixelsRightAction", "Rotate pixels Right (CTRL+CursorRight)", edit(RotatePixelsRight), {}},
        {"rotatePixelsLeftAction", "Rotate pixels Left (CTRL+CursorLeft)", edit(RotatePixelsLeft), {}},
        {"rotatePixelsUpAction", "Rotate pixels Up (CTRL+CursorUp)", edit(RotatePixelsUp), {}},
        {"rotatePixelsDownAction", "Rotate pixels Down (CTRL+CursorDown)", edit(RotatePixelsDown), {}}}},
      {"correctorMenu", "Color Corrector", {},
       {{"showCorrectorAction", "Show/Hide", [this] { ToggleCorrector(); }, {}}, Separator()}},
  };

  const std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* into,
                                                                             const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
      if (!item.Name) {
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
        into->addAction(action);
      }
    }
  };
  for (const MenuItem& top : menu) {
    QMenu* into = menuBar()->addMenu(QString::fromUtf8(top.Caption));
    into->setObjectName(top.Name);
    fill(into, top.Items);
  }
}

void MainWindow::CreatePanels() {
  pictureWindow_ = new PictureWindow(editor_.Render.EditorImage, *dragger_, clientArea_);
  const PickerImages& pickers = editor_.Pickers;
  paletteWindow_ = new PaletteWindow(pickers.Gradient, pickers.Full, pickers.Strips, *dragger_, clientArea_);
  borderPaletteWindow_ = new BorderPaletteWindow(pickers.Border, *dragger_, clientArea_);
  bitmapExportWindow_ = new BitmapExportWindow(*dragger_, clientArea_);
  previewWindow_ = new PreviewWindow(editor_.Render.PreviewImage, *dragger_, clientArea_);
  magnifierWindow_ = new MagnifierWindow(editor_.Render.MagnifierImage, *dragger_, clientArea_);
  const CorrectorImages correctorImages{editor_.Render.CorrectorScreen0, editor_.Render.CorrectorScreen1,
                                        editor_.Corrector.Detail0, editor_.Corrector.Detail1,
                                        editor_.Corrector.Strips};
  correctorWindow_ = new CorrectorWindow(correctorImages, *dragger_, clientArea_);
  correctorWindow_->SizeDetailFrames(editor_.Document.CharMode);
}

void MainWindow::ConnectToolBar() {
  connect(toolBar_, &ToolBar::ZoomChosen, this, [this](int level) {
    SetZoom(level);
    editor_.Redraw(true);
    Present();
  });
  connect(toolBar_, &ToolBar::ButtonActivated, this, &MainWindow::OnToolBarButton);
  connect(toolBar_, &ToolBar::ToolChosen, this, &MainWindow::SelectTool);
  connect(toolBar_, &ToolBar::EntryChosen, this, &MainWindow::ChooseEntry);
  toolBar_->ShowOn(ToolBarButton::PixMode, editor_.Editing.EditModePix);
  toolBar_->ShowOn(ToolBarButton::RgbMode, editor_.Editing.EditModeRgb);
  toolBar_->ShowTool(editor_.Editing.CurrentInstrument);
}

void MainWindow::ConnectPictureWindow() {
  connect(pictureWindow_, &PictureWindow::MaximiseToggled, this, &MainWindow::ToggleMaximised);
  connect(pictureWindow_, &PictureWindow::CanvasPressed, this, [this](QPoint at, Qt::MouseButton button) {
    ShowCanvasFeedback(CanvasMouseDown(editor_, ButtonsOf(button), at.x(), at.y()));
  });
  connect(pictureWindow_, &PictureWindow::CanvasMoved, this, [this](QPoint at, Qt::MouseButtons held) {
    ShowCanvasFeedback(CanvasMouseMove(editor_, ButtonsOf(held), at.x(), at.y()));
  });
  connect(pictureWindow_, &PictureWindow::CanvasReleased, this, [this] {
    CanvasMouseUp(editor_);
    Present();
  });
}

void MainWindow::ConnectToolWindows() {
  connect(paletteWindow_, &PaletteWindow::LocatorPressed, this, [this](QPoint at) {
    if (StartLocatorBlink(editor_, at.x(), at.y())) {
      locatorBlinkTimer_->start();
    } else {
      locatorBlinkTimer_->stop();
    }
    paletteWindow_->RepaintFullPalette();
  });
  connect(paletteWindow_, &PaletteWindow::FullPalettePressed, this, [this](QPoint at) {
    PickFullPalette(editor_, at.x(), at.y());
    ShowColours();
  });
  connect(paletteWindow_, &PaletteWindow::StripPressed, this, [this](int row, int x) {
    PickStrip(editor_, static_cast<StripKind>(row), x);
    ShowColours();
  });
  connect(paletteWindow_, &PaletteWindow::ScreenBitChosen, this, [this](int screen, int bit) {
    ApplyCharBits(editor_, screen, bit);
    ShowEntryMarks();
  });
  connect(paletteWindow_, &PaletteWindow::EntryChosen, this, &MainWindow::ChooseEntry);

  connect(borderPaletteWindow_, &BorderPaletteWindow::PalettePressed, this, [this](QPoint at) {
    PickBorder(editor_, at.x(), at.y());
    ShowBorderColour();
    borderPaletteWindow_->RepaintPalette();
  });

  connect(previewWindow_, &PreviewWindow::PointerMoved, this, [this](QPoint at) {
    editor_.View.SelectorColumn = at.x() / 16;
    editor_.View.SelectorRow = at.y() / 16;
    DrawSelectorAtCurrentPosition();
  });
  connect(previewWindow_, &PreviewWindow::Pressed, this, &MainWindow::ZoomToSelector);
  // Over the border the selector goes away.
  connect(previewWindow_, &PreviewWindow::PointerOverBorder, this, [this] {
    editor_.Render.ShowPreview();
    Present();
  });

  connect(bitmapExportWindow_, &BitmapExportWindow::ExportAsked, this, [this](int sizeIndex) {
    // A failed write leaves the window open for another try.
    if (files_.ExportBitmap(sizeIndex)) bitmapExportWindow_->hide();
  });

  connect(correctorWindow_, &CorrectorWindow::CellPressed, this, [this](QPoint at) {
    ChooseCorrectorCell(editor_, at.x(), at.y());
    correctorWindow_->RepaintImages();
  });
  connect(correctorWindow_, &CorrectorWindow::ExchangeCellsClicked, this, [this] {
    ExchangeCorrectorCell(editor_);
    correctorWindow_->RepaintImages();
  });
}

QAction* MainWindow::Action(const char* name) const { return findChild<QAction*>(name); }

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
  editor_.Redraw(true);
  Present();
}

void MainWindow::ProbeStartup(QElapsedTimer sinceLaunch) {
  pictureWindow_->WatchFirstPaint([sinceLaunch] {
    std::fprintf(stderr, "first paint after %lld ms\n", static_cast<long long>(sinceLaunch.elapsed()));
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
}

// View ----------------------------------------------------------------------

void MainWindow::FollowZoom() {
  toolBar_->ShowZoom(editor_.View.ZoomLevel);
  pictureWindow_->FollowCanvasSize();
}

void MainWindow::SetZoom(int level) {
  editor_.SetZoom(level);
  FollowZoom();
}

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
  editor_.View.CharGridOn = !editor_.View.CharGridOn;
  toolBar_->ShowOn(ToolBarButton::CharGrid, editor_.View.CharGridOn);
  editor_.Redraw(true);
  Present();
}

void MainWindow::TogglePixelGrid() {
  editor_.View.PixelGridOn = !editor_.View.PixelGridOn;
  toolBar_->ShowOn(ToolBarButton::PixelGrid, editor_.View.PixelGridOn);
  editor_.Redraw(true);
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
  editor_.Render.ShowPreview();
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

void MainWindow::DrawSelectorAtCurrentPosition() {
  ViewState& view = editor_.View;
  const QSize box = pictureWindow_->ScrollBoxSize();
  const Point clamped = editor_.Render.DrawZoomSelector({view.SelectorColumn, view.SelectorRow}, view.SelectorSize,
                                                        box.width(), box.height(), editor_.SelectorIcons);
  view.SelectorColumn = clamped.X;
  view.SelectorRow = clamped.Y;
  Present();
}

void MainWindow::ChangeSelectorSize(int delta) {
  ViewState& view = editor_.View;
  const int size = view.SelectorSize + delta;
  if (size < MinSelectorSize || size > MaxSelectorSize) return;
  view.SelectorSize = size;
  DrawSelectorAtCurrentPosition();
}

void MainWindow::ZoomToSelector() {
  const ViewState& view = editor_.View;
  SetZoom(view.SelectorSize / 4);  // sizes 8, 12, 16 are the scales of levels 2, 3, 4
  const int scale = view.Scale();
  editor_.Redraw(true);
  Present();
  // The frame's top-left picture pixel becomes the top-left of the view.
  pictureWindow_->ScrollCanvasTo(scale * view.SelectorColumn * 8, scale * view.SelectorRow * 8);
  TogglePreviewWindow();
}

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

void MainWindow::SelectTool(InstrumentKind kind) {
  SelectInstrument(editor_, kind);
  toolBar_->ShowTool(kind);
}

void MainWindow::TogglePix() {
  editor_.Editing.EditModePix = !editor_.Editing.EditModePix;
  toolBar_->ShowOn(ToolBarButton::PixMode, editor_.Editing.EditModePix);
}

void MainWindow::ToggleRgb() {
  editor_.Editing.EditModeRgb = !editor_.Editing.EditModeRgb;
  toolBar_->ShowOn(ToolBarButton::RgbMode, editor_.Editing.EditModeRgb);
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
  RefreshColourPickers(editor_);
  const ColourSet& c = editor_.Editing.CurrentColours;
  const CharPalette mixed = MakeCharPalette(c.PAP0, c.INK0, c.PAP1, c.INK1);
  paletteWindow_->ShowEntryColours(mixed);
  toolBar_->ShowEntryColours(mixed);
  paletteWindow_->RepaintFullPalette();
  paletteWindow_->RepaintStrips();
}

void MainWindow::ShowEntryMarks() {
  const int entry = editor_.Editing.SelectedCharColour;
  paletteWindow_->MarkEntry(entry);
  toolBar_->MarkEntry(entry);
  paletteWindow_->MarkScreenBits(editor_.Editing.ScreenBit(0), editor_.Editing.ScreenBit(1));
}

void MainWindow::ChooseEntry(int entry) {
  SetCharColour(editor_, entry);
  ShowEntryMarks();
}

void MainWindow::ShowBorderColour() {
  previewWindow_->ShowBorderColour(ToQColor(editor_.Document.BorderDisplayColour()));
}

void MainWindow::UndoSwap() {
  chromaloom::UndoSwap(editor_);
  Present();
}

void MainWindow::RunPictureCommand(const std::function<void(Editor&)>& command) {
  command(editor_);
  Present();
}

// The corrector ---------------------------------------------------------------

void MainWindow::ToggleCorrector() {
  if (!correctorWindow_->isHidden()) {
    correctorWindow_->hide();
    return;
  }
  // Sized for the current cell height and rendered afresh at each showing.
  correctorWindow_->SizeDetailFrames(editor_.Document.CharMode);
  ShowCorrector(editor_);
  correctorWindow_->show();
  correctorWindow_->raise();  // over the other panels, as they come up too
  correctorWindow_->RepaintImages();
}

void MainWindow::MarchCorrectorAnts() {
  if (!correctorWindow_->isVisible()) return;
  DrawCorrectorAnts(editor_);
  const CorrectorCellArea cell = CorrectorCellInPicture(editor_);
  correctorWindow_->RepaintCell(cell.Column, cell.Row, cell.Height);
}

// Picture commands -------------------------------------------------------------

void MainWindow::NewPicture(int cellHeight) {
  editor_.NewPicture(cellHeight);
  FollowZoom();
  Present();
}

void MainWindow::ConvertCellHeight(int cellHeight) {
  editor_.ConvertCharMode(cellHeight);
  FollowZoom();
  Present();
}

void MainWindow::AfterPictureLoaded() {
  FollowZoom();
  ShowBorderColour();
  borderPaletteWindow_->RepaintPalette();
  Present();
}

void MainWindow::OpenAnyFile(const QString& path) { files_.OpenAnyFile(path); }

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

// Timers and repaint --------------------------------------------------------------

void MainWindow::AntsTick() {
  editor_.Tick();
  MarchCorrectorAnts();
  Present();
}

void MainWindow::LocatorBlinkTick() {
  if (!GradientTick(editor_)) locatorBlinkTimer_->stop();
  paletteWindow_->RepaintFullPalette();
}

void MainWindow::Present() {
  const Damage damage = editor_.Render.TakeDamage();
  pictureWindow_->RepaintCanvas(damage.Editor);
  if (damage.Preview) previewWindow_->RepaintPreview();
  if (damage.Magnifier) magnifierWindow_->RepaintMagnifier();
}

// Keys --------------------------------------------------------------------------

bool MainWindow::KeyPressed(int key, Qt::KeyboardModifiers modifiers) {
  const KeyPress press = KeyPress::From(key, modifiers);
  pointerStepCount_ = std::min(pointerStepCount_, MaxPointerStepCount);
  bool handled = false;
  for (const KeyRow& row : KeyTable()) {
    // Read at each row, as an earlier row may have changed it.
    const KeyState state{previewWindow_->isVisible(), editor_.View.SelectorSize};
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

void MainWindow::KeyReleased() { pointerStepCount_ = 0; }

void MainWindow::RunKeyCommand(KeyCommand command) {
  switch (command) {
    case KeyCommand::ChoosePencil:
      return SelectTool(InstrumentKind::Paint);
    case KeyCommand::ChooseFillCell:
      return SelectTool(InstrumentKind::FillChar);
    case KeyCommand::ChooseSelection:
      return SelectTool(InstrumentKind::Select);
    case KeyCommand::ChooseLine:
      return SelectTool(InstrumentKind::Line);
    case KeyCommand::ChooseRect:
      return SelectTool(InstrumentKind::Rect);
    case KeyCommand::EndShape:
      editor_.Editing.ShapeInProgress = false;
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
    case KeyCommand::Undo:
      return UndoSwap();
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
      return RunPictureCommand([](Editor& e) { e.Redraw(false); });
    // These run through their menu actions.
    case KeyCommand::RemoveSelection:
    case KeyCommand::DeleteSelection:
    case KeyCommand::Copy:
    case KeyCommand::Paste:
    case KeyCommand::RotatePixelsLeft:
    case KeyCommand::RotatePixelsRight:
    case KeyCommand::RotatePixelsUp:
    case KeyCommand::RotatePixelsDown:
      return;
  }
}

void MainWindow::StepPointer(int dx, int dy) {
  // Each held repeat moves one more step of the zoom's scale.
  const int step = editor_.View.Scale() * ++pointerStepCount_;
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
      const auto* key = static_cast<QKeyEvent*>(event);
      if (type == QEvent::KeyPress) return KeyPressed(key->key(), key->modifiers());
      // A held key repeats as press and release pairs here; only the real release counts.
      if (!key->isAutoRepeat()) KeyReleased();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace chromaloom

#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QWidgetAction>

#include <cstdio>
#include <utility>

#include "window/bitmap_export_window.h"
#include "window/border_palette_window.h"
#include "window/command_menus.h"
#include "window/corrector_window.h"
#include "window/editor_settings.h"
#include "window/flicker_window.h"
#include "window/floating_panel.h"
#include "window/help_dialogs.h"
#include "window/keyboard_shortcuts_dialog.h"
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

namespace {

const QString ProgramTitle = QStringLiteral("chromaLoom x" CHROMALOOM_VERSION);
constexpr int MinRestoredWidth = 320;
constexpr int MinRestoredHeight = 240;

}  // namespace

MainWindow::MainWindow(const QStringList& args, const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent), settings_(std::make_unique<EditorSettings>(settingsFile)) {
  setObjectName("mainWindow");
  setWindowTitle(ProgramTitle);
  setWindowIcon(ProgramIcon());
  // The layout is measured for a small 8-point face, as the controls' sizes are fixed.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  dragger_ = new PanelDragger(this);
  dragger_->setObjectName("panelDragger");
  setAcceptDrops(true);

  // Over the whole work area of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());

  clientArea_ = new QWidget(this);
  clientArea_->setObjectName("clientArea");
  SetBackground(clientArea_, WorkSpaceColour);
  setCentralWidget(clientArea_);

  controller_ = new DocumentController(this);
  keyboard_ = new KeyboardPointer(*this, *menuBar(), [this](const KeyPress& press) { return RunKeys(press); });
  CreateMenus();
  toolBar_ = new ToolBar(clientArea_);
  statusBar_ = new StatusBar(clientArea_);
  workSpace_ = new QFrame(clientArea_);
  workSpace_->setObjectName("workSpace");
  SetBackground(workSpace_, WorkSpaceColour);
  CreatePanels();
  connect(toolBar_, &ToolBar::CommandPressed, this, &MainWindow::Run);
  connect(controller_, &DocumentController::CommandStateChanged, this, &MainWindow::ShowCommandStates);
  connect(controller_, &DocumentController::DocumentStateChanged, this, &MainWindow::ShowDocumentState);
  connect(panels_, &PanelController::Toggled, this, &MainWindow::ShowCommandStates);
  keyboard_->SetPanKey([this](bool held) { pictureWindow_->SetPanKeyHeld(held); });
  connect(pictureWindow_, &PictureWindow::Panned, keyboard_, &KeyboardPointer::MarkPanned);
  keyboard_->SetTextInput([this](const QKeyEvent& key) { return controller_->TypeTextKey(key); });

  antsTimer_ = new QTimer(this);
  antsTimer_->setObjectName("antsTimer");
  antsTimer_->setInterval(100);
  connect(antsTimer_, &QTimer::timeout, this, &MainWindow::AntsTimerTick);
  antsTimer_->start();

  controller_->SetZoom(1);
  LayoutClientArea();
  recentFiles_ = new RecentFiles(
      findChild<QMenu*>("openRecentMenu"), actions_.value("clearRecentFilesAction"), *settings_,
      [this](const QString& path) { controller_->OpenAnyFile(path); },
      [this](const QString& message) { controller_->Files().ShowError(message); });
  connect(controller_, &DocumentController::FileUsed, this, [this](const QString& path) { recentFiles_->Add(path); });
  connect(controller_, &DocumentController::ReferenceChanged, this,
          [this](const QString& picture, const std::optional<ReferencePlacement>& placement) {
            settings_->SetReference(picture, placement);
          });
  connect(controller_, &DocumentController::ReferenceWanted, this,
          [this](const QString& picture) { controller_->RestoreReference(settings_->Reference(picture)); });
  RestoreSettings();
  startupFile_ = controller_->Files().TakeStartupArgs(args);
  ShowCommandStates();
}

MainWindow::~MainWindow() = default;

// Building ----------------------------------------------------------------

void MainWindow::CreateMenus() {
  const MenuHandlers handlers{
      [this](const Command& command) { Run(command); },
      [this](FileKind kind) { controller_->Files().Import(kind); },
      [this](FileKind kind) {
        // A bitmap is not the picture's own bytes: its size is chosen first.
        if (IsBitmapExport(kind)) {
          findChild<BitmapExportWindow*>()->Open(kind);
        } else {
          // A one-screen file takes the screen in view; the mixed view gives screen 0.
          controller_->Files().Export(kind, controller_->View().Shown() == ScreenView::Screen1 ? 1 : 0);
        }
      },
  };
  actions_ = BuildMenus(*menuBar(), handlers);
  // The reference image's opacity as a slider in its menu, beside the keys.
  auto* opacity = new QSlider(Qt::Horizontal);
  opacity->setObjectName("referenceOpacitySlider");
  opacity->setRange(0, 100);
  opacity->setToolTip(
      QCoreApplication::translate("Editor", "Opacity of the reference image (F7 fainter, F8 stronger)"));
  auto* holder = new QWidgetAction(this);
  holder->setDefaultWidget(opacity);
  if (auto* menu = menuBar()->findChild<QMenu*>("referenceMenu"))
    menu->insertAction(actions_.value("removeReferenceAction"), holder);
  connect(opacity, &QSlider::valueChanged, this, [this](int value) {
    if (value != controller_->Reference().Place.Opacity) controller_->SetReferenceOpacity(value);
  });
}

void MainWindow::CreatePanels() {
  const Renderer& render = controller_->View().Render;
  const PickerImages& images = controller_->Colours().Images();
  const CorrectorState& corrector = controller_->Corrector().State();
  DocumentPanels panels;
  panels.Picture = pictureWindow_ = new PictureWindow(render, *dragger_, clientArea_);
  panels.Palette = new PaletteWindow(images.Gradient, images.Full, images.Strips, *dragger_, clientArea_);
  panels.BorderPalette = new BorderPaletteWindow(images.Border, *dragger_, clientArea_);
  panels.BitmapExport = new BitmapExportWindow(*dragger_, clientArea_);
  panels.Preview = new PreviewWindow(render.PreviewImage, *dragger_, clientArea_);
  panels.Magnifier = new MagnifierWindow(render.MagnifierImage, *dragger_, clientArea_);
  const CorrectorImages correctorImages{render.CorrectorScreen0, render.CorrectorScreen1, corrector.Detail0,
                                        corrector.Detail1, corrector.Strips};
  panels.Corrector = new CorrectorWindow(correctorImages, *dragger_, clientArea_);
  panels.Flicker = new FlickerWindow(this);
  panels.Status = statusBar_;
  panels.Tools = toolBar_;
  controller_->Attach(panels);
  controller_->SetPointerOverPicture(
      [this] { return pictureWindow_->ShowsPictureAt(keyboard_->Device().WidgetUnderPointer()); });
  connect(pictureWindow_, &PictureWindow::MaximiseToggled, this, &MainWindow::ToggleMaximised);

  const auto prepare = [this, flicker = panels.Flicker](Panel panel) {
    if (panel == Panel::Preview) controller_->PreparePreview();
    if (panel == Panel::Corrector) controller_->Corrector().Prepare();
    if (panel == Panel::Flicker) flicker->ShowPicture(controller_->Document().Picture());
  };
  panels_ = new PanelController(
      {panels.Palette, panels.BorderPalette, panels.Preview, panels.Magnifier, panels.Corrector, panels.Flicker},
      prepare, PanelRoom{[this] { return WorkArea(); }, [this] { return pictureWindow_->ShownCanvas(clientArea_); }},
      this);
}

// Commands --------------------------------------------------------------------

void MainWindow::Run(const Command& command) {
  if (command.Enabled && !command.Enabled(Targets())) return;
  CommandTarget targets = Targets();
  command.Run(targets);
  ShowCommandStates();
}

bool MainWindow::RunKeys(const KeyPress& press) {
  bool handled = false;
  for (const Command& command : Commands()) {
    // Read at each row, as an earlier row may have changed it.
    const KeyState state{panels_->IsShown(Panel::Preview), controller_->View().ZoomSelectorSize(),
                         controller_->PasteFloats()};
    if (!CommandTakesPress(command, keys_, press, state)) continue;
    handled = true;
    // A command with a menu item runs as that item, so both take one path.
    if (QAction* action = actions_.value(command.Name)) {
      action->trigger();
    } else {
      Run(command);
    }
  }
  return handled;
}

void MainWindow::ShowCommandStates() {
  const CommandTarget targets = Targets();
  for (const Command& command : Commands()) {
    if (command.HasButton() && command.Checked) toolBar_->ShowOn(command, command.Checked(targets));
    QAction* action = command.IsMenuItem() ? actions_.value(command.Name) : nullptr;
    if (!action) continue;
    if (command.Enabled) action->setEnabled(command.Enabled(targets));
    if (command.Checked) action->setChecked(command.Checked(targets));
  }
  if (auto* opacity = findChild<QSlider*>("referenceOpacitySlider")) {
    opacity->setEnabled(!controller_->Reference().Image.isNull());
    const QSignalBlocker quiet(opacity);
    opacity->setValue(controller_->Reference().Place.Opacity);
  }
}

void MainWindow::ShowDocumentState() {
  const QString caption = controller_->Caption(ProgramTitle);
  if (windowTitle() != caption) setWindowTitle(caption);
  const chromaloom::Document& document = controller_->Document();
  const QString undoName = QCoreApplication::translate("Changes", document.UndoName().c_str());
  const QString redoName = QCoreApplication::translate("Changes", document.RedoName().c_str());
  SetCaptionKeepingKeys(
      *actions_.value("undoAction"),
      undoName.isEmpty() ? CommandText("Undo") : QCoreApplication::translate("Editor", "Undo %1").arg(undoName));
  SetCaptionKeepingKeys(
      *actions_.value("redoAction"),
      redoName.isEmpty() ? CommandText("Redo") : QCoreApplication::translate("Editor", "Redo %1").arg(redoName));
  // Ctrl+N makes a new picture of the cell height now in use.
  for (const int h : {8, 4, 2, 1}) {
    const QString name = QString("newPicture8x%1Action").arg(h);
    QList<QKeySequence> keys = ActionShortcuts(*FindCommand(name.toStdString()), keys_);
    if (h == document.CellHeight()) keys << QKeySequence(NewPictureKey());
    QAction& item = *actions_.value(name);
    if (item.shortcuts() != keys) item.setShortcuts(keys);
  }
  ShowCommandStates();
}

void MainWindow::ShowKeysHelp() { OpenKeysDialog(*menuBar(), keys_, this); }

void MainWindow::EditKeyboardShortcuts() {
  auto* dialog = new KeyboardShortcutsDialog(
      keys_, [this](QWidget* over, const QString& message) { controller_->Files().ShowErrorOver(over, message); },
      this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    SetKeys(dialog->Bindings());
    settings_->SetKeys(keys_);
  });
  dialog->open();
}

void MainWindow::SetKeys(const KeyBindings& keys) {
  keys_ = keys;
  ApplyKeys();
}

void MainWindow::ApplyKeys() {
  for (const Command& command : Commands())
    if (QAction* action = command.IsMenuItem() ? actions_.value(command.Name) : nullptr)
      chromaloom::ApplyKeys(*action, command, keys_);
  toolBar_->ShowKeys(keys_);
  ShowDocumentState();
}

void MainWindow::PopUpMenu(const char* menu, const char* button) {
  auto* popup = menuBar()->findChild<QMenu*>(menu);
  auto* under = toolBar_->findChild<QWidget*>(button);
  if (!popup || !under) return;
  // A button the window is too narrow for is in the overflow menu: the menu opens under the pointer then.
  popup->popup(under->isVisible() ? under->mapToGlobal(QPoint(0, under->height())) : QCursor::pos());
}

void MainWindow::ClearRecentFiles() { recentFiles_->Clear(); }

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
  pictureWindow_->stackUnder(findChild<PaletteWindow*>());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutClientArea();
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

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  LayoutClientArea();
  if (shownOnce_) return;
  shownOnce_ = true;
  controller_->ShowFirstTime();
  // After the show, so that a bad file's message stands over the window.
  if (const auto file = std::exchange(startupFile_, std::nullopt))
    QTimer::singleShot(0, this, [this, path = *file] { controller_->Files().OpenStartupFile(path); });
}

void MainWindow::ProbeStartup(QElapsedTimer sinceLaunch) {
  pictureWindow_->WatchFirstPaint([sinceLaunch] {
    std::fprintf(stderr, "first paint after %lld ms\n", static_cast<long long>(sinceLaunch.elapsed()));
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
}

void MainWindow::AntsTimerTick() { controller_->MarchAnts(); }

// Files dropped and the window closed -----------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile() && FileCommands::IsKnownKind(urls.front().toLocalFile()))
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  controller_->OpenAnyFile(urls.front().toLocalFile());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!controller_->Files().MayDiscardChanges()) {
    event->ignore();
    return;
  }
  settings_->Save(CurrentSettings());
  findChild<FlickerWindow*>()->hide();
  QMainWindow::closeEvent(event);
}

// Remembered settings -------------------------------------------------------------

void MainWindow::ChooseLanguage(InterfaceLanguage language) {
  language_ = language;
  settings_->SetLanguage(language);
  statusBar_->ShowMessage(QCoreApplication::translate("Editor", "The language changes at the next start"));
}

void MainWindow::RestoreSettings() {
  QRect area;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    area = QRect({0, 0}, screen->availableGeometry().size());
  const RememberedSettings remembered = settings_->Load(area);
  controller_->Files().RestoreDialogStates(remembered.OpenDialog, remembered.SaveDialog);
  findChild<BitmapExportWindow*>()->SetChosenSize(remembered.BitmapSize);
  const chromaloom::View& view = controller_->View();
  if (remembered.CharGrid != view.Settings().CharGridOn) controller_->ToggleCharGrid();
  if (remembered.PixelGrid != view.Settings().PixelGridOn) controller_->TogglePixelGrid();
  controller_->SetZoom(remembered.ZoomLevel);
  panels_->Restore(remembered);
  if (remembered.PictureBounds) pictureWindow_->SetFloatingBounds(*remembered.PictureBounds);
  if (!remembered.PictureMaximised) ToggleMaximised();
  // Bytes that are no geometry leave the window over the work area; so does
  // a window too small to be one a person left on purpose.
  const QRect fallback = geometry();
  if (restoreGeometry(remembered.MainGeometry) && (width() < MinRestoredWidth || height() < MinRestoredHeight)) {
    setWindowState(Qt::WindowNoState);
    setGeometry(fallback);
  }
  controller_->ImportOptions() = remembered.ImportOptions;
  SetKeys(settings_->Keys());
  language_ = settings_->Language();
}

RememberedSettings MainWindow::CurrentSettings() const {
  RememberedSettings current;
  const FileCommands& files = controller_->Files();
  current.OpenDialog = files.OpenDialogState();
  current.SaveDialog = files.SaveDialogState();
  current.BitmapSize = findChild<BitmapExportWindow*>()->ChosenSize();
  const chromaloom::View& view = controller_->View();
  current.CharGrid = view.Settings().CharGridOn;
  current.PixelGrid = view.Settings().PixelGridOn;
  current.ZoomLevel = view.ZoomLevel();
  panels_->Remember(current);
  current.PictureMaximised = IsPictureMaximised();
  current.PictureBounds = pictureWindow_->RestoredBounds();
  current.MainGeometry = saveGeometry();
  current.ImportOptions = controller_->ImportOptions();
  return current;
}

}  // namespace chromaloom

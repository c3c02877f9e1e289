#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

#include "files/file_io.h"
#include "formats/file_names.h"
#include "selection/undo.h"
#include "window/clickable_panel.h"
#include "window/corrector_panel.h"
#include "window/floating_panel.h"
#include "window/image_view.h"
#include "window/widget_colours.h"
#include "window/tool_icons.h"

namespace chromaloom {

namespace {

constexpr int ToolBarHeight = 41;
constexpr int StatusBarHeight = 22;
constexpr int ToolButtonSize = 32;
constexpr QColor WorkSpaceColour(128, 128, 128);

struct MenuEntry {
  const char* Name;  // nullptr: a separator
  const char* Caption;
  std::vector<MenuEntry> Items;
};

MenuEntry Separator() { return {nullptr, "-", {}}; }

const std::vector<MenuEntry>& MainMenu() {
  static const std::vector<MenuEntry> menu = {
      {"File1", "File",
       {{"CreateNew1", "New",
         {{"N8x8StandartGigascreen1", "8x8 Standart Gigascreen", {}},
          {"N4x81", "8x4 MultiGigaScreen", {}},
          {"N3x81", "8x2 MultiGigaScreen", {}},
          {"N1x81", "8x1 MultiGigaScreen", {}}}},
        {"Changevertical1", "Change char size",
         {{"Convertto8x8", "Convert to 8x8", {}},
          {"Convertto8x4", "Convert to 8x4", {}},
          {"Convertto8x2", "Convert to 8x2", {}},
          {"Convertto8x1", "Convert to 8x1", {}}}},
        Separator(),
        {"Open1", "Open *.mgs", {}},
        {"Save1", "Save *.mgs", {}},
        Separator(),
        {"Import1", "Import",
         {{"Importfromimg2", "Import from *.img", {}},
          {"Importfromimg1", "Import from *.$img", {}},
          Separator(),
          {"Importfromscr1", "Import from *.scr", {}},
          {"Importfromscr2", "Import from *.$scr", {}},
          Separator(),
          {"Importfrommg1mg2mg4mg81", "Import from *.mg1/mg2/mg4/mg8", {}}}},
        {"N3", "Export",
         {{"Exporttoimg2", "Export to *.img", {}},
          Separator(),
          {"Exporttomg01", "Export to *.mg1", {}},
          {"Exporttomg11", "Export to *.mg2", {}},
          {"Exporttomg21", "Export to *.mg4", {}},
          {"Exporttomg81", "Export to *.mg8", {}},
          Separator(),
          {"ExporttoBMP1", "Export to *.BMP", {}}}},
        Separator(),
        {"PreviewonZX1", "Preview TRD on ZX-emul", {}}}},
      {"Edit1", "Edit",
       {{"Removeselection1", "Remove selection (CTRL+D or ESC)", {}},
        Separator(),
        {"Copy1", "Copy (CTRL+C)", {}},
        {"Paste1", "Paste (CTRL+V)", {}},
        {"DeleteDEL1", "Delete (DEL)", {}},
        Separator(),
        {"FlipHorizontal1", "Flip Horizontal", {}},
        {"FlipVertical1", "Flip Vertical", {}},
        Separator(),
        {"Rotate90cw1", "Rotate 90` cw", {}},
        Separator(),
        {"Rotatepixelsright1", "Rotate pixels Right (CTRL+CursorRight)", {}},
        {"RotatepixelsLeft1", "Rotate pixels Left (CTRL+CursorLeft)", {}},
        {"RotatepixelsUp1", "Rotate pixels Up (CTRL+CursorUp)", {}},
        {"RotatepixelsDown1", "Rotate pixels Down (CTRL+CursorDown)", {}}}},
      {"ColorCorrector1", "Color Corrector", {{"ShowHide1", "Show/Hide", {}}, Separator()}},
  };
  return menu;
}

void AddMenuEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    if (!entry.Name) {
      menu->addSeparator();
    } else if (entry.Items.empty()) {
      menu->addAction(QString::fromUtf8(entry.Caption))->setObjectName(entry.Name);
    } else {
      QMenu* sub = menu->addMenu(QString::fromUtf8(entry.Caption));
      sub->setObjectName(entry.Name);
      sub->menuAction()->setObjectName(entry.Name);
      AddMenuEntries(sub, entry.Items);
    }
  }
}

}  // namespace

MainWindow::MainWindow(const QStringList& args, QWidget* parent) : QMainWindow(parent) {
  setObjectName("MainWindow");
  setWindowTitle("chromaLoom x0.91");
  setWindowIcon(ProgramIcon());
  // The layout is measured for a small 8-point face, as the controls' sizes are fixed.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  Dragger = new PanelDragger(this);
  programFolder_ = QCoreApplication::applicationDirPath() + "/";
  dialogs_ = MakeQtDialogs();
  pointer_ = MakeSystemPointer();
  setAcceptDrops(true);

  // Over the whole work area of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());

  EditMode_MGS = new QWidget(this);
  EditMode_MGS->setObjectName("EditMode_MGS");
  SetBackground(EditMode_MGS, WorkSpaceColour);
  setCentralWidget(EditMode_MGS);

  CreateMenu();
  CreateToolBar();
  CreateStatusBar();
  Panel_WorkSpace = new QFrame(EditMode_MGS);
  Panel_WorkSpace->setObjectName("Panel_WorkSpace");
  SetBackground(Panel_WorkSpace, WorkSpaceColour);
  CreatePictureWindow();
  CreateFloatingPanels();

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
  Timer1->start();
  Timer_GradPal = new QTimer(this);
  Timer_GradPal->setObjectName("Timer_GradPal");
  Timer_GradPal->setInterval(100);
  connect(Timer_GradPal, &QTimer::timeout, this, &MainWindow::Timer_GradPalTimer);

  qApp->installEventFilter(this);
  SetZoom(1);
  LayoutClientArea();
  OpenStartupFile(args);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::OpenStartupFile(const QStringList& args) {
  QString folder = programFolder_;
  if (args.size() == 1) {
    const QString path = args.front();
    try {
      editor_.LoadMgs(ReadFileBytes(path.toStdString(), MaxReadLength(FileKind::Mgs)));
    } catch (const std::exception& e) {
      startupError_ = FileErrorMessage(path, e);
    }
    AfterPictureLoaded();
    folder = QFileInfo(path).absolutePath() + "/";
  }
  OpenDialog1.Folder = SaveDialog1.Folder = folder;
}

void MainWindow::CreateMenu() {
  for (const MenuEntry& top : MainMenu()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(top.Caption));
    menu->setObjectName(top.Name);
    AddMenuEntries(menu, top.Items);
  }
  const std::pair<const char*, int> news[] = {
      {"N8x8StandartGigascreen1", 8}, {"N4x81", 4}, {"N3x81", 2}, {"N1x81", 1}};
  for (const auto& [name, h] : news)
    connect(findChild<QAction*>(name), &QAction::triggered, this, [this, h = h] { NewPicture(h); });
  ConnectFileCommands();
  ConnectEditCommands();
  const std::pair<const char*, int> converts[] = {
      {"Convertto8x8", 8}, {"Convertto8x4", 4}, {"Convertto8x2", 2}, {"Convertto8x1", 1}};
  for (const auto& [name, h] : converts)
    connect(findChild<QAction*>(name), &QAction::triggered, this, [this, h = h] { ConvertCharMode(h); });
}

QToolButton* MainWindow::AddToolButton(const char* name, int x, const QString& tooltip, bool checkable) {
  auto* button = new QToolButton(Panel_Instruments);
  button->setObjectName(name);
  button->setGeometry(x, (ToolBarHeight - ToolButtonSize) / 2, ToolButtonSize, ToolButtonSize);
  button->setIcon(ToolBarIcon(name));
  button->setIconSize(QSize(22, 22));
  button->setCheckable(checkable);
  button->setFocusPolicy(Qt::NoFocus);
  if (!tooltip.isEmpty()) button->setToolTip(tooltip);
  return button;
}

void MainWindow::CreateToolBar() {
  Panel_Instruments = new QFrame(EditMode_MGS);
  Panel_Instruments->setObjectName("Panel_Instruments");
  Panel_Instruments->setFrameShape(QFrame::Panel);
  Panel_Instruments->setFrameShadow(QFrame::Raised);
  SetBackground(Panel_Instruments, palette().color(QPalette::Button));

  KEY_Zoom1_1 = AddToolButton("KEY_Zoom1_1", 4, {}, true);
  KEY_Zoom2_1 = AddToolButton("KEY_Zoom2_1", 36, {}, true);
  KEY_Zoom3_1 = AddToolButton("KEY_Zoom3_1", 68, {}, true);
  KEY_Zoom4_1 = AddToolButton("KEY_Zoom4_1", 100, {}, true);
  Key_Grid = AddToolButton("Key_Grid", 140, "PerChar Grid (use hotkey 'G')", true);
  Key_zGrid = AddToolButton("Key_zGrid", 172, "PerPixel Grid (use hotkey 'H')", true);
  KEY_Palette = AddToolButton("KEY_Palette", 212, "Full Palette Window (use hotkey 'C')", true);
  KEY_BorderPalette = AddToolButton("KEY_BorderPalette", 244, "Border Palette Window (use hotkey 'B')", true);
  KEY_Preview = AddToolButton("KEY_Preview", 284, "Preview and Zoom selector Window (use hotkey 'V')", true);
  KEY_ZoomPreview = AddToolButton("KEY_ZoomPreview", 316, "Preview Zoom Window (use hotkey 'ALT+V')", true);

  Panel_CurrentColors = new QFrame(Panel_Instruments);
  Panel_CurrentColors->setObjectName("Panel_CurrentColors");
  Panel_CurrentColors->setGeometry(356, 2, 213, 37);
  const char* labels[] = {"P0+P1", "P0+I1", "I0+P1", "I0+I1"};
  for (int k = 0; k < 4; ++k) {
    auto* label = new QLabel(labels[k], Panel_CurrentColors);
    label->setGeometry(4 + k * 52, 0, 50, 14);
    label->setAlignment(Qt::AlignCenter);
    CharPal_SelectedColor[k] = new ClickablePanel(Panel_CurrentColors);
    CharPal_SelectedColor[k]->setObjectName(QString("CharPal_SelectedColor%1").arg(k));
    CharPal_SelectedColor[k]->setGeometry(8 + k * 52, 15, 42, 20);
    connect(CharPal_SelectedColor[k], &ClickablePanel::Clicked, this, [this, k] {
      SetCharColour(editor_, k);
      RefreshCharPaletteMarks();
    });
  }

  KEY_EditMode_PIX = AddToolButton("KEY_EditMode_PIX", 572, {}, true);
  KEY_EditMode_PIX->setText("PIX");
  KEY_EditMode_PIX->setFixedWidth(41);
  KEY_EditMode_RGB = AddToolButton("KEY_EditMode_RGB", 613, {}, true);
  KEY_EditMode_RGB->setText("RGB");
  KEY_EditMode_RGB->setFixedWidth(49);
  Key_Instrument_Paint = AddToolButton("Key_Instrument_Paint", 668, "Pencil (use hotkey 'P')", true);
  Key_Instrument_Line = AddToolButton("Key_Instrument_Line", 700, "Line (use hotkey 'L')", true);
  Key_Instrument_Rect = AddToolButton("Key_Instrument_Rect", 732, {}, true);
  Key_Instrument_FillChar = AddToolButton("Key_Instrument_FillChar", 764, "Fill Char (use hotkey 'N')", true);
  Key_Instrument_Select = AddToolButton("Key_Instrument_Select", 796, "Selection (use hotkey 'S')", true);
  Key_Instrument_Ellipse = AddToolButton("Key_Instrument_Ellipse", 836, {}, true);
  Key_Instrument_Ellipse->hide();

  // A zoom button acts on the press, not the click.
  QToolButton* zooms[] = {KEY_Zoom1_1, KEY_Zoom2_1, KEY_Zoom3_1, KEY_Zoom4_1};
  for (int level = 1; level <= 4; ++level)
    connect(zooms[level - 1], &QToolButton::pressed, this, [this, level] {
      SetZoom(level);
      editor_.Redraw(true);
      Present();
    });
  // These buttons show a state (set with setDown), not their own toggling.
  for (QToolButton* toggle : {Key_Grid, Key_zGrid, KEY_Palette, KEY_BorderPalette, KEY_Preview, KEY_ZoomPreview,
                              KEY_EditMode_PIX, KEY_EditMode_RGB})
    toggle->setCheckable(false);
  connect(Key_Grid, &QToolButton::clicked, this, &MainWindow::ToggleCharGrid);
  connect(Key_zGrid, &QToolButton::clicked, this, &MainWindow::TogglePixelGrid);
  connect(KEY_Palette, &QToolButton::clicked, this, &MainWindow::TogglePaletteWindow);
  connect(KEY_BorderPalette, &QToolButton::clicked, this, &MainWindow::ToggleBorderPaletteWindow);
  connect(KEY_Preview, &QToolButton::clicked, this, &MainWindow::TogglePreviewWindow);
  connect(KEY_ZoomPreview, &QToolButton::clicked, this, &MainWindow::ToggleZoomMagnifier);
  connect(KEY_EditMode_PIX, &QToolButton::clicked, this, &MainWindow::ToggleEditModePix);
  connect(KEY_EditMode_RGB, &QToolButton::clicked, this, &MainWindow::ToggleEditModeRgb);
  KEY_EditMode_PIX->setDown(editor_.Editing.EditModePix);
  KEY_EditMode_RGB->setDown(editor_.Editing.EditModeRgb);
  // A tool is chosen by a press of any button; the current one stays lowered.
  for (QToolButton* tool : {Key_Instrument_Paint, Key_Instrument_Line, Key_Instrument_Rect, Key_Instrument_FillChar,
                            Key_Instrument_Select, Key_Instrument_Ellipse}) {
    tool->setCheckable(false);
    tool->installEventFilter(this);
  }
  Key_Instrument_Paint->setDown(true);
}

void MainWindow::CreateStatusBar() {
  Panel_StatusBar_1 = new QFrame(EditMode_MGS);
  Panel_StatusBar_1->setObjectName("Panel_StatusBar_1");
  Panel_StatusBar_1->setFrameShape(QFrame::Panel);
  Panel_StatusBar_1->setFrameShadow(QFrame::Raised);
  SetBackground(Panel_StatusBar_1, palette().color(QPalette::Button));
  auto* caption = new QLabel("Current Char Palette:", Panel_StatusBar_1);
  caption->setGeometry(6, 2, 130, 18);
  for (int k = 0; k < 4; ++k) {
    Status_Color[k] = new QFrame(Panel_StatusBar_1);
    Status_Color[k]->setObjectName(QString("Status_Color%1").arg(k));
    Status_Color[k]->setGeometry(140 + k * 20, 3, 16, 16);
    Status_Color[k]->setFrameShape(QFrame::Box);
    SetBackground(Status_Color[k], Qt::black);
  }
  auto addLabel = [this](const char* name, const char* text, int x) {
    auto* label = new QLabel(text, Panel_StatusBar_1);
    label->setObjectName(name);
    label->setGeometry(x, 2, 60, 18);
    return label;
  };
  Status_Ax = addLabel("Status_Ax", "X: 000", 240);
  Status_Ay = addLabel("Status_Ay", "Y:000", 300);
  Status_Bx = addLabel("Status_Bx", "Ax: 00", 360);
  Status_By = addLabel("Status_By", "Ay: 00", 420);
}

CaptionStrip* MainWindow::AddCaptionStrip(QFrame* panel, const char* name, const QString& caption, int top) {
  auto* strip = new CaptionStrip(caption, panel);
  strip->setObjectName(name);
  strip->setGeometry(panel->contentsRect().left(), top, panel->contentsRect().width(), CaptionStrip::StripHeight);
  return strip;
}

void MainWindow::CreatePictureWindow() {
  Panel_Editor_Picture = new FreePanel(EditMode_MGS);
  Panel_Editor_Picture->setObjectName("Panel_Editor_Picture");
  Panel_Editor_Picture->MinWidth = 524;
  Panel_Editor_Picture->MinHeight = 414;
  auto* layout = new QVBoxLayout(Panel_Editor_Picture);
  layout->setContentsMargins(Panel_Editor_Picture->contentsMargins());
  layout->setSpacing(0);

  Panel3 = new CaptionStrip("Picture", Panel_Editor_Picture);
  Panel3->setObjectName("Panel3");
  layout->addWidget(Panel3);
  Image6 = new QLabel(Panel3);
  Image6->setObjectName("Image6");
  Image6->setFixedSize(16, 13);
  Image6->setPixmap(ResizeIcon(false));
  Image6->setCursor(Qt::PointingHandCursor);
  Image6->installEventFilter(this);
  Panel3->layout()->addWidget(Image6);
  Dragger->AddHandle(Panel3, Panel_Editor_Picture, [this] { return !IsPictureMaximised(); });

  ScrollBox_EditPicture = new QScrollArea(Panel_Editor_Picture);
  ScrollBox_EditPicture->setObjectName("ScrollBox_EditPicture");
  ScrollBox_EditPicture->setFrameShape(QFrame::NoFrame);
  ScrollBox_EditPicture->setWidgetResizable(false);
  ScrollBox_EditPicture->setAlignment(Qt::AlignCenter);
  SetBackground(ScrollBox_EditPicture->viewport(), WorkSpaceColour);
  ScrollBox_EditPicture->viewport()->installEventFilter(this);
  layout->addWidget(ScrollBox_EditPicture, 1);

  Panel_EditPicture = new QFrame;
  Panel_EditPicture->setObjectName("Panel_EditPicture");
  Panel_EditPicture->setFrameShape(QFrame::Box);
  Panel_EditPicture->setLineWidth(1);
  Editor_IMG_MGSFull = new ImageView(editor_.Render.EditorImage, Panel_EditPicture);
  Editor_IMG_MGSFull->setObjectName("Editor_IMG_MGSFull");
  Editor_IMG_MGSFull->move(1, 1);
  ScrollBox_EditPicture->setWidget(Panel_EditPicture);
  connect(Editor_IMG_MGSFull, &ImageView::MouseDown, this, &MainWindow::Editor_IMG_MGSFullMouseDown);
  connect(Editor_IMG_MGSFull, &ImageView::MouseMove, this, &MainWindow::Editor_IMG_MGSFullMouseMove);
  connect(Editor_IMG_MGSFull, &ImageView::MouseUp, this, &MainWindow::Editor_IMG_MGSFullMouseUp);

  Panel_Editor_Picture->SetAlign(PanelAlign::Client);
}

QFrame* MainWindow::CreateFloatingPanel(const char* name, QRect geometry) {
  auto* panel = new QFrame(EditMode_MGS);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setLineWidth(2);
  panel->setContentsMargins(2, 2, 2, 2);
  SetBackground(panel, palette().color(QPalette::Button));
  panel->setGeometry(geometry);
  panel->hide();
  return panel;
}

void MainWindow::CreateFloatingPanels() {
  CreatePaletteContents();
  CreateBorderContents();
  CreateBitmapExportContents();

  Panel_Preview = CreateFloatingPanel("Panel_Preview", {24, 56, 650, 510});
  Dragger->AddHandle(Panel_Preview, Panel_Preview);
  Dragger->AddHandle(
      AddCaptionStrip(Panel_Preview, "Panel20", "Preview and Zoom Selector", Panel_Preview->contentsRect().top()),
      Panel_Preview);
  PanelBorderPreview = new QFrame(Panel_Preview);
  PanelBorderPreview->setObjectName("PanelBorderPreview");
  PanelBorderPreview->setGeometry(4, 4 + CaptionStrip::StripHeight, 642, 481);
  PanelBorderPreview->setMouseTracking(true);
  PanelBorderPreview->installEventFilter(this);
  Editor_IMG_Preview = new ImageView(editor_.Render.PreviewImage, PanelBorderPreview);
  Editor_IMG_Preview->setObjectName("Editor_IMG_Preview");
  Editor_IMG_Preview->move(65, 50);
  connect(Editor_IMG_Preview, &ImageView::MouseMove, this, &MainWindow::Editor_IMG_PreviewMouseMove);
  connect(Editor_IMG_Preview, &ImageView::MouseDown, this, &MainWindow::Editor_IMG_PreviewMouseDown);

  Panel_ZoomPreview = CreateFloatingPanel("Panel_ZoomPreview", {552, 112, 193, 209});
  Dragger->AddHandle(
      AddCaptionStrip(Panel_ZoomPreview, "Panel21", "Preview Zoom", Panel_ZoomPreview->contentsRect().top()),
      Panel_ZoomPreview);
  Editor_IMG_ZoomPreview = new ImageView(editor_.Render.MagnifierImage, Panel_ZoomPreview);
  Editor_IMG_ZoomPreview->setObjectName("Editor_IMG_ZoomPreview");
  Editor_IMG_ZoomPreview->move((193 - MagnifierSize) / 2, 4 + CaptionStrip::StripHeight + 4);

  Panel_Corrector = new CorrectorPanel(editor_, EditMode_MGS);
  Dragger->AddHandle(Panel_Corrector->Panel12, Panel_Corrector);
  connect(findChild<QAction*>("ShowHide1"), &QAction::triggered, Panel_Corrector, &CorrectorPanel::ShowHide1Click);

}

void MainWindow::LayoutClientArea() {
  const int w = EditMode_MGS->width(), h = EditMode_MGS->height();
  Panel_Instruments->setGeometry(0, 0, w, ToolBarHeight);
  Panel_StatusBar_1->setGeometry(0, h - StatusBarHeight, w, StatusBarHeight);
  const QRect workArea(0, ToolBarHeight, w, std::max(0, h - ToolBarHeight - StatusBarHeight));
  Panel_WorkSpace->setGeometry(workArea);
  if (IsPictureMaximised()) Panel_Editor_Picture->setGeometry(workArea);
  Panel_WorkSpace->lower();
  Panel_Editor_Picture->stackUnder(Panel_Color);
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
  RefreshColourPickers();
  RefreshCharPaletteMarks();
  // The first full render makes every raster valid.
  editor_.Redraw(true);
  Present();
}

void MainWindow::ProbeStartup(QElapsedTimer sinceLaunch) {
  probeStartup_ = true;
  sinceLaunch_ = sinceLaunch;
  Editor_IMG_MGSFull->installEventFilter(this);
}

// View ------------------------------------------------------------------

void MainWindow::SyncZoomWidgets() {
  const int level = editor_.View.ZoomLevel;
  QToolButton* zooms[] = {KEY_Zoom1_1, KEY_Zoom2_1, KEY_Zoom3_1, KEY_Zoom4_1};
  for (int i = 0; i < 4; ++i) zooms[i]->setChecked(i + 1 == level);
  ScrollBox_EditPicture->horizontalScrollBar()->setValue(0);
  ScrollBox_EditPicture->verticalScrollBar()->setValue(0);
  Editor_IMG_MGSFull->SyncSize();
  Panel_EditPicture->setFixedSize(Editor_IMG_MGSFull->width() + 2, Editor_IMG_MGSFull->height() + 2);
  CentreEditor();
}

void MainWindow::SetZoom(int level) {
  editor_.SetZoom(level);
  SyncZoomWidgets();
}

void MainWindow::CentreEditor() {
  // The scroll box centres a smaller panel itself; a larger one starts at its edge.
  QScrollArea* box = ScrollBox_EditPicture;
  box->widget()->adjustSize();
  if (Panel_EditPicture->width() >= box->viewport()->width()) box->horizontalScrollBar()->setValue(0);
  if (Panel_EditPicture->height() >= box->viewport()->height()) box->verticalScrollBar()->setValue(0);
}

void MainWindow::ToggleCharGrid() {
  editor_.View.CharGridOn = !editor_.View.CharGridOn;
  Key_Grid->setDown(editor_.View.CharGridOn);
  editor_.Redraw(true);
  Present();
}

void MainWindow::TogglePixelGrid() {
  editor_.View.PixelGridOn = !editor_.View.PixelGridOn;
  Key_zGrid->setDown(editor_.View.PixelGridOn);
  editor_.Redraw(true);
  Present();
}

bool MainWindow::IsPictureMaximised() const { return Panel_Editor_Picture->Align() == PanelAlign::Client; }

void MainWindow::ToggleMaximised() {
  ScrollBox_EditPicture->horizontalScrollBar()->setValue(0);
  ScrollBox_EditPicture->verticalScrollBar()->setValue(0);
  if (IsPictureMaximised()) {
    Panel_Editor_Picture->SetAlign(PanelAlign::None);
    Panel_Editor_Picture->setGeometry(floatingBounds_);
    Image6->setPixmap(ResizeIcon(true));
  } else {
    floatingBounds_ = Panel_Editor_Picture->geometry();
    Panel_Editor_Picture->SetAlign(PanelAlign::Client);
    LayoutClientArea();
    Image6->setPixmap(ResizeIcon(false));
  }
}

void MainWindow::TogglePreviewWindow() {
  if (Panel_Preview->isVisible()) {
    Panel_Preview->hide();
    KEY_Preview->setDown(false);
    return;
  }
  ShowBorderColour();
  Panel_Preview->show();
  Panel_Preview->raise();
  KEY_Preview->setDown(true);
  editor_.Render.ShowPreview();
  Editor_IMG_Preview->update();
}

void MainWindow::ToggleZoomMagnifier() {
  if (Panel_ZoomPreview->isVisible()) {
    Panel_ZoomPreview->hide();
    KEY_ZoomPreview->setDown(false);
    return;
  }
  Panel_ZoomPreview->show();
  Panel_ZoomPreview->raise();
  KEY_ZoomPreview->setDown(true);
  Editor_IMG_ZoomPreview->update();
}

void MainWindow::DrawSelectorAtCurrentPosition() {
  ViewState& view = editor_.View;
  const Point clamped =
      editor_.Render.DrawZoomSelector({view.SelectorColumn, view.SelectorRow}, view.SelectorSize,
                                      ScrollBox_EditPicture->width(), ScrollBox_EditPicture->height(),
                                      editor_.SelectorIcons);
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

void MainWindow::Editor_IMG_PreviewMouseMove(QMouseEvent* event) {
  const QPoint p = Editor_IMG_Preview->RasterPoint(event);
  editor_.View.SelectorColumn = p.x() / 16;
  editor_.View.SelectorRow = p.y() / 16;
  DrawSelectorAtCurrentPosition();
}

void MainWindow::Editor_IMG_PreviewMouseDown(QMouseEvent*) {
  const ViewState& view = editor_.View;
  SetZoom(view.SelectorSize / 4);  // sizes 8, 12, 16 are the scales of levels 2, 3, 4
  const int scale = editor_.View.Scale();
  editor_.Redraw(true);
  Present();
  // The frame's top-left picture pixel becomes the top-left of the view.
  Panel_EditPicture->adjustSize();
  ScrollBox_EditPicture->horizontalScrollBar()->setValue(scale * view.SelectorColumn * 8);
  ScrollBox_EditPicture->verticalScrollBar()->setValue(scale * view.SelectorRow * 8);
  TogglePreviewWindow();
}

namespace {
MouseButtons ButtonsOf(Qt::MouseButtons buttons) {
  return {buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
          (buttons & ~(Qt::LeftButton | Qt::RightButton)) != Qt::NoButton};
}
}  // namespace

void MainWindow::Editor_IMG_MGSFullMouseDown(QMouseEvent* event) {
  const QPoint p = Editor_IMG_MGSFull->RasterPoint(event);
  ShowCanvasFeedback(CanvasMouseDown(editor_, ButtonsOf(event->button()), p.x(), p.y()));
}

void MainWindow::Editor_IMG_MGSFullMouseMove(QMouseEvent* event) {
  const QPoint p = Editor_IMG_MGSFull->RasterPoint(event);
  ShowCanvasFeedback(CanvasMouseMove(editor_, ButtonsOf(event->buttons()), p.x(), p.y()));
}

void MainWindow::Editor_IMG_MGSFullMouseUp(QMouseEvent*) {
  CanvasMouseUp(editor_);
  Present();
}

void MainWindow::ShowCanvasFeedback(const CanvasFeedback& feedback) {
  if (feedback.StatusTexts) {
    QLabel* labels[] = {Status_Ax, Status_Ay, Status_Bx, Status_By};
    for (int i = 0; i < 4; ++i) labels[i]->setText(QString::fromStdString((*feedback.StatusTexts)[i]));
  }
  if (feedback.CellPalette)
    for (int k = 0; k < 4; ++k) SetBackground(Status_Color[k], ToQColor((*feedback.CellPalette)[k]));
  if (feedback.ColoursPicked) {
    RefreshColourPickers();
    RefreshCharPaletteMarks();
  }
  Present();
}

void MainWindow::SelectInstrument(InstrumentKind kind) {
  chromaloom::SelectInstrument(editor_, kind);
  for (QToolButton* button : {Key_Instrument_Paint, Key_Instrument_Line, Key_Instrument_Rect, Key_Instrument_FillChar,
                              Key_Instrument_Select, Key_Instrument_Ellipse})
    button->setDown(InstrumentOfButton(button) == kind);
}

void MainWindow::ToggleEditModePix() {
  editor_.Editing.EditModePix = !editor_.Editing.EditModePix;
  KEY_EditMode_PIX->setDown(editor_.Editing.EditModePix);
}

void MainWindow::ToggleEditModeRgb() {
  editor_.Editing.EditModeRgb = !editor_.Editing.EditModeRgb;
  KEY_EditMode_RGB->setDown(editor_.Editing.EditModeRgb);
}

void MainWindow::UndoSwap() {
  chromaloom::UndoSwap(editor_);
  Present();
}

// Picture commands -------------------------------------------------------

void MainWindow::NewPicture(int h) {
  editor_.NewPicture(h);
  SyncZoomWidgets();
  Present();
}

void MainWindow::ConvertCharMode(int h) {
  editor_.ConvertCharMode(h);
  SyncZoomWidgets();
  Present();
}

// Timer, keys, repaint ----------------------------------------------------

void MainWindow::Timer1Timer() {
  editor_.Tick();
  Panel_Corrector->TickAnts();
  Present();
}

void MainWindow::Present() {
  const Damage damage = editor_.Render.TakeDamage();
  Editor_IMG_MGSFull->RepaintRasterAreas(damage.Editor);
  if (damage.Preview) Editor_IMG_Preview->update();
  if (damage.Magnifier) Editor_IMG_ZoomPreview->update();
}

std::optional<InstrumentKind> MainWindow::InstrumentOfButton(const QObject* object) const {
  const std::pair<const QToolButton*, InstrumentKind> tools[] = {
      {Key_Instrument_Paint, InstrumentKind::Paint},     {Key_Instrument_Line, InstrumentKind::Line},
      {Key_Instrument_Rect, InstrumentKind::Rect},       {Key_Instrument_FillChar, InstrumentKind::FillChar},
      {Key_Instrument_Select, InstrumentKind::Select},   {Key_Instrument_Ellipse, InstrumentKind::Ellipse}};
  for (const auto& [button, kind] : tools)
    if (object == button) return kind;
  return std::nullopt;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      // Keys of the window itself and of any of its controls.
      if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::KeyPress) return FormKeyDown(key->key(), key->modifiers());
        // A held key repeats as press and release pairs here; only the real release counts.
        if (!key->isAutoRepeat()) FormKeyUp();
      }
      break;
    case QEvent::MouseButtonPress:
      if (watched == Image6) {
        ToggleMaximised();
        return true;
      }
      if (const auto kind = InstrumentOfButton(watched)) {
        SelectInstrument(*kind);
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      // The tool buttons keep the look SelectInstrument gave them.
      if (InstrumentOfButton(watched)) return true;
      break;
    case QEvent::MouseMove:
      // Over the border around the preview image: the selector goes away.
      if (watched == PanelBorderPreview) {
        editor_.Render.ShowPreview();
        Present();
      }
      break;
    case QEvent::Resize:
      if (watched == ScrollBox_EditPicture->viewport()) CentreEditor();
      break;
    case QEvent::Paint:
      if (probeStartup_ && watched == Editor_IMG_MGSFull) {
        probeStartup_ = false;
        std::fprintf(stderr, "first paint after %lld ms\n", static_cast<long long>(sinceLaunch_.elapsed()));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
      }
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace chromaloom

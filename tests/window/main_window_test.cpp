#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <fstream>

#include "formats/mgs_format.h"
#include "support/random_picture.h"
#include "support/scripted_dialogs.h"
#include "support/test_images.h"
#include "support/window_test_support.h"
#include "window/key_table.h"
#include "window/main_window.h"
#include "window/panel_controller.h"

namespace chromaloom {

using test_support::Child;
using test_support::PressAndRelease;
using test_support::ShownMainWindow;
using test_support::Type;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  static std::unique_ptr<MainWindow> Shown(const QStringList& args = {}) { return ShownMainWindow(args); }

  static QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::vector<std::uint8_t>& bytes) {
    const QString path = dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // Mouse events straight to a widget, with consistent global positions.
  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(widget, &event);
  }

  // The menu's items and separators, one line each, indented by depth.
  static void ListMenu(const QMenu* menu, int depth, QStringList& out) {
    for (QAction* action : menu->actions()) {
      const QString indent(depth * 2, ' ');
      if (action->isSeparator()) {
        out << indent + "-";
      } else {
        out << indent + action->objectName() + " " + action->text();
        if (action->menu()) ListMenu(action->menu(), depth + 1, out);
      }
    }
  }

 private slots:
  void startsAsTheStartUpPicture() {
    auto w = Shown();
    QCOMPARE(w->windowTitle(), QString("chromaLoom x0.91"));
    QCOMPARE(w->Document().Picture(), Picture{});
    QVERIFY(w->IsPictureMaximised());
    for (const char* name : {"paletteWindow", "borderPaletteWindow", "previewWindow", "magnifierWindow",
                             "correctorWindow", "bitmapExportWindow"})
      QVERIFY2(!Child<QWidget>(*w, name)->isVisible(), name);
    QCOMPARE(Child<QWidget>(*w, "toolBar")->height(), 41);
    QCOMPARE(Child<QWidget>(*w, "statusBar")->height(), 22);
    const QWidget* clientArea = Child<QWidget>(*w, "clientArea");
    QCOMPARE(Child<QWidget>(*w, "pictureWindow")->geometry(),
             QRect(0, 41, clientArea->width(), clientArea->height() - 41 - 22));
    QCOMPARE(Child<QWidget>(*w, "canvas")->size(), QSize(1024, 768));
    QCOMPARE(Child<QLabel>(*w, "statusX")->text(), QString("X: 000"));
    QCOMPARE(Child<QLabel>(*w, "statusY")->text(), QString("Y:000"));
    QCOMPARE(Child<QLabel>(*w, "statusCellX")->text(), QString("Ax: 00"));
    QCOMPARE(Child<QLabel>(*w, "statusCellY")->text(), QString("Ay: 00"));
    QVERIFY(Child<QToolButton>(*w, QString("zoomButton%1").arg(1))->isChecked());
    QVERIFY(Child<QTimer>(*w, "antsTimer")->isActive());
    QCOMPARE(Child<QTimer>(*w, "antsTimer")->interval(), 100);
    QVERIFY(!Child<QTimer>(*w, "locatorBlinkTimer")->isActive());
    QCOMPARE(w->Files().OpenDialogStart().Folder, QDir::homePath() + "/");
  }

  void toolBarButtonsStandWhereTheLayoutPutsThem() {
    auto w = Shown();
    auto zoom = [](int level) { return QString("zoomButton%1").arg(level); };
    const struct {
      QString Name;
      int X;
      const char* Tip;
    } buttons[] = {
        {zoom(1), 4, "Zoom x1: 4 screen pixels per picture pixel"},
        {zoom(2), 36, "Zoom x2: 8 screen pixels per picture pixel"},
        {zoom(3), 68, "Zoom x3: 12 screen pixels per picture pixel"},
        {zoom(4), 100, "Zoom x4: 16 screen pixels per picture pixel"},
        {"charGridButton", 140, "PerChar Grid (use hotkey 'G')"},
        {"pixelGridButton", 172, "PerPixel Grid (use hotkey 'H')"},
        {"paletteButton", 212, "Full Palette Window (use hotkey 'C')"},
        {"borderPaletteButton", 244, "Border Palette Window (use hotkey 'B')"},
        {"previewButton", 284, "Preview and Zoom selector Window (use hotkey 'V')"},
        {"magnifierButton", 316, "Preview Zoom Window (use hotkey 'ALT+V')"},
        {"pixButton", 572,
         "PIX: painting sets the pixel bits of both screens to the chosen entry; on/off (use hotkey 'W')"},
        {"rgbButton", 613,
         "RGB: painting rewrites the cell line's attributes with the current colours; on/off (use hotkey 'E')"},
        {"paintToolButton", 668, "Pencil (use hotkey 'P')"},
        {"lineToolButton", 700, "Line (use hotkey 'L')"},
        {"rectToolButton", 732, "Rectangle: two clicks at opposite corners; Shift makes a square (use hotkey 'J')"},
        {"ellipseToolButton", 764,
         "Ellipse: two clicks at opposite corners of its box; Shift makes a circle (use hotkey 'U')"},
        {"fillCellToolButton", 796, "Fill Char (use hotkey 'N')"},
        {"floodFillToolButton", 828,
         "Flood fill: paints the joined area of the colour clicked, as the view shows it (use hotkey 'K')"},
        {"textToolButton", 860, "Text: click, type, Enter to place it (Esc cancels) (use hotkey 'T')"},
        {"selectToolButton", 892, "Selection (use hotkey 'S')"},
        {"convertBrushToolButton", 924,
         "Convert brush: paints the reference image under it, converted cell by cell as the import converts (View "
         "> Reference Image) (use hotkey 'F9')"},
        {"filledShapesAction", 964, "Filled: rectangles and ellipses paint their insides too; on/off (use hotkey 'I')"},
        {"brushButton", 996, "Brush: size and shape for the pencil and outlines"},
        {"patternButton", 1028, "Pattern: paint with the chosen entry and a second one"},
        {"symmetryButton", 1060, "Symmetry: every tool mirrors what it paints"},
        {"freeColourButton", 1100,
         "Free colour: paint in the colour shown here (any mixed colour: pick it in the full palette, an entry, or "
         "with the right button); each cell solved anew; on/off (use hotkey '`')"},
        {"zoomToFitAction", 1140, "Fit: the largest zoom that shows the whole picture (Ctrl+0)"},
    };
    for (const auto& b : buttons) {
      auto* button = w->findChild<QToolButton*>(b.Name);
      QVERIFY2(button, qPrintable(b.Name));
      QCOMPARE(button->x(), b.X);
      QCOMPARE(button->toolTip(), QString(b.Tip));
    }
    const QWidget* entries = Child<QWidget>(*w, "entrySwatches");
    QCOMPARE(entries->x(), 356);
    QCOMPARE(entries->width(), 213);
    QCOMPARE(Child<QToolButton>(*w, "pixButton")->width(), 41);
    QCOMPARE(Child<QToolButton>(*w, "rgbButton")->width(), 49);
    QCOMPARE(Child<QToolButton>(*w, "pixButton")->text(), QString("PIX"));
    QCOMPARE(Child<QToolButton>(*w, "rgbButton")->text(), QString("RGB"));
  }

  void menuHasEveryItemInOrder() {
    auto w = Shown();
    QStringList items;
    for (QAction* top : w->menuBar()->actions()) {
      items << top->text();
      ListMenu(top->menu(), 1, items);
    }
    const QStringList expected = {
        "File",
        "  newMenu New",
        "    newPicture8x8Action 8x8 Standart Gigascreen",
        "    newPicture8x4Action 8x4 MultiGigaScreen",
        "    newPicture8x2Action 8x2 MultiGigaScreen",
        "    newPicture8x1Action 8x1 MultiGigaScreen",
        "  changeCellHeightMenu Change char size",
        "    convertTo8x8Action Convert to 8x8",
        "    convertTo8x4Action Convert to 8x4",
        "    convertTo8x2Action Convert to 8x2",
        "    convertTo8x1Action Convert to 8x1",
        "  -",
        "  openAction Open *.mgs",
        "  saveAction Save",
        "  saveAsAction Save As *.mgs",
        "  openRecentMenu Open Recent",
        "    -",
        "    clearRecentFilesAction Clear",
        "  -",
        "  importMenu Import",
        "    importImgAction Import from *.img",
        "    importHobetaImgAction Import from *.$img",
        "    -",
        "    importScrAction Import from *.scr",
        "    importHobetaScrAction Import from *.$scr",
        "    importMltAction Import from *.mlt",
        "    importMcAction Import from *.mc",
        "    importIflAction Import from *.ifl",
        "    importMc4Action Import from *.mc4",
        "    importAtrAction Import from *.atr",
        "    -",
        "    importMgAction Import from *.mg1/mg2/mg4/mg8",
        "    -",
        "    importPictureAction Picture...",
        "  exportMenu Export",
        "    exportImgAction Export to *.img",
        "    -",
        "    exportMltAction Export to *.mlt",
        "    exportMcAction Export to *.mc",
        "    exportIflAction Export to *.ifl",
        "    exportMc4Action Export to *.mc4",
        "    exportAtrAction Export to *.atr",
        "    -",
        "    exportMg1Action Export to *.mg1",
        "    exportMg2Action Export to *.mg2",
        "    exportMg4Action Export to *.mg4",
        "    exportMg8Action Export to *.mg8",
        "    -",
        "    exportZ80Action Snapshot (.z80)...",
        "    exportSzxAction Snapshot (.szx)...",
        "    exportTapAction Tape (.tap)...",
        "    -",
        "    exportBmpAction Export to *.BMP",
        "    exportPngAction Export to *.PNG",
        "    -",
        "    exportGifAction Animated GIF...",
        "    exportWebpAction Animated WebP...",
        "  -",
        "  previewOnEmulatorAction Preview TRD on ZX-emul",
        "  -",
        "  quitAction Quit",
        "Edit",
        "  undoAction Undo\tCtrl+Z",
        "  redoAction Redo",
        "  -",
        "  removeSelectionAction Remove selection (CTRL+D or ESC)",
        "  -",
        "  copyAction Copy (CTRL+C)",
        "  pasteAction Paste (CTRL+V)",
        "  deleteAction Delete (DEL)",
        "  -",
        "  flipHorizontalAction Flip Horizontal",
        "  flipVerticalAction Flip Vertical",
        "  -",
        "  rotate90Action Rotate 90` cw",
        "  -",
        "  rotatePixelsRightAction Rotate pixels Right (CTRL+CursorRight)",
        "  rotatePixelsLeftAction Rotate pixels Left (CTRL+CursorLeft)",
        "  rotatePixelsUpAction Rotate pixels Up (CTRL+CursorUp)",
        "  rotatePixelsDownAction Rotate pixels Down (CTRL+CursorDown)",
        "  -",
        "  keyboardShortcutsAction Keyboard Shortcuts...",
        "View",
        "  zoomInAction Zoom In",
        "  zoomOutAction Zoom Out",
        "  zoomToFitAction Fit",
        "  -",
        "  showMixedAction Mixed",
        "  showScreen0Action Screen 0",
        "  showScreen1Action Screen 1",
        "  -",
        "  flickerMapAction Flicker Map\tM",
        "  flickerAction Flicker\tF",
        "  resetPanelPlacesAction Reset Panel Places",
        "  -",
        "  referenceMenu Reference Image",
        "    loadReferenceAction Load Reference Image...",
        "    showReferenceAction Show Reference Image",
        "    fainterReferenceAction Fainter",
        "    strongerReferenceAction Stronger",
        "    -",
        "     ",
        "    removeReferenceAction Remove Reference Image",
        "  -",
        "  mixingMenu Mixing",
        "    mixingOwnAction Picture's Own Table",
        "    mixingAverageAction Average",
        "    mixingLinearAction Linear Light",
        "    -",
        "    mixingSrgbAction sRGB",
        "    mixingPulsarAction Pulsar",
        "    mixingOrthodoxAction Orthodox",
        "    mixingAloneAction Alone",
        "    mixingElectroscaleAction Electroscale",
        "    mixingLevelsAction Levels...",
        "    -",
        "    mixingFileAction From File...",
        "  -",
        "  languageMenu Language",
        "    languageSystemAction As the System",
        "    languageEnglishAction English",
        "    languageRussianAction Русский",
        "Draw",
        "  filledShapesAction Filled Shapes",
        "  -",
        "  brushMenu Brush",
        "    brushSize1Action 1 Pixel",
        "    brushSize2Action 2 Pixels",
        "    brushSize3Action 3 Pixels",
        "    brushSize4Action 4 Pixels",
        "    brushSize5Action 5 Pixels",
        "    brushSize6Action 6 Pixels",
        "    brushSize7Action 7 Pixels",
        "    brushSize8Action 8 Pixels",
        "    -",
        "    largerBrushAction Larger Brush",
        "    smallerBrushAction Smaller Brush",
        "    -",
        "    squareBrushAction Square",
        "    roundBrushAction Round",
        "  patternMenu Pattern",
        "    solidPatternAction Solid",
        "    checkerboardPatternAction Checkerboard (50 %)",
        "    ordered25PatternAction 25 % Ordered",
        "    ordered75PatternAction 75 % Ordered",
        "    horizontalLinesPatternAction Horizontal Lines",
        "    verticalLinesPatternAction Vertical Lines",
        "    -",
        "    nextPatternAction Next Pattern",
        "    -",
        "    patternEntryMenu Second Entry",
        "      patternEntry1Action P0+P1",
        "      patternEntry2Action P0+I1",
        "      patternEntry3Action I0+P1",
        "      patternEntry4Action I0+I1",
        "  symmetryMenu Symmetry",
        "    noSymmetryAction None",
        "    leftRightSymmetryAction Left-Right",
        "    topBottomSymmetryAction Top-Bottom",
        "    fourWaySymmetryAction Four-Way",
        "    -",
        "    nextSymmetryAction Next Symmetry",
        "    axesToPointerAction Axes to the Pointer",
        "  -",
        "  textFontAction Text Font...",
        "  builtinFontAction Built-in 8x8 Font",
        "Color Corrector",
        "  showCorrectorAction Show/Hide",
        "  -",
        "Help",
        "  helpGettingStartedAction Getting Started",
        "  helpSampleAction Open Sample Picture",
        "  -",
        "  helpKeysAction Keys",
        "  helpAboutAction About chromaLoom",
    };
    QCOMPARE(items, expected);
    // The desktop's shortcuts where no key row takes the key; the rows'
    // keys stay in the captions, and Ctrl+Z runs its row, which runs Undo.
    const QMap<QString, QKeySequence> shortcuts = {
        {"newPicture8x1Action", QKeySequence("Ctrl+N")}, {"openAction", QKeySequence("Ctrl+O")},
        {"saveAction", QKeySequence("Ctrl+S")},          {"saveAsAction", QKeySequence("Ctrl+Shift+S")},
        {"quitAction", QKeySequence("Ctrl+Q")},          {"redoAction", QKeySequence("Ctrl+Y")},
        {"zoomInAction", QKeySequence("Ctrl++")},        {"zoomOutAction", QKeySequence("Ctrl+-")},
        {"zoomToFitAction", QKeySequence("Ctrl+0")},
    };
    for (const QAction* action : w->findChildren<QAction*>()) {
      QCOMPARE(action->shortcut(), shortcuts.value(action->objectName()));
      if (!action->shortcut().isEmpty()) QVERIFY(!CommandTakingKey(action->shortcut()[0]));
    }
    const QStringList menus = {"fileMenu", "newMenu",  "changeCellHeightMenu", "importMenu",    "exportMenu",
                               "editMenu", "viewMenu", "mixingMenu",           "correctorMenu", "helpMenu"};
    for (const QString& name : menus) QVERIFY2(w->findChild<QMenu*>(name), qPrintable(name));
  }

  void zoomSizesTheEditor_data() {
    QTest::addColumn<int>("level");
    for (int level = 1; level <= 4; ++level) QTest::addRow("level %d", level) << level;
  }
  void zoomSizesTheEditor() {
    QFETCH(int, level);
    auto w = Shown();
    QTest::mousePress(Child<QToolButton>(*w, QString("zoomButton%1").arg(level)), Qt::LeftButton);
    QCOMPARE(w->View().ZoomLevel(), level);
    QCOMPARE(Child<QWidget>(*w, "canvas")->size(), QSize(1024 * level, 768 * level));
    QCOMPARE(Child<QWidget>(*w, "canvasFrame")->size(), QSize(1024 * level + 2, 768 * level + 2));
    for (int i = 1; i <= 4; ++i)
      QCOMPARE(Child<QToolButton>(*w, QString("zoomButton%1").arg(i))->isChecked(), i == level);
  }

  // In a narrow window every button stays reachable: on the bar or in its
  // overflow menu, whose items run the command.
  void narrowWindowsMoveButtonsToTheOverflowMenu() {
    auto w = Shown();
    auto* overflow = Child<QToolButton>(*w, "toolBarOverflow");
    const auto inMenu = [overflow](const QString& name) -> QAction* {
      for (QAction* action : overflow->menu()->actions())
        if (action->objectName() == name + "Overflow") return action;
      return nullptr;
    };
    int barRight = 0;  // of the last button, with the whole bar shown
    for (const Command& command : Commands())
      if (command.HasButton() && command.Button.Shown)
        barRight = std::max(barRight, Child<QToolButton>(*w, command.Name)->geometry().right());
    for (const int width : {1200, 800, 500}) {
      w->resize(width, 600);
      QCoreApplication::processEvents();
      int moved = 0;
      for (const Command& command : Commands()) {
        if (!command.HasButton() || !command.Button.Shown) continue;
        const auto* button = Child<QToolButton>(*w, command.Name);
        const bool onBar = button->isVisible() && (overflow->isHidden() || button->geometry().right() < overflow->x());
        QVERIFY2(onBar != (inMenu(command.Name) != nullptr), command.Name);
        moved += !onBar;
      }
      QCOMPARE(moved > 0, width <= barRight);
      QCOMPARE(overflow->isVisible(), moved > 0);
    }
    inMenu("selectToolButton")->trigger();
    QCOMPARE(w->Controller().Tools().Current, ToolKind::Select);
  }

  // Fit, from the menu or the tool bar, takes the largest level whose whole
  // canvas shows in the picture window, whatever level it starts from.
  void fitShowsTheWholePicture() {
    auto w = Shown();
    const auto* box = Child<QScrollArea>(*w, "pictureScrollBox");
    auto fits = [box](int level) { return 1024 * level + 2 <= box->width() && 768 * level + 2 <= box->height(); };
    const struct {
      QSize Window;
      int Level;
      bool ByButton;
    } cases[] = {{{1200, 900}, 1, false}, {{2300, 1800}, 2, true}, {{3300, 2600}, 3, false}, {{1900, 2600}, 1, true}};
    for (const auto& c : cases) {
      w->Controller().SetZoom(c.Level == 4 ? 1 : 4);
      w->resize(c.Window);
      QCoreApplication::processEvents();
      if (c.ByButton) {
        PressAndRelease(Child<QToolButton>(*w, "zoomToFitAction"));
      } else {
        Child<QAction>(*w, "zoomToFitAction")->trigger();
      }
      QCOMPARE(w->View().ZoomLevel(), c.Level);
      QVERIFY(fits(c.Level) || c.Level == 1);
      QVERIFY(!fits(c.Level + 1));
    }
  }

  // Each gesture ends with only the chosen level's button checked, whichever
  // level was shown before.
  void zoomButtonsShowOnlyTheChosenLevel_data() {
    QTest::addColumn<int>("gesture");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("level");
    const char* gestures[] = {"press alone", "full click", "press, drag off, release", "right click"};
    for (int gesture = 0; gesture < 4; ++gesture)
      for (int level = 1; level <= 4; ++level) {
        const int from = level == 1 ? 3 : 1;
        QTest::addRow("%s on level %d", gestures[gesture], level) << gesture << from << level;
      }
  }
  void zoomButtonsShowOnlyTheChosenLevel() {
    QFETCH(int, gesture);
    QFETCH(int, from);
    QFETCH(int, level);
    auto w = Shown();
    auto button = [&w](int i) { return Child<QToolButton>(*w, QString("zoomButton%1").arg(i)); };
    w->Controller().SetZoom(from);
    QToolButton* target = button(level);
    const QPoint centre = target->rect().center();
    const Qt::MouseButton mouse = gesture == 3 ? Qt::RightButton : Qt::LeftButton;
    Send(target, QEvent::MouseButtonPress, centre, mouse);
    if (gesture == 1 || gesture == 3) Send(target, QEvent::MouseButtonRelease, centre, mouse);
    if (gesture == 2) {
      const QPoint away = centre + QPoint(0, 3 * target->height());
      QMouseEvent move(QEvent::MouseMove, QPointF(away), target->mapToGlobal(QPointF(away)), Qt::NoButton, mouse, {});
      QCoreApplication::sendEvent(target, &move);
      Send(target, QEvent::MouseButtonRelease, away, mouse);
    }
    QCOMPARE(w->View().ZoomLevel(), level);
    for (int i = 1; i <= 4; ++i) QCOMPARE(button(i)->isChecked(), i == level);
    // A second full click on the shown level leaves it checked.
    Send(target, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    Send(target, QEvent::MouseButtonRelease, centre, Qt::LeftButton);
    for (int i = 1; i <= 4; ++i) QCOMPARE(button(i)->isChecked(), i == level);
  }

  void editorIsCentredAndRecentredOnResize() {
    auto w = Shown();
    w->ToggleMaximised();
    auto* box = Child<QScrollArea>(*w, "pictureScrollBox");
    auto* pictureWindow = Child<QWidget>(*w, "pictureWindow");
    const QWidget* frame = Child<QWidget>(*w, "canvasFrame");
    const QWidget* viewport = box->viewport();
    for (const QSize size : {QSize(1100, 850), QSize(1150, 820)}) {
      pictureWindow->resize(size);
      QCoreApplication::processEvents();
      QCOMPARE(frame->x(), (viewport->width() - frame->width()) / 2);
      QCOMPARE(frame->y(), (viewport->height() - frame->height()) / 2);
    }
    // Wider than the box: any resize scrolls back to the left and top edges.
    w->Controller().SetZoom(2);
    box->horizontalScrollBar()->setValue(300);
    box->verticalScrollBar()->setValue(200);
    pictureWindow->resize(900, 700);
    QCoreApplication::processEvents();
    QCOMPARE(box->horizontalScrollBar()->value(), 0);
    QCOMPARE(box->verticalScrollBar()->value(), 0);
  }

  void previewClickZoomsAndScrollsToTheFrame() {
    auto w = Shown();
    w->resize(900, 700);  // a view small enough to scroll that far at level 3
    QCoreApplication::processEvents();
    w->Panels().Toggle(Panel::Preview);
    const QWidget* previewWindow = Child<QWidget>(*w, "previewWindow");
    const auto* previewButton = Child<QToolButton>(*w, "previewButton");
    auto* preview = Child<QWidget>(*w, "preview");
    QVERIFY(previewWindow->isVisible());
    QVERIFY(previewButton->isDown());
    w->View().SetZoomSelectorSize(12);
    Send(preview, QEvent::MouseMove, QPoint(20 * 16 + 3, 10 * 16 + 5));
    QCOMPARE(w->View().ZoomSelectorCell().X, 20);
    QCOMPARE(w->View().ZoomSelectorCell().Y, 10);
    Send(preview, QEvent::MouseButtonPress, QPoint(20 * 16 + 3, 10 * 16 + 5), Qt::RightButton);
    QCOMPARE(w->View().ZoomLevel(), 3);
    const auto* box = Child<QScrollArea>(*w, "pictureScrollBox");
    QCOMPARE(box->horizontalScrollBar()->value(), 1920);
    QCOMPARE(box->verticalScrollBar()->value(), 960);
    QVERIFY(!previewWindow->isVisible());
    QVERIFY(!previewButton->isDown());
  }

  void selectorFrameFollowsThePointerAndLeavesOverTheBorder() {
    auto w = Shown();
    w->Panels().Toggle(Panel::Preview);
    const Raster clean = w->View().Render.PreviewRaster;
    Send(Child<QWidget>(*w, "preview"), QEvent::MouseMove, QPoint(40, 40));
    QVERIFY(!(w->View().Render.PreviewImage == clean));
    Send(Child<QWidget>(*w, "previewBorder"), QEvent::MouseMove, QPoint(10, 10));
    QVERIFY(w->View().Render.PreviewImage == clean);
  }

  void selectorSizeStaysWithinItsBounds() {
    auto w = Shown();
    auto press = [&](Qt::Key key) { Type(w.get(), key); };
    press(Qt::Key_Up);  // preview hidden: no change
    QCOMPARE(w->View().ZoomSelectorSize(), 8);
    w->Panels().Toggle(Panel::Preview);
    const int expected[] = {12, 16, 16};
    for (int size : expected) {
      press(Qt::Key_Up);
      QCOMPARE(w->View().ZoomSelectorSize(), size);
    }
    const int down[] = {12, 8, 8};
    for (int size : down) {
      press(Qt::Key_Down);
      QCOMPARE(w->View().ZoomSelectorSize(), size);
    }
  }

  void maximiseRestoreMaximiseKeepsTheFloatingBounds() {
    auto w = Shown();
    QCOMPARE(w->FloatingBounds(), QRect(2, 42, 640, 480));
    auto* icon = Child<QLabel>(*w, "maximiseIcon");
    auto* pictureWindow = Child<QWidget>(*w, "pictureWindow");
    const QImage restoreLook = icon->pixmap().toImage();
    QTest::mousePress(icon, Qt::LeftButton);
    QVERIFY(!w->IsPictureMaximised());
    QCOMPARE(pictureWindow->geometry(), QRect(2, 42, 640, 480));
    QVERIFY(icon->pixmap().toImage() != restoreLook);  // floating: the icon offers to maximise
    pictureWindow->setGeometry(30, 60, 700, 500);
    QTest::mousePress(icon, Qt::LeftButton);
    QVERIFY(w->IsPictureMaximised());
    QCOMPARE(icon->pixmap().toImage(), restoreLook);
    QTest::mousePress(icon, Qt::LeftButton);
    QCOMPARE(pictureWindow->geometry(), QRect(30, 60, 700, 500));
  }

  // A place is the first clear one from the top right; with none, the least covered.
  void freePlaceKeepsClearOfWhatIsTaken() {
    const QRect work(0, 40, 1000, 600);
    const struct {
      QSize Size;
      std::vector<QRect> Taken;
      QRect Expected;
    } cases[] = {
        {{100, 100}, {}, {900, 40, 100, 100}},
        {{100, 100}, {{800, 40, 200, 600}}, {700, 40, 100, 100}},
        {{100, 100}, {{800, 40, 200, 600}, {600, 40, 200, 200}}, {700, 240, 100, 100}},
        {{2000, 100}, {}, {0, 40, 2000, 100}},  // larger than the room: its top left
    };
    for (const auto& c : cases) QCOMPARE(FreePlace(c.Size, work, c.Taken), c.Expected);
    // Nowhere clear: the place covering the least.
    const QRect least = FreePlace({100, 100}, work, {{0, 40, 1000, 590}});
    QVERIFY(least.bottom() > work.bottom() - 8);  // as low as the 8-pixel steps go
  }

  // Panels open beside the picture, clear of it and of each other where
  // there is room, and Reset Panel Places puts a dragged one back.
  void panelsOpenBesideThePicture() {
    auto w = Shown();
    w->resize(2400, 1200);
    QCoreApplication::processEvents();
    Child<QAction>(*w, "zoomToFitAction")->trigger();
    const auto* picture = Child<QWidget>(*w, "pictureWindow");
    const auto* canvas = Child<QWidget>(*w, "canvasFrame");
    const QRect shownCanvas(canvas->mapTo(picture->parentWidget(), QPoint(0, 0)), canvas->size());
    const char* names[] = {"paletteWindow", "borderPaletteWindow", "previewWindow", "magnifierWindow"};
    for (const Panel panel : {Panel::Palette, Panel::BorderPalette, Panel::Preview, Panel::Magnifier})
      w->Panels().Toggle(panel);
    const auto clear = [&] {
      std::vector<QRect> seen = {shownCanvas};
      for (const char* name : names) {
        const QRect place = Child<QWidget>(*w, name)->geometry();
        for (const QRect& other : seen)
          if (place.intersects(other)) return false;
        seen.push_back(place);
      }
      return true;
    };
    QVERIFY(clear());
    Child<QWidget>(*w, "previewWindow")->move(shownCanvas.topLeft());
    QVERIFY(!clear());
    Child<QAction>(*w, "resetPanelPlacesAction")->trigger();
    QVERIFY(clear());
  }

  void pictureWindowDragsOnlyWhileFloating() {
    auto w = Shown();
    auto* pictureWindow = Child<QWidget>(*w, "pictureWindow");
    auto* caption = Child<QWidget>(*w, "pictureCaption");
    const QRect before = pictureWindow->geometry();
    const QPoint grip(50, 8);
    Send(caption, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    Send(caption, QEvent::MouseMove, grip + QPoint(30, -10), Qt::LeftButton);
    Send(caption, QEvent::MouseButtonRelease, grip + QPoint(30, -10), Qt::LeftButton);
    QCOMPARE(pictureWindow->geometry(), before);
    w->ToggleMaximised();
    const QPoint start = pictureWindow->pos();
    Send(caption, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    // The strip moves with the panel, so the same global step lands at a new local point.
    QMouseEvent move(QEvent::MouseMove, QPointF(grip), caption->mapToGlobal(QPointF(grip)) + QPointF(30, -10),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(caption, &move);
    QCOMPARE(pictureWindow->pos(), start + QPoint(30, -10));
  }

  // Floating, the window resizes by its margins (x <= 5, W - x <= 5, y <= 5,
  // H - y <= 5) whatever child lies under them; a pixel further in is the child's.
  void pictureWindowMarginsResizeOverItsChildren_data() {
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("x = 5, over the scroll box") << QPoint(5, 240) << QPoint(-20, 7) << QRect(-18, 42, 660, 480);
    QTest::newRow("y = 5, over the caption") << QPoint(320, 5) << QPoint(9, -20) << QRect(2, 22, 640, 500);
    QTest::newRow("W - x = 5") << QPoint(635, 240) << QPoint(30, 9) << QRect(2, 42, 670, 480);
    QTest::newRow("H - y = 5") << QPoint(320, 475) << QPoint(9, 30) << QRect(2, 42, 640, 510);
    QTest::newRow("top-left, over the caption") << QPoint(5, 5) << QPoint(-10, -10) << QRect(-8, 32, 650, 490);
    QTest::newRow("top-right, over the caption") << QPoint(635, 5) << QPoint(10, -10) << QRect(2, 32, 650, 490);
    QTest::newRow("bottom-left") << QPoint(5, 475) << QPoint(-10, 10) << QRect(-8, 42, 650, 490);
    QTest::newRow("bottom-right") << QPoint(635, 475) << QPoint(10, 10) << QRect(2, 42, 650, 490);
    QTest::newRow("x = 6 is the scroll box's") << QPoint(6, 240) << QPoint(-20, 0) << QRect(2, 42, 640, 480);
    QTest::newRow("y = 6 drags by the caption") << QPoint(320, 6) << QPoint(9, -20) << QRect(11, 22, 640, 480);
    QTest::newRow("W - x = 6 is the scroll box's") << QPoint(634, 240) << QPoint(30, 0) << QRect(2, 42, 640, 480);
  }
  void pictureWindowMarginsResizeOverItsChildren() {
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    auto w = Shown();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->ToggleMaximised();
    auto* pictureWindow = Child<QWidget>(*w, "pictureWindow");
    QCOMPARE(pictureWindow->geometry(), QRect(2, 42, 640, 480));
    // Through the window system, so the press goes to whatever is on top there.
    QWindow* window = w->windowHandle();
    const QPoint at = pictureWindow->mapTo(w.get(), pressAt);
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QTest::mouseMove(window, at + delta);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at + delta);
    QCOMPARE(pictureWindow->geometry(), expected);
  }

  void pictureWindowMarginsDoNothingWhileMaximised() {
    auto w = Shown();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* pictureWindow = Child<QWidget>(*w, "pictureWindow");
    const QRect before = pictureWindow->geometry();
    QWindow* window = w->windowHandle();
    for (const QPoint p : {QPoint(3, 300), QPoint(400, 3), QPoint(before.width() - 2, before.height() - 2)}) {
      const QPoint at = pictureWindow->mapTo(w.get(), p);
      QTest::mousePress(window, Qt::LeftButton, {}, at);
      QTest::mouseMove(window, at + QPoint(-30, -30));
      QTest::mouseRelease(window, Qt::LeftButton, {}, at + QPoint(-30, -30));
      QCOMPARE(pictureWindow->geometry(), before);
    }
  }

  void gridButtonsShowTheGrids() {
    auto w = Shown();
    auto* charGrid = Child<QToolButton>(*w, "charGridButton");
    auto* pixelGrid = Child<QToolButton>(*w, "pixelGridButton");
    PressAndRelease(charGrid);
    PressAndRelease(pixelGrid);
    QVERIFY(charGrid->isDown());
    QVERIFY(pixelGrid->isDown());
    const QImage shown = Child<QWidget>(*w, "canvas")->grab().toImage();
    const int z = 4;
    QCOMPARE(shown.pixel(8 * z, 0), qRgb(255, 255, 255));
    QCOMPARE(shown.pixel(z, z), qRgb(0, 0, 0));
    QCOMPARE(shown.pixel(z, z + 1), qRgb(128, 128, 128));
    QCOMPARE(shown.pixel(z + 2, z + 2), qRgb(0, 0, 0));
    PressAndRelease(charGrid);
    QVERIFY(!charGrid->isDown());
    QVERIFY(!w->View().Settings().CharGridOn);
  }

  void magnifierFollowsTheCanvasPointer() {
    auto w = Shown();
    w->Document() = Document(test_support::RandomPicture(8, 3));
    w->View().Render.Redraw(true);
    w->Panels().Toggle(Panel::Magnifier);
    QVERIFY(Child<QWidget>(*w, "magnifierWindow")->isVisible());
    QVERIFY(Child<QToolButton>(*w, "magnifierButton")->isDown());
    Send(Child<QWidget>(*w, "canvas"), QEvent::MouseMove, QPoint(1023, 767));
    const Raster& preview = w->View().Render.PreviewImage;
    const Raster& magnifier = w->View().Render.MagnifierImage;
    QCOMPARE(magnifier.At(0, 0), preview.At(336, 208));
    QCOMPARE(magnifier.At(175, 175), preview.At(511, 383));
  }

  void timerTickMovesTheAnts() {
    auto w = Shown();
    const int phases[] = {4, 8, 12, 0};
    for (int phase : phases) {
      w->AntsTimerTick();
      QCOMPARE(w->View().AntsPhase(), phase);
    }
  }

  void newAndConvertReturnToZoomLevel1() {
    auto w = Shown();
    w->Controller().SetZoom(3);
    Child<QAction>(*w, "newPicture8x4Action")->trigger();
    QCOMPARE(w->Document().CellHeight(), 4);
    QCOMPARE(w->View().ZoomLevel(), 1);
    QVERIFY(Child<QToolButton>(*w, QString("zoomButton%1").arg(1))->isChecked());
    w->Controller().SetZoom(2);
    Child<QAction>(*w, "convertTo8x2Action")->trigger();
    QCOMPARE(w->Document().CellHeight(), 2);
    QCOMPARE(Child<QWidget>(*w, "canvas")->size(), QSize(1024, 768));
  }

  // Any file Open or an import reads, by its extension; nothing is read
  // before the window shows, so a bad file's message stands over it.
  void commandLineOpensAnyFileOnceTheWindowShows() {
    QTemporaryDir dir;
    const Picture picture = test_support::RandomPicture(4, 17);
    const QString good = WriteFile(dir, "good.mgs", WriteMgs(picture));
    const QString screen = WriteFile(dir, "screen.SCR", std::vector<std::uint8_t>(6912, 0x55));
    const QString bad = WriteFile(dir, "bad.mgs", {'M', 'G', 'S', 1, 3});
    const QString image = dir.filePath("photo.png");
    QVERIFY(test_support::Quadrants(64, 48, {0xFF0000u, 0xFF00u, 0xFFu, 0xFFFFFFu}).save(image));
    const struct {
      QStringList Args;
      const char* Error;  // a part of the message; nullptr when none
      bool ImageDialog;
    } cases[] = {
        {{good}, nullptr, false},
        {{screen}, nullptr, false},
        {{image}, nullptr, true},
        {{bad}, "Error file format", false},
        {{dir.filePath("missing.img")}, "missing.img", false},
        {{dir.filePath("notes.txt")}, "cannot open this kind of file", false},
        {{good, good}, nullptr, false},
    };
    for (const auto& c : cases) {
      const QString name = c.Args.join(' ');
      MainWindow w(c.Args);
      auto dialogs = std::make_unique<test_support::ScriptedDialogs>();
      const test_support::ScriptedDialogs& asked = *dialogs;
      w.Files().SetDialogs(std::move(dialogs));
      QCOMPARE(w.Files().OpenDialogStart().Folder, c.Args.size() == 1 ? dir.path() + "/" : QDir::homePath() + "/");
      QCOMPARE(w.Document().Picture(), Picture{});
      w.resize(1200, 900);
      w.show();
      QCoreApplication::processEvents();
      QVERIFY2(asked.Errors.size() == (c.Error ? 1 : 0), qPrintable(name));
      if (c.Error) {
        QVERIFY2(asked.Errors.front().contains(c.Error), qPrintable(asked.Errors.front()));
        QCOMPARE(asked.ErrorParents.front(), &w);
      }
      QCOMPARE(w.findChild<QDialog*>("imagePictureDialog") != nullptr, c.ImageDialog);
      if (c.Args == QStringList{good}) QCOMPARE(w.Document().Picture(), picture);
      if (c.Args == QStringList{screen}) QCOMPARE(w.Document().Picture().Pixels[1].At(0, 0), 0x55);
      if (c.Args != QStringList{good} && c.Args != QStringList{screen}) QCOMPARE(w.Document().Picture(), Picture{});
      QCOMPARE(w.View().ZoomLevel(), 1);
    }
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::MainWindowTest)
#include "main_window_test.moc"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QToolButton>

#include <fstream>

#include "formats/mgs_format.h"
#include "support/random_picture.h"
#include "window/corrector_panel.h"
#include "window/floating_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"

namespace chromaloom {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  static std::unique_ptr<MainWindow> Shown(const QStringList& args = {}) {
    auto window = std::make_unique<MainWindow>(args);
    window->resize(1200, 900);
    window->show();
    QCoreApplication::processEvents();
    return window;
  }

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
    QCOMPARE(w->Core().Document, Picture{});
    QVERIFY(w->IsPictureMaximised());
    for (QFrame* panel : std::initializer_list<QFrame*>{w->Panel_Color, w->Panel_Border, w->Panel_Preview, w->Panel_ZoomPreview,
                          w->Panel_Corrector, w->Panel_ExportToBmp})
      QVERIFY2(!panel->isVisible(), qPrintable(panel->objectName()));
    QCOMPARE(w->Panel_Instruments->height(), 41);
    QCOMPARE(w->Panel_StatusBar_1->height(), 22);
    QCOMPARE(w->Panel_Editor_Picture->geometry(),
             QRect(0, 41, w->EditMode_MGS->width(), w->EditMode_MGS->height() - 41 - 22));
    QCOMPARE(w->Editor_IMG_MGSFull->size(), QSize(1024, 768));
    QCOMPARE(w->Status_Ax->text(), QString("X: 000"));
    QCOMPARE(w->Status_Ay->text(), QString("Y:000"));
    QCOMPARE(w->Status_Bx->text(), QString("Ax: 00"));
    QCOMPARE(w->Status_By->text(), QString("Ay: 00"));
    QVERIFY(w->KEY_Zoom1_1->isChecked());
    QVERIFY(w->Timer1->isActive());
    QVERIFY(!w->Timer_GradPal->isActive());
    QCOMPARE(w->DialogFolder(), w->ProgramFolder());
  }

  void toolBarButtonsStandWhereTheLayoutPutsThem() {
    auto w = Shown();
    const struct {
      const char* Name;
      int X;
      const char* Tip;
    } buttons[] = {
        {"KEY_Zoom1_1", 4, ""},
        {"KEY_Zoom2_1", 36, ""},
        {"KEY_Zoom3_1", 68, ""},
        {"KEY_Zoom4_1", 100, ""},
        {"Key_Grid", 140, "PerChar Grid (use hotkey 'G')"},
        {"Key_zGrid", 172, "PerPixel Grid (use hotkey 'H')"},
        {"KEY_Palette", 212, "Full Palette Window (use hotkey 'C')"},
        {"KEY_BorderPalette", 244, "Border Palette Window (use hotkey 'B')"},
        {"KEY_Preview", 284, "Preview and Zoom selector Window (use hotkey 'V')"},
        {"KEY_ZoomPreview", 316, "Preview Zoom Window (use hotkey 'ALT+V')"},
        {"KEY_EditMode_PIX", 572, ""},
        {"KEY_EditMode_RGB", 613, ""},
        {"Key_Instrument_Paint", 668, "Pencil (use hotkey 'P')"},
        {"Key_Instrument_Line", 700, "Line (use hotkey 'L')"},
        {"Key_Instrument_Rect", 732, ""},
        {"Key_Instrument_FillChar", 764, "Fill Char (use hotkey 'N')"},
        {"Key_Instrument_Select", 796, "Selection (use hotkey 'S')"},
        {"Key_Instrument_Ellipse", 836, ""},
    };
    for (const auto& b : buttons) {
      auto* button = w->findChild<QToolButton*>(b.Name);
      QVERIFY2(button, b.Name);
      QCOMPARE(button->x(), b.X);
      QCOMPARE(button->toolTip(), QString(b.Tip));
    }
    QVERIFY(w->Key_Instrument_Ellipse->isHidden());
    QCOMPARE(w->Panel_CurrentColors->x(), 356);
    QCOMPARE(w->Panel_CurrentColors->width(), 213);
    QCOMPARE(w->KEY_EditMode_PIX->width(), 41);
    QCOMPARE(w->KEY_EditMode_RGB->width(), 49);
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
        "  CreateNew1 New",
        "    N8x8StandartGigascreen1 8x8 Standart Gigascreen",
        "    N4x81 8x4 MultiGigaScreen",
        "    N3x81 8x2 MultiGigaScreen",
        "    N1x81 8x1 MultiGigaScreen",
        "  Changevertical1 Change char size",
        "    Convertto8x8 Convert to 8x8",
        "    Convertto8x4 Convert to 8x4",
        "    Convertto8x2 Convert to 8x2",
        "    Convertto8x1 Convert to 8x1",
        "  -",
        "  Open1 Open *.mgs",
        "  Save1 Save *.mgs",
        "  -",
        "  Import1 Import",
        "    Importfromimg2 Import from *.img",
        "    Importfromimg1 Import from *.$img",
        "    -",
        "    Importfromscr1 Import from *.scr",
        "    Importfromscr2 Import from *.$scr",
        "    -",
        "    Importfrommg1mg2mg4mg81 Import from *.mg1/mg2/mg4/mg8",
        "  N3 Export",
        "    Exporttoimg2 Export to *.img",
        "    -",
        "    Exporttomg01 Export to *.mg1",
        "    Exporttomg11 Export to *.mg2",
        "    Exporttomg21 Export to *.mg4",
        "    Exporttomg81 Export to *.mg8",
        "    -",
        "    ExporttoBMP1 Export to *.BMP",
        "  -",
        "  PreviewonZX1 Preview TRD on ZX-emul",
        "Edit",
        "  Removeselection1 Remove selection (CTRL+D or ESC)",
        "  -",
        "  Copy1 Copy (CTRL+C)",
        "  Paste1 Paste (CTRL+V)",
        "  DeleteDEL1 Delete (DEL)",
        "  -",
        "  FlipHorizontal1 Flip Horizontal",
        "  FlipVertical1 Flip Vertical",
        "  -",
        "  Rotate90cw1 Rotate 90` cw",
        "  -",
        "  Rotatepixelsright1 Rotate pixels Right (CTRL+CursorRight)",
        "  RotatepixelsLeft1 Rotate pixels Left (CTRL+CursorLeft)",
        "  RotatepixelsUp1 Rotate pixels Up (CTRL+CursorUp)",
        "  RotatepixelsDown1 Rotate pixels Down (CTRL+CursorDown)",
        "Color Corrector",
        "  ShowHide1 Show/Hide",
        "  -",
    };
    QCOMPARE(items, expected);
  }

  void zoomSizesTheEditor_data() {
    QTest::addColumn<int>("level");
    for (int level = 1; level <= 4; ++level) QTest::addRow("level %d", level) << level;
  }
  void zoomSizesTheEditor() {
    QFETCH(int, level);
    auto w = Shown();
    QTest::mousePress(w->findChild<QToolButton*>(QString("KEY_Zoom%1_1").arg(level)), Qt::LeftButton);
    QCOMPARE(w->Core().View.ZoomLevel, level);
    QCOMPARE(w->Editor_IMG_MGSFull->size(), QSize(1024 * level, 768 * level));
    QCOMPARE(w->Panel_EditPicture->size(), QSize(1024 * level + 2, 768 * level + 2));
    QToolButton* zooms[] = {w->KEY_Zoom1_1, w->KEY_Zoom2_1, w->KEY_Zoom3_1, w->KEY_Zoom4_1};
    for (int i = 0; i < 4; ++i) QCOMPARE(zooms[i]->isChecked(), i + 1 == level);
    QCOMPARE(w->ScrollBox_EditPicture->horizontalScrollBar()->value(), 0);
    QCOMPARE(w->ScrollBox_EditPicture->verticalScrollBar()->value(), 0);
  }

  void editorIsCentredAndRecentredOnResize() {
    auto w = Shown();
    w->ToggleMaximised();
    const QWidget* viewport = w->ScrollBox_EditPicture->viewport();
    for (const QSize size : {QSize(1100, 850), QSize(1150, 820)}) {
      w->Panel_Editor_Picture->resize(size);
      QCoreApplication::processEvents();
      QCOMPARE(w->Panel_EditPicture->x(), (viewport->width() - w->Panel_EditPicture->width()) / 2);
      QCOMPARE(w->Panel_EditPicture->y(), (viewport->height() - w->Panel_EditPicture->height()) / 2);
    }
    // Wider than the box: any resize scrolls back to the left and top edges.
    w->SetZoom(2);
    w->ScrollBox_EditPicture->horizontalScrollBar()->setValue(300);
    w->ScrollBox_EditPicture->verticalScrollBar()->setValue(200);
    w->Panel_Editor_Picture->resize(900, 700);
    QCoreApplication::processEvents();
    QCOMPARE(w->ScrollBox_EditPicture->horizontalScrollBar()->value(), 0);
    QCOMPARE(w->ScrollBox_EditPicture->verticalScrollBar()->value(), 0);
  }

  void previewClickZoomsAndScrollsToTheFrame() {
    auto w = Shown();
    w->resize(900, 700);  // a view small enough to scroll that far at level 3
    QCoreApplication::processEvents();
    w->TogglePreviewWindow();
    QVERIFY(w->Panel_Preview->isVisible());
    QVERIFY(w->KEY_Preview->isDown());
    w->Core().View.SelectorSize = 12;
    Send(w->Editor_IMG_Preview, QEvent::MouseMove, QPoint(20 * 16 + 3, 10 * 16 + 5));
    QCOMPARE(w->Core().View.SelectorColumn, 20);
    QCOMPARE(w->Core().View.SelectorRow, 10);
    Send(w->Editor_IMG_Preview, QEvent::MouseButtonPress, QPoint(20 * 16 + 3, 10 * 16 + 5), Qt::RightButton);
    QCOMPARE(w->Core().View.ZoomLevel, 3);
    QCOMPARE(w->ScrollBox_EditPicture->horizontalScrollBar()->value(), 1920);
    QCOMPARE(w->ScrollBox_EditPicture->verticalScrollBar()->value(), 960);
    QVERIFY(!w->Panel_Preview->isVisible());
    QVERIFY(!w->KEY_Preview->isDown());
  }

  void selectorFrameFollowsThePointerAndLeavesOverTheBorder() {
    auto w = Shown();
    w->TogglePreviewWindow();
    const Raster clean = w->Core().Render.PreviewRaster;
    Send(w->Editor_IMG_Preview, QEvent::MouseMove, QPoint(40, 40));
    QVERIFY(!(w->Core().Render.PreviewImage == clean));
    Send(w->PanelBorderPreview, QEvent::MouseMove, QPoint(10, 10));
    QVERIFY(w->Core().Render.PreviewImage == clean);
  }

  void selectorSizeStaysWithinItsBounds() {
    auto w = Shown();
    auto press = [&](Qt::Key key) { QTest::keyClick(w.get(), key); };
    press(Qt::Key_Up);  // preview hidden: no change
    QCOMPARE(w->Core().View.SelectorSize, 8);
    w->TogglePreviewWindow();
    const int expected[] = {12, 16, 16};
    for (int size : expected) {
      press(Qt::Key_Up);
      QCOMPARE(w->Core().View.SelectorSize, size);
    }
    const int down[] = {12, 8, 8};
    for (int size : down) {
      press(Qt::Key_Down);
      QCOMPARE(w->Core().View.SelectorSize, size);
    }
  }

  void maximiseRestoreMaximiseKeepsTheFloatingBounds() {
    auto w = Shown();
    QCOMPARE(w->FloatingBounds(), QRect(2, 42, 640, 480));
    QTest::mousePress(w->Image6, Qt::LeftButton);
    QVERIFY(!w->IsPictureMaximised());
    QCOMPARE(w->Panel_Editor_Picture->geometry(), QRect(2, 42, 640, 480));
    w->Panel_Editor_Picture->setGeometry(30, 60, 700, 500);
    QTest::mousePress(w->Image6, Qt::LeftButton);
    QVERIFY(w->IsPictureMaximised());
    QTest::mousePress(w->Image6, Qt::LeftButton);
    QCOMPARE(w->Panel_Editor_Picture->geometry(), QRect(30, 60, 700, 500));
  }

  void pictureWindowDragsOnlyWhileFloating() {
    auto w = Shown();
    const QRect before = w->Panel_Editor_Picture->geometry();
    const QPoint grip(50, 8);
    Send(w->Panel3, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    Send(w->Panel3, QEvent::MouseMove, grip + QPoint(30, -10), Qt::LeftButton);
    Send(w->Panel3, QEvent::MouseButtonRelease, grip + QPoint(30, -10), Qt::LeftButton);
    QCOMPARE(w->Panel_Editor_Picture->geometry(), before);
    w->ToggleMaximised();
    const QPoint start = w->Panel_Editor_Picture->pos();
    Send(w->Panel3, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    // The strip moves with the panel, so the same global step lands at a new local point.
    QMouseEvent move(QEvent::MouseMove, QPointF(grip), w->Panel3->mapToGlobal(QPointF(grip)) + QPointF(30, -10),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w->Panel3, &move);
    QCOMPARE(w->Panel_Editor_Picture->pos(), start + QPoint(30, -10));
  }

  void gridButtonsShowTheGrids() {
    auto w = Shown();
    QTest::mouseClick(w->Key_Grid, Qt::LeftButton);
    QTest::mouseClick(w->Key_zGrid, Qt::LeftButton);
    QVERIFY(w->Key_Grid->isDown());
    QVERIFY(w->Key_zGrid->isDown());
    const QImage shown = w->Editor_IMG_MGSFull->grab().toImage();
    const int z = 4;
    QCOMPARE(shown.pixel(8 * z, 0), qRgb(255, 255, 255));
    QCOMPARE(shown.pixel(z, z), qRgb(0, 0, 0));
    QCOMPARE(shown.pixel(z, z + 1), qRgb(128, 128, 128));
    QCOMPARE(shown.pixel(z + 2, z + 2), qRgb(0, 0, 0));
    QTest::mouseClick(w->Key_Grid, Qt::LeftButton);
    QVERIFY(!w->Key_Grid->isDown());
    QVERIFY(!w->Core().View.CharGridOn);
  }

  void magnifierFollowsTheCanvasPointer() {
    auto w = Shown();
    w->Core().Document = test_support::RandomPicture(8, 3);
    w->Core().Redraw(true);
    w->ToggleZoomMagnifier();
    QVERIFY(w->Panel_ZoomPreview->isVisible());
    Send(w->Editor_IMG_MGSFull, QEvent::MouseMove, QPoint(1023, 767));
    const Raster& preview = w->Core().Render.PreviewImage;
    const Raster& magnifier = w->Core().Render.MagnifierImage;
    QCOMPARE(magnifier.At(0, 0), preview.At(336, 208));
    QCOMPARE(magnifier.At(175, 175), preview.At(511, 383));
  }

  void timerTickClearsTheInputPauseAndMovesTheAnts() {
    auto w = Shown();
    w->Core().CanvasInputSuspended = true;
    const int phases[] = {4, 8, 12, 0};
    for (int phase : phases) {
      w->Timer1Timer();
      QCOMPARE(w->Core().AntsPhase, phase);
      QVERIFY(!w->Core().CanvasInputSuspended);
    }
  }

  void newAndConvertReturnToZoomLevel1() {
    auto w = Shown();
    w->SetZoom(3);
    w->findChild<QAction*>("N4x81")->trigger();
    QCOMPARE(w->Core().Document.CharMode, 4);
    QCOMPARE(w->Core().View.ZoomLevel, 1);
    QVERIFY(w->KEY_Zoom1_1->isChecked());
    w->SetZoom(2);
    w->findChild<QAction*>("Convertto8x2")->trigger();
    QCOMPARE(w->Core().Document.CharMode, 2);
    QCOMPARE(w->Editor_IMG_MGSFull->size(), QSize(1024, 768));
  }

  void commandLineOpensExactlyOneNativeFile() {
    QTemporaryDir dir;
    const Picture picture = test_support::RandomPicture(4, 17);
    const QString good = WriteFile(dir, "good.mgs", WriteMgs(picture));
    const QString bad = WriteFile(dir, "bad.mgs", {'M', 'G', 'S', 1, 3});

    MainWindow none({});
    QCOMPARE(none.Core().Document, Picture{});
    QVERIFY(none.StartupError().isEmpty());

    MainWindow one({good});
    QCOMPARE(one.Core().Document, picture);
    QCOMPARE(one.Core().View.ZoomLevel, 1);
    QVERIFY(!one.Core().CanvasInputSuspended);
    QCOMPARE(one.DialogFolder(), dir.path() + "/");

    MainWindow broken({bad});
    QCOMPARE(broken.Core().Document, Picture{});
    QVERIFY(broken.StartupError().startsWith("Error file format"));

    MainWindow missing({dir.filePath("missing.mgs")});
    QCOMPARE(missing.Core().Document, Picture{});
    QVERIFY(missing.StartupError().contains("missing.mgs"));

    MainWindow two({good, good});
    QCOMPARE(two.Core().Document, Picture{});
    QCOMPARE(two.DialogFolder(), two.ProgramFolder());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::MainWindowTest)
#include "main_window_test.moc"

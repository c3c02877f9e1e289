// Zoom steps by Ctrl+wheel, the View menu's keys and the zoom buttons, and
// the status bar's cell height and zoom level.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>

#include "support/window_test_support.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;

namespace {

enum class Input { Wheel, Key, Button };

}  // namespace

class ViewNavigationTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<MainWindow> Shown() {
    auto w = std::make_unique<MainWindow>(QStringList{});
    w->resize(1200, 900);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qFatal("the window never became active");
    return w;
  }

  static QWidget* Viewport(const MainWindow& w) { return Child<QScrollArea>(w, "pictureScrollBox")->viewport(); }
  static QPoint Scroll(const MainWindow& w) {
    const auto* box = Child<QScrollArea>(w, "pictureScrollBox");
    return {box->horizontalScrollBar()->value(), box->verticalScrollBar()->value()};
  }
  static void ScrollTo(const MainWindow& w, QPoint to) {
    const auto* box = Child<QScrollArea>(w, "pictureScrollBox");
    box->horizontalScrollBar()->setValue(to.x());
    box->verticalScrollBar()->setValue(to.y());
  }
  static QPointF ViewCentre(const MainWindow& w) {
    const QWidget* viewport = Viewport(w);
    return {viewport->width() / 2.0, viewport->height() / 2.0};
  }

  // The picture point, in picture pixels, that a point of the view shows.
  static QPointF PicturePointAt(MainWindow& w, QPointF viewPoint) {
    return Child<QWidget>(w, "canvas")->mapFrom(Viewport(w), viewPoint) / w.View().Scale();
  }

  // The point stays where it was on the screen, to within one screen pixel.
  static bool StaysInPlace(MainWindow& w, QPointF before, QPointF viewPoint) {
    const QPointF moved = (PicturePointAt(w, viewPoint) - before) * w.View().Scale();
    return std::abs(moved.x()) <= 1.0 && std::abs(moved.y()) <= 1.0;
  }
  static QString Moved(MainWindow& w, QPointF before, QPointF viewPoint) {
    const QPointF now = PicturePointAt(w, viewPoint);
    return QString("(%1, %2) moved to (%3, %4)").arg(before.x()).arg(before.y()).arg(now.x()).arg(now.y());
  }

  // A wheel turn over whatever the view shows at the point; it reaches the
  // scroll box as the widgets under the pointer pass it on.
  static void Wheel(MainWindow& w, QPointF viewPoint, int notches, Qt::KeyboardModifiers modifiers) {
    QWidget* viewport = Viewport(w);
    QWidget* under = viewport->childAt(viewPoint.toPoint());
    QWidget* target = under ? under : viewport;
    const QPointF at = target->mapFrom(viewport, viewPoint);
    SendWheel(target, at, notches * QWheelEvent::DefaultDeltasPerStep, modifiers);
  }

  // As the platform sends it: only such a turn passes from a widget that
  // ignores it to the widgets it lies in.
  static void SendWheel(QWidget* target, QPointF at, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(target, &event);
  }

 private slots:
  void ctrlWheelKeepsThePointUnderThePointer_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<int>("notches");
    // Points the scroll range lets stay: zooming out near the far edges cannot.
    QTest::addRow("1 to 2 near the top-left") << 1 << QPoint(0, 0) << QPointF(300, 200) << 1;
    QTest::addRow("1 to 4 at once") << 1 << QPoint(0, 0) << QPointF(700, 450) << 3;
    QTest::addRow("2 to 3, scrolled") << 2 << QPoint(500, 300) << QPointF(803, 517) << 1;
    QTest::addRow("3 to 2, scrolled") << 3 << QPoint(1000, 600) << QPointF(211, 600) << -1;
    QTest::addRow("4 to 2 in two notches") << 4 << QPoint(1500, 1100) << QPointF(601, 399) << -2;
    QTest::addRow("3 to 4 off the middle") << 3 << QPoint(1200, 700) << QPointF(1000, 100) << 1;
  }
  void ctrlWheelKeepsThePointUnderThePointer() {
    QFETCH(int, from);
    QFETCH(QPoint, scroll);
    QFETCH(QPointF, pointer);
    QFETCH(int, notches);
    auto w = Shown();
    w->Controller().SetZoom(from);
    ScrollTo(*w, scroll);
    QCOMPARE(Scroll(*w), scroll);
    const QPointF before = PicturePointAt(*w, pointer);
    Wheel(*w, pointer, notches, Qt::ControlModifier);
    QCoreApplication::processEvents();  // scroll bars that come or go must not move the view
    QCOMPARE(w->View().ZoomLevel(), from + notches);
    QCOMPARE(Child<QWidget>(*w, "canvas")->width(), 1024 * (from + notches));
    QVERIFY2(StaysInPlace(*w, before, pointer), qPrintable(Moved(*w, before, pointer)));
  }

  // A fine-stepped wheel zooms once its turns add up to a notch; without Ctrl the wheel scrolls.
  void wheelWithoutCtrlScrollsAndFineStepsAddUp() {
    auto w = Shown();
    w->Controller().SetZoom(2);
    const QPointF pointer(500.5, 400.5);
    Wheel(*w, pointer, -1, Qt::NoModifier);
    QCOMPARE(w->View().ZoomLevel(), 2);
    QVERIFY(Scroll(*w).y() > 0);
    QWidget* canvas = Child<QWidget>(*w, "canvas");
    for (int i = 0; i < 3; ++i) {
      SendWheel(canvas, canvas->mapFrom(Viewport(*w), pointer), 40, Qt::ControlModifier);
      QCOMPARE(w->View().ZoomLevel(), i < 2 ? 2 : 3);
    }
  }

  // Keys, with real key events through Qt's shortcut matching, and the
  // tool bar's buttons keep the picture point at the centre of the view.
  void keysAndButtonsKeepTheCentre_data() {
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("key");  // or the button's level
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const int ctrl = Qt::ControlModifier, keypad = Qt::KeypadModifier;
    const int key = static_cast<int>(Input::Key), button = static_cast<int>(Input::Button);
    QTest::addRow("Ctrl+plus") << key << int(Qt::Key_Plus) << ctrl << 2 << 3;
    QTest::addRow("Ctrl+equals") << key << int(Qt::Key_Equal) << ctrl << 1 << 2;
    QTest::addRow("Ctrl+plus to 4") << key << int(Qt::Key_Plus) << ctrl << 3 << 4;
    QTest::addRow("Ctrl+keypad plus") << key << int(Qt::Key_Plus) << (ctrl | keypad) << 2 << 3;
    QTest::addRow("Ctrl+minus") << key << int(Qt::Key_Minus) << ctrl << 3 << 2;
    QTest::addRow("Ctrl+keypad minus") << key << int(Qt::Key_Minus) << (ctrl | keypad) << 4 << 3;
    QTest::addRow("zoom button 4 from 2") << button << 4 << 0 << 2 << 4;
    QTest::addRow("zoom button 2 from 4") << button << 2 << 0 << 4 << 2;
    QTest::addRow("zoom button 3 from 1") << button << 3 << 0 << 1 << 3;
  }
  void keysAndButtonsKeepTheCentre() {
    QFETCH(int, input);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, from);
    QFETCH(int, to);
    auto w = Shown();
    w->Controller().SetZoom(from);
    ScrollTo(*w, QPoint(300, 200) * (from - 1));
    const QPointF centre = ViewCentre(*w);
    const QPointF before = PicturePointAt(*w, centre);
    if (static_cast<Input>(input) == Input::Key) {
      QTest::keyClick(Child<QWidget>(*w, "canvas"), static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    } else {
      test_support::PressAndRelease(Child<QToolButton>(*w, QString("zoomButton%1").arg(key)));
    }
    QCoreApplication::processEvents();
    QCOMPARE(w->View().ZoomLevel(), to);
    QVERIFY2(StaysInPlace(*w, before, centre), qPrintable(Moved(*w, before, centre)));
  }

  // Nothing zooms past 1:1 or level 4, and the view stays where it was.
  void zoomStopsAtTheOuterLevels() {
    auto w = Shown();
    auto* zoomIn = Child<QAction>(*w, "zoomInAction");
    auto* zoomOut = Child<QAction>(*w, "zoomOutAction");
    QWidget* canvas = Child<QWidget>(*w, "canvas");
    const struct {
      int Level;
      int Notches;
      Qt::Key Key;
    } limits[] = {{ZoomLevel1to1, -1, Qt::Key_Minus}, {MaxZoomLevel, +1, Qt::Key_Plus}};
    for (const auto& limit : limits) {
      w->Controller().SetZoom(limit.Level);
      ScrollTo(*w, QPoint(120, 80) * std::max(0, limit.Level - 1));
      const QPoint scroll = Scroll(*w);
      QCOMPARE(zoomIn->isEnabled(), limit.Level < MaxZoomLevel);
      QCOMPARE(zoomOut->isEnabled(), limit.Level > ZoomLevel1to1);
      Wheel(*w, QPointF(400, 300), limit.Notches, Qt::ControlModifier);
      QTest::keyClick(canvas, limit.Key, Qt::ControlModifier);
      (limit.Notches > 0 ? zoomIn : zoomOut)->trigger();
      QCOMPARE(w->View().ZoomLevel(), limit.Level);
      QCOMPARE(Scroll(*w), scroll);
    }
    // Beyond 4 the wheel and the keys step to 6 and 8; past a limit the wheel stops there.
    w->Controller().SetZoom(4);
    Wheel(*w, QPointF(400, 300), 1, Qt::ControlModifier);
    QCOMPARE(w->View().ZoomLevel(), 6);
    zoomIn->trigger();
    QCOMPARE(w->View().ZoomLevel(), 8);
    zoomOut->trigger();
    QCOMPARE(w->View().ZoomLevel(), 6);
    w->Controller().SetZoom(3);
    Wheel(*w, QPointF(400, 300), 6, Qt::ControlModifier);
    QCOMPARE(w->View().ZoomLevel(), MaxZoomLevel);
    QVERIFY(!zoomIn->isEnabled());
  }

  // The status bar's new fields follow the picture and the view; its others stay.
  void statusBarShowsTheCellHeightAndTheZoom() {
    auto w = Shown();
    const QLabel* height = Child<QLabel>(*w, "statusCellHeight");
    const QLabel* zoom = Child<QLabel>(*w, "statusZoom");
    QCOMPARE(height->text(), QString("Char size 8x1"));
    QCOMPARE(zoom->text(), QString("Zoom x1"));
    Child<QAction>(*w, "newPicture8x4Action")->trigger();
    QCOMPARE(height->text(), QString("Char size 8x4"));
    QTest::keyClick(Child<QWidget>(*w, "canvas"), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(zoom->text(), QString("Zoom x2"));
    test_support::PressAndRelease(Child<QToolButton>(*w, "zoomButton4"));
    QCOMPARE(zoom->text(), QString("Zoom x4"));
    Child<QAction>(*w, "convertTo8x2Action")->trigger();
    QCOMPARE(height->text(), QString("Char size 8x2"));
    QCOMPARE(zoom->text(), QString("Zoom x1"));
    QTest::keyClick(Child<QWidget>(*w, "canvas"), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(zoom->text(), QString("Zoom 2:1"));
    for (const char* field : {"statusX", "statusY", "statusCellX", "statusCellY", "cellSwatch0"})
      QVERIFY(Child<QWidget>(*w, field)->isVisible());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ViewNavigationTest)
#include "view_navigation_test.moc"

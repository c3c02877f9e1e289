#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

#include <climits>
#include <memory>

#include "window/floating_panel.h"

using namespace chromaloom;

Q_DECLARE_METATYPE(PanelZone)
Q_DECLARE_METATYPE(PanelAlign)

namespace chromaloom {
char* toString(PanelZone zone) {
  static const char* const names[] = {"Client", "Caption", "Left",     "Right",      "Top",
                                      "Bottom", "TopLeft", "TopRight", "BottomLeft", "BottomRight"};
  return qstrdup(names[static_cast<int>(zone)]);
}
}  // namespace chromaloom

namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButton button,
          Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// Press at `local` on a widget, move the pointer by `delta`, release; screen
// positions are given explicitly, as the offscreen platform has no real pointer.
void Drag(QWidget* widget, QPoint local, QPoint delta, Qt::MouseButton button = Qt::LeftButton) {
  const QPoint global = widget->mapToGlobal(local);
  Send(widget, QEvent::MouseButtonPress, local, global, button, button);
  Send(widget, QEvent::MouseMove, local + delta, global + delta, Qt::NoButton, button);
  Send(widget, QEvent::MouseButtonRelease, local + delta, global + delta, button, Qt::NoButton);
}

void Hover(QWidget* widget, QPoint local) {
  Send(widget, QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton);
}

}  // namespace

class FloatingPanelTest : public QObject {
  Q_OBJECT

 private:
  // A main window stand-in holding one tool panel with its caption strip.
  std::unique_ptr<QWidget> root_;
  QFrame* panel_ = nullptr;
  CaptionStrip* strip_ = nullptr;
  std::unique_ptr<PanelDragger> dragger_;

 private slots:
  void init() {
    root_ = std::make_unique<QWidget>();
    root_->resize(800, 600);
    panel_ = new QFrame(root_.get());
    panel_->setGeometry(100, 100, 200, 150);
    strip_ = new CaptionStrip(QStringLiteral("Border Palette"), panel_);
    strip_->setGeometry(0, 0, 200, CaptionStrip::StripHeight);
    dragger_ = std::make_unique<PanelDragger>();
    root_->show();
    QVERIFY(QTest::qWaitForWindowExposed(root_.get()));
  }
  void cleanup() {
    dragger_.reset();
    root_.reset();
  }

  void captionStripIsABoldSkyBlueBarThatTakesPresses() {
    QCOMPARE(strip_->height(), 17);
    QCOMPARE(strip_->Caption(), QStringLiteral("Border Palette"));
    const auto* label = strip_->findChild<QLabel*>();
    QVERIFY(label != nullptr);
    QVERIFY(label->font().bold());
    QVERIFY(!strip_->testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage shot = strip_->grab().toImage();
    QCOMPARE(shot.pixelColor(1, 1), QColor(166, 202, 240));
    QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), QColor(166, 202, 240));
  }

  void stripDragMovesPanelByPointerOffset_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("delta");
    QTest::newRow("left button") << Qt::LeftButton << QPoint(30, -10);
    QTest::newRow("right button") << Qt::RightButton << QPoint(30, -10);
    QTest::newRow("middle button") << Qt::MiddleButton << QPoint(-7, 12);
    QTest::newRow("past the parent's top-left") << Qt::LeftButton << QPoint(-250, -300);
    QTest::newRow("past the parent's bottom-right") << Qt::LeftButton << QPoint(2000, 1500);
  }
  void stripDragMovesPanelByPointerOffset() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, delta);
    auto* sibling = new QFrame(root_.get());
    sibling->show();
    const QObjectList stacking = root_->children();
    dragger_->AddHandle(strip_, panel_);
    Drag(strip_, QPoint(20, 8), delta, button);
    QCOMPARE(panel_->pos(), QPoint(100, 100) + delta);
    QCOMPARE(panel_->size(), QSize(200, 150));
    QVERIFY(panel_->isVisible());
    QCOMPARE(root_->children(), stacking);
    QVERIFY(!dragger_->IsDragging(panel_));
  }

  // Through the window system: the press lands on the caption text, the
  // strip keeps the pointer while it leaves the strip.
  void dragThroughTheWindowSystem() {
    dragger_->AddHandle(strip_, panel_);
    QWindow* window = root_->windowHandle();
    const QPoint onText = strip_->mapTo(root_.get(), strip_->rect().center());
    QTest::mousePress(window, Qt::LeftButton, {}, onText);
    QVERIFY(dragger_->IsDragging(panel_));
    QCOMPARE(dragger_->PanelDragStart().PanelLeft, 100);
    QTest::mouseMove(window, onText + QPoint(30, -10));
    QTest::mouseRelease(window, Qt::LeftButton, {}, onText + QPoint(30, -10));
    QCOMPARE(panel_->pos(), QPoint(130, 90));
    QTest::mouseMove(window, onText + QPoint(80, 40));
    QCOMPARE(panel_->pos(), QPoint(130, 90));
  }

  void secondDragStartsWhereThePanelIs() {
    dragger_->AddHandle(strip_, panel_);
    Drag(strip_, QPoint(20, 8), QPoint(30, -10));
    const QPoint local(150, 3), global = strip_->mapToGlobal(local);
    Send(strip_, QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton);
    Send(strip_, QEvent::MouseMove, local, global, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel_->pos(), QPoint(130, 90));
    Send(strip_, QEvent::MouseMove, local, global + QPoint(7, 3), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel_->pos(), QPoint(137, 93));
  }

  void movesWithoutADragMoveNothing() {
    dragger_->AddHandle(strip_, panel_);
    strip_->setMouseTracking(true);  // otherwise Qt drops the moves with no button held
    const QPoint local(20, 8), global = strip_->mapToGlobal(local);
    Send(strip_, QEvent::MouseMove, local, global + QPoint(40, 40), Qt::NoButton, Qt::NoButton);
    Send(strip_, QEvent::MouseMove, local, global + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel_->pos(), QPoint(100, 100));
    // A move with no button held ends a drag whose release went astray.
    Send(strip_, QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton);
    Send(strip_, QEvent::MouseMove, local, global + QPoint(40, 40), Qt::NoButton, Qt::NoButton);
    QVERIFY(!dragger_->IsDragging(panel_));
    Send(strip_, QEvent::MouseMove, local, global + QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel_->pos(), QPoint(100, 100));
  }

  void refusedDragLeavesPanelAlone() {
    bool maximised = true;
    dragger_->AddHandle(strip_, panel_, [&maximised] { return !maximised; });
    Drag(strip_, QPoint(20, 8), QPoint(30, -10));
    QCOMPARE(panel_->pos(), QPoint(100, 100));
    maximised = false;
    Drag(strip_, QPoint(20, 8), QPoint(30, -10));
    QCOMPARE(panel_->pos(), QPoint(130, 90));
  }

  void panelAsItsOwnHandle_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("bare part") << "panel" << QPoint(150, 120) << QPoint(130, 90);
    QTest::newRow("child control") << "label" << QPoint(10, 10) << QPoint(100, 100);
    QTest::newRow("panel point over a child") << "panel" << QPoint(30, 50) << QPoint(100, 100);
    QTest::newRow("caption strip inside") << "strip" << QPoint(20, 8) << QPoint(130, 90);
  }
  void panelAsItsOwnHandle() {
    QFETCH(QString, target);
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, expected);
    auto* label = new QLabel(QStringLiteral("swatch"), panel_);
    label->setGeometry(20, 40, 100, 30);
    label->show();
    dragger_->AddHandle(panel_, panel_);
    dragger_->AddHandle(strip_, panel_);
    QWidget* widget = target == "label" ? label : target == "strip" ? static_cast<QWidget*>(strip_) : panel_;
    Drag(widget, pressAt, QPoint(30, -10));
    QCOMPARE(panel_->pos(), expected);
  }

  void onlyTheDraggedPanelMoves() {
    auto* other = new QFrame(root_.get());
    other->setGeometry(400, 100, 150, 100);
    auto* otherStrip = new CaptionStrip(QStringLiteral("Preview Zoom"), other);
    dragger_->AddHandle(strip_, panel_);
    dragger_->AddHandle(otherStrip, other);
    const QPoint local(20, 8);
    Send(strip_, QEvent::MouseButtonPress, local, strip_->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton);
    Send(otherStrip, QEvent::MouseMove, local, otherStrip->mapToGlobal(local) + QPoint(9, 9), Qt::NoButton,
         Qt::LeftButton);
    QCOMPARE(panel_->pos(), QPoint(100, 100));
    QCOMPARE(other->pos(), QPoint(400, 100));
    QVERIFY(dragger_->IsDragging(panel_));
    QVERIFY(!dragger_->IsDragging(other));
  }

  void destroyedHandlesAndPanelsAreForgotten() {
    dragger_->AddHandle(nullptr, panel_);
    dragger_->AddHandle(strip_, nullptr);
    Drag(strip_, QPoint(20, 8), QPoint(30, -10));
    QCOMPARE(panel_->pos(), QPoint(100, 100));

    // The panel goes away in the middle of its drag.
    auto* doomed = new QFrame(root_.get());
    auto* doomedStrip = new CaptionStrip(QStringLiteral("Color Corrector"), doomed);
    dragger_->AddHandle(doomedStrip, doomed);
    Send(doomedStrip, QEvent::MouseButtonPress, {5, 5}, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(dragger_->IsDragging(doomed));
    delete doomed;
    QVERIFY(!dragger_->IsDragging(nullptr));

    // A handle outside its panel goes away; the panel's new handle works.
    auto* handle = new QWidget(root_.get());
    dragger_->AddHandle(handle, panel_);
    delete handle;
    dragger_->AddHandle(strip_, panel_);
    Drag(strip_, QPoint(20, 8), QPoint(30, -10));
    QCOMPARE(panel_->pos(), QPoint(130, 90));

    // The dragger goes before its handles.
    dragger_.reset();
    Drag(strip_, QPoint(20, 8), QPoint(30, -10));
    QCOMPARE(panel_->pos(), QPoint(130, 90));
  }

  void hitTest_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<PanelAlign>("align");
    QTest::addColumn<bool>("moving");
    QTest::addColumn<PanelZone>("expected");
    const auto None = PanelAlign::None;
    auto row = [](const char* name, int x, int y, PanelAlign align, bool moving, PanelZone zone, int w = 640,
                  int h = 480) { QTest::newRow(name) << x << y << w << h << align << moving << zone; };
    row("W-x=5, y=3: top-right", 635, 3, None, false, PanelZone::TopRight);
    row("W-x=6, y=3: top", 634, 3, None, false, PanelZone::Top);
    row("x=5, y=200: left", 5, 200, None, false, PanelZone::Left);
    row("x=6: client", 6, 200, None, false, PanelZone::Client);
    row("right", 639, 200, None, false, PanelZone::Right);
    row("H-y=5: bottom", 300, 475, None, false, PanelZone::Bottom);
    row("H-y=6: client", 300, 474, None, false, PanelZone::Client);
    row("y=5: top", 300, 5, None, false, PanelZone::Top);
    row("bottom-right", 636, 476, None, false, PanelZone::BottomRight);
    row("top-left", 0, 0, None, false, PanelZone::TopLeft);
    row("bottom-left", 2, 478, None, false, PanelZone::BottomLeft);
    row("tiny panel: bottom-right first", 4, 4, None, false, PanelZone::BottomRight, 8, 8);
    row("narrow panel: top-left before top-right", 3, 1, None, false, PanelZone::TopLeft, 8);
    row("narrow panel: left replaces right", 3, 200, None, false, PanelZone::Left, 8);
    row("short panel: top replaces bottom", 300, 3, None, false, PanelZone::Top, 640, 8);
    row("moving: body is a caption", 300, 200, None, true, PanelZone::Caption);
    row("moving: edges still resize", 639, 200, None, true, PanelZone::Right);
    row("client-aligned corner", 636, 476, PanelAlign::Client, false, PanelZone::Client);
    row("client-aligned edge", 5, 200, PanelAlign::Client, true, PanelZone::Client);
    row("extreme values", INT_MIN, INT_MAX, None, false, PanelZone::BottomLeft, INT_MAX, INT_MIN);
  }
  void hitTest() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(PanelAlign, align);
    QFETCH(bool, moving);
    QFETCH(PanelZone, expected);
    QCOMPARE(PanelHitTest(x, y, width, height, align, moving), expected);
  }

  void setMovingTakesOnlyTrueWhileUnaligned_data() {
    QTest::addColumn<PanelAlign>("align");
    QTest::addColumn<bool>("expected");
    QTest::newRow("unaligned") << PanelAlign::None << true;
    QTest::newRow("maximised") << PanelAlign::Client << false;
  }
  void setMovingTakesOnlyTrueWhileUnaligned() {
    QFETCH(PanelAlign, align);
    QFETCH(bool, expected);
    FreePanel panel;
    QVERIFY(!panel.Moving());
    panel.SetAlign(align);
    panel.SetMoving(true);
    QCOMPARE(panel.Moving(), expected);
    panel.SetAlign(PanelAlign::None);
    panel.SetMoving(false);
    QCOMPARE(panel.Moving(), expected);
  }

  void pictureWindowResizesByItsEdges_data() {
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("bottom-right grows") << QPoint(637, 477) << QPoint(20, 30) << QRect(2, 42, 660, 510);
    QTest::newRow("bottom-right stops at minimum") << QPoint(637, 477) << QPoint(-500, -500) << QRect(2, 42, 524, 414);
    QTest::newRow("left edge keeps right edge") << QPoint(2, 240) << QPoint(50, 9) << QRect(52, 42, 590, 480);
    QTest::newRow("left edge stops at minimum") << QPoint(2, 240) << QPoint(400, 0) << QRect(118, 42, 524, 480);
    QTest::newRow("left edge grows past parent") << QPoint(2, 240) << QPoint(-30, 0) << QRect(-28, 42, 670, 480);
    QTest::newRow("top edge stops at minimum") << QPoint(320, 2) << QPoint(0, 300) << QRect(2, 108, 640, 414);
    QTest::newRow("top-left") << QPoint(1, 1) << QPoint(10, 20) << QRect(12, 62, 630, 460);
    QTest::newRow("top-right") << QPoint(637, 2) << QPoint(10, -10) << QRect(2, 32, 650, 490);
    QTest::newRow("bottom-left") << QPoint(2, 477) << QPoint(-10, 10) << QRect(-8, 42, 650, 490);
    QTest::newRow("right edge ignores vertical") << QPoint(638, 240) << QPoint(15, 99) << QRect(2, 42, 655, 480);
    QTest::newRow("bottom edge ignores horizontal") << QPoint(320, 478) << QPoint(99, -20) << QRect(2, 42, 640, 460);
    QTest::newRow("body does nothing") << QPoint(320, 240) << QPoint(50, 50) << QRect(2, 42, 640, 480);
    // The margin resizes also where a child covers it.
    QTest::newRow("x = 5 under a child") << QPoint(5, 240) << QPoint(50, 0) << QRect(52, 42, 590, 480);
    QTest::newRow("y = 5 under a child") << QPoint(320, 5) << QPoint(0, -10) << QRect(2, 32, 640, 490);
    QTest::newRow("W - x = 5 under a child") << QPoint(635, 240) << QPoint(5, 0) << QRect(2, 42, 645, 480);
    QTest::newRow("x = 6 is the child's") << QPoint(6, 240) << QPoint(50, 0) << QRect(2, 42, 640, 480);
  }
  void pictureWindowResizesByItsEdges() {
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    FreePanel panel(root_.get());
    panel.MinWidth = 524;
    panel.MinHeight = 414;
    panel.setGeometry(2, 42, 640, 480);
    // A child over the whole panel but its outer pixel, added after the panel was built.
    auto* inside = new QWidget(&panel);
    inside->setGeometry(panel.rect().adjusted(1, 1, -1, -1));
    panel.show();
    // Through the window system, so the press goes to whatever is on top there.
    QWindow* window = root_->windowHandle();
    const QPoint at = panel.mapTo(root_.get(), pressAt);
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QTest::mouseMove(window, at + delta);
    QCOMPARE(panel.geometry(), expected);
    QTest::mouseRelease(window, Qt::LeftButton, {}, at + delta);
    const QPoint global = panel.mapToGlobal(pressAt);
    // After the release a move with the button held changes nothing.
    Send(&panel, QEvent::MouseMove, pressAt, global + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel.geometry(), expected);
  }

  void resizeFollowsThePressNotTheLastClamp() {
    FreePanel panel(root_.get());
    panel.MinWidth = 524;
    panel.MinHeight = 414;
    panel.setGeometry(2, 42, 640, 480);
    const QPoint corner(637, 477), global = panel.mapToGlobal(corner);
    Send(&panel, QEvent::MouseButtonPress, corner, global, Qt::LeftButton, Qt::LeftButton);
    Send(&panel, QEvent::MouseMove, corner, global + QPoint(-500, -500), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel.size(), QSize(524, 414));
    Send(&panel, QEvent::MouseMove, corner, global + QPoint(20, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel.size(), QSize(660, 510));
    // Maximising in the middle of a resize ends it.
    panel.SetAlign(PanelAlign::Client);
    panel.setGeometry(0, 0, 800, 600);
    Send(&panel, QEvent::MouseMove, corner, global, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(panel.geometry(), QRect(0, 0, 800, 600));
  }

  void noResizeWhileAligned_data() {
    QTest::addColumn<PanelAlign>("align");
    QTest::newRow("maximised") << PanelAlign::Client;
  }
  void noResizeWhileAligned() {
    QFETCH(PanelAlign, align);
    FreePanel panel(root_.get());
    panel.setGeometry(0, 0, 800, 600);
    panel.SetAlign(align);
    for (const QPoint at : {QPoint(797, 597), QPoint(798, 300), QPoint(400, 598)}) {
      Hover(&panel, at);
      QVERIFY(!panel.testAttribute(Qt::WA_SetCursor));
      Drag(&panel, at, QPoint(-100, -100));
      QCOMPARE(panel.geometry(), QRect(0, 0, 800, 600));
    }
  }

  void movingPanelIsDraggedByItsBody() {
    FreePanel panel(root_.get());
    panel.setGeometry(2, 42, 640, 480);
    panel.SetMoving(true);
    Drag(&panel, QPoint(320, 240), QPoint(30, -10));
    QCOMPARE(panel.geometry(), QRect(32, 32, 640, 480));
  }

  // The cursor shown at a point is that of the widget on top there.
  void hoverShowsResizeCursor_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("shape");
    QTest::newRow("bottom-right") << QPoint(637, 477) << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(637, 2) << int(Qt::SizeBDiagCursor);
    QTest::newRow("top-left") << QPoint(5, 5) << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom-left") << QPoint(5, 475) << int(Qt::SizeBDiagCursor);
    QTest::newRow("left") << QPoint(2, 240) << int(Qt::SizeHorCursor);
    QTest::newRow("right") << QPoint(635, 240) << int(Qt::SizeHorCursor);
    QTest::newRow("top") << QPoint(320, 2) << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << QPoint(320, 475) << int(Qt::SizeVerCursor);
    QTest::newRow("body") << QPoint(320, 240) << int(Qt::ArrowCursor);
    QTest::newRow("child over the edge zone") << QPoint(5, 240) << int(Qt::SizeHorCursor);
    QTest::newRow("child beside the edge zone") << QPoint(6, 240) << int(Qt::ArrowCursor);
    QTest::newRow("H - y = 6") << QPoint(320, 474) << int(Qt::ArrowCursor);
  }
  void hoverShowsResizeCursor() {
    QFETCH(QPoint, at);
    QFETCH(int, shape);
    FreePanel panel(root_.get());
    panel.setGeometry(2, 42, 640, 480);
    auto* inside = new QWidget(&panel);
    inside->setGeometry(panel.rect().adjusted(1, 1, -1, -1));
    panel.show();
    const QWidget* under = panel.childAt(at);
    QCOMPARE(int((under ? under : &panel)->cursor().shape()), shape);
    // Maximised, no margin offers a resize.
    panel.SetAlign(PanelAlign::Client);
    under = panel.childAt(at);
    QCOMPARE(int((under ? under : &panel)->cursor().shape()), int(Qt::ArrowCursor));
  }
};

QTEST_MAIN(FloatingPanelTest)
#include "floating_panel_test.moc"

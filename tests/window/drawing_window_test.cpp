// Drawing and colour picking through mouse events on the real widgets.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "editing/colour_pickers.h"
#include "support/window_test_support.h"
#include "window/clickable_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"
#include "window/widget_colours.h"

namespace chromaloom {

using test_support::Child;
using test_support::PressAndRelease;
using test_support::ShownMainWindow;

class DrawingWindowTest : public QObject {
  Q_OBJECT

 private:
  static std::unique_ptr<MainWindow> Shown() { return ShownMainWindow(); }

  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton,
                   Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(widget, &event);
  }
  static void Press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(widget, QEvent::MouseButtonPress, at, button, button);
  }
  static void Release(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
  }
  static void ClickOn(QWidget* widget, QPoint at = {5, 5}) {
    Press(widget, at);
    Release(widget, at);
  }

 private slots:
  void toolButtonsSelectOnAnyButtonAndStayLowered() {
    auto w = Shown();
    QVERIFY(Child<QToolButton>(*w, "paintToolButton")->isDown());
    const std::pair<QToolButton*, ToolKind> tools[] = {
        {Child<QToolButton>(*w, "lineToolButton"), ToolKind::Line},
        {Child<QToolButton>(*w, "rectToolButton"), ToolKind::Rect},
        {Child<QToolButton>(*w, "fillCellToolButton"), ToolKind::FillCell},
        {Child<QToolButton>(*w, "selectToolButton"), ToolKind::Select},
        {Child<QToolButton>(*w, "paintToolButton"), ToolKind::Paint}};
    for (const auto& [button, kind] : tools) {
      Press(button, {10, 10}, Qt::RightButton);
      Release(button, {10, 10}, Qt::RightButton);
      QVERIFY(w->Tools().Current == kind);
      for (const auto& [other, otherKind] : tools) QCOMPARE(other->isDown(), otherKind == kind);
    }
  }

  // The state each toggle button of the bar switches.
  static bool ToggleState(MainWindow& w, const QString& button) {
    const auto shown = [&w](const char* name) { return Child<QWidget>(w, name)->isVisible(); };
    if (button == "charGridButton") return w.View().Settings().CharGridOn;
    if (button == "pixelGridButton") return w.View().Settings().PixelGridOn;
    if (button == "paletteButton") return shown("paletteWindow");
    if (button == "borderPaletteButton") return shown("borderPaletteWindow");
    if (button == "previewButton") return shown("previewWindow");
    if (button == "magnifierButton") return shown("magnifierWindow");
    if (button == "pixButton") return w.Pickers().EditModePix;
    if (button == "rgbButton") return w.Pickers().EditModeRgb;
    qFatal("no toggle button %s", qPrintable(button));
  }

  void toggleButtonsActOnAnyPressAndLookTheirState_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("gesture");
    const char* buttons[] = {"charGridButton", "pixelGridButton", "paletteButton", "borderPaletteButton",
                             "previewButton",  "magnifierButton", "pixButton",     "rgbButton"};
    const char* gestures[] = {"left click", "right click", "middle click", "press, drag off, release", "double click"};
    for (const char* button : buttons)
      for (int gesture = 0; gesture < 5; ++gesture)
        QTest::addRow("%s, %s", button, gestures[gesture]) << QString(button) << gesture;
  }
  void toggleButtonsActOnAnyPressAndLookTheirState() {
    QFETCH(QString, button);
    QFETCH(int, gesture);
    auto w = Shown();
    auto* target = Child<QToolButton>(*w, button);
    const QPoint centre = target->rect().center();
    const Qt::MouseButton mouse = gesture == 1 ? Qt::RightButton : gesture == 2 ? Qt::MiddleButton : Qt::LeftButton;
    const bool before = ToggleState(*w, button);
    QCOMPARE(target->isDown(), before);
    // Each press switches once; the look follows after every step.
    Press(target, centre, mouse);
    QCOMPARE(ToggleState(*w, button), !before);
    QCOMPARE(target->isDown(), !before);
    QPoint releaseAt = centre;
    if (gesture == 3) {
      releaseAt = centre + QPoint(0, 3 * target->height());
      Send(target, QEvent::MouseMove, releaseAt, Qt::NoButton, mouse);
    }
    Release(target, releaseAt, mouse);
    QCOMPARE(ToggleState(*w, button), !before);
    QCOMPARE(target->isDown(), !before);
    if (gesture == 4) {
      // The second press of a double click comes as a press and a double press.
      Press(target, centre, mouse);
      Send(target, QEvent::MouseButtonDblClick, centre, mouse, mouse);
      Release(target, centre, mouse);
      QCOMPARE(ToggleState(*w, button), before);
      QCOMPARE(target->isDown(), before);
    }
  }

  void pencilPressPaintsThePixelUnderThePointer() {
    auto w = Shown();
    ClickOn(Child<QWidget>(*w, "charPaletteEntry3"));
    QCOMPARE(w->Pickers().SelectedCharColour, 3);
    auto* canvas = Child<QWidget>(*w, "canvas");
    Press(canvas, {0, 0});
    QVERIFY(w->Document().Picture().GetPixelBit(0, 0, 0));
    QVERIFY(w->Document().Picture().GetPixelBit(1, 0, 0));
    // Dragging paints on to the next spot; the status bar follows the pointer.
    Send(canvas, QEvent::MouseMove, {4 * 100 + 1, 4 * 13 + 2}, Qt::NoButton, Qt::LeftButton);
    QVERIFY(w->Document().Picture().GetPixelBit(0, 100, 13));
    auto status = [&w](const char* name) { return Child<QLabel>(*w, name)->text(); };
    QCOMPARE(status("statusX"), QString("X: 100"));
    QCOMPARE(status("statusCellY"), QString("Ay: 13"));
    Release(canvas, {4 * 100 + 1, 4 * 13 + 2});
    // A move with no button held reads out the pointer.
    Send(canvas, QEvent::MouseMove, {4 * 20, 4 * 30});
    QCOMPARE(status("statusX"), QString("X: 20"));
    QCOMPARE(status("statusY"), QString("Y: 30"));
    QCOMPARE(status("statusCellX"), QString("Ax: 2"));
    QCOMPARE(status("statusCellY"), QString("Ay: 30"));
    // Undoing every stroke brings the black picture back, redoing them the strokes.
    const Picture painted = w->Document().Picture();
    while (!w->Document().UndoName().empty()) w->Controller().Undo();
    QCOMPARE(w->Document().Picture(), Picture{});
    while (!w->Document().RedoName().empty()) w->Controller().Redo();
    QCOMPARE(w->Document().Picture(), painted);
  }

  // A stroke runs from its press to its release: one move that jumps 30
  // pixels paints each of them, at any zoom, as one step.
  void aFastDragPaintsEveryPixelOnItsWay_data() {
    QTest::addColumn<int>("zoom");
    QTest::newRow("zoom 1") << 1;
    QTest::newRow("zoom 4") << 4;
  }
  void aFastDragPaintsEveryPixelOnItsWay() {
    QFETCH(int, zoom);
    auto w = Shown();
    ClickOn(Child<QWidget>(*w, "charPaletteEntry3"));
    w->Controller().SetZoom(zoom);
    auto* canvas = Child<QWidget>(*w, "canvas");
    const int z = w->View().Scale(), y = 50;
    Press(canvas, {10 * z + 1, y * z + 2});
    Send(canvas, QEvent::MouseMove, {40 * z + 2, y * z + 1}, Qt::NoButton, Qt::LeftButton);
    Release(canvas, {40 * z + 2, y * z + 1});
    const Picture& picture = w->Document().Picture();
    int painted = 0;
    for (int x = 0; x < PictureWidth; ++x) painted += picture.GetPixelBit(0, x, y) && picture.GetPixelBit(1, x, y);
    QCOMPARE(painted, 31);
    for (int x = 10; x <= 40; ++x) QVERIFY(picture.GetPixelBit(0, x, y));
    QCOMPARE(w->Document().UndoStepCount(), std::size_t{1});
    // On screen as a full render of the result shows it.
    View fresh(picture);
    fresh.SetZoom(zoom);
    fresh.Render.Redraw(true);
    QVERIFY(w->View().Render.EditorImage() == fresh.Render.EditorImage());
  }

  // A drag that comes onto the canvas with the button already held began
  // no stroke: it paints nothing and leaves no step.
  void aDragFromOffTheCanvasPaintsNothing() {
    auto w = Shown();
    ClickOn(Child<QWidget>(*w, "charPaletteEntry3"));
    auto* canvas = Child<QWidget>(*w, "canvas");
    Press(Child<QWidget>(*w, "workSpace"), {5, 5});
    for (const QPoint at : {QPoint(0, 0), QPoint(200, 120), QPoint(600, 300)})
      Send(canvas, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    Release(canvas, {600, 300});
    QCOMPARE(w->Document().Picture(), Picture{});
    QCOMPARE(w->Document().UndoName(), std::string());
    QVERIFY(!Child<QAction>(*w, "undoAction")->isEnabled());
    QVERIFY(!w->windowTitle().contains('*'));
  }

  // Every tool shows where the pointer is; a selection drag shows its size.
  void statusBarFollowsThePointerWithEveryTool() {
    auto w = Shown();
    auto* canvas = Child<QWidget>(*w, "canvas");
    const QLabel* x = Child<QLabel>(*w, "statusX");
    const QLabel* y = Child<QLabel>(*w, "statusY");
    const QLabel* size = Child<QLabel>(*w, "statusSelection");
    const char* tools[] = {"lineToolButton", "rectToolButton", "selectToolButton", "paintToolButton"};
    int k = 0;
    for (const char* tool : tools) {
      ClickOn(Child<QWidget>(*w, tool));
      const QPoint pixel(77 + k, 88 - k);
      Send(canvas, QEvent::MouseMove, pixel * 4 + QPoint(1, 2));
      QCOMPARE(x->text(), QString("X: %1").arg(pixel.x()));
      QCOMPARE(y->text(), QString("Y: %1").arg(pixel.y()));
      ++k;
    }
    ClickOn(Child<QWidget>(*w, "selectToolButton"));
    QCOMPARE(size->text(), QString());
    Press(canvas, {4 * 20, 4 * 20});
    Send(canvas, QEvent::MouseMove, {4 * 40, 4 * 30}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(size->text(), QString("Selection: 4 x 11 cells"));
    QCOMPARE(x->text(), QString("X: 40"));
    Release(canvas, {4 * 40, 4 * 30});
    Child<QAction>(*w, "removeSelectionAction")->trigger();
    QCOMPARE(size->text(), QString());
  }

  void editModeButtonsSwitchTheModes() {
    auto w = Shown();
    auto* pix = Child<QToolButton>(*w, "pixButton");
    auto* rgb = Child<QToolButton>(*w, "rgbButton");
    QVERIFY(pix->isDown());
    QVERIFY(rgb->isDown());
    PressAndRelease(pix);
    QVERIFY(!w->Pickers().EditModePix);
    QVERIFY(!pix->isDown());
    ClickOn(Child<QWidget>(*w, "charPaletteEntry3"));
    Press(Child<QWidget>(*w, "canvas"), {0, 0});
    QVERIFY(!w->Document().Picture().GetPixelBit(0, 0, 0));
    PressAndRelease(rgb);
    QVERIFY(!w->Pickers().EditModeRgb);
    QVERIFY(!rgb->isDown());
  }

  void rightPressPicksTheCellsColours() {
    auto w = Shown();
    Change change(w->Document(), "Change");
    change.SetAttr(0, 0, 0, {3, 4});
    change.SetAttr(1, 0, 0, {5, 6});
    change.Commit();
    Press(Child<QWidget>(*w, "canvas"), {1, 1}, Qt::RightButton);
    QCOMPARE(w->Pickers().CurrentColours, (ColourSet{3, 4, 5, 6}));
    const CharPalette mixed = MakeCharPalette(3, 4, 5, 6);
    for (int k = 0; k < 4; ++k) {
      const QColor entry = Child<ClickablePanel>(*w, QString("charPaletteEntry%1").arg(k))->Colour();
      QCOMPARE(entry, QColor(RedOf(mixed[k]), GreenOf(mixed[k]), BlueOf(mixed[k])));
      QCOMPARE(Child<ClickablePanel>(*w, QString("entrySwatch%1").arg(k))->Colour(), entry);
    }
  }

  // A press looks at every button held, not only the one that went down:
  // with the right button held a left press paints and picks.
  void canvasPressReadsEveryHeldButton_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<Qt::MouseButton>("held");
    QTest::addColumn<Qt::MouseButton>("pressed");
    QTest::addColumn<bool>("paints");
    QTest::addColumn<bool>("picks");
    QTest::addColumn<bool>("startsShape");
    const int paint = int(ToolKind::Paint);
    QTest::newRow("pencil, right held, left pressed")
        << paint << Qt::RightButton << Qt::LeftButton << true << true << false;
    QTest::newRow("pencil, left held, right pressed")
        << paint << Qt::LeftButton << Qt::RightButton << true << true << false;
    // The middle button drags the view: while it pans the tools see nothing.
    QTest::newRow("pencil, middle held, left pressed")
        << paint << Qt::MiddleButton << Qt::LeftButton << false << false << false;
    QTest::newRow("pencil, left held, middle pressed")
        << paint << Qt::LeftButton << Qt::MiddleButton << false << false << false;
    QTest::newRow("pencil, middle held, right pressed")
        << paint << Qt::MiddleButton << Qt::RightButton << false << false << false;
    QTest::newRow("fill, right held, left pressed")
        << int(ToolKind::FillCell) << Qt::RightButton << Qt::LeftButton << true << true << false;
    QTest::newRow("line, right held, left pressed")
        << int(ToolKind::Line) << Qt::RightButton << Qt::LeftButton << false << true << true;
    // The left press started the line; the right press with left held adds its segment.
    QTest::newRow("line, left held, right pressed")
        << int(ToolKind::Line) << Qt::LeftButton << Qt::RightButton << true << true << true;
  }
  void canvasPressReadsEveryHeldButton() {
    QFETCH(int, tool);
    QFETCH(Qt::MouseButton, held);
    QFETCH(Qt::MouseButton, pressed);
    QFETCH(bool, paints);
    QFETCH(bool, picks);
    QFETCH(bool, startsShape);
    auto w = Shown();
    ClickOn(Child<QWidget>(*w, "charPaletteEntry3"));
    w->Pickers().EditModeRgb = false;  // painting keeps the cell's colours for the pick to read
    w->Controller().SelectTool(static_cast<ToolKind>(tool));
    // The second press lands on picture pixel (20, 2), in a cell of its own colours.
    Change change(w->Document(), "Change");
    for (int line = 0; line < 8; ++line) {
      change.SetAttr(0, 2, line, {3, 4});
      change.SetAttr(1, 2, line, {5, 6});
    }
    change.Commit();
    auto* canvas = Child<QWidget>(*w, "canvas");
    const QPoint first(4 * 2 + 1, 4 * 2 + 1), second(4 * 20 + 1, 4 * 2 + 1);
    Send(canvas, QEvent::MouseButtonPress, first, held, held);
    Send(canvas, QEvent::MouseButtonPress, second, pressed, held | pressed);
    QCOMPARE(w->Document().Picture().GetPixelBit(0, 20, 2), paints);
    QCOMPARE(w->Pickers().CurrentColours == (ColourSet{3, 4, 5, 6}), picks);
    QCOMPARE(w->Tools().ShapeInProgress, startsShape);
    if (startsShape) QCOMPARE(w->Tools().ShapeStart, (Point{second.x(), second.y()}));
    Send(canvas, QEvent::MouseButtonRelease, second, pressed, held);
    Send(canvas, QEvent::MouseButtonRelease, second, held, Qt::NoButton);
  }

  void paletteClicksChooseColoursAndEntries() {
    auto w = Shown();
    auto* paletteButton = Child<QToolButton>(*w, "paletteButton");
    const QWidget* paletteWindow = Child<QWidget>(*w, "paletteWindow");
    auto entry = [&w](int k) { return Child<ClickablePanel>(*w, QString("charPaletteEntry%1").arg(k)); };
    auto selector = [&w](const char* name) { return Child<ClickablePanel>(*w, name); };
    PressAndRelease(paletteButton);
    QVERIFY(paletteWindow->isVisible());
    QVERIFY(paletteButton->isDown());
    ClickOn(Child<ClickablePanel>(*w, "entrySwatch2"));
    QCOMPARE(w->Pickers().SelectedCharColour, 2);
    QVERIFY(entry(2)->IsLowered());
    QVERIFY(Child<ClickablePanel>(*w, "entrySwatch2")->IsLowered());
    QVERIFY(!entry(0)->IsLowered());
    // Entry 2 is INK on screen 0 and PAPER on screen 1.
    QVERIFY(selector("inkSelector0")->IsLowered());
    QVERIFY(!selector("paperSelector0")->IsLowered());
    QVERIFY(selector("paperSelector1")->IsLowered());
    QVERIFY(!selector("inkSelector1")->IsLowered());
    Press(Child<QWidget>(*w, "fullPalette"), {4 * 16 + 3, 9 * 16 + 3});
    QCOMPARE(w->Pickers().CurrentColours.INK0, 4);
    QCOMPARE(w->Pickers().CurrentColours.PAP1, 9);
    const Rgb mix = MixColours(4, 9);
    QCOMPARE(entry(2)->Colour(), QColor(RedOf(mix), GreenOf(mix), BlueOf(mix)));
    ClickOn(selector("inkSelector1"));
    QCOMPARE(w->Pickers().SelectedCharColour, 3);
    Press(Child<QWidget>(*w, "paperStrip0"), {13 * 16 + 2, 3});
    QCOMPARE(w->Pickers().CurrentColours.PAP0, 13);
    PressAndRelease(paletteButton);
    QVERIFY(!paletteWindow->isVisible());
    QVERIFY(!paletteButton->isDown());
  }

  void borderPaletteChoosesTheBorderAndItsColour() {
    auto w = Shown();
    PressAndRelease(Child<QToolButton>(*w, "borderPaletteButton"));
    QVERIFY(Child<QWidget>(*w, "borderPaletteWindow")->isVisible());
    Press(Child<QWidget>(*w, "borderPalette"), {7 * 16 + 8, 2 * 16 + 8});
    QCOMPARE(w->Document().Picture().Border, (BorderChoice{7, 2}));
    QCOMPARE(Child<QWidget>(*w, "previewBorder")->palette().color(QPalette::Window), QColor(0, 202, 115));
  }

  // Only the swatches are drawn: between them the palette window shows
  // through, while presses there still reach the locator.
  void gradientLocatorShowsThePaletteWindowBetweenItsSwatches() {
    auto w = Shown();
    w->Panels().Toggle(Panel::Palette);
    auto* paletteWindow = Child<QWidget>(*w, "paletteWindow");
    paletteWindow->move(3, 43);  // on the test screen, which is smaller than the window
    const QColor behind(40, 160, 90);
    SetBackground(paletteWindow, behind);
    auto* locator = Child<QWidget>(*w, "gradientLocator");
    const QImage shown = paletteWindow->grab(locator->geometry()).toImage();
    QCOMPARE(shown.size(), locator->size());
    const Point swatch = GradientSwatchCorner(3, 8);
    const struct {
      QPoint At;
      QColor Expected;
    } pixels[] = {
        {{0, 0}, behind},
        {{75, 228}, behind},
        {{swatch.X - 1, swatch.Y + 4}, behind},  // the gap left of a swatch
        {{swatch.X, swatch.Y}, ToQColor(w->Controller().Colours().Images().Gradient.At(swatch.X, swatch.Y))},
        {{swatch.X + 8, swatch.Y + 8},
         ToQColor(w->Controller().Colours().Images().Gradient.At(swatch.X + 8, swatch.Y + 8))},
    };
    for (const auto& p : pixels) QCOMPARE(shown.pixelColor(p.At), p.Expected);
    QVERIFY(ToQColor(w->Controller().Colours().Images().Gradient.At(swatch.X, swatch.Y)) != behind);
    // The black swatch stays visible: it is not the background.
    const Point black = GradientSwatchCorner(0, 0);
    QCOMPARE(shown.pixelColor(black.X + 4, black.Y + 4), QColor(1, 2, 3));
    // A click between the swatches is the locator's, not a drag of the window.
    QCOMPARE(QApplication::widgetAt(locator->mapToGlobal(QPoint(0, 0))), locator);
    const QPoint windowAt = paletteWindow->pos();
    Press(locator, {0, 0});
    Send(locator, QEvent::MouseMove, {30, 30}, Qt::NoButton, Qt::LeftButton);
    Release(locator, {30, 30});
    QCOMPARE(paletteWindow->pos(), windowAt);
    // Every other view of a raster stays opaque.
    const QList<ImageView*> views = w->findChildren<ImageView*>();
    QVERIFY(views.size() > 5);
    for (const ImageView* view : views)
      QVERIFY2(view->testAttribute(Qt::WA_OpaquePaintEvent) == (view != locator), qPrintable(view->objectName()));
  }

  void gradientClickBlinksForTwentyOneTicks() {
    auto w = Shown();
    const Point corner = GradientSwatchCorner(3, 8);
    auto* locator = Child<QWidget>(*w, "gradientLocator");
    const auto* timer = Child<QTimer>(*w, "locatorBlinkTimer");
    Press(locator, {corner.X + 4, corner.Y + 4});
    QVERIFY(timer->isActive());
    for (int tick = 0; tick < 20; ++tick) w->Controller().Colours().LocatorBlinkTick();
    QVERIFY(timer->isActive());
    w->Controller().Colours().LocatorBlinkTick();
    QVERIFY(!timer->isActive());
    // Between the swatches: no swatch, no blink.
    Press(locator, {0, 0});
    QVERIFY(!timer->isActive());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::DrawingWindowTest)
#include "drawing_window_test.moc"

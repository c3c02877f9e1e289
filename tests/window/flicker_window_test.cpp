// The Flicker window: F and View > Flicker open it, its screen images are the
// editor's screen rasters in their borders, its refreshes follow the chosen
// timing under a clock of the test's own, and the images go to the surface
// once per change of the picture.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QOpenGLContext>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fstream>
#include <memory>

#include "formats/mgs_format.h"
#include "support/random_picture.h"
#include "support/window_test_support.h"
#include "window/flicker_window.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ChooseByKeys;
using test_support::ShownMainWindow;
using test_support::Type;

class FlickerWindowTest : public QObject {
  Q_OBJECT

  // The clock each refresh reads; the test moves it.
  std::chrono::nanoseconds now_{1'000'000'000};

  static std::unique_ptr<MainWindow> Shown(const QStringList& args = {}) { return ShownMainWindow(args); }

  // A random picture with its border, opened as a file is.
  static std::unique_ptr<MainWindow> ShownWithRandomPicture(const QTemporaryDir& dir) {
    const QString path = dir.filePath("random.mgs");
    const std::vector<std::uint8_t> bytes = WriteMgs(test_support::RandomPicture(4, 31));
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Shown({path});
  }

  FlickerWindow* OpenFlicker(MainWindow& w) {
    Type(&w, Qt::Key_F);
    auto* flicker = Child<FlickerWindow>(w, "flickerWindow");
    flicker->SetClock([this] { return now_; });
    return flicker;
  }

  // `count` refreshes of a display at `hertz`, asked for as its surface would.
  QString Refreshes(FlickerWindow& flicker, int hertz, int count) {
    QString shown;
    for (int k = 0; k < count; ++k) {
      shown += QChar('0' + flicker.NextFrame(false).Screen);
      now_ += std::chrono::nanoseconds(1'000'000'000 / hertz);
    }
    return shown;
  }

  // Differences between a screen image and the editor's raster of that
  // screen inside the screen's own border colour.
  static int Mismatches(const QImage& image, const Raster& screen, Rgb border) {
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const bool inside = x >= 32 && x < 32 + 256 && y >= 24 && y < 24 + 192;
        const Rgb expected = inside ? screen.At(x - 32, y - 24) : border;
        wrong += image.pixel(x, y) != expected;
      }
    }
    return wrong;
  }

  // A pencil dot at picture pixel (x, y) in ink 4 on screen 0 and ink 11 on
  // screen 1, chosen on the palette strips.
  static void PaintDot(MainWindow& w, int x, int y) {
    w.Panels().Toggle(Panel::Palette);
    QTest::mousePress(Child<QWidget>(w, "inkStrip0"), Qt::LeftButton, {}, {4 * 16 + 2, 3});
    QTest::mousePress(Child<QWidget>(w, "inkStrip1"), Qt::LeftButton, {}, {11 * 16 + 2, 3});
    QTest::mouseClick(Child<QWidget>(w, "charPaletteEntry3"), Qt::LeftButton);
    w.Panels().Toggle(Panel::Palette);
    auto* canvas = Child<QWidget>(w, "canvas");
    const int scale = w.View().Scale();
    QTest::mousePress(canvas, Qt::LeftButton, {}, {scale * x, scale * y});
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, {scale * x, scale * y});
    QVERIFY(w.Document().Picture().GetPixelBit(0, x, y));
    QVERIFY(w.Document().Picture().GetPixelBit(1, x, y));
  }

  // Both images against the editor's screen rasters, rendered afresh.
  static int ImageMismatches(MainWindow& w, const FlickerWindow& flicker) {
    w.View().Render.RenderAll();
    const Raster* rasters[] = {&w.View().Render.ScreenRaster0, &w.View().Render.ScreenRaster1};
    int wrong = 0;
    for (const int screen : {0, 1})
      wrong += Mismatches(flicker.ScreenImage(screen), *rasters[screen], BorderOf(w.Document().Picture(), screen));
    return wrong;
  }

  static Rgb BorderOf(const Picture& picture, int screen) {
    const BorderPair pair = picture.GetBorderPair();
    return ZxRgb(BorderColourIndex(screen == 0 ? pair.Screen0 : pair.Screen1));
  }

 private slots:
  void keyFAndViewMenuToggleTheWindow() {
    auto w = Shown();
    auto* flicker = Child<FlickerWindow>(*w, "flickerWindow");
    QVERIFY(flicker->isHidden());
    QVERIFY(flicker->isWindow());
    QCOMPARE(flicker->windowTitle(), QString("Flicker"));
    QStringList menus;
    for (const QAction* top : w->menuBar()->actions()) menus << top->menu()->objectName();
    QCOMPARE(menus, QStringList({"fileMenu", "editMenu", "viewMenu", "drawMenu", "correctorMenu", "helpMenu"}));
    auto* view = Child<QMenu>(*w, "viewMenu");
    QCOMPARE(view->title(), QString("View"));
    auto* action = Child<QAction>(*w, "flickerAction");
    QVERIFY(view->actions().contains(action));
    // The key table takes F, so the menu names the key instead of owning it.
    QCOMPARE(action->text(), QString("Flicker\tF"));
    QVERIFY(action->shortcut().isEmpty());

    Type(w.get(), Qt::Key_F);
    QVERIFY(flicker->isVisible());
    // The flicker window's keys are its own: C does not show the palette.
    Type(flicker, Qt::Key_C);
    QVERIFY(!Child<QWidget>(*w, "paletteWindow")->isVisible());
    Type(flicker, Qt::Key_F);
    QVERIFY(flicker->isHidden());
    action->trigger();
    QVERIFY(flicker->isVisible());
    Type(flicker, Qt::Key_Escape);
    QVERIFY(flicker->isHidden());
    Type(w.get(), Qt::Key_F);
    QVERIFY(flicker->isVisible());
    Type(w.get(), Qt::Key_F);
    QVERIFY(flicker->isHidden());
  }

  void withoutOpenGLTheWindowSaysWhy() {
    if (QOpenGLContext probe; probe.create()) QSKIP("this platform has OpenGL");
    auto w = Shown();
    auto* flicker = OpenFlicker(*w);
    QVERIFY(flicker->isVisible());
    QVERIFY(!flicker->findChild<QWidget*>("flickerSurface"));
    auto* error = Child<QLabel>(*flicker, "flickerError");
    QVERIFY(error->isVisible());
    QCOMPARE(error->text(), flicker->SurfaceError());
    QVERIFY(error->text().contains("needs OpenGL"));
    // The window still answers its keys.
    Type(flicker, Qt::Key_F);
    QVERIFY(flicker->isHidden());
  }

  void screenImagesAreTheScreenRastersInTheirBorders() {
    QTemporaryDir dir;
    auto w = ShownWithRandomPicture(dir);
    const Picture& picture = w->Document().Picture();
    QVERIFY(BorderOf(picture, 0) != BorderOf(picture, 1));
    auto* flicker = OpenFlicker(*w);
    for (const int screen : {0, 1}) QCOMPARE(flicker->ScreenImage(screen).size(), QSize(320, 240));
    QCOMPARE(ImageMismatches(*w, *flicker), 0);
    QVERIFY(flicker->ScreenImage(0) != flicker->ScreenImage(1));
  }

  void refreshesFollowTheChosenTiming_data() {
    QTest::addColumn<QString>("timing");  // how it is chosen
    QTest::addColumn<int>("hertz");
    QTest::addColumn<QString>("screens");    // after three refreshes and the choice
    QTest::addColumn<QString>("afterShow");  // after the window was closed and shown again
    // Without a choice the run goes on from its fourth refresh.
    QTest::addRow("every refresh at 60 Hz") << "" << 60 << "101010101010"
                                            << "010101010101";
    QTest::addRow("every refresh at 75 Hz") << "" << 75 << "101010101010"
                                            << "010101010101";
    QTest::addRow("50 Hz box at 60 Hz") << "box" << 60 << "011010100101"
                                        << "011010100101";
    QTest::addRow("50 Hz box at 50 Hz") << "box" << 50 << "010101010101"
                                        << "010101010101";
    QTest::addRow("T key at 60 Hz") << "T" << 60 << "011010100101"
                                    << "011010100101";
    QTest::addRow("T key at 100 Hz") << "T" << 100 << "001100110011"
                                     << "001100110011";
    QTest::addRow("T key twice at 50 Hz") << "TT" << 50 << "010101010101"
                                          << "010101010101";
  }
  void refreshesFollowTheChosenTiming() {
    QFETCH(QString, timing);
    QFETCH(int, hertz);
    QFETCH(QString, screens);
    QFETCH(QString, afterShow);
    auto w = Shown();
    auto* flicker = OpenFlicker(*w);
    auto* box = Child<QComboBox>(*flicker, "flickerTimingBox");
    QCOMPARE(box->currentText(), QString("Every refresh"));
    Refreshes(*flicker, hertz, 3);  // a run under the old timing is left behind
    if (timing == "box") ChooseByKeys(box, "50 Hz");
    for (const QChar key : timing)
      if (key == 'T') Type(flicker, Qt::Key_T);
    const bool fifty = timing == "box" || timing == "T";
    QCOMPARE(flicker->Timing(), fifty ? FlickerTiming::Machine50Hz : FlickerTiming::EveryRefresh);
    QCOMPARE(box->currentText(), fifty ? QString("50 Hz") : QString("Every refresh"));
    QCOMPARE(Refreshes(*flicker, hertz, 12), screens);
    const auto& presented = flicker->PresentedScreens();
    QCOMPARE(presented.size(), std::size_t{15});
    QCOMPARE(presented.back(), screens.back().digitValue());
    // Showing the window again starts from screen 0.
    Type(flicker, Qt::Key_F);
    Type(w.get(), Qt::Key_F);
    QCOMPARE(Refreshes(*flicker, hertz, 12), afterShow);
  }

  void theWindowKeepsOnlyTheLastRefreshes() {
    auto w = Shown();
    auto* flicker = OpenFlicker(*w);
    Refreshes(*flicker, 60, static_cast<int>(FlickerWindow::KeptRefreshes) + 7);
    const auto& presented = flicker->PresentedScreens();
    QCOMPARE(presented.size(), FlickerWindow::KeptRefreshes);
    QCOMPARE(presented.front(), 1);  // refresh 7 of the run
  }

  void anEditUploadsOnceAndIdleRefreshesUploadNothing() {
    auto w = Shown();
    auto* flicker = OpenFlicker(*w);
    Refreshes(*flicker, 60, 10);
    QCOMPARE(flicker->UploadCount(), 1);
    // The 100 ms tick and a pointer move repaint without changing the picture.
    auto* canvas = Child<QWidget>(*w, "canvas");
    w->AntsTimerTick();
    QTest::mouseMove(canvas, {40, 40});
    w->AntsTimerTick();
    Refreshes(*flicker, 60, 10);
    QCOMPARE(flicker->UploadCount(), 1);

    PaintDot(*w, 10, 20);
    QCOMPARE(QColor(flicker->ScreenImage(0).pixel(32 + 10, 24 + 20)), QColor(ZxRgb(4)));
    QCOMPARE(QColor(flicker->ScreenImage(1).pixel(32 + 10, 24 + 20)), QColor(ZxRgb(11)));
    QCOMPARE(ImageMismatches(*w, *flicker), 0);
    w->AntsTimerTick();
    QCOMPARE(Refreshes(*flicker, 60, 10).size(), 10);
    QCOMPARE(flicker->UploadCount(), 2);

    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!w->Document().Picture().GetPixelBit(0, 10, 20));
    Refreshes(*flicker, 60, 10);
    QCOMPARE(flicker->UploadCount(), 3);
    QCOMPARE(ImageMismatches(*w, *flicker), 0);

    // A new border colour is a change too.
    w->Panels().Toggle(Panel::BorderPalette);
    QTest::mousePress(Child<QWidget>(*w, "borderPalette"), Qt::LeftButton, {}, {7 * 16 + 8, 2 * 16 + 8});
    QCOMPARE(QColor(flicker->ScreenImage(0).pixel(0, 0)), QColor(0, 202, 202));
    QCOMPARE(QColor(flicker->ScreenImage(1).pixel(319, 239)), QColor(0, 202, 0));
    Refreshes(*flicker, 60, 10);
    QCOMPARE(flicker->UploadCount(), 4);

    // A surface that lost its textures (a new context) takes the images again, once.
    QVERIFY(flicker->NextFrame(true).Upload);
    QVERIFY(!flicker->NextFrame(false).Upload);
    QCOMPARE(flicker->UploadCount(), 5);
  }

  void aHiddenWindowCatchesUpWhenShown() {
    auto w = Shown();
    auto* flicker = OpenFlicker(*w);
    Type(flicker, Qt::Key_F);
    PaintDot(*w, 3, 5);
    const QColor ink(ZxRgb(11));
    QVERIFY(QColor(flicker->ScreenImage(1).pixel(32 + 3, 24 + 5)) != ink);
    Type(w.get(), Qt::Key_F);
    QCOMPARE(QColor(flicker->ScreenImage(1).pixel(32 + 3, 24 + 5)), ink);
    QCOMPARE(ImageMismatches(*w, *flicker), 0);
  }

  void keys1To4ChooseTheZoom() {
    auto w = Shown();
    auto* flicker = OpenFlicker(*w);
    auto* box = Child<QComboBox>(*flicker, "flickerZoomBox");
    auto* surface = flicker->findChild<QWidget*>("flickerSurface");
    for (const int level : {4, 1, 3, 2}) {
      Type(flicker, static_cast<Qt::Key>(Qt::Key_0 + level));
      QCOMPARE(flicker->Zoom(), level);
      QCOMPARE(box->currentText(), QString("x%1").arg(level));
      if (surface) QCOMPARE(surface->size(), QSize(320 * level, 240 * level));
    }
    Type(flicker, Qt::Key_5);
    Type(flicker, Qt::Key_0);
    QCOMPARE(flicker->Zoom(), 2);
    QVERIFY(!flicker->SetZoom(5));
    QVERIFY(!flicker->SetZoom(0));
    QCOMPARE(flicker->Zoom(), 2);
    ChooseByKeys(box, "x4");
    QCOMPARE(flicker->Zoom(), 4);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::FlickerWindowTest)
#include "flicker_window_test.moc"

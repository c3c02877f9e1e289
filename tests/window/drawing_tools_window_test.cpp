// The drawing tools through the real window: each chosen by its key and by
// its button, used with mouse and key events, must leave the picture its
// core model gives, as a saved .mgs reads back, and a canvas a fresh
// render would show.
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <vector>

#include "editing/canvas_tools.h"
#include "editing/drawing.h"
#include "editing/pixel_font.h"
#include "formats/mgs_format.h"
#include "render/view.h"
#include "support/random_picture.h"
#include "support/temp_dir.h"
#include "support/window_test_support.h"

namespace chromaloom {

using test_support::Child;

class DrawingToolsWindowTest : public QObject {
  Q_OBJECT

  static void Mouse(QWidget* canvas, QEvent::Type type, Point pixel, Qt::MouseButtons held) {
    const QPointF at(4 * pixel.X + 1, 4 * pixel.Y + 1);  // zoom x1: 4 screen pixels a picture pixel
    QMouseEvent event(type, at, canvas->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      held, {});
    QCoreApplication::sendEvent(canvas, &event);
  }
  static void Click(QWidget* canvas, Point pixel) {
    Mouse(canvas, QEvent::MouseButtonPress, pixel, Qt::LeftButton);
    Mouse(canvas, QEvent::MouseButtonRelease, pixel, Qt::NoButton);
  }

  // On an X display (the xvfb test), what the screen shows of the canvas
  // against a render of the picture; empty when they agree or there is no display.
  static QString ScreenDiffers(MainWindow& w, const Picture& picture) {
    if (QGuiApplication::platformName() != "xcb") return {};
    w.Controller().SetSymmetry(SymmetryMode::None);  // no overlays on the screen
    w.Controller().SelectTool(ToolKind::Select);
    w.Controller().Present();
    QTest::qWait(200);  // the X server catches up
    View fresh(picture);
    fresh.SetZoom(w.View().ZoomLevel());
    fresh.Render.Redraw(true);
    const Raster& expected = fresh.Render.EditorImage();
    auto* canvas = Child<QWidget>(w, "canvas");
    QWidget* viewport = Child<QScrollArea>(w, "pictureScrollBox")->viewport();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect shown = QRect(viewport->mapToGlobal(QPoint(0, 0)), viewport->size()) & screen->geometry();
    const QImage shot = screen->grabWindow(0, shown.x(), shown.y(), shown.width(), shown.height()).toImage();
    int checked = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QPoint at = canvas->mapFromGlobal(shown.topLeft() + QPoint(x, y));
        if (at.x() < 0 || at.y() < 0 || at.x() >= expected.Width() || at.y() >= expected.Height()) continue;
        const Rgb c = expected.At(at.x(), at.y());
        if (shot.pixel(x, y) != qRgb(RedOf(c), GreenOf(c), BlueOf(c)))
          return QString("screen differs at canvas %1,%2").arg(at.x()).arg(at.y());
        ++checked;
      }
    return checked > 100000 ? QString() : QString("only %1 canvas pixels on the screen").arg(checked);
  }

  struct Use {
    const char* Name;
    const char* Button;
    Qt::Key Key;
    const char* Step;  // the undo step's name
    std::function<void(MainWindow&)> Options;
    std::function<void(MainWindow&, QWidget* canvas)> Draw;
    // The points the tool paints, from the picture as it was before.
    std::function<PixelSet(const Picture& before, const MixingProfile& mixing)> Model;
  };

 private slots:
  void eachToolByKeyAndButtonDrawsItsModel() {
    const Symmetry fourWay{SymmetryMode::FourWay, 2 * 100 + 1, 2 * 60};
    const std::vector<Use> uses = {
        {"ellipse", "ellipseToolButton", Qt::Key_U, "Ellipse", [](MainWindow&) {},
         [](MainWindow&, QWidget* c) {
           Click(c, {20, 20});
           Click(c, {61, 44});
         },
         [](const Picture&, const MixingProfile&) {
           PixelSet s;
           AddEllipse(s, {20, 20}, {61, 44}, {}, false);
           return s;
         }},
        {"filled ellipse, round brush 3", "ellipseToolButton", Qt::Key_U, "Ellipse",
         [](MainWindow& w) {
           QTest::keyClick(&w, Qt::Key_I);
           Child<QAction>(w, "brushSize3Action")->trigger();
           Child<QAction>(w, "roundBrushAction")->trigger();
         },
         [](MainWindow&, QWidget* c) {
           Click(c, {0, 100});
           Click(c, {40, 191});
         },
         [](const Picture&, const MixingProfile&) {
           PixelSet s;
           AddEllipse(s, {0, 100}, {40, 191}, {3, BrushShape::Round}, true);
           return s;
         }},
        {"filled rectangle", "rectToolButton", Qt::Key_J, "Rectangle",
         [](MainWindow& w) { QTest::keyClick(&w, Qt::Key_I); },
         [](MainWindow&, QWidget* c) {
           Click(c, {140, 120});
           Click(c, {100, 191});
         },
         [](const Picture&, const MixingProfile&) {
           PixelSet s;
           for (int y = 120; y <= 191; ++y)
             for (int x = 100; x <= 140; ++x) s.Add({x, y});
           return s;
         }},
        {"free-colour ellipse", "ellipseToolButton", Qt::Key_U, "Ellipse",
         [](MainWindow& w) {
           QTest::keyClick(&w, Qt::Key_QuoteLeft);
           w.Pickers().FreeColour = MixedColourTable[3][12];
         },
         [](MainWindow&, QWidget* c) {
           Click(c, {9, 30});
           Click(c, {70, 90});
         },
         [](const Picture&, const MixingProfile&) {
           PixelSet s;
           AddEllipse(s, {9, 30}, {70, 90}, {}, false);
           return s;
         }},
        {"flood fill, four-way symmetry", "floodFillToolButton", Qt::Key_K, "Flood Fill",
         [fourWay](MainWindow& w) {
           Child<QAction>(w, "fourWaySymmetryAction")->trigger();
           w.Tools().Options.Symmetry = fourWay;
         },
         [](MainWindow&, QWidget* c) {
           Click(c, {130, 70});
         },
         [fourWay](const Picture& before, const MixingProfile& mixing) {
           View view(before);
           view.SetMixing(mixing);
           view.Render.Redraw(true);
           return FloodRegion(view.Render.MixedRaster, {130, 70}, fourWay);
         }},
        {"text", "textToolButton", Qt::Key_T, "Text", [](MainWindow&) {},
         [](MainWindow& w, QWidget* c) {
           Click(c, {244, 3});  // runs off the picture's right edge
           QTest::keyClicks(&w, "Zx");
           QTest::keyClick(&w, Qt::Key_Return);
         },
         [](const Picture&, const MixingProfile&) {
           PixelSet s;
           BuiltinTextFace().AddText(s, U"Zx", {244, 3});
           return s;
         }},
        {"pencil, brush 4, checkerboard", "paintToolButton", Qt::Key_P, "Pencil",
         [](MainWindow& w) {
           for (int i = 0; i < 3; ++i) QTest::keyClick(&w, Qt::Key_BracketRight);
           Child<QAction>(w, "checkerboardPatternAction")->trigger();
         },
         [](MainWindow&, QWidget* c) {
           Mouse(c, QEvent::MouseButtonPress, {7, 150}, Qt::LeftButton);
           Mouse(c, QEvent::MouseMove, {30, 170}, Qt::LeftButton);
           Mouse(c, QEvent::MouseButtonRelease, {30, 170}, Qt::NoButton);
         },
         [](const Picture&, const MixingProfile&) {
           PixelSet s;
           AddLine(s, {7, 150}, {30, 170}, {4, BrushShape::Square});
           return s;
         }},
    };
    test_support::TempDir folder;
    int run = 0;
    for (const Use& use : uses)
      for (const bool byKey : {true, false})
        for (const int cellHeight : {8, 1}) {
          const QString what = QString("%1, by %2, 8x%3").arg(use.Name, byKey ? "key" : "button").arg(cellHeight);
          auto w = test_support::ShownMainWindow();
          test_support::ScriptedDialogs* dialogs = test_support::ScriptDialogs(*w);
          w->activateWindow();
          QVERIFY(QTest::qWaitForWindowExposed(w.get()));
          const Picture before = test_support::RandomPicture(cellHeight, 7u + run);
          w->Document() = Document(before);
          w->Controller().RedrawCanvas();
          w->Pickers().SelectedCharColour = 2;
          w->Pickers().PatternEntry = 1;
          w->Pickers().CurrentColours = {1, 6, 2, 13};
          use.Options(*w);
          if (byKey)
            QTest::keyClick(w.get(), use.Key);
          else
            test_support::PressAndRelease(Child<QToolButton>(*w, use.Button));
          use.Draw(*w, Child<QWidget>(*w, "canvas"));

          Document expected(before);
          Pickers pickers = w->Pickers();
          Change change(expected, use.Step);
          PaintMask(change, pickers, ToolKind::Paint, use.Model(before, w->View().Mixing()),
                    w->Tools().Options.Pattern);
          change.Commit();
          QVERIFY2(w->Document().Picture() == expected.Picture(), qPrintable(what));
          QVERIFY2(w->Document().UndoName() == use.Step, qPrintable(what));
          QCOMPARE(test_support::StaleSurface(*w), QString());

          const std::string path = folder.File("tool" + std::to_string(run++) + ".mgs");
          dialogs->Answers << QString::fromStdString(path);
          QVERIFY(w->Files().SaveAs());
          const ImportedPicture read = ReadMgs(test_support::ReadBytes(path));
          QVERIFY2(read.Planes == static_cast<const Planes&>(expected.Picture()), qPrintable(what));
          Picture readBack = w->Document().Picture();
          static_cast<Planes&>(readBack) = read.Planes;
          if (w->Pickers().FreeColourMode) {
            int newColour = 0;  // stroke pixels whose cell could not show the colour before
            use.Model(before, w->View().Mixing()).ForEach([&](Point p) {
              // The saved bytes as a plain reading of the format shows them, not through the editor's renderer.
              ZxColour c[2];
              for (int s = 0; s < 2; ++s) {
                const AttrEntry& a = read.Planes.Attrs[s].At(p.X / 8, readBack.AttrLineOf(p.X / 8, p.Y));
                c[s] = (read.Planes.Pixels[s].At(p.X / 8, p.Y) & (0x80 >> (p.X % 8))) ? a.Ink : a.Paper;
              }
              QVERIFY2(MixedColourTable[c[0]][c[1]] == w->Pickers().FreeColour, qPrintable(what));
              const CharPalette entries = CellPaletteAt(before, p);
              newColour += std::count(entries.begin(), entries.end(), w->Pickers().FreeColour) == 0;
            });
            QVERIFY2(newColour > 0, qPrintable(what));
          }
          // One step: undo brings back every byte, redo the tool's picture.
          w->Controller().Undo();
          QVERIFY2(w->Document().Picture() == before, qPrintable(what));
          w->Controller().Redo();
          QVERIFY2(w->Document().Picture() == expected.Picture(), qPrintable(what));
          const QString screen = ScreenDiffers(*w, readBack);
          QVERIFY2(screen.isEmpty(), qPrintable(what + ": " + screen));
        }
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::DrawingToolsWindowTest)
#include "drawing_tools_window_test.moc"

// The View menu's screen views, flicker map and mixing profiles, driven by
// keys and menu items on the real window.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "editing/colour_pickers.h"
#include "formats/mgs_format.h"
#include "formats/mixing_profile_file.h"
#include "render/flicker_map.h"
#include "support/mixing_definition.h"
#include "support/random_picture.h"
#include "support/scripted_dialogs.h"
#include "support/window_test_support.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::MixedByDefinition;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;
using test_support::ShownMainWindow;
using test_support::Type;

namespace {

void WriteText(const QString& path, const std::string& text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(text.data(), static_cast<qint64>(text.size()));
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The canvas as the screen shows it: every picture pixel, at zoom 1 (scale 4).
int CanvasPixelsUnlike(QWidget* canvas, const std::function<Rgb(int, int)>& expected) {
  const QImage shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int wrong = 0;
  for (int y = 0; y < PictureHeight; ++y)
    for (int x = 0; x < PictureWidth; ++x) wrong += (shown.pixel(4 * x + 2, 4 * y + 1) | 0xFF000000u) != expected(x, y);
  return wrong;
}

// The pair of plain colours a pixel shows on the two screens.
std::pair<ZxColour, ZxColour> ScreenColours(const Picture& p, int x, int y) {
  const AttrEntry& a0 = p.CellAttr(0, x, y);
  const AttrEntry& a1 = p.CellAttr(1, x, y);
  return {p.GetPixelBit(0, x, y) ? a0.Ink : a0.Paper, p.GetPixelBit(1, x, y) ? a1.Ink : a1.Paper};
}

}  // namespace

class ScreenViewsWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  ScriptedDialogs* dialogs_ = nullptr;

  std::unique_ptr<MainWindow> Shown(const Picture& picture) {
    auto window = ShownMainWindow();
    dialogs_ = ScriptDialogs(*window);
    test_support::WriteAll(File("picture.mgs"), WriteMgs(picture));
    window->Controller().OpenAnyFile(File("picture.mgs"));
    window->AntsTimerTick();  // the canvas's pause after an open ends
    return window;
  }
  QString File(const QString& name) const { return dir_.filePath(name); }
  static QString StatusText(MainWindow& w, const char* label) { return Child<QLabel>(w, label)->text(); }

 private slots:
  void keyXCyclesTheViewsAndTheCanvasShowsEachScreen() {
    const Picture picture = test_support::RandomPicture(2, 21);
    auto w = Shown(picture);
    auto* canvas = Child<QWidget>(*w, "canvas");
    const struct {
      ScreenView View;
      const char* Action;
      const char* Status;
      int Screen;  // -1: mixed
    } steps[] = {{ScreenView::Screen0, "showScreen0Action", "Screen 0", 0},
                 {ScreenView::Screen1, "showScreen1Action", "Screen 1", 1},
                 {ScreenView::Mixed, "showMixedAction", "Mixed", -1}};
    QCOMPARE(StatusText(*w, "statusView"), QString("Mixed"));
    QVERIFY(Child<QAction>(*w, "showMixedAction")->isChecked());
    for (const auto& step : steps) {
      Type(w.get(), Qt::Key_X);
      QCOMPARE(w->View().Shown(), step.View);
      QCOMPARE(StatusText(*w, "statusView"), QString(step.Status));
      QVERIFY(Child<QAction>(*w, step.Action)->isChecked());
      const int wrong = CanvasPixelsUnlike(canvas, [&](int x, int y) {
        const auto [a, b] = ScreenColours(picture, x, y);
        return step.Screen < 0 ? MixColours(a, b) : ZxRgb(step.Screen == 0 ? a : b);
      });
      QCOMPARE(wrong, 0);
    }
    // The menu items choose a view directly.
    Child<QAction>(*w, "showScreen1Action")->trigger();
    QCOMPARE(w->View().Shown(), ScreenView::Screen1);
    QVERIFY(!Child<QAction>(*w, "showMixedAction")->isChecked());
    QCOMPARE(w->Document().IsModified(), false);  // looking changes nothing
  }

  void drawingWorksInAScreenView() {
    auto w = Shown(Picture{});
    Child<QAction>(*w, "showScreen1Action")->trigger();
    w->Pickers().CurrentColours = {0, 0, 9, 12};  // screen 1: cyan paper, bright green ink
    w->Pickers().SelectedCharColour = 1;          // screen-1 ink
    auto* canvas = Child<QWidget>(*w, "canvas");
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(4 * 10 + 1, 4 * 3 + 1));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(4 * 10 + 1, 4 * 3 + 1));
    QVERIFY(w->Document().Picture().GetPixelBit(1, 10, 3));
    const QImage shown = canvas->grab().toImage();
    QCOMPARE(shown.pixel(4 * 10 + 2, 4 * 3 + 2) | 0xFF000000u, ZxRgb(12));
    QCOMPARE(shown.pixel(4 * 11 + 2, 4 * 3 + 2) | 0xFF000000u, ZxRgb(9));
    QCOMPARE(w->View().Render.ScreenRaster1.At(10, 3), ZxRgb(12));
  }

  void keyMTogglesTheFlickerMapAndTheStatusGivesTheStrongShare() {
    // Screen 1 bright white in the first three columns over black: 3/32 of the picture.
    Picture picture;
    for (int col = 0; col < 3; ++col)
      for (int line = 0; line < PictureHeight; ++line) picture.SetAttr(1, col, line, 14, 14);
    picture.SetAttr(0, 5, 0, 13, 13);  // white on both screens: calm
    picture.SetAttr(1, 5, 0, 13, 13);
    auto w = Shown(picture);
    auto* canvas = Child<QWidget>(*w, "canvas");
    QVERIFY(Child<QAction>(*w, "flickerMapAction")->text().endsWith("\tM"));
    QCOMPARE(StatusText(*w, "statusFlickerMap"), QString());
    const Raster mixed = w->View().Render.MixedRaster;
    Type(w.get(), Qt::Key_M);
    QVERIFY(w->View().FlickerMapOn());
    QVERIFY(Child<QAction>(*w, "flickerMapAction")->isChecked());
    QCOMPARE(StatusText(*w, "statusFlickerMap"), QString("Strong flicker: 9.4 %"));
    const QImage shown = canvas->grab().toImage();
    QCOMPARE(shown.pixel(4 * 1, 4 * 100) | 0xFF000000u, FlickerTint(MixColours(0, 14), FlickerLevel::Strong));
    QCOMPARE(shown.pixel(4 * 40 + 1, 1) | 0xFF000000u, FlickerTint(MixColours(13, 13), FlickerLevel::Calm));
    QVERIFY(w->View().Render.MixedRaster == mixed);
    // Painting a strong pixel calm again lowers the share.
    w->Pickers().CurrentColours = {14, 14, 14, 14};
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(StatusText(*w, "statusFlickerMap"), QString("Strong flicker: 9.2 %"));
    Type(w.get(), Qt::Key_M);
    QVERIFY(!w->View().FlickerMapOn());
    QVERIFY(!Child<QAction>(*w, "flickerMapAction")->isChecked());
    QCOMPARE(StatusText(*w, "statusFlickerMap"), QString());
    QCOMPARE(canvas->grab().toImage().pixel(4 * 1, 4 * 100) | 0xFF000000u, MixColours(0, 14));
  }

  void eachProfileMixesTheCanvasPalettesBorderAndExport_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("average") << "mixingAverageAction" << int(MixingKind::Average) << "average";
    QTest::newRow("linear") << "mixingLinearAction" << int(MixingKind::Linear) << "linear light";
    QTest::newRow("own") << "mixingOwnAction" << int(MixingKind::Own) << "own table";
    QTest::newRow("srgb") << "mixingSrgbAction" << int(MixingKind::Srgb) << "sRGB";
    QTest::newRow("orthodox") << "mixingOrthodoxAction" << int(MixingKind::Orthodox) << "Orthodox";
    QTest::newRow("electroscale") << "mixingElectroscaleAction" << int(MixingKind::Electroscale) << "Electroscale";
  }
  void eachProfileMixesTheCanvasPalettesBorderAndExport() {
    QFETCH(QString, action);
    QFETCH(int, kind);
    QFETCH(QString, name);
    const auto mix = [kind](ZxColour a, ZxColour b) { return MixedByDefinition(MixingKind(kind), a, b); };
    const Picture picture = test_support::RandomPicture(4, 8);
    auto w = Shown(picture);
    if (MixingKind(kind) == MixingKind::Own) Child<QAction>(*w, "mixingLinearAction")->trigger();
    Child<QAction>(*w, qPrintable(action))->trigger();
    QVERIFY(Child<QAction>(*w, qPrintable(action))->isChecked());
    QCOMPARE(CanvasPixelsUnlike(Child<QWidget>(*w, "canvas"),
                                [&](int x, int y) {
                                  const auto [a, b] = ScreenColours(picture, x, y);
                                  return mix(a, b);
                                }),
             0);
    // The full palette's swatches away from the markers.
    const QImage full = Child<QWidget>(*w, "fullPalette")->grab().toImage();
    int wrong = 0;
    for (int a = 1; a < ZxColourCount; ++a)
      for (int b = 1; b < ZxColourCount; ++b)
        wrong += (full.pixel(16 * a + 1, 16 * b + 1) | 0xFF000000u) != mix(ZxColour(a), ZxColour(b));
    QCOMPARE(wrong, 0);
    const BorderPair pair = picture.GetBorderPair();
    const Rgb border = mix(BorderColourIndex(pair.Screen0), BorderColourIndex(pair.Screen1));
    QCOMPARE(Child<QWidget>(*w, "previewBorder")->palette().color(QPalette::Window).rgb(), border);
    // The export says which profile it uses, and uses it.
    Child<QAction>(*w, "exportBmpAction")->trigger();
    QCOMPARE(Child<QLabel>(*w, "mixingLabel")->text(), "Mixing: " + name);
    Child<QRadioButton>(*w, "bitmapSize6")->setChecked(true);
    dialogs_->Answers = {File("out.bmp")};
    Child<QPushButton>(*w, "okButton")->click();
    const QImage bitmap(File("out.bmp"));
    QCOMPARE(bitmap.size(), QSize(640, 480));
    QCOMPARE(bitmap.pixel(0, 0), border);
    const auto [a, b] = ScreenColours(picture, 100, 50);
    QCOMPARE(bitmap.pixel(64 + 200, 48 + 100), mix(a, b));
    QCOMPARE(w->Document().IsModified(), false);
  }

  void aProfileFileIsTakenAndABadOneChangesNothing() {
    const Picture picture = test_support::RandomPicture(8, 3);
    auto w = Shown(picture);
    MixedColourTableType table{};
    for (int a = 0; a < ZxColourCount; ++a)
      for (int b = 0; b < ZxColourCount; ++b) table[a][b] = MakeRgb(16 * a, 16 * b, 99);
    WriteText(File("crt.txt"), MixingProfileText(table));
    std::string fourteen = MixingProfileText(table);
    fourteen.erase(fourteen.rfind('\n', fourteen.size() - 2) + 1);
    WriteText(File("short.txt"), fourteen);
    WriteText(File("above.txt"),
              "# too bright\n" +
                  MixingProfileText(table).substr(MixingProfileText(table).find('\n') + 1).replace(0, 6, "256,0,0"));
    WriteText(File("empty.txt"), "");
    Child<QAction>(*w, "mixingAverageAction")->trigger();
    const Raster before = w->View().Render.EditorImage();
    const struct {
      const char* File;
      const char* Message;
    } bad[] = {{"short.txt", "line 16: the file ends after 14 rows"},  // after the heading comment
               {"above.txt", "line 2: \"256,0,0\" has a value above 255"},
               {"empty.txt", "line 1: the file ends after 0 rows"},
               {"missing.txt", "missing.txt"}};
    for (const auto& c : bad) {
      dialogs_->Errors.clear();
      dialogs_->Answers = {File(c.File)};
      Child<QAction>(*w, "mixingFileAction")->trigger();
      QCOMPARE(dialogs_->Errors.size(), 1);
      QVERIFY2(dialogs_->Errors.front().contains(c.Message), qPrintable(dialogs_->Errors.front()));
      QCOMPARE(w->View().Mixing(), AverageMixing());
      QVERIFY(Child<QAction>(*w, "mixingAverageAction")->isChecked());
      QVERIFY(w->View().Render.EditorImage() == before);
    }
    dialogs_->Answers = {QString()};  // cancelled
    Child<QAction>(*w, "mixingFileAction")->trigger();
    QVERIFY(Child<QAction>(*w, "mixingAverageAction")->isChecked());
    dialogs_->Answers = {File("crt.txt")};
    Child<QAction>(*w, "mixingFileAction")->trigger();
    QCOMPARE(dialogs_->Filters.last(), QString("Mixing profile (*.txt)"));
    QCOMPARE(w->View().Mixing().Table, table);
    QVERIFY(Child<QAction>(*w, "mixingFileAction")->isChecked());
    QCOMPARE(Child<QLabel>(*w, "mixingLabel")->text(), QString("Mixing: crt.txt"));
    QCOMPARE(CanvasPixelsUnlike(Child<QWidget>(*w, "canvas"),
                                [&](int x, int y) {
                                  const auto [a, b] = ScreenColours(picture, x, y);
                                  return table[a][b];
                                }),
             0);
    // Levels typed in: a bad text is named and changes nothing; a good one is
    // offered again the next time.
    dialogs_->Answers = {"00,96,CD,E8,FF"};
    Child<QAction>(*w, "mixingLevelsAction")->trigger();
    QVERIFY2(dialogs_->Errors.last().contains("six levels (ZZ,ZN,NN,NB,BB,ZB), not 5"),
             qPrintable(dialogs_->Errors.last()));
    QCOMPARE(w->View().Mixing().Table, table);
    dialogs_->Answers = {" 00,76,CD,E9,FF,9F:D0,00,00;00,E4,00;00,00,FF"};
    Child<QAction>(*w, "mixingLevelsAction")->trigger();
    QCOMPARE(w->View().Mixing().Table, NamedMixingOf(MixingKind::Orthodox).Table);
    QVERIFY(Child<QAction>(*w, "mixingLevelsAction")->isChecked());
    dialogs_->Answers = {QString()};
    Child<QAction>(*w, "mixingLevelsAction")->trigger();
    QCOMPARE(dialogs_->TextsOffered.last(), QString("00,76,CD,E9,FF,9F:D0,00,00;00,E4,00;00,00,FF"));
    QVERIFY(Child<QAction>(*w, "mixingLevelsAction")->isChecked());
    // The file on disk is the picture's own; the profile is only how it is shown.
    QVERIFY(w->Files().Save());
    QCOMPARE(ReadAll(File("picture.mgs")), [&] {
      const auto bytes = WriteMgs(picture);
      return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ScreenViewsWindowTest)
#include "screen_views_window_test.moc"

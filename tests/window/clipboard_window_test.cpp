// Copy and paste through the real window: the floating paste, the PNG on
// the system clipboard and another program's image opening the import dialog.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include "support/random_picture.h"
#include "support/window_test_support.h"
#include "window/image_picture_dialog.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;

class ClipboardWindowTest : public QObject {
  Q_OBJECT

  // A window on the picture with the cells copied by Edit > Copy and the selection put away.
  static std::unique_ptr<MainWindow> WindowWithCopy(const Picture& picture, QRect cells) {
    auto w = test_support::ShownMainWindow();
    w->Document() = Document(picture);
    w->Controller().SetPointerOverPicture([] { return true; });
    w->Controller().RedrawCanvas();
    w->Tools().Selection = {
        .Shown = true, .Left = cells.x(), .Top = cells.y(), .Width = cells.width(), .Height = cells.height()};
    Child<QAction>(*w, "copyAction")->trigger();
    Child<QAction>(*w, "removeSelectionAction")->trigger();
    return w;
  }

  // A mouse event on the canvas in the middle of picture pixel (x, y).
  static void Mouse(MainWindow& w, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::NoButton) {
    const int z = w.View().Scale();
    const QPointF at(x * z + z / 2, y * z + z / 2);
    QWidget* canvas = Child<QWidget>(w, "canvas");
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, at, canvas->mapToGlobal(at), button, held, {});
    QCoreApplication::sendEvent(canvas, &event);
  }

  // Picture pixels of the area whose middle on the canvas is not the colour
  // of the source pixel (dx, dy) away.
  static int WrongPixels(MainWindow& w, const Raster& source, Rect area, int dx = 0, int dy = 0) {
    const int z = w.View().Scale();
    const Raster canvas = w.View().Render.EditorImage();
    int wrong = 0;
    for (int y = area.Y; y < area.Bottom(); ++y)
      for (int x = area.X; x < area.Right(); ++x)
        wrong += canvas.At(x * z + z / 2, y * z + z / 2) != source.At(x - dx, y - dy);
    return wrong;
  }

 private slots:
  void floatingPasteFollowsThePointerUntilALeftClickPlacesIt() {
    const Picture start = test_support::RandomPicture(4, 21);
    auto w = WindowWithCopy(start, {1, 2, 3, 2});  // 24 x 8 pixels from (8, 8)
    const Raster shown = w->View().Render.MixedRaster;
    const ColourSet colours = w->Pickers().CurrentColours;
    // Our own copy is pasted as cells, not imported.
    Child<QAction>(*w, "pasteAction")->trigger();
    QVERIFY(w->Controller().PasteFloats() && !w->findChild<ImagePictureDialog*>());
    QVERIFY(Child<QLabel>(*w, "statusMessage")->text().contains("Esc"));
    // By whole cells: any pixel of cell (10, 20) puts it there.
    Mouse(*w, QEvent::MouseMove, 10 * 8 + 5, 20 * 4 + 3);
    QCOMPARE(WrongPixels(*w, shown, {80, 80, 24, 8}, 72, 72), 0);
    Mouse(*w, QEvent::MouseMove, 20 * 8 + 1, 30 * 4 + 2);
    QCOMPARE(WrongPixels(*w, shown, {160, 120, 24, 8}, 152, 112), 0);
    QCOMPARE(WrongPixels(*w, shown, {80, 80, 24, 8}), 0);
    // A right press neither places it nor picks colours.
    Mouse(*w, QEvent::MouseButtonPress, 100, 100, Qt::RightButton);
    QVERIFY(w->Controller().PasteFloats() && w->Pickers().CurrentColours == colours);
    QCOMPARE(w->Document().Picture(), start);
    QCOMPARE(w->Document().UndoName(), std::string());

    // A left press in another cell places it there, as one step.
    Mouse(*w, QEvent::MouseButtonPress, 5 * 8 + 7, 40 * 4, Qt::LeftButton);
    Mouse(*w, QEvent::MouseButtonRelease, 5 * 8 + 7, 40 * 4, Qt::LeftButton);
    QVERIFY(!w->Controller().PasteFloats());
    QCOMPARE(Child<QLabel>(*w, "statusMessage")->text(), QString());
    QCOMPARE(WrongPixels(*w, shown, {40, 160, 24, 8}, 32, 152), 0);
    QCOMPARE(WrongPixels(*w, w->View().Render.MixedRaster, {0, 0, PictureWidth, PictureHeight}), 0);
    for (int line = 0; line < 8; ++line)
      QVERIFY(w->Document().Picture().Attrs[1].At(7, 160 + line) == start.Attrs[1].At(3, 8 + line));
    QCOMPARE(Child<QAction>(*w, "undoAction")->text().section('\t', 0, 0), QString("Undo Paste"));
    Child<QAction>(*w, "undoAction")->trigger();
    QCOMPARE(w->Document().Picture(), start);
  }

  void escToolsAndUndoCancelTheFloat_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("another tool") << "lineToolButton";
    QTest::newRow("Undo") << "undoAction";
  }
  void escToolsAndUndoCancelTheFloat() {
    QFETCH(QString, how);
    const Picture start = test_support::RandomPicture(8, 22);
    auto w = WindowWithCopy(start, {0, 0, 2, 2});
    w->Tools().Selection.Shown = true;
    Child<QAction>(*w, "flipVerticalAction")->trigger();  // a step for Undo to take back
    Child<QAction>(*w, "removeSelectionAction")->trigger();
    const Picture flipped = w->Document().Picture();
    Child<QAction>(*w, "pasteAction")->trigger();
    Mouse(*w, QEvent::MouseMove, 100, 100);
    if (how == "Esc") {
      test_support::Type(Child<QWidget>(*w, "canvas"), Qt::Key_Escape);
    } else if (how == "lineToolButton") {
      w->Run(*FindCommand("lineToolButton"));
    } else {
      Child<QAction>(*w, how)->trigger();
    }
    QVERIFY(!w->Controller().PasteFloats());
    QCOMPARE(w->Document().Picture(), how == "undoAction" ? start : flipped);
    QCOMPARE(w->Document().UndoName(), how == "undoAction" ? std::string() : std::string("Flip Vertical"));
    QCOMPARE(WrongPixels(*w, w->View().Render.MixedRaster, {0, 0, PictureWidth, PictureHeight}), 0);
  }

  void copyPutsTheMixedColoursOnTheSystemClipboard_data() {
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<QString>("mixing");
    QTest::addColumn<QRect>("cells");
    QTest::addColumn<QSize>("size");
    QTest::newRow("8x1 side columns, linear") << 1 << "mixingLinearAction" << QRect(6, 100, 4, 7) << QSize(32, 7);
    QTest::newRow("past the edges, own") << 2 << "mixingOwnAction" << QRect(30, 94, 5, 4) << QSize(16, 4);
  }
  void copyPutsTheMixedColoursOnTheSystemClipboard() {
    QFETCH(int, cellHeight);
    QFETCH(QString, mixing);
    QFETCH(QRect, cells);
    QFETCH(QSize, size);
    auto w = test_support::ShownMainWindow();
    w->Document() = Document(test_support::RandomPicture(cellHeight, 23));
    Child<QAction>(*w, mixing)->trigger();  // renders the picture under that mixing
    w->Tools().Selection = {
        .Shown = true, .Left = cells.x(), .Top = cells.y(), .Width = cells.width(), .Height = cells.height()};
    Child<QAction>(*w, "copyAction")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), size);
    QCOMPARE(QImage::fromData(data->data("image/png"), "PNG").convertToFormat(QImage::Format_RGB32), image);
    Raster pixels(size.width(), size.height());
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) pixels.At(x, y) = image.pixel(x, y);
    Raster expected(size.width(), size.height());
    expected.CopyFrom(w->View().Render.MixedRaster,
                      {cells.x() * 8, cells.y() * cellHeight, size.width(), size.height()}, 0, 0);
    QVERIFY(pixels == expected);
  }

  void pasteOfAnotherProgramsImageOpensTheImportDialog_data() {
    QTest::addColumn<bool>("copiedBefore");
    QTest::newRow("nothing copied") << false;
    QTest::newRow("the image is newer than our copy") << true;
  }
  void pasteOfAnotherProgramsImageOpensTheImportDialog() {
    QFETCH(bool, copiedBefore);
    QGuiApplication::clipboard()->clear();
    auto w = test_support::ShownMainWindow();
    if (copiedBefore) Child<QAction>(*w, "copyAction")->trigger();
    QImage green(40, 30, QImage::Format_RGB32);
    green.fill(QColor(0, 255, 0));
    QGuiApplication::clipboard()->setImage(green);
    const Picture before = w->Document().Picture();
    Child<QAction>(*w, "pasteAction")->trigger();
    auto* dialog = w->findChild<ImagePictureDialog*>();
    QVERIFY(dialog && dialog->isVisible() && !w->Controller().PasteFloats());
    QTRY_VERIFY(dialog->ShownResult().has_value());
    const QImage source = Child<QLabel>(*dialog, "imageSourcePreview")->pixmap().toImage();
    QCOMPARE(QColor(source.pixel(source.width() / 2, source.height() / 2)), QColor(0, 255, 0));
    QCOMPARE(w->Document().Picture(), before);
    dialog->reject();
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ClipboardWindowTest)
#include "clipboard_window_test.moc"

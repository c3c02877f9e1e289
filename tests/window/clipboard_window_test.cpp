// Copy and paste through the real window: the floating paste, the PNG on
// the system clipboard and an image of another program opening the import dialog.
#include <QAction>
#include <QApplication>
#include <QClipboard>
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
using test_support::ShownMainWindow;
using test_support::Type;

class ClipboardWindowTest : public QObject {
  Q_OBJECT

  static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(widget, &event);
  }

  // A window showing a picture, with the cells of the rectangle copied by
  // Edit > Copy and the selection put away, so only a float draws over it.
  static std::unique_ptr<MainWindow> WindowWithCopy(const Picture& picture, int left, int top, int width, int height) {
    auto w = ShownMainWindow();
    w->Document() = Document(picture);
    w->Controller().SetPointerOverPicture([] { return true; });
    w->Controller().RedrawCanvas();
    w->Tools().Selection = {.Shown = true, .Left = left, .Top = top, .Width = width, .Height = height};
    Child<QAction>(*w, "copyAction")->trigger();
    Child<QAction>(*w, "removeSelectionAction")->trigger();
    return w;
  }

  // The canvas point in the middle of picture pixel (x, y).
  static QPoint CanvasPoint(MainWindow& w, int x, int y) {
    const int z = w.View().Scale();
    return {x * z + z / 2, y * z + z / 2};
  }

  static void MoveTo(MainWindow& w, int x, int y) {
    Send(Child<QWidget>(w, "canvas"), QEvent::MouseMove, CanvasPoint(w, x, y), Qt::NoButton, Qt::NoButton);
  }

  // Editor image pixels in the middle of each picture pixel of the area that
  // do not show the mixed colour of the source pixel (dx, dy) away.
  static int WrongPixels(MainWindow& w, const Raster& source, Rect area, int dx, int dy) {
    const int z = w.View().Scale();
    const Raster& image = w.View().Render.EditorImage;
    int wrong = 0;
    for (int y = area.Y; y < area.Bottom(); ++y)
      for (int x = area.X; x < area.Right(); ++x)
        if (image.At(x * z + z / 2, y * z + z / 2) != source.At(x - dx, y - dy)) ++wrong;
    return wrong;
  }

 private slots:
  void floatingPasteFollowsThePointerUntilAClickPlacesIt() {
    const Picture start = test_support::RandomPicture(4, 21);
    auto w = WindowWithCopy(start, 1, 2, 3, 2);  // 24 x 8 pixels from (8, 8)
    const Raster shown = w->View().Render.MixedRaster;

    // Our own copy on the system clipboard is pasted as cells, not imported.
    Child<QAction>(*w, "pasteAction")->trigger();
    QVERIFY(w->Controller().PasteFloats());
    QVERIFY(!w->findChild<ImagePictureDialog*>());
    const QLabel* message = Child<QLabel>(*w, "statusMessage");
    QVERIFY(message->text().contains("Esc"));
    // Follows the pointer by whole cells: any pixel of cell (10, 20) puts it there.
    MoveTo(*w, 10 * 8 + 5, 20 * 4 + 3);
    QCOMPARE(WrongPixels(*w, shown, {80, 80, 24, 8}, 72, 72), 0);
    MoveTo(*w, 20 * 8 + 1, 30 * 4 + 2);
    QCOMPARE(WrongPixels(*w, shown, {160, 120, 24, 8}, 152, 112), 0);
    QCOMPARE(WrongPixels(*w, shown, {80, 80, 24, 8}, 0, 0), 0);  // the old place shows the picture again
    QCOMPARE(w->Document().Picture(), start);
    QCOMPARE(w->Document().UndoName(), std::string());

    // A press in another cell places it there, as one step.
    const QPoint at = CanvasPoint(*w, 5 * 8 + 7, 40 * 4);
    Send(Child<QWidget>(*w, "canvas"), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Send(Child<QWidget>(*w, "canvas"), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!w->Controller().PasteFloats());
    QCOMPARE(message->text(), QString());
    const Picture& pasted = w->Document().Picture();
    for (int col = 0; col < 3; ++col)
      for (int line = 0; line < 8; ++line)
        for (int s = 0; s < 2; ++s) {
          QCOMPARE(pasted.Pixels[s].At(5 + col, 160 + line), start.Pixels[s].At(1 + col, 8 + line));
          QVERIFY(pasted.Attrs[s].At(5 + col, 160 + line) == start.Attrs[s].At(1 + col, 8 + line));
        }
    QCOMPARE(WrongPixels(*w, w->View().Render.MixedRaster, {0, 0, PictureWidth, PictureHeight}, 0, 0), 0);
    QCOMPARE(Child<QAction>(*w, "undoAction")->text().section('\t', 0, 0), QString("Undo Paste"));
    Child<QAction>(*w, "undoAction")->trigger();
    QCOMPARE(w->Document().Picture(), start);
  }

  void escapeAndOtherCommandsCancelTheFloat_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("undoName");  // what the history offers afterwards
    QTest::newRow("Esc") << "Esc"
                         << "Flip Vertical";
    QTest::newRow("another tool") << "lineToolButton"
                                  << "Flip Vertical";
    QTest::newRow("New") << "newPicture8x4Action"
                         << "New";
    QTest::newRow("Undo") << "undoAction"
                          << "";
  }
  void escapeAndOtherCommandsCancelTheFloat() {
    QFETCH(QString, how);
    QFETCH(QString, undoName);
    const Picture start = test_support::RandomPicture(8, 22);
    auto w = WindowWithCopy(start, 0, 0, 2, 2);
    // One step before the paste, for Undo to take back.
    w->Tools().Selection.Shown = true;
    Child<QAction>(*w, "flipVerticalAction")->trigger();
    Child<QAction>(*w, "removeSelectionAction")->trigger();
    const Picture flipped = w->Document().Picture();
    QVERIFY(flipped != start);
    Child<QAction>(*w, "pasteAction")->trigger();
    MoveTo(*w, 100, 100);
    QVERIFY(w->Controller().PasteFloats());

    if (how == "Esc") {
      Type(Child<QWidget>(*w, "canvas"), Qt::Key_Escape);
    } else if (how == "lineToolButton") {
      w->Run(*FindCommand("lineToolButton"));
    } else {
      Child<QAction>(*w, how)->trigger();
    }
    QVERIFY(!w->Controller().PasteFloats());
    QCOMPARE(QString::fromStdString(w->Document().UndoName()), undoName);
    if (how == "Esc" || how == "lineToolButton") QCOMPARE(w->Document().Picture(), flipped);
    if (how == "Undo") QCOMPARE(w->Document().Picture(), start);
    // Nothing floats over the canvas any more.
    QCOMPARE(WrongPixels(*w, w->View().Render.MixedRaster, {0, 0, PictureWidth, PictureHeight}, 0, 0), 0);
  }

  void copyPutsTheMixedSelectionOnTheSystemClipboard_data() {
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<QString>("mixing");
    QTest::addColumn<QRect>("cells");  // the selection
    QTest::addColumn<QSize>("size");
    QTest::newRow("8x8, own table") << 8 << "mixingOwnAction" << QRect(2, 3, 4, 2) << QSize(32, 16);
    QTest::newRow("8x4, linear light") << 4 << "mixingLinearAction" << QRect(10, 5, 1, 3) << QSize(8, 12);
    QTest::newRow("8x1 over side columns, average")
        << 1 << "mixingAverageAction" << QRect(6, 100, 4, 7) << QSize(32, 7);
    QTest::newRow("past the right and bottom edges") << 2 << "mixingOwnAction" << QRect(30, 94, 5, 4) << QSize(16, 4);
  }
  void copyPutsTheMixedSelectionOnTheSystemClipboard() {
    QFETCH(int, cellHeight);
    QFETCH(QString, mixing);
    QFETCH(QRect, cells);
    QFETCH(QSize, size);
    QGuiApplication::clipboard()->clear();
    auto w = ShownMainWindow();
    w->Document() = Document(test_support::RandomPicture(cellHeight, 23));
    Child<QAction>(*w, mixing)->trigger();
    w->Controller().RedrawCanvas();
    w->Tools().Selection = {
        .Shown = true, .Left = cells.x(), .Top = cells.y(), .Width = cells.width(), .Height = cells.height()};
    Child<QAction>(*w, "copyAction")->trigger();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(image.size(), size);
    QImage png;
    QVERIFY(png.loadFromData(data->data("image/png"), "PNG"));
    QCOMPARE(png.convertToFormat(QImage::Format_RGB32), image.convertToFormat(QImage::Format_RGB32));
    // One pixel per picture pixel, as the canvas mixes them.
    const Raster& mixed = w->View().Render.MixedRaster;
    int wrong = 0;
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFFu) != (mixed.At(cells.x() * 8 + x, cells.y() * cellHeight + y) & 0xFFFFFFu))
          ++wrong;
    QCOMPARE(wrong, 0);
  }

  void pasteOfAnotherProgramsImageOpensTheImportDialog_data() {
    QTest::addColumn<bool>("copiedBefore");
    QTest::newRow("nothing copied") << false;
    QTest::newRow("the image is newer than our copy") << true;
  }
  void pasteOfAnotherProgramsImageOpensTheImportDialog() {
    QFETCH(bool, copiedBefore);
    QGuiApplication::clipboard()->clear();
    auto w = ShownMainWindow();
    w->Controller().SetPointerOverPicture([] { return true; });
    const Picture before = w->Document().Picture();
    if (copiedBefore) Child<QAction>(*w, "copyAction")->trigger();
    QImage green(40, 30, QImage::Format_RGB32);
    green.fill(QColor(0, 255, 0));
    QGuiApplication::clipboard()->setImage(green);

    Child<QAction>(*w, "pasteAction")->trigger();
    QVERIFY(!w->Controller().PasteFloats());
    auto* dialog = w->findChild<ImagePictureDialog*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QTRY_VERIFY(dialog->ShownResult().has_value());
    // The dialog's source preview is the clipboard's image.
    const QImage source = Child<QLabel>(*dialog, "imageSourcePreview")->pixmap().toImage();
    QCOMPARE(QColor(source.pixel(source.width() / 2, source.height() / 2)), QColor(0, 255, 0));
    QCOMPARE(w->Document().Picture(), before);
    dialog->reject();
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ClipboardWindowTest)
#include "clipboard_window_test.moc"

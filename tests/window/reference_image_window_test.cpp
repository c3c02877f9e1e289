// The reference image: loaded, moved, scaled, faded and hidden with the
// pointer and keys, never written into the picture's files, and found again
// with its picture file in the next run.
#include <QAction>
#include <QTest>

#include "formats/file_kinds.h"
#include "formats/mgs_format.h"
#include "render/view.h"
#include "support/random_picture.h"
#include "support/temp_dir.h"
#include "support/window_test_support.h"

namespace chromaloom {

using test_support::Child;

class ReferenceImageWindowTest : public QObject {
  Q_OBJECT

  static void Drag(QWidget* canvas, Qt::MouseButton button, QPoint from, QPoint to) {
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons held) {
      QMouseEvent event(type, QPointF(at), canvas->mapToGlobal(QPointF(at)), b, held, Qt::AltModifier);
      QCoreApplication::sendEvent(canvas, &event);
    };
    send(QEvent::MouseButtonPress, from, button, button);
    send(QEvent::MouseMove, to, Qt::NoButton, button);
    send(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
  }

 private slots:
  void liesOverTheCanvasOnlyAndComesBackWithItsPicture() {
    test_support::TempDir folder;
    const QString image = QString::fromStdString(folder.File("photo.png"));
    const QString picture = QString::fromStdString(folder.File("picture.mgs"));
    const QString settings = QString::fromStdString(folder.File("settings.ini"));
    QImage photo(64, 48, QImage::Format_RGB32);
    const Rgb flat = MixedColourTable[3][12];  // a colour the two screens can show
    photo.fill(QColor::fromRgb(flat));
    QVERIFY(photo.save(image));
    const Picture original = test_support::RandomPicture(4, 8);
    test_support::WriteBytes(picture.toStdString(), WriteMgs(original));

    // The picture's own bytes, saved and exported in every kind the editor writes.
    const auto files = [&](MainWindow& w) {
      std::vector<std::vector<std::uint8_t>> bytes;
      for (int k = 0; k <= static_cast<int>(FileKind::Tiff); ++k) {
        const auto kind = static_cast<FileKind>(k);
        const FileKindInfo& info = InfoOf(kind);
        if (!info.Write && !info.SpectrumProgram && !IsBitmapExport(kind)) continue;
        const QString path = QString::fromStdString(folder.File("out" + std::string(info.Extension)));
        test_support::ScriptDialogs(w)->Answers << path;
        if (kind == FileKind::Mgs)
          w.Files().SaveAs();
        else if (IsBitmapExport(kind))
          w.Files().ExportBitmap(kind, 0, w.View().Mixing());
        else
          w.Files().Export(kind);
        bytes.push_back(test_support::ReadBytes(path.toStdString()));
      }
      return bytes;
    };
    std::vector<std::vector<std::uint8_t>> plain;
    {
      MainWindow w({picture}, settings);
      w.show();
      QCoreApplication::processEvents();
      plain = files(w);
    }

    MainWindow w({picture}, settings);
    w.resize(1200, 900);
    w.show();
    QCoreApplication::processEvents();
    test_support::ScriptDialogs(w)->Answers << image;
    Child<QAction>(w, "loadReferenceAction")->trigger();
    const ReferenceImage& reference = w.Controller().Reference();
    QVERIFY(reference.IsShown());
    QCOMPARE(reference.Place.Scale, 4.0);  // 64 x 48 fitted over 256 x 192
    QCOMPARE(reference.Place.Opacity, 50);

    const int z = w.View().Scale();
    auto* canvas = Child<QWidget>(w, "canvas");
    Drag(canvas, Qt::LeftButton, {100, 100}, {100 + 8 * z, 100 - 4 * z});  // Alt + left: moves
    QCOMPARE(reference.Place.TopLeft, QPointF(8, -4));
    Drag(canvas, Qt::RightButton, {8 * z, -4 * z}, {8 * z, -4 * z - 200});  // Alt + right, up 200: twice as large
    QCOMPARE(reference.Place.Scale, 8.0);
    QCOMPARE(reference.Place.TopLeft, QPointF(8, -4));  // about the press, at its top-left
    QTest::keyClick(&w, Qt::Key_F7);
    QCOMPARE(reference.Place.Opacity, 40);
    QTest::keyClick(&w, Qt::Key_F6);
    QVERIFY(!reference.IsShown());
    QTest::keyClick(&w, Qt::Key_F6);
    QVERIFY(w.Document().Picture() == original);  // none of it went into the picture
    const auto withReference = files(w);
    QVERIFY(withReference.size() >= 10);  // .mgs, .img, .scr, .mg1 to .mg8, snapshots, tape, bitmaps
    QVERIFY(withReference == plain);

    // The convert brush paints it in, converted: that colour, exactly, where the stroke went.
    QTest::keyClick(&w, Qt::Key_F9);
    const auto mouse = [&](QEvent::Type type, int x, Qt::MouseButtons held) {
      const QPointF at(x * z + 1, 30 * z + 1);
      QMouseEvent event(type, at, canvas->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                        held, {});
      QCoreApplication::sendEvent(canvas, &event);
    };
    mouse(QEvent::MouseButtonPress, 20, Qt::LeftButton);
    mouse(QEvent::MouseMove, 60, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 60, Qt::NoButton);
    View painted(w.Document().Picture());
    painted.Render.Redraw(true);
    for (int x = 20; x <= 60; ++x) QCOMPARE(painted.Render.MixedRaster.At(x, 30), flat);
    QCOMPARE(w.Document().UndoName(), std::string("Convert Brush"));

    // The next run finds it with the picture it was over, where it was left.
    MainWindow next({picture}, settings);
    next.show();
    QCoreApplication::processEvents();
    const ReferencePlacement& again = next.Controller().Reference().Place;
    QVERIFY(next.Controller().Reference().IsShown());
    QCOMPARE(again, reference.Place);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ReferenceImageWindowTest)
#include "reference_image_window_test.moc"

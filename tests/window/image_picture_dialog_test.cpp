// The image import dialog: its preview follows the options through a worker
// thread, and OK, Cancel, bad files and drops as the main window runs them.
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QUrl>

#include "files/image_files.h"
#include "render/picture_bitmap.h"
#include "support/random_picture.h"
#include "support/scripted_dialogs.h"
#include "support/window_test_support.h"
#include "window/image_picture_dialog.h"
#include "window/main_window.h"

Q_DECLARE_METATYPE(chromaloom::FitMode)
Q_DECLARE_METATYPE(chromaloom::Dithering)
Q_DECLARE_METATYPE(chromaloom::ColourMetric)

namespace chromaloom {

using test_support::Child;
using test_support::ChooseByKeys;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;
using test_support::TypeValue;

namespace {

// A conversion may take a second on a slow machine; this only bounds the wait.
constexpr int ConversionWaitMs = 60000;

// Not 256 x 192, so fitting matters: a diagonal gradient with a red disc and a blue bar.
QImage TestImage() {
  QImage image(300, 170, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x * 255 / 299, y * 255 / 169, (x + y) % 256));
  QPainter painter(&image);
  painter.setBrush(QColor(220, 30, 30));
  painter.drawEllipse(QPoint(90, 80), 50, 40);
  painter.fillRect(200, 20, 30, 120, QColor(20, 40, 200));
  return image;
}

QString CellHeightCaption(int h) { return QString("8x%1").arg(h); }

ImagePictureOptions PresetHeight(int cellHeight) {
  ImagePictureOptions preset;
  preset.Conversion.CellHeight = cellHeight;
  return preset;
}

// Waits until the dialog shows the result of the options now set.
bool WaitForCurrentResult(const ImagePictureDialog& dialog) {
  return QTest::qWaitFor([&] { return dialog.IsResultCurrent(); }, ConversionWaitMs);
}

}  // namespace

class ImagePictureDialogTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  ScriptedDialogs* dialogs_ = nullptr;

  QString SavedImage(const QString& name) {
    const QString path = dir_.filePath(name);
    if (!TestImage().save(path)) qFatal("cannot write %s", qPrintable(path));
    return path;
  }

  std::unique_ptr<MainWindow> Window() {
    auto window = std::make_unique<MainWindow>(QStringList{});
    dialogs_ = ScriptDialogs(*window);
    window->Files().SetProgramFolder(dir_.path() + "/");
    window->show();
    return window;
  }

  // An edited picture at cell height 4 with a border that is not the first.
  static void SetKnownPicture(MainWindow& w) {
    const Picture random = test_support::RandomPicture(4, 7);
    Change change(w.Document(), "Import");
    change.Replace(random, 4, std::nullopt);
    QVERIFY(change.SetBorderChoice(3, 1));
    change.Commit();
  }

  static ImagePictureDialog* OpenDialog(MainWindow& w) {
    return w.findChild<ImagePictureDialog*>("imagePictureDialog");
  }

 private slots:
  void theResultIsTheConversionOfTheFittedSource_data() {
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<QString>("fit");
    QTest::addColumn<FitMode>("fitMode");
    QTest::addColumn<QString>("dither");
    QTest::addColumn<Dithering>("dithering");
    QTest::addColumn<QString>("metric");
    QTest::addColumn<ColourMetric>("colourMetric");
    QTest::addColumn<double>("flicker");
    QTest::newRow("8x8 fit none rgb") << 8 << "fit" << FitMode::Fit << "none" << Dithering::None << "rgb"
                                      << ColourMetric::Srgb << 0.0;
    QTest::newRow("8x4 crop ordered lab")
        << 4 << "crop" << FitMode::Crop << "ordered" << Dithering::Ordered << "lab" << ColourMetric::Lab << 0.0;
    QTest::newRow("8x2 stretch floyd-steinberg rgb flicker")
        << 2 << "stretch" << FitMode::Stretch << "floyd-steinberg" << Dithering::FloydSteinberg << "rgb"
        << ColourMetric::Srgb << 0.5;
    QTest::newRow("8x1 fit atkinson lab flicker")
        << 1 << "fit" << FitMode::Fit << "atkinson" << Dithering::Atkinson << "lab" << ColourMetric::Lab << 1.25;
    QTest::newRow("8x8 fit search rgb") << 8 << "fit" << FitMode::Fit << "search" << Dithering::Search << "rgb"
                                        << ColourMetric::Srgb << 0.0;
    // The converter takes weights up to MaxFlickerWeight, and so does the dialog.
    QTest::newRow("8x8 crop none rgb heavy flicker")
        << 8 << "crop" << FitMode::Crop << "none" << Dithering::None << "rgb" << ColourMetric::Srgb << 5.0;
  }

  void theResultIsTheConversionOfTheFittedSource() {
    QFETCH(int, cellHeight);
    QFETCH(QString, fit);
    QFETCH(FitMode, fitMode);
    QFETCH(QString, dither);
    QFETCH(Dithering, dithering);
    QFETCH(QString, metric);
    QFETCH(ColourMetric, colourMetric);
    QFETCH(double, flicker);
    const Raster image = ReadImageFile(SavedImage("source.png").toStdString());
    // Preset to another height than the row's, so the height is chosen too.
    ImagePictureDialog dialog(image, PresetHeight(cellHeight == 8 ? 1 : 8));
    dialog.show();
    ChooseByKeys(Child<QComboBox>(dialog, "imageCellHeightBox"), CellHeightCaption(cellHeight));
    ChooseByKeys(Child<QComboBox>(dialog, "imageFitBox"), fit);
    ChooseByKeys(Child<QComboBox>(dialog, "imageDitherBox"), dither);
    ChooseByKeys(Child<QComboBox>(dialog, "imageMetricBox"), metric);
    TypeValue(Child<QDoubleSpinBox>(dialog, "imageFlickerBox"), flicker);
    QVERIFY(WaitForCurrentResult(dialog));
    QVERIFY(Child<QPushButton>(dialog, "imageOkButton")->isEnabled());

    const ImageConversionOptions options{cellHeight, dithering, colourMetric, flicker};
    const Raster fitted = FitToPicture(image, fitMode);
    const ImageConversion expected = ConvertImage(fitted, options);
    QVERIFY(dialog.ShownResult()->Result == expected.Result);
    QCOMPARE(dialog.ShownResult()->Stats.MeanColourError, expected.Stats.MeanColourError);
    QCOMPARE(dialog.ShownResult()->Stats.MeanFlicker, expected.Stats.MeanFlicker);
    QCOMPARE(dialog.ShownOptions()->Conversion.CellHeight, cellHeight);

    // Both previews at 2:1 or, on a small screen, 1:1: the fitted source,
    // and the result in mixed colours.
    Picture picture;
    static_cast<Planes&>(picture) = expected.Result;
    picture.CellHeight = static_cast<std::uint8_t>(cellHeight);
    const Raster mixed = RenderMixedPicture(picture);
    const QImage source = Child<QLabel>(dialog, "imageSourcePreview")->pixmap().toImage();
    const QImage result = Child<QLabel>(dialog, "imageResultPreview")->pixmap().toImage();
    const int scale = result.width() / 256;
    QVERIFY(scale == 1 || scale == 2);
    QCOMPARE(result.size(), QSize(256, 192) * scale);
    QCOMPARE(source.size(), QSize(256, 192) * scale);
    for (const auto& [x, y] :
         std::initializer_list<std::pair<int, int>>{{0, 0}, {37, 11}, {128, 96}, {255, 191}, {3, 190}, {200, 60}}) {
      QCOMPARE(result.pixel(scale * x + scale - 1, scale * y + scale - 1) | 0xFF000000u, mixed.At(x, y));
      QCOMPARE(source.pixel(scale * x, scale * y) | 0xFF000000u, fitted.At(x, y));
    }
    const QString stats = Child<QLabel>(dialog, "imageStatsLabel")->text();
    QVERIFY(stats.contains(QString::number(expected.Stats.MeanColourError, 'f', 1)));
    QVERIFY(stats.contains("blurred error " + QString::number(expected.Stats.MeanBlurredError, 'f', 1)));
  }

  void aResultOlderThanTheShownOneIsDropped() {
    // The first conversion (the preset 8x8) waits until the test lets it go,
    // so it finishes after the one for 8x4.
    QSemaphore gate;
    std::atomic<int> calls = 0;
    const ImageConverter gated = [&](const Raster& fitted, const ImageConversionOptions& options) {
      ++calls;
      if (options.CellHeight == 8) gate.acquire();
      return ConvertImage(fitted, options);
    };
    // Whatever fails, the held job is let go and finished before the gate goes.
    const auto letGo = qScopeGuard([&] {
      gate.release(2);
      QThreadPool::globalInstance()->waitForDone();
    });
    const Raster image = ReadImageFile(SavedImage("stale.png").toStdString());
    ImagePictureDialog dialog(image, PresetHeight(8), nullptr, gated);
    dialog.show();
    QSignalSpy shown(&dialog, &ImagePictureDialog::ResultShown);
    QPushButton* ok = Child<QPushButton>(dialog, "imageOkButton");
    QVERIFY(!ok->isEnabled());
    // Held in the converter, so the change below cannot make it skip.
    QTRY_COMPARE(calls.load(), 1);

    ChooseByKeys(Child<QComboBox>(dialog, "imageCellHeightBox"), "8x4");
    QVERIFY(WaitForCurrentResult(dialog));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(dialog.ShownOptions()->Conversion.CellHeight, 4);
    QVERIFY(ok->isEnabled());

    gate.release();
    QThreadPool::globalInstance()->waitForDone();
    QCOMPARE(calls.load(), 2);
    // Deliver the late result's signal; it must change nothing.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(shown.count(), 1);
    QCOMPARE(dialog.ShownOptions()->Conversion.CellHeight, 4);
    QVERIFY(dialog.ShownResult()->Result == ConvertImage(FitToPicture(image, FitMode::Fit), {4}).Result);
    QVERIFY(ok->isEnabled());

    // A new change disables OK until its own result comes.
    gate.release();
    ChooseByKeys(Child<QComboBox>(dialog, "imageCellHeightBox"), "8x8");
    QVERIFY(!ok->isEnabled());
    QVERIFY(WaitForCurrentResult(dialog));
    QCOMPARE(dialog.ShownOptions()->Conversion.CellHeight, 8);
    QVERIFY(ok->isEnabled());
  }

  void okReplacesThePlanesAndCellHeightKeepsTheBorderAndUndoes() {
    auto w = Window();
    SetKnownPicture(*w);
    const Picture before = w->Document().Picture();
    const QString path = SavedImage("ok.png");
    dialogs_->Answers = {path};
    Child<QAction>(*w, "importPictureAction")->trigger();
    QVERIFY(dialogs_->Filters.last().startsWith("Pictures ("));
    for (const char* pattern : {"*.png", "*.jpg", "*.jpeg", "*.gif", "*.bmp", "*.webp", "*.tif", "*.tiff"})
      QVERIFY2(dialogs_->Filters.last().contains(pattern), pattern);
    QVERIFY(!dialogs_->Filters.last().contains("*.mgs"));

    ImagePictureDialog* dialog = OpenDialog(*w);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Import Picture"));
    // Preset to the open picture's cell height.
    QCOMPARE(Child<QComboBox>(*dialog, "imageCellHeightBox")->currentText(), QString("8x4"));
    ChooseByKeys(Child<QComboBox>(*dialog, "imageCellHeightBox"), "8x2");
    QVERIFY(WaitForCurrentResult(*dialog));
    QTest::mouseClick(Child<QPushButton>(*dialog, "imageOkButton"), Qt::LeftButton);

    const Planes expected = ConvertImage(FitToPicture(ReadImageFile(path.toStdString()), FitMode::Fit), {2}).Result;
    QVERIFY(static_cast<const Planes&>(w->Document().Picture()) == expected);
    QCOMPARE(w->Document().CellHeight(), 2);
    QVERIFY(w->Document().Picture().Border == before.Border);
    QVERIFY(dialogs_->Errors.isEmpty());
    QTRY_VERIFY(!OpenDialog(*w));

    w->Controller().Undo();
    QVERIFY(w->Document().Picture() == before);  // planes, cell height and border
  }

  void cancelChangesNothing() {
    auto w = Window();
    SetKnownPicture(*w);
    const Picture before = w->Document().Picture();
    const Planes undoBefore = w->Document().ChangeStart();
    dialogs_->Answers = {SavedImage("cancel.png")};
    Child<QAction>(*w, "importPictureAction")->trigger();
    ImagePictureDialog* dialog = OpenDialog(*w);
    QVERIFY(dialog);
    // On a screen smaller than the window, OK and Cancel still lie on it.
    const QRect room = dialog->screen()->availableGeometry();
    for (const char* name : {"imageOkButton", "imageCancelButton"}) {
      const QWidget* button = Child<QPushButton>(*dialog, name);
      QVERIFY2(room.contains(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())), name);
    }
    ChooseByKeys(Child<QComboBox>(*dialog, "imageCellHeightBox"), "8x1");
    QVERIFY(WaitForCurrentResult(*dialog));
    QTest::mouseClick(Child<QPushButton>(*dialog, "imageCancelButton"), Qt::LeftButton);
    QTRY_VERIFY(!OpenDialog(*w));
    QVERIFY(w->Document().Picture() == before);
    QVERIFY(w->Document().ChangeStart() == undoBefore);
  }

  void aBadImageFileShowsTheErrorAndChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("corrupt png, menu") << "corrupt.png" << QByteArray("\x89PNG\r\n\x1a\nnot really", 18) << false;
    QTest::newRow("empty jpg, menu") << "empty.jpg" << QByteArray() << false;
    QTest::newRow("corrupt gif, dropped") << "corrupt.gif" << QByteArray("GIF89a broken") << true;
  }

  void aBadImageFileShowsTheErrorAndChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, dropped);
    auto w = Window();
    SetKnownPicture(*w);
    const Picture before = w->Document().Picture();
    const QString path = dir_.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (dropped) {
      w->Controller().OpenAnyFile(path);
    } else {
      dialogs_->Answers = {path};
      Child<QAction>(*w, "importPictureAction")->trigger();
    }
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY2(dialogs_->Errors.front().contains(name), qPrintable(dialogs_->Errors.front()));
    QVERIFY(!OpenDialog(*w));
    QVERIFY(w->Document().Picture() == before);
  }

  void aDroppedPngOpensTheDialog() {
    auto w = Window();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(SavedImage("dropped.png"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.get(), &drop);
    QVERIFY(dialogs_->Errors.isEmpty());
    ImagePictureDialog* dialog = OpenDialog(*w);
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(WaitForCurrentResult(*dialog));
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ImagePictureDialogTest)
#include "image_picture_dialog_test.moc"

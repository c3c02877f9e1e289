#include <QImage>
#include <QTest>

#include "picture/raster.h"
#include "window/image_view.h"
#include "window/widget_colours.h"

using namespace chromaloom;

Q_DECLARE_METATYPE(RasterAlpha)

class ImageViewTest : public QObject {
  Q_OBJECT

 private slots:
  void WrapRasterSharesPixels() {
    Raster raster(5, 3, MakeRgb(1, 2, 3));
    raster.At(4, 2) = MakeRgb(200, 100, 50);
    const QImage image = WrapRaster(raster);
    QCOMPARE(image.size(), QSize(5, 3));
    QCOMPARE(static_cast<const void*>(image.constBits()), static_cast<const void*>(raster.Pixels().data()));
    QCOMPARE(image.pixel(4, 2), qRgb(200, 100, 50));
    QCOMPARE(image.pixel(0, 0), qRgb(1, 2, 3));
    // Shared, so a later change to the raster shows through.
    raster.At(1, 1) = MakeRgb(9, 8, 7);
    QCOMPARE(image.pixel(1, 1), qRgb(9, 8, 7));
  }

  // A view over a coloured parent: an opaque raster hides it everywhere, a
  // premultiplied one only where its pixels have alpha.
  void ViewShowsWhatLiesBehindOnlyWhereAsked_data() {
    QTest::addColumn<RasterAlpha>("alpha");
    QTest::addColumn<quint32>("pixel");
    QTest::addColumn<QColor>("shown");
    const QColor behind(40, 160, 90);
    QTest::newRow("opaque, alpha 0 is black") << RasterAlpha::Ignored << quint32(0) << QColor(0, 0, 0);
    QTest::newRow("opaque, a colour") << RasterAlpha::Ignored << quint32(MakeRgb(16, 32, 48)) << QColor(16, 32, 48);
    QTest::newRow("opaque, black") << RasterAlpha::Ignored << quint32(MakeRgb(0, 0, 0)) << QColor(0, 0, 0);
    QTest::newRow("see-through, alpha 0 shows the parent") << RasterAlpha::Premultiplied << quint32(0) << behind;
    QTest::newRow("see-through, a colour")
        << RasterAlpha::Premultiplied << quint32(MakeRgb(16, 32, 48)) << QColor(16, 32, 48);
    QTest::newRow("see-through, black") << RasterAlpha::Premultiplied << quint32(MakeRgb(0, 0, 0)) << QColor(0, 0, 0);
  }
  void ViewShowsWhatLiesBehindOnlyWhereAsked() {
    QFETCH(RasterAlpha, alpha);
    QFETCH(quint32, pixel);
    QFETCH(QColor, shown);
    QWidget parent;
    parent.resize(40, 30);
    SetBackground(&parent, QColor(40, 160, 90));
    Raster raster(8, 6, MakeRgb(200, 10, 10));
    raster.At(3, 2) = pixel;
    ImageView view(raster, &parent, alpha);
    view.move(5, 5);
    parent.show();
    QCOMPARE(view.testAttribute(Qt::WA_OpaquePaintEvent), alpha == RasterAlpha::Ignored);
    const QImage grabbed = parent.grab(view.geometry()).toImage();
    QCOMPARE(grabbed.pixelColor(3, 2), shown);
    QCOMPARE(grabbed.pixelColor(0, 0), QColor(200, 10, 10));
  }
};

QTEST_MAIN(ImageViewTest)
#include "image_view_test.moc"

#include <QImage>
#include <QTest>

#include "picture/raster.h"
#include "window/image_view.h"

using namespace chromaloom;

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
};

QTEST_MAIN(ImageViewTest)
#include "image_view_test.moc"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTest>

#include "picture/raster.h"
#include "render/zoom_icons.h"
#include "window/tool_icons.h"

using namespace chromaloom;

namespace {

const QStringList Names = {
    "KEY_Zoom1_1", "KEY_Zoom2_1", "KEY_Zoom3_1", "KEY_Zoom4_1",
    "Key_Grid", "Key_zGrid", "KEY_Palette", "KEY_BorderPalette",
    "KEY_Preview", "KEY_ZoomPreview", "Key_Instrument_Paint", "Key_Instrument_Line",
    "Key_Instrument_Rect", "Key_Instrument_FillChar", "Key_Instrument_Select", "Key_Instrument_Ellipse",
};

QImage Pixels(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

}  // namespace

class ToolIconsTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryButtonHasA22PixelIcon() {
    for (const QString& name : Names) {
      const QPixmap icon = ToolBarIcon(name);
      QVERIFY2(!icon.isNull(), qPrintable(name));
      QCOMPARE(icon.size(), QSize(22, 22));
    }
  }

  void IconsDifferFromEachOther() {
    QList<QImage> images;
    for (const QString& name : Names) images.append(Pixels(ToolBarIcon(name)));
    for (int i = 0; i < images.size(); ++i)
      for (int j = i + 1; j < images.size(); ++j)
        QVERIFY2(images[i] != images[j], qPrintable(Names[i] + " == " + Names[j]));
  }

  void ZoomIconsAreTheCoreIcons() {
    for (int level = 1; level <= 4; ++level) {
      const Raster raster = MakeZoomIcon(level);
      const QImage image = Pixels(ToolBarIcon(QString("KEY_Zoom%1_1").arg(level)));
      for (int y = 0; y < raster.Height(); ++y)
        for (int x = 0; x < raster.Width(); ++x) QCOMPARE(image.pixel(x, y), raster.At(x, y));
    }
  }

  void UnknownNamesGiveNoIcon() {
    QVERIFY(ToolBarIcon("").isNull());
    QVERIFY(ToolBarIcon("KEY_Zoom5_1").isNull());
    QVERIFY(ToolBarIcon("key_grid").isNull());
  }

  void ResizeIconsAre16By13AndDiffer() {
    const QPixmap maximise = ResizeIcon(true);
    const QPixmap restore = ResizeIcon(false);
    QCOMPARE(maximise.size(), QSize(16, 13));
    QCOMPARE(restore.size(), QSize(16, 13));
    QVERIFY(Pixels(maximise) != Pixels(restore));
  }

  void ProgramIconHasBothSizes() {
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(16, 16)));
  }

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

QTEST_MAIN(ToolIconsTest)
#include "tool_icons_test.moc"

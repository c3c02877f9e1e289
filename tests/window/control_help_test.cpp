// Every control says what it does, and the mode buttons show plainly
// whether their mode is on.
#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "support/window_test_support.h"
#include "window/clickable_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::PressAndRelease;
using test_support::ShownMainWindow;

class ControlHelpTest : public QObject {
  Q_OBJECT

  // The mean lightness (0..255) of an image.
  static double MeanLightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) sum += QColor(image.pixel(x, y)).lightness();
    return sum / (image.width() * image.height());
  }

 private slots:
  void everyVisibleControlHasATooltip() {
    auto w = ShownMainWindow();
    for (Panel panel :
         {Panel::Palette, Panel::BorderPalette, Panel::Preview, Panel::Magnifier, Panel::Corrector, Panel::Flicker})
      w->Panels().Toggle(panel);
    Child<QWidget>(*w, "bitmapExportWindow")->show();
    QCoreApplication::processEvents();

    // Buttons, swatches, clickable images and choice boxes; the picture
    // itself is left alone, where a tooltip would cover the painting.
    int buttons = 0, swatches = 0, images = 0, boxes = 0;
    QStringList bare;
    for (QWidget* widget : w->findChildren<QWidget*>()) {
      if (!widget->isVisible() || widget->objectName() == "canvas") continue;
      const bool isButton = qobject_cast<QAbstractButton*>(widget) != nullptr;
      const bool isSwatch = qobject_cast<ClickablePanel*>(widget) != nullptr;
      const bool isImage = qobject_cast<ImageView*>(widget) != nullptr;
      const bool isBox = qobject_cast<QComboBox*>(widget) != nullptr;
      if (!isButton && !isSwatch && !isImage && !isBox) continue;
      buttons += isButton;
      swatches += isSwatch;
      images += isImage;
      boxes += isBox;
      if (widget->toolTip().trimmed().isEmpty())
        bare << QString("%1 (%2)").arg(widget->objectName(), widget->metaObject()->className());
    }
    QVERIFY2(bare.isEmpty(), qPrintable("no tooltip: " + bare.join(", ")));
    // The walk reached every kind of control, so an empty list means something.
    QVERIFY(buttons > 20);
    QVERIFY(swatches >= 12);
    QVERIFY(images >= 8);
    QVERIFY(boxes >= 2);
  }

  void modeButtonsLookPlainlyOnOrOff_data() {
    QTest::addColumn<QString>("button");
    QTest::addRow("PIX") << "pixButton";
    QTest::addRow("RGB") << "rgbButton";
  }
  void modeButtonsLookPlainlyOnOrOff() {
    QFETCH(QString, button);
    auto w = ShownMainWindow();
    auto* mode = Child<QToolButton>(*w, button);
    const auto modeOn = [&] { return button == "pixButton" ? w->Pickers().EditModePix : w->Pickers().EditModeRgb; };
    QVERIFY(modeOn());
    QVERIFY(mode->isChecked());
    const QImage on = mode->grab().toImage();

    PressAndRelease(mode);
    QVERIFY(!modeOn());
    QVERIFY(!mode->isChecked());
    const QImage off = mode->grab().toImage();
    // Not a faint change of the bevel: on is far darker than off, as a lit
    // key stands out on a grey bar.
    const double darker = MeanLightness(off) - MeanLightness(on);
    QVERIFY2(darker > 60, qPrintable(QString("on is only %1 darker").arg(darker)));

    PressAndRelease(mode);
    QVERIFY(modeOn());
    QVERIFY(mode->isChecked());
    QCOMPARE(mode->grab().toImage(), on);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ControlHelpTest)
#include "control_help_test.moc"

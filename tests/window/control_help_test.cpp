// Every control says what it does.
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "support/window_test_support.h"
#include "window/clickable_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ShownMainWindow;

class ControlHelpTest : public QObject {
  Q_OBJECT

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
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::ControlHelpTest)
#include "control_help_test.moc"

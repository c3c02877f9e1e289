#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTest>
#include <QToolButton>

#include "picture/raster.h"
#include "render/zoom_icons.h"
#include "window/command_table.h"
#include "window/tool_bar.h"
#include "window/tool_icons.h"

using namespace chromaloom;

namespace {

QImage Pixels(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// Every icon of the tool bar, named by its button, as the tables give them.
QList<std::pair<QString, QPixmap>> ToolBarIcons() {
  QList<std::pair<QString, QPixmap>> icons;
  for (const Command& command : Commands())
    if (command.Button.Icon) icons.append({command.Name, command.Button.Icon()});
  return icons;
}

}  // namespace

class ToolIconsTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryButtonHasA22PixelIcon() {
    const auto icons = ToolBarIcons();
    QCOMPARE(icons.size(), 25);  // all but the PIX and RGB text buttons
    for (const auto& [name, icon] : icons) {
      QVERIFY2(!icon.isNull(), qPrintable(name));
      QCOMPARE(icon.size(), QSize(22, 22));
    }
  }

  void IconsDifferFromEachOther() {
    const auto icons = ToolBarIcons();
    for (int i = 0; i < icons.size(); ++i)
      for (int j = i + 1; j < icons.size(); ++j)
        QVERIFY2(Pixels(icons[i].second) != Pixels(icons[j].second),
                 qPrintable(icons[i].first + " == " + icons[j].first));
  }

  void ZoomIconsAreTheCoreIcons() {
    for (int level = 1; level <= 4; ++level) {
      const Command* command = FindCommand(QString("zoomButton%1").arg(level).toStdString());
      QVERIFY(command && command->Button.Icon);
      const Raster raster = MakeZoomIcon(level);
      const QImage image = Pixels(command->Button.Icon());
      for (int y = 0; y < raster.Height(); ++y)
        for (int x = 0; x < raster.Width(); ++x) QCOMPARE(image.pixel(x, y), raster.At(x, y));
    }
  }

  void ButtonsShowTheirRowsIconAndTextButtonsNone() {
    ToolBar bar(nullptr);
    for (const Command& command : Commands()) {
      if (!command.HasButton()) continue;
      const auto* button = bar.findChild<QToolButton*>(command.Name);
      QVERIFY2(button, command.Name);
      if (!command.Button.Icon) {
        QVERIFY2(button->icon().isNull(), command.Name);
        QCOMPARE(button->text(), QString(command.Button.Text));
        continue;
      }
      QCOMPARE(Pixels(button->icon().pixmap(22, 22)), Pixels(command.Button.Icon()));
    }
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
};

QTEST_MAIN(ToolIconsTest)
#include "tool_icons_test.moc"

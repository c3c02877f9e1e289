// Whatever changes the picture, the canvas shows it at once: after each
// command of the table the window's surfaces equal a fresh render.
#include <QPushButton>
#include <QTest>

#include <memory>
#include <set>
#include <string_view>

#include "render/view.h"
#include "support/random_picture.h"
#include "support/window_test_support.h"
#include "window/command_table.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;

class CanvasFollowsCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  // An exchange on line 13 of a side-column cell of an 8x1 picture.
  void correctorExchangeShowsAtOnce() {
    auto w = test_support::ShownMainWindow();
    w->Document() = Document(test_support::RandomPicture(1, 21));
    w->Controller().RedrawCanvas();
    Child<QAction>(*w, "showCorrectorAction")->trigger();
    w->Controller().Corrector().State() = {};
    w->Controller().Corrector().State().Column = 3;
    w->Controller().Corrector().State().Row = 13;
    const Picture before = w->Document().Picture();
    Child<QPushButton>(*w, "exchangeCellsButton")->click();
    QVERIFY(w->Document().Picture() != before);
    QCOMPARE(test_support::StaleSurface(*w), QString());
  }

  void everyCommandLeavesTheCanvasCurrent() {
    // These leave the window, start programs or wait on a dialog.
    const std::set<std::string_view> skipped = {"quitAction", "previewOnEmulatorAction", "helpKeysAction",
                                                "helpAboutAction", "textFontAction"};
    for (const int cellHeight : {1, 4}) {
      auto w = test_support::ShownMainWindow();
      test_support::ScriptDialogs(*w);
      w->Document() = Document(test_support::RandomPicture(cellHeight, 30u + cellHeight));
      w->Controller().RedrawCanvas();
      CellSelection& selection = w->Controller().Tools().Selection;
      selection.Shown = true;
      selection.Left = 3;
      selection.Top = 5;
      selection.Width = 4;
      selection.Height = 3;
      int ran = 0;
      for (const Command& command : Commands()) {
        if (!command.Run || skipped.count(command.Name)) continue;
        w->Run(command);
        QCoreApplication::processEvents();
        ++ran;
        const QString stale = test_support::StaleSurface(*w);
        QVERIFY2(stale.isEmpty(), qPrintable(QString("%1 after %2").arg(stale, command.Name)));
      }
      QVERIFY(ran > 40);
    }
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::CanvasFollowsCommandsTest)
#include "canvas_follows_commands_test.moc"

// Help > Getting Started shows the cell's colours as the editor mixes them;
// Help > Open Sample Picture opens the sample untitled; Help > Keys lists
// every key the editor takes; Help > About names the version, the licence
// and the libraries.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

#include "formats/mgs_format.h"
#include "render/renderer.h"
#include "support/window_test_support.h"
#include "window/command_table.h"
#include "window/help_dialogs.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ReadAll;
using test_support::ScriptDialogs;
using test_support::ShownMainWindow;

class HelpDialogsTest : public QObject {
  Q_OBJECT

  static std::unique_ptr<MainWindow> Shown() { return ShownMainWindow(); }

  static QString Cell(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
  }

  // Whether the row takes the key a text such as "Ctrl+6" names, in any
  // state of the preview, the zoom selector and a floating paste.
  static bool RowTakesNamedKey(const CommandKey& row, const QString& name) {
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1) return false;
    const KeyPress press = KeyPress::From(sequence[0].key(), 0, sequence[0].keyboardModifiers());
    for (const KeyState state : {KeyState{false, 0}, KeyState{true, MinSelectorSize}, KeyState{true, MaxSelectorSize},
                                 KeyState{false, 0, true}})
      if (row.Matches(press, state)) return true;
    return false;
  }

 private slots:
  void gettingStartedShowsTheCellsFourMixedEntries() {
    auto w = Shown();
    Child<QAction>(*w, "helpGettingStartedAction")->trigger();
    auto* dialog = Child<QDialog>(*w, "gettingStartedDialog");
    QVERIFY(dialog->isVisible());
    const QImage shown = Child<QLabel>(*dialog, "cellModelPicture")->pixmap().toImage();
    QVERIFY(!shown.isNull());
    const CellModelPicture drawn = DrawCellModel();
    QCOMPARE(shown.size(), drawn.Image.size());
    // Each entry's swatch has the editor's mix of the example cell's colours.
    const ExampleCellColours& c = ExampleCell;
    const CharPalette mixed = MakeCharPalette(c.Paper0, c.Ink0, c.Paper1, c.Ink1);
    for (int k = 0; k < 4; ++k) {
      const QRect place = drawn.Entries[static_cast<std::size_t>(k)];
      QVERIFY(shown.rect().contains(place));
      for (const QPoint at : {place.center(), place.topLeft() + QPoint(3, 3), place.bottomRight() - QPoint(3, 3)})
        QCOMPARE(QColor(shown.pixel(at)), QColor(RedOf(mixed[k]), GreenOf(mixed[k]), BlueOf(mixed[k])));
    }
    // Four different colours, or the picture would explain nothing.
    QCOMPARE(QSet<Rgb>(mixed.begin(), mixed.end()).size(), 4);
    const QString text = Child<QTextBrowser>(*dialog, "gettingStartedText")->toPlainText();
    for (const char* part : {"P0+P1", "I0+I1", "PIX", "RGB", "Both", "File > Import > Picture...", "OK"})
      QVERIFY2(text.contains(part), part);
    dialog->close();
  }

  void sampleOpensUntitledWhereverItLies_data() {
    QTest::addColumn<QString>("layout");
    QTest::addRow("beside the program") << "build";
    QTest::addRow("installed") << "installed";
    QTest::addRow("missing") << "missing";
  }
  void sampleOpensUntitledWhereverItLies() {
    QFETCH(QString, layout);
    // The sample as the build drew it, placed as the layout puts it.
    const QString built = QStringLiteral(CHROMALOOM_EDITOR_FOLDER "sample.mgs");
    const std::vector<std::uint8_t> bytes = ReadAll(built);
    QVERIFY2(!bytes.empty(), qPrintable(built));
    QTemporaryDir root;
    QString programFolder = root.path() + "/";
    if (layout == "installed") {
      programFolder = root.path() + "/usr/lib/chromaloom/";
      QVERIFY(QDir().mkpath(programFolder));
      QVERIFY(QDir().mkpath(root.path() + "/usr/share/chromaloom"));
      QVERIFY(QFile::copy(built, root.path() + "/usr/share/chromaloom/sample.mgs"));
    } else if (layout == "build") {
      QVERIFY(QFile::copy(built, programFolder + "sample.mgs"));
    }

    auto w = Shown();
    auto* script = ScriptDialogs(*w);
    w->Files().SetProgramFolder(programFolder);
    Child<QAction>(*w, "helpSampleAction")->trigger();
    if (layout == "missing") {
      QCOMPARE(script->Errors.size(), 1);
      QVERIFY(script->Errors.front().contains("sample.mgs"));
      QCOMPARE(w->Document().Picture(), Picture{});
      return;
    }
    QVERIFY2(script->Errors.isEmpty(), qPrintable(script->Errors.join("\n")));
    const ImportedPicture sample = ReadMgs(bytes);
    QCOMPARE(w->Document().Picture().CellHeight, sample.CellHeight);
    QVERIFY(static_cast<const Planes&>(w->Document().Picture()) == sample.Planes);
    QVERIFY(w->Document().Picture() != Picture{});
    // Untitled and unchanged: nothing to ask at close, and Save asks for a name.
    QVERIFY(w->Document().FilePath().empty());
    QVERIFY(!w->Document().IsModified());
    QVERIFY(w->Document().UndoName().empty());
    Child<QAction>(*w, "saveAction")->trigger();
    QCOMPARE(script->Filters.size(), 1);
    QVERIFY(w->Document().FilePath().empty());
  }

  void keysTableListsEveryKeyRowThenTheMenuShortcuts() {
    auto w = Shown();
    Child<QAction>(*w, "helpKeysAction")->trigger();
    auto* dialog = Child<QDialog>(*w, "keysDialog");
    QVERIFY(dialog->isVisible());
    const auto* table = Child<QTableWidget>(*dialog, "keysTable");
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("Keys"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("Does"));

    // The key table's rows first, in the order the handler walks them, each
    // naming only keys that its row takes.
    std::vector<CommandKey> rows;
    for (const Command& command : Commands())
      if (command.HasKey()) rows.push_back(command.Key);
    QVERIFY(table->rowCount() > static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
      const CommandKey& row = rows[static_cast<std::size_t>(i)];
      QCOMPARE(Cell(*table, i, 0), QString::fromUtf8(row.Keys));
      QCOMPARE(Cell(*table, i, 1), QString::fromUtf8(row.Does));
      const QStringList named = Cell(*table, i, 0).split(QRegularExpression(", | or "));
      for (const QString& key : named)
        QVERIFY2(RowTakesNamedKey(row, key), qPrintable(QString("row %1 does not take %2").arg(i).arg(key)));
    }
    // Then the menu's own shortcuts and the wheel.
    QStringList rest;
    for (int i = static_cast<int>(rows.size()); i < table->rowCount(); ++i)
      rest << Cell(*table, i, 0) + " | " + Cell(*table, i, 1);
    QCOMPARE(rest, QStringList({"Ctrl+N | New > 8x1 MultiGigaScreen", "Ctrl+O | Open *.mgs", "Ctrl+S | Save",
                                "Ctrl+Shift+S | Save As *.mgs", "Ctrl+Q | Quit", "Ctrl+Y | Redo",
                                "Ctrl++ or Ctrl+= | Zoom In", "Ctrl+- | Zoom Out", "Ctrl+0 | Fit",
                                "Ctrl+Wheel | Zoom in or out, keeping the picture under the pointer"}));

    for (int r = 0; r < table->rowCount(); ++r)
      for (int c = 0; c < 2; ++c)
        QVERIFY2(!Cell(*table, r, c).trimmed().isEmpty(), qPrintable(QString("row %1").arg(r)));
    dialog->close();
  }

  void aboutNamesTheVersionLicenceAndLibraries() {
    auto w = Shown();
    Child<QAction>(*w, "helpAboutAction")->trigger();
    auto* dialog = Child<QDialog>(*w, "aboutDialog");
    QVERIFY(dialog->isVisible());
    const QString text = Child<QLabel>(*dialog, "aboutText")->text();
    for (const QString& part : {QString("chromaLoom x0.91"), QString("Licence: MIT"), QString("Qt ") + qVersion(),
                                QString("libspectrum: GPL-2.0-or-later"), QString("GPL-2.0-or-later).")})
      QVERIFY2(text.contains(part), qPrintable(part + " is not in: " + text));
    dialog->close();
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::HelpDialogsTest)
#include "help_dialogs_test.moc"

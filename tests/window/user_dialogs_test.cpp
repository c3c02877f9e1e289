// The real open dialog, built as the file commands run it, listing a folder.
#include <QAbstractItemView>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <new>
#include <stdexcept>

#include "formats/file_kinds.h"
#include "support/window_test_support.h"
#include "window/user_dialogs.h"

namespace chromaloom {

using test_support::Child;

class UserDialogsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  // The file names the dialog lists once it has read the folder.
  static QStringList Listed(QFileDialog& dialog) {
    auto* view = Child<QAbstractItemView>(dialog, "listView");
    QStringList names;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
      names << model->index(row, 0, view->rootIndex()).data().toString();
    names.sort();
    return names;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    for (const char* name : {"a.$scr", "B.$SCR", "c.$Scr", "d.scr", "E.SCR", "f.$img", "G.$IMG", "h.img", "i.mgs",
                             "J.MGS", "k.mg1", "L.MG4", "m.txt"}) {
      QFile file(dir_.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
  }

  // Each kind's dialog lists its own files in any case, and offers all files.
  void openDialogListsTheKindsFilesInAnyCase_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("upperPattern");
    QTest::newRow(".mgs") << int(FileKind::Mgs) << QStringList{"J.MGS", "i.mgs"} << "*.MGS";
    QTest::newRow(".img") << int(FileKind::Img) << QStringList{"h.img"} << "*.IMG";
    QTest::newRow(".$img") << int(FileKind::HobetaImg) << QStringList{"G.$IMG", "f.$img"} << "*.$IMG";
    QTest::newRow(".scr") << int(FileKind::Scr) << QStringList{"E.SCR", "d.scr"} << "*.SCR";
    QTest::newRow(".$scr") << int(FileKind::HobetaScr) << QStringList{"B.$SCR", "a.$scr", "c.$Scr"} << "*.$SCR";
    QTest::newRow(".mg1/mg2/mg4/mg8") << int(FileKind::Mg1) << QStringList{"L.MG4", "k.mg1"} << "*.MG8";
  }
  void openDialogListsTheKindsFilesInAnyCase() {
    QFETCH(int, kind);
    QFETCH(QStringList, listed);
    QFETCH(QString, upperPattern);
    const QString filter = QString::fromUtf8(InfoOf(static_cast<FileKind>(kind)).OpenFilter);
    const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(nullptr, filter, {dir_.path() + "/", {}});
    dialog->setOption(QFileDialog::DontUseNativeDialog);  // what this test can look into
    dialog->show();
    QTRY_COMPARE(Listed(*dialog), listed);
    // A platform's own dialog may match case-sensitively: the upper-case names are asked for too.
    const QStringList filters = dialog->nameFilters();
    QCOMPARE(filters.size(), 2);
    QVERIFY2(filters.front().contains(" " + upperPattern) || filters.front().contains("(" + upperPattern),
             qPrintable(filters.front()));
    QCOMPARE(filters.back(), QString("All files (*)"));
    dialog->selectNameFilter(filters.back());
    QTRY_COMPARE(Listed(*dialog).size(), 13);
  }

  void fileErrorsNameTheirFileOnce() {
    const QString path = "/pictures/a.png";
    QCOMPARE(FileErrorMessage(path, std::runtime_error("Cannot read \"/pictures/a.png\": gone")),
             QString("Cannot read \"/pictures/a.png\": gone"));
    QCOMPARE(FileErrorMessage(path, std::runtime_error("bad header")), QString("bad header\n\n/pictures/a.png"));
    QCOMPARE(FileErrorMessage(path, std::bad_alloc()), QString("Not enough memory for \"/pictures/a.png\""));
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::UserDialogsTest)
#include "user_dialogs_test.moc"

// File > Open Recent: what goes on the list, in which order, what choosing
// an entry does, and that the list outlives the window.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "picture/picture.h"
#include "support/random_picture.h"
#include "support/scripted_dialogs.h"
#include "support/window_test_support.h"
#include "window/image_picture_dialog.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;
using test_support::WriteAll;

namespace {

// The entries of File > Open Recent as the menu holds them: their paths, in order.
QStringList Entries(const MainWindow& w) {
  QStringList paths;
  for (QAction* action : Child<QMenu>(w, "openRecentMenu")->actions())
    if (action->objectName().startsWith("recentFileAction")) paths << action->toolTip();
  return paths;
}

void Trigger(const MainWindow& w, const QString& action) { Child<QAction>(w, action)->trigger(); }

}  // namespace

class RecentFilesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  ScriptedDialogs* dialogs_ = nullptr;

  QString File(const QString& name) const { return dir_->filePath(name); }
  QString SettingsFile() const { return File("settings.ini"); }

  std::unique_ptr<MainWindow> Window() {
    auto window = std::make_unique<MainWindow>(QStringList{}, SettingsFile());
    dialogs_ = ScriptDialogs(*window);
    return window;
  }

  // A picture file of its own content, so an open can be told apart.
  QString PictureFile(const QString& name, int seed) {
    WriteAll(File(name), WriteMgs(test_support::RandomPicture(8, seed)));
    return File(name);
  }

 private slots:
  void init() { dir_ = std::make_unique<QTemporaryDir>(); }

  void openImportAndSaveGoOnTopExportsAndFailuresDoNot() {
    const QString opened = PictureFile("opened.mgs", 1);
    WriteAll(File("imported.img"), WriteImg(test_support::RandomPicture(8, 2)));
    QImage image(256, 192, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(File("picture.png")));
    WriteAll(File("broken.mgs"), {'M', 'G', 'S'});

    auto w = Window();
    QVERIFY(Entries(*w).isEmpty());
    QVERIFY(!Child<QMenu>(*w, "openRecentMenu")->menuAction()->isEnabled());
    dialogs_->Answers = {opened,        File("imported.img"), File("picture.png"),
                         File("saved"), File("exported.img"), File("broken.mgs")};
    Trigger(*w, "openAction");
    Trigger(*w, "importImgAction");
    Trigger(*w, "importPictureAction");
    test_support::PressAndRelease(Child<QPushButton>(*w, "imageCancelButton"));
    Trigger(*w, "saveAsAction");
    Trigger(*w, "exportImgAction");
    Trigger(*w, "openAction");
    QCOMPARE(dialogs_->Errors.size(), 1);  // the broken file
    const QStringList expected = {File("saved.mgs"), File("picture.png"), File("imported.img"), opened};
    QCOMPARE(Entries(*w), expected);
    QVERIFY(Child<QMenu>(*w, "openRecentMenu")->menuAction()->isEnabled());

    // Numbered in order, then a separator and Clear.
    const QList<QAction*> items = Child<QMenu>(*w, "openRecentMenu")->actions();
    QCOMPARE(items.size(), 6);
    QCOMPARE(items[0]->text(), "&1  " + File("saved.mgs"));
    QCOMPARE(items[3]->text(), "&4  " + opened);
    QVERIFY(items[4]->isSeparator());
    QCOMPARE(items[5]->objectName(), QString("clearRecentFilesAction"));

    // The next run finds the list as it was.
    w.reset();
    QCOMPARE(Entries(*Window()), expected);
  }

  void theNewestTenStayWithoutRepeats_data() {
    QTest::addColumn<QList<int>>("opened");  // file numbers in the order they are opened
    QTest::addColumn<QList<int>>("listed");  // the list afterwards, newest first
    QTest::newRow("newest first") << QList<int>{1, 2, 3} << QList<int>{3, 2, 1};
    QTest::newRow("an opened file moves to the top") << QList<int>{1, 2, 3, 1} << QList<int>{1, 3, 2};
    QTest::newRow("the same file twice is one entry") << QList<int>{4, 4, 4} << QList<int>{4};
    QTest::newRow("ten are kept") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                                  << QList<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    QTest::newRow("the eleventh drops the oldest")
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << QList<int>{12, 11, 10, 9, 8, 7, 6, 5, 4, 3};
    QTest::newRow("a repeat at the limit drops nothing")
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1} << QList<int>{1, 10, 9, 8, 7, 6, 5, 4, 3, 2};
  }

  void theNewestTenStayWithoutRepeats() {
    QFETCH(QList<int>, opened);
    QFETCH(QList<int>, listed);
    QVERIFY(QDir(dir_->path()).mkdir("sub"));
    auto w = Window();
    for (int n : opened) {
      const QString name = QString("picture%1.mgs").arg(n);
      PictureFile(name, n);
      // Dropped files count as opened; a path spelled another way is still the same file.
      w->Controller().OpenAnyFile(File(n % 2 ? name : "sub/../" + name));
    }
    QVERIFY(dialogs_->Errors.isEmpty());
    QStringList expected;
    for (int n : listed) expected << File(QString("picture%1.mgs").arg(n));
    QCOMPARE(Entries(*w), expected);
  }

  void choosingAnEntryOpensItAndMovesItToTheTop() {
    const QString first = PictureFile("first.mgs", 11);
    const QString second = PictureFile("second.mgs", 12);
    auto w = Window();
    w->Controller().OpenAnyFile(first);
    w->Controller().OpenAnyFile(second);
    w->Document() = Document(test_support::RandomPicture(8, 13));
    Trigger(*w, "recentFileAction2");
    QCOMPARE(w->Document().Picture(), test_support::RandomPicture(8, 11));
    QCOMPARE(Entries(*w), QStringList({first, second}));
    QVERIFY(dialogs_->Errors.isEmpty());
  }

  void aMissingFileIsTakenOffWithAMessage() {
    const QString kept = PictureFile("kept.mgs", 21);
    const QString gone = PictureFile("gone.mgs", 22);
    auto w = Window();
    w->Controller().OpenAnyFile(gone);
    w->Controller().OpenAnyFile(kept);
    QVERIFY(QFile::remove(gone));
    const Picture before = w->Document().Picture();
    Trigger(*w, "recentFileAction2");
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY2(dialogs_->Errors.front().contains(gone), qPrintable(dialogs_->Errors.front()));
    QCOMPARE(w->Document().Picture(), before);
    QCOMPARE(Entries(*w), QStringList{kept});
    // Taken off the stored list too.
    w.reset();
    QCOMPARE(Entries(*Window()), QStringList{kept});
  }

  void clearEmptiesTheListForThisRunAndTheNext() {
    auto w = Window();
    w->Controller().OpenAnyFile(PictureFile("one.mgs", 31));
    w->Controller().OpenAnyFile(PictureFile("two.mgs", 32));
    Trigger(*w, "clearRecentFilesAction");
    QVERIFY(Entries(*w).isEmpty());
    QCOMPARE(Child<QMenu>(*w, "openRecentMenu")->actions().size(), 2);  // the separator and Clear
    QVERIFY(!Child<QMenu>(*w, "openRecentMenu")->menuAction()->isEnabled());
    w.reset();
    QVERIFY(Entries(*Window()).isEmpty());
  }

  void storedEntriesAreCheckedWhenRead() {
    // A list of another program's making: repeats, relative names, more than ten.
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QStringList stored = {"relative.mgs", File("a.mgs"), "", File("b.mgs"), File("a.mgs")};
    for (int i = 0; i < 12; ++i) stored << File(QString("more%1.mgs").arg(i));
    file.write("recentFiles=" + stored.join(", ").toUtf8() + "\n");
    file.close();
    QStringList expected = {File("a.mgs"), File("b.mgs")};
    for (int i = 0; i < 8; ++i) expected << File(QString("more%1.mgs").arg(i));
    QCOMPARE(Entries(*Window()), expected);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::RecentFilesTest)
#include "recent_files_test.moc"

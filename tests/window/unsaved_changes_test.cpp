// Never losing work: the caption's modified mark, the question before a
// modified picture is lost, Save and Save As, and undo and redo through the
// Edit menu and their keys.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>

#include "editing/colour_pickers.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "support/random_picture.h"
#include "support/scripted_dialogs.h"
#include "support/window_test_support.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ReadAll;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;
using test_support::ShownMainWindow;
using test_support::WriteAll;

namespace {

const QString Program = QStringLiteral("chromaLoom x0.91");

}  // namespace

class UnsavedChangesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  ScriptedDialogs* dialogs_ = nullptr;

  std::unique_ptr<MainWindow> Shown() {
    auto w = ShownMainWindow();
    dialogs_ = ScriptDialogs(*w);
    return w;
  }
  QString File(const QString& name) const { return dir_.filePath(name); }
  static void Trigger(MainWindow& w, const char* action) { Child<QAction>(w, action)->trigger(); }

  static void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, {});
    QCoreApplication::sendEvent(widget, &event);
  }
  // A pencil stroke with the left button, as the hand makes it.
  static void Stroke(MainWindow& w, QPoint from, QPoint to) {
    QWidget* canvas = Child<QWidget>(w, "canvas");
    SetCharColour(w.Pickers(), 3);  // ink on both screens shows on any paper
    Mouse(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(canvas, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    Mouse(canvas, QEvent::MouseMove, to, Qt::LeftButton);
    Mouse(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton);
  }
  static void Drop(MainWindow& w, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(600, 400), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent event(QPointF(600, 400), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
  }
  static void Activate(MainWindow& w) {
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
  }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void captionNamesThePictureAndMarksItModified() {
    auto w = Shown();
    QCOMPARE(w->windowTitle(), Program);
    Stroke(*w, {20, 20}, {60, 40});
    QCOMPARE(w->windowTitle(), "Untitled* — " + Program);
    Trigger(*w, "undoAction");
    QCOMPARE(w->windowTitle(), "Untitled — " + Program);
    Trigger(*w, "redoAction");
    dialogs_->Answers = {File("caption")};
    Trigger(*w, "saveAction");
    QCOMPARE(w->windowTitle(), "caption.mgs — " + Program);
    // Zoom and grids are not changes.
    Trigger(*w, "undoAction");
    QCOMPARE(w->windowTitle(), "caption.mgs* — " + Program);
    Trigger(*w, "redoAction");
    QCOMPARE(w->windowTitle(), "caption.mgs — " + Program);
    w->Controller().SetZoom(3);
    w->Controller().ToggleCharGrid();
    w->Panels().Toggle(Panel::Preview);
    QCOMPARE(w->windowTitle(), "caption.mgs — " + Program);
    // Open names the opened file; an import changes the picture, not its file.
    WriteAll(File("other.mgs"), WriteMgs(test_support::RandomPicture(4, 3)));
    dialogs_->Answers = {File("other.mgs")};
    Trigger(*w, "openAction");
    QCOMPARE(w->windowTitle(), "other.mgs — " + Program);
    WriteAll(File("plain.img"), WriteImg(test_support::RandomPicture(8, 4)));
    w->Controller().OpenAnyFile(File("plain.img"));
    QCOMPARE(w->windowTitle(), "other.mgs* — " + Program);
    QVERIFY(dialogs_->SaveChangesQuestions.isEmpty());
  }

  // Close, Quit, Open and a dropped .mgs ask while modified, never otherwise;
  // Save saves first and goes on only when the save worked; Cancel changes nothing.
  void everyWayOfLosingThePictureAsksFirst_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveWorks");
    for (const char* way : {"close", "quit", "open", "drop"}) {
      QTest::addRow("%s unmodified", way) << way << false << int(SaveChangesAnswer::Cancel) << true;
      QTest::addRow("%s cancel", way) << way << true << int(SaveChangesAnswer::Cancel) << true;
      QTest::addRow("%s discard", way) << way << true << int(SaveChangesAnswer::Discard) << true;
      QTest::addRow("%s save", way) << way << true << int(SaveChangesAnswer::Save) << true;
      QTest::addRow("%s save fails", way) << way << true << int(SaveChangesAnswer::Save) << false;
    }
  }
  void everyWayOfLosingThePictureAsksFirst() {
    QFETCH(QString, way);
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, saveWorks);
    const QString next = File("next.mgs");
    const Picture nextPicture = test_support::RandomPicture(2, 11);
    WriteAll(next, WriteMgs(nextPicture));
    const QString saved = File(way + "-saved.mgs");
    QFile::remove(saved);

    auto w = Shown();
    if (modified) Stroke(*w, {30, 30}, {90, 50});
    const Picture before = w->Document().Picture();
    dialogs_->SaveChangesAnswers = {static_cast<SaveChangesAnswer>(answer)};
    const bool asked = modified;
    const bool savedFirst = asked && answer == int(SaveChangesAnswer::Save);
    // The name for the save as of an untitled picture; a folder that is not there fails.
    if (savedFirst) dialogs_->Answers << (saveWorks ? saved : File("missing/folder/x.mgs"));
    if (way == "open") dialogs_->Answers << next;

    if (way == "close") w->close();
    if (way == "quit") Trigger(*w, "quitAction");
    if (way == "open") Trigger(*w, "openAction");
    if (way == "drop") Drop(*w, next);

    QCOMPARE(dialogs_->SaveChangesQuestions, asked ? QStringList{"Save changes to Untitled?"} : QStringList{});
    const bool goesOn = !asked || answer == int(SaveChangesAnswer::Discard) || (savedFirst && saveWorks);
    QCOMPARE(QFile::exists(saved), savedFirst && saveWorks);
    if (savedFirst && saveWorks) QCOMPARE(ReadAll(saved), WriteMgs(before));
    QCOMPARE(dialogs_->Errors.size(), savedFirst && !saveWorks ? 1 : 0);
    if (way == "close" || way == "quit") {
      QCOMPARE(w->isVisible(), !goesOn);
    } else {
      QCOMPARE(w->Document().Picture() == nextPicture, goesOn);
      if (!goesOn) QVERIFY(w->Document().Picture() == before);
    }
  }

  void saveWritesTheOpenFileAndSaveAsAsksForAName() {
    auto w = Shown();
    // Untitled: Save asks for a name, as Save As does.
    Stroke(*w, {10, 10}, {40, 10});
    dialogs_->Answers = {File("first")};
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->Filters.size(), 1);
    QCOMPARE(ReadAll(File("first.mgs")), WriteMgs(w->Document().Picture()));
    QCOMPARE(Child<QLabel>(*w, "statusMessage")->text(), QString("Saved first.mgs"));
    // Then Save writes that file without a question.
    Stroke(*w, {10, 50}, {40, 60});
    QVERIFY(w->Document().IsModified());
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->Filters.size(), 1);
    QCOMPARE(ReadAll(File("first.mgs")), WriteMgs(w->Document().Picture()));
    QVERIFY(!w->Document().IsModified());
    // Save As always asks, and the picture belongs to the new name after it.
    dialogs_->Answers = {File("second.mgs")};
    Trigger(*w, "saveAsAction");
    QCOMPARE(dialogs_->Filters.size(), 2);
    QCOMPARE(ReadAll(File("second.mgs")), WriteMgs(w->Document().Picture()));
    Stroke(*w, {100, 100}, {120, 130});
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->Filters.size(), 2);
    QCOMPARE(ReadAll(File("second.mgs")), WriteMgs(w->Document().Picture()));
    QVERIFY(ReadAll(File("first.mgs")) != ReadAll(File("second.mgs")));
    // A Save As cancelled leaves the picture modified and belonging to its file.
    Stroke(*w, {150, 100}, {160, 130});
    dialogs_->Answers = {QString()};
    Trigger(*w, "saveAsAction");
    QVERIFY(w->Document().IsModified());
    QCOMPARE(w->windowTitle(), "second.mgs* — " + Program);
  }

  // New leaves the file behind: Save asks for a name and never overwrites it;
  // work not yet saved keeps the modified mark, so it is not lost on close.
  void newStartsAnUntitledPicture_data() {
    QTest::addColumn<bool>("modifiedBefore");
    QTest::newRow("saved") << false;
    QTest::newRow("modified") << true;
  }
  void newStartsAnUntitledPicture() {
    QFETCH(bool, modifiedBefore);
    auto w = Shown();
    Stroke(*w, {10, 10}, {40, 10});
    dialogs_->Answers = {File("kept.mgs")};
    Trigger(*w, "saveAction");
    const auto kept = ReadAll(File("kept.mgs"));
    if (modifiedBefore) Stroke(*w, {10, 50}, {40, 60});
    Trigger(*w, "newPicture8x8Action");
    QVERIFY(w->Document().FilePath().empty());
    QCOMPARE(w->windowTitle(), QString("Untitled%1 — ").arg(modifiedBefore ? "*" : "") + Program);
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->Filters.size(), 2);  // asked for a name, and cancelled
    QCOMPARE(ReadAll(File("kept.mgs")), kept);
  }

  void aFailedSaveKeepsTheModifiedMark() {
    auto w = Shown();
    Stroke(*w, {10, 10}, {40, 10});
    // A folder where the file should be: the write fails.
    QVERIFY(QDir(dir_.path()).mkpath("taken.mgs"));
    dialogs_->Answers = {File("taken.mgs")};
    dialogs_->OverwriteAnswers = {true};
    Trigger(*w, "saveAction");
    QCOMPARE(dialogs_->Errors.size(), 1);
    QVERIFY(w->Document().IsModified());
    QCOMPARE(w->windowTitle(), "Untitled* — " + Program);
    QVERIFY(!Child<QLabel>(*w, "statusMessage")->text().startsWith("Saved"));
  }

  // The Edit menu says what it would undo or redo, and is disabled when there is nothing.
  void editMenuNamesTheStepsAndKeysWalkThem() {
    auto w = Shown();
    Activate(*w);
    QAction* undo = Child<QAction>(*w, "undoAction");
    QAction* redo = Child<QAction>(*w, "redoAction");
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    Stroke(*w, {20, 20}, {80, 20});
    const Picture stroked = w->Document().Picture();
    Trigger(*w, "newPicture8x4Action");
    QCOMPARE(undo->text(), QString("Undo New\tCtrl+Z"));
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->Document().Picture(), stroked);
    QCOMPARE(undo->text(), QString("Undo Pencil\tCtrl+Z"));
    QCOMPARE(redo->text(), QString("Redo New"));
    QVERIFY(redo->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->Document().Picture(), Picture{});
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QString("Undo\tCtrl+Z"));
    QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w->Document().CellHeight(), 4);
    QVERIFY(!redo->isEnabled());
    // Ctrl+N makes a new picture of the cell height in use, as one more step.
    Stroke(*w, {20, 60}, {80, 60});
    QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(w->Document().Picture(), [] {
      Picture p;
      p.CellHeight = 4;
      return p;
    }());
    QCOMPARE(undo->text(), QString("Undo New\tCtrl+Z"));
    // Ctrl+S saves.
    dialogs_->Answers = {File("keys.mgs")};
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadAll(File("keys.mgs")), WriteMgs(w->Document().Picture()));
  }

  // Every kind of change through the window is a step the menu names.
  void eachCommandIsAnUndoStep_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("step");
    QTest::newRow("change char size") << "convertTo8x2Action"
                                      << "Change Char Size";
    QTest::newRow("new") << "newPicture8x8Action"
                         << "New";
    QTest::newRow("import") << "importImgAction"
                            << "Import";
    QTest::newRow("delete") << "deleteAction"
                            << "Delete";
    QTest::newRow("flip") << "flipVerticalAction"
                          << "Flip Vertical";
    QTest::newRow("rotate pixels") << "rotatePixelsLeftAction"
                                   << "Rotate Pixels";
    QTest::newRow("border pick") << "press borderPalette"
                                 << "Border";
    QTest::newRow("corrector exchange") << "press exchangeCellsButton"
                                        << "Exchange Cells";
  }
  void eachCommandIsAnUndoStep() {
    QFETCH(QString, action);
    QFETCH(QString, step);
    auto w = Shown();
    w->Document() = Document(test_support::RandomPicture(4, 21));
    WriteAll(File("import.img"), WriteImg(test_support::RandomPicture(8, 22)));
    dialogs_->Answers = {File("import.img")};
    w->Tools().Selection.Shown = true;
    w->Tools().Selection.Width = 3;
    w->Tools().Selection.Height = 2;
    w->Panels().Toggle(Panel::BorderPalette);
    Trigger(*w, "showCorrectorAction");
    const Picture before = w->Document().Picture();
    if (action.startsWith("press ")) {
      test_support::PressAndRelease(Child<QWidget>(*w, action.mid(6)));
    } else {
      Trigger(*w, qPrintable(action));
    }
    QVERIFY(w->Document().Picture() != before);
    QCOMPARE(Child<QAction>(*w, "undoAction")->text(), "Undo " + step + "\tCtrl+Z");
    Trigger(*w, "undoAction");
    QVERIFY(w->Document().Picture() == before);
    QCOMPARE(Child<QAction>(*w, "redoAction")->text(), "Redo " + step);
  }

  void openStartsANewHistory() {
    auto w = Shown();
    Stroke(*w, {20, 20}, {80, 20});
    WriteAll(File("fresh.mgs"), WriteMgs(test_support::RandomPicture(8, 5)));
    dialogs_->SaveChangesAnswers = {SaveChangesAnswer::Discard};
    dialogs_->Answers = {File("fresh.mgs")};
    Trigger(*w, "openAction");
    QVERIFY(!Child<QAction>(*w, "undoAction")->isEnabled());
    QVERIFY(!Child<QAction>(*w, "redoAction")->isEnabled());
    QVERIFY(!w->Document().IsModified());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::UnsavedChangesTest)
#include "unsaved_changes_test.moc"

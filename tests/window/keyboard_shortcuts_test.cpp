// Edit > Keyboard Shortcuts... through the real window: a key changed there
// runs its command and no longer the old one, the menus, the tooltips and
// Help > Keys name it, a taken key is refused, and the keys outlive the run.
#include <QAction>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "support/window_test_support.h"
#include "window/keyboard_shortcuts_dialog.h"
#include "window/main_window.h"

namespace chromaloom {

using test_support::Child;
using test_support::ScriptDialogs;
using test_support::ScriptedDialogs;

namespace {

// Keeps the real pointer where it is when a key steps it.
class StillPointer : public PointerDevice {
 public:
  QPoint At{500, 400};
  QPoint Position() const override { return At; }
  void MoveTo(QPoint p) override { At = p; }
  void ClickWith(Qt::MouseButton) override {}
  QWidget* WidgetUnderPointer() const override { return nullptr; }
};

struct Session {
  QTemporaryDir Dir;
  QString Settings() const { return Dir.filePath("settings.conf"); }
};

struct Editor {
  std::unique_ptr<MainWindow> Window;
  ScriptedDialogs* Dialogs = nullptr;
};

Editor Open(const Session& session) {
  Editor editor{std::make_unique<MainWindow>(QStringList{}, session.Settings())};
  editor.Dialogs = ScriptDialogs(*editor.Window);
  editor.Window->Keyboard().SetDevice(std::make_unique<StillPointer>());
  editor.Window->resize(1200, 900);
  editor.Window->show();
  QCoreApplication::processEvents();
  return editor;
}

bool Press(MainWindow& w, int key, Qt::KeyboardModifiers modifiers = {}) {
  return w.Keyboard().KeyPressed(QKeyEvent(QEvent::KeyPress, key, modifiers));
}

KeyboardShortcutsDialog* OpenDialog(MainWindow& w) {
  Child<QAction>(w, "keyboardShortcutsAction")->trigger();
  auto* dialog = Child<KeyboardShortcutsDialog>(w, "keyboardShortcutsDialog");
  if (!dialog->isVisible()) qFatal("the dialog did not show");
  return dialog;
}

// The table's row that names the command as the user reads it.
int RowOf(const QTableWidget& table, const QString& title) {
  for (int i = 0; i < table.rowCount(); ++i)
    if (table.item(i, 0)->text() == title) return i;
  qFatal("no row \"%s\"", qPrintable(title));
}

QString KeysShown(const KeyboardShortcutsDialog& dialog, const QString& title) {
  const auto& table = *Child<QTableWidget>(dialog, "shortcutsTable");
  return table.item(RowOf(table, title), 1)->text();
}

// Chooses the command's row by a click, as a user would.
void ChooseRow(KeyboardShortcutsDialog& dialog, const QString& title) {
  auto* table = Child<QTableWidget>(dialog, "shortcutsTable");
  QTableWidgetItem* item = table->item(RowOf(*table, title), 0);
  table->scrollToItem(item);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(item).center());
  QCOMPARE(table->currentRow(), item->row());
}

// Change... (or a double click), then the key.
void ChangeKey(KeyboardShortcutsDialog& dialog, const QString& title, Qt::Key key, Qt::KeyboardModifiers modifiers,
               bool byDoubleClick = false) {
  ChooseRow(dialog, title);
  auto* table = Child<QTableWidget>(dialog, "shortcutsTable");
  if (byDoubleClick) {
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->currentItem()).center());
  } else {
    QTest::mouseClick(Child<QPushButton>(dialog, "changeKeyButton"), Qt::LeftButton);
  }
  auto* capture = Child<KeyCaptureField>(dialog, "keyCaptureField");
  QVERIFY(capture->IsRecording());
  QTest::keyClick(capture, key, modifiers);
  QVERIFY(!capture->IsRecording());
}

void Finish(KeyboardShortcutsDialog& dialog, QDialogButtonBox::StandardButton button) {
  QTest::mouseClick(Child<QDialogButtonBox>(dialog, "shortcutsButtons")->button(button), Qt::LeftButton);
  QCoreApplication::processEvents();
}

QStringList Help(MainWindow& w) {
  Child<QAction>(w, "helpKeysAction")->trigger();
  auto* dialog = Child<QDialog>(w, "keysDialog");
  const auto* table = Child<QTableWidget>(*dialog, "keysTable");
  QStringList rows;
  for (int i = 0; i < table->rowCount(); ++i) rows << table->item(i, 0)->text() + " | " + table->item(i, 1)->text();
  dialog->close();
  QCoreApplication::processEvents();
  return rows;
}

QString MenuText(MainWindow& w, const char* action) { return Child<QAction>(w, action)->text(); }
QString ToolTip(MainWindow& w, const char* button) { return Child<QToolButton>(w, button)->toolTip(); }

}  // namespace

class KeyboardShortcutsTest : public QObject {
  Q_OBJECT

  // The pencil on Ctrl+K, the flicker map on Ctrl+M, Copy on Ctrl+J and Fit
  // on Ctrl+Shift+F, each through the dialog.
  static void ChangeFourKeys(MainWindow& w) {
    KeyboardShortcutsDialog* dialog = OpenDialog(w);
    ChangeKey(*dialog, "Pencil", Qt::Key_K, Qt::ControlModifier);
    ChangeKey(*dialog, "View > Flicker Map", Qt::Key_M, Qt::ControlModifier, true);
    ChangeKey(*dialog, "Edit > Copy", Qt::Key_J, Qt::ControlModifier);
    ChangeKey(*dialog, "View > Fit", Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(KeysShown(*dialog, "Pencil"), QString("Ctrl+K"));
    Finish(*dialog, QDialogButtonBox::Ok);
  }

  // What the four changed keys look like and do, in a window.
  static void CheckFourKeys(MainWindow& w) {
    w.Controller().SelectTool(ToolKind::FillCell);
    QVERIFY(Press(w, Qt::Key_P));  // still a step of the pointer
    QCOMPARE(w.Tools().Current, ToolKind::FillCell);
    QVERIFY(Press(w, Qt::Key_K, Qt::ControlModifier));
    QCOMPARE(w.Tools().Current, ToolKind::Paint);

    const bool mapOn = w.View().FlickerMapOn();
    QVERIFY(!Press(w, Qt::Key_M));
    QCOMPARE(w.View().FlickerMapOn(), mapOn);
    QVERIFY(Press(w, Qt::Key_M, Qt::ControlModifier));
    QCOMPARE(w.View().FlickerMapOn(), !mapOn);

    QCOMPARE(MenuText(w, "flickerMapAction"), QString("Flicker Map\tCtrl+M"));
    QCOMPARE(MenuText(w, "copyAction"), QString("Copy (CTRL+J)"));
    QCOMPARE(Child<QAction>(w, "zoomToFitAction")->shortcut(), QKeySequence("Ctrl+Shift+F"));
    QCOMPARE(ToolTip(w, "paintToolButton"), QString("Pencil (use hotkey 'CTRL+K')"));
    QCOMPARE(ToolTip(w, "zoomToFitAction"),
             QString("Fit: the largest zoom that shows the whole picture (Ctrl+Shift+F)"));

    const QStringList help = Help(w);
    for (const char* row :
         {"Ctrl+K | Choose the pencil", "P or 7 | Move the pointer right, faster while held",
          "Ctrl+M | Show or hide the flicker map", "Ctrl+J | Copy the selection", "Ctrl+Shift+F | Fit"})
      QVERIFY2(help.contains(row), row);
    for (const char* row :
         {"P | Choose the pencil", "M | Show or hide the flicker map", "Ctrl+C | Copy the selection", "Ctrl+0 | Fit"})
      QVERIFY2(!help.contains(row), row);
  }

 private slots:
  void aChangedKeyRunsItsCommandAndTheOldOneDoesNot() {
    const Session session;
    Editor editor = Open(session);
    ChangeFourKeys(*editor.Window);
    CheckFourKeys(*editor.Window);
    QVERIFY(editor.Dialogs->Errors.isEmpty());
  }

  void theKeysOutliveARestart() {
    const Session session;
    {
      Editor first = Open(session);
      ChangeFourKeys(*first.Window);
    }
    Editor second = Open(session);
    CheckFourKeys(*second.Window);
  }

  void aKeyAnotherCommandTakesIsRefusedAndNothingChanges() {
    const Session session;
    Editor editor = Open(session);
    KeyboardShortcutsDialog* dialog = OpenDialog(*editor.Window);
    const struct {
      const char* Command;
      Qt::Key Key;
      Qt::KeyboardModifiers Modifiers;
      const char* Message;
    } cases[] = {
        {"Pencil", Qt::Key_O, Qt::ControlModifier, "\"Ctrl+O\" is already the key of \"File > Open *.mgs\"."},
        {"Edit > Copy", Qt::Key_G, {}, "\"G\" is already the key of \"PerChar Grid\"."},
        {"Edit > Redo", Qt::Key_6, {}, "\"6\" is already the key of \"Move the pointer left, faster while held\"."},
    };
    for (const auto& c : cases) {
      const QString before = KeysShown(*dialog, c.Command);
      ChangeKey(*dialog, c.Command, c.Key, c.Modifiers);
      QCOMPARE(editor.Dialogs->Errors.takeLast(), QString(c.Message));
      QCOMPARE(editor.Dialogs->ErrorParents.takeLast(), dialog);
      QCOMPARE(KeysShown(*dialog, c.Command), before);
    }
    QVERIFY(dialog->Bindings() == KeyBindings());
  }

  void cancelForgetsAndClearTakesTheKeyAway() {
    const Session session;
    Editor editor = Open(session);
    MainWindow& w = *editor.Window;
    KeyboardShortcutsDialog* dialog = OpenDialog(w);
    ChangeKey(*dialog, "Pencil", Qt::Key_K, {});
    Finish(*dialog, QDialogButtonBox::Cancel);
    QCOMPARE(ToolTip(w, "paintToolButton"), QString("Pencil (use hotkey 'P')"));

    dialog = OpenDialog(w);
    ChooseRow(*dialog, "View > Flicker Map");
    QTest::mouseClick(Child<QPushButton>(*dialog, "clearKeyButton"), Qt::LeftButton);
    QCOMPARE(KeysShown(*dialog, "View > Flicker Map"), QString());
    Finish(*dialog, QDialogButtonBox::Ok);
    QCOMPARE(MenuText(w, "flickerMapAction"), QString("Flicker Map"));
    const bool mapOn = w.View().FlickerMapOn();
    QVERIFY(!Press(w, Qt::Key_M));
    QCOMPARE(w.View().FlickerMapOn(), mapOn);
    QVERIFY(!Help(w).join('\n').contains("flicker map"));
  }

  void resetToDefaultsGivesTodaysKeysBack() {
    const Session session;
    QStringList menuBefore, tipsBefore;
    QStringList helpBefore;
    {
      Editor editor = Open(session);
      MainWindow& w = *editor.Window;
      for (const QAction* action : w.findChildren<QAction*>())
        menuBefore << action->objectName() + " " + action->text() + " " + action->shortcut().toString();
      for (const QToolButton* button : w.findChildren<QToolButton*>()) tipsBefore << button->toolTip();
      helpBefore = Help(w);
      ChangeFourKeys(w);
    }
    Editor editor = Open(session);
    MainWindow& w = *editor.Window;
    KeyboardShortcutsDialog* dialog = OpenDialog(w);
    QCOMPARE(KeysShown(*dialog, "Pencil"), QString("Ctrl+K"));
    QTest::mouseClick(Child<QPushButton>(*dialog, "resetKeysButton"), Qt::LeftButton);
    QCOMPARE(KeysShown(*dialog, "Pencil"), QString("P"));
    QCOMPARE(KeysShown(*dialog, "Edit > Copy"), QString("Ctrl+C"));
    QCOMPARE(KeysShown(*dialog, "View > Zoom In"), QString("Ctrl++ or Ctrl+="));
    Finish(*dialog, QDialogButtonBox::Ok);

    QStringList menuAfter, tipsAfter;
    for (const QAction* action : w.findChildren<QAction*>())
      menuAfter << action->objectName() + " " + action->text() + " " + action->shortcut().toString();
    for (const QToolButton* button : w.findChildren<QToolButton*>()) tipsAfter << button->toolTip();
    QCOMPARE(menuAfter, menuBefore);
    QCOMPARE(tipsAfter, tipsBefore);
    QCOMPARE(Help(w), helpBefore);
    QSettings saved(session.Settings(), QSettings::IniFormat);
    saved.beginGroup("keys");
    QVERIFY(saved.childKeys().isEmpty());
  }

  void keysInTheSettingsFileThatNoDialogCouldMakeAreIgnored() {
    const Session session;
    {
      QSettings file(session.Settings(), QSettings::IniFormat);
      file.setValue("keys/noSuchAction", "K");
      file.setValue("keys/copyAction", "Ctrl+Nonsense");
      file.setValue("keys/pasteAction", "Ctrl+O");  // Open's key
      file.setValue("keys/flipVerticalAction", QStringList{"Ctrl+1", "Ctrl+2"});
      file.setValue("keys/flipHorizontalAction", "Ctrl+H");
    }
    Editor editor = Open(session);
    MainWindow& w = *editor.Window;
    KeyBindings kept;
    kept.Set("flipHorizontalAction", QKeyCombination(Qt::CTRL | Qt::Key_H));
    QVERIFY(w.Keys() == kept);
    QCOMPARE(MenuText(w, "copyAction"), QString("Copy (CTRL+C)"));
    QCOMPARE(Child<QAction>(w, "pasteAction")->shortcut(), QKeySequence());
    QCOMPARE(Child<QAction>(w, "flipHorizontalAction")->shortcut(), QKeySequence("Ctrl+H"));
    QVERIFY(editor.Dialogs->Errors.isEmpty());
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::KeyboardShortcutsTest)
#include "keyboard_shortcuts_test.moc"

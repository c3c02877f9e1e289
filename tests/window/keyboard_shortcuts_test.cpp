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
#include "window/editor_settings.h"
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

struct Editor {
  std::unique_ptr<MainWindow> Window;
  ScriptedDialogs* Dialogs = nullptr;
};

Editor Open(const QString& settings) {
  Editor editor{std::make_unique<MainWindow>(QStringList{}, settings)};
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
  return Child<KeyboardShortcutsDialog>(w, "keyboardShortcutsDialog");
}

// The row naming the command as the user reads it.
QTableWidgetItem* Row(const KeyboardShortcutsDialog& dialog, const QString& title) {
  const auto& table = *Child<QTableWidget>(dialog, "shortcutsTable");
  for (int i = 0; i < table.rowCount(); ++i)
    if (table.item(i, 0)->text() == title) return table.item(i, 1);
  qFatal("no row \"%s\"", qPrintable(title));
}

// Clicks the row, then Change... (or double-clicks it), then presses the key.
void ChangeKey(KeyboardShortcutsDialog& dialog, const QString& title, QKeyCombination keys, bool doubleClick = false) {
  auto* table = Child<QTableWidget>(dialog, "shortcutsTable");
  QTableWidgetItem* row = Row(dialog, title);
  table->scrollToItem(row);
  const QPoint at = table->visualItemRect(row).center();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
  if (doubleClick) {
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
  } else {
    QTest::mouseClick(Child<QPushButton>(dialog, "changeKeyButton"), Qt::LeftButton);
  }
  QTest::keyClick(Child<KeyCaptureField>(dialog, "keyCaptureField"), keys.key(), keys.keyboardModifiers());
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

// Every caption, shortcut and tooltip of the window, and Help > Keys.
QStringList KeysShown(MainWindow& w) {
  QStringList shown = Help(w);
  for (const QAction* action : w.findChildren<QAction*>())
    shown << action->objectName() + " " + action->text() + " " + action->shortcut().toString();
  for (const QToolButton* button : w.findChildren<QToolButton*>()) shown << button->toolTip();
  return shown;
}

QString MenuText(MainWindow& w, const char* action) { return Child<QAction>(w, action)->text(); }

}  // namespace

class KeyboardShortcutsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString Settings() const { return dir_.filePath("settings.conf"); }

  // The pencil on Ctrl+K, the flicker map on Ctrl+M (a row with a menu
  // item), Copy on Ctrl+J (a caption carrying its key) and Fit on
  // Ctrl+Shift+F (a menu shortcut).
  static void ChangeFourKeys(MainWindow& w) {
    KeyboardShortcutsDialog* dialog = OpenDialog(w);
    ChangeKey(*dialog, "Pencil", Qt::CTRL | Qt::Key_K);
    ChangeKey(*dialog, "View > Flicker Map", Qt::CTRL | Qt::Key_M, true);
    ChangeKey(*dialog, "Edit > Copy", Qt::CTRL | Qt::Key_J);
    ChangeKey(*dialog, "View > Fit", Qt::CTRL | Qt::SHIFT | Qt::Key_F);
    QCOMPARE(Row(*dialog, "Pencil")->text(), QString("Ctrl+K"));
    Finish(*dialog, QDialogButtonBox::Ok);
  }

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
    QCOMPARE(Child<QToolButton>(w, "paintToolButton")->toolTip(), QString("Pencil (use hotkey 'CTRL+K')"));
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
  void init() { QFile::remove(Settings()); }

  void aChangedKeyRunsItsCommandAndOutlivesARestart() {
    {
      Editor first = Open(Settings());
      ChangeFourKeys(*first.Window);
      CheckFourKeys(*first.Window);
      QVERIFY(first.Dialogs->Errors.isEmpty());
    }
    Editor second = Open(Settings());
    CheckFourKeys(*second.Window);
  }

  void aKeyAnotherCommandTakesIsRefusedAndNothingChanges() {
    Editor editor = Open(Settings());
    KeyboardShortcutsDialog* dialog = OpenDialog(*editor.Window);
    ChangeKey(*dialog, "Pencil", Qt::CTRL | Qt::Key_O);
    QCOMPARE(editor.Dialogs->Errors, QStringList{"\"Ctrl+O\" is already the key of \"File > Open *.mgs\"."});
    QCOMPARE(editor.Dialogs->ErrorParents.front(), dialog);
    QCOMPARE(Row(*dialog, "Pencil")->text(), QString("P"));
    QVERIFY(dialog->Bindings() == KeyBindings());
  }

  void cancelForgetsAndClearTakesTheKeyAway() {
    Editor editor = Open(Settings());
    MainWindow& w = *editor.Window;
    const QStringList before = KeysShown(w);
    KeyboardShortcutsDialog* dialog = OpenDialog(w);
    ChangeKey(*dialog, "Pencil", QKeyCombination(Qt::Key_K));
    Finish(*dialog, QDialogButtonBox::Cancel);
    QCOMPARE(KeysShown(w), before);

    dialog = OpenDialog(w);
    Row(*dialog, "View > Flicker Map")->setSelected(true);
    QTest::mouseClick(Child<QPushButton>(*dialog, "clearKeyButton"), Qt::LeftButton);
    QCOMPARE(Row(*dialog, "View > Flicker Map")->text(), QString());
    Finish(*dialog, QDialogButtonBox::Ok);
    QCOMPARE(MenuText(w, "flickerMapAction"), QString("Flicker Map"));
    QVERIFY(!Press(w, Qt::Key_M));
    QVERIFY(!Help(w).join('\n').contains("flicker map"));
  }

  void resetToDefaultsGivesTodaysKeysBack() {
    Editor editor = Open(Settings());
    MainWindow& w = *editor.Window;
    const QStringList before = KeysShown(w);
    ChangeFourKeys(w);
    KeyboardShortcutsDialog* dialog = OpenDialog(w);
    QTest::mouseClick(Child<QPushButton>(*dialog, "resetKeysButton"), Qt::LeftButton);
    QCOMPARE(Row(*dialog, "View > Zoom In")->text(), QString("Ctrl++ or Ctrl+="));
    Finish(*dialog, QDialogButtonBox::Ok);
    QCOMPARE(KeysShown(w), before);
    QVERIFY(EditorSettings(Settings()).Keys() == KeyBindings());
  }

  void keysInTheSettingsFileThatNoDialogCouldMakeAreIgnored() {
    {
      QSettings file(Settings(), QSettings::IniFormat);
      file.setValue("keys/noSuchAction", "K");
      file.setValue("keys/copyAction", "Ctrl+Nonsense");
      file.setValue("keys/pasteAction", "Ctrl+O");  // Open's key
      file.setValue("keys/flipVerticalAction", QStringList{"Ctrl+1", "Ctrl+2"});
      file.setValue("keys/flipHorizontalAction", "Ctrl+H");
    }
    KeyBindings kept;
    kept.Set("flipHorizontalAction", QKeyCombination(Qt::CTRL | Qt::Key_H));
    QVERIFY(EditorSettings(Settings()).Keys() == kept);
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::KeyboardShortcutsTest)
#include "keyboard_shortcuts_test.moc"

// The user's keys as a model: read from and written to text, refused where
// another command takes the key, and what they make of captions and tooltips.
#include <QTest>

#include "window/command_table.h"
#include "window/key_bindings.h"

namespace chromaloom {

namespace {

const Command& Cmd(const char* name) {
  const Command* command = FindCommand(name);
  if (!command) qFatal("no command %s", name);
  return *command;
}

QKeyCombination K(const char* text) { return QKeySequence::fromString(text, QKeySequence::PortableText)[0]; }

KeyBindings With(std::initializer_list<std::pair<const char*, KeyBindings::Key>> keys) {
  KeyBindings bindings;
  for (const auto& [name, key] : keys) bindings.Set(name, key);
  return bindings;
}

}  // namespace

class KeyBindingsTest : public QObject {
  Q_OBJECT

 private slots:
  void keysReadFromTextOnlyWhenTheyAreOneUsableCombination() {
    const struct {
      const char* Text;
      bool Read;
    } cases[] = {
        {"Ctrl+K", true},  {"Ctrl+Shift+S", true}, {"F12", true},       {"Ctrl+,", true},          {"Alt+Left", true},
        {"", true},        {"garbage", false},     {"Ctrl+Foo", false}, {"Ctrl+K, Ctrl+L", false}, {"Ctrl", false},
        {"Shift+", false},
    };
    for (const auto& c : cases) {
      const auto key = KeyFromText(c.Text);
      QVERIFY2(key.has_value() == c.Read, c.Text);
      // What is read writes back the same.
      if (key) QCOMPARE(KeyToText(*key), QString(c.Text));
    }
    QVERIFY(!KeyFromText("")->has_value());  // the empty text is "no key", not a key
  }

  void aKeyAnotherCommandTakesIsRefusedNamingIt() {
    const struct {
      KeyBindings Bindings;
      const char* Command;
      const char* Key;
      const char* TakenBy;  // "" when free
    } cases[] = {
        {{}, "copyAction", "Ctrl+O", "openAction"},
        {{}, "paintToolButton", "F3", ""},
        {{}, "paintToolButton", "7", "pointerRight"},      // the pointer's digit row
        {{}, "paintToolButton", "Shift+Esc", "endShape"},  // Esc ends a shape whatever is held
        {{}, "copyAction", "Ctrl+C", ""},                  // its own key
        {{}, "copyAction", "Ctrl+=", "zoomInAction"},      // the second shortcut counts too
        // Rows that match only while the preview shows count too.
        {{}, "flipVerticalAction", "Ctrl+Up", "growSelector"},
        {With({{"openAction", K("Ctrl+K")}}), "copyAction", "Ctrl+O", ""},
        {With({{"openAction", K("Ctrl+K")}}), "pasteAction", "Ctrl+K", "openAction"},
        {With({{"pointerLeft", std::nullopt}}), "copyAction", "O", ""},
        // The pencil moved away, P still steps the pointer right.
        {With({{"paintToolButton", K("F3")}}), "fillCellToolButton", "P", "pointerRight"},
        // A user key is that combination only.
        {With({{"paintToolButton", K("F3")}}), "fillCellToolButton", "Shift+F3", ""},
    };
    for (const auto& c : cases) {
      const Command* taking = CommandTakingKey(K(c.Key), c.Bindings, &Cmd(c.Command));
      QCOMPARE(QString(taking ? taking->Name : ""), QString(c.TakenBy));
      QCOMPARE(KeyRefusal(K(c.Key), c.Bindings, Cmd(c.Command)).isEmpty(), !*c.TakenBy);
    }
    QCOMPARE(KeyRefusal(K("Ctrl+O"), {}, Cmd("copyAction")),
             QString("\"Ctrl+O\" is already the key of \"File > Open *.mgs\"."));
    QCOMPARE(KeyRefusal(K("Ctrl+N"), {}, Cmd("copyAction")),
             QString("\"Ctrl+N\" is already the key of \"File > New\"."));
  }

  void bindingsReadFromAFileKeepOnlyWhatTheDialogCouldHaveMade() {
    const struct {
      KeyBindings Read;
      KeyBindings Kept;
    } cases[] = {
        {With({{"noSuchCommand", K("F3")}}), {}},
        {With({{"copyAction", K("Ctrl+O")}}), {}},
        {With({{"copyAction", std::nullopt}}), With({{"copyAction", std::nullopt}})},
        // Swapped keys are consistent once both are read.
        {With({{"openAction", K("Ctrl+C")}, {"copyAction", K("Ctrl+O")}}),
         With({{"openAction", K("Ctrl+C")}, {"copyAction", K("Ctrl+O")}})},
        // Two commands on one key: the later in the table keeps it.
        {With({{"paintToolButton", K("F3")}, {"copyAction", K("F3")}}), With({{"copyAction", K("F3")}})},
        // Dropping one key gives back defaults that take another.
        {With({{"pointerLeft", K("Ctrl+O")}, {"copyAction", K("O")}}), {}},
    };
    for (const auto& c : cases) QVERIFY(UsableBindings(c.Read) == c.Kept);
  }

  void captionsAndTooltipsFollowTheKeyKeepingTheDefaultText() {
    const struct {
      const char* Command;
      KeyBindings::Key Key;
      bool IsDefault;
      const char* Caption;
      const char* ToolTip;
    } cases[] = {
        {"copyAction", {}, true, "Copy (CTRL+C)", ""},
        {"copyAction", K("Ctrl+K"), false, "Copy (CTRL+K)", ""},
        {"copyAction", std::nullopt, false, "Copy", ""},
        {"removeSelectionAction", {}, true, "Remove selection (CTRL+D or ESC)", ""},
        {"rotatePixelsLeftAction", K("Alt+Shift+Left"), false, "Rotate pixels Left (ALT+SHIFT+CursorLeft)", ""},
        {"deleteAction", K("Backspace"), false, "Delete (BACKSPACE)", ""},
        {"undoAction", K("Ctrl+U"), false, "Undo", ""},
        {"charGridButton", {}, true, "", "PerChar Grid (use hotkey 'G')"},
        {"charGridButton", K("Ctrl+G"), false, "", "PerChar Grid (use hotkey 'CTRL+G')"},
        {"charGridButton", std::nullopt, false, "", "PerChar Grid"},
        {"zoomToFitAction", K("Ctrl+Shift+F"), false, "Fit",
         "Fit: the largest zoom that shows the whole picture (Ctrl+Shift+F)"},
    };
    for (const auto& c : cases) {
      const KeyBindings bindings = c.IsDefault ? KeyBindings() : With({{c.Command, c.Key}});
      QCOMPARE(MenuCaption(Cmd(c.Command), bindings), QString(c.Caption));
      QCOMPARE(ButtonToolTip(Cmd(c.Command), bindings), QString(c.ToolTip));
    }
  }
};

}  // namespace chromaloom

QTEST_MAIN(chromaloom::KeyBindingsTest)
#include "key_bindings_test.moc"

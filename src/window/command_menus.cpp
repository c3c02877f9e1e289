#include "window/command_menus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace chromaloom {

namespace {

// A kind's part of its menu items' object names, from its extension:
// ".img" gives "Img", ".$img" (a Hobeta file) "HobetaImg".
QString KindStem(const FileKindInfo& info) {
  QString extension = QString::fromLatin1(info.Extension.data(), static_cast<qsizetype>(info.Extension.size()));
  extension.remove(0, 1);  // the dot
  QString stem;
  if (extension.startsWith('$')) {
    stem = "Hobeta";
    extension.remove(0, 1);
  }
  if (!extension.isEmpty()) extension[0] = extension[0].toUpper();
  return stem + extension;
}

// The key a menu shows after a tab for a key row that runs the command,
// where its caption does not carry the key itself.
QString TabKeys(const Command& command, const KeyBindings& bindings) {
  if (CaptionCarriesKeys(command)) return {};
  if (const KeyBindings::Key* user = bindings.Find(command.Name))
    return *user && UserKeyGoesThroughRows(command) ? KeyDisplayText(**user) : QString();
  if (command.Shortcut.key() != Qt::Key_unknown && CommandTakingKey(command.Shortcut) == &command)
    return KeyDisplayText(command.Shortcut);
  return {};
}

class MenuFiller {
 public:
  MenuFiller(QMenuBar& bar, const MenuHandlers& handlers) : bar_(bar), handlers_(handlers) {}

  void Fill(QMenu& into, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
      if (entry.IsSeparator()) {
        into.addSeparator();
      } else if (entry.IsSubmenu()) {
        QMenu* sub = into.addMenu(CommandText(entry.Caption));
        sub->setObjectName(entry.Name);
        sub->menuAction()->setObjectName(entry.Name);
        if (std::string_view(entry.Name) == "importMenu") AddKindItems(*sub, true);
        if (std::string_view(entry.Name) == "exportMenu") AddKindItems(*sub, false);
        Fill(*sub, entry.Items);
      } else if (const Command* command = FindCommand(entry.Name)) {
        AddCommand(into, *command);
      }
    }
  }

  QHash<QString, QAction*> Actions() const { return actions_; }

 private:
  QAction* AddAction(QMenu& into, const QString& name, const QString& caption, std::function<void()> run) {
    auto* action = new QAction(caption, &bar_);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, &bar_, std::move(run));
    into.addAction(action);
    actions_.insert(name, action);
    return action;
  }

  void AddCommand(QMenu& into, const Command& command) {
    QAction* action =
        AddAction(into, command.Name, CommandText(command.Caption), [run = handlers_.Run, &command] { run(command); });
    ApplyKeys(*action, command, {});
    if (command.Checked) action->setCheckable(true);
    if (*command.ChoiceGroup) {
      QActionGroup*& group = groups_[QString::fromUtf8(command.ChoiceGroup)];
      if (!group) group = new QActionGroup(&bar_);
      group->addAction(action);
    }
  }

  // One item per kind with a caption, a separator where the menu group changes.
  void AddKindItems(QMenu& into, bool import) {
    int group = -1;
    for (const FileKindInfo& info : FileKinds) {
      const char* caption = import ? info.ImportCaption : info.ExportCaption;
      if (!caption) continue;
      if (group >= 0 && info.MenuGroup != group) into.addSeparator();
      group = info.MenuGroup;
      const FileKind kind = info.Kind;
      QString stem = KindStem(info);
      // The one .mg import reads every layout, so it is named for the family.
      if (import && std::string_view(caption).find('/') != std::string_view::npos)
        while (!stem.isEmpty() && stem.back().isDigit()) stem.chop(1);
      const QString name = (import ? "import" : "export") + stem + "Action";
      const auto& run = import ? handlers_.Import : handlers_.Export;
      AddAction(into, name, QCoreApplication::translate("FileKinds", caption), [run, kind] { run(kind); });
    }
  }

  QMenuBar& bar_;
  const MenuHandlers& handlers_;
  QHash<QString, QAction*> actions_;
  QHash<QString, QActionGroup*> groups_;
};

}  // namespace

QHash<QString, QAction*> BuildMenus(QMenuBar& bar, const MenuHandlers& handlers) {
  MenuFiller filler(bar, handlers);
  for (const MenuEntry& top : MenuLayout()) {
    QMenu* menu = bar.addMenu(CommandText(top.Caption));
    menu->setObjectName(top.Name);
    filler.Fill(*menu, top.Items);
  }
  return filler.Actions();
}

void ApplyKeys(QAction& action, const Command& command, const KeyBindings& bindings) {
  // A caption that carries no key may have changed (Undo names what it undoes).
  QString text = CaptionCarriesKeys(command) ? MenuCaption(command, bindings) : action.text().section('\t', 0, 0);
  if (const QString tab = TabKeys(command, bindings); !tab.isEmpty()) text += '\t' + tab;
  if (action.text() != text) action.setText(text);
  const QList<QKeySequence> shortcuts = ActionShortcuts(command, bindings);
  if (action.shortcuts() != shortcuts) action.setShortcuts(shortcuts);
}

// A user key that no key row runs, else the command's shortcuts that no key
// row of the table takes (the row wins then).
QList<QKeySequence> ActionShortcuts(const Command& command, const KeyBindings& bindings) {
  if (const KeyBindings::Key* user = bindings.Find(command.Name)) {
    if (*user && !UserKeyGoesThroughRows(command)) return {QKeySequence(**user)};
    return {};
  }
  QList<QKeySequence> free;
  for (const QKeyCombination keys : {command.Shortcut, command.MoreShortcut})
    if (keys.key() != Qt::Key_unknown && !CommandTakingKey(keys)) free << QKeySequence(keys);
  return free;
}

void SetCaptionKeepingKeys(QAction& action, const QString& caption) {
  const qsizetype tab = action.text().indexOf('\t');
  const QString text = tab < 0 ? caption : caption + action.text().mid(tab);
  if (action.text() != text) action.setText(text);
}

}  // namespace chromaloom

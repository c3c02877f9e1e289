#include "window/help_dialogs.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtGlobal>

#include <functional>

#include "window/command_table.h"

#ifndef CHROMALOOM_VERSION
#define CHROMALOOM_VERSION "0.91"
#endif

namespace chromaloom {

namespace {

// A menu item's text without its mnemonic marks and the key written after a tab.
QString PlainText(const QAction& action) {
  QString text = action.text().section('\t', 0, 0);
  text.remove('&');
  return text;
}

QDialog* NewDialog(const char* name, const QString& title, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setObjectName(name);
  dialog->setWindowTitle(title);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  return dialog;
}

void AddCloseButton(QDialog& dialog, QVBoxLayout& layout) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  buttons->setObjectName("helpButtons");
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout.addWidget(buttons);
}

}  // namespace

std::vector<KeyHelpRow> KeyHelpRows(const QMenuBar& menus, const KeyBindings& bindings) {
  std::vector<KeyHelpRow> rows;
  for (const Command& command : Commands()) {
    const KeyBindings::Key* user = bindings.Find(command.Name);
    if (user && *user && UserKeyGoesThroughRows(command)) {
      const QString does = command.HasKey() ? QString::fromUtf8(command.Key.Does) : CommandTitle(command);
      rows.push_back({KeyDisplayText(**user), does});
    } else if (!user && command.HasKey()) {
      rows.push_back({QString::fromUtf8(command.Key.Keys), QString::fromUtf8(command.Key.Does)});
    }
  }
  // An item of a submenu is named with it ("New > 8x4 MultiGigaScreen").
  const std::function<void(const QList<QAction*>&, const QString&)> walk = [&](const QList<QAction*>& actions,
                                                                               const QString& within) {
    for (const QAction* action : actions) {
      if (action->menu()) {
        walk(action->menu()->actions(), within.isNull() ? QString("") : within + PlainText(*action) + " > ");
      } else if (!action->shortcuts().isEmpty()) {
        QStringList keys;
        for (const QKeySequence& sequence : action->shortcuts()) keys << sequence.toString(QKeySequence::NativeText);
        rows.push_back({keys.join(" or "), within + PlainText(*action)});
      }
    }
  };
  walk(menus.actions(), QString());
  rows.push_back({"Ctrl+Wheel", "Zoom in or out, keeping the picture under the pointer"});
  return rows;
}

void OpenKeysDialog(const QMenuBar& menus, const KeyBindings& bindings, QWidget* parent) {
  const std::vector<KeyHelpRow> rows = KeyHelpRows(menus, bindings);
  QDialog* dialog = NewDialog("keysDialog", "Keys", parent);
  auto* layout = new QVBoxLayout(dialog);
  auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, dialog);
  table->setObjectName("keysTable");
  table->setHorizontalHeaderLabels({"Keys", "Does"});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    table->setItem(i, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].Keys));
    table->setItem(i, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].Does));
  }
  table->resizeColumnsToContents();
  table->resizeRowsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table);
  AddCloseButton(*dialog, *layout);
  dialog->resize(560, 640);
  dialog->open();
}

QString AboutText() {
  return QString(
             "<h3>chromaLoom x%1</h3>"
             "<p>An editor for ZX Spectrum Gigascreen and MultiGigaScreen pictures.</p>"
             "<p>Licence: MIT for chromaLoom's own code. The program links libspectrum, so as built it is "
             "distributed under the GNU GPL, version 2 or later (GPL-2.0-or-later).</p>"
             "<p>Libraries used:</p>"
             "<ul><li>Qt %2 (Core, GUI, Widgets, OpenGL, OpenGL Widgets, Concurrent; built against %3): "
             "LGPL-3.0-only or GPL-2.0-only</li>"
             "<li>libspectrum: GPL-2.0-or-later</li>"
             "<li>Through Qt's image plugins: libpng (libpng licence), zlib (Zlib), libjpeg-turbo (IJG, "
             "BSD-3-Clause), libtiff (libtiff licence), libwebp (BSD-3-Clause)</li>"
             "<li>C++ standard library: %4, GPL-3.0-or-later with the GCC Runtime Library Exception</li></ul>"
             "<p>Compiled with %5.</p>")
      .arg(CHROMALOOM_VERSION, QString::fromLatin1(qVersion()), QT_VERSION_STR,
#if defined(_GLIBCXX_RELEASE)
           QString("libstdc++ %1").arg(_GLIBCXX_RELEASE),
#elif defined(_LIBCPP_VERSION)
           QString("libc++ %1").arg(_LIBCPP_VERSION),
#else
           QString("the compiler's own"),
#endif
#if defined(__clang__)
           QString("Clang ") + __clang_version__
#elif defined(__GNUC__)
           QString("GCC ") + __VERSION__
#else
           QString("an unnamed compiler")
#endif
      );
}

void OpenAboutDialog(QWidget* parent) {
  QDialog* dialog = NewDialog("aboutDialog", "About chromaLoom", parent);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QLabel(AboutText(), dialog);
  text->setObjectName("aboutText");
  text->setTextFormat(Qt::RichText);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(text);
  AddCloseButton(*dialog, *layout);
  dialog->open();
}

}  // namespace chromaloom

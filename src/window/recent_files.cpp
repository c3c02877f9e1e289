#include "window/recent_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>

#include "window/editor_settings.h"

namespace chromaloom {

namespace {

// Long paths lose their middle, so the file name and where it lies both show.
constexpr int EntryTextWidth = 480;

}  // namespace

RecentFiles::RecentFiles(QMenu* menu, QAction* clear, EditorSettings& settings,
                         std::function<void(const QString&)> open, std::function<void(const QString&)> missing)
    : QObject(menu),
      menu_(menu),
      clear_(clear),
      settings_(settings),
      open_(std::move(open)),
      missing_(std::move(missing)),
      paths_(settings.RecentFiles()) {
  ShowEntries();
}

void RecentFiles::Add(const QString& path) { Change(WithRecentFile(paths_, path)); }

void RecentFiles::Clear() { Change({}); }

void RecentFiles::Choose(const QString& path) {
  if (QFileInfo::exists(path)) return open_(path);
  QStringList rest = paths_;
  rest.removeAll(path);
  Change(rest);
  missing_(
      QCoreApplication::translate("Files", "%1\n\nThis file no longer exists; it was taken off File > Open Recent.")
          .arg(QDir::toNativeSeparators(path)));
}

void RecentFiles::Change(QStringList paths) {
  if (paths == paths_) return;
  paths_ = std::move(paths);
  settings_.SetRecentFiles(paths_);
  ShowEntries();
}

void RecentFiles::ShowEntries() {
  // An entry may be the one whose choice changed the list: it goes once its signal is done.
  for (QAction* entry : std::as_const(entries_)) {
    menu_->removeAction(entry);
    entry->deleteLater();
  }
  entries_.clear();
  QAction* before = menu_->actions().value(menu_->actions().indexOf(clear_) - 1, clear_);  // the separator
  const QFontMetrics metrics(menu_->font());
  for (int i = 0; i < paths_.size(); ++i) {
    const QString& path = paths_[i];
    const QString shown = metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, EntryTextWidth);
    // "&1" to "&9" and "1&0" give each entry its key; a '&' of the path is shown as it is.
    const QString number = i < 9 ? QString("&%1").arg(i + 1) : QString("1&0");
    auto* entry = new QAction(number + "  " + QString(shown).replace('&', "&&"), this);
    entry->setObjectName(QString("recentFileAction%1").arg(i + 1));
    entry->setToolTip(path);
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, path] { Choose(path); });
    menu_->insertAction(before, entry);
    entries_ << entry;
  }
  clear_->setEnabled(!paths_.empty());
  menu_->menuAction()->setEnabled(!paths_.empty());
}

}  // namespace chromaloom

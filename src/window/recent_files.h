// File > Open Recent: the files last opened, imported or saved, newest
// first, then Clear. The list lives in the settings file and is written
// there whenever it changes, so it outlives the run.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

namespace chromaloom {

class EditorSettings;

class RecentFiles : public QObject {
  Q_OBJECT
 public:
  // menu ends with a separator and clear (whose action runs Clear); the entries go before them.
  // open runs for an entry whose file is there; missing gets the message for one that is gone.
  RecentFiles(QMenu* menu, QAction* clear, EditorSettings& settings, std::function<void(const QString&)> open,
              std::function<void(const QString&)> missing);

  // A file was opened, imported or saved.
  void Add(const QString& path);
  void Clear();
  // What choosing an entry does: opens it, or takes it off the list with a message when it is gone.
  void Choose(const QString& path);

 private:
  void Change(QStringList paths);
  void ShowEntries();

  QMenu* menu_;
  QAction* clear_;
  EditorSettings& settings_;
  std::function<void(const QString&)> open_;
  std::function<void(const QString&)> missing_;
  QStringList paths_;
  QList<QAction*> entries_;
};

}  // namespace chromaloom

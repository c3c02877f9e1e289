#include "window/user_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace chromaloom {

QString FileErrorMessage(const QString& path, const std::exception& error) {
  const QString reason = QString::fromStdString(error.what());
  // File errors name their file already; format errors say only what is wrong.
  if (reason.contains(path)) return reason;
  return reason + "\n\n" + QDir::toNativeSeparators(path);
}

namespace {

class QtDialogs : public UserDialogs {
 public:
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& filter, const FileDialogState& state) override {
    const QString name = QFileDialog::getOpenFileName(parent, {}, StartPath(state), filter);
    return name.isEmpty() ? std::nullopt : std::optional(name);
  }

  std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& filter, const FileDialogState& state) override {
    const QString name = QFileDialog::getSaveFileName(parent, {}, StartPath(state), filter);
    return name.isEmpty() ? std::nullopt : std::optional(name);
  }

  bool ConfirmOverwrite(QWidget* parent, const QString& path) override {
    return QMessageBox::question(parent, QObject::tr("Confirm Save As"),
                                 QObject::tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path))) == QMessageBox::Yes;
  }

  void ShowError(QWidget* parent, const QString& message) override {
    QMessageBox::critical(parent, QStringLiteral("chromaLoom"), message);
  }

 private:
  // The name last chosen is offered again.
  static QString StartPath(const FileDialogState& state) {
    return state.LastName.isEmpty() ? state.Folder : state.LastName;
  }
};

}  // namespace

std::unique_ptr<UserDialogs> MakeQtDialogs() { return std::make_unique<QtDialogs>(); }

}  // namespace chromaloom

#include "window/user_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

#include <new>

#include "files/file_io.h"
#include "window/local_paths.h"

namespace chromaloom {

QString FileErrorMessage(const QString& path, const std::exception& error) {
  // "std::bad_alloc" would tell a user nothing, and it names no file.
  const QString quoted = QString::fromStdString(QuotedName(PathBytes(path)));
  if (dynamic_cast<const std::bad_alloc*>(&error))
    return QCoreApplication::translate("Files", "Not enough memory for %1").arg(quoted);
  const QString reason = ShownText(TextOf(error));
  // File errors name their file already; format errors say only what is wrong.
  if (reason.contains(quoted)) return reason;
  return reason + "\n\n" + quoted.mid(1, quoted.size() - 2);  // on a line of its own, unquoted
}

QString ShownText(const UserText& text) {
  return QString::fromStdString(text.Shown([](const char* pattern) {
    const QString translated = QCoreApplication::translate("Messages", pattern);
    return translated == QLatin1String(pattern) ? std::string() : translated.toStdString();
  }));
}

QString SaveChangesQuestion(const QString& name) {
  return QCoreApplication::translate("Files", "Save changes to %1?").arg(name);
}

namespace {

// "text (*.scr)" becomes "text (*.scr *.SCR)"; every filter of a ";;" list alike.
QStringList WithUpperCasePatterns(const QString& filter) {
  static const QRegularExpression named(QStringLiteral("^(.*)\\(([^()]*)\\)$"));
  QStringList out;
  for (const QString& one : filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
    const QRegularExpressionMatch match = named.match(one.trimmed());
    const QString text = match.hasMatch() ? match.captured(1) : QString();
    QStringList patterns = (match.hasMatch() ? match.captured(2) : one).split(' ', Qt::SkipEmptyParts);
    for (const QString& pattern : QStringList(patterns))
      if (!patterns.contains(pattern.toUpper())) patterns << pattern.toUpper();
    out << (match.hasMatch() ? text + '(' + patterns.join(' ') + ')' : patterns.join(' '));
  }
  return out;
}

// The name last chosen is offered again.
QString StartPath(const FileDialogState& state) { return state.LastName.isEmpty() ? state.Folder : state.LastName; }

class QtDialogs : public UserDialogs {
 public:
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& filter, const FileDialogState& state) override {
    const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(parent, filter, state);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList names = dialog->selectedFiles();
    return names.isEmpty() || names.front().isEmpty() ? std::nullopt : std::optional(names.front());
  }

  std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& filter, const FileDialogState& state) override {
    const QString name = QFileDialog::getSaveFileName(parent, {}, StartPath(state), filter);
    return name.isEmpty() ? std::nullopt : std::optional(name);
  }

  bool ConfirmOverwrite(QWidget* parent, const QString& path) override {
    return QMessageBox::question(parent, QCoreApplication::translate("Files", "Confirm Save As"),
                                 QCoreApplication::translate("Files", "%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path))) == QMessageBox::Yes;
  }

  void ShowError(QWidget* parent, const QString& message) override {
    QMessageBox::critical(parent, QStringLiteral("chromaLoom"), message);
  }

  SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& name) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("chromaLoom"), SaveChangesQuestion(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
      case QMessageBox::Save:
        return SaveChangesAnswer::Save;
      case QMessageBox::Discard:
        return SaveChangesAnswer::Discard;
      default:
        return SaveChangesAnswer::Cancel;
    }
  }

  std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                 const QString& text) override {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? std::optional(answer) : std::nullopt;
  }
};

}  // namespace

std::unique_ptr<UserDialogs> MakeQtDialogs() { return std::make_unique<QtDialogs>(); }

std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& filter, const FileDialogState& state) {
  // As QFileDialog::getOpenFileName builds it: a start path naming a file selects that file.
  auto dialog = std::make_unique<QFileDialog>(parent, QString(), StartPath(state));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters(WithUpperCasePatterns(filter) << QCoreApplication::translate("Files", "All files (*)"));
  return dialog;
}

}  // namespace chromaloom

// The questions the file commands ask the user, as one replaceable step, so
// the commands can be driven with chosen answers (tests, drops, scripts).
#pragma once

#include <QString>

#include <exception>
#include <memory>
#include <optional>

#include "picture/translated_text.h"

class QFileDialog;
class QWidget;

namespace chromaloom {

// What a file dialog keeps for the run: where it starts and the name it offers.
struct FileDialogState {
  QString Folder;
  QString LastName;  // full path of the file last chosen
};

enum class SaveChangesAnswer { Save, Discard, Cancel };

class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // filter as Qt's file dialogs take it ("*.mgs (*.mgs)"); nullopt when the user cancels.
  virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& filter,
                                                const FileDialogState& state) = 0;
  // Asks before overwriting the chosen name itself.
  virtual std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& filter,
                                                const FileDialogState& state) = 0;
  virtual bool ConfirmOverwrite(QWidget* parent, const QString& path) = 0;
  virtual void ShowError(QWidget* parent, const QString& message) = 0;
  // "Save changes to NAME?" before a modified picture would be lost.
  virtual SaveChangesAnswer AskSaveChanges(QWidget* parent, const QString& name) = 0;
  // A line of text, offered as text; nullopt when the user cancels.
  virtual std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                         const QString& text) = 0;
};

// The platform's file dialogs and message boxes.
std::unique_ptr<UserDialogs> MakeQtDialogs();

// The dialog MakeQtDialogs runs to choose a file to read, before it runs. It
// offers filter with each pattern also in upper case (a platform's own dialog
// may match names case-sensitively), then "All files (*)".
std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& filter, const FileDialogState& state);

// "Save changes to NAME?"
QString SaveChangesQuestion(const QString& name);

// A text of the levels below in the language of the interface.
QString ShownText(const UserText& text);

// The text of a failed read or write: the reason, and the file it concerns.
QString FileErrorMessage(const QString& path, const std::exception& error);

}  // namespace chromaloom

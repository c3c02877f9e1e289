// The questions to the user answered from a script, recording what was asked.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

#include "window/user_dialogs.h"

namespace chromaloom::test_support {

class ScriptedDialogs : public UserDialogs {
 public:
  QStringList Answers;  // an empty answer cancels
  std::deque<bool> OverwriteAnswers;
  // Unanswered questions cancel, which loses nothing.
  std::deque<SaveChangesAnswer> SaveChangesAnswers;
  QStringList Filters, OverwriteQuestions, Errors, SaveChangesQuestions, TextsOffered;
  QList<const QWidget*> ErrorParents;  // the window each error stood over
  QString LastOffered;

  std::optional<QString> ChooseOpenFile(QWidget*, const QString& filter, const FileDialogState& state) override {
    return Next(filter, state);
  }
  std::optional<QString> ChooseSaveFile(QWidget*, const QString& filter, const FileDialogState& state) override {
    return Next(filter, state);
  }
  bool ConfirmOverwrite(QWidget*, const QString& path) override {
    OverwriteQuestions << path;
    const bool yes = !OverwriteAnswers.empty() && OverwriteAnswers.front();
    if (!OverwriteAnswers.empty()) OverwriteAnswers.pop_front();
    return yes;
  }
  void ShowError(QWidget* parent, const QString& message) override {
    Errors << message;
    ErrorParents << parent;
  }
  SaveChangesAnswer AskSaveChanges(QWidget*, const QString& name) override {
    SaveChangesQuestions << SaveChangesQuestion(name);
    if (SaveChangesAnswers.empty()) return SaveChangesAnswer::Cancel;
    const SaveChangesAnswer answer = SaveChangesAnswers.front();
    SaveChangesAnswers.pop_front();
    return answer;
  }
  std::optional<QString> AskText(QWidget*, const QString&, const QString&, const QString& text) override {
    TextsOffered << text;
    return Next({}, {});
  }

 private:
  std::optional<QString> Next(const QString& filter, const FileDialogState& state) {
    Filters << filter;
    LastOffered = state.LastName.isEmpty() ? state.Folder : state.LastName;
    const QString answer = Answers.isEmpty() ? QString() : Answers.takeFirst();
    if (answer.isEmpty()) return std::nullopt;
    return answer;
  }
};

}  // namespace chromaloom::test_support

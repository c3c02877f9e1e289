// Edit > Keyboard Shortcuts...: every command the user can name with its
// keys, and one key of the user's own for any of them.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include <functional>
#include <vector>

#include "window/command_table.h"
#include "window/key_bindings.h"

class QPushButton;
class QTableWidget;

namespace chromaloom {

// Records the next key combination pressed while recording, Esc and Tab
// included; a lone modifier only shows itself.
class KeyCaptureField : public QLineEdit {
  Q_OBJECT
 public:
  explicit KeyCaptureField(QWidget* parent);
  void StartRecording();
  bool IsRecording() const { return recording_; }

 signals:
  void Recorded(QKeyCombination keys);

 protected:
  bool event(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void StopRecording();
  bool recording_ = false;
};

class KeyboardShortcutsDialog : public QDialog {
  Q_OBJECT
 public:
  // report shows the user why a key was refused, over the given window.
  KeyboardShortcutsDialog(const KeyBindings& current, std::function<void(QWidget*, const QString&)> report,
                          QWidget* parent);

  // The keys as the dialog now has them; the window takes them at OK.
  const KeyBindings& Bindings() const { return bindings_; }
  // Gives the chosen command the key, or reports why not and changes nothing.
  bool Assign(QKeyCombination keys);

 private:
  const Command* Chosen() const;
  void ShowKeys();
  void Change();

  KeyBindings bindings_;
  std::function<void(QWidget*, const QString&)> report_;
  std::vector<const Command*> rows_;
  QTableWidget* table_ = nullptr;
  KeyCaptureField* capture_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* clear_ = nullptr;
};

}  // namespace chromaloom

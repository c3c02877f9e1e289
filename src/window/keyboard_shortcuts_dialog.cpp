#include "window/keyboard_shortcuts_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace chromaloom {

namespace {

constexpr const char* IdleText = QT_TRANSLATE_NOOP("Shortcuts", "Choose a command, then Change...");

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr ||
         key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

}  // namespace

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setPlaceholderText(QCoreApplication::translate("Shortcuts", IdleText));
}

void KeyCaptureField::StartRecording() {
  recording_ = true;
  setText(QCoreApplication::translate("Shortcuts", "Press the new key..."));
  setFocus(Qt::OtherFocusReason);
}

void KeyCaptureField::StopRecording() {
  recording_ = false;
  clear();
}

bool KeyCaptureField::event(QEvent* event) {
  if (!recording_) return QLineEdit::event(event);
  // While recording every key is ours: no shortcut, no focus change by Tab,
  // no closing by Esc.
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QLineEdit::event(event);
  const auto& press = *static_cast<QKeyEvent*>(event);
  if (IsModifierKey(press.key())) {
    // Shows what is held so far ("Ctrl+").
    setText(QKeySequence(press.modifiers()).toString(QKeySequence::NativeText));
    return true;
  }
  const QKeyCombination keys = RecordedKey(press.key(), press.nativeScanCode(), press.modifiers());
  StopRecording();
  emit Recorded(keys);
  return true;
}

void KeyCaptureField::focusOutEvent(QFocusEvent* event) {
  if (recording_) StopRecording();
  QLineEdit::focusOutEvent(event);
}

KeyboardShortcutsDialog::KeyboardShortcutsDialog(const KeyBindings& current,
                                                 std::function<void(QWidget*, const QString&)> report, QWidget* parent)
    : QDialog(parent), bindings_(current), report_(std::move(report)) {
  setObjectName("keyboardShortcutsDialog");
  setWindowTitle(QCoreApplication::translate("Shortcuts", "Keyboard Shortcuts"));
  for (const Command& command : Commands())
    if (IsBindable(command)) rows_.push_back(&command);

  auto* layout = new QVBoxLayout(this);
  table_ = new QTableWidget(static_cast<int>(rows_.size()), 2, this);
  table_->setObjectName("shortcutsTable");
  table_->setHorizontalHeaderLabels(
      {QCoreApplication::translate("Shortcuts", "Command"), QCoreApplication::translate("Shortcuts", "Keys")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(false);
  for (int i = 0; i < table_->rowCount(); ++i)
    table_->setItem(i, 0, new QTableWidgetItem(CommandTitle(*rows_[static_cast<std::size_t>(i)])));
  layout->addWidget(table_);

  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(new QLabel(QCoreApplication::translate("Shortcuts", "New key:"), this));
  capture_ = new KeyCaptureField(this);
  capture_->setObjectName("keyCaptureField");
  keyRow->addWidget(capture_, 1);
  change_ = new QPushButton(QCoreApplication::translate("Shortcuts", "Change..."), this);
  change_->setObjectName("changeKeyButton");
  clear_ = new QPushButton(QCoreApplication::translate("Shortcuts", "Clear"), this);
  clear_->setObjectName("clearKeyButton");
  auto* reset = new QPushButton(QCoreApplication::translate("Shortcuts", "Reset to Defaults"), this);
  reset->setObjectName("resetKeysButton");
  for (QPushButton* button : {change_, clear_, reset}) {
    button->setAutoDefault(false);
    keyRow->addWidget(button);
  }
  layout->addLayout(keyRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName("shortcutsButtons");
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(change_, &QPushButton::clicked, this, &KeyboardShortcutsDialog::Change);
  connect(table_, &QTableWidget::cellDoubleClicked, this, &KeyboardShortcutsDialog::Change);
  connect(clear_, &QPushButton::clicked, this, [this] {
    if (const Command* command = Chosen()) bindings_.Set(command->Name, std::nullopt);
    ShowKeys();
  });
  connect(reset, &QPushButton::clicked, this, [this] {
    bindings_.ResetAll();
    ShowKeys();
  });
  connect(capture_, &KeyCaptureField::Recorded, this, &KeyboardShortcutsDialog::Assign);
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    change_->setEnabled(Chosen());
    clear_->setEnabled(Chosen());
  });

  ShowKeys();
  table_->resizeColumnsToContents();
  table_->resizeRowsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  change_->setEnabled(false);
  clear_->setEnabled(false);
  resize(620, 640);
}

const Command* KeyboardShortcutsDialog::Chosen() const {
  const QList<QTableWidgetItem*> chosen = table_->selectedItems();
  if (chosen.isEmpty()) return nullptr;
  return rows_[static_cast<std::size_t>(chosen.front()->row())];
}

void KeyboardShortcutsDialog::ShowKeys() {
  for (int i = 0; i < table_->rowCount(); ++i) {
    const Command& command = *rows_[static_cast<std::size_t>(i)];
    auto* item = new QTableWidgetItem(CommandKeysText(command, bindings_));
    // A user's own key stands out from the defaults.
    QFont font = item->font();
    font.setBold(bindings_.Find(command.Name) != nullptr);
    item->setFont(font);
    table_->setItem(i, 1, item);
  }
}

void KeyboardShortcutsDialog::Change() {
  if (Chosen()) capture_->StartRecording();
}

bool KeyboardShortcutsDialog::Assign(QKeyCombination keys) {
  const Command* command = Chosen();
  if (!command) return false;
  if (const QString refusal = KeyRefusal(keys, bindings_, *command); !refusal.isEmpty()) {
    report_(this, refusal);
    return false;
  }
  bindings_.Set(command->Name, keys);
  ShowKeys();
  return true;
}

}  // namespace chromaloom

// The one main window. It composes the menu bar and the tool bar (both made
// from the command table), the status bar, the picture window and the tool
// windows, the document controller, the panel controller and the keyboard
// pointer; what the user does runs through those.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>

#include "window/command_table.h"
#include "window/document_controller.h"
#include "window/interface_language.h"
#include "window/keyboard_pointer.h"
#include "window/panel_controller.h"

class QAction;
class QTimer;

namespace chromaloom {

class EditorSettings;
class PanelDragger;
class PictureWindow;
class RecentFiles;
class StatusBar;
class ToolBar;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // args are the command-line arguments after the program name; settingsFile
  // keeps what the editor remembers between runs (empty: nothing is kept).
  explicit MainWindow(const QStringList& args, const QString& settingsFile = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  DocumentController& Controller() { return *controller_; }
  PanelController& Panels() { return *panels_; }
  KeyboardPointer& Keyboard() { return *keyboard_; }
  // The editing state, one of each.
  chromaloom::Document& Document() { return controller_->Document(); }
  chromaloom::View& View() { return controller_->View(); }
  ToolState& Tools() { return controller_->Tools(); }
  chromaloom::Pickers& Pickers() { return controller_->Colours().Pickers(); }
  FileCommands& Files() { return controller_->Files(); }

  // Runs a command of the table, then shows the state it left.
  void Run(const Command& command);
  // Help > Keys.
  void ShowKeysHelp();
  // A submenu of the menu bar, opened under a tool-bar button.
  void PopUpMenu(const char* menu, const char* button);
  // Edit > Keyboard Shortcuts...; the keys chosen there are used and kept at OK.
  void EditKeyboardShortcuts();
  const KeyBindings& Keys() const { return keys_; }
  void SetKeys(const KeyBindings& keys);
  void ClearRecentFiles();
  // View > Language: kept for the next start, which shows it.
  void ChooseLanguage(InterfaceLanguage language);
  InterfaceLanguage ChosenLanguage() const { return language_; }
  // The picture window fills the work area or floats.
  void ToggleMaximised();
  bool IsPictureMaximised() const;
  QRect FloatingBounds() const;
  // The 100 ms tick: the input pause ends and the ants march.
  void AntsTimerTick();
  // Reports the time to the canvas's first paint on stderr, then quits.
  void ProbeStartup(QElapsedTimer sinceLaunch);

 protected:
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateMenus();
  void CreatePanels();
  void LayoutClientArea();
  QRect WorkArea() const;
  // Walks the command table's key rows; true when one took the press.
  bool RunKeys(const KeyPress& press);
  // Menu items and buttons show what the table's predicates say.
  void ShowCommandStates();
  // The caption, the undo and redo captions and Ctrl+N follow the document.
  void ShowDocumentState();
  // What the editor remembers between runs: read at start, written at close.
  void RestoreSettings();
  // Menus, tooltips and the key handler follow keys_.
  void ApplyKeys();
  RememberedSettings CurrentSettings() const;
  CommandTarget Targets() { return {*this, *controller_, *panels_, *keyboard_}; }

  DocumentController* controller_ = nullptr;
  PanelController* panels_ = nullptr;
  KeyboardPointer* keyboard_ = nullptr;
  std::unique_ptr<EditorSettings> settings_;
  RecentFiles* recentFiles_ = nullptr;
  // Named on the command line; opened once the window shows.
  std::optional<QString> startupFile_;
  bool shownOnce_ = false;

  QHash<QString, QAction*> actions_;  // the menu's actions by command name
  KeyBindings keys_;                  // the user's own keys
  InterfaceLanguage language_ = InterfaceLanguage::System;
  PanelDragger* dragger_ = nullptr;
  QWidget* clientArea_ = nullptr;
  QWidget* workSpace_ = nullptr;
  ToolBar* toolBar_ = nullptr;
  StatusBar* statusBar_ = nullptr;
  PictureWindow* pictureWindow_ = nullptr;
  QTimer* antsTimer_ = nullptr;
};

}  // namespace chromaloom

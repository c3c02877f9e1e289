// The commands that read and write files: open, save, the imports and
// exports, the bitmap export, the emulator preview and dropped files, each
// as the table of file kinds describes it. The questions go through a
// replaceable UserDialogs, so tests answer them.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "formats/file_kinds.h"
#include "picture/document.h"
#include "picture/raster.h"
#include "render/view.h"
#include "window/user_dialogs.h"

class QWidget;

namespace chromaloom {

class FileCommands {
 public:
  // pictureLoaded runs after a file replaced the picture.
  FileCommands(Document& document, View& view, ToolState& tools, PickerImages& images, QWidget* window,
               std::function<void()> pictureLoaded);

  void SetDialogs(std::unique_ptr<UserDialogs> dialogs) { dialogs_ = std::move(dialogs); }
  // Runs with an image read for File > Import > Picture... or a drop.
  void SetImageOpener(std::function<void(Raster)> opener) { imageOpener_ = std::move(opener); }
  // The folder of the program file, with a trailing separator.
  const QString& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
  const FileDialogState& OpenDialogState() const { return openDialogState_; }

  // A single argument is a file to open once the window shows (returned):
  // both dialogs then start in its folder, else in the program's.
  std::optional<QString> TakeStartupArgs(const QStringList& args);
  // The file named on the command line, as a drop would open it; a bad one
  // gets its message over the window, so the window must be shown first.
  void OpenStartupFile(const QString& path);

  void Open();
  void Save();
  // Kinds the table gives a reader, and kinds it gives a writer.
  void Import(FileKind kind);
  // File > Import > Picture...: an image of any kind the table marks, then the image opener.
  void ImportPicture();
  void Export(FileKind kind);
  // A kind exported as a bitmap (BMP, PNG) at a row of BitmapSizes; false
  // when the write failed, so the size can be tried again.
  bool ExportBitmap(FileKind kind, int sizeIndex);
  void PreviewOnEmulator();
  // As Open or the matching import would (a drop, for one).
  void OpenAnyFile(const QString& path);
  // A name the drop handler takes (a drop of a kind never read is then refused).
  static bool IsKnownKind(const QString& path);

 private:
  std::optional<QString> AskOpenFile(const QString& filter);
  // Asks for a name, forces the extension and asks again before replacing
  // a file the forced name hits; nullopt when the user says no.
  std::optional<QString> AskSaveFile(const QString& filter, const QString& extension);
  // Failures go to a message box.
  bool Run(const QString& path, const std::function<void()>& command);
  void Load(const QString& path, FileKind kind);
  void OpenImage(const QString& path);
  void OpenByExtension(const QString& path);

  Document& document_;
  View& view_;
  ToolState& tools_;
  PickerImages& images_;
  QWidget* window_;
  std::function<void()> pictureLoaded_;
  std::function<void(Raster)> imageOpener_;
  std::unique_ptr<UserDialogs> dialogs_;
  QString programFolder_;
  FileDialogState openDialogState_;
  FileDialogState saveDialogState_;
};

}  // namespace chromaloom

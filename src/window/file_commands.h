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
#include <utility>

#include "formats/file_kinds.h"
#include "formats/imported_picture.h"
#include "picture/document.h"
#include "picture/mixing_profile.h"
#include "picture/raster.h"
#include "window/user_dialogs.h"

class QWidget;

namespace chromaloom {

// What the file commands report to the picture's owner. The commands read
// and write files; what a file read does to the picture is the owner's.
class FileReports {
 public:
  // A picture file was read (an .mgs to open, any other kind to import).
  virtual void PictureRead(const QString& path, FileKind kind, const ImportedPicture& picture) = 0;
  // Help > Open Sample Picture: the sample was read; it belongs to no file.
  virtual void SampleRead(const ImportedPicture& picture) = 0;
  // An image was read for File > Import > Picture... or a drop.
  virtual void ImageRead(const QString& path, Raster image) = 0;
  // The picture was written to its .mgs.
  virtual void PictureSaved(const QString& path) = 0;
  virtual void FileExported(const QString& path) = 0;

 protected:
  ~FileReports() = default;
};

class FileCommands {
 public:
  // document: saved, and asked for its name and modified mark.
  FileCommands(const Document& document, QWidget* window, FileReports& reports);

  void SetDialogs(std::unique_ptr<UserDialogs> dialogs) { dialogs_ = std::move(dialogs); }
  // The message box of the file commands.
  void ShowError(const QString& message) { dialogs_->ShowError(window_, message); }
  // The same message box over another window (a dialog of the editor).
  void ShowErrorOver(QWidget* over, const QString& message) { dialogs_->ShowError(over, message); }
  // The folder of the program file, with a trailing separator (the emulator preview's files lie beside it).
  const QString& ProgramFolder() const { return programFolder_; }
  void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
  // Where the preview goes when the zxview folder beside the program cannot
  // be written (an install for every user), with a trailing separator.
  const QString& UserPreviewFolder() const { return userPreviewFolder_; }
  void SetUserPreviewFolder(const QString& folder) { userPreviewFolder_ = folder; }
  // What each dialog was last given, in this run or an earlier one: its
  // folder stays empty until a file is chosen in it.
  const FileDialogState& OpenDialogState() const { return openDialogState_; }
  const FileDialogState& SaveDialogState() const { return saveDialogState_; }
  // The states of an earlier run.
  void RestoreDialogStates(FileDialogState open, FileDialogState save);
  // Where each dialog starts: its own folder, else the start folder.
  FileDialogState OpenDialogStart() const { return StartOf(openDialogState_); }
  FileDialogState SaveDialogStart() const { return StartOf(saveDialogState_); }

  // A single argument is a file to open once the window shows (returned);
  // the dialogs then start in its folder unless they remember one.
  std::optional<QString> TakeStartupArgs(const QStringList& args);
  // The file named on the command line, as a drop would open it; a bad one
  // gets its message over the window, so the window must be shown first.
  void OpenStartupFile(const QString& path);

  // The name the caption and the questions use: the file's, or "Untitled".
  QString DocumentName() const;
  // While the picture is modified, asks whether to save it first; true when
  // the caller may go on (saved, or discarded), false to stop.
  bool MayDiscardChanges();

  void Open();
  // Help > Open Sample Picture: opened as Open would, but untitled, so Save
  // asks for a name instead of writing into the installed copy.
  void OpenSample();
  // The sample beside the program (a build tree) or in share/chromaloom
  // (installed); empty when neither is there.
  QString SamplePath() const;
  // Writes the .mgs the picture belongs to, or asks for a name as SaveAs
  // does; true when the picture was written.
  bool Save();
  bool SaveAs();
  // Kinds the table gives a reader, and kinds it gives a writer.
  void Import(FileKind kind);
  // File > Import > Picture...: an image of any kind the table marks, then the image opener.
  void ImportPicture();
  // A kind that holds one screen takes screen (0 or 1).
  void Export(FileKind kind, int screen = 0);
  // A kind exported as a bitmap (BMP, PNG; the animated GIF's frames) at a
  // row of BitmapSizes; false when the write failed, so the size can be
  // tried again.
  bool ExportBitmap(FileKind kind, int sizeIndex, const MixingProfile& mixing);
  void PreviewOnEmulator();
  // Fuse on the PATH, by the names in zxview/fuse_programs.txt in their
  // order; empty when there is none.
  static QString FindEmulator();
  // View > Mixing > From File...: the profile in the chosen file; nullopt
  // when the user cancels or the file is bad (a message says why).
  std::optional<MixingProfile> ChooseMixingProfile();
  // A model's levels typed in, starting from shown; a bad text is reported.
  std::optional<MixingProfile> ChooseMixingLevels(const QString& shown);
  // View > Reference Image...: an image the import reads, and its path;
  // nullopt when the user cancels or it cannot be read (a message says why).
  std::optional<std::pair<QString, Raster>> ChooseReferenceImage();
  // The same image again, without a question or a message; nullopt when it is gone.
  static std::optional<Raster> ReadReferenceImage(const QString& path);
  // As Open or the matching import would (a drop, for one).
  void OpenAnyFile(const QString& path);
  // A name the drop handler takes (a drop of a kind never read is then refused).
  static bool IsKnownKind(const QString& path);

 private:
  FileDialogState StartOf(const FileDialogState& state) const;
  std::optional<QString> AskOpenFile(const QString& filter);
  // Asks for a name, forces the extension and asks again before replacing
  // a file the forced name hits; nullopt when the user says no.
  std::optional<QString> AskSaveFile(const QString& filter, const QString& extension);
  // Failures go to a message box.
  bool Run(const QString& path, const std::function<void()>& command);
  void Load(const QString& path, FileKind kind);
  bool WriteMgs(const QString& path);
  void OpenImage(const QString& path);
  void OpenByExtension(const QString& path);

  const Document& document_;
  QWidget* window_;
  FileReports& reports_;
  std::unique_ptr<UserDialogs> dialogs_;
  QString programFolder_;
  QString userPreviewFolder_;
  QString startFolder_;
  FileDialogState openDialogState_;
  FileDialogState saveDialogState_;
};

}  // namespace chromaloom

#include "window/file_commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include "editing/picture_commands.h"
#include "files/file_io.h"
#include "files/image_files.h"
#include "formats/file_names.h"
#include "render/picture_bitmap.h"

namespace chromaloom {

namespace {

std::vector<std::uint8_t> ReadCapped(const QString& path, FileKind kind) {
  return ReadFileBytes(path.toStdString(), MaxReadLength(kind));
}

QString OpenFilterOf(FileKind kind) { return QString::fromUtf8(InfoOf(kind).OpenFilter); }
QString SaveFilterOf(FileKind kind) { return QString::fromUtf8(InfoOf(kind).SaveFilter); }

QString ExtensionOf(FileKind kind) {
  const std::string_view extension = InfoOf(kind).Extension;
  return QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
}

// "Pictures (*.png *.jpg ...)" from the image rows of the table.
QString PictureFilter() {
  QStringList patterns;
  for (const FileKindInfo& info : FileKinds)
    if (info.Image) patterns << "*" + QString::fromLatin1(info.Extension.data(), static_cast<qsizetype>(info.Extension.size()));
  return QString("Pictures (%1)").arg(patterns.join(' '));
}

}  // namespace

FileCommands::FileCommands(Document& document, View& view, ToolState& tools, PickerImages& images, QWidget* window,
                           std::function<void()> pictureLoaded)
    : document_(document),
      view_(view),
      tools_(tools),
      images_(images),
      window_(window),
      pictureLoaded_(std::move(pictureLoaded)),
      dialogs_(MakeQtDialogs()),
      programFolder_(QCoreApplication::applicationDirPath() + "/") {}

std::optional<QString> FileCommands::TakeStartupArgs(const QStringList& args) {
  std::optional<QString> file;
  QString folder = programFolder_;
  if (args.size() == 1) {
    file = args.front();
    folder = QFileInfo(*file).absolutePath() + "/";
  }
  openDialogState_.Folder = saveDialogState_.Folder = folder;
  return file;
}

// No click comes before it, so the canvas takes input at once.
void FileCommands::OpenStartupFile(const QString& path) { OpenByExtension(path); }

std::optional<QString> FileCommands::AskOpenFile(const QString& filter) {
  const auto name = dialogs_->ChooseOpenFile(window_, filter, openDialogState_);
  if (name) openDialogState_.LastName = *name;
  return name;
}

std::optional<QString> FileCommands::AskSaveFile(const QString& filter, const QString& extension) {
  const auto chosen = dialogs_->ChooseSaveFile(window_, filter, saveDialogState_);
  if (!chosen) return std::nullopt;
  saveDialogState_.LastName = *chosen;
  const QString forced = QString::fromStdString(ForceExtension(chosen->toStdString(), extension.toStdString()));
  // The dialog asked about the name as typed; a name the extension changed needs its own question.
  if (forced != *chosen && QFileInfo::exists(forced) && !dialogs_->ConfirmOverwrite(window_, forced))
    return std::nullopt;
  return forced;
}

bool FileCommands::Run(const QString& path, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    dialogs_->ShowError(window_, FileErrorMessage(path, e));
    return false;
  }
}

void FileCommands::Load(const QString& path, FileKind kind) {
  const auto load = [&] { TakeImportedPicture(document_, view_, images_, ReadPictureFile(kind, ReadCapped(path, kind))); };
  if (Run(path, load)) pictureLoaded_();
}

void FileCommands::Open() {
  const auto name = AskOpenFile(OpenFilterOf(FileKind::Mgs));
  if (!name) return;
  // The click that closed the dialog must not paint into the new picture.
  tools_.CanvasInputSuspended = true;
  Load(*name, FileKind::Mgs);
}

void FileCommands::Save() {
  const auto name = AskSaveFile(SaveFilterOf(FileKind::Mgs), ExtensionOf(FileKind::Mgs));
  if (!name) return;
  Run(*name, [&] { WriteFileAtomically(name->toStdString(), *WritePictureFile(document_.Picture(), FileKind::Mgs)); });
}

void FileCommands::Import(FileKind kind) {
  if (!InfoOf(kind).Read) return;
  if (const auto name = AskOpenFile(OpenFilterOf(kind))) Load(*name, kind);
}

void FileCommands::ImportPicture() {
  if (const auto name = AskOpenFile(PictureFilter())) OpenImage(*name);
}

void FileCommands::OpenImage(const QString& path) {
  Raster image;
  if (Run(path, [&] { image = ReadImageFile(path.toStdString()); }) && imageOpener_) imageOpener_(std::move(image));
}

void FileCommands::Export(FileKind kind) {
  if (!InfoOf(kind).Write) return;
  const auto name = AskSaveFile(SaveFilterOf(kind), ExtensionOf(kind));
  if (!name) return;
  Run(*name, [&] { WriteFileAtomically(name->toStdString(), *WritePictureFile(document_.Picture(), kind)); });
}

bool FileCommands::ExportBitmap(FileKind kind, int sizeIndex) {
  if (!IsBitmapExport(kind)) return true;
  const Raster bitmap = RenderBitmap(document_.Picture(), sizeIndex);
  const auto name = AskSaveFile(SaveFilterOf(kind), ExtensionOf(kind));
  if (!name) return true;
  return Run(*name, [&] { WriteFileAtomically(name->toStdString(), EncodeBitmap(bitmap, kind)); });
}

void FileCommands::PreviewOnEmulator() {
  const auto preview = EmulatorPreviewFor(document_.CellHeight());
  if (!preview) return;
  const QString folder = programFolder_ + "zxview/";
  const QString image = folder + QString::fromStdString(preview->ImageName);
  const bool written = Run(
      image, [&] { WriteFileAtomically(image.toStdString(), *WritePictureFile(document_.Picture(), preview->Kind)); });
  if (!written) return;
  // Started by full path in its own folder; the editor does not wait for it.
  const QString launcher = folder + QString::fromStdString(preview->LauncherName);
  if (!QFileInfo(launcher).isExecutable() || !QProcess::startDetached(launcher, {}, folder))
    dialogs_->ShowError(
        window_, QString("The picture was written to %1, but the emulator launcher %2 could not be started.")
                     .arg(image, launcher));
}

void FileCommands::OpenAnyFile(const QString& path) {
  // The release that ended a drop must not paint into a new native picture.
  if (FileKindFromName(path.toStdString()) == FileKind::Mgs) tools_.CanvasInputSuspended = true;
  OpenByExtension(path);
}

void FileCommands::OpenByExtension(const QString& path) {
  const auto kind = FileKindFromName(path.toStdString());
  // A bitmap is an image too: read through the image dialog, not a picture reader.
  if (kind && InfoOf(*kind).Image) return OpenImage(path);
  if (!kind || !InfoOf(*kind).Read) {
    dialogs_->ShowError(window_, QString("chromaLoom cannot open this kind of file:\n\n%1").arg(path));
    return;
  }
  Load(path, *kind);
}

bool FileCommands::IsKnownKind(const QString& path) { return FileKindFromName(path.toStdString()).has_value(); }

}  // namespace chromaloom

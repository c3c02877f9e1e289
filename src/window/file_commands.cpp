#include "window/file_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>

#include <span>
#include <stdexcept>

#include "editing/picture_commands.h"
#include "files/animations.h"
#include "files/file_io.h"
#include "files/image_files.h"
#include "formats/file_names.h"
#include "formats/mixing_profile_file.h"
#include "render/picture_bitmap.h"
#include "spectrum/file_encoding.h"
#include "spectrum/spectrum_files.h"
#include "window/local_paths.h"

// A static library's resources are kept only when something asks for them.
static void InitLauncherResources() { Q_INIT_RESOURCE(zxview_launchers); }

namespace chromaloom {

namespace {

std::vector<std::uint8_t> ReadCapped(const QString& path, FileKind kind) {
  return ReadFileBytes(PathBytes(path), MaxReadLength(kind));
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
    if (info.Image)
      patterns << "*" + QString::fromLatin1(info.Extension.data(), static_cast<qsizetype>(info.Extension.size()));
  return QCoreApplication::translate("Files", "Pictures (%1)").arg(patterns.join(' '));
}

// The launcher and the part it sources, from the copies inside the program,
// into folder; a launcher already there (perhaps edited) stays as it is.
void CopyMissingLaunchers(const QString& folder, const QString& launcher) {
  InitLauncherResources();
  if (!QDir().mkpath(folder))
    throw std::runtime_error(
        QCoreApplication::translate("Files", "Cannot make the preview folder %1").arg(folder).toStdString());
  for (const QString& name : {QString("zxview-common.sh"), QString("fuse_programs.txt"), launcher}) {
    const QString target = folder + name;
    if (QFileInfo::exists(target)) continue;
    QFile source(":/zxview/" + name);
    if (!source.open(QIODevice::ReadOnly))
      throw std::runtime_error(
          QCoreApplication::translate("Files", "The program has no launcher %1").arg(name).toStdString());
    const QByteArray text = source.readAll();
    WriteFileAtomically(PathBytes(target), std::span(reinterpret_cast<const std::uint8_t*>(text.constData()),
                                                     static_cast<std::size_t>(text.size())));
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (name == launcher) permissions |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    if (!QFile::setPermissions(target, permissions))
      throw std::runtime_error(
          QCoreApplication::translate("Files", "Cannot make %1 executable").arg(target).toStdString());
  }
}

// Whether the user uncommented the launcher's own ZXVIEW_EMULATOR line.
bool LauncherSetsEmulator(const QString& launcher) {
  QFile file(launcher);
  if (!file.open(QIODevice::ReadOnly)) return false;
  static const QRegularExpression setting("^\\s*ZXVIEW_EMULATOR=", QRegularExpression::MultilineOption);
  return setting.match(QString::fromUtf8(file.read(1 << 16))).hasMatch();
}

}  // namespace

FileCommands::FileCommands(const Document& document, QWidget* window, FileReports& reports)
    : document_(document),
      window_(window),
      reports_(reports),
      dialogs_(MakeQtDialogs()),
      programFolder_(QCoreApplication::applicationDirPath() + "/"),
      userPreviewFolder_(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/zxview/"),
      startFolder_(QDir::homePath() + "/") {}

void FileCommands::RestoreDialogStates(FileDialogState open, FileDialogState save) {
  openDialogState_ = std::move(open);
  saveDialogState_ = std::move(save);
}

std::optional<QString> FileCommands::TakeStartupArgs(const QStringList& args) {
  std::optional<QString> file;
  startFolder_ = QDir::homePath() + "/";
  if (args.size() == 1) {
    file = args.front();
    startFolder_ = QFileInfo(*file).absolutePath() + "/";
  }
  return file;
}

// No click comes before it, so the canvas takes input at once.
void FileCommands::OpenStartupFile(const QString& path) { OpenByExtension(path); }

FileDialogState FileCommands::StartOf(const FileDialogState& state) const {
  FileDialogState start = state;
  if (start.Folder.isEmpty()) start.Folder = startFolder_;
  return start;
}

namespace {

// The dialog starts next time where this name lies.
void Remember(FileDialogState& state, const QString& name) {
  state.LastName = name;
  state.Folder = QFileInfo(name).absolutePath() + "/";
}

}  // namespace

std::optional<QString> FileCommands::AskOpenFile(const QString& filter) {
  const auto name = dialogs_->ChooseOpenFile(window_, filter, OpenDialogStart());
  if (name) Remember(openDialogState_, *name);
  return name;
}

std::optional<QString> FileCommands::AskSaveFile(const QString& filter, const QString& extension) {
  const auto chosen = dialogs_->ChooseSaveFile(window_, filter, SaveDialogStart());
  if (!chosen) return std::nullopt;
  Remember(saveDialogState_, *chosen);
  const QString forced = PathFromBytes(ForceExtension(PathBytes(*chosen), extension.toStdString()));
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
  std::optional<ImportedPicture> picture;
  if (!Run(path, [&] { picture = ReadPictureFile(kind, ReadCapped(path, kind)); })) return;
  reports_.PictureRead(path, kind, *picture);
}

QString FileCommands::DocumentName() const {
  const std::string& path = document_.FilePath();
  return path.empty() ? QCoreApplication::translate("Files", "Untitled")
                      : QFileInfo(QString::fromStdString(path)).fileName();
}

bool FileCommands::MayDiscardChanges() {
  if (!document_.IsModified()) return true;
  switch (dialogs_->AskSaveChanges(window_, DocumentName())) {
    case SaveChangesAnswer::Save:
      return Save();
    case SaveChangesAnswer::Discard:
      return true;
    case SaveChangesAnswer::Cancel:
      break;
  }
  return false;
}

void FileCommands::Open() {
  if (!MayDiscardChanges()) return;
  const auto name = AskOpenFile(OpenFilterOf(FileKind::Mgs));
  if (!name) return;
  Load(*name, FileKind::Mgs);
}

QString FileCommands::SamplePath() const {
  // Installed, the program is lib/chromaloom/chromaloom and the data share/chromaloom.
  for (const QString& candidate : {programFolder_ + "sample.mgs", programFolder_ + "../../share/chromaloom/sample.mgs"})
    if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
  return {};
}

void FileCommands::OpenSample() {
  if (!MayDiscardChanges()) return;
  const QString path = SamplePath();
  if (path.isEmpty()) {
    dialogs_->ShowError(window_,
                        QCoreApplication::translate("Files", "The sample picture is missing: it belongs in %1 or %2.")
                            .arg(QDir::cleanPath(programFolder_ + "sample.mgs"),
                                 QDir::cleanPath(programFolder_ + "../../share/chromaloom/sample.mgs")));
    return;
  }
  std::optional<ImportedPicture> picture;
  if (!Run(path, [&] { picture = ReadPictureFile(FileKind::Mgs, ReadCapped(path, FileKind::Mgs)); })) return;
  reports_.SampleRead(*picture);
}

bool FileCommands::Save() {
  const QString path = PathFromBytes(document_.FilePath());
  return path.isEmpty() ? SaveAs() : WriteMgs(path);
}

bool FileCommands::SaveAs() {
  const auto name = AskSaveFile(SaveFilterOf(FileKind::Mgs), ExtensionOf(FileKind::Mgs));
  return name && WriteMgs(*name);
}

bool FileCommands::WriteMgs(const QString& path) {
  const bool written =
      Run(path, [&] { WriteFileAtomically(PathBytes(path), *WritePictureFile(document_.Picture(), FileKind::Mgs)); });
  if (!written) return false;
  reports_.PictureSaved(path);
  return true;
}

void FileCommands::Import(FileKind kind) {
  if (!InfoOf(kind).Read) return;
  if (const auto name = AskOpenFile(OpenFilterOf(kind))) Load(*name, kind);
}

void FileCommands::ImportPicture() {
  if (const auto name = AskOpenFile(PictureFilter())) OpenImage(*name);
}

std::optional<std::pair<QString, Raster>> FileCommands::ChooseReferenceImage() {
  const auto name = AskOpenFile(PictureFilter());
  if (!name) return std::nullopt;
  Raster image;
  if (!Run(*name, [&] { image = ReadImageFile(PathBytes(*name)); })) return std::nullopt;
  return std::pair{*name, std::move(image)};
}

std::optional<Raster> FileCommands::ReadReferenceImage(const QString& path) {
  try {
    return ReadImageFile(PathBytes(path));
  } catch (const std::exception&) {
    return std::nullopt;  // moved or deleted since: the picture opens without it
  }
}

void FileCommands::OpenImage(const QString& path) {
  Raster image;
  if (!Run(path, [&] { image = ReadImageFile(PathBytes(path)); })) return;
  reports_.ImageRead(path, std::move(image));
}

void FileCommands::Export(FileKind kind, int screen) {
  if (!InfoOf(kind).Write && !InfoOf(kind).SpectrumProgram) return;
  const auto name = AskSaveFile(SaveFilterOf(kind), ExtensionOf(kind));
  if (!name) return;
  if (Run(*name, [&] { WriteFileAtomically(PathBytes(*name), *EncodeFile(kind, document_.Picture(), screen)); }))
    reports_.FileExported(*name);
}

bool FileCommands::ExportBitmap(FileKind kind, int sizeIndex, const MixingProfile& mixing) {
  if (!IsBitmapExport(kind)) return true;
  // The picture as it is now; encoded once the name is chosen.
  std::function<std::vector<std::uint8_t>()> encode;
  if (IsAnimatedExport(kind))
    encode = [kind, frames = RenderScreenBitmaps(document_.Picture(), sizeIndex)] {
      return EncodeAnimation(frames, kind);
    };
  else
    encode = [kind, bitmap = RenderBitmap(document_.Picture(), sizeIndex, mixing)] {
      return EncodeBitmap(bitmap, kind);
    };
  const auto name = AskSaveFile(SaveFilterOf(kind), ExtensionOf(kind));
  if (!name) return true;
  if (!Run(*name, [&] { WriteFileAtomically(PathBytes(*name), encode()); })) return false;
  reports_.FileExported(*name);
  return true;
}

std::optional<MixingProfile> FileCommands::ChooseMixingProfile() {
  const auto name = AskOpenFile(QCoreApplication::translate("Files", "Mixing profile (*.txt)"));
  if (!name) return std::nullopt;
  std::optional<MixingProfile> profile;
  Run(*name, [&] {
    const auto bytes = ReadFileBytes(PathBytes(*name), MaxMixingProfileLength + 1);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    profile = ReadMixingProfile(text, QFileInfo(*name).fileName().toStdString());
  });
  return profile;
}

std::optional<MixingProfile> FileCommands::ChooseMixingLevels(const QString& shown) {
  const auto text =
      dialogs_->AskText(window_, QCoreApplication::translate("Files", "Mixing Levels"),
                        QCoreApplication::translate("Files",
                                                    "Levels ZZ,ZN,NN,NB,BB,ZB in hex, then optionally \":\" and\n"
                                                    "a colour matrix R1,R2,R3;G1,G2,G3;B1,B2,B3 (out of FF)"),
                        shown);
  if (!text) return std::nullopt;
  try {
    return LevelsMixing(text->trimmed().toStdString());
  } catch (const std::invalid_argument& e) {
    ShowError(QCoreApplication::translate("Files", "These levels cannot be used: %1.").arg(ShownText(TextOf(e))));
    return std::nullopt;
  }
}

void FileCommands::PreviewOnEmulator() {
  const auto preview = EmulatorPreviewFor(document_.CellHeight());
  if (!preview) return;
  std::vector<std::uint8_t> bytes;
  if (!Run(QCoreApplication::translate("Files", "the preview"),
           [&] { bytes = *EncodeFile(preview->Kind, document_.Picture()); }))
    return;
  const QString imageName = QString::fromStdString(preview->ImageName);
  const QString launcherName = QString::fromStdString(preview->LauncherName);
  const QString romName = QString::fromStdString(preview->RomName);
  const auto writeFiles = [&](const QString& folder) {
    WriteFileAtomically(PathBytes(folder + romName), OwnRom());
    WriteFileAtomically(PathBytes(folder + imageName), bytes);
  };
  QString folder = programFolder_ + "zxview/";
  try {
    writeFiles(folder);
  } catch (const std::exception&) {
    // Installed for every user, the folder beside the program is read-only:
    // the user's own folder takes the image and a copy of the launchers.
    folder = userPreviewFolder_;
    const bool written = Run(folder, [&] {
      CopyMissingLaunchers(folder, launcherName);
      writeFiles(folder);
    });
    if (!written) return;
  }
  const QString image = folder + imageName, launcher = folder + launcherName;
  // The launcher runs ZXVIEW_EMULATOR (from the environment or its own
  // line) or Fuse; with none of them, say what to install.
  if (qEnvironmentVariableIsEmpty("ZXVIEW_EMULATOR") && !LauncherSetsEmulator(launcher) && FindEmulator().isEmpty()) {
    dialogs_->ShowError(
        window_, QCoreApplication::translate("Files",
                                             "The picture was written to %1, but no emulator was found to show it.\n\n"
                                             "Install Fuse (apt install fuse-emulator-sdl), or set ZXVIEW_EMULATOR to "
                                             "a command that takes the snapshot's path as its last argument.")
                     .arg(image));
    return;
  }
  // Started by full path in its own folder; the editor does not wait for it.
  // It shows the snapshot just written, whatever ZXVIEW_IMAGE the session has.
  QProcess process;
  process.setProgram(launcher);
  process.setWorkingDirectory(folder);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("ZXVIEW_IMAGE");
  process.setProcessEnvironment(environment);
  if (!QFileInfo(launcher).isExecutable() || !process.startDetached())
    dialogs_->ShowError(
        window_, QCoreApplication::translate(
                     "Files", "The picture was written to %1, but the emulator launcher %2 could not be started.")
                     .arg(image, launcher));
}

QString FileCommands::FindEmulator() {
  // The launchers read the same list, so both find the same Fuse.
  InitLauncherResources();
  QFile list(":/zxview/fuse_programs.txt");
  if (!list.open(QIODevice::ReadOnly)) return {};
  for (const QByteArray& name : list.readAll().split('\n'))
    if (!name.trimmed().isEmpty())
      if (QString path = QStandardPaths::findExecutable(QString::fromUtf8(name.trimmed())); !path.isEmpty())
        return path;
  return {};
}

void FileCommands::OpenAnyFile(const QString& path) {
  if (FileKindFromName(path.toStdString()) == FileKind::Mgs) {
    // An .mgs replaces the picture and its history; an import is one more step.
    if (!MayDiscardChanges()) return;
  }
  OpenByExtension(path);
}

void FileCommands::OpenByExtension(const QString& path) {
  const auto kind = FileKindFromName(path.toStdString());
  // A bitmap is an image too: read through the image dialog, not a picture reader.
  if (kind && InfoOf(*kind).Image) return OpenImage(path);
  if (!kind || !InfoOf(*kind).Read) {
    dialogs_->ShowError(
        window_, QCoreApplication::translate("Files", "chromaLoom cannot open this kind of file:\n\n%1").arg(path));
    return;
  }
  Load(path, *kind);
}

bool FileCommands::IsKnownKind(const QString& path) { return FileKindFromName(path.toStdString()).has_value(); }

}  // namespace chromaloom

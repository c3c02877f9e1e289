#include "window/file_commands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include "editing/editor.h"
#include "files/file_io.h"
#include "formats/bmp_format.h"
#include "formats/mgs_format.h"
#include "formats/picture_file.h"

namespace chromaloom {

namespace {

// The kinds the Import and Export menus reach, with their dialog filters.
struct KindFilter {
  FileKind Kind;
  const char* Filter;
  const char* Extension;  // forced on a saved name
};
constexpr KindFilter PictureFilter{FileKind::Mgs, "*.mgs (*.mgs)", ".mgs"};
constexpr KindFilter BitmapFilter{FileKind::Bmp, "*.bmp (*.bmp)", ".bmp"};
constexpr KindFilter ImportFilters[] = {
    {FileKind::Img, "*.img (*.img)", ".img"},
    {FileKind::HobetaImg, "*.$img (*.$img)", ".$img"},
    {FileKind::Scr, "*.scr (*.scr)", ".scr"},
    {FileKind::HobetaScr, "*.scr (*.scr)", ".scr"},
    // The layout follows the header, whatever the name says.
    {FileKind::Mg8, "*.mg1/mg2/mg4/mg8 (*.mg1 *.mg2 *.mg4 *.mg8)", ".mg8"},
};
constexpr KindFilter ExportFilters[] = {
    {FileKind::Img, "*.img (*.img)", ".img"}, {FileKind::Mg1, "*.mg1 (*.mg1)", ".mg1"},
    {FileKind::Mg2, "*.mg2 (*.mg2)", ".mg2"}, {FileKind::Mg4, "*.mg4 (*.mg4)", ".mg4"},
    {FileKind::Mg8, "*.mg8 (*.mg8)", ".mg8"},
};

template <std::size_t N>
const KindFilter* FilterOf(const KindFilter (&filters)[N], FileKind kind) {
  for (const KindFilter& f : filters)
    if (f.Kind == kind) return &f;
  return nullptr;
}

std::vector<std::uint8_t> ReadCapped(const QString& path, FileKind kind) {
  return ReadFileBytes(path.toStdString(), MaxReadLength(kind));
}

}  // namespace

FileCommands::FileCommands(Editor& editor, QWidget* window, std::function<void()> pictureLoaded)
    : editor_(editor),
      window_(window),
      pictureLoaded_(std::move(pictureLoaded)),
      dialogs_(MakeQtDialogs()),
      programFolder_(QCoreApplication::applicationDirPath() + "/") {}

QString FileCommands::OpenStartupFile(const QStringList& args) {
  QString error;
  QString folder = programFolder_;
  if (args.size() == 1) {
    const QString path = args.front();
    try {
      editor_.LoadMgs(ReadCapped(path, FileKind::Mgs));
    } catch (const std::exception& e) {
      error = FileErrorMessage(path, e);
    }
    pictureLoaded_();
    folder = QFileInfo(path).absolutePath() + "/";
  }
  openDialogState_.Folder = saveDialogState_.Folder = folder;
  return error;
}

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
  if (Run(path, [&] { editor_.OpenFile(kind, ReadCapped(path, kind)); })) pictureLoaded_();
}

void FileCommands::Open() {
  const auto name = AskOpenFile(PictureFilter.Filter);
  if (!name) return;
  // The click that closed the dialog must not paint into the new picture.
  editor_.CanvasInputSuspended = true;
  Load(*name, FileKind::Mgs);
}

void FileCommands::Save() {
  const auto name = AskSaveFile(PictureFilter.Filter, PictureFilter.Extension);
  if (!name) return;
  Run(*name, [&] { WriteFileAtomically(name->toStdString(), WriteMgs(editor_.Document)); });
}

void FileCommands::Import(FileKind kind) {
  const KindFilter* filter = FilterOf(ImportFilters, kind);
  if (!filter) return;
  if (const auto name = AskOpenFile(filter->Filter)) Load(*name, kind);
}

void FileCommands::Export(FileKind kind) {
  const KindFilter* filter = FilterOf(ExportFilters, kind);
  if (!filter) return;
  const auto name = AskSaveFile(filter->Filter, filter->Extension);
  if (!name) return;
  Run(*name, [&] { WriteFileAtomically(name->toStdString(), *WritePictureFile(editor_.Document, kind)); });
}

bool FileCommands::ExportBitmap(int sizeIndex) {
  const Raster bitmap = BuildBitmap(editor_.Render.MixedRaster, editor_.Document.BorderDisplayColour(), sizeIndex);
  const auto name = AskSaveFile(BitmapFilter.Filter, BitmapFilter.Extension);
  if (!name) return true;
  return Run(*name, [&] { WriteFileAtomically(name->toStdString(), WriteBmp(bitmap)); });
}

void FileCommands::PreviewOnEmulator() {
  const auto preview = EmulatorPreviewFor(editor_.Document.CharMode);
  if (!preview) return;
  const QString folder = programFolder_ + "zxview/";
  const QString image = folder + QString::fromStdString(preview->ImageName);
  const bool written = Run(
      image, [&] { WriteFileAtomically(image.toStdString(), *WritePictureFile(editor_.Document, preview->Kind)); });
  if (!written) return;
  // Started by full path in its own folder; the editor does not wait for it.
  const QString launcher = folder + QString::fromStdString(preview->LauncherName);
  if (!QFileInfo(launcher).isExecutable() || !QProcess::startDetached(launcher, {}, folder))
    dialogs_->ShowError(
        window_, QString("The picture was written to %1, but the emulator launcher %2 could not be started.")
                     .arg(image, launcher));
}

void FileCommands::OpenAnyFile(const QString& path) {
  const auto kind = FileKindFromName(path.toStdString());
  if (!kind || *kind == FileKind::Bmp) {
    dialogs_->ShowError(window_, QString("chromaLoom cannot open this kind of file:\n\n%1").arg(path));
    return;
  }
  if (*kind == FileKind::Mgs) editor_.CanvasInputSuspended = true;
  Load(path, *kind);
}

bool FileCommands::IsKnownKind(const QString& path) { return FileKindFromName(path.toStdString()).has_value(); }

}  // namespace chromaloom

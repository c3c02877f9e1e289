// The File menu's commands that read and write files, the bitmap export
// panel, the emulator preview and dropped files.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include "files/file_io.h"
#include "formats/bmp_format.h"
#include "formats/format_error.h"
#include "formats/mgs_format.h"
#include "formats/picture_file.h"
#include "window/floating_panel.h"
#include "window/image_view.h"
#include "window/main_window.h"

namespace chromaloom {

namespace {

struct ZxScreenVariant {
  const char* Action;
  const char* Filter;
  bool Hobeta;
  bool TwoScreens;
  FileKind Kind;
};
constexpr ZxScreenVariant ZxScreenVariants[] = {
    {"Importfromimg2", "*.img|*.img", false, true, FileKind::Img},
    {"Importfromimg1", "*.$img|*.$img", true, true, FileKind::HobetaImg},
    {"Importfromscr1", "*.scr|*.scr", false, false, FileKind::Scr},
    {"Importfromscr2", "*.scr|*.scr", true, false, FileKind::HobetaScr},
};

struct ExportItem {
  const char* Action;
  const char* Filter;
  const char* Extension;
  FileKind Kind;
};
constexpr ExportItem ExportItems[] = {
    {"Exporttoimg2", "*.img|*.img", ".img", FileKind::Img}, {"Exporttomg01", "*.mg1|*.mg1", ".mg1", FileKind::Mg1},
    {"Exporttomg11", "*.mg2|*.mg2", ".mg2", FileKind::Mg2}, {"Exporttomg21", "*.mg4|*.mg4", ".mg4", FileKind::Mg4},
    {"Exporttomg81", "*.mg8|*.mg8", ".mg8", FileKind::Mg8},
};

const ExportItem* ExportItemOf(FileKind kind) {
  for (const ExportItem& item : ExportItems)
    if (item.Kind == kind) return &item;
  return nullptr;
}

std::vector<std::uint8_t> ReadCapped(const QString& path, FileKind kind) {
  return ReadFileBytes(path.toStdString(), MaxReadLength(kind));
}

}  // namespace

void MainWindow::ConnectFileCommands() {
  auto on = [this](const char* action, auto handler) {
    connect(findChild<QAction*>(action), &QAction::triggered, this, handler);
  };
  on("Open1", [this] { Open1Click(); });
  on("Save1", [this] { Save1Click(); });
  for (const ZxScreenVariant& v : ZxScreenVariants)
    on(v.Action, [this, &v] { ImportZxScreen(v.Hobeta, v.TwoScreens); });
  on("Importfrommg1mg2mg4mg81", [this] { Importfrommg1mg2mg4mg81Click(); });
  for (const ExportItem& item : ExportItems) on(item.Action, [this, &item] { ExportMultiGigaScreen(item.Kind); });
  on("ExporttoBMP1", [this] { ExporttoBMP1Click(); });
  on("PreviewonZX1", [this] { PreviewonZX1Click(); });
}

// Dialogs ----------------------------------------------------------------

std::optional<QString> MainWindow::AskOpenFile(const QString& filter) {
  const auto name = dialogs_->ChooseOpenFile(this, filter, OpenDialog1);
  if (name) OpenDialog1.LastName = *name;
  return name;
}

std::optional<QString> MainWindow::AskSaveFile(const QString& filter, const QString& extension) {
  const auto chosen = dialogs_->ChooseSaveFile(this, filter, SaveDialog1);
  if (!chosen) return std::nullopt;
  SaveDialog1.LastName = *chosen;
  const QString forced = QString::fromStdString(ForceExtension(chosen->toStdString(), extension.toStdString()));
  // The dialog asked about the name as typed; a name the extension changed needs its own question.
  if (forced != *chosen && QFileInfo::exists(forced) && !dialogs_->ConfirmOverwrite(this, forced)) return std::nullopt;
  return forced;
}

bool MainWindow::RunFileCommand(const QString& path, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    dialogs_->ShowError(this, FileErrorMessage(path, e));
    return false;
  }
}

void MainWindow::AfterPictureLoaded() {
  SyncZoomWidgets();
  ShowBorderColour();
  Img_Palette_Border->update();
  Present();
}

// Open, Save, Import ------------------------------------------------------

void MainWindow::Open1Click() {
  const auto name = AskOpenFile("*.mgs|*.mgs");
  if (!name) return;
  // The click that closed the dialog must not paint into the new picture.
  editor_.CanvasInputSuspended = true;
  LoadMgsFile(*name);
}

void MainWindow::LoadMgsFile(const QString& path) {
  ImportFile(path, FileKind::Mgs);
}

void MainWindow::Save1Click() {
  const auto name = AskSaveFile("*.mgs|*.mgs", ".mgs");
  if (!name) return;
  RunFileCommand(*name, [&] { WriteFileAtomically(name->toStdString(), WriteMgs(editor_.Document)); });
}

void MainWindow::ImportFile(const QString& path, FileKind kind) {
  if (RunFileCommand(path, [&] { editor_.OpenFile(kind, ReadCapped(path, kind)); })) AfterPictureLoaded();
}

void MainWindow::ImportZxScreen(bool hobeta, bool twoScreens) {
  for (const ZxScreenVariant& v : ZxScreenVariants) {
    if (v.Hobeta != hobeta || v.TwoScreens != twoScreens) continue;
    if (const auto name = AskOpenFile(v.Filter)) ImportFile(*name, v.Kind);
    return;
  }
}

void MainWindow::Importfrommg1mg2mg4mg81Click() {
  // The layout follows the header, whatever the name says.
  if (const auto name = AskOpenFile("*.mg1/mg2/mg4/mg8|*.mg1;*.mg2;*.mg4;*.mg8")) ImportFile(*name, FileKind::Mg8);
}

void MainWindow::OpenAnyFile(const QString& path) {
  const auto kind = FileKindFromName(path.toStdString());
  if (!kind || *kind == FileKind::Bmp) {
    dialogs_->ShowError(this, tr("chromaLoom cannot open this kind of file:\n\n%1").arg(path));
    return;
  }
  if (*kind == FileKind::Mgs) editor_.CanvasInputSuspended = true;
  ImportFile(path, *kind);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile() && FileKindFromName(urls.front().toLocalFile().toStdString()))
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  OpenAnyFile(urls.front().toLocalFile());
}

// Exports -----------------------------------------------------------------

void MainWindow::ExportMultiGigaScreen(FileKind kind) {
  const ExportItem* item = ExportItemOf(kind);
  if (!item) return;
  const auto name = AskSaveFile(item->Filter, item->Extension);
  if (!name) return;
  RunFileCommand(*name, [&] { WriteFileAtomically(name->toStdString(), *WritePictureFile(editor_.Document, kind)); });
}

void MainWindow::CreateBitmapExportContents() {
  Panel_ExportToBmp = CreateFloatingPanel("Panel_ExportToBmp", {152, 48, 225, 377});
  const QRect inside = Panel_ExportToBmp->contentsRect();
  Dragger->AddHandle(AddCaptionStrip(Panel_ExportToBmp, "Panel19", "Export to *.BMP", inside.top()),
                     Panel_ExportToBmp);
  int y = inside.top() + CaptionStrip::StripHeight + 8;
  Size = new QLabel("Select resolution and options:", Panel_ExportToBmp);
  Size->setObjectName("Size");
  Size->setGeometry(inside.left() + 8, y, inside.width() - 16, 18);
  y += 26;
  for (int i = 0; i < 9; ++i, y += 28) {
    RadioButton[i] = new QRadioButton(BitmapSizes[static_cast<std::size_t>(i)].Caption, Panel_ExportToBmp);
    RadioButton[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    RadioButton[i]->setGeometry(inside.left() + 4, y, inside.width() - 4, 22);
  }
  RadioButton[0]->setChecked(true);
  const int buttonsTop = inside.bottom() - 34;
  Button4 = new QPushButton("Ok", Panel_ExportToBmp);
  Button4->setObjectName("Button4");
  Button4->setGeometry(inside.left() + 20, buttonsTop, 80, 26);
  Button5 = new QPushButton("Cancel", Panel_ExportToBmp);
  Button5->setObjectName("Button5");
  Button5->setGeometry(inside.right() - 100, buttonsTop, 80, 26);
  connect(Button4, &QPushButton::clicked, this, &MainWindow::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &MainWindow::Button5Click);
}

void MainWindow::ExporttoBMP1Click() {
  Panel_ExportToBmp->show();
  Panel_ExportToBmp->raise();
}

void MainWindow::Button5Click() { Panel_ExportToBmp->hide(); }

void MainWindow::Button4Click() {
  int sizeIndex = 0;
  for (int i = 0; i < 9; ++i)
    if (RadioButton[i]->isChecked()) sizeIndex = i;
  const Raster bitmap =
      BuildBitmap(editor_.Render.MixedRaster, editor_.Document.BorderDisplayColour(), sizeIndex);
  if (const auto name = AskSaveFile("*.bmp|*.bmp", ".bmp")) {
    // A failed write leaves the panel open for another try.
    if (!RunFileCommand(*name, [&] { WriteFileAtomically(name->toStdString(), WriteBmp(bitmap)); })) return;
  }
  Panel_ExportToBmp->hide();
}

// Emulator preview ----------------------------------------------------------

void MainWindow::PreviewonZX1Click() {
  const auto preview = EmulatorPreviewFor(editor_.Document.CharMode);
  if (!preview) return;
  const QString folder = programFolder_ + "zxview/";
  const QString image = folder + QString::fromStdString(preview->ImageName);
  const bool written = RunFileCommand(
      image, [&] { WriteFileAtomically(image.toStdString(), *WritePictureFile(editor_.Document, preview->Kind)); });
  if (!written) return;
  // Started by full path in its own folder; the editor does not wait for it.
  const QString launcher = folder + QString::fromStdString(preview->LauncherName);
  if (!QFileInfo(launcher).isExecutable() || !QProcess::startDetached(launcher, {}, folder))
    dialogs_->ShowError(this, tr("The picture was written to %1, but the emulator launcher %2 could not be started.")
                                  .arg(image, launcher));
}

}  // namespace chromaloom

#include "editing/editor.h"

#include <stdexcept>

#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"
#include "render/zoom_icons.h"

namespace chromaloom {

namespace {
void RequireCharMode(int h) {
  if (!IsValidCharMode(h)) throw std::invalid_argument("char size must be 8, 4, 2 or 1");
}
}  // namespace

Editor::Editor() : SelectorIcons(MakeSelectorIcons()) {}

void Editor::SetZoom(int level) {
  if (level < MinZoomLevel || level > MaxZoomLevel) return;
  View.ZoomLevel = level;
  Render.ResizeEditorImage();
}

void Editor::NewPicture(int h) {
  RequireCharMode(h);
  Document.CharMode = static_cast<std::uint8_t>(h);
  SetZoom(1);
  Document.ClearPicture();
  Redraw(true);
}

void Editor::ConvertCharMode(int h) {
  RequireCharMode(h);
  Document.CharMode = static_cast<std::uint8_t>(h);
  SetZoom(1);
  Redraw(true);
}

void Editor::SelectBorder(int column, int row) {
  if (Document.SetBorderChoice(column, row)) RefreshBorderPicker(*this);
}

void Editor::TakePicture(const ImportedPicture& imported) {
  static_cast<Planes&>(Document) = imported.Planes;
  Document.CharMode = imported.CharMode;
  if (imported.Border) {
    if (const auto choice = FindBorderChoice(*imported.Border)) SelectBorder(choice->Column, choice->Row);
  }
}

void Editor::LoadMgs(std::span<const std::uint8_t> bytes) {
  TakePicture(ReadMgs(bytes));
  // Passing through the largest zoom sizes every surface once, as the editor always has.
  SetZoom(4);
  Redraw(true);
  SetZoom(1);
  Redraw(true);
}

void Editor::ImportZxScreen(std::span<const std::uint8_t> bytes, bool hobeta, bool twoScreens) {
  TakePicture(ReadZxScreen(bytes, hobeta, twoScreens));
  SetZoom(1);
  Redraw(true);
}

void Editor::ImportMg(std::span<const std::uint8_t> bytes) {
  TakePicture(ReadMg(bytes));
  SetZoom(1);
  Redraw(true);
}

void Editor::OpenFile(FileKind kind, std::span<const std::uint8_t> bytes) {
  switch (kind) {
    case FileKind::Mgs: LoadMgs(bytes); return;
    case FileKind::Scr: ImportZxScreen(bytes, false, false); return;
    case FileKind::HobetaScr: ImportZxScreen(bytes, true, false); return;
    case FileKind::Img: ImportZxScreen(bytes, false, true); return;
    case FileKind::HobetaImg: ImportZxScreen(bytes, true, true); return;
    case FileKind::Mg1:
    case FileKind::Mg2:
    case FileKind::Mg4:
    case FileKind::Mg8: ImportMg(bytes); return;
    case FileKind::Bmp: break;
  }
  throw std::invalid_argument(std::string("chromaLoom does not read ") + FileKindName(kind) + " files");
}

Rect Editor::SelectionOnEditor() const {
  const int z = View.Scale();
  const int h = Document.CharMode;
  return {Selection.Left * 8 * z, Selection.Top * h * z, Selection.Width * 8 * z, Selection.Height * h * z};
}

void Editor::Tick() {
  CanvasInputSuspended = false;
  AdvanceAnts();
  if (Selection.Shown) {
    Redraw(false);
    Render.DrawEditorAnts(SelectionOnEditor(), AntsPhase, Ants);
  }
}

}  // namespace chromaloom

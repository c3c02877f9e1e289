#include "editing/picture_commands.h"

namespace chromaloom {

namespace {
// A new or reshaped picture is shown whole, from zoom 1.
void ShowFromZoomOne(View& view) {
  view.SetZoom(1);
  view.Render.Redraw(true);
}
}  // namespace

void NewPicture(Document& document, View& view, int h) {
  const bool unsavedWork = document.IsModified();
  document.BeginChange("New");
  document.Clear(h);
  document.LeaveFile(unsavedWork);
  ShowFromZoomOne(view);
}

void ConvertCellHeight(Document& document, View& view, int h) {
  document.BeginChange("Change Char Size");
  document.SetCellHeight(h);
  ShowFromZoomOne(view);
}

void TakeImportedPicture(Document& document, View& view, PickerImages& images, const ImportedPicture& imported) {
  document.BeginChange("Import");
  document.Replace(imported.Planes, imported.CharMode, imported.Border);
  RefreshBorderPicker(images, document.Picture().Border);
  ShowFromZoomOne(view);
}

void TakeConvertedImage(Document& document, View& view, const Planes& planes, int h) {
  document.BeginChange("Import");
  document.Replace(planes, h, std::nullopt);
  ShowFromZoomOne(view);
}

bool Undo(Document& document, View& view) {
  if (!document.Undo()) return false;
  view.Render.Redraw(true);
  return true;
}

bool Redo(Document& document, View& view) {
  if (!document.Redo()) return false;
  view.Render.Redraw(true);
  return true;
}

}  // namespace chromaloom

#include "editing/picture_commands.h"

namespace chromaloom {

void NewPicture(Document& document, View& view, int h) {
  document.Clear(h);
  view.SetZoom(1);
  view.Render.Redraw(true);
}

void ConvertCellHeight(Document& document, View& view, int h) {
  document.SetCellHeight(h);
  view.SetZoom(1);
  view.Render.Redraw(true);
}

void TakeImportedPicture(Document& document, View& view, PickerImages& images, const ImportedPicture& imported) {
  document.Replace(imported.Planes, imported.CharMode, imported.Border);
  RefreshBorderPicker(images, document.Picture().Border);
  view.SetZoom(1);
  view.Render.Redraw(true);
}

void TakeConvertedImage(Document& document, View& view, const Planes& planes, int h) {
  document.SaveUndoSnapshotWithCellHeight();
  document.Replace(planes, h, std::nullopt);
  view.SetZoom(1);
  view.Render.Redraw(true);
}

void UndoSwap(Document& document, View& view) {
  document.UndoSwap();
  view.Render.Redraw(true);
}

}  // namespace chromaloom

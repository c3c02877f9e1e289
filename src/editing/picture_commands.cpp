#include "editing/picture_commands.h"

#include "picture/translated_text.h"

namespace chromaloom {

void NewPicture(Document& document, int h) {
  const bool unsavedWork = document.IsModified();
  Change change(document, QT_TRANSLATE_NOOP("Changes", "New"));
  change.Clear(h);
  change.Commit();
  document.LeaveFile(unsavedWork);
}

void ConvertCellHeight(Document& document, int h) {
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Change Char Size"));
  change.SetCellHeight(h);
  change.Commit();
}

void TakeImportedPicture(Document& document, PickerImages& images, const ImportedPicture& imported) {
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Import"));
  change.Replace(imported.Planes, imported.CellHeight, imported.Border);
  change.Commit();
  RefreshBorderPicker(images, document.Picture().Border);
}

void TakeConvertedImage(Document& document, const Planes& planes, int h) {
  Change change(document, QT_TRANSLATE_NOOP("Changes", "Import"));
  change.Replace(planes, h, std::nullopt);
  change.Commit();
}

}  // namespace chromaloom

// The selection's commands: remove, copy, paste at the pointer, delete.
// All work on whole attribute cells of both screens.
#pragma once

#include "picture/picture.h"

namespace chromaloom {

class Editor;

// The program's own clipboard: the whole picture as it was at the copy,
// and the rectangle to cut out of it when pasting.
struct PictureClipboard {
  chromaloom::Planes Planes;
  int SourceLeft = 0;
  int SourceTop = 0;
  int SourceWidth = 0;
  int SourceHeight = 0;
};

void RemoveSelection(Editor& editor);
// pointerOverPicture: the pointer's current screen position lies on the
// picture panel (the window asks the platform).
void CopySelection(Editor& editor, bool pointerOverPicture);
void PasteAtPointer(Editor& editor, bool pointerOverPicture);
void DeleteSelection(Editor& editor);

}  // namespace chromaloom

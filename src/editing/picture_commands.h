// The File menu's picture commands and undo and redo, as the document and its view
// see them: what changes, and how the view follows.
#pragma once

#include "editing/colour_pickers.h"
#include "formats/imported_picture.h"
#include "picture/document.h"
#include "render/view.h"

namespace chromaloom {

// File > New: a cleared, untitled picture at cell height h (8, 4, 2 or 1),
// shown at zoom 1.
void NewPicture(Document& document, View& view, int h);
// File > Change char size: the same planes under cell height h, shown at zoom 1.
void ConvertCellHeight(Document& document, View& view, int h);
// A picture read from a file replaces the open one as one undo step, shown
// at zoom 1; a stored border that is in the table is taken and marked on
// the border palette.
void TakeImportedPicture(Document& document, View& view, PickerImages& images, const ImportedPicture& imported);
// A converted image replaces the picture's planes at cell height h; the
// border stays. One undo step, so one undo brings the old picture back.
void TakeConvertedImage(Document& document, View& view, const Planes& planes, int h);
// One step back or forward through the history, then a full redraw; false
// when there was nothing to undo or redo.
bool Undo(Document& document, View& view);
bool Redo(Document& document, View& view);

}  // namespace chromaloom

// The File menu's picture commands as the document sees them: each is one
// undo step, and the view renders what the document reports as touched.
#pragma once

#include "editing/colour_pickers.h"
#include "formats/imported_picture.h"
#include "picture/document.h"

namespace chromaloom {

// File > New: a cleared, untitled picture at cell height h (8, 4, 2 or 1).
void NewPicture(Document& document, int h);
// File > Change char size: the same planes under cell height h.
void ConvertCellHeight(Document& document, int h);
// A picture read from a file replaces the open one as one undo step; a
// stored border that is in the table is taken and marked on the border palette.
void TakeImportedPicture(Document& document, PickerImages& images, const ImportedPicture& imported);
// A converted image replaces the picture's planes at cell height h; the
// border stays. One undo step, so one undo brings the old picture back.
void TakeConvertedImage(Document& document, const Planes& planes, int h);

}  // namespace chromaloom

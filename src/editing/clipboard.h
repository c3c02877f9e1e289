// The selection's commands: remove, copy, paste at the pointer, delete.
// All work on whole attribute cells of both screens.
#pragma once

#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"

namespace chromaloom {

// The program's own clipboard: the whole picture as it was at the copy,
// and the rectangle to cut out of it when pasting.
struct PictureClipboard {
  chromaloom::Planes Planes;
  int SourceLeft = 0;
  int SourceTop = 0;
  int SourceWidth = 0;
  int SourceHeight = 0;
};

void RemoveSelection(CellSelection& selection);
// pointerOverPicture: the pointer's current screen position lies on the
// picture panel (the window asks the platform). With no selection shown,
// the cell under the pointer becomes the selection first.
void CopySelection(const Document& document, ToolState& tools, PictureClipboard& clipboard, bool pointerOverPicture);
void PasteAtPointer(Document& document, const ToolState& tools, const PictureClipboard& clipboard,
                    bool pointerOverPicture);
// The selected cells take the current colours and the selected entry's pixels.
void DeleteSelection(Document& document, const CellSelection& selection, const Pickers& pickers);

}  // namespace chromaloom

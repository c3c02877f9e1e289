// The selection's commands: remove, copy, paste, delete. All work on whole
// attribute cells of both screens. A paste floats under the pointer first
// and reaches the picture only when placed.
#pragma once

#include "editing/colour_pickers.h"
#include "editing/tool_state.h"
#include "picture/document.h"
#include "picture/mixing_profile.h"
#include "picture/raster.h"

namespace chromaloom {

void RemoveSelection(CellSelection& selection);
// pointerOverPicture: the pointer's current screen position lies on the
// picture panel (the window asks the platform). With no selection shown,
// the cell under the pointer becomes the selection first.
void CopySelection(const Document& document, ToolState& tools, PictureClipboard& clipboard, bool pointerOverPicture);
// The selected cells take the current colours and the selected entry's pixels.
void DeleteSelection(Document& document, const CellSelection& selection, const Pickers& pickers);
// What Delete does to the planes: the selected cells take the current
// colours and the chosen entry's pixels.
void ClearSelectedCells(Planes& planes, const CellSelection& selection, int h, const Pickers& pickers);

// The (column, row) of the cell under the pointer's last place, in rows of h
// lines; a pointer left of or above the picture gives a negative cell.
Point CellUnderPointer(const ToolState& tools, int h);
// The picture pixels the clipboard's cells cover at cell height h, clipped to the picture.
Rect ClipboardArea(const PictureClipboard& clipboard, int h);
// The mixed colours of the picture's pixels in area, one raster pixel per
// picture pixel; area is clipped to the picture first.
Raster MixedArea(const Picture& picture, Rect area, const MixingProfile& mixing);

// The clipboard's cells float with their top-left cell at cell; an open
// stroke or shape ends first. False, and nothing floats, when the clipboard
// holds no cells.
bool BeginFloatingPaste(ToolState& tools, const PictureClipboard& clipboard, Point cell);
// The floating cells move to the cell under the pointer's last place.
void FollowPointer(ToolState& tools, int h);
// Writes the floating cells into the picture as one "Paste" step, clipped at
// its edges, and ends the float. Nothing floating: nothing happens.
void PlaceFloatingPaste(Document& document, ToolState& tools);
void CancelFloatingPaste(ToolState& tools);
// What the picture shows in the floating cells' area once they are placed,
// and where that area lies (picture pixels). Empty when nothing floats or
// nothing of the float lies on the picture.
struct FloatingPreview {
  Raster Pixels;
  Rect Area;     // on the picture, the size of Pixels
  Rect Outline;  // the whole float, picture pixels; may reach off the picture
};
FloatingPreview PreviewFloatingPaste(const Picture& picture, const ToolState& tools, const MixingProfile& mixing);

}  // namespace chromaloom

// All program state in one object: the picture, the view, the rasters and
// the editing state. The window owns one; tests make as many as they like.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "editing/colour_selection.h"
#include "editing/editing_state.h"
#include "formats/file_names.h"
#include "formats/imported_picture.h"
#include "picture/picture.h"
#include "render/marching_ants.h"
#include "render/renderer.h"
#include "render/view_state.h"
#include "selection/clipboard.h"
#include "selection/colour_corrector.h"

namespace chromaloom {

// The one rectangle of attribute cells the selection tool marks.
struct CellSelection {
  bool Dragging = false;
  bool Shown = false;  // its outline is drawn; the rectangle outlives it
  int Left = 0;
  int Top = 0;  // in cells of the current char mode
  int AnchorColumn = 0;
  int AnchorRow = 0;
  int Width = 0;
  int Height = 0;
};

class Editor {
 public:
  Editor();
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  Picture Document;
  ViewState View;
  Renderer Render{Document, View};
  const AntsStrips Ants;
  const std::array<Raster, 3> SelectorIcons;
  int AntsPhase = 0;
  CellSelection Selection;
  EditingState Editing;
  // The one step of undo: the planes as they were before the last snapshot.
  Planes UndoSnapshot;
  PickerImages Pickers;
  BlinkState Blink;
  PictureClipboard Clipboard;
  CorrectorState Corrector;
  // Set by Open; the canvas drops mouse input until the next timer tick.
  bool CanvasInputSuspended = false;

  // View: zoom level 1..4 (others are ignored). Does not redraw.
  void SetZoom(int level);
  void Redraw(bool full) { Render.Redraw(full); }

  // File > New and File > Change char size; h must be 8, 4, 2 or 1.
  void NewPicture(int h);
  void ConvertCharMode(int h);
  // A click on border swatch (column, row); a choice outside the table is ignored.
  void SelectBorder(int column, int row);

  // Loaders: the whole file is checked first; a bad one throws FormatError
  // and changes nothing.
  void LoadMgs(std::span<const std::uint8_t> bytes);
  void ImportZxScreen(std::span<const std::uint8_t> bytes, bool hobeta, bool twoScreens);
  void ImportMg(std::span<const std::uint8_t> bytes);
  // Open or the import that matches the kind; a bitmap is refused.
  void OpenFile(FileKind kind, std::span<const std::uint8_t> bytes);

  void AdvanceAnts() { AntsPhase = NextAntsPhase(AntsPhase); }
  // The selection's outline on the editor image.
  Rect SelectionOnEditor() const;
  // One tick of the 100 ms timer: lifts the input pause and moves the ants.
  void Tick();

 private:
  void TakePicture(const ImportedPicture& imported);
};

}  // namespace chromaloom

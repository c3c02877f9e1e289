// The picture being edited, with its one step of undo. Whatever changes
// the picture goes through here, so the cell height is always one the cell
// rule knows and undo sees every change it should.
#pragma once

#include <cstdint>
#include <optional>

#include "picture/picture.h"

namespace chromaloom {

class Document {
 public:
  Document() = default;
  // Any state at all, damaged ones included: tests and loaders of old files.
  explicit Document(const chromaloom::Picture& picture) : picture_(picture) {}

  const chromaloom::Picture& Picture() const { return picture_; }
  int CellHeight() const { return picture_.CharMode; }
  // The cell height a cell rule knows, or 0 for a damaged picture: nothing is painted then.
  int ValidCellHeight() const { return IsValidCharMode(picture_.CharMode) ? picture_.CharMode : 0; }

  void SetPixelBit(int screen, int x, int y, bool on) { picture_.SetPixelBit(screen, x, y, on); }
  void SetPixelByte(int screen, int col, int line, std::uint8_t bits) { picture_.Pixels[screen].At(col, line) = bits; }
  void SetAttr(int screen, int col, int line, AttrEntry entry) { picture_.Attrs[screen].At(col, line) = entry; }
  // Block edits (paste, transforms, the corrector): pixels and attributes
  // only, so the cell height and the border stay under the rules above.
  Planes& EditPlanes() { return picture_; }

  // New picture: all planes cleared, at cell height h (8, 4, 2 or 1; others throw).
  void Clear(int h);
  // Change char size: the planes stay, the cell rule changes.
  void SetCellHeight(int h);
  // A choice outside the border table is ignored; returns whether it was taken.
  bool SetBorderChoice(int column, int row) { return picture_.SetBorderChoice(column, row); }
  // A picture read from a file replaces this one; a stored border pair that
  // is in the table becomes the border choice, any other leaves it as it was.
  void Replace(const Planes& planes, int h, std::optional<BorderPair> border);

  // The one step of undo: the planes as they were before the last snapshot.
  void SaveUndoSnapshot() {
    undoSnapshot_ = picture_;
    undoCellHeight_.reset();
  }
  // The same for a command that also changes the cell height (a converted
  // image), so that undo brings the old picture back whole.
  void SaveUndoSnapshotWithCellHeight() {
    undoSnapshot_ = picture_;
    undoCellHeight_ = picture_.CharMode;
  }
  // Undo and redo at once: the planes trade places with the snapshot; the
  // cell height too when the snapshot holds one; the border stays.
  void UndoSwap();
  const Planes& UndoSnapshot() const { return undoSnapshot_; }

 private:
  chromaloom::Picture picture_;
  Planes undoSnapshot_;
  std::optional<std::uint8_t> undoCellHeight_;
};

}  // namespace chromaloom

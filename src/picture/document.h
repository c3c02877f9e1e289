// The picture being edited, with its undo history, the file it belongs to
// and whether it differs from that file. Whatever changes the picture goes
// through here, so the cell height is always one the cell rule knows, and
// undo and the modified mark see every change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "picture/picture.h"
#include "picture/picture_change.h"

namespace chromaloom {

class Document {
 public:
  // At least this many steps stay undoable.
  static constexpr std::size_t MaxUndoSteps = 100;

  Document() = default;
  // Any state at all, damaged ones included: tests and loaders of old files.
  explicit Document(const chromaloom::Picture& picture) : picture_(picture), changeStart_(picture) {}
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

  // Called before each change, named as the Edit menu shows it ("Pencil").
  // Whatever changed since the last call becomes one undo step; a change
  // that changes nothing leaves no step.
  void BeginChange(std::string_view what);
  // Step back or forward through the history; false when there is nothing.
  bool Undo();
  bool Redo();
  // What Undo and Redo would undo or redo; empty when there is nothing.
  std::string UndoName() const;
  std::string RedoName() const;
  // The picture as it was when the change under way began.
  const Planes& ChangeStart() const { return changeStart_; }
  std::size_t UndoStepCount() const { return position_; }
  // Memory held by the history.
  std::size_t HistoryBytes() const;

  // The file the picture was opened from or saved to; empty while untitled.
  const std::string& FilePath() const { return filePath_; }
  // Whether the picture differs from what was last opened or saved.
  bool IsModified() const;
  // The picture now is what the file holds (after a save).
  void MarkSaved(std::string filePath);
  // A picture opened from a file: a new history, nothing modified.
  void StartNewHistory(std::string filePath);
  // The picture no longer belongs to its file (File > New), so the next Save
  // asks for a name instead of overwriting that file. Unsaved work before
  // the change under way keeps the modified mark, so closing still asks.
  void LeaveFile(bool unsavedWorkBefore);

 private:
  bool ChangeUnderWay() const { return picture_ != changeStart_; }
  // Turns the change under way into a step.
  void CloseChange();

  chromaloom::Picture picture_;
  chromaloom::Picture changeStart_;
  std::string changeName_;
  std::deque<PictureChange> steps_;
  std::size_t position_ = 0;  // steps_[0, position_) are done; the rest can be redone
  std::optional<std::size_t> savedPosition_ = 0;  // none once the saved state left the history
  std::string filePath_;
};

}  // namespace chromaloom

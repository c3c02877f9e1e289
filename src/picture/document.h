// The picture being edited, with its undo history, the file it belongs to
// and whether it differs from that file. The picture changes only through a
// Change, so the cell height is always one the cell rule knows, undo and the
// modified mark see every change, and the view learns which places changed.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "picture/picture.h"
#include "picture/picture_change.h"

namespace chromaloom {

class Change;

class Document {
 public:
  // At least this many steps stay undoable.
  static constexpr std::size_t MaxUndoSteps = 100;

  Document() = default;
  // Any state at all, damaged ones included: tests and loaders of old files.
  explicit Document(const chromaloom::Picture& picture) : picture_(picture), changeStart_(picture) {}
  const chromaloom::Picture& Picture() const { return picture_; }
  int CellHeight() const { return picture_.CellHeight; }
  // The cell height a cell rule knows, or 0 for a damaged picture: nothing is painted then.
  int ValidCellHeight() const { return IsValidCellHeight(picture_.CellHeight) ? picture_.CellHeight : 0; }

  // Step back or forward through the history (an open change is committed
  // first); false when there is nothing.
  bool Undo();
  bool Redo();
  // What Undo and Redo would undo or redo; empty when there is nothing.
  std::string UndoName() const;
  std::string RedoName() const;
  // The picture as it was when the open change began (as it is, with none open).
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

  // Moves on whenever the modified mark, the undo and redo names, the cell
  // height or the file may have changed, so the window redraws its caption
  // and menus only then.
  std::uint64_t Revision() const { return revision_; }
  // The places changed since the last call, by changes, undo and redo.
  TouchedPlaces TakeTouched();

 private:
  friend class Change;
  void Open(const Change& change, std::string_view name);
  // Turns the open change into a step (none when nothing changed).
  void CommitOpen();
  // Puts the picture back as the open change found it.
  void RollBackOpen();
  // Every edit of the open change passes here first; throws for a place off the picture.
  void Touch(int col, int line);
  void Edited();
  bool ChangeUnderWay() const { return picture_ != changeStart_; }

  chromaloom::Picture picture_;
  chromaloom::Picture changeStart_;
  const Change* open_ = nullptr;  // only compared: each Change asks its own document
  bool openEdited_ = false;
  std::bitset<PlaceCount> openEdits_;  // the places the open change marked as it went
  std::string changeName_;
  std::deque<PictureChange> steps_;
  std::size_t position_ = 0;                      // steps_[0, position_) are done; the rest can be redone
  std::optional<std::size_t> savedPosition_ = 0;  // none once the saved state left the history
  std::string filePath_;
  std::uint64_t revision_ = 0;
  TouchedPlaces touched_;
};

// One named change of the picture, as a scope and the only way to change it:
//   Change change(document, "Pencil");
//   change.SetPixelBit(...);
//   change.Commit();  // one undo step, none when nothing changed
// Left without Commit, as when an exception passes, it puts the picture back
// as it found it. One change is open at a time: beginning another, undo, redo
// and a save commit the open one first (a line of several clicks stays open
// between its clicks), and a change so committed takes no more edits.
class Change {
 public:
  // name is what the Edit menu calls the step ("Pencil", "Paste").
  Change(Document& document, std::string_view name);
  ~Change();
  Change(const Change&) = delete;
  Change& operator=(const Change&) = delete;

  bool IsOpen() const { return document_.open_ == this; }
  const chromaloom::Picture& Picture() const { return document_.picture_; }

  // Each throws std::logic_error once the change is closed and
  // std::out_of_range for a place off the picture; nothing changes then.
  void SetPixelBit(int screen, int x, int y, bool on);
  void SetPixelByte(int screen, int col, int line, std::uint8_t bits);
  void SetAttr(int screen, int col, int line, AttrEntry entry);
  // Block edits (paste, transforms, the corrector): pixels and attributes
  // only, so the cell height and the border stay under the rules below. The
  // places they change are found when the change ends.
  Planes& EditPlanes();
  // New picture: all planes cleared, at cell height h (8, 4, 2 or 1; others throw).
  void Clear(int h);
  // Change char size: the planes stay, the cell rule changes.
  void SetCellHeight(int h);
  // A choice outside the border table is ignored; returns whether it was taken.
  bool SetBorderChoice(int column, int row);
  // A picture read from a file replaces this one; a stored border pair that
  // is in the table becomes the border choice, any other leaves it as it was.
  void Replace(const Planes& planes, int h, std::optional<BorderPair> border);

  // Ends the change as one undo step; does nothing once it is closed.
  void Commit();

 private:
  Document& Open();

  Document& document_;
};

}  // namespace chromaloom

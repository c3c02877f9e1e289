#include "selection/undo.h"

#include <utility>

#include "editing/editor.h"

namespace chromaloom {

void SaveUndoSnapshot(Editor& editor) { editor.UndoSnapshot = static_cast<const Planes&>(editor.Document); }

void UndoSwap(Editor& editor) {
  // Only the planes change hands: char mode and border stay with the picture.
  std::swap(static_cast<Planes&>(editor.Document), editor.UndoSnapshot);
  editor.Redraw(true);
}

}  // namespace chromaloom

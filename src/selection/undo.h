// One step of undo: the snapshot and the exchange that is undo and redo at once.
#pragma once

namespace chromaloom {

class Editor;

// Copies the picture's four planes into the snapshot. Does not redraw.
void SaveUndoSnapshot(Editor& editor);
// Exchanges the picture's planes with the snapshot, then redraws in full.
void UndoSwap(Editor& editor);

}  // namespace chromaloom

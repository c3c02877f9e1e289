#include "picture/document.h"

#include <stdexcept>
#include <utility>

namespace chromaloom {

namespace {
void RequireCellHeight(int h) {
  if (!IsValidCharMode(h)) throw std::invalid_argument("char size must be 8, 4, 2 or 1");
}
}  // namespace

void Document::Clear(int h) {
  RequireCellHeight(h);
  picture_.CharMode = static_cast<std::uint8_t>(h);
  picture_.ClearPicture();
}

void Document::SetCellHeight(int h) {
  RequireCellHeight(h);
  picture_.CharMode = static_cast<std::uint8_t>(h);
}

void Document::Replace(const Planes& planes, int h, std::optional<BorderPair> border) {
  RequireCellHeight(h);
  static_cast<Planes&>(picture_) = planes;
  picture_.CharMode = static_cast<std::uint8_t>(h);
  if (border) {
    if (const auto choice = FindBorderChoice(*border)) picture_.SetBorderChoice(choice->Column, choice->Row);
  }
}

void Document::UndoSwap() {
  std::swap(static_cast<Planes&>(picture_), undoSnapshot_);
  if (undoCellHeight_) std::swap(picture_.CharMode, *undoCellHeight_);
}

}  // namespace chromaloom

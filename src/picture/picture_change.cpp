#include "picture/picture_change.h"

namespace chromaloom {

namespace {
LineByteState StateAt(const Picture& picture, int place) {
  LineByteState state;
  for (int screen = 0; screen < 2; ++screen) {
    state.Pixels[screen] = picture.Pixels[screen].Bytes[place];
    state.Attrs[screen] = picture.Attrs[screen].Entries[place];
  }
  return state;
}
}  // namespace

PictureChange PictureChange::Between(const Picture& before, const Picture& after, std::string what) {
  PictureChange change;
  change.what_ = std::move(what);
  change.cellHeight_ = {before.CellHeight, after.CellHeight};
  change.border_ = {before.Border, after.Border};
  for (int place = 0; place < PlaceCount; ++place) {
    bool same = true;
    for (int screen = 0; screen < 2 && same; ++screen)
      same = before.Pixels[screen].Bytes[place] == after.Pixels[screen].Bytes[place] &&
             before.Attrs[screen].Entries[place] == after.Attrs[screen].Entries[place];
    if (same) continue;
    change.places_.push_back(static_cast<std::uint16_t>(place));
    change.states_[0].push_back(StateAt(before, place));
    change.states_[1].push_back(StateAt(after, place));
  }
  for (auto& states : change.states_) states.shrink_to_fit();
  change.places_.shrink_to_fit();
  return change;
}

void PictureChange::Apply(Picture& picture, int side) const {
  const std::vector<LineByteState>& states = states_[side];
  for (std::size_t i = 0; i < places_.size(); ++i) {
    for (int screen = 0; screen < 2; ++screen) {
      picture.Pixels[screen].Bytes[places_[i]] = states[i].Pixels[screen];
      picture.Attrs[screen].Entries[places_[i]] = states[i].Attrs[screen];
    }
  }
  picture.CellHeight = cellHeight_[side];
  picture.Border = border_[side];
}

void PictureChange::MarkTouched(TouchedPlaces& touched, const std::bitset<PlaceCount>& alreadyMarked) const {
  // Another cell height regroups every cell.
  if (cellHeight_[0] != cellHeight_[1]) touched.MarkWhole();
  for (const std::uint16_t place : places_)
    if (!alreadyMarked[place]) touched.Mark(place);
}

std::size_t PictureChange::Bytes() const {
  return sizeof(*this) + what_.capacity() + places_.capacity() * sizeof(std::uint16_t) +
         (states_[0].capacity() + states_[1].capacity()) * sizeof(LineByteState);
}

}  // namespace chromaloom

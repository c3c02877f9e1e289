// What one change did to the picture: the byte columns it touched on either
// screen (pixels and attributes of both, before and after) and the cell
// height and border around it. A pencil stroke costs a few hundred bytes,
// not a picture.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "picture/picture.h"

namespace chromaloom {

// One byte column of one line on both screens.
struct LineByteState {
  std::array<std::uint8_t, 2> Pixels{};
  std::array<AttrEntry, 2> Attrs{};
};

// A place is one byte column of one line: col * PictureHeight + line.
constexpr int PlaceCount = ByteColumns * PictureHeight;
constexpr int PlaceOf(int col, int line) { return col * PictureHeight + line; }

// The places of the picture that changed, each listed once, or the whole
// picture (another cell height, another picture): what the view renders again.
class TouchedPlaces {
 public:
  void Mark(int place) {
    if (marked_[static_cast<std::size_t>(place)]) return;
    marked_[static_cast<std::size_t>(place)] = true;
    places_.push_back(static_cast<std::uint16_t>(place));
  }
  void MarkWhole() { whole_ = true; }
  bool Whole() const { return whole_; }
  bool Empty() const { return !whole_ && places_.empty(); }
  const std::vector<std::uint16_t>& Places() const { return places_; }

 private:
  std::bitset<PlaceCount> marked_;
  std::vector<std::uint16_t> places_;
  bool whole_ = false;
};

class PictureChange {
 public:
  // The difference between two states of the picture; what names it in the
  // menus ("Pencil", "Paste").
  static PictureChange Between(const Picture& before, const Picture& after, std::string what);

  const std::string& What() const { return what_; }
  void Undo(Picture& picture) const { Apply(picture, 0); }
  void Redo(Picture& picture) const { Apply(picture, 1); }
  // Marks what undoing or redoing it changes on screen, but for the places
  // already marked (and maybe taken) while it was made.
  void MarkTouched(TouchedPlaces& touched, const std::bitset<PlaceCount>& alreadyMarked = {}) const;
  // What it keeps in memory.
  std::size_t Bytes() const;

 private:
  void Apply(Picture& picture, int side) const;

  std::string what_;
  std::vector<std::uint16_t> places_;                 // PlaceOf(col, line)
  std::array<std::vector<LineByteState>, 2> states_;  // before, after
  std::array<std::uint8_t, 2> cellHeight_{};
  std::array<BorderChoice, 2> border_{};
};

}  // namespace chromaloom

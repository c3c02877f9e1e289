// What one change did to the picture: the byte columns it touched on either
// screen (pixels and attributes of both, before and after) and the cell
// height and border around it. A pencil stroke costs a few hundred bytes,
// not a picture.
#pragma once

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

class PictureChange {
 public:
  // The difference between two states of the picture; what names it in the
  // menus ("Pencil", "Paste").
  static PictureChange Between(const Picture& before, const Picture& after, std::string what);

  const std::string& What() const { return what_; }
  void Undo(Picture& picture) const { Apply(picture, 0); }
  void Redo(Picture& picture) const { Apply(picture, 1); }
  // What it keeps in memory.
  std::size_t Bytes() const;

 private:
  void Apply(Picture& picture, int side) const;

  std::string what_;
  std::vector<std::uint16_t> places_;              // col * PictureHeight + line
  std::array<std::vector<LineByteState>, 2> states_;  // before, after
  std::array<std::uint8_t, 2> cellHeight_{};
  std::array<BorderChoice, 2> border_{};
};

}  // namespace chromaloom

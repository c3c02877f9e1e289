// How the two screens' colours mix on the display: a 15 x 15 table of RGB
// and its name. The picture's own table is the default; the plain and the
// linear-light averages are the two models artists also ask for, and a
// table of the user's own comes from a text file (formats/).
#pragma once

#include <optional>
#include <string>

#include "picture/picture.h"
#include "picture/zx_colour.h"

namespace chromaloom {

enum class MixingKind { Own, Average, Linear, File };

struct MixingProfile {
  MixingKind Kind = MixingKind::Own;
  std::string Name = "own table";  // what the menus and the export panel call it
  MixedColourTableType Table = MixedColourTable;

  // The mixed colour of a pair; an index past the colours (a damaged
  // file's byte) falls back to the own rule rather than leave the table.
  Rgb Mix(int screen0, int screen1) const {
    if (!IsValidZxColour(screen0) || !IsValidZxColour(screen1))
      return MixColours(static_cast<ZxColour>(screen0), static_cast<ZxColour>(screen1));
    return Table[screen0][screen1];
  }
  // The border as the display shows it: a mixed colour like any other.
  Rgb BorderColour(const Picture& picture) const {
    const BorderPair pair = picture.GetBorderPair();
    return BorderRgb(pair.Screen0, pair.Screen1, Table);
  }

  friend bool operator==(const MixingProfile&, const MixingProfile&) = default;
};

// The rounded mean of two 8-bit values, and their mean in linear light
// (the sRGB transfer function there and back), rounded.
int AverageChannel(int x, int y);
int LinearChannel(int x, int y);

MixingProfile OwnMixing();
MixingProfile AverageMixing();
MixingProfile LinearMixing();
// own, average or linear by that name; nullopt for any other.
std::optional<MixingProfile> MixingNamed(const std::string& name);

}  // namespace chromaloom

#include "picture/picture.h"

namespace chromaloom {

std::optional<BorderChoice> FindBorderChoice(BorderPair pair) {
  for (int i = 0; i < BorderColumns; ++i)
    for (int j = 0; j < BorderRows; ++j)
      if (BorderPairTable[i][j] == pair) return BorderChoice{i, j};
  return std::nullopt;
}

bool PixelPlane::Bit(int x, int y) const { return (At(x / 8, y) & PixelMask(x)) != 0; }

void PixelPlane::SetBit(int x, int y, bool on) {
  std::uint8_t& byte = At(x / 8, y);
  byte = static_cast<std::uint8_t>(on ? (byte | PixelMask(x)) : (byte & ~PixelMask(x)));
}

Rgb Picture::BorderDisplayColour() const {
  const BorderPair pair = GetBorderPair();
  return BorderRgb(pair.Screen0, pair.Screen1);
}

bool Picture::SetBorderChoice(int column, int row) {
  if (column < 0 || column >= BorderColumns || row < 0 || row >= BorderRows) return false;
  Border = {column, row};
  return true;
}

}  // namespace chromaloom

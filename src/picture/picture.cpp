#include "picture/picture.h"

namespace chromaloom {

std::optional<BorderChoice> FindBorderChoice(BorderPair pair) {
  for (int i = 0; i < BorderColumns; ++i)
    for (int j = 0; j < BorderRows; ++j)
      if (BorderPairTable[i][j] == pair) return BorderChoice{i, j};
  return std::nullopt;
}

void Picture::SetPixelBit(int s, int x, int y, bool bit) {
  std::uint8_t& byte = Pixels[s].At(x / 8, y);
  byte = static_cast<std::uint8_t>(bit ? (byte | PixelMask(x)) : (byte & ~PixelMask(x)));
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

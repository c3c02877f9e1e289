#include "formats/file_names.h"

#include <algorithm>

namespace chromaloom {

namespace {

// Names are UTF-8: a character starts at every byte that is not a continuation byte.
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

}  // namespace

std::string ForceExtension(const std::string& name, const std::string& ext) {
  // Step back over the last 4 characters; a character before them makes the name longer than 4.
  std::size_t tail = name.size();
  for (int characters = 0; tail > 0 && characters < 4;)
    if (StartsCharacter(name[--tail])) ++characters;
  const bool longer = std::any_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(tail), StartsCharacter);
  if (!longer || std::string_view(name).substr(tail) == ext) return name;
  return name + ext;
}

std::optional<EmulatorPreview> EmulatorPreviewFor(int cellHeight) {
  switch (cellHeight) {
    case 1:
      return EmulatorPreview{"image.z80", "view8x1.sh", FileKind::Z80};
    case 2:
      return EmulatorPreview{"image.z80", "view8x2.sh", FileKind::Z80};
    case 4:
      return EmulatorPreview{"image.z80", "view8x4.sh", FileKind::Z80};
    case 8:
      return EmulatorPreview{"image.z80", "view8x8.sh", FileKind::Z80};
    default:
      return std::nullopt;
  }
}

}  // namespace chromaloom

#include "spectrum/file_encoding.h"

#include "spectrum/spectrum_files.h"

namespace chromaloom {

std::optional<std::vector<std::uint8_t>> EncodeFile(FileKind kind, const Picture& picture, int screen) {
  if (kind == FileKind::Z80 || kind == FileKind::Szx) return WriteSnapshot(picture, kind);
  if (kind == FileKind::Tap) return WriteTape(picture);
  return WritePictureFile(picture, kind, screen);
}

}  // namespace chromaloom

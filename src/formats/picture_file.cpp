#include "formats/picture_file.h"

#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/zx_screen_format.h"

namespace chromaloom {

std::optional<std::vector<std::uint8_t>> WritePictureFile(const Picture& picture, FileKind kind) {
  switch (kind) {
    case FileKind::Mgs: return WriteMgs(picture);
    case FileKind::Img: return WriteImg(picture);
    case FileKind::Mg1: return WriteMg1(picture);
    // The data follows the picture's cell height whatever the name says.
    case FileKind::Mg2:
    case FileKind::Mg4:
    case FileKind::Mg8: return WriteMg(picture);
    case FileKind::Scr:
    case FileKind::HobetaScr:
    case FileKind::HobetaImg:
    case FileKind::Bmp: break;
  }
  return std::nullopt;
}

}  // namespace chromaloom

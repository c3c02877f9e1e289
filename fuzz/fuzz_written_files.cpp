// The .img writer on every picture a reader can make: a file of the kind the
// first byte picks (any kind that is read) is read and taken into a picture as
// the converter's import does (without the document's undo record, which
// cost more than the rest together), then written as .img and read back (a
// picture from ZX screens must come back whole). The rest of the input is applied as edits to
// a valid file of that kind: 3 bytes an edit (16-bit offset, value); a
// leftover byte cuts that many bytes off the end. The bitmap writer has its
// own target, fuzz_bitmap_files, on small rasters: a full-size bitmap on each
// input kept this one under a hundred inputs a second.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "edited_file.h"
#include "formats/file_kinds.h"
#include "formats/format_error.h"
#include "formats/one_screen_format.h"
#include "formats/zx_screen_format.h"
#include "picture/picture.h"

using namespace chromaloom;

namespace {

struct ReadKind {
  FileKind Kind;
  std::vector<std::uint8_t> Valid;
};

// Every row holds many colours, so a reader or writer that mixes up
// columns, lines or screens shows on the first input.
Picture ColourfulPicture(std::uint8_t cellHeight) {
  Picture picture;
  picture.CellHeight = cellHeight;
  for (int s = 0; s < 2; ++s)
    for (int col = 0; col < ByteColumns; ++col)
      for (int line = 0; line < PictureHeight; ++line) {
        picture.Pixels[s].At(col, line) = static_cast<std::uint8_t>(col * 37 + line * 11 + s * 101);
        picture.Attrs[s].At(col, line) = {static_cast<ZxColour>((col + line + s) % 15),
                                          static_cast<ZxColour>((col * 3 + line / 2 + 7 * s) % 15)};
      }
  picture.SetBorderChoice(7, 2);
  return picture;
}

std::vector<ReadKind> ReadKinds() {
  const std::vector<std::uint8_t> img = *WritePictureFile(ColourfulPicture(8), FileKind::Img);
  const std::vector<std::uint8_t> scr(img.begin(), img.begin() + ZxScreenLength);
  auto hobeta = [](const std::vector<std::uint8_t>& body) {
    std::vector<std::uint8_t> file(HobetaHeaderLength, 0);
    file.insert(file.end(), body.begin(), body.end());
    return file;
  };
  std::vector<ReadKind> kinds;
  for (const FileKindInfo& info : FileKinds) {
    if (!info.Read) continue;
    const std::uint8_t mode = info.Kind == FileKind::Mg1   ? 1
                              : info.Kind == FileKind::Mg2 ? 2
                              : info.Kind == FileKind::Mg4 ? 4
                                                           : 8;
    std::vector<std::uint8_t> valid;
    if (info.Kind == FileKind::Atr)  // attributes alone, and its writer wants the checkerboard's pixels
      valid.assign(OneScreenFileLength(OneScreenLayoutOf(info.Kind)), 0x47);
    else if (auto written = WritePictureFile(ColourfulPicture(mode), info.Kind))
      valid = std::move(*written);
    else if (info.Kind == FileKind::HobetaImg)
      valid = hobeta(img);
    else if (info.Kind == FileKind::Scr)
      valid = scr;
    else if (info.Kind == FileKind::HobetaScr)
      valid = hobeta(scr);
    else
      valid.assign(info.ReadCap, 0);
    kinds.push_back({info.Kind, std::move(valid)});
  }
  return kinds;
}

bool IsZxScreenKind(FileKind kind) {
  return kind == FileKind::Img || kind == FileKind::HobetaImg || kind == FileKind::Scr || kind == FileKind::HobetaScr;
}

void CheckImg(const Picture& picture, FileKind kind) {
  // .img keeps every pixel, and the whole of a picture that came from ZX
  // screens (its bytes may differ: FLASH and a BRIGHT on black are not kept).
  const std::vector<std::uint8_t> img = *WritePictureFile(picture, FileKind::Img);
  if (img.size() != ZxScreenFileLength(false, true)) std::abort();
  const Planes back = ReadPictureFile(FileKind::Img, img).Planes;
  if (!(back.Pixels == picture.Pixels)) std::abort();
  if (IsZxScreenKind(kind) && !(back == static_cast<const Planes&>(picture))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<ReadKind> kinds = ReadKinds();
  if (size < 1) return 0;
  const ReadKind& kind = kinds[data[0] % kinds.size()];
  const std::vector<std::uint8_t> file = Edited(kind.Valid, data + 1, size - 1);
  ImportedPicture read;
  try {
    read = ReadPictureFile(kind.Kind, file);
  } catch (const FormatError&) {
    return 0;
  }
  // The import refuses any other cell height, so a reader must never give one.
  if (!IsValidCellHeight(read.CellHeight)) std::abort();
  Picture picture;
  static_cast<Planes&>(picture) = read.Planes;
  picture.CellHeight = static_cast<std::uint8_t>(read.CellHeight);
  if (read.Border)
    if (const auto choice = FindBorderChoice(*read.Border)) picture.SetBorderChoice(choice->Column, choice->Row);
  CheckImg(picture, kind.Kind);
  return 0;
}

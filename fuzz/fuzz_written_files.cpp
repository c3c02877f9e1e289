// The writers on every picture a reader can make, as the converter runs them:
// a file of the kind the first byte picks (any kind that is read) is read into
// a document, then written as .img (a picture from ZX screens must come back
// whole) and as a bitmap of the size the second byte picks. The rest of the
// input is applied as edits to a valid file of that kind: 3 bytes an edit
// (16-bit offset, value); a leftover byte cuts that many bytes off the end.
// A target of its own, as a bitmap costs far more than a read and would slow
// the reader targets down.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "edited_file.h"
#include "formats/bmp_format.h"
#include "formats/file_kinds.h"
#include "formats/format_error.h"
#include "formats/zx_screen_format.h"
#include "picture/document.h"
#include "render/picture_bitmap.h"

using namespace chromaloom;

namespace {

struct ReadKind {
  FileKind Kind;
  std::vector<std::uint8_t> Valid;
};

// Every row holds many colours, so a bitmap with its rows or colour channels
// out of place differs from its raster on the first input.
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
    if (auto written = WritePictureFile(ColourfulPicture(mode), info.Kind))
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

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool IsZxScreenKind(FileKind kind) {
  return kind == FileKind::Img || kind == FileKind::HobetaImg || kind == FileKind::Scr || kind == FileKind::HobetaScr;
}

void CheckWriters(const Picture& picture, int sizeIndex, FileKind kind) {
  // .img keeps every pixel, and the whole of a picture that came from ZX
  // screens (its bytes may differ: FLASH and a BRIGHT on black are not kept).
  const std::vector<std::uint8_t> img = *WritePictureFile(picture, FileKind::Img);
  if (img.size() != ZxScreenFileLength(false, true)) std::abort();
  const Planes back = ReadPictureFile(FileKind::Img, img).Planes;
  if (!(back.Pixels == picture.Pixels)) std::abort();
  if (IsZxScreenKind(kind) && !(back == static_cast<const Planes&>(picture))) std::abort();

  const BitmapSize& size = BitmapSizes[static_cast<std::size_t>(sizeIndex)];
  const Raster bitmap = RenderBitmap(picture, sizeIndex);
  const int width = size.W + 2 * size.X;
  const int height = size.H + 2 * size.Y;
  if (bitmap.Width() != width || bitmap.Height() != height) std::abort();
  // The picture's first pixel is the mixed colour of its two screens, enlarged inside the border.
  if (bitmap.At(size.X, size.Y) != RenderMixedPicture(picture).At(0, 0)) std::abort();
  if (size.X > 0 && bitmap.At(0, 0) != picture.BorderDisplayColour()) std::abort();

  const std::vector<std::uint8_t> bmp = WriteBmp(bitmap);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  if (bmp.size() != 54 + stride * static_cast<std::size_t>(height) || Le32(bmp, 2) != bmp.size()) std::abort();
  if (Le32(bmp, 18) != static_cast<std::uint32_t>(width) || Le32(bmp, 22) != static_cast<std::uint32_t>(height))
    std::abort();
  // Rows are stored bottom-up, pixels as blue, green, red; three rows are compared in full.
  for (const int y : {0, height / 2, height - 1}) {
    const std::uint8_t* stored = bmp.data() + 54 + stride * static_cast<std::size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x, stored += 3) {
      const Rgb pixel = bitmap.At(x, y);
      if (stored[0] != BlueOf(pixel) || stored[1] != GreenOf(pixel) || stored[2] != RedOf(pixel)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<ReadKind> kinds = ReadKinds();
  if (size < 2) return 0;
  const ReadKind& kind = kinds[data[0] % kinds.size()];
  const int sizeIndex = data[1] % static_cast<int>(BitmapSizes.size());
  const std::vector<std::uint8_t> file = Edited(kind.Valid, data + 2, size - 2);
  Document document;
  try {
    const ImportedPicture read = ReadPictureFile(kind.Kind, file);
    Change change(document, "Import");
    change.Replace(read.Planes, read.CellHeight, read.Border);
    change.Commit();
  } catch (const FormatError&) {
    return 0;
  }
  CheckWriters(document.Picture(), sizeIndex, kind.Kind);
  return 0;
}

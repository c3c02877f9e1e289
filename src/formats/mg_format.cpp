#include "formats/mg_format.h"

#include <stdexcept>
#include <string>

#include "formats/format_error.h"
#include "formats/zx_screen_format.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

constexpr char Magic[3] = {'M', 'G', 'H'};
constexpr std::size_t ModeOffset = 4;
constexpr std::size_t AttrsOffset = MgHeaderLength + 2 * ZxPixelAreaLength;  // 12544
constexpr int CellRows = PictureHeight / 8;
constexpr int MiddleColumns = 16;  // columns 8..23 keep 8x1 cells in the .mg1 layout
constexpr std::size_t Mg1MiddleLength = MiddleColumns * PictureHeight;  // 3072 per screen
constexpr std::size_t Mg1SidesLength = MiddleColumns * CellRows;        // 384 per screen
static_assert(AttrsOffset + 2 * Mg1MiddleLength + 2 * Mg1SidesLength == Mg1FileLength);
static_assert(MgFileLength(1) == MgMaxLength);

// The .mg1 side index i = 0..15 covers columns 0..7, then 24..31.
constexpr int SideColumn(int i) { return i < 8 ? i : i + 16; }

}  // namespace

void CheckWritable(const Picture& picture) {
  if (!IsValidCellHeight(picture.CellHeight))
    throw std::invalid_argument("cannot export a picture with char size " + std::to_string(picture.CellHeight));
  if (picture.Border.Column < 0 || picture.Border.Column >= BorderColumns || picture.Border.Row < 0 ||
      picture.Border.Row >= BorderRows)
    throw std::invalid_argument("cannot export a picture whose border choice is outside the border table");
}

namespace {

// Header and both pixel blocks, common to every layout.
std::vector<std::uint8_t> StartFile(const Picture& picture, std::size_t length) {
  std::vector<std::uint8_t> out(MgHeaderLength, 0);
  out.reserve(length);
  out[0] = static_cast<std::uint8_t>(Magic[0]);
  out[1] = static_cast<std::uint8_t>(Magic[1]);
  out[2] = static_cast<std::uint8_t>(Magic[2]);
  out[3] = 1;
  out[ModeOffset] = picture.CellHeight;
  const BorderPair border = picture.GetBorderPair();
  out[5] = static_cast<std::uint8_t>(border.Screen0);
  out[6] = static_cast<std::uint8_t>(border.Screen1);
  out[MgHeaderLength - 1] = 0xFF;
  for (int s = 0; s < 2; ++s) {
    const ZxPixelBlock block = MakeZxPixelBlock(picture.Pixels[s]);
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

void FillCell(AttrPlane& plane, int col, int firstLine, int height, AttrEntry entry) {
  for (int line = firstLine; line < firstLine + height; ++line) plane.At(col, line) = entry;
}

}  // namespace

std::vector<std::uint8_t> WriteMg1(const Picture& picture) {
  CheckWritable(picture);
  std::vector<std::uint8_t> out = StartFile(picture, Mg1FileLength);
  for (int s = 0; s < 2; ++s)
    for (int line = 0; line < PictureHeight; ++line)
      for (int col = 8; col < 8 + MiddleColumns; ++col) out.push_back(ZxAttrByteOf(picture.Attrs[s].At(col, line)));
  for (int s = 0; s < 2; ++s)
    for (int row = 0; row < CellRows; ++row)
      for (int i = 0; i < MiddleColumns; ++i) out.push_back(ZxAttrByteOf(picture.Attrs[s].At(SideColumn(i), row * 8)));
  return out;
}

std::vector<std::uint8_t> WriteMg(const Picture& picture) {
  CheckWritable(picture);
  const int h = picture.CellHeight;
  std::vector<std::uint8_t> out = StartFile(picture, MgFileLength(h));
  for (int s = 0; s < 2; ++s)
    for (int row = 0; row < PictureHeight / h; ++row)
      for (int col = 0; col < ByteColumns; ++col) out.push_back(ZxAttrByteOf(picture.Attrs[s].At(col, row * h)));
  return out;
}

ImportedPicture ReadMg(std::span<const std::uint8_t> bytes) {
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < sizeof Magic && i < size; ++i)
    if (bytes[i] != static_cast<std::uint8_t>(Magic[i]))
      throw FormatError(QT_TRANSLATE_NOOP(
          "Messages", "the file does not start with \"MGH\", so it is not a MultiGigaScreen picture"));
  if (size < MgHeaderLength)
    throw FormatError(
        QT_TRANSLATE_NOOP("Messages", "file is %1 bytes, shorter than the %2-byte MultiGigaScreen header"),
        {std::to_string(size), std::to_string(MgHeaderLength)});

  const int mode = bytes[ModeOffset];
  if (!IsValidCellHeight(mode))
    throw FormatError(QT_TRANSLATE_NOOP("Messages", "char size byte is %1, it must be 1, 2, 4 or 8"),
                      {std::to_string(mode)});
  const std::size_t needed = MgReadLength(mode);
  if (size < needed)
    throw mode == 1
        ? FormatError(
              QT_TRANSLATE_NOOP("Messages", "file is %1 bytes, an 8x1 (.mg1 layout) MultiGigaScreen picture needs %2"),
              {std::to_string(size), std::to_string(needed)})
        : FormatError(QT_TRANSLATE_NOOP("Messages", "file is %1 bytes, an 8x%2 MultiGigaScreen picture needs %3"),
                      {std::to_string(size), std::to_string(mode), std::to_string(needed)});

  ImportedPicture result;
  result.CellHeight = static_cast<std::uint8_t>(mode);
  for (int s = 0; s < 2; ++s)
    result.Planes.Pixels[s] =
        PixelPlaneFromZx(bytes.subspan(MgHeaderLength + s * ZxPixelAreaLength).first<ZxPixelAreaLength>());

  const auto attrs = bytes.subspan(AttrsOffset);
  if (mode == 1) {
    const auto middle = attrs.first(2 * Mg1MiddleLength);
    const auto sides = attrs.subspan(2 * Mg1MiddleLength, 2 * Mg1SidesLength);
    for (int s = 0; s < 2; ++s) {
      AttrPlane& plane = result.Planes.Attrs[s];
      std::size_t k = s * Mg1MiddleLength;
      for (int line = 0; line < PictureHeight; ++line)
        for (int col = 8; col < 8 + MiddleColumns; ++col) plane.At(col, line) = AttrEntryFromZx(middle[k++]);
      k = s * Mg1SidesLength;
      for (int row = 0; row < CellRows; ++row)
        for (int i = 0; i < MiddleColumns; ++i) FillCell(plane, SideColumn(i), row * 8, 8, AttrEntryFromZx(sides[k++]));
    }
  } else {
    const int rows = PictureHeight / mode;
    const std::size_t perScreen = static_cast<std::size_t>(rows) * ByteColumns;
    for (int s = 0; s < 2; ++s) {
      std::size_t k = s * perScreen;
      for (int row = 0; row < rows; ++row)
        for (int col = 0; col < ByteColumns; ++col)
          FillCell(result.Planes.Attrs[s], col, row * mode, mode, AttrEntryFromZx(attrs[k++]));
    }
  }
  return result;
}

}  // namespace chromaloom

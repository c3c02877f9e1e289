#include "formats/mgs_format.h"

#include <stdexcept>
#include <string>

#include "formats/format_error.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

constexpr char Magic[3] = {'M', 'G', 'S'};
constexpr std::size_t ModeOffset = 4;
constexpr std::size_t PlanesOffsetV0 = 5;  // version 0 has no border bytes
constexpr std::size_t PlanesOffsetV1 = 7;
constexpr std::size_t PixelPlaneLength = ByteColumns * PictureHeight;

std::string Num(std::size_t n) { return std::to_string(n); }

// Where a colour byte sits, in words a user can look up in a hex editor.
std::string ColourPlace(std::size_t offset, int screen, int line, int col, bool ink) {
  return "offset " + Num(offset) + " (screen " + std::to_string(screen) + ", line " + std::to_string(line) +
         ", column " + std::to_string(col) + (ink ? " INK" : " PAPER") + ")";
}

std::uint8_t CheckedColour(std::span<const std::uint8_t> bytes, std::size_t offset, int screen, int line, int col,
                           bool ink) {
  const std::uint8_t c = bytes[offset];
  if (!IsValidZxColour(c))
    throw FormatError(QT_TRANSLATE_NOOP("Messages", "colour byte %1 at %2 is not a colour index 0..14"),
                      {std::to_string(c), ColourPlace(offset, screen, line, col, ink)});
  return c;
}

}  // namespace

ImportedPicture ReadMgs(std::span<const std::uint8_t> bytes) {
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < sizeof Magic && i < size; ++i)
    if (bytes[i] != static_cast<std::uint8_t>(Magic[i]))
      throw FormatError(
          QT_TRANSLATE_NOOP("Messages", "the file does not start with \"MGS\", so it is not a native .mgs picture"));
  if (size <= ModeOffset)
    throw FormatError(QT_TRANSLATE_NOOP("Messages", "file is %1 bytes, a version 1 picture needs %2"),
                      {Num(size), Num(MgsLengthV1)});

  const int version = bytes[3];
  const bool hasBorder = version >= 1;
  const std::size_t needed = hasBorder ? MgsLengthV1 : MgsLengthV0;
  if (size < needed)
    throw FormatError(QT_TRANSLATE_NOOP("Messages", "file is %1 bytes, a version %2 picture needs %3"),
                      {Num(size), std::to_string(version), Num(needed)});

  const std::uint8_t mode = bytes[ModeOffset];
  if (!IsValidCellHeight(mode))
    throw FormatError(QT_TRANSLATE_NOOP("Messages", "char size byte is %1, it must be 1, 2, 4 or 8"),
                      {std::to_string(mode)});

  ImportedPicture result;
  result.CellHeight = mode;
  if (hasBorder) result.Border = BorderPair{bytes[5], bytes[6]};

  std::size_t at = hasBorder ? PlanesOffsetV1 : PlanesOffsetV0;
  for (int s = 0; s < 2; ++s)
    for (int line = 0; line < PictureHeight; ++line)
      for (int col = 0; col < ByteColumns; ++col) result.Planes.Pixels[s].At(col, line) = bytes[at++];
  for (int s = 0; s < 2; ++s)
    for (int line = 0; line < PictureHeight; ++line)
      for (int col = 0; col < ByteColumns; ++col) {
        // The file keeps INK first, then PAPER.
        AttrEntry& entry = result.Planes.Attrs[s].At(col, line);
        entry.Ink = CheckedColour(bytes, at, s, line, col, true);
        entry.Paper = CheckedColour(bytes, at + 1, s, line, col, false);
        at += 2;
      }
  return result;
}

std::vector<std::uint8_t> WriteMgs(const Picture& picture) {
  // Refuse to write a file that ReadMgs would turn away.
  if (!IsValidCellHeight(picture.CellHeight))
    throw std::invalid_argument("cannot save a picture with char size " + std::to_string(picture.CellHeight));
  if (picture.Border.Column < 0 || picture.Border.Column >= BorderColumns || picture.Border.Row < 0 ||
      picture.Border.Row >= BorderRows)
    throw std::invalid_argument("cannot save a picture whose border choice is outside the border table");
  for (const AttrPlane& plane : picture.Attrs)
    for (const AttrEntry& entry : plane.Entries)
      if (!IsValidZxColour(entry.Ink) || !IsValidZxColour(entry.Paper))
        throw std::invalid_argument("cannot save a picture with a colour index above 14");

  std::vector<std::uint8_t> out;
  out.reserve(MgsLengthV1);
  out.insert(out.end(), std::begin(Magic), std::end(Magic));
  out.push_back(1);
  out.push_back(picture.CellHeight);
  const BorderPair border = picture.GetBorderPair();
  out.push_back(static_cast<std::uint8_t>(border.Screen0));
  out.push_back(static_cast<std::uint8_t>(border.Screen1));
  for (int s = 0; s < 2; ++s)
    for (int line = 0; line < PictureHeight; ++line)
      for (int col = 0; col < ByteColumns; ++col) out.push_back(picture.Pixels[s].At(col, line));
  for (int s = 0; s < 2; ++s)
    for (int line = 0; line < PictureHeight; ++line)
      for (int col = 0; col < ByteColumns; ++col) {
        const AttrEntry& entry = picture.Attrs[s].At(col, line);
        out.push_back(entry.Ink);
        out.push_back(entry.Paper);
      }
  static_assert(PlanesOffsetV1 + 2 * PixelPlaneLength + 4 * PixelPlaneLength == MgsLengthV1);
  return out;
}

}  // namespace chromaloom

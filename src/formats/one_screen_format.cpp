#include "formats/one_screen_format.h"

#include "convert/cell_painter.h"
#include "formats/format_error.h"
#include "formats/zx_screen_format.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

constexpr std::size_t PixelAreaLength = ByteColumns * PictureHeight;

std::size_t PixelOffset(PixelOrder order, int col, int line) {
  return static_cast<std::size_t>((order == PixelOrder::Linear ? line * ByteColumns : ZxLineOffset(line)) + col);
}

std::size_t AttrAreaStart(const OneScreenLayout& layout) {
  return layout.Pixels == PixelOrder::Checkerboard ? 0 : PixelAreaLength;
}

std::uint8_t CheckerboardByte(int line) { return line % 2 == 0 ? 0x55 : 0xAA; }

UserText CellsText(int n) {
  return UserText::Of(n == 1 ? QT_TRANSLATE_NOOP("Messages", "%1 cell") : QT_TRANSLATE_NOOP("Messages", "%1 cells"),
                      {std::to_string(n)});
}

}  // namespace

SideColumnFit FitSideColumns(Planes& planes, int screen) {
  // The plain colours of one screen: the table and the flicker weight play no part.
  static const CellPainter painter(MixedColourTable, ColourMetric::Srgb, 0.0);
  PixelPlane& pixels = planes.Pixels[screen];
  AttrPlane& attrs = planes.Attrs[screen];
  SideColumnFit fit;
  for (int col = 0; col < ByteColumns; ++col) {
    if (!IsSideColumn(col)) continue;
    for (int top = 0; top < PictureHeight; top += 8) {
      bool uniform = true;
      for (int line = top + 1; line < top + 8; ++line) uniform &= attrs.At(col, line) == attrs.At(col, top);
      if (uniform) continue;
      CellPaint cell;
      std::array<ZxColour, 64> before{};
      for (int p = 0; p < 64; ++p) {
        const int line = top + p / 8;
        const AttrEntry& a = attrs.At(col, line);
        before[p] = (pixels.At(col, line) & (0x80 >> (p % 8))) ? a.Ink : a.Paper;
        cell.Shown[p] = ZxRgb(before[p]);
      }
      const CellColours solved = painter.SolveScreen(cell, 0, {});
      bool changed = false;
      for (int p = 0; p < 64; ++p) {
        const bool ink = (solved.Rows[0][p / 8] & (0x80 >> (p % 8))) != 0;
        changed |= (ink ? solved.Attrs[0].Ink : solved.Attrs[0].Paper) != before[p];
      }
      for (int line = top; line < top + 8; ++line) {
        attrs.At(col, line) = solved.Attrs[0];
        pixels.At(col, line) = solved.Rows[0][line - top];
      }
      ++fit.Solved;
      fit.Changed += changed;
    }
  }
  return fit;
}

ImportedPicture ReadOneScreen(std::span<const std::uint8_t> bytes, const OneScreenLayout& layout) {
  const std::size_t length = OneScreenFileLength(layout);
  if (bytes.size() != length)
    throw bytes.size() > length
        ? FormatError(QT_TRANSLATE_NOOP("Messages", "%1 files are exactly %2 bytes, and this one is longer"),
                      {std::string(layout.Name), std::to_string(length)})
        : FormatError(QT_TRANSLATE_NOOP("Messages", "%1 files are exactly %2 bytes, and this one is %3"),
                      {std::string(layout.Name), std::to_string(length), std::to_string(bytes.size())});

  ImportedPicture result;
  result.CellHeight = static_cast<std::uint8_t>(layout.CellHeight);
  Planes& planes = result.Planes;
  for (int line = 0; line < PictureHeight; ++line)
    for (int col = 0; col < ByteColumns; ++col)
      planes.Pixels[0].At(col, line) = layout.Pixels == PixelOrder::Checkerboard
                                           ? CheckerboardByte(line)
                                           : bytes[PixelOffset(layout.Pixels, col, line)];
  int flashing = 0;
  const std::size_t attrStart = AttrAreaStart(layout);
  const int h = layout.CellHeight;
  for (int row = 0; row < PictureHeight / h; ++row)
    for (int col = 0; col < ByteColumns; ++col) {
      const std::uint8_t byte = bytes[attrStart + static_cast<std::size_t>(row * ByteColumns + col)];
      flashing += (byte & 0x80) != 0;
      for (int line = row * h; line < row * h + h; ++line) planes.Attrs[0].At(col, line) = AttrEntryFromZx(byte);
    }

  if (h == 1) {
    const SideColumnFit fit = FitSideColumns(planes, 0);
    if (fit.Solved > 0)
      result.Notes.push_back(UserText::Of(
          fit.Changed == 0   ? QT_TRANSLATE_NOOP("Messages",
                                                 "8x1 side columns keep one attribute per 8x8 cell: %1 of the file had "
                                                   "several and none now show other colours")
          : fit.Changed == 1 ? QT_TRANSLATE_NOOP("Messages",
                                                 "8x1 side columns keep one attribute per 8x8 cell: %1 of the file had "
                                                 "several and 1 now shows other colours")
                             : QT_TRANSLATE_NOOP("Messages",
                                                 "8x1 side columns keep one attribute per 8x8 cell: %1 of the file had "
                                                 "several and %2 now show other colours"),
          {CellsText(fit.Solved), std::to_string(fit.Changed)}));
  }
  if (flashing > 0)
    result.Notes.push_back(UserText::Of(QT_TRANSLATE_NOOP("Messages", "%1 attributes had FLASH, which is not kept"),
                                        {std::to_string(flashing)}));
  planes.Pixels[1] = planes.Pixels[0];
  planes.Attrs[1] = planes.Attrs[0];
  return result;
}

std::vector<std::uint8_t> WriteOneScreen(const Picture& picture, const OneScreenLayout& layout) {
  const int h = layout.CellHeight;
  if (!IsValidCellHeight(picture.CellHeight))
    throw std::invalid_argument("cannot export a picture with char size " + std::to_string(picture.CellHeight));
  if (picture.CellHeight < h)
    throw UnusableValue(UserText::Of(
        QT_TRANSLATE_NOOP(
            "Messages",
            "%1 files hold 8x%2 cells, too coarse for this 8x%3 picture: change its char size to 8x%2 first"),
        {std::string(layout.Name), std::to_string(h), std::to_string(picture.CellHeight)}));
  std::vector<std::uint8_t> out(OneScreenFileLength(layout), 0);
  if (layout.Pixels == PixelOrder::Checkerboard) {
    int other = 0;
    for (int top = 0; top < PictureHeight; top += 8)
      for (int col = 0; col < ByteColumns; ++col) {
        bool same = true;
        for (int y = top; y < top + 8 && same; ++y)
          for (int x = col * 8; x < col * 8 + 8 && same; ++x) {
            const AttrEntry& a = picture.CellAttr(0, x, y);
            same = picture.ScreenColourAt(0, x, y) == (CheckerboardInk(x, y) ? a.Ink : a.Paper);
          }
        other += !same;
      }
    if (other > 0)
      throw UnusableValue(UserText::Of(QT_TRANSLATE_NOOP("Messages",
                                                         ".atr files hold attributes alone, shown over a checkerboard "
                                                         "of INK and PAPER: %1 show other pixels"),
                                       {CellsText(other)}));
  } else {
    for (int line = 0; line < PictureHeight; ++line)
      for (int col = 0; col < ByteColumns; ++col)
        out[PixelOffset(layout.Pixels, col, line)] = picture.Pixels[0].At(col, line);
  }
  // A coarser picture's cells repeat over the layout's rows.
  const std::size_t attrStart = AttrAreaStart(layout);
  for (int row = 0; row < PictureHeight / h; ++row)
    for (int col = 0; col < ByteColumns; ++col)
      out[attrStart + static_cast<std::size_t>(row * ByteColumns + col)] =
          ZxAttrByteOf(picture.AttrAt(0, col, picture.AttrLineOf(col, row * h)));
  return out;
}

}  // namespace chromaloom

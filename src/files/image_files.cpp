#include "files/image_files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <stdexcept>

#include "formats/bmp_format.h"

namespace chromaloom {

namespace {

// A 64-megapixel image needs far less than this; the reader's own limit
// must not refuse what the size check lets through.
constexpr std::size_t MaxImageFileBytes = std::size_t{512} << 20;
constexpr int DecodeLimitMegabytes = 1024;

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw FileError("Cannot read image \"" + path + "\": " + why);
}

bool IsJpeg(std::span<const std::uint8_t> b) { return b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF; }

// Qt's JPEG reader fills a file cut short with grey and only logs a
// warning, so walk the segments: an image is whole when its entropy-coded
// data reaches the end marker FF D9. Walking (rather than looking for FF D9
// anywhere) keeps an embedded thumbnail's end marker from counting, and
// bytes after the end marker are allowed.
bool JpegReachesItsEnd(std::span<const std::uint8_t> b) {
  std::size_t i = 2;
  bool inScan = false;
  while (i + 1 < b.size()) {
    if (inScan) {
      // In entropy-coded data FF is followed by 00 (a stuffed byte), a
      // restart marker D0..D7, fill FFs, or the next marker.
      if (b[i] != 0xFF) {
        ++i;
        continue;
      }
      const std::uint8_t m = b[i + 1];
      if (m == 0x00 || (m >= 0xD0 && m <= 0xD7) || m == 0xFF) {
        i += m == 0xFF ? 1 : 2;
        continue;
      }
      inScan = false;
      continue;
    }
    if (b[i] != 0xFF) return false;
    const std::uint8_t m = b[i + 1];
    if (m == 0xFF) {
      ++i;
      continue;
    }
    if (m == 0xD9) return true;
    if ((m >= 0xD0 && m <= 0xD7) || m == 0x01) {
      i += 2;
      continue;
    }
    if (i + 3 >= b.size()) return false;
    const std::size_t length = static_cast<std::size_t>(b[i + 2]) << 8 | b[i + 3];
    if (length < 2) return false;
    i += 2 + length;
    if (m == 0xDA) inScan = true;
  }
  return false;
}

}  // namespace

Raster ReadImageFile(const std::string& path) {
  // The file's size sets the read cap; ReadFileBytes refuses a folder,
  // FIFO or device (file_size cannot tell them, so they get cap 0).
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > MaxImageFileBytes)
    Fail(path, "the file is larger than " + std::to_string(MaxImageFileBytes >> 20) + " MB");
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path, error ? 0 : static_cast<std::size_t>(size));
  if (bytes.empty()) Fail(path, "the file is empty");

  QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAllocationLimit(DecodeLimitMegabytes);
  if (!reader.canRead())
    Fail(path, "it is not an image chromaLoom can read (" + reader.errorString().toStdString() + ")");

  if (IsJpeg(bytes) && !JpegReachesItsEnd(bytes)) Fail(path, "the JPEG data is cut short");

  const QSize imageSize = reader.size();
  if (!imageSize.isValid()) Fail(path, "its header cannot be read (damaged or cut short)");
  if (imageSize.width() > MaxImageSide || imageSize.height() > MaxImageSide ||
      static_cast<long long>(imageSize.width()) * imageSize.height() > MaxImagePixels)
    Fail(path, "it is " + std::to_string(imageSize.width()) + " x " + std::to_string(imageSize.height()) +
                   " pixels; at most " + std::to_string(MaxImageSide) + " on a side and 64 megapixels are read");

  QImage image;
  if (!reader.read(&image) || image.isNull()) Fail(path, reader.errorString().toStdString());
  if (image.width() != imageSize.width() || image.height() != imageSize.height())
    Fail(path, "the decoded size differs from the size in its header");

  Raster raster = RasterFromImage(image);
  if (raster.Width() == 0) Fail(path, "not enough memory to convert it");
  return raster;
}

Raster RasterFromImage(const QImage& image) {
  // Premultiplied colours are the colours laid on black.
  const QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (converted.isNull()) return {};
  Raster raster(converted.width(), converted.height());
  for (int y = 0; y < converted.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(converted.constScanLine(y));
    Rgb* row = raster.Row(y);
    for (int x = 0; x < converted.width(); ++x) row[x] = 0xFF000000u | (line[x] & 0xFFFFFFu);
  }
  return raster;
}

std::vector<std::uint8_t> EncodeBitmap(const Raster& bitmap, FileKind kind, PngPacking packing) {
  if (kind == FileKind::Bmp) return WriteBmp(bitmap);
  if (kind != FileKind::Png) throw std::invalid_argument(std::string(FileKindName(kind)) + " is not a bitmap export");
  // The raster's 0xFFRRGGBB pixels are RGB32 as they are, so no copy.
  const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels().data()), bitmap.Width(), bitmap.Height(),
                     static_cast<qsizetype>(bitmap.Width()) * 4, QImage::Format_RGB32);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  // Qt maps a quality of 80 to zlib's level 1: a little larger, several times faster.
  if (packing == PngPacking::Fast) writer.setQuality(80);
  if (!writer.write(image)) throw FileError("Cannot encode the PNG image: " + writer.errorString().toStdString());
  return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace chromaloom

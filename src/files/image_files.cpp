#include "files/image_files.h"

#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <stdexcept>

#include "formats/bmp_format.h"
#include "formats/image_ends.h"

namespace chromaloom {

namespace {

// A 64-megapixel image needs far less than this; the reader's own limit
// must not refuse what the size check lets through.
constexpr std::size_t MaxImageFileBytes = std::size_t{512} << 20;
constexpr int DecodeLimitMegabytes = 1024;

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw FileError("Cannot read image \"" + path + "\": " + why);
}

QtMessageHandler previousHandler = nullptr;
std::atomic<bool> quiet = false;

// Qt's image plugins pass libjpeg's and libtiff's complaints on in these
// categories; ReadImageFile says in one line what was wrong with the file.
void DropImagePluginWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const std::string_view category = context.category ? context.category : "";
  if (type != QtFatalMsg && (category.starts_with("qt.gui.imageio") || category.starts_with("qt.imageformats"))) return;
  if (previousHandler)
    previousHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// libpng and libtiff print some complaints straight onto the error output,
// past Qt. While a program that asked for quiet decodes, that output goes to
// a scratch file; one decode at a time, so the real one is always restored.
class QuietErrorOutput {
 public:
  QuietErrorOutput() {
    if (!quiet) return;
    lock_ = std::unique_lock(mutex_);
    std::fflush(stderr);
    scratch_ = std::tmpfile();
    if (scratch_) saved_ = ::dup(STDERR_FILENO);
    if (saved_ >= 0 && ::dup2(::fileno(scratch_), STDERR_FILENO) < 0) {
      ::close(saved_);
      saved_ = -1;
    }
  }
  ~QuietErrorOutput() {
    if (saved_ >= 0) {
      std::fflush(stderr);
      ::dup2(saved_, STDERR_FILENO);
      ::close(saved_);
    }
    if (scratch_) std::fclose(scratch_);
  }
  QuietErrorOutput(const QuietErrorOutput&) = delete;
  QuietErrorOutput& operator=(const QuietErrorOutput&) = delete;

 private:
  static inline std::mutex mutex_;
  std::unique_lock<std::mutex> lock_;
  std::FILE* scratch_ = nullptr;
  int saved_ = -1;
};

Raster Decode(const std::string& path) {
  // The file's size sets the read cap; ReadFileBytes refuses a folder,
  // FIFO or device (file_size cannot tell them, so they get cap 0).
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > MaxImageFileBytes)
    Fail(path, "the file is larger than " + std::to_string(MaxImageFileBytes >> 20) + " MB");
  const std::vector<std::uint8_t> bytes = ReadFileBytes(path, error ? 0 : static_cast<std::size_t>(size));
  if (bytes.empty()) Fail(path, "the file is empty");

  const QuietErrorOutput quietDecoders;
  QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAllocationLimit(DecodeLimitMegabytes);
  if (!reader.canRead())
    Fail(path, "it is not an image chromaLoom can read (" + reader.errorString().toStdString() + ")");

  if (const auto fault = ImageDataFault(bytes)) Fail(path, *fault);

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

  // Premultiplied colours are the colours laid on black.
  image.convertTo(QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) Fail(path, "not enough memory to convert it");
  Raster raster(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Rgb* row = raster.Row(y);
    for (int x = 0; x < image.width(); ++x) row[x] = 0xFF000000u | (line[x] & 0xFFFFFFu);
  }
  return raster;
}

}  // namespace

Raster ReadImageFile(const std::string& path) {
  try {
    return Decode(path);
  } catch (const std::bad_alloc&) {
    throw FileError("Not enough memory to read image \"" + path + "\"");
  }
}

void QuietImagePluginWarnings() {
  previousHandler = qInstallMessageHandler(DropImagePluginWarnings);
  quiet = true;
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

#include "files/image_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <stdexcept>

#include "formats/bmp_format.h"
#include "formats/image_ends.h"
#include "picture/picture.h"

namespace chromaloom {

namespace {

// A 64-megapixel image needs far less than this; the reader's own limit
// must not refuse what the size check lets through.
constexpr std::size_t MaxImageFileBytes = std::size_t{512} << 20;
constexpr int DecodeLimitMegabytes = 1024;

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw FileError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "Cannot read image %1: %2"), {QuotedName(path), why}));
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

// The header of every kind lies within this; a JPEG whose header does not
// (a large embedded preview first) gives its size when the whole file is read.
constexpr std::size_t HeaderBytes = std::size_t{64} << 10;

// Larger images are decoded scaled down by the reader, so that one copy of
// a 64-megapixel image is the most ever held: still at least 4 times the
// picture each way, enough for any fitting, and the results for smaller
// images stay as they were.
constexpr long long MaxWholeDecodePixels = 16'000'000;

void CheckSize(const std::string& path, QSize size) {
  if (size.width() > MaxImageSide || size.height() > MaxImageSide ||
      static_cast<long long>(size.width()) * size.height() > MaxImagePixels)
    Fail(path, "it is " + std::to_string(size.width()) + " x " + std::to_string(size.height()) + " pixels; at most " +
                   std::to_string(MaxImageSide) + " on a side and 64 megapixels are read");
}

QSize DecodedSize(QSize size) {
  if (static_cast<long long>(size.width()) * size.height() <= MaxWholeDecodePixels) return size;
  const double scale = std::min(size.width() / (4.0 * PictureWidth), size.height() / (4.0 * PictureHeight));
  if (scale <= 1) return size;
  return {std::max(1, static_cast<int>(std::lround(size.width() / scale))),
          std::max(1, static_cast<int>(std::lround(size.height() / scale)))};
}

// The file opened again for the decoder, which reads it a piece at a time.
// O_NONBLOCK: should the name have become a FIFO, the open still returns.
void OpenForDecoding(const std::string& path, QFile& file, std::uint64_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) Fail(path, std::strerror(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    Fail(path, "it is no longer a regular file");
  }
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    Fail(path, file.errorString().toStdString());
  }
  size = static_cast<std::uint64_t>(st.st_size);
}

Raster Decode(const std::string& path) {
  // The file's size sets the read cap; ReadFileBytes refuses a folder,
  // FIFO or device (file_size cannot tell them, so they get cap 0).
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > MaxImageFileBytes)
    Fail(path, "the file is larger than " + std::to_string(MaxImageFileBytes >> 20) + " MB");
  // The header first: a file that is no image, or an image too large, is
  // refused before the rest of it is read.
  const std::vector<std::uint8_t> header =
      ReadFileBytes(path, error ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, HeaderBytes)));
  if (header.empty()) Fail(path, "the file is empty");

  const QuietErrorOutput quietDecoders;
  QByteArray headerData =
      QByteArray::fromRawData(reinterpret_cast<const char*>(header.data()), static_cast<qsizetype>(header.size()));
  QBuffer headerBuffer(&headerData);
  headerBuffer.open(QIODevice::ReadOnly);
  QImageReader headerReader(&headerBuffer);
  if (!headerReader.canRead())
    Fail(path, "it is not an image chromaLoom can read (" + headerReader.errorString().toStdString() + ")");
  QSize imageSize = headerReader.size();
  if (imageSize.isValid()) CheckSize(path, imageSize);

  QFile file;
  std::uint64_t fileSize = 0;
  OpenForDecoding(path, file, fileSize);
  if (fileSize > MaxImageFileBytes)
    Fail(path, "the file is larger than " + std::to_string(MaxImageFileBytes >> 20) + " MB");
  const int fd = file.handle();
  ByteWindow bytes(fileSize, [fd](std::uint64_t offset, std::span<std::uint8_t> into) {
    std::size_t total = 0;
    while (total < into.size()) {
      const ssize_t n = ::pread(fd, into.data() + total, into.size() - total, static_cast<off_t>(offset + total));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      total += static_cast<std::size_t>(n);
    }
    return total;
  });
  try {
    if (const auto fault = ImageDataFault(bytes)) Fail(path, *fault);
  } catch (const std::runtime_error& e) {
    if (dynamic_cast<const FileError*>(&e)) throw;
    Fail(path, e.what());
  }

  QImageReader reader(&file);
  reader.setAllocationLimit(DecodeLimitMegabytes);
  if (!imageSize.isValid()) {
    imageSize = reader.size();
    if (!imageSize.isValid()) Fail(path, "its header cannot be read (damaged or cut short)");
    CheckSize(path, imageSize);
  }
  const QSize decodedSize = DecodedSize(imageSize);
  if (decodedSize != imageSize) reader.setScaledSize(decodedSize);

  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    // Qt's readers say only that they failed; an image this size that cannot
    // be made now was more than the memory left.
    if (QImage(decodedSize, QImage::Format_ARGB32).isNull()) throw std::bad_alloc();
    Fail(path, reader.errorString().toStdString());
  }
  if (image.size() != decodedSize) Fail(path, "the decoded size differs from the size in its header");

  Raster raster = RasterFromImage(std::move(image));  // converted in place: no second copy of a large image
  if (raster.Width() == 0) throw std::bad_alloc();
  return raster;
}

}  // namespace

Raster RasterFromImage(QImage converted) {
  // Premultiplied colours are the colours laid on black.
  converted.convertTo(QImage::Format_ARGB32_Premultiplied);
  if (converted.isNull()) return {};
  Raster raster(converted.width(), converted.height());
  for (int y = 0; y < converted.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(converted.constScanLine(y));
    Rgb* row = raster.Row(y);
    for (int x = 0; x < converted.width(); ++x) row[x] = 0xFF000000u | (line[x] & 0xFFFFFFu);
  }
  return raster;
}

Raster ReadImageFile(const std::string& path) {
  try {
    return Decode(path);
  } catch (const std::bad_alloc&) {
    throw FileError(
        UserText::Of(QT_TRANSLATE_NOOP("Messages", "Not enough memory to read image %1"), {QuotedName(path)}));
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
  if (!writer.write(image))
    throw FileError(UserText::Of(QT_TRANSLATE_NOOP("Messages", "Cannot encode the PNG image: %1"),
                                 {writer.errorString().toStdString()}));
  return std::vector<std::uint8_t>(data.begin(), data.end());
}

}  // namespace chromaloom

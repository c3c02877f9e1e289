#include "formats/image_ends.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>

namespace chromaloom {

void ByteWindow::Refill(std::uint64_t i) {
  window_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::size_t>(windowBytes_, 1), size_ - i)));
  start_ = i;
  if (read_(i, window_) != window_.size()) {
    window_.clear();
    throw std::runtime_error("the file changed while it was read");
  }
}

namespace {

using Bytes = ByteWindow&;
using Index = std::uint64_t;

std::uint32_t Big32(Bytes b, Index at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}
std::uint32_t Little32(Bytes b, Index at) {
  return std::uint32_t{b[at + 3]} << 24 | std::uint32_t{b[at + 2]} << 16 | std::uint32_t{b[at + 1]} << 8 | b[at];
}
std::uint16_t Little16(Bytes b, Index at) { return static_cast<std::uint16_t>(b[at + 1] << 8 | b[at]); }

bool StartsWith(Bytes b, std::initializer_list<std::uint8_t> prefix) {
  if (b.size() < prefix.size()) return false;
  Index i = 0;
  for (const std::uint8_t byte : prefix)
    if (b[i++] != byte) return false;
  return true;
}

// Walking the segments (rather than looking for FF D9 anywhere) keeps an
// embedded thumbnail's end marker from counting; bytes after the end
// marker are allowed.
bool JpegReachesItsEnd(Bytes b) {
  Index i = 2;
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
    const Index length = Index{b[i + 2]} << 8 | b[i + 3];
    if (length < 2) return false;
    i += 2 + length;
    if (m == 0xDA) inScan = true;
  }
  return false;
}

// Of the bytes [from, from + count).
std::uint32_t Crc32(Bytes b, Index from, Index count) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (Index i = from; i < from + count; ++i) c = table[(c ^ b[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

// Chunks up to IEND, each with its check sum: libpng would print its own
// complaint about either fault on the error output.
std::optional<std::string> PngFault(Bytes b) {
  Index i = 8;
  while (true) {
    if (b.size() - i < 12) return "the PNG data is cut short";
    const Index length = Big32(b, i);
    if (length > b.size() - i - 12) return "the PNG data is cut short";
    if (Crc32(b, i + 4, length + 4) != Big32(b, i + 8 + length)) return "the PNG data is damaged";
    if (Big32(b, i + 4) == 0x49454E44u) return std::nullopt;  // IEND
    i += 12 + length;
  }
}

// Skips sub-blocks (a length byte, then that many bytes) up to the empty one;
// false when the file ends first.
bool SkipSubBlocks(Bytes b, Index& i) {
  while (i < b.size()) {
    const Index length = b[i];
    i += 1 + length;
    if (length == 0) return true;
  }
  return false;
}

// Only the first image is read, so the file must reach the end of its data.
std::optional<std::string> GifFault(Bytes b) {
  const std::string cut = "the GIF data is cut short";
  if (b.size() < 13) return cut;
  Index i = 13;
  if (b[10] & 0x80) i += 3 * (Index{2} << (b[10] & 7));
  while (i < b.size()) {
    const std::uint8_t introducer = b[i];
    if (introducer == 0x21) {  // extension: a label, then sub-blocks
      i += 2;
      if (!SkipSubBlocks(b, i)) return cut;
    } else if (introducer == 0x2C) {  // image descriptor
      if (b.size() - i < 10) return cut;
      const std::uint8_t packed = b[i + 9];
      i += 10;
      if (packed & 0x80) i += 3 * (Index{2} << (packed & 7));
      i += 1;  // the LZW code size
      return SkipSubBlocks(b, i) ? std::nullopt : std::optional(cut);
    } else if (introducer == 0x3B) {
      return "the GIF holds no image";
    } else {
      return "the GIF data is damaged";
    }
  }
  return cut;
}

// The pixel data the header declares must lie within the file.
std::optional<std::string> BmpFault(Bytes b) {
  const std::string cut = "the BMP data is cut short";
  if (b.size() < 26) return cut;
  const std::uint64_t offset = Little32(b, 10);
  const std::uint32_t infoSize = Little32(b, 14);
  std::int64_t width = 0, height = 0;
  std::uint32_t bits = 0, compression = 0, dataSize = 0;
  if (infoSize == 12) {
    width = Little16(b, 18);
    height = static_cast<std::int16_t>(Little16(b, 20));
    bits = Little16(b, 24);
  } else {
    if (b.size() < 38) return cut;
    width = static_cast<std::int32_t>(Little32(b, 18));
    height = static_cast<std::int32_t>(Little32(b, 22));
    bits = Little16(b, 28);
    compression = Little32(b, 30);
    dataSize = Little32(b, 34);
  }
  if (height < 0) height = -height;
  std::uint64_t needed = offset;
  // Uncompressed rows (BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS) are padded
  // to 4 bytes; compressed data has the size the header gives.
  if (compression == 0 || compression == 3 || compression == 6) {
    // Beyond these the size check refuses the image anyway.
    if (width <= 0 || width > (1 << 24) || height > (1 << 24) || bits == 0 || bits > 64) return std::nullopt;
    needed += (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4 * static_cast<std::uint64_t>(height);
  } else {
    needed += dataSize;
  }
  return needed > b.size() ? std::optional(cut) : std::nullopt;
}

}  // namespace

std::optional<std::string> ImageDataFault(ByteWindow& bytes) {
  if (StartsWith(bytes, {0xFF, 0xD8, 0xFF}))
    return JpegReachesItsEnd(bytes) ? std::nullopt : std::optional<std::string>("the JPEG data is cut short");
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return PngFault(bytes);
  if (StartsWith(bytes, {'G', 'I', 'F', '8'})) return GifFault(bytes);
  if (StartsWith(bytes, {'B', 'M'})) return BmpFault(bytes);
  return std::nullopt;
}

}  // namespace chromaloom

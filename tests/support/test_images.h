// Image files made inside the tests: saved through Qt, or written byte by
// byte where Qt has no writer (GIF) or where the file must lie (headers).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

namespace chromaloom::test_support {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Encoded(const QImage& image, const char* format, int quality = -1) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format, quality)) return {};
  return Bytes(data.begin(), data.end());
}

// Four flat quadrants, so lossy formats keep the colours near the middle of each.
inline QImage Quadrants(int w, int h, std::array<QRgb, 4> colours) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, colours[(y >= h / 2) * 2 + (x >= w / 2)]);
  return image;
}

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t n) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void PutBigEndian(Bytes& out, std::uint32_t v) {
  for (int shift : {24, 16, 8, 0}) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(type[i]));
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// A PNG whose valid header claims w x h pixels, followed by a few bytes of
// image data that are not a real picture.
inline Bytes PngHeaderOnly(std::uint32_t w, std::uint32_t h) {
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes header;
  PutBigEndian(header, w);
  PutBigEndian(header, h);
  for (int b : {8, 2, 0, 0, 0}) header.push_back(static_cast<std::uint8_t>(b));  // 8-bit RGB
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", {0x78, 0x9C, 0x01, 0x02});
  PutChunk(out, "IEND", {});
  return out;
}

// A GIF of w x h pixels with a four-colour table and one frame per list of
// indices. The LZW data sends a clear code before every pixel, so the code
// table never grows and every code is 3 bits.
inline Bytes Gif(int w, int h, std::array<std::array<std::uint8_t, 3>, 4> table,
                 const std::vector<std::vector<std::uint8_t>>& frames) {
  Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
  auto put16 = [&](int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  put16(w);
  put16(h);
  out.insert(out.end(), {0x81, 0, 0});  // a global table of 4 colours
  for (const auto& c : table) out.insert(out.end(), c.begin(), c.end());
  for (const auto& indices : frames) {
    out.insert(out.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0});  // 0.1 s per frame
    out.push_back(0x2C);
    put16(0);
    put16(0);
    put16(w);
    put16(h);
    out.push_back(0);
    out.push_back(2);  // minimum code size
    Bytes packed;
    std::uint32_t bits = 0;
    int count = 0;
    auto code = [&](std::uint32_t c) {
      bits |= c << count;
      count += 3;
      while (count >= 8) {
        packed.push_back(static_cast<std::uint8_t>(bits & 0xFF));
        bits >>= 8;
        count -= 8;
      }
    };
    for (std::uint8_t i : indices) {
      code(4);
      code(i);
    }
    code(5);
    if (count > 0) packed.push_back(static_cast<std::uint8_t>(bits & 0xFF));
    for (std::size_t at = 0; at < packed.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, packed.size() - at);
      out.push_back(static_cast<std::uint8_t>(n));
      out.insert(out.end(), packed.begin() + static_cast<std::ptrdiff_t>(at),
                 packed.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

}  // namespace chromaloom::test_support

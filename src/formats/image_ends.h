// Whether an image file holds all the data its own structure asks for.
// Qt's readers fill what a cut-short file lacks with grey or black and at
// most print a warning, so the file's blocks are walked before decoding.
// Free of Qt so the fuzz build walks any bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace chromaloom {

// A file's bytes by index, read a window at a time through a function, so
// a walk over a large file holds little of it; or bytes already in memory.
class ByteWindow {
 public:
  // Fills into with the bytes from offset on; returns how many it could.
  using Reader = std::function<std::size_t(std::uint64_t offset, std::span<std::uint8_t> into)>;
  ByteWindow(std::uint64_t size, Reader read, std::size_t windowBytes = std::size_t{1} << 16)
      : size_(size), read_(std::move(read)), windowBytes_(windowBytes) {}
  explicit ByteWindow(std::span<const std::uint8_t> bytes) : size_(bytes.size()), whole_(bytes) {}

  std::uint64_t size() const { return size_; }
  // i < size(). Throws std::runtime_error when the file no longer holds it.
  std::uint8_t operator[](std::uint64_t i) {
    if (!read_) return whole_[i];
    if (i - start_ >= window_.size()) Refill(i);
    return window_[i - start_];
  }

 private:
  void Refill(std::uint64_t i);

  std::uint64_t size_;
  Reader read_;
  std::size_t windowBytes_ = 0;
  std::span<const std::uint8_t> whole_;
  std::uint64_t start_ = 0;
  std::vector<std::uint8_t> window_;
};

// Why a JPEG, PNG, GIF or BMP is cut short or damaged, else nullopt (also
// for the kinds not walked here; their reader judges them).
std::optional<std::string> ImageDataFault(ByteWindow& bytes);
inline std::optional<std::string> ImageDataFault(std::span<const std::uint8_t> bytes) {
  ByteWindow whole(bytes);
  return ImageDataFault(whole);
}

}  // namespace chromaloom

// ImageDataFault on any bytes, whole in memory and read through small
// windows of the same bytes: both must give the same answer, and neither may
// read outside the bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "formats/image_ends.h"

using namespace chromaloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto whole = ImageDataFault(bytes);
  ByteWindow windowed(
      size,
      [bytes](std::uint64_t offset, std::span<std::uint8_t> into) {
        if (offset > bytes.size()) std::abort();
        const std::size_t n = std::min<std::size_t>(into.size(), bytes.size() - offset);
        std::memcpy(into.data(), bytes.data() + offset, n);
        return n;
      },
      7);  // small windows, so walks cross many of their edges
  if (ImageDataFault(windowed) != whole) std::abort();
  return 0;
}

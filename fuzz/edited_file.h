// Random bytes rarely reach the full length of a picture file, so each fuzz
// target also applies its input as edits to a valid file: 3 bytes an edit
// (16-bit offset, value); a leftover byte cuts that many bytes off the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

inline std::vector<std::uint8_t> Edited(std::vector<std::uint8_t> file, const std::uint8_t* data, std::size_t size) {
  std::size_t i = 0;
  for (; i + 3 <= size; i += 3) file[((data[i] << 8) | data[i + 1]) % file.size()] = data[i + 2];
  if (i < size) file.resize(file.size() - data[i]);
  return file;
}

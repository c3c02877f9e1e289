// Reading and writing whole files; the only place the core's bytes meet the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace chromaloom {

// A file that cannot be read or written; the message names the file and why.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads at most maxBytes from the start of the file: no format needs more.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes);

// Writes through a temporary file in the same folder and renames it into
// place, so a failed write leaves any existing file as it was.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace chromaloom

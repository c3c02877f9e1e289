// Reading and writing whole files; the only place the core's bytes meet the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "picture/translated_text.h"

namespace chromaloom {

// A file that cannot be read or written; the message names the file and why.
class FileError : public std::runtime_error, public UserTextError {
 public:
  explicit FileError(UserText text) : std::runtime_error(text.English()), UserTextError(std::move(text)) {}
};

// Paths are bytes as the system takes them; they need not be UTF-8.

// A file name in double quotes for a message: control characters are shown
// escaped (\n, \x1b), so a name can neither break the line nor reach the
// terminal as a command.
std::string QuotedName(std::string_view name);

// Reads at most maxBytes from the start of a regular file: no format needs
// more. A FIFO, device, socket or folder is refused without waiting on it.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes);

// Writes through a temporary file in the same folder and renames it into
// place, so a failed write leaves any existing file as it was. A symlink is
// followed and kept; anything there that is not a regular file, a file the
// user may not write, and a symlink loop, are refused. A writable file in a
// folder that takes no new files is rewritten in place. Temporary files a
// killed writer left in the folder are removed once a minute old.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace chromaloom

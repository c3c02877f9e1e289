// The native lossless format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/imported_picture.h"

namespace chromaloom {

constexpr std::size_t MgsLengthV0 = 36869;
constexpr std::size_t MgsLengthV1 = 36871;

// Throws FormatError on a short or foreign file; extra bytes are ignored and a
// version above 1 reads as version 1.
ImportedPicture ReadMgs(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> WriteMgs(const Picture& picture);

}  // namespace chromaloom

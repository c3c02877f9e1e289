// The editor's own 8 x 8 font, for the Text tool: drawn for chromaLoom, so
// it carries no other font's licence.
#pragma once

#include <array>
#include <cstdint>

namespace chromaloom {

// The built-in 8 x 8 font: rows top to bottom, bit 7 the leftmost pixel.
using Glyph = std::array<std::uint8_t, 8>;
// ASCII 32..126; any other code gives the glyph of '?'.
const Glyph& BuiltinGlyph(char32_t code);

}  // namespace chromaloom

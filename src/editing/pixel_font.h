// The editor's own 8 x 8 font, for the Text tool: drawn for chromaLoom, so
// it carries no other font's licence.
#pragma once

#include <array>
#include <cstdint>

#include "editing/tool_state.h"

namespace chromaloom {

// The built-in 8 x 8 font: rows top to bottom, bit 7 the leftmost pixel.
using Glyph = std::array<std::uint8_t, 8>;
// ASCII 32..126; any other code gives the glyph of '?'.
const Glyph& BuiltinGlyph(char32_t code);

// The text tool's letters in the built-in font, 8 pixels apart.
class BuiltinTextFace : public TextFace {
 public:
  int AddText(PixelSet& mask, std::u32string_view letters, Point origin) const override;
  int Height() const override { return 8; }
};

}  // namespace chromaloom

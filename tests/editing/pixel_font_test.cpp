#include "editing/pixel_font.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace chromaloom {
namespace {

TEST(PixelFont, PrintableGlyphsAreDistinctWithABlankRightColumn) {
  std::set<Glyph> seen;
  for (char32_t code = 32; code <= 126; ++code) {
    const Glyph& glyph = BuiltinGlyph(code);
    std::uint8_t any = 0;
    for (std::uint8_t row : glyph) any |= row;
    EXPECT_EQ(any == 0, code == U' ') << char(code);
    EXPECT_EQ(any & 1, 0) << char(code);
    EXPECT_TRUE(seen.insert(glyph).second) << char(code) << " draws like an earlier glyph";
  }
}

TEST(PixelFont, OnlyDescendersReachTheBottomRow) {
  for (char32_t code : std::u32string_view(U"gjpqy")) EXPECT_NE(BuiltinGlyph(code)[7], 0) << char(code);
  for (char32_t code : std::u32string_view(U"aoxAZ0")) EXPECT_EQ(BuiltinGlyph(code)[7], 0) << char(code);
}

TEST(PixelFont, OtherCodesDrawAQuestionMark) {
  const Glyph* question = &BuiltinGlyph(U'?');
  for (char32_t code : {0u, 31u, 127u, 0xE9u, 0x110000u}) EXPECT_EQ(&BuiltinGlyph(code), question) << unsigned(code);
  EXPECT_NE(&BuiltinGlyph(U'>'), question);
}

}  // namespace
}  // namespace chromaloom

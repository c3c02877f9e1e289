// The text tool's letters in an installed font: drawn at the font's size in
// picture pixels, without smoothing, so every pixel is on or off.
#pragma once

#include <QFont>

#include "editing/tool_state.h"

namespace chromaloom {

class InstalledTextFace : public TextFace {
 public:
  // The font's point size is taken as its height in picture pixels.
  explicit InstalledTextFace(const QFont& font);
  int AddText(PixelSet& mask, std::u32string_view letters, Point origin) const override;
  int Height() const override;
  const QFont& Font() const { return chosen_; }

 private:
  QFont chosen_;  // as the user chose it
  QFont font_;    // at its size in pixels, unsmoothed
};

}  // namespace chromaloom

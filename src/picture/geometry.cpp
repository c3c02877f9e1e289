#include "picture/geometry.h"

#include <algorithm>

namespace chromaloom {

Rect Rect::Intersected(const Rect& o) const {
  const int left = std::max(X, o.X);
  const int top = std::max(Y, o.Y);
  const int right = std::min(Right(), o.Right());
  const int bottom = std::min(Bottom(), o.Bottom());
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

Rect Rect::United(const Rect& o) const {
  if (IsEmpty()) return o;
  if (o.IsEmpty()) return *this;
  const int left = std::min(X, o.X);
  const int top = std::min(Y, o.Y);
  return {left, top, std::max(Right(), o.Right()) - left, std::max(Bottom(), o.Bottom()) - top};
}

}  // namespace chromaloom

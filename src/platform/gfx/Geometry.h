// Rectangle and integer helpers shared by the drawing code (private to gfx).
#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/base/Types.h"

namespace plat::gfx {

// Device coordinates stay within this, so sums of a few of them never overflow an int.
constexpr int kCoordLimit = 1 << 29;

// a + b held within +-kCoordLimit: callers may pass any int, drawing only needs the piece
// that can reach a bitmap.
constexpr int SatAdd(int a, int b) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b;
  return static_cast<int>(std::clamp<std::int64_t>(sum, -kCoordLimit, kCoordLimit));
}

constexpr CRect Intersect(const CRect& a, const CRect& b) {
  CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
  if (r.IsRectEmpty()) return CRect();
  return r;
}

constexpr bool Contains(const CRect& outer, const CRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace plat::gfx

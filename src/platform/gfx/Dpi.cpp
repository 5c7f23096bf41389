// The logical DPI of the handheld screen and point-to-pixel arithmetic.
#include "platform/gfx/Dpi.h"

#include <atomic>
#include <climits>
#include <cstdint>

namespace plat::gfx {
namespace {
std::atomic<int> screenWidth{480};
}

int GetLogicalDpi() { return screenWidth.load(std::memory_order_relaxed) > 400 ? 192 : 96; }

void SetScreenWidthForDpi(int width) { screenWidth.store(width, std::memory_order_relaxed); }

}  // namespace plat::gfx

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  std::int64_t den = denominator;
  if (den < 0) {
    product = -product;
    den = -den;
  }
  std::int64_t result = product >= 0 ? (product + den / 2) / den : -((-product + den / 2) / den);
  if (result > INT_MAX || result < INT_MIN) return -1;
  return static_cast<int>(result);
}

int PointsToLogFontHeight(int points) { return -MulDiv(points, plat::gfx::GetLogicalDpi(), 72); }

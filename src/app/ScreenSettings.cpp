// The screen's size and the window's zoom from the environment, checked.
#include "app/ScreenSettings.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A whole number in [low, high] spelt with digits only, read up to the first non-digit.
bool ReadNumber(std::string_view& text, int low, int high, int& value) {
  long long v = 0;
  std::size_t n = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
    v = v * 10 + (text[n] - '0');
    if (v > high) return false;  // also keeps a long run of digits from overflowing
    ++n;
  }
  if (n == 0 || v < low) return false;
  value = static_cast<int>(v);
  text.remove_prefix(n);
  return true;
}

bool ParseScreenSize(std::string_view text, int& width, int& height) {
  int w = 0, h = 0;
  if (!ReadNumber(text, CScreenSettings::kMinSide, CScreenSettings::kMaxSide, w) || text.empty() || text[0] != 'x')
    return false;
  text.remove_prefix(1);
  if (!ReadNumber(text, CScreenSettings::kMinSide, CScreenSettings::kMaxSide, h) || !text.empty()) return false;
  width = w;
  height = h;
  return true;
}

bool ParseScale(std::string_view text, int& scale) {
  int s = 0;
  if (!ReadNumber(text, 1, CScreenSettings::kMaxScale, s) || !text.empty()) return false;
  scale = s;
  return true;
}

}  // namespace

CScreenSettings ReadScreenSettings() {
  CScreenSettings s;
  const char* screen = std::getenv("TOVIN_SCREEN");
  if (screen && *screen && !ParseScreenSize(screen, s.width, s.height)) {
    s.complaints.push_back("tovin: TOVIN_SCREEN=" + std::string(screen) + " is not WIDTHxHEIGHT with sides from " +
                           std::to_string(CScreenSettings::kMinSide) + " to " + std::to_string(CScreenSettings::kMaxSide) +
                           "; the screen is " + std::to_string(s.width) + "x" + std::to_string(s.height));
  }
  const char* scale = std::getenv("TOVIN_SCALE");
  if (scale && *scale && !ParseScale(scale, s.scale)) {
    s.complaints.push_back("tovin: TOVIN_SCALE=" + std::string(scale) + " is not a whole number from 1 to " +
                           std::to_string(CScreenSettings::kMaxScale) + "; the scale fits the desktop");
  }
  return s;
}

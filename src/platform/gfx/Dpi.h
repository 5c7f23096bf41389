// The logical DPI of the handheld screen and point-to-pixel arithmetic.
#pragma once

namespace plat::gfx {

// 192 for screens wider than 400 pixels, 96 otherwise; the screen starts 480 wide.
int GetLogicalDpi();
void SetScreenWidthForDpi(int screenWidth);

}  // namespace plat::gfx

// number * numerator / denominator in 64 bits, rounded half away from zero; -1 when the
// denominator is 0 or the result does not fit in an int.
int MulDiv(int number, int numerator, int denominator);

// The lfHeight for a size in points at the current logical DPI: -MulDiv(points, dpi, 72).
int PointsToLogFontHeight(int points);

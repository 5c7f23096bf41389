// CBitmap: creation with size limits, pixel access.
#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <new>

bool CBitmap::Create(int w, int h) {
  DeleteObject();
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
  try {
    pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  } catch (const std::bad_alloc&) {
    // The largest bitmap allowed is 1 GiB; a machine without it says no here rather than
    // ending the program.
    pixels = {};
    return false;
  }
  width = w;
  height = h;
  return true;
}

bool CBitmap::CreateCompatibleBitmap(CDC*, int w, int h) { return Create(w, h); }

void CBitmap::DeleteObject() {
  pixels = {};
  width = height = 0;
}

COLORREF CBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  return ColorFromPixel(Row(y)[x]);
}

void CBitmap::SetPixel(int x, int y, COLORREF color) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  Row(y)[x] = PixelFromColor(color);
}

void CBitmap::Fill(COLORREF color) { std::fill(pixels.begin(), pixels.end(), PixelFromColor(color)); }

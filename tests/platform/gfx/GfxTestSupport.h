// Helpers for the drawing tests: a memory canvas, pixel counting, and where ink landed.
#pragma once
#include <algorithm>
#include <functional>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/Font.h"

namespace gfxtest {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A bitmap filled with one colour and a memory context drawing into it.
struct Canvas {
  CBitmap bitmap;
  CDC dc;
  Canvas(int width, int height, COLORREF fill = kWhite) {
    bitmap.Create(width, height);
    bitmap.Fill(fill);
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
  }
  COLORREF At(int x, int y) const { return bitmap.GetPixel(x, y); }
};

// Pixels of rect (clipped to the bitmap) for which test holds.
inline int CountPixels(const CBitmap& bitmap, const CRect& rect, const std::function<bool(COLORREF)>& test) {
  int n = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      COLORREF c = bitmap.GetPixel(x, y);
      if (c != CLR_INVALID && test(c)) ++n;
    }
  }
  return n;
}

inline int CountColor(const CBitmap& bitmap, const CRect& rect, COLORREF color) {
  return CountPixels(bitmap, rect, [color](COLORREF c) { return c == color; });
}

// The smallest rectangle holding every pixel for which test holds (empty if none).
inline CRect BoundsWhere(const CBitmap& bitmap, const std::function<bool(COLORREF)>& test) {
  CRect box(bitmap.GetWidth(), bitmap.GetHeight(), 0, 0);
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      if (!test(bitmap.GetPixel(x, y))) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box.IsRectEmpty() ? CRect() : box;
}

// Where anything but the background was drawn.
inline CRect InkBounds(const CBitmap& bitmap, COLORREF background) {
  return BoundsWhere(bitmap, [background](COLORREF c) { return c != background; });
}

inline LOGFONT CourierNew(int height, int weight = FW_NORMAL, bool italic = false) {
  return MakeLogFont(u"Courier New", height, weight, italic);
}

}  // namespace gfxtest

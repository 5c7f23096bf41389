// CImageList: equal-sized icons cut from bitmap strips, drawn with a mask colour left out.
#include "platform/gfx/ImageList.h"

#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"

bool CImageList::Create(const CBitmap& strip, int width, COLORREF mask) {
  DeleteImageList();
  if (width <= 0 || strip.IsEmpty() || width > strip.GetWidth()) return false;
  cx = width;
  cy = strip.GetHeight();
  if (Add(strip, mask) < 0) {
    DeleteImageList();
    return false;
  }
  return true;
}

int CImageList::Add(const CBitmap& strip, COLORREF mask) {
  if (cx <= 0 || strip.IsEmpty() || strip.GetHeight() != cy) return -1;
  const int added = strip.GetWidth() / cx;
  if (added == 0) return -1;
  const std::uint32_t maskPixel = PixelFromColor(mask & 0xFFFFFF);
  const int first = count;
  pixels.reserve(pixels.size() + static_cast<std::size_t>(added) * cx * cy);
  for (int i = 0; i < added; ++i) {
    for (int y = 0; y < cy; ++y) {
      const std::uint32_t* row = strip.Row(y) + i * cx;
      for (int x = 0; x < cx; ++x) {
        const std::uint32_t p = row[x] & 0xFFFFFF;
        pixels.push_back(p == maskPixel ? p : (p | kOpaque));
      }
    }
  }
  count += added;
  return first;
}

void CImageList::DeleteImageList() {
  cx = cy = count = 0;
  pixels = {};
}

bool CImageList::Draw(CDC* dc, int index, CPoint point, UINT style) const {
  if (!dc || index < 0 || index >= count) return false;
  const std::uint32_t* icon = pixels.data() + static_cast<std::size_t>(index) * cx * cy;
  // Selected icons are tinted with the highlight colour, half or a quarter of it.
  const int tint = (style & ILD_BLEND50) ? 128 : (style & ILD_BLEND25) ? 64 : 0;
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      const std::uint32_t p = icon[static_cast<std::size_t>(y) * cx + x];
      if (!(p & kOpaque)) continue;
      COLORREF color = ColorFromPixel(p & 0xFFFFFF);
      if (tint) {
        auto mix = [tint](int a, int b) { return (a * (256 - tint) + b * tint) >> 8; };
        color = RGB(mix(GetRValue(color), GetRValue(highlight)), mix(GetGValue(color), GetGValue(highlight)),
                    mix(GetBValue(color), GetBValue(highlight)));
      }
      dc->SetPixel(point.x + x, point.y + y, color);
    }
  }
  return true;
}

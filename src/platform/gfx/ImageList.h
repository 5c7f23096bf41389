// CImageList: equal-sized icons cut from bitmap strips, drawn with a mask colour left out.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/base/Types.h"
#include "platform/gfx/Bitmap.h"

class CDC;

enum : UINT {
  ILD_NORMAL = 0x0000,
  ILD_TRANSPARENT = 0x0001,
  ILD_BLEND25 = 0x0002,
  ILD_BLEND50 = 0x0004,
  ILD_FOCUS = ILD_BLEND25,
  ILD_SELECTED = ILD_BLEND50,
};

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Icons side by side in strip, each cx wide and as tall as the strip; pixels of the mask
  // colour are left out when drawing. A remainder narrower than cx is ignored. False for a
  // width that is not positive or an empty strip.
  bool Create(const CBitmap& strip, int cx, COLORREF mask);
  // Appends the icons of another strip of the same height; the index of the first, or -1.
  int Add(const CBitmap& strip, COLORREF mask);
  void DeleteImageList();

  int GetImageCount() const { return count; }
  CSize GetIconSize() const { return CSize{cx, cy}; }
  // Draws icon index with its top-left at point. ILD_NORMAL and ILD_TRANSPARENT both leave
  // the mask out; ILD_SELECTED / ILD_FOCUS blend the icon with the highlight colour.
  bool Draw(CDC* dc, int index, CPoint point, UINT style) const;

 private:
  int cx = 0;
  int cy = 0;
  int count = 0;
  // Icon after icon, each cx * cy pixels row-major, 0x00RRGGBB with kOpaque marking the
  // pixels to draw.
  std::vector<std::uint32_t> pixels;
  static constexpr std::uint32_t kOpaque = 0xFF000000;
};

// CBitmap: the 32-bit pixel buffer every device context draws into, and the pixel/COLORREF conversions.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/base/Types.h"

class CDC;

// GetPixel's answer for a point outside the bitmap or the clip rectangle.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Pixels are 0x00RRGGBB (the order SDL and PNG writers take directly); a COLORREF is
// 0x00BBGGRR. The two differ only by the swap of the outer bytes, so one swap converts
// either way.
constexpr std::uint32_t PixelFromColor(COLORREF color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
constexpr COLORREF ColorFromPixel(std::uint32_t pixel) {
  return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

class CBitmap {
 public:
  // Either side above this is refused: 16384 x 16384 pixels is already 1 GiB.
  static constexpr int kMaxSide = 16384;

  CBitmap() = default;
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;
  CBitmap(CBitmap&&) noexcept = default;
  CBitmap& operator=(CBitmap&&) noexcept = default;

  // A new bitmap of w x h pixels, all black. A side that is not positive or is above
  // kMaxSide, or memory that cannot be had, is refused: false, and the bitmap is empty.
  bool Create(int width, int height);
  // As Create; the device context only says what the pixels will be copied to, and
  // every context here has the same 32-bit format.
  bool CreateCompatibleBitmap(CDC* dc, int width, int height);
  void DeleteObject();

  bool IsEmpty() const { return pixels.empty(); }
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  CSize GetBitmapDimension() const { return CSize{width, height}; }

  // CLR_INVALID outside the bitmap; SetPixel outside it does nothing.
  COLORREF GetPixel(int x, int y) const;
  void SetPixel(int x, int y, COLORREF color);
  void Fill(COLORREF color);

  // Row-major 0x00RRGGBB pixels, GetWidth() to a row with no padding; null when empty.
  std::uint32_t* GetBits() { return pixels.empty() ? nullptr : pixels.data(); }
  const std::uint32_t* GetBits() const { return pixels.empty() ? nullptr : pixels.data(); }
  std::uint32_t* Row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
  const std::uint32_t* Row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }

 private:
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

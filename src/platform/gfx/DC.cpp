// CDC: surfaces, origin and clipping, saved states, rectangle fills, pixels and bit-block transfer.
#include "platform/gfx/DC.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gfx/Dpi.h"
#include "platform/gfx/FontInstance.h"
#include "platform/gfx/Geometry.h"

using plat::gfx::Intersect;
using plat::gfx::SatAdd;

CDC::CDC() {
  font = GetSystemFont();
  fontImpl = font->impl;
}

CDC::~CDC() = default;

void CDC::AttachSurface(CBitmap* bitmap, CPoint windowOrigin, const CRect& windowClip) {
  surface = bitmap;
  origin = windowOrigin;
  viewportOrg = CPoint();
  clip = windowClip;
  memoryDC = false;
}

bool CDC::CreateCompatibleDC(CDC*) {
  surface = nullptr;
  origin = viewportOrg = CPoint();
  clip = CRect();
  memoryDC = true;
  return true;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  // A window's context draws on the screen; only a memory context takes a bitmap.
  if (!memoryDC && surface) return nullptr;
  memoryDC = true;
  CBitmap* old = surface;
  surface = bitmap;
  origin = CPoint();
  clip = CRect(0, 0, CBitmap::kMaxSide, CBitmap::kMaxSide);
  return old;
}

CFont* CDC::SelectObject(CFont* newFont) {
  if (!newFont || !newFont->impl) return nullptr;
  CFont* old = font;
  font = newFont;
  fontImpl = newFont->impl;
  return old;
}

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(textColor, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(bkColor, color); }

int CDC::SetBkMode(int mode) {
  if (mode != OPAQUE && mode != TRANSPARENT) return 0;
  return std::exchange(bkMode, mode);
}

CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(viewportOrg, CPoint(x, y)); }

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  return std::exchange(viewportOrg, CPoint(SatAdd(viewportOrg.x, dx), SatAdd(viewportOrg.y, dy)));
}

CRect CDC::ToDevice(const CRect& r) const {
  const int ox = SatAdd(origin.x, viewportOrg.x);
  const int oy = SatAdd(origin.y, viewportOrg.y);
  return CRect(SatAdd(r.left, ox), SatAdd(r.top, oy), SatAdd(r.right, ox), SatAdd(r.bottom, oy));
}

CRect CDC::DeviceClip() const {
  if (!surface || surface->IsEmpty()) return CRect();
  return Intersect(clip, CRect(0, 0, surface->GetWidth(), surface->GetHeight()));
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  clip = Intersect(clip, ToDevice(CRect(left, top, right, bottom)));
  return DeviceClip().IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(CRect* rect) const {
  if (!rect) return RGN_ERROR;
  CRect device = DeviceClip();
  const int ox = SatAdd(origin.x, viewportOrg.x);
  const int oy = SatAdd(origin.y, viewportOrg.y);
  *rect = CRect(SatAdd(device.left, -ox), SatAdd(device.top, -oy), SatAdd(device.right, -ox),
                SatAdd(device.bottom, -oy));
  return device.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::SaveDC() {
  saved.push_back(State{viewportOrg, clip, font, fontImpl, textColor, bkColor, bkMode});
  return static_cast<int>(saved.size());
}

bool CDC::RestoreDC(int savedDC) {
  const int depth = static_cast<int>(saved.size());
  // Negative counts back from the latest save; positive names the level SaveDC returned.
  const int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
  if (level < 1 || level > depth) return false;
  const State& s = saved[level - 1];
  viewportOrg = s.viewportOrg;
  clip = s.clip;
  font = s.font;
  fontImpl = s.fontImpl;
  textColor = s.textColor;
  bkColor = s.bkColor;
  bkMode = s.bkMode;
  saved.resize(level - 1);
  return true;
}

int CDC::GetDeviceCaps(int index) const {
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
      return plat::gfx::GetLogicalDpi();
    case HORZRES:
      return surface ? surface->GetWidth() : 0;
    case VERTRES:
      return surface ? surface->GetHeight() : 0;
    case BITSPIXEL:
      return 32;
    default:
      return 0;
  }
}

void CDC::FillDevice(const CRect& r, std::uint32_t pixel) {
  if (r.IsRectEmpty()) return;
  for (int y = r.top; y < r.bottom; ++y) std::fill_n(surface->Row(y) + r.left, r.Width(), pixel);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
  bkColor = color;
  FillDevice(Intersect(ToDevice(rect), DeviceClip()), PixelFromColor(color));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  FillSolidRect(CRect(x, y, SatAdd(x, cx), SatAdd(y, cy)), color);
}

void CDC::FrameRect(const CRect& rect, COLORREF color) {
  if (rect.IsRectEmpty()) return;
  const CRect r = ToDevice(rect);
  const CRect c = DeviceClip();
  const std::uint32_t pixel = PixelFromColor(color);
  FillDevice(Intersect(CRect(r.left, r.top, r.right, r.top + 1), c), pixel);
  FillDevice(Intersect(CRect(r.left, r.bottom - 1, r.right, r.bottom), c), pixel);
  FillDevice(Intersect(CRect(r.left, r.top + 1, r.left + 1, r.bottom - 1), c), pixel);
  FillDevice(Intersect(CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), c), pixel);
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  if (rect.IsRectEmpty()) return;
  FillSolidRect(CRect(rect.left, rect.top, rect.right - 1, rect.top + 1), topLeft);
  FillSolidRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom - 1), topLeft);
  FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), bottomRight);
  FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), bottomRight);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
  const CRect p = ToDevice(CRect(x, y, x, y));
  if (!DeviceClip().PtInRect(CPoint(p.left, p.top))) return CLR_INVALID;
  surface->Row(p.top)[p.left] = PixelFromColor(color);
  return color & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const {
  const CRect p = ToDevice(CRect(x, y, x, y));
  if (!DeviceClip().PtInRect(CPoint(p.left, p.top))) return CLR_INVALID;
  return ColorFromPixel(surface->Row(p.top)[p.left]);
}

bool CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
  if (w < 0 || h < 0 || !surface) return false;
  const CRect dst = Intersect(ToDevice(CRect(x, y, SatAdd(x, w), SatAdd(y, h))), DeviceClip());
  if (rop == BLACKNESS || rop == WHITENESS) {
    FillDevice(dst, rop == BLACKNESS ? 0x000000 : 0xFFFFFF);
    return true;
  }
  if (rop != SRCCOPY || !src || !src->surface || src->surface->IsEmpty()) return false;

  // Where the source's (sx, sy) lands, in the source bitmap, and the shift from destination
  // pixels to source pixels.
  const CRect s = src->ToDevice(CRect(sx, sy, sx, sy));
  const CRect d = ToDevice(CRect(x, y, x, y));
  const long long shiftX = static_cast<long long>(s.left) - d.left;
  const long long shiftY = static_cast<long long>(s.top) - d.top;
  // The source bitmap seen from the destination; pixels it does not have are not copied.
  const long long sl = -shiftX, st = -shiftY;
  const long long sr = sl + src->surface->GetWidth(), sb = st + src->surface->GetHeight();
  CRect area = dst;
  area.left = static_cast<int>(std::max<long long>(area.left, sl));
  area.top = static_cast<int>(std::max<long long>(area.top, st));
  area.right = static_cast<int>(std::min<long long>(area.right, sr));
  area.bottom = static_cast<int>(std::min<long long>(area.bottom, sb));
  if (area.IsRectEmpty()) return true;

  const std::size_t bytes = static_cast<std::size_t>(area.Width()) * sizeof(std::uint32_t);
  const int sourceLeft = static_cast<int>(area.left + shiftX);
  // Within one bitmap, copy bottom-up when the source lies above the destination, so no
  // row is overwritten before it is read; memmove takes care of sideways overlap.
  const bool bottomUp = src->surface == surface && shiftY < 0;
  for (int i = 0; i < area.Height(); ++i) {
    const int row = bottomUp ? area.bottom - 1 - i : area.top + i;
    const std::uint32_t* from = src->surface->Row(static_cast<int>(row + shiftY)) + sourceLeft;
    std::memmove(surface->Row(row) + area.left, from, bytes);
  }
  return true;
}

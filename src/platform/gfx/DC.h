// CDC: a device context drawing into a CBitmap through an origin and a clip rectangle.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"

namespace plat::gfx {
class FontInstance;
}

enum : UINT {
  ETO_OPAQUE = 0x0002,
  ETO_CLIPPED = 0x0004,
};

enum : UINT {
  DT_TOP = 0x0000,
  DT_LEFT = 0x0000,
  DT_CENTER = 0x0001,
  DT_RIGHT = 0x0002,
  DT_VCENTER = 0x0004,
  DT_BOTTOM = 0x0008,
  DT_WORDBREAK = 0x0010,
  DT_SINGLELINE = 0x0020,
  DT_NOCLIP = 0x0100,
  DT_CALCRECT = 0x0400,
  DT_NOPREFIX = 0x0800,
  DT_END_ELLIPSIS = 0x8000,
};

enum : DWORD {
  SRCCOPY = 0x00CC0020,
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062,
};

// Background modes: OPAQUE (the default) fills each text cell with the background colour.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };

// What IntersectClipRect and GetClipBox report about the clip left.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2 };

// GetDeviceCaps indices.
enum : int { HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, LOGPIXELSX = 88, LOGPIXELSY = 90 };

// Coordinates given to a CDC are logical; logical equals device pixels, moved by the
// origin: device = logical + window origin + viewport origin. Everything drawn is clipped
// to the clip rectangle (device pixels, always inside the surface).
class CDC {
 public:
  CDC();
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Used by the window layer: draw into surface (the screen) with logical (0, 0) at origin
  // and nothing outside clip, both in surface pixels.
  void AttachSurface(CBitmap* surface, CPoint origin, const CRect& clip);
  // A memory context: draws into whatever bitmap is selected into it, nothing until then.
  bool CreateCompatibleDC(CDC* dc);
  // Selecting a bitmap makes it the surface, origin (0, 0), clip the whole bitmap.
  CBitmap* SelectObject(CBitmap* bitmap);
  // Null (and no change) for a font that is not created; else the font selected before.
  CFont* SelectObject(CFont* font);
  CFont* GetCurrentFont() const { return font; }
  CBitmap* GetSurface() const { return surface; }

  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const { return textColor; }
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const { return bkColor; }
  int SetBkMode(int mode);
  int GetBkMode() const { return bkMode; }

  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(CPoint point) { return SetViewportOrg(point.x, point.y); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CPoint GetViewportOrg() const { return viewportOrg; }
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(const CRect& rect) { return IntersectClipRect(rect.left, rect.top, rect.right, rect.bottom); }
  // The clip rectangle in logical coordinates.
  int GetClipBox(CRect* rect) const;
  // Saves colours, mode, font, origin and clip; RestoreDC(-1) restores the last saved.
  int SaveDC();
  bool RestoreDC(int savedDC);
  int GetDeviceCaps(int index) const;

  // Also makes color the background colour, as the framework's FillSolidRect does.
  void FillSolidRect(const CRect& rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FrameRect(const CRect& rect, COLORREF color);
  void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;
  // Copies w x h pixels from src at (sx, sy). SRCCOPY, BLACKNESS and WHITENESS (those two
  // need no source); other operations are refused. Source pixels outside the source
  // bitmap are not copied; the same bitmap may be source and destination (scrolling).
  bool BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);

  // Text with the top of its cell at y. ETO_OPAQUE fills rect with the background colour
  // first; ETO_CLIPPED keeps the glyphs inside rect. In OPAQUE background mode the cells
  // behind the text are filled too. dx, when given, holds the advance of each UTF-16 unit.
  bool ExtTextOut(int x, int y, UINT options, const CRect* rect, const char16_t* text, int count,
                  const int* dx = nullptr);
  bool TextOut(int x, int y, const char16_t* text, int count) { return ExtTextOut(x, y, 0, nullptr, text, count); }
  bool TextOut(int x, int y, std::u16string_view text);
  // Width of the text and height of the font's cell.
  CSize GetTextExtent(const char16_t* text, int count) const;
  CSize GetTextExtent(std::u16string_view text) const;
  // How many units fit in maxExtent (fit), and the extent after each unit (extents).
  bool GetTextExtentExPoint(const char16_t* text, int count, int maxExtent, int* fit, int* extents,
                            CSize* size) const;
  bool GetTextMetrics(TEXTMETRIC* metrics) const;
  // Text laid out in rect (see DT_*); returns the height of the text. With DT_CALCRECT
  // nothing is drawn and rect's right and bottom are set to what the text needs. A count
  // of -1 means the text ends at its first zero.
  int DrawText(const char16_t* text, int count, CRect* rect, UINT format);
  int DrawText(const char16_t* text, int count, CRect rect, UINT format) { return DrawText(text, count, &rect, format); }

 private:
  struct State {
    CPoint viewportOrg;
    CRect clip;
    CFont* font;
    std::shared_ptr<plat::gfx::FontInstance> fontImpl;
    COLORREF textColor;
    COLORREF bkColor;
    int bkMode;
  };

  // Logical rectangle to device, saturating so that absurd coordinates cannot overflow.
  CRect ToDevice(const CRect& rect) const;
  // The clip rectangle cut to the surface as it is now (a selected bitmap may have been
  // re-created at another size since).
  CRect DeviceClip() const;
  void FillDevice(const CRect& deviceRect, std::uint32_t pixel);
  void DrawGlyphs(int x, int y, const CRect& clip, const char16_t* text, int count, const int* dx);
  int TextWidth(const char16_t* text, int count, const int* dx) const;

  CBitmap* surface = nullptr;
  CPoint origin;       // the window's top-left on the surface
  CPoint viewportOrg;  // logical (0, 0) relative to origin
  CRect clip;
  bool memoryDC = false;
  CFont* font = nullptr;
  std::shared_ptr<plat::gfx::FontInstance> fontImpl;  // keeps drawing safe if the CFont goes first
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  std::vector<State> saved;
};

// Drawing the menu bar in the handheld's dark theme: shaded strip, white labels, greyed images.
#include <algorithm>

#include "platform/gfx/DC.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/Font.h"
#include "platform/shell/MenuBar.h"

namespace {

int Scaled(int px96) {
  return px96 * plat::gfx::GetLogicalDpi() / 96;
}

constexpr COLORREF kBarTop = RGB(84, 89, 101);
constexpr COLORREF kBarBottom = RGB(24, 26, 31);
constexpr COLORREF kBarEdge = RGB(140, 146, 160);
constexpr COLORREF kHotTop = RGB(78, 140, 228);
constexpr COLORREF kHotBottom = RGB(16, 66, 156);
constexpr COLORREF kLabel = RGB(255, 255, 255);

int Mix(int a, int b, int num, int den) {
  return a + (b - a) * num / den;
}

COLORREF MixColor(COLORREF a, COLORREF b, int num, int den) {
  return RGB(Mix(GetRValue(a), GetRValue(b), num, den), Mix(GetGValue(a), GetGValue(b), num, den),
             Mix(GetBValue(a), GetBValue(b), num, den));
}

// A vertical shade from top to bottom colour across rect.
void Shade(CDC& dc, const CRect& rect, COLORREF top, COLORREF bottom) {
  const int h = std::max(1, rect.Height() - 1);
  for (int y = rect.top; y < rect.bottom; ++y)
    dc.FillSolidRect(CRect(rect.left, y, rect.right, y + 1), MixColor(top, bottom, y - rect.top, h));
}

// The glow behind a pressed button: the blue shade inset a little, with a lighter rim.
void Glow(CDC& dc, const CRect& r) {
  const int inset = std::max(1, Scaled(2));
  const CRect g(r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
  if (g.IsRectEmpty()) return;
  Shade(dc, g, kHotTop, kHotBottom);
  dc.FrameRect(g, RGB(120, 170, 240));
}

}  // namespace

CFont& MenuBarFont() {
  static CFont font;
  static int dpi = 0;
  if (!font.IsCreated() || dpi != plat::gfx::GetLogicalDpi()) {
    dpi = plat::gfx::GetLogicalDpi();
    font.DeleteObject();
    font.CreateFontIndirect(MakeLogFont(u"Tahoma", -MulDiv(9, dpi, 72), FW_BOLD));
  }
  return font;
}

void CMenuBar::DrawBar(CDC& dc, const CRect& rect) {
  Shade(dc, rect, kBarTop, kBarBottom);
  dc.FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), kBarEdge);
  dc.SelectObject(&MenuBarFont());
  dc.SetBkMode(TRANSPARENT);
  const int width = rect.Width();
  for (int i = 0; i < GetButtonCount(); ++i) {
    const Button& b = buttons[static_cast<std::size_t>(i)];
    if (b.rect.right > width) break;  // what does not fit is not shown
    const CRect r(rect.left + b.rect.left, rect.top + b.rect.top, rect.left + b.rect.right, rect.top + b.rect.bottom);
    if (b.separator) {
      const int x = r.left + r.Width() / 2;
      const int gap = Scaled(5);
      dc.FillSolidRect(CRect(x - 1, rect.top + gap, x, rect.bottom - gap), RGB(12, 13, 16));
      dc.FillSolidRect(CRect(x, rect.top + gap, x + 1, rect.bottom - gap), RGB(104, 109, 122));
      continue;
    }
    const bool pressed = i == openButton || (i == pressedButton && pressedInside);
    if (pressed) Glow(dc, r);
    if (b.image >= 0) {
      DrawButtonImage(dc, b, pressed, CPoint(rect.left, rect.top));
      continue;
    }
    dc.SetTextColor(b.enabled ? kLabel : RGB(140, 140, 140));
    CRect t = r;
    dc.DrawText(b.label.c_str(), static_cast<int>(b.label.size()), &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void CMenuBar::DrawButtonImage(CDC& dc, const Button& b, bool pressed, CPoint origin) const {
  if (images.IsEmpty()) return;
  // A pressed image sinks by a pixel, as a pushed button does.
  const int ox = origin.x + b.rect.left + (b.rect.Width() - imageSize.cx) / 2 + (pressed ? 1 : 0);
  const int oy = origin.y + b.rect.top + (b.rect.Height() - imageSize.cy) / 2 + (pressed ? 1 : 0);
  const int sx = b.image * imageSize.cx;
  for (int y = 0; y < imageSize.cy; ++y)
    for (int x = 0; x < imageSize.cx; ++x) {
      const COLORREF c = images.GetPixel(sx + x, y);
      if (c == CLR_INVALID || c == kMenuBarImageMask) continue;
      COLORREF out = c;
      if (!b.enabled) {
        // Greyed: the image's brightness, sunk half-way into the bar.
        const int grey = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
        out = MixColor(RGB(grey, grey, grey), RGB(52, 55, 63), 1, 2);
      }
      dc.SetPixel(ox + x, oy + y, out);
    }
}

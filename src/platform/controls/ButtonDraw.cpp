// Drawing buttons in the handheld's light theme: flat grey push buttons with a black frame
// (heavier for the default one, inverted while pressed), square check boxes with a tick,
// round radio buttons, and group boxes with their title set into the top line.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "platform/controls/Button.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

using plat::ui::Scaled;

namespace {

// The average of colours, each with its weight.
COLORREF Blend(std::initializer_list<std::pair<COLORREF, double>> parts) {
  double r = 0, g = 0, b = 0, total = 0;
  for (const auto& [color, weight] : parts) {
    r += GetRValue(color) * weight;
    g += GetGValue(color) * weight;
    b += GetBValue(color) * weight;
    total += weight;
  }
  if (total <= 0) return parts.begin()->first;
  return RGB(static_cast<int>(std::lround(r / total)), static_cast<int>(std::lround(g / total)),
             static_cast<int>(std::lround(b / total)));
}

// Distance from (px, py) to the segment from (ax, ay) to (bx, by).
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0, 1.0) : 0.0;
  const double ex = ax + t * dx - px, ey = ay + t * dy - py;
  return std::sqrt(ex * ex + ey * ey);
}

// A tick in box: down from the left to a third of the way, then up to the top right, each
// pixel averaged over 4 x 4 samples so the strokes stay smooth at any size.
void DrawTick(CDC& dc, const CRect& box, COLORREF back, COLORREF ink) {
  const double w = box.Width(), h = box.Height();
  const double ax = box.left + w * 0.20, ay = box.top + h * 0.50;
  const double bx = box.left + w * 0.42, by = box.top + h * 0.72;
  const double cx = box.left + w * 0.80, cy = box.top + h * 0.28;
  const double half = std::max(1.0, w * 0.075);
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      double on = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
          if (std::min(SegmentDistance(px, py, ax, ay, bx, by), SegmentDistance(px, py, bx, by, cx, cy)) <= half) on += 1;
        }
      if (on > 0) dc.SetPixel(x, y, Blend({{back, 16 - on}, {ink, on}}));
    }
}

// The square the mark of a check box or radio button sits in, at the left, centred.
CRect MarkBox(const CRect& c) {
  const int size = std::min(Scaled(13), c.Height());
  const int top = c.top + (c.Height() - size) / 2;
  return CRect(c.left, top, c.left + size, top + size);
}

}  // namespace

bool CButton::OnEraseBkgnd(CDC*) { return true; }  // the paint covers what it owns; a group box leaves its inside to the dialog

void CButton::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  if (IsPushButton()) DrawPushButton(dc, c);
  else if (GetButtonStyle() == BS_GROUPBOX) DrawGroupBox(dc, c);
  else DrawCheckOrRadio(dc, c);
}

void CButton::DrawPushButton(CDC& dc, const CRect& c) {
  const bool enabled = IsWindowEnabled();
  const int frame = ShowsDefault() ? Scaled(2) : std::max(1, Scaled(1) / 2);
  dc.FillSolidRect(c, GetSysColor(COLOR_WINDOWFRAME));
  const CRect face(c.left + frame, c.top + frame, c.right - frame, c.bottom - frame);
  if (pushed) {
    dc.FillSolidRect(face, GetSysColor(COLOR_HIGHLIGHT));
  } else {
    dc.FillSolidRect(face, GetSysColor(COLOR_BTNFACE));
    // A light top edge and a darker bottom one give the face a little depth.
    dc.FillSolidRect(CRect(face.left, face.top, face.right, face.top + 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    dc.FillSolidRect(CRect(face.left, face.bottom - 1, face.right, face.bottom), GetSysColor(COLOR_BTNSHADOW));
  }
  dc.SetTextColor(!enabled ? GetSysColor(COLOR_GRAYTEXT) : pushed ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT));
  const std::u16string text = plat::ui::WithoutMnemonics(GetWindowText());
  CRect t(face.left + Scaled(2), face.top, face.right - Scaled(2), face.bottom);
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (HasFocus()) {
    const int in = Scaled(3);
    plat::ui::DrawFocusRect(dc, CRect(c.left + in, c.top + in, c.right - in, c.bottom - in),
                            pushed ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT));
  }
}

void CButton::DrawCheckOrRadio(CDC& dc, const CRect& c) {
  const COLORREF back = GetBackgroundColor();
  dc.FillSolidRect(c, back);
  const bool enabled = IsWindowEnabled();
  const CRect box = MarkBox(c);
  const COLORREF frameColor = enabled ? GetSysColor(COLOR_WINDOWFRAME) : GetSysColor(COLOR_GRAYTEXT);
  const COLORREF inside = (pushed || !enabled) ? GetSysColor(COLOR_BTNFACE) : GetSysColor(COLOR_WINDOW);
  const COLORREF mark = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
  const int line = std::max(1, Scaled(1));
  if (IsRadioButton()) {
    // A ring and, when checked, a dot: each pixel averaged over 4 x 4 samples so that the
    // circles stay round at any size.
    const double r = box.Width() / 2.0, cx = box.left + r, cy = box.top + r;
    const double ring = r - line, dot = r * 0.45;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) {
        double cBack = 0, cFrame = 0, cIn = 0, cDot = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx) {
            const double dx = x + (sx + 0.5) / 4 - cx, dy = y + (sy + 0.5) / 4 - cy;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > r) cBack += 1;
            else if (d > ring) cFrame += 1;
            else if (check == BST_CHECKED && d <= dot) cDot += 1;
            else cIn += 1;
          }
        const COLORREF px = Blend({{back, cBack}, {frameColor, cFrame}, {inside, cIn}, {mark, cDot}});
        dc.SetPixel(x, y, px);
      }
  } else {
    dc.FillSolidRect(box, frameColor);
    const CRect in(box.left + line, box.top + line, box.right - line, box.bottom - line);
    dc.FillSolidRect(in, inside);
    const int w = in.Width();
    if (check == BST_CHECKED) {
      DrawTick(dc, in, inside, mark);
    } else if (check == BST_INDETERMINATE) {
      const int m = w / 4;
      dc.FillSolidRect(CRect(in.left + m, in.top + m, in.right - m, in.bottom - m), GetSysColor(COLOR_BTNSHADOW));
    }
  }
  dc.SetTextColor(enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT));
  const std::u16string text = plat::ui::WithoutMnemonics(GetWindowText());
  CRect t(box.right + Scaled(5), c.top, c.right, c.bottom);
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (HasFocus() && !text.empty()) {
    const CSize ext = dc.GetTextExtent(text);
    const int top = c.top + (c.Height() - ext.cy) / 2;
    const CRect f(t.left - Scaled(2), top, std::min(c.right, t.left + ext.cx + Scaled(2)), top + ext.cy);
    plat::ui::DrawFocusRect(dc, f);
  }
}

void CButton::DrawGroupBox(CDC& dc, const CRect& c) {
  // Only the title strip is filled: the controls inside the box are its siblings, drawn
  // before a box repainted on its own would otherwise cover them.
  const COLORREF back = GetBackgroundColor();
  const std::u16string text = plat::ui::WithoutMnemonics(GetWindowText());
  const CSize ext = dc.GetTextExtent(text);
  dc.FillSolidRect(CRect(c.left, c.top, c.right, c.top + ext.cy), back);
  const int lineY = c.top + ext.cy / 2;
  dc.FrameRect(CRect(c.left, lineY, c.right, c.bottom), GetSysColor(COLOR_BTNSHADOW));
  if (text.empty()) return;
  const int pad = Scaled(3);
  const int left = c.left + Scaled(6);
  const CRect label(left, c.top, std::min(c.right - pad, left + ext.cx + 2 * pad), c.top + ext.cy);
  dc.FillSolidRect(label, back);
  dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  CRect t(label.left + pad, label.top, label.right, label.bottom);
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), &t, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The edit field measured and drawn: text extents, horizontal scrolling that keeps the
// caret in view, the caret's place, and the field with its border and selection.
#include <algorithm>

#include "platform/controls/Edit.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

using plat::ui::Scaled;

namespace {

// A plain context measuring with the field's font; it draws nowhere.
class CMeasureDC : public CDC {
 public:
  explicit CMeasureDC(CFont* font) {
    if (font) SelectObject(font);
  }
};

int BorderWidth(bool focused) { return focused ? std::max(1, Scaled(1)) : 1; }

}  // namespace

const std::vector<int>& CEdit::Extents() {
  if (!measured || measuredFont != GetFont() || measuredText != Text()) {
    CMeasureDC dc(GetFont());
    extents.assign(Text().size(), 0);
    if (!Text().empty()) dc.GetTextExtentExPoint(Text().data(), Length(), 0, nullptr, extents.data(), nullptr);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    lineHeight = tm.tmHeight;
    measuredText = Text();
    measuredFont = GetFont();
    measured = true;
  }
  return extents;
}

int CEdit::TextWidth() {
  const auto& ext = Extents();
  return ext.empty() ? 0 : ext.back();
}

int CEdit::LineHeight() {
  Extents();
  return std::max(1, lineHeight);
}

CRect CEdit::TextRect() const {
  // The border is drawn at its focused width always, so the text never shifts.
  const CRect c = GetClientRect();
  const int in = BorderWidth(true) + Scaled(2);
  return CRect(c.left + in, c.top + BorderWidth(true), std::max(c.left + in, c.right - in), std::max(c.top, c.bottom - BorderWidth(true)));
}

int CEdit::TextOriginX() {
  const CRect r = TextRect();
  const int width = TextWidth();
  int x = r.left - scrollX;
  const DWORD align = GetStyle() & ES_ALIGNMASK;
  if (width < r.Width() && align == ES_RIGHT) x = r.right - width - 1;
  if (width < r.Width() && align == ES_CENTER) x = r.left + (r.Width() - width) / 2;
  return x;
}

int CEdit::PosFromChar(int index) {
  index = ClampPos(index);
  const auto& ext = Extents();
  return TextOriginX() + (index > 0 ? ext[static_cast<std::size_t>(index - 1)] : 0);
}

int CEdit::CharFromPos(CPoint point) {
  const auto& ext = Extents();
  const int x = point.x - TextOriginX();
  if (ext.empty() || x <= 0) return 0;
  // Boundary i lies at ext[i - 1]; find the first at or right of x, then the nearer one.
  const auto it = std::lower_bound(ext.begin(), ext.end(), x);
  int i = static_cast<int>(it - ext.begin()) + 1;
  if (i > Length()) return Length();
  const int right = ext[static_cast<std::size_t>(i - 1)];
  const int left = i >= 2 ? ext[static_cast<std::size_t>(i - 2)] : 0;
  if (x - left < right - x) --i;
  // Inside a pair the boundary is the pair's end: both units end there.
  const auto& t = Text();
  if (i > 0 && i < Length() && t[i] >= 0xDC00 && t[i] <= 0xDFFF && t[i - 1] >= 0xD800 && t[i - 1] <= 0xDBFF) ++i;
  return i;
}

bool CEdit::FitsWidth(const std::u16string& text) {
  CMeasureDC dc(GetFont());
  return dc.GetTextExtent(text).cx <= TextRect().Width() - std::max(1, Scaled(1));
}

void CEdit::EnsureCaretVisible() {
  const int width = TextRect().Width();
  const int caretWidth = std::max(1, Scaled(1));
  if (!(GetStyle() & ES_AUTOHSCROLL) || width <= 0) {
    scrollX = 0;
    return;
  }
  const auto& ext = Extents();
  const int x = caret > 0 ? ext[static_cast<std::size_t>(caret - 1)] : 0;
  const int maxScroll = std::max(0, TextWidth() + caretWidth - width);
  // A caret leaving the field scrolls it a quarter of a width further, so that typing on
  // does not scroll at every character.
  if (x < scrollX) scrollX = x - width / 4;
  else if (x + caretWidth > scrollX + width) scrollX = x + caretWidth - width + width / 4;
  scrollX = std::clamp(scrollX, 0, maxScroll);
}

void CEdit::PlaceCaret() {
  if (!HasFocus()) return;
  const CRect r = TextRect();
  const int x = std::clamp(PosFromChar(caret), r.left, std::max(r.left, r.right - 1));
  SetCaretPos(CPoint(x, r.top + (r.Height() - LineHeight()) / 2));
}

void CEdit::OnSize(UINT, int, int) {
  EnsureCaretVisible();
  PlaceCaret();
  Invalidate(false);
}

bool CEdit::OnEraseBkgnd(CDC*) { return true; }  // the paint covers every pixel

void CEdit::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  const bool focused = HasFocus(), enabled = IsWindowEnabled();
  const int border = BorderWidth(focused);
  const COLORREF back = (enabled && !IsReadOnly()) ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE);
  dc.FillSolidRect(c, focused ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_WINDOWFRAME));
  dc.FillSolidRect(CRect(c.left + border, c.top + border, c.right - border, c.bottom - border), back);

  const CRect r = TextRect();
  dc.SaveDC();
  dc.IntersectClipRect(r);
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  const auto& ext = Extents();
  const auto& t = Text();
  const int x0 = TextOriginX();
  const int y = r.top + (r.Height() - LineHeight()) / 2;
  auto xOf = [&](int i) { return x0 + (i > 0 ? ext[static_cast<std::size_t>(i - 1)] : 0); };
  // Only the units that show are drawn: the text may be far wider than the field.
  const int firstShown = static_cast<int>(std::upper_bound(ext.begin(), ext.end(), r.left - x0) - ext.begin());
  const int lastShown = std::min(Length(), static_cast<int>(std::lower_bound(ext.begin(), ext.end(), r.right - x0) - ext.begin()) + 1);
  auto run = [&](int from, int to, COLORREF color) {
    from = std::max(from, firstShown);
    to = std::min(to, lastShown);
    if (from >= to) return;
    dc.SetTextColor(color);
    dc.ExtTextOut(xOf(from), y, 0, nullptr, t.data() + from, to - from);
  };
  int s, e;
  GetSel(s, e);
  if (!focused) s = e = 0;  // the selection shows only while the field has the focus
  const COLORREF ink = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
  run(0, s, ink);
  if (s < e) {
    dc.FillSolidRect(CRect(xOf(s), y, xOf(e), y + LineHeight()), GetSysColor(COLOR_HIGHLIGHT));
    run(s, e, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  run(e, Length(), ink);
  dc.RestoreDC(-1);
}

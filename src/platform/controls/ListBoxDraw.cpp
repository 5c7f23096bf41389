// The list box measured and drawn: the item height from its font, the scroll bars that
// come and go with the content, and the rows with the selection and the focus.
#include <algorithm>

#include "platform/controls/ListBox.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

using plat::ui::Scaled;

namespace {

// A plain context measuring with the list's font; it draws nowhere.
class CMeasureDC : public CDC {
 public:
  explicit CMeasureDC(CFont* font) {
    if (font) SelectObject(font);
  }
};

// Room left of the text, so it does not touch the border.
int TextIndent() { return Scaled(2); }

}  // namespace

int CListBox::ItemHeight() const {
  CMeasureDC dc(GetFont());
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  // A little air above and below the text: rows are tapped with a finger or a stylus.
  return std::max(1, static_cast<int>(tm.tmHeight) + 2 * Scaled(1));
}

int CListBox::VisibleCount() const { return std::max(1, GetClientRect().Height() / ItemHeight()); }

int CListBox::MaxTopIndex() const { return std::max(0, GetCount() - VisibleCount()); }

void CListBox::UpdateScrollBars() {
  if (updatingBars || !IsWindow()) return;
  updatingBars = true;
  const bool keep = (GetStyle() & LBS_DISABLENOSCROLL) != 0;
  // Each bar takes room from the other's direction, so settle them until nothing changes.
  for (int pass = 0; pass < 3; ++pass) {
    const bool needV = mayScrollV && (keep || GetCount() > VisibleCount());
    const bool needH = mayScrollH && (keep || horizontalExtent > GetClientRect().Width());
    const DWORD want = (needV ? DWORD{WS_VSCROLL} : 0) | (needH ? DWORD{WS_HSCROLL} : 0);
    const DWORD have = GetStyle() & (WS_VSCROLL | WS_HSCROLL);
    if (want == have) break;
    ModifyStyle(have & ~want, want & ~have);
  }
  topIndex = std::clamp(topIndex, 0, MaxTopIndex());
  scrollX = std::clamp(scrollX, 0, std::max(0, horizontalExtent - GetClientRect().Width()));
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (GetStyle() & WS_VSCROLL) {
    si.nMin = 0;
    si.nMax = std::max(0, GetCount() - 1);
    si.nPage = static_cast<UINT>(VisibleCount());
    si.nPos = topIndex;
    SetScrollInfo(SB_VERT, si, true);
  }
  if (GetStyle() & WS_HSCROLL) {
    si.nMin = 0;
    si.nMax = std::max(0, horizontalExtent - 1);
    si.nPage = static_cast<UINT>(std::max(1, GetClientRect().Width()));
    si.nPos = scrollX;
    SetScrollInfo(SB_HORZ, si, true);
  }
  updatingBars = false;
}

bool CListBox::OnEraseBkgnd(CDC* dc) {
  // The paint fills every pixel; erasing first would only flicker.
  (void)dc;
  return true;
}

void CListBox::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  const bool enabled = IsWindowEnabled();
  dc.FillSolidRect(c, GetSysColor(COLOR_WINDOW));
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  const int h = ItemHeight();
  const int textTop = (h - static_cast<int>(tm.tmHeight)) / 2;
  for (int i = topIndex, y = 0; i < GetCount() && y < c.bottom; ++i, y += h) {
    const CRect row(c.left, y, c.right, y + h);
    const bool selected = i == selection;
    if (selected) dc.FillSolidRect(row, GetSysColor(enabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (!enabled) text = GetSysColor(COLOR_GRAYTEXT);
    else if (selected) text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    dc.SetTextColor(text);
    const std::u16string& s = items[static_cast<std::size_t>(i)].text;
    dc.ExtTextOut(c.left + TextIndent() - scrollX, y + textTop, ETO_CLIPPED, &row, s.c_str(), static_cast<int>(s.size()));
    if (selected && HasFocus()) plat::ui::DrawFocusRect(dc, row, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
}

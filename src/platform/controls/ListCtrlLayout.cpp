// The list view's geometry: row and header heights from the font and the icons, where rows
// and columns lie as the list is scrolled, the scroll bars, and keeping a row in view.
#include <algorithm>

#include "platform/controls/ListCtrl.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/ImageList.h"

using plat::ui::Scaled;

void CListCtrl::Measure() {
  CDC dc;
  SelectFont(dc);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  const int text = std::max(1, static_cast<int>(tm.tmHeight));
  const int icon = smallImages ? smallImages->GetIconSize().cy : 0;
  rowHeight = std::max(text + Scaled(3), icon + Scaled(2));
  headerHeight = (GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : text + Scaled(5);
}

int CListCtrl::GetRowHeight() const { return std::max(1, rowHeight); }

int CListCtrl::GetHeaderHeight() const { return (GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : headerHeight; }

int CListCtrl::TotalWidth() const {
  long long total = 0;
  for (const Column& c : columns) total += c.width;
  return static_cast<int>(std::min<long long>(total, 1 << 24));
}

int CListCtrl::ColumnLeft(int col) const {
  int x = -scrollX;
  for (int i = 0; i < col && i < GetColumnCount(); ++i) x += columns[static_cast<std::size_t>(i)].width;
  return x;
}

int CListCtrl::GetCountPerPage() const {
  return std::max(1, (GetClientRect().Height() - GetHeaderHeight()) / GetRowHeight());
}

bool CListCtrl::GetHeaderItemRect(int col, CRect* rect) const {
  if (!rect || GetHeaderHeight() == 0 || col < 0 || col >= GetColumnCount()) return false;
  const int left = ColumnLeft(col);
  *rect = CRect(left, 0, left + columns[static_cast<std::size_t>(col)].width, GetHeaderHeight());
  return true;
}

bool CListCtrl::GetItemRect(int item, CRect* rect, UINT code) const {
  if (!rect || !Valid(item)) return false;
  const int y = GetHeaderHeight() + (item - top) * GetRowHeight();
  const CRect row(-scrollX, y, -scrollX + std::max(TotalWidth(), GetClientRect().Width() + scrollX), y + GetRowHeight());
  const int iconWidth = smallImages ? smallImages->GetIconSize().cx : 0;
  const int iconLeft = row.left + Scaled(2);
  const int firstWidth = GetColumnCount() > 0 ? columns[0].width : row.Width();
  switch (code) {
    case LVIR_ICON: *rect = CRect(iconLeft, row.top, iconLeft + iconWidth, row.bottom); break;
    case LVIR_LABEL: {
      const int left = iconLeft + iconWidth + (iconWidth ? Scaled(2) : 0);
      *rect = CRect(left, row.top, std::max(left, row.left + firstWidth), row.bottom);
      break;
    }
    default: *rect = row; break;
  }
  return true;
}

int CListCtrl::HitTest(CPoint p, UINT* flags) const {
  UINT where = LVHT_NOWHERE;
  int hit = -1;
  const CRect c = GetClientRect();
  if (p.y < GetHeaderHeight()) {
    where = LVHT_ABOVE;
  } else if (p.y >= c.bottom) {
    where = LVHT_BELOW;
  } else if (p.x >= c.left && p.x < c.right) {
    const int row = top + (p.y - GetHeaderHeight()) / GetRowHeight();
    if (Valid(row) && p.x < TotalWidth() - scrollX) {
      hit = row;
      CRect icon;
      GetItemRect(row, &icon, LVIR_ICON);
      where = icon.PtInRect(p) ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    }
  }
  if (flags) *flags = where;
  return hit;
}

void CListCtrl::InvalidateItem(int item) {
  CRect r;
  if (!GetItemRect(item, &r, LVIR_BOUNDS)) return;
  r.left = 0;
  r.right = GetClientRect().right;
  InvalidateRect(&r, false);
}

void CListCtrl::ClampScroll() {
  top = std::clamp(top, 0, std::max(0, GetItemCount() - GetCountPerPage()));
  scrollX = std::clamp(scrollX, 0, std::max(0, TotalWidth() - GetClientRect().Width()));
}

void CListCtrl::UpdateScrollBars() {
  if (!IsWindow() || inLayout) return;
  inLayout = true;
  // Each bar takes room from the other direction: settle which are needed first.
  for (int round = 0; round < 3; ++round) {
    const bool needV = GetItemCount() > GetCountPerPage();
    const bool needH = TotalWidth() > GetClientRect().Width();
    const bool hasV = GetStyle() & WS_VSCROLL, hasH = GetStyle() & WS_HSCROLL;
    if (needV == hasV && needH == hasH) break;
    const DWORD v = WS_VSCROLL, h = WS_HSCROLL, none = 0;
    ModifyStyle((hasV && !needV ? v : none) | (hasH && !needH ? h : none), (needV && !hasV ? v : none) | (needH && !hasH ? h : none));
  }
  ClampScroll();
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (GetStyle() & WS_VSCROLL) {
    si.nMin = 0;
    si.nMax = std::max(0, GetItemCount() - 1);
    si.nPage = static_cast<UINT>(GetCountPerPage());
    si.nPos = top;
    SetScrollInfo(SB_VERT, si, true);
  }
  if (GetStyle() & WS_HSCROLL) {
    si.nMin = 0;
    si.nMax = std::max(0, TotalWidth() - 1);
    si.nPage = static_cast<UINT>(std::max(1, GetClientRect().Width()));
    si.nPos = scrollX;
    SetScrollInfo(SB_HORZ, si, true);
  }
  inLayout = false;
}

void CListCtrl::ScrollToRow(int row) {
  const int old = top;
  top = row;
  ClampScroll();
  if (top == old) return;
  if (GetStyle() & WS_VSCROLL) SetScrollPos(SB_VERT, top, true);
  // Only the rows move; the header stays.
  const CRect rows(0, GetHeaderHeight(), GetClientRect().Width(), GetClientRect().Height());
  ScrollWindow(0, (old - top) * GetRowHeight(), &rows, &rows);
}

void CListCtrl::ScrollToX(int x) {
  const int old = scrollX;
  scrollX = x;
  ClampScroll();
  if (scrollX == old) return;
  if (GetStyle() & WS_HSCROLL) SetScrollPos(SB_HORZ, scrollX, true);
  ScrollWindow(old - scrollX, 0);
}

bool CListCtrl::EnsureVisible(int item, bool partialOK) {
  if (!Valid(item)) return false;
  const int perPage = GetCountPerPage();
  const int visibleRows = (GetClientRect().Height() - GetHeaderHeight() + GetRowHeight() - 1) / GetRowHeight();
  if (item < top) ScrollToRow(item);
  else if (item >= top + perPage && !(partialOK && item < top + visibleRows)) ScrollToRow(item - perPage + 1);
  return true;
}

void CListCtrl::OnSize(UINT, int, int) {
  UpdateScrollBars();
  Invalidate(false);
}

void CListCtrl::OnVScroll(UINT code, UINT pos, CWnd*) {
  const int page = std::max(1, GetCountPerPage() - 1);
  switch (code) {
    case SB_LINEUP: ScrollToRow(top - 1); break;
    case SB_LINEDOWN: ScrollToRow(top + 1); break;
    case SB_PAGEUP: ScrollToRow(top - page); break;
    case SB_PAGEDOWN: ScrollToRow(top + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The bar carries 16 bits of position; a longer list reads the full one.
      SCROLLINFO si;
      GetScrollInfo(SB_VERT, si, SIF_TRACKPOS);
      ScrollToRow(GetItemCount() > 0xFFFF ? si.nTrackPos : static_cast<int>(pos));
      break;
    }
    case SB_TOP: ScrollToRow(0); break;
    case SB_BOTTOM: ScrollToRow(GetItemCount()); break;
    default: break;
  }
}

void CListCtrl::OnHScroll(UINT code, UINT pos, CWnd*) {
  const int line = Scaled(16);
  const int page = std::max(line, GetClientRect().Width() - line);
  switch (code) {
    case SB_LINELEFT: ScrollToX(scrollX - line); break;
    case SB_LINERIGHT: ScrollToX(scrollX + line); break;
    case SB_PAGELEFT: ScrollToX(scrollX - page); break;
    case SB_PAGERIGHT: ScrollToX(scrollX + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollToX(static_cast<int>(pos)); break;
    case SB_LEFT: ScrollToX(0); break;
    case SB_RIGHT: ScrollToX(TotalWidth()); break;
    default: break;
  }
}

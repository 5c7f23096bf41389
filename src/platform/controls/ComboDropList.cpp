// The opened list of a drop-down list: placement beside the field, the pen (a release on a
// row chooses it, a tap outside closes the list), scrolling and drawing.
#include "platform/controls/ComboDropList.h"

#include <algorithm>

#include "platform/controls/ComboBox.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"

using plat::ui::Scaled;

int CComboDropList::Count() const { return combo.GetCount(); }

bool CComboDropList::Open() {
  auto& wm = CWindowManager::Get();
  const int rowHeight = combo.GetItemHeight();
  const CRect field = combo.GetWindowRect();
  const CRect work = wm.GetWorkArea();
  // The rows the template's height leaves below the field, at least one, at most all.
  const int wanted = std::clamp((combo.GetDroppedHeight() - field.Height() - 2) / rowHeight, 1, std::max(1, Count()));
  const int roomBelow = (work.bottom - field.bottom - 2) / rowHeight;
  const int roomAbove = (field.top - work.top - 2) / rowHeight;
  const bool below = roomBelow >= wanted || roomBelow >= roomAbove;
  rows = std::max(1, std::min(wanted, below ? roomBelow : roomAbove));
  const int height = rows * rowHeight + 2;
  const CRect place = below ? CRect(field.left, field.bottom, field.right, field.bottom + height)
                            : CRect(field.left, field.top - height, field.right, field.top);
  const DWORD style = WS_POPUP | (Count() > rows ? DWORD{WS_VSCROLL} : DWORD{0});
  if (!IsWindow()) {
    if (!Create(&combo, place, style)) return false;
  } else {
    ModifyStyle(WS_VSCROLL, style & WS_VSCROLL);
    MoveWindow(place, true);
  }
  hot = combo.GetCurSel();
  top = 0;
  EnsureVisible(hot);
  UpdateScrollBar();
  ShowWindow(SW_SHOW);
  wm.BringToTop(this);
  Invalidate(true);
  SetCapture();  // a tap anywhere else reaches us, and closes the list
  return true;
}

void CComboDropList::Close() {
  if (!IsWindow()) return;
  closing = true;
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
  closing = false;
  ShowWindow(SW_HIDE);
}

void CComboDropList::OnCaptureChanged(CWnd*) {
  // Something else took the pen (a message box): the list gives up as a tap outside would.
  if (!closing && IsOpen()) combo.CloseUp(false);
}

void CComboDropList::SetHot(int index) {
  index = index >= 0 && index < Count() ? index : -1;
  if (index == hot) return;
  hot = index;
  EnsureVisible(hot);
  Invalidate(false);
}

void CComboDropList::Step(int delta) {
  if (Count() == 0) return;
  const int from = hot < 0 ? (delta > 0 ? -1 : Count()) : hot;
  SetHot(std::clamp(from + delta, 0, Count() - 1));
}

CRect CComboDropList::RowRect(int index) const {
  const int h = combo.GetItemHeight();
  const CRect c = GetClientRect();
  const int y = 1 + (index - top) * h;
  return CRect(c.left + 1, y, c.right - 1, y + h);
}

int CComboDropList::RowAt(CPoint p) const {
  const CRect c = GetClientRect();
  if (p.x < c.left || p.x >= c.right || p.y < 1 || p.y >= c.bottom - 1) return -1;
  const int i = top + (p.y - 1) / combo.GetItemHeight();
  return i >= 0 && i < Count() && i < top + rows ? i : -1;
}

void CComboDropList::ScrollTo(int index) {
  index = std::clamp(index, 0, std::max(0, Count() - rows));
  if (index == top) return;
  top = index;
  UpdateScrollBar();
  Invalidate(false);
}

void CComboDropList::EnsureVisible(int index) {
  if (index < 0) return;
  if (index < top) ScrollTo(index);
  else if (index >= top + rows) ScrollTo(index - rows + 1);
}

void CComboDropList::UpdateScrollBar() {
  if (!(GetStyle() & WS_VSCROLL)) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, Count() - 1);
  si.nPage = static_cast<UINT>(rows);
  si.nPos = top;
  SetScrollInfo(SB_VERT, si, true);
}

void CComboDropList::OnVScroll(UINT code, UINT pos, CWnd*) {
  switch (code) {
    case SB_LINEUP: ScrollTo(top - 1); break;
    case SB_LINEDOWN: ScrollTo(top + 1); break;
    case SB_PAGEUP: ScrollTo(top - std::max(1, rows - 1)); break;
    case SB_PAGEDOWN: ScrollTo(top + std::max(1, rows - 1)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(static_cast<int>(pos)); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(Count()); break;
    default: break;
  }
}

void CComboDropList::OnLButtonDown(UINT, CPoint point) {
  CPoint screen = point;
  ClientToScreen(screen);
  if (!GetWindowRect().PtInRect(screen)) {
    combo.CloseUp(false);  // a tap outside dismisses the list and goes no further
    return;
  }
  if (!GetClientRect().PtInRect(point)) {
    // The list holds the pen, so the press on its own bar comes here: hand it to the bar.
    TrackScrollBarPress(this, screen);
    return;
  }
  SetHot(RowAt(point));
}

void CComboDropList::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void CComboDropList::OnMouseMove(UINT flags, CPoint point) {
  // The pen drawn over the rows points at them, whether it went down on the field or here.
  if ((flags & MK_LBUTTON) && RowAt(point) >= 0) SetHot(RowAt(point));
}

void CComboDropList::OnLButtonUp(UINT, CPoint point) {
  // Released on a row: that row is chosen. The release of the tap that opened the list
  // lands on the field, and one dragged off the rows changes nothing: the list stays open.
  const int row = RowAt(point);
  if (row < 0) return;
  hot = row;
  combo.CloseUp(true);
}

bool CComboDropList::OnEraseBkgnd(CDC*) { return true; }

void CComboDropList::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  dc.FillSolidRect(c, GetSysColor(COLOR_WINDOWFRAME));
  dc.FillSolidRect(CRect(c.left + 1, c.top + 1, c.right - 1, c.bottom - 1), GetSysColor(COLOR_WINDOW));
  if (combo.GetFont()) dc.SelectObject(combo.GetFont());
  dc.SetBkMode(TRANSPARENT);
  for (int i = top; i < std::min(Count(), top + rows); ++i) {
    const CRect r = RowRect(i);
    const bool lit = i == hot;
    if (lit) dc.FillSolidRect(r, GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::u16string text = combo.GetLBText(i);
    CRect t(r.left + Scaled(3), r.top, r.right - Scaled(2), r.bottom);
    dc.DrawText(text.c_str(), static_cast<int>(text.size()), &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

// The tree view under the keys and the pen: moving the selection, opening and closing
// nodes, taps, double taps, and scrolling by drawing the pen up or down.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/controls/TreeCtrl.h"

using plat::ui::Scaled;

void CTreeCtrl::SelectByUser(HTREEITEM item, UINT action) {
  if (!IsItem(item)) return;
  if (!ChangeSelection(item, action) || !IsWindow() || !IsItem(item)) return;
  EnsureVisible(item);
}

void CTreeCtrl::OnSetFocus(CWnd*) {
  InvalidateItem(selected);  // the selection changes colour with the focus
  NMHDR nm;
  Notify(nm, NM_SETFOCUS);
}

void CTreeCtrl::OnKillFocus(CWnd*) {
  InvalidateItem(selected);
  NMHDR nm;
  Notify(nm, NM_KILLFOCUS);
}

void CTreeCtrl::OnKeyDown(UINT vk, UINT, UINT) {
  // The parent hears of every key first; it may move the selection in its answer.
  NMTVKEYDOWN key;
  key.wVKey = static_cast<std::uint16_t>(vk);
  Notify(key.hdr, TVN_KEYDOWN);
  if (!IsWindow()) return;
  if (vk == VK_RETURN) {
    NMHDR nm;
    Notify(nm, NM_RETURN);
    return;
  }
  const int count = GetRowCount();
  if (count == 0) return;
  const int from = RowOf(selected);
  const int page = std::max(1, static_cast<int>(GetVisibleCount()) - 1);
  int to = from;
  switch (vk) {
    case VK_UP: to = from < 0 ? 0 : from - 1; break;
    case VK_DOWN: to = from + 1; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_PRIOR: to = from < 0 ? 0 : from - page; break;
    case VK_NEXT: to = from < 0 ? page : from + page; break;
    case VK_LEFT:
      if (!IsItem(selected)) return;
      // An open node closes; a closed one or a leaf hands the selection to its parent.
      if ((selected->state & TVIS_EXPANDED) && !selected->children.empty()) ExpandByUser(selected, TVE_COLLAPSE);
      else if (HTREEITEM parent = GetParentItem(selected)) SelectByUser(parent, TVC_BYKEYBOARD);
      return;
    case VK_RIGHT:
      if (!IsItem(selected) || selected->children.empty()) return;
      if (!(selected->state & TVIS_EXPANDED)) ExpandByUser(selected, TVE_EXPAND);
      else SelectByUser(selected->children.front().get(), TVC_BYKEYBOARD);
      return;
    default: return;
  }
  to = std::clamp(to, 0, count - 1);
  SelectByUser(rows[static_cast<std::size_t>(to)], TVC_BYKEYBOARD);
}

void CTreeCtrl::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  if (!IsWindow()) return;
  // What the tap does is decided when the pen comes up: drawn away, it scrolls instead.
  afterDoubleTap = false;
  penDown = true;
  dragging = false;
  penStart = point;
  penStartTop = top;
  pressedItem = HitTest(point);
  SetCapture();
}

void CTreeCtrl::OnMouseMove(UINT flags, CPoint point) {
  if (!penDown || !(flags & MK_LBUTTON)) return;
  if (!dragging && std::abs(point.y - penStart.y) >= Scaled(6)) dragging = true;
  // The nodes follow the pen, a row at a time.
  if (dragging) ScrollToRow(penStartTop - (point.y - penStart.y) / GetItemHeight());
}

void CTreeCtrl::OnLButtonUp(UINT, CPoint point) {
  const bool wasDown = penDown, dragged = dragging, doubleTap = afterDoubleTap;
  const HTREEITEM pressed = pressedItem;
  penDown = dragging = afterDoubleTap = false;
  pressedItem = nullptr;
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
  // The release that ends a double tap was reported with it; a drag was a scroll.
  if (!wasDown || dragged || doubleTap) return;
  UINT where = 0;
  const HTREEITEM item = HitTest(point, &where);
  if (item && item == pressed && IsItem(item)) {
    if (where == TVHT_ONITEMBUTTON) ExpandByUser(item, TVE_TOGGLE);
    else SelectByUser(item, TVC_BYMOUSE);
  }
  if (!IsWindow()) return;
  NMHDR nm;
  Notify(nm, NM_CLICK);
}

void CTreeCtrl::OnLButtonDblClk(UINT, CPoint point) {
  SetFocus();
  if (!IsWindow()) return;
  afterDoubleTap = true;
  penDown = dragging = false;
  pressedItem = nullptr;
  UINT where = 0;
  const HTREEITEM item = HitTest(point, &where);
  // A quick second tap on a button is one more toggle.
  if (item && where == TVHT_ONITEMBUTTON) {
    ExpandByUser(item, TVE_TOGGLE);
    return;
  }
  if (item) SelectByUser(item, TVC_BYMOUSE);
  if (!IsWindow()) return;
  NMHDR nm;
  // The parent may open the node's file and close its dialog; unless it answers non-zero
  // the node opens or closes.
  if (Notify(nm, NM_DBLCLK) == 0 && IsWindow() && item && IsItem(item)) ExpandByUser(item, TVE_TOGGLE);
}

void CTreeCtrl::OnCaptureChanged(CWnd* newCapture) {
  if (newCapture == this) return;
  penDown = dragging = false;
  pressedItem = nullptr;
}

// The list view under the pen and the keys: header buttons, tapping and double tapping
// rows, the pen drawn over the rows, and the keys that move the selection.
#include <algorithm>

#include "platform/controls/ListCtrl.h"

using plat::ui::Scaled;

void CListCtrl::OnSetFocus(CWnd*) {
  if (Valid(focusItem)) InvalidateItem(focusItem);
  // Selected rows change colour with the focus.
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) InvalidateItem(i);
  NMHDR nm;
  Notify(nm, NM_SETFOCUS);
}

void CListCtrl::OnKillFocus(CWnd*) {
  if (Valid(focusItem)) InvalidateItem(focusItem);
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) InvalidateItem(i);
  NMHDR nm;
  Notify(nm, NM_KILLFOCUS);
}

void CListCtrl::OnKeyDown(UINT vk, UINT, UINT) {
  const int count = GetItemCount();
  const int from = Valid(focusItem) ? focusItem : -1;
  const int page = std::max(1, GetCountPerPage() - 1);
  int to = from;
  switch (vk) {
    case VK_UP: to = from < 0 ? 0 : from - 1; break;
    case VK_DOWN: to = from + 1; break;
    case VK_PRIOR: to = from < 0 ? 0 : (from == top ? from - page : top); break;
    case VK_NEXT: {
      // The first press goes to the bottom of the page, the next one a page on.
      const int bottom = top + GetCountPerPage() - 1;
      to = from == bottom ? from + page : bottom;
      break;
    }
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_SPACE: to = std::max(from, 0); break;
    case VK_LEFT: ScrollToX(scrollX - Scaled(16)); return;
    case VK_RIGHT: ScrollToX(scrollX + Scaled(16)); return;
    case VK_RETURN: {
      NMHDR nm;
      Notify(nm, NM_RETURN);
      return;
    }
    default: return;
  }
  if (count == 0) return;
  SelectByUser(std::clamp(to, 0, count - 1));
}

void CListCtrl::OnLButtonDown(UINT flags, CPoint point) {
  SetFocus();
  if (!IsWindow()) return;
  afterDoubleTap = false;
  if (point.y < GetHeaderHeight()) {
    // A header item is a button: it looks pressed while the pen stays on it.
    if (GetStyle() & LVS_NOSORTHEADER) return;
    for (int col = 0; col < GetColumnCount(); ++col) {
      CRect r;
      if (GetHeaderItemRect(col, &r) && r.PtInRect(point)) {
        pressedColumn = col;
        headerPressedLook = true;
        SetCapture();
        InvalidateRect(&r, false);
        return;
      }
    }
    return;
  }
  const int item = HitTest(point);
  pressedItem = item;
  trackingRows = true;
  SetCapture();
  if (item >= 0) {
    SelectByUser(item);
  } else {
    // A tap on no row: nothing stays chosen.
    SetItemState(-1, 0, LVIS_SELECTED);
    mark = -1;
  }
  (void)flags;
}

void CListCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
  if (point.y < GetHeaderHeight()) {
    OnLButtonDown(flags, point);  // a quick second tap on the header is another click
    return;
  }
  SetFocus();
  if (!IsWindow()) return;
  const int item = HitTest(point);
  if (item >= 0) SelectByUser(item);
  if (!IsWindow()) return;
  afterDoubleTap = true;
  trackingRows = false;
  pressedItem = -1;
  // The parent may refill the list or close the dialog in its answer.
  NotifyItem(NM_DBLCLK, item >= 0 && Valid(item) ? item : -1, point);
}

void CListCtrl::OnMouseMove(UINT flags, CPoint point) {
  if (pressedColumn >= 0) {
    CRect r;
    const bool on = GetHeaderItemRect(pressedColumn, &r) && r.PtInRect(point);
    if (on != headerPressedLook) {
      headerPressedLook = on;
      InvalidateRect(&r, false);
    }
    return;
  }
  // The pen drawn over the rows takes the selection with it.
  if (!trackingRows || !(flags & MK_LBUTTON)) return;
  const int item = HitTest(point);
  if (item >= 0 && item != mark) {
    pressedItem = item;
    SelectByUser(item);
  }
}

void CListCtrl::OnLButtonUp(UINT, CPoint point) {
  // The press is read before the pen is let go: letting go ends it.
  const int col = pressedColumn;
  const bool rows = trackingRows, doubleTap = afterDoubleTap;
  const int pressed = pressedItem;
  pressedColumn = -1;
  headerPressedLook = false;
  trackingRows = afterDoubleTap = false;
  pressedItem = -1;
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
  if (col >= 0) {
    CRect r;
    const bool on = GetHeaderItemRect(col, &r) && r.PtInRect(point);
    InvalidateRect(&r, false);
    if (!on) return;
    NMLISTVIEW nm;
    nm.iItem = -1;
    nm.iSubItem = col;
    nm.ptAction = point;
    Notify(nm.hdr, LVN_COLUMNCLICK);
    return;
  }
  // The release that ends a double tap was reported with it.
  if (doubleTap || !rows) return;
  const int item = HitTest(point);
  // A click names the row it began and ended on, or no row.
  NotifyItem(NM_CLICK, item >= 0 && item == pressed ? item : -1, point);
}

void CListCtrl::OnCaptureChanged(CWnd* newCapture) {
  if (newCapture == this) return;
  // Something else took the pen: a held header button comes up without a click.
  if (pressedColumn >= 0) {
    CRect r;
    if (GetHeaderItemRect(pressedColumn, &r)) InvalidateRect(&r, false);
  }
  pressedColumn = -1;
  headerPressedLook = false;
  trackingRows = false;
}

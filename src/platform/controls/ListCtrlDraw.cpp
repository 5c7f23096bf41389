// Drawing the list view in the handheld's light theme: a grey header of flat buttons with
// thin dividers, white rows, the label of the selected row in the highlight colour (grey
// while the list lacks the focus), and a dotted frame on the focused row.
#include <algorithm>

#include "platform/controls/ListCtrl.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

using plat::ui::Scaled;

namespace {

constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

UINT AlignOf(int format) {
  switch (format) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
  }
}

}  // namespace

bool CListCtrl::OnEraseBkgnd(CDC*) { return true; }  // the paint covers every pixel

void CListCtrl::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  const CRect area = dc.PaintRect();
  if (GetHeaderHeight() > 0 && area.top < GetHeaderHeight()) DrawHeader(dc, c);
  const int rowsTop = GetHeaderHeight();
  // Only the rows the paint reaches are drawn: a list may hold many thousands.
  const int first = top + std::max(0, (area.top - rowsTop) / GetRowHeight());
  const int last = top + std::max(0, (area.bottom - rowsTop + GetRowHeight() - 1) / GetRowHeight());
  int y = rowsTop + (first - top) * GetRowHeight();
  for (int i = first; i <= last && y < c.bottom; ++i, y += GetRowHeight()) {
    const CRect row(0, y, c.right, y + GetRowHeight());
    if (Valid(i)) DrawRow(dc, i, row);
    else dc.FillSolidRect(row, GetSysColor(COLOR_WINDOW));
  }
}

void CListCtrl::DrawHeader(CDC& dc, const CRect& client) {
  const int h = GetHeaderHeight();
  dc.FillSolidRect(CRect(client.left, 0, client.right, h), GetSysColor(COLOR_BTNFACE));
  // A light line on top and a dark one below set the header off the rows.
  dc.FillSolidRect(CRect(client.left, 0, client.right, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  dc.FillSolidRect(CRect(client.left, h - 1, client.right, h), GetSysColor(COLOR_BTNSHADOW));
  const bool buttons = !(GetStyle() & LVS_NOSORTHEADER);
  for (int col = 0; col < GetColumnCount(); ++col) {
    CRect r;
    GetHeaderItemRect(col, &r);
    if (r.right <= client.left || r.left >= client.right) continue;
    const bool pressed = buttons && col == pressedColumn && headerPressedLook;
    if (pressed) dc.FillSolidRect(CRect(r.left, 0, r.right, h - 1), GetSysColor(COLOR_BTNSHADOW));
    // The divider at the right of each item.
    dc.FillSolidRect(CRect(r.right - 1, Scaled(3), r.right, h - Scaled(3)), GetSysColor(COLOR_BTNSHADOW));
    const Column& column = columns[static_cast<std::size_t>(col)];
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? (pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) : COLOR_GRAYTEXT));
    CRect t(r.left + Scaled(4), 0, r.right - Scaled(4), h);
    if (t.right > t.left)
      dc.DrawText(column.heading.c_str(), static_cast<int>(column.heading.size()), &t, AlignOf(column.format) | kCellFormat);
  }
}

void CListCtrl::DrawRow(CDC& dc, int item, const CRect& rowRect) {
  const Item& it = items[static_cast<std::size_t>(item)];
  dc.FillSolidRect(rowRect, GetSysColor(COLOR_WINDOW));
  const bool focused = HasFocus();
  const bool selected = (it.state & LVIS_SELECTED) && (focused || (GetStyle() & LVS_SHOWSELALWAYS));
  const COLORREF ink = GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  if (GetColumnCount() == 0) return;

  // The label: icon, then the text in its own box, which the selection colours.
  CRect icon, label;
  GetItemRect(item, &icon, LVIR_ICON);
  GetItemRect(item, &label, LVIR_LABEL);
  if (smallImages && it.image >= 0) {
    const CSize size = smallImages->GetIconSize();
    const UINT look = selected && focused ? UINT{ILD_SELECTED} : UINT{ILD_NORMAL};
    smallImages->Draw(&dc, it.image, CPoint(icon.left, icon.top + (icon.Height() - size.cy) / 2), look);
  }
  const std::u16string& text = it.texts.empty() ? std::u16string() : it.texts[0];
  const int pad = Scaled(2);
  const int textWidth = dc.GetTextExtent(text).cx;
  const int columnRight = label.right - Scaled(2);
  CRect box(label.left, label.top + 1, std::min(columnRight, label.left + textWidth + 2 * pad), label.bottom - 1);
  if (selected) dc.FillSolidRect(box, GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  dc.SetTextColor(selected && focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ink);
  CRect t(label.left + pad, label.top, columnRight - pad, label.bottom);
  if (t.right > t.left) dc.DrawText(text.c_str(), static_cast<int>(text.size()), &t, AlignOf(columns[0].format) | kCellFormat);
  if (focused && item == focusItem) plat::ui::DrawFocusRect(dc, box, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ink);

  // The other columns, each cut to its width.
  dc.SetTextColor(ink);
  for (int col = 1; col < GetColumnCount(); ++col) {
    const int left = ColumnLeft(col);
    const int right = left + columns[static_cast<std::size_t>(col)].width;
    if (right <= rowRect.left || left >= rowRect.right || static_cast<std::size_t>(col) >= it.texts.size()) continue;
    const std::u16string& s = it.texts[static_cast<std::size_t>(col)];
    CRect cell(left + Scaled(6), rowRect.top, right - Scaled(6), rowRect.bottom);
    if (!s.empty() && cell.right > cell.left)
      dc.DrawText(s.c_str(), static_cast<int>(s.size()), &cell, AlignOf(columns[static_cast<std::size_t>(col)].format) | kCellFormat);
  }
}

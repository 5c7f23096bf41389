// The list view's model: columns, rows with their texts, icons and values, the selection
// with its mark, notifications to the parent, and sorting.
#include "platform/controls/ListCtrl.h"

#include <algorithm>
#include <numeric>

#include "platform/gfx/DC.h"

bool CListCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  return CWnd::Create(parent, rect, style, id, {}, CS_DBLCLKS);
}

std::unique_ptr<CWnd> CListCtrl::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CListCtrl>();
  // The list shows and hides its scroll bars as its rows and columns need them.
  if (!w->Create(cs.style & ~DWORD{WS_VSCROLL | WS_HSCROLL}, cs.rect, cs.parent, cs.id)) return nullptr;
  return w;
}

int CListCtrl::OnCreate() {
  Measure();
  return 0;
}

LRESULT CListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CControl::WindowProc(message, wParam, lParam);
  if (message == WM_SETFONT) {
    // Rows and header follow the new font's height.
    Measure();
    UpdateScrollBars();
  }
  return result;
}

// --- columns ---------------------------------------------------------------------------

int CListCtrl::InsertColumn(int col, std::u16string_view heading, int format, int width, int) {
  if (col < 0) return -1;
  col = std::min(col, GetColumnCount());
  if (width < 0) {
    CDC dc;
    SelectFont(dc);
    width = dc.GetTextExtent(heading).cx + plat::ui::Scaled(12);
  }
  columns.insert(columns.begin() + col, Column{std::u16string(heading), format, width});
  // Rows keep their texts under the columns they were given for; the first column always
  // shows the label.
  const std::size_t at = static_cast<std::size_t>(std::max(col, 1));
  for (Item& it : items)
    if (at < it.texts.size()) it.texts.insert(it.texts.begin() + static_cast<std::ptrdiff_t>(at), std::u16string());
  UpdateScrollBars();
  Invalidate(false);
  return col;
}

bool CListCtrl::DeleteColumn(int col) {
  if (col < 0 || col >= GetColumnCount()) return false;
  columns.erase(columns.begin() + col);
  // The label stays: without its first column the next one shows it.
  const std::size_t at = static_cast<std::size_t>(std::max(col, 1));
  for (Item& it : items)
    if (at < it.texts.size()) it.texts.erase(it.texts.begin() + static_cast<std::ptrdiff_t>(at));
  UpdateScrollBars();
  Invalidate(false);
  return true;
}

int CListCtrl::GetColumnWidth(int col) const {
  return col >= 0 && col < GetColumnCount() ? columns[static_cast<std::size_t>(col)].width : 0;
}

bool CListCtrl::SetColumnWidth(int col, int cx) {
  if (col < 0 || col >= GetColumnCount()) return false;
  columns[static_cast<std::size_t>(col)].width = std::clamp(cx, 0, 32767);
  UpdateScrollBars();
  Invalidate(false);
  return true;
}

std::u16string CListCtrl::GetColumnHeading(int col) const {
  return col >= 0 && col < GetColumnCount() ? columns[static_cast<std::size_t>(col)].heading : std::u16string();
}

CImageList* CListCtrl::SetImageList(CImageList* list, int which) {
  if (which != LVSIL_SMALL) return nullptr;
  CImageList* old = smallImages;
  smallImages = list;
  Measure();
  UpdateScrollBars();
  Invalidate(false);
  return old;
}

CImageList* CListCtrl::GetImageList(int which) const { return which == LVSIL_SMALL ? smallImages : nullptr; }

// --- rows ------------------------------------------------------------------------------

int CListCtrl::InsertItem(int item, std::u16string_view text, int image) {
  if (item < 0) return -1;
  item = std::min(item, GetItemCount());
  Item it;
  it.texts.emplace_back(text);
  it.image = image;
  items.insert(items.begin() + item, std::move(it));
  FixIndicesAfterInsert(item);
  UpdateScrollBars();
  // Rows from here down moved; those above did not.
  if (item < top + GetCountPerPage() + 1) Invalidate(false);
  return item;
}

bool CListCtrl::SetItemText(int item, int subItem, std::u16string_view text) {
  if (!Valid(item) || subItem < 0 || subItem >= std::max(1, GetColumnCount())) return false;
  auto& texts = items[static_cast<std::size_t>(item)].texts;
  if (static_cast<std::size_t>(subItem) >= texts.size()) texts.resize(static_cast<std::size_t>(subItem) + 1);
  texts[static_cast<std::size_t>(subItem)] = text;
  InvalidateItem(item);
  return true;
}

std::u16string CListCtrl::GetItemText(int item, int subItem) const {
  if (!Valid(item) || subItem < 0) return {};
  const auto& texts = items[static_cast<std::size_t>(item)].texts;
  return static_cast<std::size_t>(subItem) < texts.size() ? texts[static_cast<std::size_t>(subItem)] : std::u16string();
}

bool CListCtrl::SetItemData(int item, LPARAM data) {
  if (!Valid(item)) return false;
  items[static_cast<std::size_t>(item)].data = data;
  return true;
}

LPARAM CListCtrl::GetItemData(int item) const { return Valid(item) ? items[static_cast<std::size_t>(item)].data : 0; }

bool CListCtrl::SetItemImage(int item, int image) {
  if (!Valid(item)) return false;
  items[static_cast<std::size_t>(item)].image = image;
  InvalidateItem(item);
  return true;
}

int CListCtrl::GetItemImage(int item) const { return Valid(item) ? items[static_cast<std::size_t>(item)].image : -1; }

bool CListCtrl::DeleteItem(int item) {
  if (!Valid(item)) return false;
  NotifyItem(LVN_DELETEITEM, item, CPoint());
  if (!IsWindow() || !Valid(item)) return false;
  items.erase(items.begin() + item);
  FixIndicesAfterDelete(item);
  ClampScroll();
  UpdateScrollBars();
  Invalidate(false);
  return true;
}

bool CListCtrl::DeleteAllItems() {
  if (!items.empty()) NotifyItem(LVN_DELETEALLITEMS, -1, CPoint());
  items.clear();
  mark = focusItem = pressedItem = -1;
  trackingRows = false;
  top = 0;
  UpdateScrollBars();
  Invalidate(false);
  return true;
}

void CListCtrl::FixIndicesAfterInsert(int at) {
  for (int* index : {&mark, &focusItem, &pressedItem})
    if (*index >= at) ++*index;
}

void CListCtrl::FixIndicesAfterDelete(int at) {
  for (int* index : {&mark, &focusItem, &pressedItem}) {
    if (*index == at) *index = -1;
    else if (*index > at) --*index;
  }
}

// --- selection -------------------------------------------------------------------------

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  return Valid(item) ? items[static_cast<std::size_t>(item)].state & mask : 0;
}

void CListCtrl::ChangeState(int item, UINT state, UINT mask) {
  Item& it = items[static_cast<std::size_t>(item)];
  const UINT old = it.state;
  const UINT now = (old & ~mask) | (state & mask);
  if (now == old) return;
  it.state = now;
  if ((now & LVIS_FOCUSED) && focusItem != item) {
    // One row holds the focus: the one before gives it up.
    if (Valid(focusItem)) {
      items[static_cast<std::size_t>(focusItem)].state &= ~UINT{LVIS_FOCUSED};
      InvalidateItem(focusItem);
    }
    focusItem = item;
  } else if (!(now & LVIS_FOCUSED) && focusItem == item) {
    focusItem = -1;
  }
  InvalidateItem(item);
  NMLISTVIEW nm;
  nm.iItem = item;
  nm.uNewState = now;
  nm.uOldState = old;
  nm.uChanged = LVIF_STATE;
  nm.lParam = it.data;
  // The parent may change the rows in its answer: nothing of them is touched afterwards.
  Notify(nm.hdr, LVN_ITEMCHANGED);
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  mask &= LVIS_SELECTED | LVIS_FOCUSED;
  if (item == -1) {
    // Every row; a single-selection list cannot select them all.
    if ((GetStyle() & LVS_SINGLESEL) && (state & mask & LVIS_SELECTED)) return false;
    for (int i = 0; i < GetItemCount() && IsWindow(); ++i) ChangeState(i, state, mask & ~UINT{LVIS_FOCUSED});
    return true;
  }
  if (!Valid(item)) return false;
  if ((GetStyle() & LVS_SINGLESEL) && (state & mask & LVIS_SELECTED))
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && IsWindow(); i = GetNextItem(i, LVNI_SELECTED))
      if (i != item) ChangeState(i, 0, LVIS_SELECTED);
  if (IsWindow() && Valid(item)) ChangeState(item, state, mask);
  return true;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
  const UINT want = ((flags & LVNI_SELECTED) ? UINT{LVIS_SELECTED} : 0u) | ((flags & LVNI_FOCUSED) ? UINT{LVIS_FOCUSED} : 0u);
  if (want == LVIS_FOCUSED && Valid(focusItem) && focusItem > start) return focusItem;
  for (int i = std::max(-1, start) + 1; i < GetItemCount(); ++i)
    if ((items[static_cast<std::size_t>(i)].state & want) == want) return i;
  return -1;
}

int CListCtrl::GetSelectedCount() const {
  return static_cast<int>(std::count_if(items.begin(), items.end(), [](const Item& it) { return it.state & LVIS_SELECTED; }));
}

int CListCtrl::SetSelectionMark(int item) {
  const int old = mark;
  mark = Valid(item) ? item : -1;
  return old;
}

void CListCtrl::SelectByUser(int item) {
  if (!Valid(item)) return;
  mark = item;
  // A plain tap or arrow chooses this row alone, whether or not the list allows more.
  for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0 && IsWindow(); i = GetNextItem(i, LVNI_SELECTED))
    if (i != item) ChangeState(i, 0, LVIS_SELECTED);
  if (!IsWindow() || !Valid(item)) return;
  SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (IsWindow() && Valid(item)) EnsureVisible(item, false);
}

// --- notifications ---------------------------------------------------------------------

LRESULT CListCtrl::Notify(NMHDR& header, UINT code) {
  header.hwndFrom = this;
  header.idFrom = GetDlgCtrlID();
  header.code = code;
  CWnd* parent = GetParent();
  return parent ? parent->SendMessage(WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&header)) : 0;
}

void CListCtrl::NotifyItem(UINT code, int item, CPoint point) {
  NMITEMACTIVATE nm;
  nm.iItem = item;
  nm.ptAction = point;
  nm.lParam = GetItemData(item);
  Notify(nm.hdr, code);
}

// --- sorting ---------------------------------------------------------------------------

bool CListCtrl::SortItems(PFNLVCOMPARE compare, LPARAM sortData) {
  if (!compare) return false;
  // Sort positions rather than rows, so the mark and the focus can follow their rows.
  std::vector<int> order(items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return compare(items[static_cast<std::size_t>(a)].data, items[static_cast<std::size_t>(b)].data, sortData) < 0;
  });
  std::vector<Item> sorted;
  sorted.reserve(items.size());
  std::vector<int> newIndex(items.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    newIndex[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    sorted.push_back(std::move(items[static_cast<std::size_t>(order[i])]));
  }
  items = std::move(sorted);
  for (int* index : {&mark, &focusItem, &pressedItem})
    if (Valid(*index)) *index = newIndex[static_cast<std::size_t>(*index)];
  Invalidate(false);
  return true;
}

// The tree view's geometry: the row height and indent from the font and the icons, the rows
// shown through opened nodes, where a node's button, icon and label lie, the scroll bar,
// and scrolling.
#include <algorithm>

#include "platform/controls/TreeCtrl.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/ImageList.h"

using plat::ui::Scaled;

void CTreeCtrl::Measure() {
  CDC dc;
  SelectFont(dc);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  const int text = std::max(1, static_cast<int>(tm.tmHeight));
  const CSize icon = images ? images->GetIconSize() : CSize{0, 0};
  itemHeight = std::max(text + Scaled(2), static_cast<int>(icon.cy) + Scaled(2));
  // An even height keeps the dotted lines of one row meeting those of the next.
  itemHeight += itemHeight & 1;
  indent = std::max(Scaled(16), static_cast<int>(icon.cx) + Scaled(3));
}

void CTreeCtrl::RowsChanged() {
  rowsDirty = true;
  if (!IsWindow()) return;
  // With redrawing off (a refill) the scroll bar waits for the next paint.
  if (IsRedrawOn()) UpdateScrollBars();
  else barsStale = true;
  Invalidate(false);
}

void CTreeCtrl::LayOutRows() const {
  if (!rowsDirty) return;
  rows.clear();
  // Depth first through opened nodes, without recursion: a tree may be deep.
  std::vector<const TreeItemNode*> stack;
  for (auto it = root.children.rbegin(); it != root.children.rend(); ++it) stack.push_back(it->get());
  while (!stack.empty()) {
    TreeItemNode* node = const_cast<TreeItemNode*>(stack.back());
    stack.pop_back();
    node->row = static_cast<int>(rows.size());
    rows.push_back(node);
    if (node->state & TVIS_EXPANDED)
      for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) stack.push_back(it->get());
  }
  rowsDirty = false;
}

int CTreeCtrl::GetRowCount() const {
  LayOutRows();
  return static_cast<int>(rows.size());
}

int CTreeCtrl::RowOf(const TreeItemNode* node) const {
  if (!node || node == &root) return -1;
  for (const TreeItemNode* p = node->parent; p && p != &root; p = p->parent)
    if (!(p->state & TVIS_EXPANDED)) return -1;
  LayOutRows();
  return node->row;
}

UINT CTreeCtrl::GetVisibleCount() const {
  return static_cast<UINT>(std::max(1, GetClientRect().Height() / GetItemHeight()));
}

int CTreeCtrl::LevelLeft(const TreeItemNode& node) const {
  // Lines at the root give the top level a column of its own for its lines and buttons.
  const bool rootColumn = (GetStyle() & TVS_LINESATROOT) && (GetStyle() & (TVS_HASLINES | TVS_HASBUTTONS));
  return (node.depth + (rootColumn ? 1 : 0) - 1) * indent;
}

int CTreeCtrl::IconLeft(const TreeItemNode& node) const { return LevelLeft(node) + indent + Scaled(1); }

bool CTreeCtrl::HasButton(const TreeItemNode& node) const {
  return (GetStyle() & TVS_HASBUTTONS) && !node.children.empty() && LevelLeft(node) >= 0;
}

CRect CTreeCtrl::ButtonRect(const TreeItemNode& node, int rowTop) const {
  const int size = Scaled(9);
  const int cx = LevelLeft(node) + indent / 2, cy = rowTop + GetItemHeight() / 2;
  return CRect(cx - size / 2, cy - size / 2, cx - size / 2 + size, cy - size / 2 + size);
}

int CTreeCtrl::LabelWidth(const TreeItemNode& node) const {
  CDC dc;
  SelectFont(dc);
  return dc.GetTextExtent(node.text).cx + 2 * Scaled(2);
}

bool CTreeCtrl::GetItemRect(HTREEITEM item, CRect* rect, bool textOnly) const {
  if (!rect || !IsItem(item)) return false;
  const int row = RowOf(item);
  if (row < 0) return false;
  const int y = (row - top) * GetItemHeight();
  if (!textOnly) {
    *rect = CRect(0, y, GetClientRect().Width(), y + GetItemHeight());
    return true;
  }
  const int left = IconLeft(*item) + (images ? images->GetIconSize().cx + Scaled(2) : 0);
  *rect = CRect(left, y, left + LabelWidth(*item), y + GetItemHeight());
  return true;
}

HTREEITEM CTreeCtrl::HitTest(CPoint p, UINT* flags) const {
  UINT where = TVHT_NOWHERE;
  HTREEITEM hit = nullptr;
  const CRect c = GetClientRect();
  if (p.y < 0) {
    where = TVHT_ABOVE;
  } else if (p.y >= c.bottom) {
    where = TVHT_BELOW;
  } else {
    LayOutRows();
    const int row = top + p.y / GetItemHeight();
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size()) {
      hit = rows[static_cast<std::size_t>(row)];
      const int level = LevelLeft(*hit);
      const int icon = IconLeft(*hit);
      const int iconWidth = images ? images->GetIconSize().cx : 0;
      const int label = icon + (images ? iconWidth + Scaled(2) : 0);
      // The whole button column answers for the button: a finger is wider than the box.
      if (HasButton(*hit) && p.x >= level && p.x < level + indent) where = TVHT_ONITEMBUTTON;
      else if (p.x < icon) where = TVHT_ONITEMINDENT;
      else if (p.x < icon + iconWidth) where = TVHT_ONITEMICON;
      else if (p.x < label + LabelWidth(*hit)) where = TVHT_ONITEMLABEL;
      else where = TVHT_ONITEMRIGHT;
    }
  }
  if (flags) *flags = where;
  return hit;
}

void CTreeCtrl::InvalidateItem(HTREEITEM item) {
  if (!IsWindow() || !IsItem(item)) return;
  const int row = RowOf(item);
  if (row < 0) return;
  const CRect r(0, (row - top) * GetItemHeight(), GetClientRect().right, (row - top + 1) * GetItemHeight());
  InvalidateRect(&r, false);
}

void CTreeCtrl::ClampScroll() {
  top = std::clamp(top, 0, std::max(0, GetRowCount() - static_cast<int>(GetVisibleCount())));
}

void CTreeCtrl::UpdateScrollBars() {
  if (!IsWindow() || inLayout) return;
  inLayout = true;
  barsStale = false;
  // Showing the bar narrows the rows but never changes how many fit.
  const bool need = GetRowCount() > static_cast<int>(GetVisibleCount());
  const bool has = GetStyle() & WS_VSCROLL;
  if (need != has) ModifyStyle(need ? 0 : DWORD{WS_VSCROLL}, need ? DWORD{WS_VSCROLL} : 0);
  ClampScroll();
  if (GetStyle() & WS_VSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, GetRowCount() - 1);
    si.nPage = GetVisibleCount();
    si.nPos = top;
    SetScrollInfo(SB_VERT, si, true);
  }
  inLayout = false;
}

void CTreeCtrl::ScrollToRow(int row) {
  const int old = top;
  top = row;
  ClampScroll();
  if (top == old) return;
  if (GetStyle() & WS_VSCROLL) SetScrollPos(SB_VERT, top, true);
  ScrollWindow(0, (old - top) * GetItemHeight());
}

void CTreeCtrl::OnSize(UINT, int, int) {
  UpdateScrollBars();
  Invalidate(false);
}

void CTreeCtrl::OnVScroll(UINT code, UINT pos, CWnd*) {
  const int page = std::max(1, static_cast<int>(GetVisibleCount()) - 1);
  switch (code) {
    case SB_LINEUP: ScrollToRow(top - 1); break;
    case SB_LINEDOWN: ScrollToRow(top + 1); break;
    case SB_PAGEUP: ScrollToRow(top - page); break;
    case SB_PAGEDOWN: ScrollToRow(top + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The bar carries 16 bits of position; a longer tree reads the full one.
      SCROLLINFO si;
      GetScrollInfo(SB_VERT, si, SIF_TRACKPOS);
      ScrollToRow(GetRowCount() > 0xFFFF ? si.nTrackPos : static_cast<int>(pos));
      break;
    }
    case SB_TOP: ScrollToRow(0); break;
    case SB_BOTTOM: ScrollToRow(GetRowCount()); break;
    default: break;
  }
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int which) {
  if (which != TVSIL_NORMAL) return nullptr;
  CImageList* old = images;
  images = list;
  Measure();
  RowsChanged();
  return old;
}

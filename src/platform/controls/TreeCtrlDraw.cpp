// Drawing the tree view in the handheld's light theme: white rows, grey dotted lines that
// join each node to its parent and its siblings, square buttons with a plus or a minus,
// the node's icon, and its label, in the highlight colour when selected (grey while the
// tree lacks the focus) with a dotted frame when the tree has the focus. At 192 DPI every
// dot, line and box is twice the size.
#include <algorithm>

#include "platform/controls/TreeCtrl.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

using plat::ui::Scaled;

namespace {

constexpr UINT kLabelFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT;
constexpr COLORREF kLineColor = RGB(128, 128, 128);

// Dots of one scaled pixel, every other one, on a grid fixed to the client area; rows are
// an even number of pixels high, so scrolling by rows keeps the grid.
class DottedPen {
 public:
  DottedPen(CDC& dc) : dc(dc), d(std::max(1, Scaled(1))) {}
  void Vertical(int x, int y0, int y1) {
    x = x / d * d;
    for (int y = y0 / d * d; y < y1; y += d)
      if (((x / d + y / d) & 1) == 0) dc.FillSolidRect(x, y, d, d, kLineColor);
  }
  void Horizontal(int x0, int x1, int y) {
    y = y / d * d;
    for (int x = x0 / d * d; x < x1; x += d)
      if (((x / d + y / d) & 1) == 0) dc.FillSolidRect(x, y, d, d, kLineColor);
  }

 private:
  CDC& dc;
  int d;
};

}  // namespace

bool CTreeCtrl::OnEraseBkgnd(CDC*) { return true; }  // the paint covers every pixel

void CTreeCtrl::OnPaint() {
  if (barsStale) UpdateScrollBars();  // the rows changed while redrawing was off
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  const CRect area = dc.PaintRect();
  LayOutRows();
  const int h = GetItemHeight();
  // Only the rows the paint reaches are drawn: a tree may hold many thousands.
  const int first = std::max(0, area.top / h);
  for (int y = first * h; y < std::min(area.bottom, c.bottom); y += h) {
    const std::size_t row = static_cast<std::size_t>(top + y / h);
    if (row < rows.size()) DrawRow(dc, *rows[row], y, -top * h);
    else dc.FillSolidRect(CRect(0, y, c.right, y + h), GetSysColor(COLOR_WINDOW));
  }
}

void CTreeCtrl::DrawRow(CDC& dc, const TreeItemNode& node, int rowTop, int contentTop) {
  const CRect c = GetClientRect();
  const int h = GetItemHeight();
  dc.FillSolidRect(CRect(0, rowTop, c.right, rowTop + h), GetSysColor(COLOR_WINDOW));
  if (GetStyle() & TVS_HASLINES) DrawLines(dc, node, rowTop, contentTop);
  if (HasButton(node)) DrawButton(dc, node, rowTop);

  const bool focused = HasFocus();
  const bool isSelected = &node == selected;
  const bool showSelection = isSelected && (focused || (GetStyle() & TVS_SHOWSELALWAYS));
  int x = IconLeft(node);
  if (images) {
    const CSize size = images->GetIconSize();
    const int image = isSelected ? node.selectedImage : node.image;
    if (image >= 0) images->Draw(&dc, image, CPoint(x, rowTop + (h - static_cast<int>(size.cy)) / 2), ILD_NORMAL);
    x += size.cx + Scaled(2);
  }
  const int pad = Scaled(2);
  const int right = c.right - Scaled(1);
  CRect box(x, rowTop + Scaled(1), std::min(right, x + dc.GetTextExtent(node.text).cx + 2 * pad), rowTop + h - Scaled(1));
  if (box.right <= box.left) return;
  if (showSelection) dc.FillSolidRect(box, GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  const COLORREF ink = GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  dc.SetTextColor(showSelection && focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ink);
  CRect t(box.left + pad, rowTop, box.right - pad, rowTop + h);
  if (t.right > t.left) dc.DrawText(node.text.c_str(), static_cast<int>(node.text.size()), &t, kLabelFormat);
  if (focused && isSelected) plat::ui::DrawFocusRect(dc, box, GetSysColor(COLOR_HIGHLIGHTTEXT));
}

void CTreeCtrl::DrawLines(CDC& dc, const TreeItemNode& node, int rowTop, int) {
  const int h = GetItemHeight();
  const int level = LevelLeft(node);
  if (level < 0) return;  // the top level without lines at the root
  DottedPen pen(dc);
  const int cx = level + indent / 2, cy = rowTop + h / 2;
  const bool hasNext = node.index + 1 < node.parent->children.size();
  const bool firstOfAll = node.depth == 0 && node.index == 0;
  // Up to the sibling or parent above (the very first node has none), on to the next
  // sibling, and across to the icon.
  pen.Vertical(cx, firstOfAll ? cy : rowTop, hasNext ? rowTop + h : cy + 1);
  pen.Horizontal(cx, IconLeft(node) - Scaled(1), cy);
  // The lines of the ancestors that still have siblings to come pass through this row.
  for (const TreeItemNode* a = node.parent; a && a->depth >= 0; a = a->parent) {
    const int al = LevelLeft(*a);
    if (al < 0) break;
    if (a->index + 1 < a->parent->children.size()) pen.Vertical(al + indent / 2, rowTop, rowTop + h);
  }
}

void CTreeCtrl::DrawButton(CDC& dc, const TreeItemNode& node, int rowTop) {
  const CRect box = ButtonRect(node, rowTop);
  const int t = std::max(1, Scaled(1));
  dc.FillSolidRect(box, GetSysColor(COLOR_WINDOW));
  for (int i = 0; i < t; ++i)
    dc.FrameRect(CRect(box.left + i, box.top + i, box.right - i, box.bottom - i), kLineColor);
  // The minus across the middle; closed nodes add the upright of the plus.
  const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  const int inset = 2 * t;
  const int mid = box.top + (box.Height() - t) / 2;
  const int midX = box.left + (box.Width() - t) / 2;
  dc.FillSolidRect(CRect(box.left + inset, mid, box.right - inset, mid + t), ink);
  if (!(node.state & TVIS_EXPANDED)) dc.FillSolidRect(CRect(midX, box.top + inset, midX + t, box.bottom - inset), ink);
}

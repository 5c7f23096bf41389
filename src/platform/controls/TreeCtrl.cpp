// The tree view's model: inserting, deleting and sorting nodes, their texts, icons,
// values and states, the relations between them, opening and closing, and the selection
// with the notifications that go with it.
#include "platform/controls/TreeCtrl.h"

#include <algorithm>

#include "platform/base/Strings.h"

namespace {

char16_t Fold(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  const std::u16string lower = plat::ToLower(std::u16string_view(&c, 1));
  return lower.size() == 1 ? lower[0] : c;
}

// Alphabetical order ignoring case; the shorter of two texts that agree comes first.
int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

CTreeCtrl::CTreeCtrl() { root.depth = -1; }

CTreeCtrl::~CTreeCtrl() = default;

bool CTreeCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  return CWnd::Create(parent, rect, style, id, {}, CS_DBLCLKS);
}

std::unique_ptr<CWnd> CTreeCtrl::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CTreeCtrl>();
  // The tree shows and hides its scroll bar as its rows need it.
  if (!w->Create(cs.style & ~DWORD{WS_VSCROLL | WS_HSCROLL}, cs.rect, cs.parent, cs.id)) return nullptr;
  return w;
}

int CTreeCtrl::OnCreate() {
  Measure();
  return 0;
}

LRESULT CTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CControl::WindowProc(message, wParam, lParam);
  if (message == WM_SETFONT) {
    Measure();
    RowsChanged();
  }
  return result;
}

TreeItemNode* CTreeCtrl::NodeOrRoot(HTREEITEM item) {
  if (item == nullptr || item == TVI_ROOT) return &root;
  return IsItem(item) ? item : nullptr;
}

void CTreeCtrl::Renumber(TreeItemNode& parent, std::size_t from) {
  for (std::size_t i = from; i < parent.children.size(); ++i) parent.children[i]->index = i;
}

bool CTreeCtrl::InOrderAt(const TreeItemNode& parent, std::size_t at) {
  const auto& kids = parent.children;
  if (at > 0 && CompareNoCase(kids[at - 1]->text, kids[at]->text) > 0) return false;
  if (at + 1 < kids.size() && CompareNoCase(kids[at]->text, kids[at + 1]->text) > 0) return false;
  return true;
}

// --- nodes -------------------------------------------------------------------------------

HTREEITEM CTreeCtrl::InsertItem(std::u16string_view text, int image, int selectedImage, HTREEITEM parentItem,
                                HTREEITEM insertAfter) {
  TreeItemNode* parent = NodeOrRoot(parentItem);
  if (!parent) return nullptr;
  auto& kids = parent->children;
  std::size_t at = kids.size();
  if (insertAfter == TVI_FIRST) {
    at = 0;
  } else if (insertAfter == TVI_SORT) {
    // Before the first sibling whose text sorts after the new one. Siblings known to be in
    // order are searched by halves: a tree of many thousands fills in a moment.
    auto after = [&](const std::unique_ptr<TreeItemNode>& kid) { return CompareNoCase(text, kid->text) < 0; };
    if (parent->childrenInOrder) {
      at = static_cast<std::size_t>(
          std::upper_bound(kids.begin(), kids.end(), 0, [&](int, const auto& kid) { return after(kid); }) - kids.begin());
    } else {
      at = static_cast<std::size_t>(std::find_if(kids.begin(), kids.end(), after) - kids.begin());
    }
  } else if (insertAfter != TVI_LAST && insertAfter != TVI_ROOT && insertAfter != nullptr) {
    if (!IsItem(insertAfter)) return nullptr;
    if (insertAfter->parent == parent) at = insertAfter->index + 1;
  }
  auto node = std::make_unique<TreeItemNode>();
  node->text = text;
  node->image = image;
  node->selectedImage = selectedImage;
  node->parent = parent;
  node->depth = parent->depth + 1;
  HTREEITEM handle = node.get();
  kids.insert(kids.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
  Renumber(*parent, at);
  parent->childrenInOrder = parent->childrenInOrder && InOrderAt(*parent, at);
  live.insert(handle);
  RowsChanged();
  return handle;
}

void CTreeCtrl::NotifyDeleted(TreeItemNode& node) {
  // Innermost first, so that a parent answering for a node never meets its children gone.
  for (std::size_t i = 0; i < node.children.size(); ++i) NotifyDeleted(*node.children[i]);
  NMTREEVIEW nm;
  nm.itemOld = Describe(&node);
  Notify(nm.hdr, TVN_DELETEITEM);
}

void CTreeCtrl::Forget(TreeItemNode& node) {
  for (auto& kid : node.children) Forget(*kid);
  live.erase(&node);
  if (pressedItem == &node) pressedItem = nullptr;
}

bool CTreeCtrl::IsUnder(const TreeItemNode* node, const TreeItemNode* ancestor) const {
  for (const TreeItemNode* n = node; n; n = n->parent)
    if (n == ancestor) return true;
  return false;
}

bool CTreeCtrl::DeleteItem(HTREEITEM item) {
  TreeItemNode* target = NodeOrRoot(item);
  if (!target) return false;
  // The parent is told of every node first; it must not change the tree in its answer.
  if (target == &root) {
    for (std::size_t i = 0; i < root.children.size(); ++i) NotifyDeleted(*root.children[i]);
  } else {
    NotifyDeleted(*target);
  }
  if (!IsWindow() || (target != &root && !IsItem(target))) return false;

  const bool hadSelection = selected != nullptr;
  HTREEITEM newSelection = nullptr;
  const bool selectionGoes = selected && IsUnder(selected, target);
  if (selectionGoes && target != &root) {
    TreeItemNode* parent = target->parent;
    if (target->index + 1 < parent->children.size()) newSelection = parent->children[target->index + 1].get();
    else if (target->index > 0) newSelection = parent->children[target->index - 1].get();
    else if (parent != &root) newSelection = parent;
  }
  if (target == &root) {
    for (auto& kid : root.children) Forget(*kid);
    root.children.clear();
    root.childrenInOrder = true;
    top = 0;
  } else {
    TreeItemNode* parent = target->parent;
    const std::size_t at = target->index;
    Forget(*target);
    parent->children.erase(parent->children.begin() + static_cast<std::ptrdiff_t>(at));
    Renumber(*parent, at);
  }
  if (selectionGoes) {
    // The old node is gone: the parent hears of the new selection only.
    selected = newSelection;
    if (selected) selected->state |= TVIS_SELECTED;
  }
  RowsChanged();
  if (selectionGoes && hadSelection) {
    NMTREEVIEW nm;
    nm.action = TVC_UNKNOWN;
    nm.itemNew = Describe(selected);
    Notify(nm.hdr, TVN_SELCHANGED);
  }
  return true;
}

bool CTreeCtrl::SortChildren(HTREEITEM item) {
  TreeItemNode* parent = NodeOrRoot(item);
  if (!parent) return false;
  std::stable_sort(parent->children.begin(), parent->children.end(),
                   [](const auto& a, const auto& b) { return CompareNoCase(a->text, b->text) < 0; });
  Renumber(*parent, 0);
  parent->childrenInOrder = true;
  RowsChanged();
  return true;
}

// --- what a node holds ------------------------------------------------------------------

std::u16string CTreeCtrl::GetItemText(HTREEITEM item) const { return IsItem(item) ? item->text : std::u16string(); }

bool CTreeCtrl::SetItemText(HTREEITEM item, std::u16string_view text) {
  if (!IsItem(item)) return false;
  item->text = text;
  item->parent->childrenInOrder = item->parent->childrenInOrder && InOrderAt(*item->parent, item->index);
  InvalidateItem(item);
  return true;
}

bool CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
  if (!IsItem(item)) return false;
  image = item->image;
  selectedImage = item->selectedImage;
  return true;
}

bool CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
  if (!IsItem(item)) return false;
  item->image = image;
  item->selectedImage = selectedImage;
  InvalidateItem(item);
  return true;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const { return IsItem(item) ? item->data : 0; }

bool CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data) {
  if (!IsItem(item)) return false;
  item->data = data;
  return true;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const { return IsItem(item) ? item->state & mask : 0; }

bool CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  if (!IsItem(item)) return false;
  mask &= TVIS_BOLD;
  item->state = (item->state & ~mask) | (state & mask);
  InvalidateItem(item);
  return true;
}

bool CTreeCtrl::ItemHasChildren(HTREEITEM item) const { return IsItem(item) && !item->children.empty(); }

// --- relations ----------------------------------------------------------------------------

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const {
  const bool real = IsItem(item);
  switch (code) {
    case TVGN_ROOT: return root.children.empty() ? nullptr : root.children.front().get();
    case TVGN_CARET: return selected;
    case TVGN_CHILD:
      if (item == nullptr || item == TVI_ROOT) return GetNextItem(nullptr, TVGN_ROOT);
      return real && !item->children.empty() ? item->children.front().get() : nullptr;
    case TVGN_NEXT:
      if (!real || item->index + 1 >= item->parent->children.size()) return nullptr;
      return item->parent->children[item->index + 1].get();
    case TVGN_PREVIOUS: return real && item->index > 0 ? item->parent->children[item->index - 1].get() : nullptr;
    case TVGN_PARENT: return real && item->parent != &root ? item->parent : nullptr;
    case TVGN_FIRSTVISIBLE:
      LayOutRows();
      return top >= 0 && static_cast<std::size_t>(top) < rows.size() ? rows[static_cast<std::size_t>(top)] : nullptr;
    case TVGN_LASTVISIBLE:
      LayOutRows();
      return rows.empty() ? nullptr : rows.back();
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
      const int row = real ? RowOf(item) : -1;
      if (row < 0) return nullptr;
      const int to = code == TVGN_NEXTVISIBLE ? row + 1 : row - 1;
      return to >= 0 && static_cast<std::size_t>(to) < rows.size() ? rows[static_cast<std::size_t>(to)] : nullptr;
    }
    default: return nullptr;
  }
}

HTREEITEM CTreeCtrl::GetNextDepthFirst(HTREEITEM item) const {
  if (item == nullptr) return GetRootItem();
  if (!IsItem(item)) return nullptr;
  if (!item->children.empty()) return item->children.front().get();
  for (const TreeItemNode* n = item; n && n != &root; n = n->parent)
    if (n->index + 1 < n->parent->children.size()) return n->parent->children[n->index + 1].get();
  return nullptr;
}

HTREEITEM CTreeCtrl::GetPrevDepthFirst(HTREEITEM item) const {
  const TreeItemNode* from = nullptr;
  if (item == nullptr) {
    from = &root;
  } else {
    if (!IsItem(item)) return nullptr;
    if (item->index == 0) return item->parent == &root ? nullptr : item->parent;
    from = item->parent->children[item->index - 1].get();
    if (from->children.empty()) return const_cast<HTREEITEM>(from);
  }
  // The deepest last node under from.
  while (!from->children.empty()) from = from->children.back().get();
  return from == &root ? nullptr : const_cast<HTREEITEM>(from);
}

// --- opening, closing and the selection -----------------------------------------------

bool CTreeCtrl::ApplyExpand(TreeItemNode& node, bool open) {
  const bool isOpen = node.state & TVIS_EXPANDED;
  if (isOpen == open) return true;
  if (open) node.state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
  else node.state &= ~UINT{TVIS_EXPANDED};
  RowsChanged();
  // A selection that closing hides moves up to the node closed.
  if (!open && selected && selected != &node && IsUnder(selected, &node)) ChangeSelection(&node, TVC_UNKNOWN);
  return true;
}

bool CTreeCtrl::Expand(HTREEITEM item, UINT code) {
  if (!IsItem(item) || item->children.empty()) return false;
  const bool isOpen = item->state & TVIS_EXPANDED;
  bool open = isOpen;
  switch (code & TVE_TOGGLE) {
    case TVE_EXPAND: open = true; break;
    case TVE_COLLAPSE: open = false; break;
    case TVE_TOGGLE: open = !isOpen; break;
    default: return false;
  }
  return ApplyExpand(*item, open);
}

bool CTreeCtrl::ExpandByUser(HTREEITEM item, UINT code) {
  if (!IsItem(item) || item->children.empty()) return false;
  const bool isOpen = item->state & TVIS_EXPANDED;
  const bool open = code == TVE_TOGGLE ? !isOpen : code == TVE_EXPAND;
  if (open == isOpen) return false;
  NMTREEVIEW nm;
  nm.action = open ? TVE_EXPAND : TVE_COLLAPSE;
  nm.itemNew = Describe(item);
  // The parent may refuse, or change the node's icons in its answer.
  if (Notify(nm.hdr, TVN_ITEMEXPANDING) != 0 || !IsWindow() || !IsItem(item) || item->children.empty()) return false;
  ApplyExpand(*item, open);
  if (!IsWindow() || !IsItem(item)) return true;
  nm.itemNew = Describe(item);
  Notify(nm.hdr, TVN_ITEMEXPANDED);
  if (!IsWindow() || !IsItem(item) || !open) return true;
  // Show as much of what opened as fits, the node itself staying in view.
  const int row = RowOf(item);
  int last = row;
  while (static_cast<std::size_t>(last + 1) < rows.size() && rows[static_cast<std::size_t>(last + 1)]->depth > item->depth) ++last;
  const int perPage = static_cast<int>(GetVisibleCount());
  if (last >= top + perPage) ScrollToRow(std::min(row, last - perPage + 1));
  return true;
}

TVITEM CTreeCtrl::Describe(const TreeItemNode* node) {
  TVITEM item;
  if (!node) return item;
  item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = const_cast<HTREEITEM>(node);
  item.state = node->state;
  item.stateMask = ~UINT{0};
  item.iImage = node->image;
  item.iSelectedImage = node->selectedImage;
  item.lParam = node->data;
  return item;
}

bool CTreeCtrl::ChangeSelection(HTREEITEM item, UINT action) {
  if (item == selected) return true;
  NMTREEVIEW nm;
  nm.action = action;
  nm.itemOld = Describe(selected);
  nm.itemNew = Describe(item);
  if (Notify(nm.hdr, TVN_SELCHANGING) != 0 || !IsWindow()) return false;
  if (item && !IsItem(item)) return false;
  const HTREEITEM old = IsItem(selected) ? selected : nullptr;
  if (old) {
    old->state &= ~UINT{TVIS_SELECTED};
    InvalidateItem(old);
  }
  selected = item;
  if (item) {
    item->state |= TVIS_SELECTED;
    InvalidateItem(item);
  }
  nm.itemOld = Describe(old);
  nm.itemNew = Describe(item);
  Notify(nm.hdr, TVN_SELCHANGED);
  return true;
}

bool CTreeCtrl::EnsureVisible(HTREEITEM item) {
  if (!IsItem(item)) return false;
  // Closed parents open from the outside in, as if the user opened them.
  std::vector<HTREEITEM> closed;
  for (TreeItemNode* p = item->parent; p && p != &root; p = p->parent)
    if (!(p->state & TVIS_EXPANDED)) closed.push_back(p);
  for (auto it = closed.rbegin(); it != closed.rend(); ++it) {
    ExpandByUser(*it, TVE_EXPAND);
    if (!IsWindow() || !IsItem(item)) return false;
  }
  const int row = RowOf(item);
  if (row < 0) return false;
  const int perPage = static_cast<int>(GetVisibleCount());
  if (row < top) ScrollToRow(row);
  else if (row >= top + perPage) ScrollToRow(row - perPage + 1);
  return true;
}

bool CTreeCtrl::Select(HTREEITEM item, UINT code) {
  if (item && !IsItem(item)) return false;
  if (code == TVGN_FIRSTVISIBLE) {
    if (!item || !EnsureVisible(item)) return false;
    ScrollToRow(RowOf(item));
    return true;
  }
  if (code != TVGN_CARET) return false;
  if (item && !EnsureVisible(item)) return false;
  if (!ChangeSelection(item, TVC_UNKNOWN)) return false;
  return !item || EnsureVisible(item);
}

LRESULT CTreeCtrl::Notify(NMHDR& header, UINT code) {
  header.hwndFrom = this;
  header.idFrom = GetDlgCtrlID();
  header.code = code;
  CWnd* parent = GetParent();
  return parent ? parent->SendMessage(WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&header)) : 0;
}

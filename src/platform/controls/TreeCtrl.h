// CTreeCtrl: the tree view. Nodes with a text, two icons (shown unselected and selected)
// and a value kept for the program; insertion first, last, after a sibling or in
// alphabetical place; sorting a node's children; expand buttons, dotted lines and lines
// at the root; one selected node; a vertical scroll bar that keeps the selection in view.
//
// The user's actions notify the parent through WM_NOTIFY: expanding and collapsing
// (TVN_ITEMEXPANDING, which may refuse, then TVN_ITEMEXPANDED), the selection
// (TVN_SELCHANGING, which may refuse, then TVN_SELCHANGED), every key (TVN_KEYDOWN, before
// the tree acts on it), NM_CLICK, NM_DBLCLK (the tree toggles the node unless the parent
// answers non-zero), NM_RETURN. Expand called by the program changes the node quietly, as
// the handheld's tree does; selecting by the program notifies with the action TVC_UNKNOWN.
//
// The pen: a tap on a node selects it, a tap on its button opens or closes it, and the pen
// drawn up or down scrolls the nodes with it. The keys: Up, Down, Home, End, Page Up and
// Page Down move the selection; Left closes the node or goes to its parent, Right opens it
// or goes to its first child; Enter sends NM_RETURN.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/controls/CommonControls.h"
#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

class CImageList;
struct TreeItemNode;
// A node's handle: valid from its insertion until it is deleted.
using HTREEITEM = TreeItemNode*;

// Where InsertItem puts a node: the top level, and first, last or in alphabetical place
// among the parent's children. Any other insertAfter is the sibling to follow.
inline const HTREEITEM TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0x10000));
inline const HTREEITEM TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0x0FFFF));
inline const HTREEITEM TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0x0FFFE));
inline const HTREEITEM TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0x0FFFD));

enum : DWORD {
  TVS_HASBUTTONS = 0x0001,
  TVS_HASLINES = 0x0002,
  TVS_LINESATROOT = 0x0004,
  TVS_DISABLEDRAGDROP = 0x0010,
  TVS_SHOWSELALWAYS = 0x0020,  // the selection still shows while the tree lacks the focus
};
enum : UINT {
  TVIS_SELECTED = 0x0002,
  TVIS_BOLD = 0x0010,
  TVIS_EXPANDED = 0x0020,
  TVIS_EXPANDEDONCE = 0x0040,
};
enum : UINT {
  TVIF_TEXT = 0x0001,
  TVIF_IMAGE = 0x0002,
  TVIF_PARAM = 0x0004,
  TVIF_STATE = 0x0008,
  TVIF_HANDLE = 0x0010,
  TVIF_SELECTEDIMAGE = 0x0020,
};
enum : UINT { TVE_COLLAPSE = 0x0001, TVE_EXPAND = 0x0002, TVE_TOGGLE = 0x0003 };
// Why the selection changed.
enum : UINT { TVC_UNKNOWN = 0, TVC_BYMOUSE = 1, TVC_BYKEYBOARD = 2 };
// GetNextItem's relations.
enum : UINT {
  TVGN_ROOT = 0x0000,
  TVGN_NEXT = 0x0001,
  TVGN_PREVIOUS = 0x0002,
  TVGN_PARENT = 0x0003,
  TVGN_CHILD = 0x0004,
  TVGN_FIRSTVISIBLE = 0x0005,
  TVGN_NEXTVISIBLE = 0x0006,
  TVGN_PREVIOUSVISIBLE = 0x0007,
  TVGN_CARET = 0x0009,
  TVGN_LASTVISIBLE = 0x000A,
};
enum : int { TVSIL_NORMAL = 0 };
// HitTest's answers.
enum : UINT {
  TVHT_NOWHERE = 0x0001,
  TVHT_ONITEMICON = 0x0002,
  TVHT_ONITEMLABEL = 0x0004,
  TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL,
  TVHT_ONITEMINDENT = 0x0008,
  TVHT_ONITEMBUTTON = 0x0010,
  TVHT_ONITEMRIGHT = 0x0020,
  TVHT_ABOVE = 0x0100,
  TVHT_BELOW = 0x0200,
};
enum : UINT {
  TVN_KEYDOWN = 0u - 412u,
  TVN_SELCHANGING = 0u - 450u,
  TVN_SELCHANGED = 0u - 451u,
  TVN_ITEMEXPANDING = 0u - 454u,
  TVN_ITEMEXPANDED = 0u - 455u,
  TVN_DELETEITEM = 0u - 458u,
};

// A node as a notification describes it; the text is not carried.
struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  LPARAM lParam = 0;
};
// TVN_SELCHANGING/ED (itemOld, itemNew), TVN_ITEMEXPANDING/ED (itemNew, action the
// TVE_ code), TVN_DELETEITEM (itemOld).
struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  CPoint ptDrag;
};
struct NMTVKEYDOWN {
  NMHDR hdr;
  std::uint16_t wVKey = 0;
  UINT flags = 0;
};

// One node. The tree owns every node; the program holds handles only.
struct TreeItemNode {
  std::u16string text;
  int image = 0;
  int selectedImage = 0;
  LPARAM data = 0;
  UINT state = 0;
  TreeItemNode* parent = nullptr;  // the tree's hidden root for top-level nodes
  std::vector<std::unique_ptr<TreeItemNode>> children;
  std::size_t index = 0;  // place among its siblings
  int depth = 0;          // 0 at the top level
  int row = -1;           // place among the shown rows when the rows were last laid out
  bool childrenInOrder = true;  // the children's texts are in alphabetical order
};

class CTreeCtrl : public CControl {
 public:
  CTreeCtrl();
  ~CTreeCtrl() override;
  // Creates the tree with double taps enabled.
  using CWnd::Create;
  bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  // Nodes. Null when the parent or the sibling to follow is not a node of this tree.
  HTREEITEM InsertItem(std::u16string_view text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                       HTREEITEM insertAfter = TVI_LAST);
  HTREEITEM InsertItem(std::u16string_view text, HTREEITEM parent = TVI_ROOT, HTREEITEM insertAfter = TVI_LAST) {
    return InsertItem(text, 0, 0, parent, insertAfter);
  }
  // Deletes the node and everything under it (TVN_DELETEITEM for each, innermost first);
  // TVI_ROOT or null deletes every node. A selection among them moves to the next sibling,
  // else the previous one, else the parent.
  bool DeleteItem(HTREEITEM item);
  bool DeleteAllItems() { return DeleteItem(TVI_ROOT); }
  // Orders the children of the node (TVI_ROOT or null: the top level) by their texts,
  // ignoring case; equal texts keep their order.
  bool SortChildren(HTREEITEM item);
  bool IsItem(HTREEITEM item) const { return item && live.count(item) != 0; }

  std::u16string GetItemText(HTREEITEM item) const;
  bool SetItemText(HTREEITEM item, std::u16string_view text);
  bool GetItemImage(HTREEITEM item, int& image, int& selectedImage) const;
  bool SetItemImage(HTREEITEM item, int image, int selectedImage);
  LPARAM GetItemData(HTREEITEM item) const;  // 0 for no node
  bool SetItemData(HTREEITEM item, LPARAM data);
  UINT GetItemState(HTREEITEM item, UINT mask) const;
  // TVIS_BOLD only; expanding and selecting have their own calls.
  bool SetItemState(HTREEITEM item, UINT state, UINT mask);
  bool ItemHasChildren(HTREEITEM item) const;
  UINT GetCount() const { return static_cast<UINT>(live.size()); }

  // Relations; null when there is none. TVGN_ROOT is the first top-level node,
  // TVGN_CARET the selection, the visible relations go through opened nodes only.
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
  HTREEITEM GetSelectedItem() const { return selected; }
  HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
  HTREEITEM GetNextVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXTVISIBLE); }
  HTREEITEM GetPrevVisibleItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUSVISIBLE); }
  HTREEITEM GetLastVisibleItem() const { return GetNextItem(nullptr, TVGN_LASTVISIBLE); }
  // Every node in depth-first order, closed ones' children included: the node after item
  // (null: the first node) and the one before it (null: the last node); null past the ends.
  HTREEITEM GetNextDepthFirst(HTREEITEM item) const;
  HTREEITEM GetPrevDepthFirst(HTREEITEM item) const;

  // Opens, closes or toggles the node without notifying; false when it has no children or
  // is no node. Closing over the selection moves it to the node closed.
  bool Expand(HTREEITEM item, UINT code);
  // Selects the node (null: none), opening its parents and scrolling it into view;
  // TVN_SELCHANGING may refuse. TVGN_FIRSTVISIBLE scrolls the node to the top instead.
  bool Select(HTREEITEM item, UINT code);
  bool SelectItem(HTREEITEM item) { return Select(item, TVGN_CARET); }
  bool SelectSetFirstVisible(HTREEITEM item) { return Select(item, TVGN_FIRSTVISIBLE); }
  // Opens the node's parents and scrolls it into view; false for no node.
  bool EnsureVisible(HTREEITEM item);

  CImageList* SetImageList(CImageList* list, int which);
  CImageList* GetImageList(int which) const { return which == TVSIL_NORMAL ? images : nullptr; }

  // Geometry, client coordinates. textOnly: the label's box, else the whole row. False when
  // the node is not shown (a closed parent); a row scrolled off still answers.
  bool GetItemRect(HTREEITEM item, CRect* rect, bool textOnly) const;
  HTREEITEM HitTest(CPoint point, UINT* flags = nullptr) const;
  int GetItemHeight() const { return std::max(1, itemHeight); }
  int GetIndent() const { return indent; }
  // How many rows fit in the client area whole.
  UINT GetVisibleCount() const;
  // The rows shown through opened nodes, and the first one at the top.
  int GetRowCount() const;
  int GetTopRow() const { return top; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  int OnCreate() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(CWnd* newCapture) override;
  void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;

 private:
  // A real node, or the hidden root for TVI_ROOT and null.
  TreeItemNode* NodeOrRoot(HTREEITEM item);
  static void Renumber(TreeItemNode& parent, std::size_t from);
  // Whether the children's order is alphabetical around position at.
  static bool InOrderAt(const TreeItemNode& parent, std::size_t at);
  bool IsUnder(const TreeItemNode* node, const TreeItemNode* ancestor) const;
  void NotifyDeleted(TreeItemNode& node);
  void Forget(TreeItemNode& node);
  // The selection goes to item as the user or the program (action) chose it; false when
  // the parent refused.
  bool ChangeSelection(HTREEITEM item, UINT action);
  // The user chose the node: selected and scrolled into view.
  void SelectByUser(HTREEITEM item, UINT action);
  // Opens or closes the node as the user asked, with the notifications.
  bool ExpandByUser(HTREEITEM item, UINT code);
  bool ApplyExpand(TreeItemNode& node, bool open);
  LRESULT Notify(NMHDR& header, UINT code);
  static TVITEM Describe(const TreeItemNode* node);

  // TreeCtrlLayout.cpp: metrics, rows, scrolling.
  void Measure();
  // The rows are laid out again when next needed; with redraw on, at once.
  void RowsChanged();
  void LayOutRows() const;
  void UpdateScrollBars();
  void ScrollToRow(int row);
  void ClampScroll();
  void InvalidateItem(HTREEITEM item);
  int RowOf(const TreeItemNode* node) const;  // -1 when a parent is closed
  // The left edge of the node's button column (lines and buttons), and of its icon.
  int LevelLeft(const TreeItemNode& node) const;
  int IconLeft(const TreeItemNode& node) const;
  bool HasButton(const TreeItemNode& node) const;
  CRect ButtonRect(const TreeItemNode& node, int rowTop) const;
  int LabelWidth(const TreeItemNode& node) const;

  // TreeCtrlDraw.cpp
  void DrawRow(CDC& dc, const TreeItemNode& node, int rowTop, int contentTop);
  void DrawLines(CDC& dc, const TreeItemNode& node, int rowTop, int contentTop);
  void DrawButton(CDC& dc, const TreeItemNode& node, int rowTop);

  TreeItemNode root;
  std::unordered_set<HTREEITEM> live;
  HTREEITEM selected = nullptr;
  CImageList* images = nullptr;
  // The rows shown, through opened nodes; laid out again only when they changed.
  mutable std::vector<TreeItemNode*> rows;
  mutable bool rowsDirty = false;
  int top = 0;  // first row shown
  int itemHeight = 0;
  int indent = 0;
  bool inLayout = false;
  bool barsStale = false;  // rows changed while redrawing was off
  // The pen: where it went down, the first row then, whether it has moved far enough to
  // scroll, and whether this press ended a double tap.
  bool penDown = false;
  bool dragging = false;
  bool afterDoubleTap = false;
  CPoint penStart;
  int penStartTop = 0;
  HTREEITEM pressedItem = nullptr;
};

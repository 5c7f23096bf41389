// CListCtrl: the list view in report mode. Columns under a header whose items are buttons
// (LVN_COLUMNCLICK), rows of an icon and texts with a value kept for the program, one
// selected row at a time with the selection mark on the row chosen last, scroll bars, a
// refill with redrawing off, and sorting by the program's comparison.
//
// The pen: a tap selects the row under it (LVN_ITEMCHANGED, then NM_CLICK on release), a
// double tap sends NM_DBLCLK. The keys: the arrows, Page Up/Down, Home and End move the
// selection; Enter sends NM_RETURN (in a dialog Enter presses the default button first).
// Notifications reach the parent as WM_NOTIFY with the control's id and the record.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/CommonControls.h"
#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

class CImageList;

// Compares two rows by their values; negative, zero or positive as the first sorts before,
// with or after the second. Must be consistent for a given pair.
using PFNLVCOMPARE = int (*)(LPARAM item1, LPARAM item2, LPARAM sortData);

class CListCtrl : public CControl {
 public:
  // Creates the list with double taps enabled.
  using CWnd::Create;
  bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  // Columns. Width -1 takes the heading's width; the index of the new column, or -1.
  int InsertColumn(int col, std::u16string_view heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  bool DeleteColumn(int col);
  int GetColumnCount() const { return static_cast<int>(columns.size()); }
  int GetColumnWidth(int col) const;
  bool SetColumnWidth(int col, int cx);
  std::u16string GetColumnHeading(int col) const;
  // The header button of a column, client coordinates; false without a header or column.
  bool GetHeaderItemRect(int col, CRect* rect) const;

  // The small icons of the rows (LVSIL_SMALL); the list does not own them. Answers the
  // list set before.
  CImageList* SetImageList(CImageList* list, int which);
  CImageList* GetImageList(int which) const;

  // Rows. InsertItem answers the new row's index (-1 when it could not), an index past the
  // end appends. Sub-item 0 is the row's label.
  int InsertItem(int item, std::u16string_view text, int image = -1);
  bool SetItemText(int item, int subItem, std::u16string_view text);
  std::u16string GetItemText(int item, int subItem) const;
  bool SetItemData(int item, LPARAM data);
  LPARAM GetItemData(int item) const;  // 0 for a bad index
  bool SetItemImage(int item, int image);
  int GetItemImage(int item) const;  // -1 for a bad index or no icon
  int GetItemCount() const { return static_cast<int>(items.size()); }
  bool DeleteItem(int item);
  bool DeleteAllItems();

  // Selection. States are LVIS_SELECTED and LVIS_FOCUSED; SetItemState with item -1 acts
  // on every row. With LVS_SINGLESEL selecting a row clears the others.
  UINT GetItemState(int item, UINT mask) const;
  bool SetItemState(int item, UINT state, UINT mask);
  // The next row after start (-1: from the top) in the relation (LVNI_SELECTED,
  // LVNI_FOCUSED, LVNI_ALL); -1 when none.
  int GetNextItem(int start, UINT flags) const;
  int GetSelectedCount() const;
  // The row the user chose last (by pen or keys), -1 for none.
  int GetSelectionMark() const { return mark; }
  int SetSelectionMark(int item);

  // Scrolling and geometry.
  bool EnsureVisible(int item, bool partialOK);
  int GetTopIndex() const { return top; }
  int GetCountPerPage() const;
  // LVIR_BOUNDS the whole row, LVIR_ICON its icon, LVIR_LABEL its label; client coordinates.
  bool GetItemRect(int item, CRect* rect, UINT code) const;
  // The row under a client point, -1 for none; flags says where the point lies.
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int GetRowHeight() const;
  int GetHeaderHeight() const;
  int GetScrollOffsetX() const { return scrollX; }

  // Orders the rows by compare over their values; the selection and the mark stay with
  // their rows.
  bool SortItems(PFNLVCOMPARE compare, LPARAM sortData);

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
  void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;

 private:
  struct Column {
    std::u16string heading;
    int format = LVCFMT_LEFT;
    int width = 0;
  };
  struct Item {
    std::vector<std::u16string> texts;  // one per column at most; missing ones are empty
    int image = -1;
    LPARAM data = 0;
    UINT state = 0;
  };

  bool Valid(int item) const { return item >= 0 && item < GetItemCount(); }
  // Sets one row's state and tells the parent (LVN_ITEMCHANGED) when it changed.
  void ChangeState(int item, UINT state, UINT mask);
  // The user chose a row: it alone is selected and focused, and holds the mark.
  void SelectByUser(int item);
  LRESULT Notify(NMHDR& header, UINT code);
  void NotifyItem(UINT code, int item, CPoint point);
  // Keeps the indices that point at rows right after rows come or go.
  void FixIndicesAfterInsert(int at);
  void FixIndicesAfterDelete(int at);

  // ListCtrlLayout.cpp: metrics, scroll bars and scrolling.
  void Measure();
  int TotalWidth() const;
  int ColumnLeft(int col) const;  // client x of a column's left edge, scrolled
  void UpdateScrollBars();
  void ScrollToRow(int row);
  void ScrollToX(int x);
  void ClampScroll();
  void InvalidateItem(int item);

  // ListCtrlDraw.cpp
  void DrawHeader(CDC& dc, const CRect& client);
  void DrawRow(CDC& dc, int item, const CRect& rowRect);

  std::vector<Column> columns;
  std::vector<Item> items;
  CImageList* smallImages = nullptr;
  int mark = -1;
  int focusItem = -1;
  int top = 0;      // first row shown
  int scrollX = 0;  // pixels of the columns scrolled off the left
  int rowHeight = 0;
  int headerHeight = 0;
  bool inLayout = false;
  // The pen: a header button held down, or a row pressed.
  int pressedColumn = -1;
  bool headerPressedLook = false;
  bool trackingRows = false;
  int pressedItem = -1;
  bool afterDoubleTap = false;  // the release that ends a double tap is no click
};

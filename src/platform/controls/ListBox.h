// CListBox: a single-selection list of text items, each carrying a number of the caller's
// (its item data), moved through with the pen, the keys and its scroll bars.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

using DWORD_PTR = std::uintptr_t;

// Styles in the low word.
enum : DWORD {
  LBS_NOTIFY = 0x0001,  // the parent hears LBN_* notifications
  LBS_SORT = 0x0002,    // AddString keeps the items in order, case ignored
  LBS_NOINTEGRALHEIGHT = 0x0100,
  LBS_DISABLENOSCROLL = 0x1000,  // a bar with nothing to scroll stays, disabled
};

// Notifications in the high word of WM_COMMAND's wParam (with LBS_NOTIFY).
enum : UINT {
  LBN_SELCHANGE = 1,  // the user moved the selection (never SetCurSel)
  LBN_DBLCLK = 2,     // a double tap on an item
  LBN_SETFOCUS = 4,
  LBN_KILLFOCUS = 5,
};

enum : int { LB_OKAY = 0, LB_ERR = -1 };

class CListBox : public CControl {
 public:
  // WS_VSCROLL and WS_HSCROLL in the style say which bars the list may show; each shows
  // only while there is something to scroll, unless LBS_DISABLENOSCROLL keeps it.
  // Double taps are always enabled.
  using CWnd::Create;
  bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  int GetCount() const { return static_cast<int>(items.size()); }
  // At its sorted place with LBS_SORT, else at the end; the index it went to.
  int AddString(std::u16string_view text);
  // At index (-1: the end), never sorted; the index, or LB_ERR when index is past the end.
  int InsertString(int index, std::u16string_view text);
  // The number of items left, or LB_ERR.
  int DeleteString(int index);
  void ResetContent();

  // The text's length, or LB_ERR (text then untouched).
  int GetText(int index, std::u16string& text) const;
  int GetTextLen(int index) const;
  // LB_ERR (as a DWORD_PTR) for an index that names no item.
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);

  // The selected item, or LB_ERR when none is.
  int GetCurSel() const { return selection; }
  // Selects index and scrolls it into view; -1 (or an index past the end, which answers
  // LB_ERR) leaves nothing selected. The parent is not told: only the user's moves notify.
  int SetCurSel(int index);
  // The first item after startAfter (-1: from the top), going round, whose text begins
  // with prefix, case ignored; LB_ERR when none does.
  int FindString(int startAfter, std::u16string_view prefix) const;
  int FindStringExact(int startAfter, std::u16string_view text) const;
  // FindString, then SetCurSel on what it found.
  int SelectString(int startAfter, std::u16string_view prefix);

  int GetTopIndex() const { return topIndex; }
  int SetTopIndex(int index);
  int GetItemHeight(int index) const;
  // The item's rectangle in client coordinates (above or below the client area when it
  // is scrolled out of view); LB_ERR for an index that names no item.
  int GetItemRect(int index, CRect* rect) const;
  // The item nearest a client point; outside says the point lies on none.
  int ItemFromPoint(CPoint point, bool& outside) const;

  // The width in pixels the items can be scrolled across; a horizontal bar appears while
  // it is wider than the list (with WS_HSCROLL).
  void SetHorizontalExtent(int cx);
  int GetHorizontalExtent() const { return horizontalExtent; }
  // Pixels scrolled off the left edge.
  int GetScrollX() const { return scrollX; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  void OnChar(UINT ch, UINT repCnt, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(CWnd* newCapture) override;
  void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
  void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;

 private:
  struct Item {
    std::u16string text;
    DWORD_PTR data = 0;
  };

  bool Valid(int index) const { return index >= 0 && index < GetCount(); }
  void Notify(UINT code);
  // Selects as the user does: into view, and LBN_SELCHANGE when it changed.
  void SelectByUser(int index);
  void ScrollIntoView(int index);
  void ScrollHorizontally(int x);

  // ListBoxDraw.cpp: measuring, the scroll bars and painting.
  int ItemHeight() const;
  // Items that fit whole in the client area (at least one).
  int VisibleCount() const;
  int MaxTopIndex() const;
  void UpdateScrollBars();

  std::vector<Item> items;
  int selection = LB_ERR;
  int topIndex = 0;
  int horizontalExtent = 0;
  int scrollX = 0;
  bool mayScrollV = false;  // the creation style asked for the bars
  bool mayScrollH = false;
  bool updatingBars = false;
  bool tracking = false;  // the pen went down on the list and is still down
};

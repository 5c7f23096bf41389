// The common controls' shared vocabulary: WM_NOTIFY records and codes, the styles and
// messages of the drop-down list and the list view, and InitCommonControls, which registers
// every control's window class so that dialog templates can build them.
#pragma once
#include "platform/controls/ControlMessages.h"

// The list view's window class.
constexpr char16_t WC_LISTVIEW[] = u"SysListView32";
// The tree view's window class.
constexpr char16_t WC_TREEVIEW[] = u"SysTreeView32";

class CWnd;

// Every WM_NOTIFY carries one of these first; wParam is the control's id.
struct NMHDR {
  CWnd* hwndFrom = nullptr;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// Item notifications of the list view: which item and column, what changed, and where
// the pen was (client coordinates of the list).
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  CPoint ptAction;
  LPARAM lParam = 0;  // the item's data
};
// NM_CLICK and NM_DBLCLK: the item under the pen, -1 when the pen hit no item.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  CPoint ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

// Notification codes count down from zero, as the handheld numbers them.
enum : UINT {
  NM_CLICK = 0u - 2u,
  NM_DBLCLK = 0u - 3u,
  NM_RETURN = 0u - 4u,
  NM_SETFOCUS = 0u - 7u,
  NM_KILLFOCUS = 0u - 8u,
  LVN_ITEMCHANGING = 0u - 100u,
  LVN_ITEMCHANGED = 0u - 101u,
  LVN_DELETEITEM = 0u - 103u,
  LVN_DELETEALLITEMS = 0u - 104u,
  LVN_COLUMNCLICK = 0u - 108u,
};

// List view styles; only the report view is drawn, whatever the view bits say.
enum : DWORD {
  LVS_ICON = 0x0000,
  LVS_REPORT = 0x0001,
  LVS_SMALLICON = 0x0002,
  LVS_LIST = 0x0003,
  LVS_TYPEMASK = 0x0003,
  LVS_SINGLESEL = 0x0004,
  LVS_SHOWSELALWAYS = 0x0008,  // the selection still shows while the list lacks the focus
  LVS_NOCOLUMNHEADER = 0x4000,
  LVS_NOSORTHEADER = 0x8000,  // header items are not buttons
};
enum : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };
enum : UINT { LVIS_FOCUSED = 0x0001, LVIS_SELECTED = 0x0002 };
enum : UINT { LVIF_STATE = 0x0008 };
// GetNextItem's relations.
enum : UINT { LVNI_ALL = 0x0000, LVNI_FOCUSED = 0x0001, LVNI_SELECTED = 0x0002 };
enum : int { LVSIL_NORMAL = 0, LVSIL_SMALL = 1 };
enum : int { LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2 };
// HitTest's answers.
enum : UINT {
  LVHT_NOWHERE = 0x0001,
  LVHT_ONITEMICON = 0x0002,
  LVHT_ONITEMLABEL = 0x0004,
  LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL,
  LVHT_ABOVE = 0x0008,
  LVHT_BELOW = 0x0010,
};

// Drop-down list styles, notifications and answers.
enum : DWORD {
  CBS_SIMPLE = 0x0001,
  CBS_DROPDOWN = 0x0002,
  CBS_DROPDOWNLIST = 0x0003,  // the only kind drawn: a field to pick from, no typing
  CBS_AUTOHSCROLL = 0x0040,
  CBS_SORT = 0x0100,
  CBS_NOINTEGRALHEIGHT = 0x0400,
};
enum : UINT {
  CBN_SELCHANGE = 1,
  CBN_SETFOCUS = 3,
  CBN_KILLFOCUS = 4,
  CBN_DROPDOWN = 7,
  CBN_CLOSEUP = 8,
  CBN_SELENDOK = 9,
  CBN_SELENDCANCEL = 10,
};
enum : int { CB_ERR = -1 };

// An owner-drawn push button draws itself (the bitmap button does).
enum : DWORD { BS_OWNERDRAW = 0xB };

// Registers the window class of every control: "STATIC", "BUTTON", "EDIT", "LISTBOX",
// "COMBOBOX", "SysListView32", "SysTreeView32" and "msctls_updown32". Call before a dialog whose template
// holds them runs; calling again is harmless.
void InitCommonControls();

// Messages, notifications and styles of the standard controls (static, edit, buttons, list
// box, drop-down list) and their window class names, with the numbers the handheld gives them.
#pragma once
#include "platform/ui/Messages.h"

// The classes a dialog template's short forms name.
constexpr char16_t WC_BUTTON[] = u"BUTTON";
constexpr char16_t WC_STATIC[] = u"STATIC";
constexpr char16_t WC_EDIT[] = u"EDIT";
constexpr char16_t WC_LISTBOX[] = u"LISTBOX";
constexpr char16_t WC_COMBOBOX[] = u"COMBOBOX";

enum : UINT {
  WM_SETFONT = 0x0030,   // wParam: the CFont*; the control draws with it from then on
  WM_GETFONT = 0x0031,   // returns the CFont* (0: the system font)
  WM_GETDLGCODE = 0x0087,
  WM_CUT = 0x0300,
  WM_COPY = 0x0301,
  WM_PASTE = 0x0302,
  WM_CLEAR = 0x0303,
  WM_UNDO = 0x0304,

  // Edit controls. Character positions count UTF-16 units.
  EM_GETSEL = 0x00B0,       // returns MAKELONG(start, end) when both fit; wParam/lParam: int* start, end
  EM_SETSEL = 0x00B1,       // wParam start, lParam end; start -1 removes the selection, end -1 means the end
  EM_REPLACESEL = 0x00C2,   // lParam: const char16_t*, zero-terminated
  EM_LIMITTEXT = 0x00C5,    // wParam: the most units the text may hold (0: the largest limit)
  EM_UNDO = 0x00C7,
  EM_SETREADONLY = 0x00CF,  // wParam: nonzero for read-only
  EM_GETLIMITTEXT = 0x00D5,

  // Buttons.
  BM_GETCHECK = 0x00F0,
  BM_SETCHECK = 0x00F1,
  BM_GETSTATE = 0x00F2,
  BM_SETSTATE = 0x00F3,  // wParam: nonzero shows the button pressed
  BM_SETSTYLE = 0x00F4,  // wParam: the new BS_* type; the look of a default push button comes and goes this way
  BM_CLICK = 0x00F5,     // a press and release, as the user gives it; nonzero when it pressed
};

// What a control wants of the keyboard (WM_GETDLGCODE); the dialog keeps the rest.
enum : UINT {
  DLGC_WANTARROWS = 0x0001,
  DLGC_WANTTAB = 0x0002,
  DLGC_WANTALLKEYS = 0x0004,
  DLGC_HASSETSEL = 0x0008,
  DLGC_DEFPUSHBUTTON = 0x0010,
  DLGC_UNDEFPUSHBUTTON = 0x0020,
  DLGC_RADIOBUTTON = 0x0040,
  DLGC_WANTCHARS = 0x0080,
  DLGC_STATIC = 0x0100,
  DLGC_BUTTON = 0x2000,
};

// Notifications in the high word of a WM_COMMAND's wParam; lParam is the control.
enum : UINT {
  BN_CLICKED = 0,
  EN_SETFOCUS = 0x0100,
  EN_KILLFOCUS = 0x0200,
  EN_CHANGE = 0x0300,
  EN_MAXTEXT = 0x0501,
};

// Check states.
enum : int { BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2, BST_PUSHED = 4, BST_FOCUS = 8 };

// Styles: the low word of a control's style says its type and alignment.
enum : DWORD {
  BS_PUSHBUTTON = 0x0,
  BS_DEFPUSHBUTTON = 0x1,
  BS_CHECKBOX = 0x2,
  BS_AUTOCHECKBOX = 0x3,
  BS_RADIOBUTTON = 0x4,
  BS_3STATE = 0x5,
  BS_AUTO3STATE = 0x6,
  BS_GROUPBOX = 0x7,
  BS_AUTORADIOBUTTON = 0x9,
  BS_TYPEMASK = 0xF,

  SS_LEFT = 0x0,
  SS_CENTER = 0x1,
  SS_RIGHT = 0x2,
  SS_LEFTNOWORDWRAP = 0xC,
  SS_TYPEMASK = 0x1F,
  SS_NOPREFIX = 0x80,
  SS_CENTERIMAGE = 0x200,  // the text centred vertically too

  ES_LEFT = 0x0,
  ES_CENTER = 0x1,
  ES_RIGHT = 0x2,
  ES_ALIGNMASK = 0x3,
  ES_AUTOHSCROLL = 0x80,  // without it the text may not grow wider than the field
  ES_READONLY = 0x800,
  ES_NUMBER = 0x2000,  // typing accepts digits only
};

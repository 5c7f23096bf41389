// Dialog templates as data: the caption, the size and font, and each control by kind, id,
// text, rectangle and style, all in dialog units; and the conversion of dialog units to pixels.
#pragma once
#include <string>
#include <vector>

#include "platform/base/Types.h"

class CDC;

// The kinds of control a template may hold. List boxes, drop-down lists and list views are
// laid out now and get their windows when those controls exist.
enum class DialogItemKind {
  Static,         // a label; SS_LEFT / SS_CENTER / SS_RIGHT
  Edit,           // a single-line edit; ES_AUTOHSCROLL, ES_NUMBER, ES_READONLY, alignment
  PushButton,
  DefPushButton,  // the button Enter presses
  CheckBox,       // toggles itself
  RadioButton,    // checks itself and clears the others of its group
  GroupBox,
  ListBox,
  ComboBox,
  ListView,
  SipPref,  // the soft input panel preference: no window to see, text input while it lives
  UpDown,   // arrows stepping a number; UDS_AUTOBUDDY attaches it to the control before it
};

// One control. The style is given whole: WS_TABSTOP and WS_GROUP as the dialog should treat
// the control, WS_DISABLED, and the low-word bits of its kind (WS_CHILD and WS_VISIBLE are
// implied). A group runs from a control with WS_GROUP to the next one with it.
struct DialogItemTemplate {
  DialogItemKind kind = DialogItemKind::Static;
  UINT id = 0xFFFF;  // IDC_STATIC for controls nobody addresses
  std::u16string text;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units, from the top left of the dialog
  DWORD style = 0;
};

struct DialogTemplate {
  std::u16string caption;  // shown in the caption bar
  int cx = 0, cy = 0;      // dialog units; the dialog itself fills the work area's width
  std::u16string fontFace = u"Tahoma";
  int fontPoints = 8;
  std::vector<DialogItemTemplate> items;
};

// The dialog font's base units: the average width of the letters A-Z and a-z (rounded the
// way the handheld rounds it) and the height of a line of text, in pixels.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};
// Measures with the font selected into dc.
DialogBaseUnits MeasureDialogBaseUnits(const CDC& dc);

// Dialog units to pixels: x * base.x / 4 and y * base.y / 8, each of the four values on its
// own as the dialog manager converts them. Values are bounded so an absurd template cannot
// overflow the screen arithmetic.
int DialogUnitsToPixelsX(int x, const DialogBaseUnits& base);
int DialogUnitsToPixelsY(int y, const DialogBaseUnits& base);
// The pixel rectangle of an item (its x, y, cx, cy).
CRect MapDialogItemRect(const DialogItemTemplate& item, const DialogBaseUnits& base);

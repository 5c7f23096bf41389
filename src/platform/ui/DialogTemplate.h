// Dialog templates as resource data: the caption, the size and font, and each control by its
// window class (or the short form of a standard one), id, text, rectangle and style, all in
// dialog units. Dialogs build their controls from these through the window classes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/base/Types.h"

// The answers a dialog ends with, which are also the ids of its OK and Cancel buttons; the
// same numbers as the message box's.
using plat::IDCANCEL;
using plat::IDNO;
using plat::IDOK;
using plat::IDYES;

// The identifier of controls nobody addresses (labels, group boxes).
enum : UINT { IDC_STATIC = 0xFFFF };

// The short forms of the standard controls, as a resource script writes them; the dialog
// turns each into its window class and the style that form implies. Any other control is
// a Control item naming its window class.
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
  Control,        // the window class is named
};

// One control. The style is given whole: WS_TABSTOP and WS_GROUP as the dialog should treat
// the control, WS_DISABLED, and the low-word bits of its class (WS_CHILD and WS_VISIBLE are
// implied). A group runs from a control with WS_GROUP to the next one with it.
struct DialogItemTemplate {
  DialogItemTemplate() = default;
  DialogItemTemplate(DialogItemKind kind, UINT id, std::u16string_view text, int x, int y, int cx, int cy, DWORD style)
      : kind(kind), id(id), text(text), x(x), y(y), cx(cx), cy(cy), style(style) {}
  DialogItemTemplate(std::u16string_view windowClass, UINT id, std::u16string_view text, int x, int y, int cx, int cy,
                     DWORD style)
      : kind(DialogItemKind::Control), windowClass(windowClass), id(id), text(text), x(x), y(y), cx(cx), cy(cy),
        style(style) {}

  DialogItemKind kind = DialogItemKind::Static;
  std::u16string windowClass;  // for DialogItemKind::Control
  UINT id = IDC_STATIC;
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

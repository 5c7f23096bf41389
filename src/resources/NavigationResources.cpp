// The outline, go-to-line and options dialogs, and the messages of the outline, go-to-line
// and Find Next commands.
#include "platform/controls/CommonControls.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/DialogItems.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

using K = DialogItemKind;
constexpr DWORD TAB = WS_TABSTOP, GROUP = WS_GROUP;
// The arrows beside a number field: at its right edge, keeping its text in step, also
// from the keyboard. Without separators, so that the field always reads as a number.
constexpr DWORD kNumberSpin = UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

DialogTemplate OutlineDialog() {
  DialogTemplate t;
  t.caption = u"File Outline";
  // The dialog lays the list over its whole client area; the size here only has to fit
  // a landscape screen, so the dialog never needs a scroll bar of its own.
  t.cx = 140;
  t.cy = 80;
  t.items = {
      {K::ListBox, IDC_OUTLINE_LIST, u"", 0, 0, 140, 80,
       TAB | GROUP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
  };
  return t;
}

DialogTemplate GotoLineDialog() {
  DialogTemplate t;
  t.caption = u"Go To Line";
  t.cx = 140;
  t.cy = 52;
  t.items = {
      {K::Static, IDC_STATIC, u"Line Number:", 4, 6, 132, 10, 0},
      {K::Edit, IDC_NUMBER_EDIT, u"", 4, 17, 60, 13, TAB | GROUP | ES_AUTOHSCROLL | ES_NUMBER},
      {UPDOWN_CLASS, IDC_NUMBER_SPIN, u"", 64, 17, 11, 13, kNumberSpin},
      SipPref(),
      {K::Static, IDC_CURRENT_LINE, u"", 4, 38, 132, 10, 0},
  };
  return t;
}

DialogTemplate OptionsDialog() {
  DialogTemplate t;
  t.caption = u"Options";
  t.cx = 140;
  t.cy = 112;
  t.items = {
      {K::Static, IDC_STATIC, u"Font size:", 4, 6, 132, 10, 0},
      {K::Edit, IDC_NUMBER_EDIT, u"", 4, 17, 40, 13, TAB | GROUP | ES_AUTOHSCROLL | ES_NUMBER},
      {UPDOWN_CLASS, IDC_NUMBER_SPIN, u"", 44, 17, 11, 13, kNumberSpin},
      {K::Static, IDC_STATIC, u"Font Name:", 4, 36, 132, 10, 0},
      // The height is the opened list's; the field itself is one row.
      {K::ComboBox, IDC_FONT_NAME, u"", 4, 47, 132, 60, TAB | GROUP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT},
      SipPref(),
      {K::Static, IDC_STATIC,
       u"NOTE: Tovin is compatible with Fixed-Pitch fonts only. Additional  fonts such as Lucida Console or "
       u"Consolas must be manually installed into the Windows CE Fonts folder.",
       4, 68, 132, 40, 0},
  };
  return t;
}

}  // namespace

void AddNavigationResources(CResourceModule& m) {
  m.dialogs[IDD_OUTLINE] = OutlineDialog();
  m.dialogs[IDD_GOTO_LINE] = GotoLineDialog();
  m.dialogs[IDD_TOOLS_OPTIONS] = OptionsDialog();
  m.strings[IDS_OUTLINE_NO_FUNCTIONS] = u"No functions were identified in this file.";
  m.strings[IDS_GOTO_CURRENT_LINE] = u"Current Line:  %d";
  m.strings[IDS_FIND_NEXT_NOT_FOUND] = u"Cannot find the string '%1'";
}

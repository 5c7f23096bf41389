// The file browser's two layouts (portrait and landscape) and the titles of the file prompt.
#include "platform/ui/CommonControls.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"

void AddBrowserBitmaps(CResourceModule& module);

namespace {

using K = DialogItemKind;
constexpr DWORD TAB = WS_TABSTOP, GROUP = WS_GROUP;
constexpr DWORD kTypeStyle = DWORD{CBS_DROPDOWNLIST} | WS_VSCROLL | TAB | GROUP;
constexpr DWORD kNameStyle = ES_AUTOHSCROLL | TAB | GROUP;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | TAB | GROUP;
// The up button's text names its bitmaps; the browser swaps in the large set on a
// high-resolution screen. It comes last so that it keeps its place in the tab order when
// the bitmap button takes it over.
constexpr DWORD kUpStyle = BS_OWNERDRAW | TAB | GROUP;

// The type box's height is that of its opened list.
DialogTemplate Portrait() {
  DialogTemplate t;
  t.cx = 160;
  t.cy = 145;
  t.items = {
      {K::Static, IDC_STATIC, u"Type:", 2, 5, 24, 10, SS_LEFT},
      {K::ComboBox, IDC_BROWSER_TYPE, u"", 27, 3, 110, 80, kTypeStyle},
      {K::Static, IDC_BROWSER_NAME_LABEL, u"Name:", 2, 22, 24, 10, SS_LEFT},
      {K::Edit, IDC_BROWSER_NAME, u"", 27, 20, 131, 13, kNameStyle},
      {K::ListView, IDC_BROWSER_LIST, u"", 0, 37, 160, 108, kListStyle},
      {K::PushButton, IDC_BROWSER_UP, u"IDB_DIR_UP", 141, 3, 17, 13, kUpStyle},
  };
  return t;
}

// Type, up and name share the top row; the list takes the rest of the short screen.
DialogTemplate Landscape() {
  DialogTemplate t;
  t.cx = 214;
  t.cy = 94;
  t.items = {
      {K::Static, IDC_STATIC, u"Type:", 2, 5, 22, 10, SS_LEFT},
      {K::ComboBox, IDC_BROWSER_TYPE, u"", 25, 3, 84, 70, kTypeStyle},
      {K::Static, IDC_BROWSER_NAME_LABEL, u"Name:", 132, 5, 24, 10, SS_LEFT},
      {K::Edit, IDC_BROWSER_NAME, u"", 157, 3, 55, 13, kNameStyle},
      {K::ListView, IDC_BROWSER_LIST, u"", 0, 20, 214, 74, kListStyle},
      {K::PushButton, IDC_BROWSER_UP, u"IDB_DIR_UP", 112, 3, 17, 13, kUpStyle},
  };
  return t;
}

}  // namespace

void AddBrowserResources(CResourceModule& m) {
  m.dialogs[IDD_FILE_BROWSER] = Portrait();
  m.dialogs[IDD_FILE_BROWSER_LANDSCAPE] = Landscape();
  AddBrowserBitmaps(m);
  m.strings[AFX_IDS_OPENFILE] = u"Open";
  m.strings[AFX_IDS_SAVEFILE] = u"Save As";
  m.strings[IDS_NEW_PROJECT] = u"New Project";
  m.strings[IDS_ADD_FILE] = u"Add File";
}

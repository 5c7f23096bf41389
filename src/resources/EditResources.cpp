// The find and replace dialogs and their messages.
#include "platform/controls/ControlMessages.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

using K = DialogItemKind;
constexpr DWORD TAB = WS_TABSTOP, GROUP = WS_GROUP;

DialogTemplate FindDialog() {
  DialogTemplate t;
  t.caption = u"Find";
  t.cx = 140;
  t.cy = 118;
  t.items = {
      {K::Static, IDC_STATIC, u"Fi&nd what:", 4, 6, 132, 10, 0},
      {K::Edit, IDC_EDIT_TEXT, u"", 4, 17, 132, 13, TAB | GROUP | ES_AUTOHSCROLL},
      {K::CheckBox, IDC_EDIT_WHOLE_WORD, u"Match &whole word only", 4, 36, 132, 12, TAB | GROUP | BS_AUTOCHECKBOX},
      {K::CheckBox, IDC_EDIT_MATCH_CASE, u"Match &case", 4, 50, 132, 12, TAB | GROUP | BS_AUTOCHECKBOX},
      {K::RadioButton, IDC_EDIT_DIRECTION_UP, u"&Up", 10, 78, 50, 12, TAB | GROUP | BS_AUTORADIOBUTTON},
      {K::RadioButton, IDC_EDIT_DIRECTION_DOWN, u"&Down", 66, 78, 60, 12, BS_AUTORADIOBUTTON},
      {K::DefPushButton, IDOK, u"&Find Next", 4, 98, 64, 16, TAB | GROUP | BS_DEFPUSHBUTTON},
      {K::PushButton, IDCANCEL, u"Cancel", 72, 98, 64, 16, TAB},
      {K::Static, IDC_STATIC, u"Direction:", 4, 66, 132, 10, GROUP},
  };
  return t;
}

DialogTemplate ReplaceDialog() {
  DialogTemplate t;
  t.caption = u"Replace";
  t.cx = 140;
  t.cy = 136;
  t.items = {
      {K::Static, IDC_STATIC, u"Fi&nd what:", 4, 6, 132, 10, 0},
      {K::Edit, IDC_EDIT_TEXT, u"", 4, 17, 132, 13, TAB | GROUP | ES_AUTOHSCROLL},
      {K::Static, IDC_STATIC, u"Re&place with:", 4, 35, 132, 10, 0},
      {K::Edit, IDC_EDIT_REPLACE_WITH, u"", 4, 46, 132, 13, TAB | GROUP | ES_AUTOHSCROLL},
      {K::CheckBox, IDC_EDIT_WHOLE_WORD, u"Match &whole word only", 4, 65, 132, 12, TAB | GROUP | BS_AUTOCHECKBOX},
      {K::CheckBox, IDC_EDIT_MATCH_CASE, u"Match &case", 4, 79, 132, 12, TAB | GROUP | BS_AUTOCHECKBOX},
      {K::DefPushButton, IDC_EDIT_FIND_NEXT, u"&Find Next", 4, 98, 64, 16, TAB | GROUP | BS_DEFPUSHBUTTON},
      {K::PushButton, IDC_EDIT_SKIP, u"&Replace", 72, 98, 64, 16, TAB},
      {K::PushButton, IDC_EDIT_REPLACE_ALL, u"Replace &All", 4, 117, 64, 16, TAB},
  };
  return t;
}

}  // namespace

void AddEditResources(CResourceModule& m) {
  m.dialogs[IDD_EDIT_FIND] = FindDialog();
  m.dialogs[IDD_EDIT_REPLACE] = ReplaceDialog();
  m.strings[IDS_EDIT_TEXT_NOT_FOUND] = u"Text not found.";
  m.strings[IDS_EDIT_ALL_REPLACED] = u"All occurrences have been replaced.";
}

// The external tools' dialogs: the list editor with its buttons at the right of the list,
// a tool's properties (four fields and the prompt switch, no title of its own) and the
// arguments prompt (titled with the tool's description when it opens); and the message of
// a tool that names no program.
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/DialogItems.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

using K = DialogItemKind;
constexpr DWORD TAB = WS_TABSTOP, GROUP = WS_GROUP;

DialogTemplate CustomizeDialog() {
  DialogTemplate t;
  t.caption = u"Customize Tools Menu";
  t.cx = 140;
  t.cy = 108;
  constexpr int x = 98, w = 38;
  t.items = {
      {K::Static, IDC_STATIC, u"Add custom items to the \"Tools\" pull-down menu:", 4, 3, 132, 18, 0},
      {K::ListBox, IDC_TOOLS_LIST, u"", 4, 22, 90, 84, TAB | GROUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
      {K::PushButton, IDC_TOOLS_ADD, u"&Add", x, 22, w, 13, TAB | GROUP},
      {K::DefPushButton, IDC_TOOLS_MODIFY, u"&Modify", x, 37, w, 13, TAB | GROUP},
      {K::PushButton, IDC_TOOLS_REMOVE, u"&Remove", x, 52, w, 13, TAB | GROUP},
      {K::Static, IDC_STATIC, u"Move Item", x, 69, w, 9, 0},
      {K::PushButton, IDC_TOOLS_UP, u"Up", x, 78, w, 13, TAB | GROUP},
      {K::PushButton, IDC_TOOLS_DOWN, u"Down", x, 93, w, 13, TAB | GROUP},
  };
  return t;
}

DialogTemplate PropertiesDialog() {
  DialogTemplate t;
  t.cx = 140;
  t.cy = 110;
  struct Field {
    const char16_t* label;
    UINT id;
  };
  const Field fields[] = {
      {u"Description:", IDC_TOOL_DESCRIPTION},
      {u"Executable name:", IDC_TOOL_COMMAND_LINE},
      {u"Working directory:", IDC_TOOL_WORKING_DIR},
      {u"Arguments:", IDC_TOOL_ARGUMENTS},
  };
  int y = 2;
  for (const Field& f : fields) {
    t.items.push_back({K::Static, IDC_STATIC, f.label, 4, y, 132, 9, 0});
    t.items.push_back({K::Edit, f.id, u"", 4, y + 9, 132, 13, TAB | GROUP | ES_AUTOHSCROLL});
    y += 23;
  }
  t.items.push_back({K::CheckBox, IDC_TOOL_PROMPT, u"Prompt for Arguments", 4, y + 2, 132, 12, TAB | GROUP | BS_AUTOCHECKBOX});
  t.items.push_back(SipPref());
  return t;
}

DialogTemplate ArgumentsDialog() {
  DialogTemplate t;
  t.cx = 140;
  t.cy = 36;
  t.items = {
      {K::Static, IDC_STATIC, u"Arguments:", 4, 6, 132, 10, 0},
      {K::Edit, IDC_TOOL_ARGUMENTS_PROMPT, u"", 4, 17, 132, 13, TAB | GROUP | ES_AUTOHSCROLL},
      SipPref(),
  };
  return t;
}

}  // namespace

void AddToolsResources(CResourceModule& m) {
  m.dialogs[IDD_TOOLS_CUSTOMIZE] = CustomizeDialog();
  m.dialogs[IDD_TOOL_PROPERTIES] = PropertiesDialog();
  m.dialogs[IDD_TOOL_ARGUMENTS] = ArgumentsDialog();
  m.strings[IDS_TOOL_CANNOT_EXECUTE] = u"Could not execute command.";
}

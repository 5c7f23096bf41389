// The list editor, a tool's properties and the arguments prompt.
#include "tools/dialogs/ToolsDialogs.h"

#include <algorithm>
#include <memory>

#include "platform/controls/CommonControls.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowManager.h"
#include "resources/ResourceIds.h"
#include "tools/ToolsMenu.h"

// --- the list editor -------------------------------------------------------------------

CCustomizeToolsDialog::CCustomizeToolsDialog(ToolsMenu& tools, CWnd* parent)
    : CDialog(IDD_TOOLS_CUSTOMIZE, parent), tools(tools) {
  InitCommonControls();
}

CListBox* CCustomizeToolsDialog::List() const { return dynamic_cast<CListBox*>(GetDlgItem(IDC_TOOLS_LIST)); }

bool CCustomizeToolsDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  FillList();
  return focusFirst;
}

void CCustomizeToolsDialog::FillList() {
  CListBox* list = List();
  if (!list) return;
  int remembered = list->GetCurSel();
  list->ResetContent();
  const int count = tools.GetCount();
  for (int i = 0; i < count; ++i) {
    std::u16string description;
    tools.GetAt(i)->GetDescription(description);
    list->AddString(description);
  }
  if (count > 0) {
    if (remembered == LB_ERR) remembered = 0;
    list->SetCurSel(std::min(remembered, count - 1));
  }
  UpdateButtons();
}

void CCustomizeToolsDialog::UpdateButtons() {
  const int count = tools.GetCount();
  const CListBox* list = List();
  const int selected = list ? list->GetCurSel() : LB_ERR;
  auto enable = [this](UINT id, bool on) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(on);
  };
  enable(IDC_TOOLS_MODIFY, count >= 1);
  enable(IDC_TOOLS_REMOVE, count >= 1);
  enable(IDC_TOOLS_UP, count >= 2 && selected != 0);
  enable(IDC_TOOLS_DOWN, count >= 2 && selected != count - 1);
}

ToolItem* CCustomizeToolsDialog::Selected() const {
  const CListBox* list = List();
  return list && list->GetCurSel() != LB_ERR ? tools.GetAt(list->GetCurSel()) : nullptr;
}

void CCustomizeToolsDialog::Select(int index) {
  CListBox* list = List();
  if (!list || list->GetCount() == 0) return;
  list->SetCurSel(std::clamp(index, 0, list->GetCount() - 1));
}

bool CCustomizeToolsDialog::EditProperties(ToolItem& tool) {
  EnableWindow(false);
  bool confirmed;
  {
    std::unique_ptr<CToolPropertiesDialog> properties;
    {
      CWaitCursor wait;
      properties = std::make_unique<CToolPropertiesDialog>(tool, this);
    }
    confirmed = properties->DoModal() == IDOK;
  }
  EnableWindow(true);
  CWindowManager::Get().BringToTop(this);
  return confirmed;
}

void CCustomizeToolsDialog::AddTool() {
  auto tool = std::make_unique<ToolItem>();
  if (EditProperties(*tool)) {
    tools.AddTool(tool.release());
    FillList();
    Select(tools.GetCount() - 1);
    UpdateButtons();
  }
}

void CCustomizeToolsDialog::ModifyTool() {
  ToolItem* tool = Selected();
  if (!tool) return;
  if (EditProperties(*tool)) FillList();
}

void CCustomizeToolsDialog::RemoveTool() {
  ToolItem* tool = Selected();
  if (!tool) return;
  CWaitCursor wait;
  tools.RemoveTool(tool);
  FillList();
}

void CCustomizeToolsDialog::MoveTool(bool up) {
  ToolItem* tool = Selected();
  if (!tool) return;
  const int old = List()->GetCurSel();
  if (up) tools.MoveUp(tool);
  else tools.MoveDown(tool);
  FillList();
  Select(up ? old - 1 : old + 1);
  UpdateButtons();
}

bool CCustomizeToolsDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (!ui && id == IDC_TOOLS_LIST) {
    if (code == LBN_SELCHANGE) UpdateButtons();
    else if (code == LBN_DBLCLK) ModifyTool();
    return true;
  }
  if (!ui && code == static_cast<int>(BN_CLICKED)) {
    switch (id) {
      case IDC_TOOLS_ADD: AddTool(); return true;
      case IDC_TOOLS_MODIFY: ModifyTool(); return true;
      case IDC_TOOLS_REMOVE: RemoveTool(); return true;
      case IDC_TOOLS_UP: MoveTool(true); return true;
      case IDC_TOOLS_DOWN: MoveTool(false); return true;
      default: break;
    }
  }
  return CDialog::OnCmdMsg(id, code, ui);
}

// --- a tool's properties ---------------------------------------------------------------

CToolPropertiesDialog::CToolPropertiesDialog(ToolItem& tool, CWnd* parent)
    : CDialog(IDD_TOOL_PROPERTIES, parent), tool(tool) {
  InitCommonControls();
}

bool CToolPropertiesDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  std::u16string text;
  const auto show = [&](UINT id, bool present) {
    SetDlgItemText(id, present ? text : std::u16string());
    text.clear();
  };
  show(IDC_TOOL_DESCRIPTION, tool.GetDescription(text));
  show(IDC_TOOL_COMMAND_LINE, tool.GetCommandLine(text));
  show(IDC_TOOL_WORKING_DIR, tool.GetWorkingDir(text));
  show(IDC_TOOL_ARGUMENTS, tool.GetArguments(text));
  CheckDlgButton(IDC_TOOL_PROMPT, tool.GetPromptForArgs() ? BST_CHECKED : BST_UNCHECKED);
  return focusFirst;
}

void CToolPropertiesDialog::OnOK() {
  tool.SetArguments(GetDlgItemText(IDC_TOOL_ARGUMENTS));
  tool.SetDescription(GetDlgItemText(IDC_TOOL_DESCRIPTION));
  tool.SetCommandLine(GetDlgItemText(IDC_TOOL_COMMAND_LINE));
  tool.SetWorkingDir(GetDlgItemText(IDC_TOOL_WORKING_DIR));
  tool.SetPromptForArgs(IsDlgButtonChecked(IDC_TOOL_PROMPT) == BST_CHECKED);
  CDialog::OnOK();
}

// --- the arguments prompt --------------------------------------------------------------

CToolArgumentsDialog::CToolArgumentsDialog(std::u16string description, std::u16string arguments, CWnd* parent)
    : CDialog(IDD_TOOL_ARGUMENTS, parent), description(std::move(description)), arguments(std::move(arguments)) {
  InitCommonControls();
}

bool CToolArgumentsDialog::OnInitDialog() {
  SetWindowText(description);
  return CDialog::OnInitDialog();
}

void CToolArgumentsDialog::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_TOOL_ARGUMENTS_PROMPT, arguments); }
